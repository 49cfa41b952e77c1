#pragma once
// The switchgear screen (Screen::Switchgear): a form whose only working controls are its navigation
// buttons. It keeps no data and computes nothing.
#include "app/gui/formview.h"

class CSwitchgearScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Switchgear;

    explicit CSwitchgearScreen(QWidget* parent = nullptr);
    ~CSwitchgearScreen() override;

    void OnInitialUpdate() override;

    void OnSwitchgearSelectScreen();
    void OnSwitchgearStartScreen();
};
