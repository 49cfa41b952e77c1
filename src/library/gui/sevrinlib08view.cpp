#include "sevrinlib08view.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/inputlib02dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

CSevrinLib08View::CSevrinLib08View(QWidget* parent)
    : CSevrinLibPage(*FindLibraryPage("CSevrinLib08View"), parent)
{
}

void CSevrinLib08View::ConnectControls()
{
    if (QPushButton* change = Button(1175))
        connect(change, &QPushButton::clicked, this, &CSevrinLib08View::OnChangeAmbientTemperature);
}

void CSevrinLib08View::FillTemperatureCurrentList()
{
    FillLists();
    const double temperature = ReadThresholdNumber(theApp.CableLibBlock.AmbientTemperature.Value);
    if (!IsNoValue(theApp.HLookup(temperature, QStringLiteral("TDF"))))
        return;
    if (QLineEdit* factor = Edit(1160)) {
        const QSignalBlocker block(factor);
        factor->setText(FormatFixed(theApp.AppliedHfixTemperatureFactor(temperature), 2));
    }
}

void CSevrinLib08View::OnChangeAmbientTemperature()
{
    CableLibBlockT& cable = theApp.CableLibBlock;
    CInputLib02Dlg dlg(this);
    dlg.SetValues(cable.AmbientTemperature.Value, cable.AmbientTemperatureFactor.Value);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    cable.AmbientTemperature.Value = dlg.Temperature();
    cable.AmbientTemperatureFactor.Value = dlg.Factor();
    theApp.BuildDeratedHfixTables(ReadThresholdNumber(cable.AmbientTemperature.Value));
    FillTemperatureCurrentList();
}
