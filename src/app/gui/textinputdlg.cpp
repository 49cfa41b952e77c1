#include "textinputdlg.h"

#include "app/gui/dialogunits.h"
#include "app/gui/programlook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CTextInputDlg::CTextInputDlg(QWidget* parent) : QDialog(parent)
{
    const QFont font = DialogFont();
    setFont(font);
    const DialogUnits du(font);
    setWindowTitle(tr("입력 창"));
    UseModalDialogFrame(this);
    setFixedSize(du.Size(187, 54));

    m_label = tr("프로젝트 넘버");
    m_labelCtrl = new QLabel(m_label, this);
    m_labelCtrl->setObjectName(QStringLiteral("1730"));
    m_labelCtrl->setGeometry(du.Rect(7, 7, 59, 15));

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("1179"));
    m_edit->setGeometry(du.Rect(70, 7, 109, 15));

    auto* ok = new QPushButton(tr("확인"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(du.Rect(7, 33, 59, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("취소"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(121, 33, 59, 14));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CTextInputDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CTextInputDlg::reject);
    m_edit->setFocus();
}

void CTextInputDlg::SetLabel(const QString& label)
{
    m_label = label;
    m_labelCtrl->setText(label);
}

void CTextInputDlg::SetValue(const QString& value)
{
    m_edit->setText(value);
}

void CTextInputDlg::accept()
{
    m_value = m_edit->text();
    QDialog::accept();
}
