#include "methodfactorsdlg.h"

#include "library/gui/thresholddlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CMethodFactorsDlg::CMethodFactorsDlg(QWidget* parent) : CLibraryEditorDlg(parent)
{
    setWindowTitle(tr("입력 창"));
    auto* label = new QLabel(tr("다심 케이블  :"), this);
    label->setObjectName(QStringLiteral("1161"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("1587"));
    SetupThresholdCombo(m_combo);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_combo);
    row->addWidget(new QLabel(tr("㎟ 미만 적용"), this));
    row->addStretch();

    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(MakeGridCell(tr("공사방법"), this), 0, 0);
    grid->addWidget(MakeGridCell(tr("보정계수"), this), 1, 0);
    const QString methods[4] = {tr("A1,2"), tr("B1,2"), tr("D1"), tr("E, F")};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(MakeGridCell(methods[i], this), 0, i + 1);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(1583 + i));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMinimumWidth(60);
        grid->addWidget(edit, 1, i + 1);
        m_factorEdits[size_t(i)] = edit;
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("확인"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    QPushButton* cancel = buttons->addButton(tr("취소"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CMethodFactorsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMethodFactorsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("공사방법 별 보정계수"), this));
    layout->addLayout(row);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

int CMethodFactorsDlg::SelectComboText(const QString& text)
{
    return SelectThresholdText(m_combo, text);
}

void CMethodFactorsDlg::OnInitDialog()
{
    SelectComboText(m_values[0]);
    for (size_t i = 0; i < 4; ++i)
        m_factorEdits[i]->setText(m_values[i + 1]);
}

void CMethodFactorsDlg::accept()
{
    m_values[0] = m_combo->currentText();
    for (size_t i = 0; i < 4; ++i)
        m_values[i + 1] = m_factorEdits[i]->text();
    QDialog::accept();
}
