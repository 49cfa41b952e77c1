#pragma once
// The fault-current screen's bus page.
#include "app/gui/formview.h"

class CSevrinPro85View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro85View(QWidget* parent = nullptr);

    // Loads (and creates when missing) the bus workbooks of the five transformers.
    void LoadFaultBusData();
};
