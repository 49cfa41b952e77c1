#include "hfixtemperaturepage.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/ambienttemperaturedlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

CHfixTemperaturePage::CHfixTemperaturePage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("hfixTemperatureCurrent"), parent)
{
}

void CHfixTemperaturePage::ConnectControls()
{
    if (QPushButton* change = Button(1175))
        connect(change, &QPushButton::clicked, this, &CHfixTemperaturePage::OnChangeAmbientTemperature);
}

void CHfixTemperaturePage::FillTemperatureCurrentList()
{
    FillLists();
    const double temperature = QuantityOr(theApp.CableLibBlock.AmbientTemperature.Value, QuantitySign::Any, 0.0);
    if (!IsNoValue(theApp.HLookup(temperature, QStringLiteral("TDF"))))
        return;
    if (QLineEdit* factor = Edit(1160)) {
        const QSignalBlocker block(factor);
        factor->setText(FormatFixed(theApp.AppliedHfixTemperatureFactor(temperature), 2));
    }
}

void CHfixTemperaturePage::OnChangeAmbientTemperature()
{
    CableLibBlockT& cable = theApp.CableLibBlock;
    CAmbientTemperatureDlg dlg(this);
    dlg.SetValues(cable.AmbientTemperature.Value, cable.AmbientTemperatureFactor.Value);
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    cable.AmbientTemperature.Value = dlg.Temperature();
    cable.AmbientTemperatureFactor.Value = dlg.Factor();
    theApp.BuildDeratedHfixTables(QuantityOr(cable.AmbientTemperature.Value, QuantitySign::Any, 0.0));
    FillTemperatureCurrentList();
}
