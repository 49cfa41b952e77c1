#pragma once
// The motor-control-centre screen's load page.
#include "app/gui/formview.h"

class CSevrinPro12View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro12View(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
