#include "htmlbrowser.h"

#include "platform/prompt.h"

CHtmlBrowser::CHtmlBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CHtmlBrowser::OnAnchorClicked);
}

void CHtmlBrowser::ClearBrowserPage()
{
    m_html.clear();
    clear();
}

bool CHtmlBrowser::WriteHtmlToBrowser(const QString& html)
{
    m_html += html;
    setHtml(m_html);
    return true;
}

void CHtmlBrowser::OnAnchorClicked(const QUrl& url)
{
    // The page comes from a server: only web addresses go to the desktop, never a local
    // file, a program or any other scheme a handler may be registered for.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return;
    if (url.host().isEmpty())
        return;
    Prompt::OpenWithDefault(url.toString());
}
