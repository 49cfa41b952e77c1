#include "buspage.h"

#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/buscolumn.h"
#include "fault/gui/buscell.h"
#include "platform/prompt.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int kFirstTransformerRadio = 1386;
// The scroll positions are the tops of the transformer cell and the 25 bus cells.
constexpr int kLastCellTop = fault::kBusCellsPerPage;

}  // namespace

CBusPage::CBusPage(QWidget* parent) : CFaultPage(parent)
{
    for (int n = 0; n < fault::kTransformers; ++n) {
        QRadioButton* radio = AddRadio(kFirstTransformerRadio + n, QStringLiteral("TR-%1").arg(n + 1),
                                       7 + 36 * n, 177, 34);
        connect(radio, &QRadioButton::clicked, this, [this, n] { ShowBusColumn(n); });
    }
    connect(AddButton(1010, QStringLiteral("■"), 780, 175, 24, 13), &QPushButton::clicked, this,
            &CBusPage::OnAlignBusColumn);
    connect(AddButton(1732, QStringLiteral(" ▲"), 806, 175, 24, 13), &QPushButton::clicked, this,
            &CBusPage::OnScrollBusColumnUp);
    connect(AddButton(1009, QStringLiteral("▼"), 832, 175, 24, 13), &QPushButton::clicked, this,
            &CBusPage::OnScrollBusColumnDown);
}

fault::FaultBusPages& CBusPage::Buses()
{
    return m_screen->BusPages();
}

void CBusPage::CreateFaultBusViews()
{
    if (m_incoming || !m_screen)
        return;
    m_incoming = new CBusCell(&Buses().Incoming, this);
    m_incoming->setGeometry(Units().Rect(7, 7, 821, 164));
    m_incoming->OnInitialUpdate();
    m_incoming->show();
    SelectFaultTransformer(0);
    ShowBusColumn(0);
}

CBusColumn* CBusPage::BuiltColumn(int n) const
{
    return n >= 0 && n < fault::kTransformers ? m_columns[std::size_t(n)] : nullptr;
}

CBusColumn* CBusPage::Column(int n)
{
    if (n < 0 || n >= fault::kTransformers || !m_screen)
        return nullptr;
    CBusColumn*& column = m_columns[std::size_t(n)];
    if (!column) {
        // Every column sits at the same place; only the one chosen is visible.
        column = new CBusColumn(&Buses().Columns[std::size_t(n)], this);
        column->setGeometry(Units().Rect(7, 192, 854, 284));
        column->hide();
        column->OnInitialUpdate();
        column->ShowColumn();
    }
    return column;
}

void CBusPage::ShowBusColumn(int n)
{
    CBusColumn* shown = Column(n);
    if (!shown)
        return;
    for (CBusColumn* column : m_columns) {
        if (column && column != shown)
            column->hide();
    }
    shown->ShowColumn();
    shown->show();
    m_shown = n;
}

void CBusPage::SelectFaultTransformer(int n)
{
    if (auto* radio = findChild<QRadioButton*>(QString::number(kFirstTransformerRadio + n),
                                               Qt::FindDirectChildrenOnly))
        radio->setChecked(true);
}

int CBusPage::GetSelectedFaultTransformer() const
{
    for (int n = 0; n < 4; ++n) {
        auto* radio = findChild<QRadioButton*>(QString::number(kFirstTransformerRadio + n),
                                               Qt::FindDirectChildrenOnly);
        if (radio && radio->isChecked())
            return n;
    }
    return 4;
}

int CBusPage::GetBusColumnScrollPos(int n)
{
    CBusColumn* column = Column(n);
    return column ? column->ScrollPos() : 0;
}

void CBusPage::ScrollBusColumn(int n, int pos)
{
    if (CBusColumn* column = Column(n))
        column->ScrollBusColumnTo(pos);
}

CBusColumn* CBusPage::CheckedColumn()
{
    return Column(GetSelectedFaultTransformer());
}

