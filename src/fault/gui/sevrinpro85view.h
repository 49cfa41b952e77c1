#pragma once
// The fault-current screen's bus page.
#include "app/gui/formview.h"

class CSevrinPro85View : public CFormView
{
public:
    explicit CSevrinPro85View(QWidget* parent = nullptr);

    // Loads (and creates when missing) the bus workbooks of the five transformers.
    void LoadFaultBusData();
};
