#include "sevrinlib05view.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/inputlib03dlg.h"

#include <QPushButton>

CSevrinLib05View::CSevrinLib05View(QWidget* parent)
    : CSevrinLibPage(*FindLibraryPage("CSevrinLib05View"), parent)
{
}

void CSevrinLib05View::ConnectControls()
{
    if (QPushButton* change = Button(1173))
        connect(change, &QPushButton::clicked, this, &CSevrinLib05View::OnChangeMethodFactors);
}

void CSevrinLib05View::OnChangeMethodFactors()
{
    CableLibBlockT& cable = theApp.CableLibBlock;
    LibRow& factors = cable.InstallationMethodFactors;
    CInputLib03Dlg dlg(this);
    dlg.SetValues({cable.AmpacityMultiCoreThreshold.Value, factors.Cell(0), factors.Cell(1),
                   factors.Cell(2), factors.Cell(3)});
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    const std::array<QString, 5>& v = dlg.Values();
    cable.AmpacityMultiCoreThreshold.Value = v[0];
    for (int i = 0; i < 4; ++i)
        factors.Cell(i) = v[size_t(i) + 1];
    theApp.BuildAmpacityTables(ReadThresholdNumber(v[0]), ReadThresholdNumber(v[1]),
                               ReadThresholdNumber(v[2]), ReadThresholdNumber(v[3]),
                               ReadThresholdNumber(v[4]));
    FillAllowableCurrentLists();
}
