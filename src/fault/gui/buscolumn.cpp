#include "fault/gui/buscolumn.h"

#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "fault/gui/buscell.h"
#include "platform/prompt.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

// The form's size in dialog units: 26 cells of 164 stacked from y = 7, the buttons at x = 820.
constexpr int kFormWidth = 841;
constexpr int kFormHeight = 4346;
constexpr int kCellHeight = 164;
constexpr int kCellWidth = 808;
constexpr int kButtonX = 820;

}  // namespace

CBusColumn::CBusColumn(fault::BusColumn* column, QWidget* parent)
    : QScrollArea(parent), m_column(column)
{
    m_form = new CFormView(kFormWidth, kFormHeight);
    setWidget(m_form);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(m_form->Units().Y(14));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { m_scrollPos = value; });

    auto* pageLabel = new QLabel(tr("Page"), m_form);
    pageLabel->setGeometry(m_form->Units().Rect(kButtonX, 10, 20, 10));
    for (int p = 0; p < fault::kBusColumnPages; ++p) {
        auto* radio = new QRadioButton(QString::number(p + 1), m_form);
        m_form->Place(radio, 1386 + p, kButtonX, 22 + 12 * p, 20, 10);
        connect(radio, &QRadioButton::clicked, this, &CBusColumn::OnPageButton);
        m_pageButtons[std::size_t(p)] = radio;
    }
    const DialogUnits& u = m_form->Units();
    for (int k = 0; k < fault::kBusCellsPerPage; ++k) {
        const QRect cell = CellRect(k + 1);
        auto* del = new QPushButton(QStringLiteral("▲"), m_form);
        del->setObjectName(QString::number(1010 + 2 * k));
        del->setAutoDefault(false);
        del->setGeometry(u.X(kButtonX), cell.top(), u.X(16), u.Y(14));
        auto* ins = new QPushButton(QStringLiteral("▼"), m_form);
        ins->setObjectName(QString::number(1011 + 2 * k));
        ins->setAutoDefault(false);
        ins->setGeometry(u.X(kButtonX), cell.top() + u.Y(16), u.X(16), u.Y(14));
        // The sheet follows the page the cells show.
        connect(del, &QPushButton::clicked, this,
                [this, k] { DeleteBusCell(fault::kBusCellsPerPage * GetBusPage() + k); });
        connect(ins, &QPushButton::clicked, this,
                [this, k] { InsertBusCell(fault::kBusCellsPerPage * GetBusPage() + k); });
    }
    m_form->resize(m_form->FormSize());
}

QRect CBusColumn::CellRect(int i) const
{
    const DialogUnits& u = m_form->Units();
    return QRect(u.X(7), u.Y(7) + i * CellPitch(), u.X(kCellWidth), CellPitch());
}

int CBusColumn::CellPitch() const
{
    return m_form->Units().Y(kCellHeight);
}

void CBusColumn::OnInitialUpdate()
{
    CreateBusCells();
}

void CBusColumn::CreateBusCells()
{
    if (m_transformerCell)
        return;
    m_transformerCell = new CBusCell(&m_column->TransformerCell, m_form);
    m_transformerCell->setGeometry(CellRect(0));
    m_transformerCell->OnInitialUpdate();
    SelectBusPage(0);
    for (int k = 0; k < fault::kBusCellsPerPage; ++k) {
        auto* cell = new CBusCell(&m_column->Cells[std::size_t(k)], m_form);
        cell->setGeometry(CellRect(k + 1));
        cell->OnInitialUpdate();
        m_cells[std::size_t(k)] = cell;
    }
    SelectBusPage(m_column->Page);
}

CBusCell* CBusColumn::BusCell(int k) const
{
    return k >= 0 && k < fault::kBusCellsPerPage ? m_cells[std::size_t(k)] : nullptr;
}

void CBusColumn::ShowColumn()
{
    if (!m_transformerCell)
        return;
    m_transformerCell->ShowBus();
    for (CBusCell* cell : m_cells)
        cell->ShowBus();
    SelectBusPage(m_column->Page);
}

int CBusColumn::GetBusTransformerIndex() const
{
    return fault::BusTransformerIndex(m_column->TransformerCell.TransformerName);
}

int CBusColumn::GetBusPage() const
{
    for (int p = 0; p < fault::kBusColumnPages - 1; ++p) {
        if (m_pageButtons[std::size_t(p)]->isChecked())
            return p;
    }
    return fault::kBusColumnPages - 1;
}

int CBusColumn::SelectBusPage(int page)
{
    const int index = page >= 0 && page < fault::kBusColumnPages ? page : fault::kBusColumnPages - 1;
    m_pageButtons[std::size_t(index)]->setChecked(true);
    return page;
}

void CBusColumn::OnPageButton()
{
    LoadBusLayout(GetBusTransformerIndex(), GetBusPage());
}

void CBusColumn::LoadBusLayout(int tr, int page)
{
    fault::LoadBusLayout(theApp, *m_column, tr, page);
    // The page buttons name the page the cells show, also when the workbook could not be read.
    ShowColumn();
}

void CBusColumn::InsertBusCell(int s)
{
    fault::InsertBusCell(theApp, *m_column, s);
    ShowColumn();
}

void CBusColumn::DeleteBusCell(int s)
{
    fault::DeleteBusCell(theApp, *m_column, s);
    ShowColumn();
}

void CBusColumn::RecalcBusColumn()
{
    const fault::FaultStoreOutcome outcome = fault::RecalcBusColumn(theApp, *m_column);
    ShowColumn();
    if (!outcome.ok())
        Prompt::Message(fault::FaultStoreMessage(outcome, true));
}

int CBusColumn::ScrollPos() const
{
    return verticalScrollBar()->value();
}

void CBusColumn::ScrollBusColumnTo(int pos)
{
    verticalScrollBar()->setValue(pos);
    m_scrollPos = verticalScrollBar()->value();
}
