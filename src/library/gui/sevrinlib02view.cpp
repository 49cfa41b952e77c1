#include "sevrinlib02view.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/inputlib01dlg.h"

#include <QPushButton>

CSevrinLib02View::CSevrinLib02View(QWidget* parent)
    : CSevrinLibPage(*FindLibraryPage("CSevrinLib02View"), parent)
{
}

void CSevrinLib02View::ConnectControls()
{
    if (QPushButton* change = Button(1174))
        connect(change, &QPushButton::clicked, this, &CSevrinLib02View::OnChangeLvThreshold);
}

void CSevrinLib02View::OnChangeLvThreshold()
{
    QString& threshold = theApp.CableLibBlock.LvMultiCoreThreshold.Value;
    CInputLib01Dlg dlg(this);
    dlg.SetThreshold(threshold);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    threshold = dlg.Threshold();
    theApp.ApplyImpedanceThreshold(ReadThresholdNumber(threshold));
    FillLvCableImpedanceLists();
}
