#include "webdlg.h"

#include "app/gui/dialogunits.h"
#include "app/gui/programlook.h"
#include "app/gui/htmlbrowser.h"
#include "platform/prompt.h"

#include <QPushButton>

CWebDlg::CWebDlg(const QString& mode, const QString& html, const QString& address,
                 QWidget* parent)
    : QDialog(parent), m_mode(mode), m_html(html), m_address(address)
{
    const QFont font = DialogFont();
    setFont(font);
    const DialogUnits du(font);
    setWindowTitle(QStringLiteral("HTML View"));
    UseModalDialogFrame(this);
    setFixedSize(du.Size(579, 343));

    m_browser = new CHtmlBrowser(this);
    m_browser->setObjectName(QStringLiteral("1749"));
    m_browser->setGeometry(du.Rect(0, 0, 579, 319));

    m_ok = new QPushButton(tr("확인"), this);
    m_ok->setObjectName(QStringLiteral("1"));
    m_ok->setGeometry(du.Rect(203, 324, 59, 14));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("취소"), this);
    m_cancel->setObjectName(QStringLiteral("2"));
    m_cancel->setGeometry(du.Rect(317, 324, 59, 14));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &CWebDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CWebDlg::reject);

    OnInitDialog();
}

void CWebDlg::OnInitDialog()
{
    m_browser->ClearBrowserPage();
    m_html = m_html.trimmed();
    if (m_html.isEmpty())
        return;
    if (m_mode == QLatin1String("updates")) {
        setWindowTitle(tr("업데이트"));
        m_ok->setText(tr("프로그램 종료"));
        m_cancel->setText(tr("계속 진행"));
        m_browser->WriteHtmlToBrowser(m_html);
    } else if (m_mode == QLatin1String("notice")) {
        setWindowTitle(tr("공지사항"));
        m_ok->setText(tr("공지사항 열기"));
        m_cancel->setText(tr("계속 진행"));
        m_browser->WriteHtmlToBrowser(m_html);
    }
}

void CWebDlg::accept()
{
    if (m_mode == QLatin1String("updates")) {
        m_exitRequested = true;
        done(QDialog::Accepted);
    } else if (m_mode == QLatin1String("notice")) {
        Prompt::OpenWithDefault(m_address);  // the dialog stays open
    }
}
