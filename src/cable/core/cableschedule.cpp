#include "cable/core/cableschedule.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <cmath>

namespace {

constexpr int kBusNameRow = 1;
constexpr int kBusNameCol = 16;
constexpr int kMaxCol = 1;  // row 0: maximum short-circuit current in kA
constexpr int kMinCol = 2;  // row 0: minimum

// The character at `i` of a supply type such as "3P4W"; empty where the text is shorter.
QString CharAt(const QString& text, int i)
{
    return i < text.size() ? text.mid(i, 1) : QString();
}

void SetRoute(CableRow& row, int number, const QString& from, const QString& to)
{
    row[0] = QString::number(number);
    row[2] = from;
    row[3] = to;
    row[1] = from + QLatin1Char('/') + to;
}

// Phases and wires from a supply type: its first and third characters.
void SetSupply(CableRow& row, const QString& supply)
{
    row[8] = CharAt(supply, 0);
    row[9] = CharAt(supply, 2);
}

}  // namespace

bool CableRowsBeyondLimit(CSevrinApp& app)
{
    CableRow& buffer = app.CableScheduleBlock.CableRow;
    const CableRow kept = buffer;  // as the last list read left it
    bool beyond = app.ReadCableRow(kCableRowLimit - 1) && app.ReadCableRow(kCableRowLimit);
    for (int r = 0; beyond && r < kCableRowLimit - 1; ++r)
        beyond = app.ReadCableRow(r);
    buffer = kept;
    return beyond;
}

CableRow MakeBoardCableRow(const std::array<QString, 13>& board, int number)
{
    CableRow row;
    SetRoute(row, number, board[3], board[0]);
    row[4] = QStringLiteral("L3P");
    // The board keeps its connected load in VA; the schedule wants kVA. A load that is not a
    // number (or beyond any real load) comes across as "-", never as "nan" or 309 digits.
    double va = 0.0;
    row[6] = ReadValue(board[7], &va) ? FormatFixed(va / 1000.0, 2) : QStringLiteral("-");
    row[7] = row[6];
    SetSupply(row, board[5]);
    row[10] = board[4];
    return row;
}

CableRow MakeMccPanelCableRow(const std::array<QString, 20>& panel, int number)
{
    CableRow row;
    SetRoute(row, number, panel[3], panel[0]);
    row[4] = QStringLiteral("L3P");
    row[6] = panel[7];  // kVA already, as the panel calculation wrote it
    row[7] = row[6];
    SetSupply(row, panel[5]);
    row[10] = panel[4];
    for (int i = 0; i < 4; ++i)
        row[std::size_t(25 + i)] = panel[std::size_t(16 + i)];
    return row;
}

CableRow MakeMccLoadCableRow(const QString& panelName, const std::array<QString, 40>& load,
                             int number)
{
    CableRow row;
    SetRoute(row, number, panelName, load[1]);
    row[4] = load[2];
    row[5] = load[3];
    row[6] = load[4];
    row[7] = load[6];
    row[8] = QString(load[7]).remove(QLatin1Char('P'));
    row[9] = QString(load[8]).remove(QLatin1Char('W'));
    for (int c = 10; c <= 12; ++c)
        row[std::size_t(c)] = load[std::size_t(c - 1)];
    // Starting method to demand load; the design current (13) is left to the sizing.
    for (int c = 14; c <= 24; ++c)
        row[std::size_t(c)] = load[std::size_t(c - 1)];
    return row;
}

BusFaultIndex::BusFaultIndex(CSevrinApp& app) : m_app(app) {}

const std::vector<BusFaultIndex::Page>& BusFaultIndex::Pages(int tr)
{
    const std::size_t t = std::size_t(tr >= 0 && tr <= 3 ? tr : 4);
    if (m_read[t])
        return m_pages[t];
    m_read[t] = true;
    companion::WorkbookAccess wb(m_app.BusWorkbookPath(int(t)),
                                 companion::WorkbookAccess::Mode::Read);
    if (!wb.ok())
        return m_pages[t];
    const int count = wb.book().sheetCount();
    m_pages[t].reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const Sheet* s = wb.sheet(i);
        m_pages[t].push_back({companion::CellText(*s, kBusNameRow, kBusNameCol),
                              companion::CellText(*s, 0, kMinCol),
                              companion::CellText(*s, 0, kMaxCol)});
    }
    return m_pages[t];
}

BusFaultIndex::Hit BusFaultIndex::HitOf(const Page& page)
{
    Hit hit;
    hit.found = true;
    // An empty or unreadable value cell gives no value: the row keeps what it had. A fault
    // current is read strictly and is never negative.
    const auto take = [](const QString& text, bool& has, double& value) {
        double v = 0.0;
        if (ReadQuantity(text, QuantitySign::NonNegative, &v)) {
            has = true;
            value = v;
        }
    };
    take(page.minimum, hit.hasMinimum, hit.minimum);
    take(page.maximum, hit.hasMaximum, hit.maximum);
    return hit;
}

BusFaultIndex::Hit BusFaultIndex::FindEqual(int tr, const QString& name)
{
    if (name.isEmpty())
        return {};
    for (const Page& p : Pages(tr))
        if (p.bus == name)
            return HitOf(p);
    return {};
}

BusFaultIndex::Hit BusFaultIndex::FindContaining(int tr, const QString& name)
{
    if (name.isEmpty())
        return {};
    for (const Page& p : Pages(tr))
        if (p.bus != name && p.bus.contains(name, Qt::CaseSensitive))
            return HitOf(p);
    return {};
}