void CBusPage::OnAlignBusColumn()
{
    if (CBusColumn* column = CheckedColumn()) {
        const int k = column->ScrollPos() / column->CellPitch();
        column->ScrollBusColumnTo(k * column->CellPitch());
    }
}

void CBusPage::OnScrollBusColumnUp()
{
    if (CBusColumn* column = CheckedColumn()) {
        int k = column->ScrollPos() / column->CellPitch();
        if (k > 0)
            --k;
        column->ScrollBusColumnTo(k * column->CellPitch());
    }
}

void CBusPage::OnScrollBusColumnDown()
{
    if (CBusColumn* column = CheckedColumn()) {
        const int k = column->ScrollPos() / column->CellPitch();
        if (k < kLastCellTop)
            column->ScrollBusColumnTo((k + 1) * column->CellPitch());
    }
}

void CBusPage::LoadFaultBusData()
{
    if (!m_screen)
        return;
    // Opening a project creates none of its fault-current workbooks: the bus pages are read
    // (and missing bus workbooks created) when the screen first needs them.
    m_screen->InvalidateBusPages();
    // The column of TR-1 again, as on the first show.
    if (ViewsCreated()) {
        SelectFaultTransformer(0);
        for (CBusColumn* column : m_columns)
            if (column)
                column->setVisible(column == m_columns[0]);
        m_shown = 0;
    }
    if (isVisible())
        ShowBuses();
}

void CBusPage::ShowBuses()
{
    if (!m_incoming)
        return;
    Buses();  // reads the bus pages of a newly loaded project
    m_incoming->ShowBus();
    if (CBusColumn* column = BuiltColumn(m_shown))
        column->ShowColumn();
}

void CBusPage::RecalcAllBuses()
{
    if (!m_screen)
        return;
    const fault::FaultStoreOutcome outcome = fault::RecalcAllBuses(theApp, Buses());
    ShowBuses();
    if (!outcome.ok())
        Prompt::Message(fault::FaultStoreMessage(outcome, true));
}

namespace {

BusReportBlock ReportBlock(const fault::BusView& bus)
{
    BusReportBlock b;
    b.name = bus.BusName;
    b.voltage = bus.Voltage;
    b.transformer = bus.TransformerName;
    b.ngr = bus.Ngr;
    b.rows.reserve(bus.Rows.size());
    for (const fault::BusListRow& r : bus.Rows)
        b.rows.emplace_back(QStringList(r.begin(), r.end()));
    for (std::size_t i = 0; i < b.results.size(); ++i)
        b.results[i] = bus.Results[i];
    return b;
}

}  // namespace

BusFaultReportTexts CBusPage::ReadBusFaultReport(int t)
{
    BusFaultReportTexts texts;
    if (!m_screen || t < 0 || t >= fault::kTransformers)
        return texts;
    fault::FaultBusPages& pages = Buses();
    fault::BusColumn& column = pages.Columns[std::size_t(t)];
    texts.available = true;
    texts.incoming = ReportBlock(pages.Incoming);
    texts.transformerCell = ReportBlock(column.TransformerCell);
    const int shown = column.Page;
    for (int p = 0; p < fault::kBusColumnPages; ++p) {
        // A page that cannot be read would show the previous page's buses again.
        if (!fault::LoadBusLayout(theApp, column, t, p))
            break;
        // A cell left empty by an insertion does not end the transformer's buses.
        for (const fault::BusView& cell : column.Cells) {
            if (!cell.BusName.isEmpty())
                texts.buses.push_back(ReportBlock(cell));
        }
    }
    fault::LoadBusLayout(theApp, column, t, shown);
    if (CBusColumn* built = BuiltColumn(t))
        built->ShowColumn();
    return texts;
}

void CBusPage::showEvent(QShowEvent* event)
{
    CFaultPage::showEvent(event);
    if (!m_incoming)
        CreateFaultBusViews();
    else
        ShowBuses();
}
