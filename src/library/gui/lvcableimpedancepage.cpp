#include "lvcableimpedancepage.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/thresholddlg.h"

#include <QPushButton>

CLvCableImpedancePage::CLvCableImpedancePage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("lvCableImpedance"), parent)
{
}

void CLvCableImpedancePage::ConnectControls()
{
    if (QPushButton* change = Button(1174))
        connect(change, &QPushButton::clicked, this, &CLvCableImpedancePage::OnChangeLvThreshold);
}

void CLvCableImpedancePage::OnChangeLvThreshold()
{
    QString& threshold = theApp.CableLibBlock.LvMultiCoreThreshold.Value;
    CThresholdDlg dlg(this);
    dlg.SetThreshold(threshold);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    threshold = dlg.Threshold();
    theApp.ApplyImpedanceThreshold(QuantityOr(threshold, QuantitySign::Any, 0.0));
    FillLvCableImpedanceLists();
}
