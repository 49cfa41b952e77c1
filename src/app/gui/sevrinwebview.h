#pragma once
// The web view (screen 3): an HTML view and a button back to the start screen.
#include "app/gui/formview.h"

class CWebBrowser2Ex;

class CSevrinWebView : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinWebView(QWidget* parent = nullptr);

    CWebBrowser2Ex* Browser() const { return m_browser; }

private:
    CWebBrowser2Ex* m_browser;
};
