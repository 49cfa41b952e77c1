#include "ambienttemperaturedlg.h"

#include "app/core/sevrin.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kDegree = QStringLiteral("℃");

}  // namespace

CAmbientTemperatureDlg::CAmbientTemperatureDlg(QWidget* parent) : CLibraryEditorDlg(parent)
{
    setWindowTitle(tr("입력 창"));
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("1588"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    for (int t = 20; t <= 70; t += 5)
        m_combo->addItem(QString::number(t) + kDegree);
    m_factorEdit = new QLineEdit(this);
    m_factorEdit->setObjectName(QStringLiteral("1177"));
    m_factorEdit->setEnabled(false);
    m_factorEdit->setAlignment(Qt::AlignCenter);
    m_factorEdit->setMinimumWidth(64);
    m_combo->setMinimumWidth(90);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &CAmbientTemperatureDlg::OnSelchangeTemperature);

    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(MakeGridCell(tr("구분"), this), 0, 0);
    grid->addWidget(MakeGridCell(tr("공사방법"), this), 0, 1);
    grid->addWidget(MakeGridCell(tr("적정 주위 온도"), this), 0, 2);
    grid->addWidget(MakeGridCell(tr("보정계수"), this), 0, 3);
    grid->addWidget(MakeGridCell(tr("기중"), this), 1, 0);
    grid->addWidget(MakeGridCell(tr("A, B ,E, F"), this), 1, 1);
    grid->addWidget(m_combo, 1, 2);
    grid->addWidget(m_factorEdit, 1, 3);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("확인"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    QPushButton* cancel = buttons->addButton(tr("취소"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CAmbientTemperatureDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAmbientTemperatureDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CAmbientTemperatureDlg::SetValues(const QString& temperature, const QString& factor)
{
    m_temperature = temperature;
    m_factor = factor;
}

int CAmbientTemperatureDlg::SelectComboText(const QString& text)
{
    const QSignalBlocker block(m_combo);
    for (int i = 0; i < m_combo->count(); ++i) {
        if (QString(m_combo->itemText(i)).remove(kDegree) == text) {
            m_combo->setCurrentIndex(i);
            return i;
        }
    }
    // A temperature that is none of the entries stays in the edit field as it is.
    m_combo->setCurrentIndex(-1);
    m_combo->setEditText(text);
    return m_combo->count();
}

bool CAmbientTemperatureDlg::FactorAt(int entry, QString& factor) const
{
    const LibRow& tdf = theApp.CableLibBlock.TDF;
    if (entry < 0 || entry >= tdf.size())
        return false;
    factor = tdf.Cell(entry);
    return true;
}

void CAmbientTemperatureDlg::OnInitDialog()
{
    const int entry = SelectComboText(m_temperature);
    // The factor of a temperature that is not in the list is the one the caller passed in.
    FactorAt(entry, m_factor);
    m_factorEdit->setText(m_factor);
}

void CAmbientTemperatureDlg::OnSelchangeTemperature()
{
    QString factor;
    if (FactorAt(m_combo->currentIndex(), factor)) {
        m_factor = factor;
        m_factorEdit->setText(m_factor);
    }
}

void CAmbientTemperatureDlg::accept()
{
    m_temperature = m_combo->currentText().remove(kDegree);
    m_factor = m_factorEdit->text();
    QDialog::accept();
}
