#include "hvcableimpedancepage.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/thresholddlg.h"

#include <QPushButton>

CHvCableImpedancePage::CHvCableImpedancePage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("hvCableImpedance"), parent)
{
}

void CHvCableImpedancePage::ConnectControls()
{
    if (QPushButton* change = Button(1008))
        connect(change, &QPushButton::clicked, this, &CHvCableImpedancePage::OnChangeHvThreshold);
}

void CHvCableImpedancePage::OnChangeHvThreshold()
{
    QString& threshold = theApp.CableLibBlock.HvMultiCoreThreshold.Value;
    CThresholdDlg dlg(this);
    dlg.SetThreshold(threshold);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    threshold = dlg.Threshold();
    theApp.ApplySingleCoreThreshold(QuantityOr(threshold, QuantitySign::Any, 0.0));
    FillHvCableImpedanceLists();
}
