#include "sevrinlib01view.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/inputlib01dlg.h"

#include <QPushButton>

CSevrinLib01View::CSevrinLib01View(QWidget* parent)
    : CSevrinLibPage(*FindLibraryPage("CSevrinLib01View"), parent)
{
}

void CSevrinLib01View::ConnectControls()
{
    if (QPushButton* change = Button(1008))
        connect(change, &QPushButton::clicked, this, &CSevrinLib01View::OnChangeHvThreshold);
}

void CSevrinLib01View::OnChangeHvThreshold()
{
    QString& threshold = theApp.CableLibBlock.HvMultiCoreThreshold.Value;
    CInputLib01Dlg dlg(this);
    dlg.SetThreshold(threshold);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    threshold = dlg.Threshold();
    theApp.ApplySingleCoreThreshold(ReadThresholdNumber(threshold));
    FillHvCableImpedanceLists();
}
