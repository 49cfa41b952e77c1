#pragma once
// Library page: HFIX allowable currents under the ambient temperature.
#include "library/gui/librarypage.h"

class CHfixTemperaturePage : public CLibraryPage
{
public:
    explicit CHfixTemperaturePage(QWidget* parent = nullptr);

    // Edits 1159 and 1160, then the list. Where the temperature is not a key of the TDF row,
    // edit 1160 shows the factor the derated currents were built with (1.00), not a factor
    // that was never applied.
    void FillTemperatureCurrentList();
    void Fill() override { FillTemperatureCurrentList(); }

    // Edits the ambient temperature and its factor, rebuilds and refills.
    void OnChangeAmbientTemperature();

protected:
    void ConnectControls() override;
};
