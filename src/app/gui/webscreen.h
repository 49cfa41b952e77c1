#pragma once
// The web view (screen 3): an HTML view and a button back to the start screen.
#include "app/gui/formview.h"

class CHtmlBrowser;

class CWebScreen : public CFormView
{
    Q_OBJECT

public:
    explicit CWebScreen(QWidget* parent = nullptr);

    CHtmlBrowser* Browser() const { return m_browser; }

private:
    CHtmlBrowser* m_browser;
};
