#include "thresholddlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

QStringList ThresholdSizes()
{
    return {"16", "25", "35", "50", "70", "95", "120", "150", "185", "240"};
}

void SetupThresholdCombo(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(ThresholdSizes());
    combo->setMinimumContentsLength(5);
}

int SelectThresholdText(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            combo->setCurrentIndex(i);
            return i;
        }
    }
    // Not one of the standard sizes (a workbook value such as 100): no entry is selected, but
    // the value stays in the edit field so that OK without a change keeps it.
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
    return combo->count();
}

CThresholdDlg::CThresholdDlg(QWidget* parent) : CLibraryEditorDlg(parent)
{
    setWindowTitle(tr("입력 창"));
    auto* label = new QLabel(tr("다심 케이블  :"), this);
    label->setObjectName(QStringLiteral("1161"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("1582"));
    SetupThresholdCombo(m_combo);
    auto* unit = new QLabel(tr("㎟ 미만 적용"), this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("확인"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    QPushButton* cancel = buttons->addButton(tr("취소"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CThresholdDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CThresholdDlg::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_combo);
    row->addWidget(unit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

int CThresholdDlg::SelectComboText(const QString& text)
{
    return SelectThresholdText(m_combo, text);
}

void CThresholdDlg::OnInitDialog()
{
    SelectComboText(m_threshold);
}

void CThresholdDlg::accept()
{
    m_threshold = m_combo->currentText();
    QDialog::accept();
}
