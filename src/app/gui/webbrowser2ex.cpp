#include "webbrowser2ex.h"

#include "platform/prompt.h"

CWebBrowser2Ex::CWebBrowser2Ex(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CWebBrowser2Ex::OnAnchorClicked);
}

void CWebBrowser2Ex::ClearBrowserPage()
{
    m_html.clear();
    clear();
}

bool CWebBrowser2Ex::WriteHtmlToBrowser(const QString& html)
{
    m_html += html;
    setHtml(m_html);
    return true;
}

void CWebBrowser2Ex::OnAnchorClicked(const QUrl& url)
{
    Prompt::OpenWithDefault(url.toString());
}
