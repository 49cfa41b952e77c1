#pragma once
// The switchgear screen (screen 10): a form whose only working controls are its navigation
// buttons. It keeps no data and computes nothing.
#include "app/gui/formview.h"

class CSevrinPro70View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro70View(QWidget* parent = nullptr);
    ~CSevrinPro70View() override;

    void OnInitialUpdate() override;

    void OnSwitchgearSelectScreen();
    void OnSwitchgearStartScreen();
};
