#pragma once
// Library page: HFIX allowable currents under the ambient temperature.
#include "library/gui/librarypage.h"

class CSevrinLib08View : public CSevrinLibPage
{
public:
    explicit CSevrinLib08View(QWidget* parent = nullptr);

    void FillTemperatureCurrentList() { FillLists(); }

    // Edits the ambient temperature and its factor, rebuilds and refills.
    void OnChangeAmbientTemperature();

protected:
    void ConnectControls() override;
};
