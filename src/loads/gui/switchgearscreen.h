#pragma once
// The switchgear screen (screen 10): a form whose only working controls are its navigation
// buttons. It keeps no data and computes nothing.
#include "app/gui/formview.h"

class CSwitchgearScreen : public CFormView
{
    Q_OBJECT

public:
    explicit CSwitchgearScreen(QWidget* parent = nullptr);
    ~CSwitchgearScreen() override;

    void OnInitialUpdate() override;

    void OnSwitchgearSelectScreen();
    void OnSwitchgearStartScreen();
};
