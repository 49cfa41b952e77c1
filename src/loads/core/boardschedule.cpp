#include "loads/core/boardschedule.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableschedule.h"
#include "app/core/quantity.h"
#include "platform/xlsxbook.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kFirstCircuitRow = 6;
constexpr double kSqrt3 = 1.7320508075688772;
constexpr double kPhaseVolt = 220.0;  // every phase current, whatever the board's voltage
constexpr double kMainKv = 0.38;      // the main current, whatever the supply type
constexpr int kLinkedScanLimit = 100;


// A stored phase load: "" and "-" mark a phase the circuit does not load. Any other text that
// is no number of at least 0 (nan, inf, 1e308, a negative load) is NaN, so the board's sums
// become no value instead of silently leaving that load out.
double PhaseCell(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0.0;
    return QuantityOr(text, QuantitySign::NonNegative);
}

bool IsFaultCurrent(double ka)
{
    return IsPrintable(ka) && ka > 0.0;
}

QString Fixed(double v, int decimals)
{
    return IsPrintable(v) && !IsNoValue(v) ? FormatFixed(v, decimals) : QStringLiteral("-");
}

// Circuit r of a board sheet; false where the list ends (no load name).
bool ReadListedCircuit(const Sheet& sheet, int r, CircuitCells& row)
{
    companion::ReadRow(sheet, r + kFirstCircuitRow, row);
    return !row[CcName].isEmpty();
}

}  // namespace

BoardPhaseLoads SumBoardPhaseLoads(const std::vector<CircuitCells>& rows)
{
    BoardPhaseLoads s;
    for (const CircuitCells& row : rows) {
        if (row[CcName].isEmpty())
            break;
        if (ClassifyCircuitRow(row[CcNo], row[CcSubtotal]) == CircuitRowKind::LinkedPanel) {
            // A fed panel's load must be known: "-" here is a load that could not be read.
            double load = 0.0;
            const double third = ReadQuantity(row[CcSubtotal], QuantitySign::NonNegative, &load)
                                     ? load / 3.0
                                     : NO_VALUE;
            s.l1 += third;
            s.l2 += third;
            s.l3 += third;
            ++s.linkedPanels;
            continue;
        }
        // A circuit that could not be computed (its load "-") carries a load nobody knows.
        if (row[CcSubtotal] == QLatin1String("-")) {
            s.l1 = s.l2 = s.l3 = NO_VALUE;
            continue;
        }
        s.l1 += PhaseCell(row[CcL1]);
        s.l2 += PhaseCell(row[CcL2]);
        s.l3 += PhaseCell(row[CcL3]);
    }
    return s;
}

std::array<QString, 18> CalcBoardTotals(const BoardPhaseLoads& loads, const QString& demandFactor,
                                        const std::array<QString, 4>& mainBreaker)
{
    const double phases[3] = {loads.l1, loads.l2, loads.l3};
    const double total = loads.l1 + loads.l2 + loads.l3;
    // The demand factor strictly, at least 0; otherwise the board has no demand ("-").
    double df = 0.0;
    const double demand = ReadQuantity(demandFactor, QuantitySign::NonNegative, &df)
                              ? total * df / 100.0 / 1000.0  // kVA
                              : NO_VALUE;
    const double mainCurrent = demand / kSqrt3 / kMainKv;
    std::array<QString, 18> t;
    for (int p = 0; p < 3; ++p) {
        t[std::size_t(p)] = Fixed(phases[p], 2);
        t[std::size_t(4 + p)] = Fixed(phases[p] / kPhaseVolt, 2);
        // A board without load has no shares to show.
        t[std::size_t(7 + p)] =
            total > 0 ? Fixed(phases[p] / total * 100.0, 2) + QStringLiteral(" %") : QStringLiteral("-");
    }
    t[3] = Fixed(total, 2);
    t[11] = Fixed(demand, 2);
    t[12] = Fixed(mainCurrent, 0);
    for (int i = 0; i < 4; ++i)
        t[std::size_t(14 + i)] = mainBreaker[std::size_t(i)];
    return t;
}

bool ReadBoardCircuits(CSevrinApp& app, int board, std::vector<CircuitCells>& rows)
{
    rows.clear();
    companion::WorkbookAccess wb(app.CompanionPath(CSevrinApp::PanelBoardWorkbook),
                                 companion::WorkbookAccess::Mode::Read);
    const Sheet* sheet = wb.sheet(board);
    if (!sheet)
        return false;
    CircuitCells row;
    for (int i = 0; i < kMaxBoardCircuits; ++i) {
        if (!ReadListedCircuit(*sheet, i, row))
            break;
        rows.push_back(row);
    }
    return true;
}

