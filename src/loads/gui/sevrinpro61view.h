#pragma once
// The generator screen's load page.
#include "app/gui/formview.h"

class CSevrinPro61View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro61View(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
