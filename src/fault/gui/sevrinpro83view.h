#pragma once
// The fault-current screen's motor page.
#include "app/gui/formview.h"

class CSevrinPro83View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro83View(QWidget* parent = nullptr);

    // Fills the motor list of the selected transformer.
    void FillMotorList();
    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