bool BoardCircuitsBeyondLimit(CSevrinApp& app, int board)
{
    std::vector<CircuitCells> rows;
    {
        companion::WorkbookAccess wb(app.CompanionPath(CSevrinApp::PanelBoardWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        const Sheet* sheet = board >= 0 ? wb.sheet(board) : nullptr;
        CircuitCells row;
        // Cheap first: the rows at and just past the limit.
        if (!sheet || !ReadListedCircuit(*sheet, kMaxBoardCircuits - 1, row) ||
            !ReadListedCircuit(*sheet, kMaxBoardCircuits, row))
            return false;
    }
    return ReadBoardCircuits(app, board, rows) && int(rows.size()) == kMaxBoardCircuits;
}

BoardFaultCurrents FindBoardFaultCurrents(CSevrinApp& app, const QString& name)
{
    BoardFaultCurrents f;
    BusFaultIndex buses(app);
    for (int tr = 0; tr < 5; ++tr) {
        const BusFaultIndex::Hit hit = buses.FindEqual(tr, name);
        // A bus found without a value keeps what an earlier transformer gave, or "-"; so does
        // one whose value is no fault current (not above 0, not printable).
        if (hit.hasMaximum && IsFaultCurrent(hit.maximum))
            f.maximum = FormatFixed(hit.maximum, 3);
        if (hit.hasMinimum && IsFaultCurrent(hit.minimum))
            f.minimum = FormatFixed(hit.minimum, 3);
    }
    return f;
}

bool CalcPanelBoardInApp(CSevrinApp& app, int board, const QString& name,
                         const QString& demandFactor)
{
    std::vector<CircuitCells> rows;
    if (board < 0 || !ReadBoardCircuits(app, board, rows))
        return false;
    std::array<QString, 4> breaker;
    app.FindCableScheduleRow(name, breaker);
    auto& b = app.CabinetSizingBlock;
    b.PanelBoardTotals() = CalcBoardTotals(SumBoardPhaseLoads(rows), demandFactor, breaker);
    auto& record = b.PanelBoardRecord();
    const auto& totals = b.PanelBoardTotals();
    record[7] = totals[3];
    record[8] = demandFactor;
    record[9] = totals[11];
    record[10] = totals[0];
    record[11] = totals[1];
    record[12] = totals[2];
    // The scan ends on the row after the last circuit, as the store's own sum leaves it.
    b.CircuitRow = rows.size() < std::size_t(kMaxBoardCircuits) ? CircuitCells{} : rows.back();
    return app.WritePanelBoardResults(board);
}

QString CheckBoardName(const QString& name, const std::vector<QString>& names, int except)
{
    if (name.isEmpty())
        return QStringLiteral("분전반명을 입력하시기 바랍니다.");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (int(i) != except && names[i].compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("해당 분전반이 존재합니다. !!!");
    }
    if (!IsValidSheetName(name))
        return QStringLiteral("분전반명 \"%1\"은(는) 사용할 수 없습니다.\n"
                              "31자 이내로, 문자 : \\ / ? * [ ] 없이 입력하시기 바랍니다.")
            .arg(name);
    return QString();
}

LinkedLoads CollectLinkedLoads(CSevrinApp& app, const QString& boardName)
{
    LinkedLoads linked;
    auto& mcc = app.MotorControlCenterBlock;
    for (int r = 0; r < kLinkedScanLimit; ++r) {
        if (!app.ReadMccPanelSheet(r))
            break;
        if (mcc.MccPanelRecord[3] != boardName)
            continue;
        // A demand that is no number comes as "-", and the board's sums show it.
        const double kva = QuantityOr(mcc.MccPanelRecord[9], QuantitySign::NonNegative);
        linked.rows.push_back(MakeLinkedPanelRow(mcc.MccPanelRecord[0],
                                                 IsNoValue(kva) ? QStringLiteral("-")
                                                                : Fixed(kva * 1000.0, 0)));
        ++linked.mccPanels;
    }
    auto& record = app.CabinetSizingBlock.PanelBoardRecord();
    for (int r = 0; r < kLinkedScanLimit; ++r) {
        if (!app.ReadPanelBoardSheet(r))
            break;
        if (record[3] != boardName)
            continue;
        linked.rows.push_back(
            MakeLinkedPanelRow(record[0], QuantityText(record[7], QuantitySign::NonNegative)));
        ++linked.boards;
    }
    return linked;
}

CircuitSearchResult SearchCircuitMinFaultCurrents(CSevrinApp& app, const QString& boardName,
                                                  std::vector<CircuitCells>& rows,
                                                  const BranchCircuitConditions& cond,
                                                  CableLookup& lookup)
{
    CircuitSearchResult result;
    app.CollectPanelNames();
    BusFaultIndex buses(app);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CircuitCells& row = rows[i];
        if (!IsRecomputedCircuit(row))
            continue;
        const bool panel = app.IsPanelName(row[CcName]);
        BusFaultIndex::Hit hit;
        for (int tr = 0; tr < 5 && !hit.found; ++tr)
            hit = panel ? buses.FindEqual(tr, row[CcName]) : buses.FindContaining(tr, boardName);
        // A bus without a minimum current gives the row nothing to compute with.
        if (!hit.found || !hit.hasMinimum || !IsFaultCurrent(hit.minimum))
            continue;
        const double carried = CarriedLoadOf(row);
        row[CcIsMin] = FormatFixed(hit.minimum, 3);
        CalcBranchCircuitRow(row, 0, carried, NO_VALUE, cond, lookup);
        result.changed.push_back(int(i));
        (panel ? result.panelMatches : result.generalMatches) += 1;
    }
    return result;
}
