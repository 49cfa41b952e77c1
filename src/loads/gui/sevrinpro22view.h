#pragma once
// The panel-board screen's board page.
#include "app/gui/formview.h"

class CSevrinPro22View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro22View(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
