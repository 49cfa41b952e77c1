#pragma once
// The project screen (screen 1): the hub of an open project, with the buttons that lead to the
// calculation screens.
#include "app/gui/formview.h"

class CSevrinProView : public CFormView
{
public:
    explicit CSevrinProView(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // Refills every control from the project block after a project load.
    void RefreshProjectScreen();
};
