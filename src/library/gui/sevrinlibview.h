#pragma once
// The library screen (screen 2): the reference tables on their pages.
#include "app/gui/formview.h"

class CSevrinLibView : public CFormView
{
public:
    explicit CSevrinLibView(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // Makes every library page refill itself from the reference tables, in page order.
    void RefillAllPages();
};
