#pragma once
// The fault-current screen's cable page.
#include "app/gui/formview.h"

class CSevrinPro84View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro84View(QWidget* parent = nullptr);

    // Fills the cable list.
    void FillCableList();
    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
