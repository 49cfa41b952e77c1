#pragma once
// The web view (Screen::Web): an HTML view and a button back to the start screen.
#include "app/gui/formview.h"

class CHtmlBrowser;

class CWebScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Web;

    explicit CWebScreen(QWidget* parent = nullptr);

    CHtmlBrowser* Browser() const { return m_browser; }

private:
    CHtmlBrowser* m_browser;
};
