#pragma once
// The HTML view of the HTML dialog and the web view: a text browser that renders the server's
// HTML (no scripts, no remote content). A clicked link opens in the desktop's browser.
#include <QTextBrowser>

class CHtmlBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit CHtmlBrowser(QWidget* parent = nullptr);

    // Empties the page.
    void ClearBrowserPage();
    // Appends HTML to the current page (as a document write does); true.
    bool WriteHtmlToBrowser(const QString& html);
    QString Html() const { return m_html; }

private:
    void OnAnchorClicked(const QUrl& url);
    QString m_html;
};
