#pragma once
// The transformer screen's load page.
#include "app/gui/formview.h"

class CSevrinPro31View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro31View(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
