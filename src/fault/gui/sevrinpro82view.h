#pragma once
// The fault-current screen's transformer page.
#include "app/gui/formview.h"

class CSevrinPro82View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro82View(QWidget* parent = nullptr);

    // Fills the transformer list.
    void FillTransformerList();
};
