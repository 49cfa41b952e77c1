#include "rundlg.h"

#include "app/gui/dialogunits.h"
#include "app/gui/programlook.h"

#include <QLabel>
#include <QPushButton>

CRunDlg::CRunDlg(QWidget* parent) : QDialog(parent)
{
    const QFont font = DialogFont();
    setFont(font);
    const DialogUnits du(font);
    setWindowTitle(tr("실행"));
    UseModalDialogFrame(this);
    setFixedSize(du.Size(183, 111));

    m_text = new QLabel(QStringLiteral("Static"), this);
    m_text->setObjectName(QStringLiteral("1736"));
    m_text->setGeometry(du.Rect(7, 7, 169, 44));
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);

    auto* ok = new QPushButton(tr("확인"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(du.Rect(7, 72, 78, 32));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("취소"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(98, 72, 78, 32));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CRunDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CRunDlg::reject);
}

void CRunDlg::SetMessage(const QString& message)
{
    m_message = message;
    m_text->setText(message);
}
