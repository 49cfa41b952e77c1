#include "loads/core/mccpanel.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "library/core/ctratio.h"
#include "app/core/quantity.h"
#include "platform/xlsxbook.h"

#include <cmath>
#include <limits>

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kFirstLoadRow = 6;
constexpr int kMaxLoadRows = kMaxMccLoadRows;
constexpr int kMaxCableRows = 1000;
constexpr int kMaxLinkedSheets = 100;

// Cable schedule columns the panel reads.
enum CableCol {
    CableFrom = 2,
    CableTo = 3,
    CablePoles = 91,
    CableFrame = 96,
    CableTrip = 97,
    CableKa = 102,
    CableVolt = 104,
    CableType = 105,
    CableSq = 106,
    CableCore = 108,
    CableLine = 109,
    CablePe = 110,
    CableConduit = 111,
};


// A stored figure for the sums: "-" and empty text count 0 (a line the load does not use, a
// figure that does not apply). Any other text that is not a number of at least 0 (nan, inf,
// 1e308, a negative load) makes the sum no value: a total that silently left out a load
// would be trusted.
double Sum(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0.0;
    return QuantityOr(text, QuantitySign::NonNegative);
}

QString Fixed0(double v)
{
    return IsPrintable(v) && !IsNoValue(v) ? FormatFixed(v, 0) : QStringLiteral("-");
}

// A stored text reprinted with `decimals` (and a suffix); "-" when it holds no number.
QString Reprint(const QString& text, int decimals, const QString& suffix = QString())
{
    double v = 0;
    return ReadQuantity(text, QuantitySign::NonNegative, &v) ? FormatFixed(v, decimals) + suffix
                                                             : QStringLiteral("-");
}

// Load row r of a panel sheet; false where the list ends (no equipment number).
bool ReadListedLoadRow(const Sheet& sheet, int r, MccLoadRow& row)
{
    companion::ReadRow(sheet, r + kFirstLoadRow, row);
    return !row[MccCol::Number].isEmpty();
}

}  // namespace

std::vector<MccLoadRow> ReadMccLoadRows(CSevrinApp& app, int panel)
{
    std::vector<MccLoadRow> rows;
    WorkbookAccess wb(app.CompanionPath(CSevrinApp::MccWorkbook), Mode::Read);
    const Sheet* sheet = panel >= 0 ? wb.sheet(panel) : nullptr;
    if (!sheet)
        return rows;
    for (int r = 0; r < kMaxLoadRows; ++r) {
        MccLoadRow row;
        if (!ReadListedLoadRow(*sheet, r, row))
            break;
        rows.push_back(std::move(row));
    }
    return rows;
}

bool MccLoadRowsBeyondLimit(CSevrinApp& app, int panel)
{
    WorkbookAccess wb(app.CompanionPath(CSevrinApp::MccWorkbook), Mode::Read);
    const Sheet* sheet = panel >= 0 ? wb.sheet(panel) : nullptr;
    MccLoadRow row;
    // The list runs to its limit only when no row before it ends the list.
    return sheet && ReadListedLoadRow(*sheet, kMaxLoadRows - 1, row) &&
           ReadListedLoadRow(*sheet, kMaxLoadRows, row) &&
           int(ReadMccLoadRows(app, panel).size()) == kMaxLoadRows;
}

MccTotalsResult CalcMccPanelTotals(const std::vector<MccLoadRow>& rows, const QString& voltageKv,
                                   const LibTable& ctRatios)
{
    using namespace MccCol;
    double cl = 0, dl = 0, l1 = 0, l2 = 0, l3 = 0;
    int counted = 0;
    const MccLoadRow* largestMotor = nullptr;
    double largestIms = 0;
    double largestDemand = 0;
    bool haveLargestDemand = false;

    for (const MccLoadRow& row : rows) {
        const QString& spare = row[Spare];
        const bool linked = IsMccLinkedRow(row);
        double rowDemand = 0;
        bool counts = false;
        if (spare == QLatin1String("N")) {
            counts = true;
            rowDemand = Sum(row[DemandKva]);
            cl += Sum(row[InputKva]);
            dl += rowDemand;
            l1 += Sum(row[L1]);
            l2 += Sum(row[L2]);
            l3 += Sum(row[L3]);
        } else if (linked && spare != QLatin1String("Y")) {
            // A fed panel or board: its demand, spread equally over the three lines. Rows
            // imported without a stored demand carry it in their load column.
            counts = true;
            rowDemand = row[DemandKva].isEmpty() ? Sum(row[InputKva]) : Sum(row[DemandKva]);
            cl += Sum(row[InputKva]);
            dl += rowDemand;
            l1 += rowDemand / 3.0;
            l2 += rowDemand / 3.0;
            l3 += rowDemand / 3.0;
        }
        if (counts) {
            ++counted;
            if (!haveLargestDemand || rowDemand > largestDemand) {
                largestDemand = rowDemand;
                haveLargestDemand = true;
            }
        }
        // The largest motor: spare motors too (one may be started in place of another).
        double ims = 0;
        if (row[Kind] == QLatin1String("M") &&
            ReadQuantity(row[Ims], QuantitySign::NonNegative, &ims) &&
            (!largestMotor || ims > largestIms)) {
            largestMotor = &row;
            largestIms = ims;
        }
    }

    MccTotalsResult r;
    r.counted = counted;
    MccPanelTotalsT& t = r.totals;
    // No counted load has no demand factor to speak of: 0. A total that is no value has none.
    const double df = !std::isfinite(cl) || !std::isfinite(dl) ? NO_VALUE
                      : counted > 0 && cl > 0                  ? dl / cl * 100.0
                                                               : 0.0;
    t[MccTotal::ConnectedKva] = Fixed0(cl);
    t[MccTotal::DemandFactor] = Fixed0(df);
    t[MccTotal::DemandKva] = Fixed0(dl);
    t[MccTotal::L1] = Fixed0(l1);
    t[MccTotal::L2] = Fixed0(l2);
    t[MccTotal::L3] = Fixed0(l3);
    t[MccTotal::MotorWord] = QStringLiteral("기동");
    if (largestMotor) {
        const MccLoadRow& m = *largestMotor;
        t[MccTotal::MotorKw] = Reprint(m[MotorKw], 2);
        t[MccTotal::MotorMethod] = m[MotorMethod];
        t[MccTotal::MotorStartKva] = Reprint(m[MotorStartKva], 0);
        t[MccTotal::MotorStartTime] = Reprint(m[MotorTime], 0, QStringLiteral("s"));
    } else {
        for (int i : {MccTotal::MotorKw, MccTotal::MotorMethod, MccTotal::MotorStartKva,
                      MccTotal::MotorStartTime})
            t[std::size_t(i)] = QStringLiteral("-");
    }

    // Main current transformer on the panel's demand current.
    double v = 0.0;
    if (ReadQuantity(voltageKv, QuantitySign::Positive, &v)) {
        const double current = dl / std::sqrt(3.0) / v;
        if (IsPrintable(current))
            t[MccTotal::Ct] = ChooseCtRatio(ctRatios, current);
    }
    t[MccTotal::WithoutLargest] = Fixed0(counted > 0 ? dl - largestDemand : dl);

    // Record items 7 to 19.
    auto& res = r.results;
    res[0] = t[MccTotal::ConnectedKva];
    res[1] = t[MccTotal::DemandFactor];
    res[2] = t[MccTotal::DemandKva];
    if (largestMotor) {
        const MccLoadRow& m = *largestMotor;
        const int cols[6] = {Kw, PowerFactor, Beta, Efficiency, StartPowerFactor, C};
        for (int i = 0; i < 6; ++i)
            res[std::size_t(3 + i)] = QuantityText(m[std::size_t(cols[i])], QuantitySign::Positive);
        res[12] = t[MccTotal::MotorMethod];
    }
    res[9] = t[MccTotal::WithoutLargest];
    res[10] = t[MccTotal::MotorStartKva];
    res[11] = t[MccTotal::MotorStartTime];
    return r;
}

MccFeeder FindMccFeeder(CSevrinApp& app, const QString& panelName)
{
    MccFeeder f;
    WorkbookAccess wb(app.CompanionPath(CSevrinApp::CableWorkbook), Mode::Read);
    const Sheet* sheet = wb.sheet(0);
    if (!sheet)
        return f;
    for (int r = 0; r < kMaxCableRows; ++r) {
        const auto cell = [&](int c) { return companion::CellText(*sheet, r, c); };
        if (cell(0).isEmpty())
            break;
        if (cell(CableTo) != panelName)
            continue;
        f.found = true;
        f.poles = cell(CablePoles) + QStringLiteral("P");
        f.frame = cell(CableFrame);
        f.trip = cell(CableTrip) + QStringLiteral("AT");
        f.breakingKa = cell(CableKa);
        f.cable = cell(CableVolt) + QLatin1Char(' ') + cell(CableType) + QLatin1Char(' ') +
                  cell(CableSq) + QLatin1Char('/') + cell(CableCore) + QLatin1Char('-') +
                  cell(CableLine) + QStringLiteral(",E-") + cell(CablePe) + QLatin1Char('(') +
                  cell(CableConduit) + QLatin1Char(')');
        break;
    }
    return f;
}

MccFaultCurrents FindMccFaultCurrents(CSevrinApp& app, const QString& panelName)
{
    MccFaultCurrents f;
    for (int tr = 0; tr < 5; ++tr) {
        // A bus page whose value cells are empty leaves the presets: it gives no value.
        double minimum = NO_VALUE;
        double maximum = minimum;
        if (!app.FindBusFaultValues(tr, panelName, minimum, maximum))
            continue;
        // A fault current is above 0; anything else read from a bus page is no value.
        if (IsPrintable(maximum) && maximum > 0.0)
            f.maximum = FormatFixed(maximum, 3);
        if (IsPrintable(minimum) && minimum > 0.0)
            f.minimum = FormatFixed(minimum, 3);
    }
    return f;
}

namespace {

// The totals of the stored rows, stored as the panel's results when `store` is set.
MccPanelCalc PanelResults(CSevrinApp& app, int panel, bool store)
{
    MccPanelCalc c;
    auto& block = app.MotorControlCenterBlock;
    if (!app.ReadMccPanelSheet(panel))
        return c;
    if (!store && block.MccPanelRecord[7].isEmpty())
        return c;
    c.read = true;
    const std::vector<MccLoadRow> rows = ReadMccLoadRows(app, panel);
    const MccTotalsResult t =
        CalcMccPanelTotals(rows, block.MccPanelRecord[4], app.SwitchgearLibBlock.CtRatioTable);
    c.totals = t.totals;
    if (store) {
        for (int i = 0; i < 13; ++i)
            block.MccPanelRecord[std::size_t(7 + i)] = t.results[std::size_t(i)];
        c.stored = app.WriteMccPanelResults(panel);
    }

    const QString name = block.MccPanelRecord[0];
    const MccFeeder feeder = FindMccFeeder(app, name);
    if (feeder.found) {
        c.totals[MccTotal::BreakerPoles] = feeder.poles;
        c.totals[MccTotal::BreakerFrame] = feeder.frame;
        c.totals[MccTotal::BreakerTrip] = feeder.trip;
        c.totals[MccTotal::BreakingKa] = feeder.breakingKa;
        c.totals[MccTotal::Cable] = feeder.cable;
    }
    block.MccPanelTotals = c.totals;
    c.fault = FindMccFaultCurrents(app, name);
    return c;
}

}  // namespace

MccPanelCalc CalcMccPanelResults(CSevrinApp& app, int panel)
{
    return PanelResults(app, panel, true);
}

MccPanelCalc ReadMccPanelResults(CSevrinApp& app, int panel)
{
    return PanelResults(app, panel, false);
}

bool RecalcMccPanelLoads(CSevrinApp& app, int panel, std::vector<MccLoadRow>& rows)
{
    auto& block = app.MotorControlCenterBlock;
    if (!app.ReadMccPanelSheet(panel))
        return false;
    const QString supply = block.MccPanelRecord[5];
    rows = ReadMccLoadRows(app, panel);
    const MccLoadConditions cond = MccLoadConditionsOf(app);
    const MotorDataLookup lookup = AppMotorLookup(app);
    CompanionBatch batch;
    bool ok = true;
    for (std::size_t k = 0; k < rows.size() && ok; ++k) {
        MccLoadRow& row = rows[k];
        if (ValidateMccLoadInput(MccLoadInputOf(row, supply), lookup) != MccLoadRefusal::None)
            continue;
        CalcMccLoadRow(row, cond, lookup);
        block.MccLoadRow = row;
        ok = app.WriteMccLoadRow(panel, int(k), false);
    }
    // A row that cannot be stored leaves every row as the file held it.
    return batch.commit(ok);
}

MccLinkedLoads CollectMccLinkedLoads(CSevrinApp& app, const QString& panelName)
{
    MccLinkedLoads r;
    const auto& panel = app.MotorControlCenterBlock.MccPanelRecord;
    for (int i = 0; i < kMaxLinkedSheets && app.ReadMccPanelSheet(i); ++i) {
        if (panel[3] != panelName)
            continue;
        // A fed MCC panel brings its stored demand ΣDL (none yet: 0); one that is no number
        // comes as "-".
        const double demand =
            panel[9].isEmpty() ? 0.0 : QuantityOr(panel[9], QuantitySign::NonNegative);
        r.rows.push_back(MakeMccLinkedLoadRow(
            panel[0], QuantityText(panel[9], QuantitySign::NonNegative), demand));
        ++r.panels;
    }
    const auto& board = app.CabinetSizingBlock.BoardRecord;
    for (int i = 0; i < kMaxLinkedSheets && app.ReadPanelBoardSheet(i); ++i) {
        if (board[3] != panelName)
            continue;
        // A board keeps its connected load in VA and its demand load in kVA.
        const double connectedKva = Sum(board[7]) / 1000.0;
        double demand = 0;
        if (!ReadQuantity(board[9], QuantitySign::NonNegative, &demand))
            demand = std::isfinite(connectedKva) ? connectedKva : NO_VALUE;
        r.rows.push_back(MakeMccLinkedLoadRow(board[0], Fixed0(connectedKva), demand));
        ++r.boards;
    }
    return r;
}

MccBreakerImport MatchMccBreakers(CSevrinApp& app, const QString& panelName,
                                  std::vector<MccLoadRow>& rows)
{
    MccBreakerImport r;
    WorkbookAccess wb(app.CompanionPath(CSevrinApp::CableWorkbook), Mode::Read);
    const Sheet* sheet = wb.sheet(0);
    if (!sheet)
        return r;
    for (int j = 0; j < kMaxCableRows; ++j) {
        const auto cell = [&](int c) { return companion::CellText(*sheet, j, c); };
        if (cell(0).isEmpty())
            break;
        ++r.total;
        if (cell(CableFrom) != panelName)
            continue;
        const QString to = cell(CableTo);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k][MccCol::Number] != to)
                continue;
            rows[k][MccCol::BreakerPoles] = cell(CablePoles);
            rows[k][MccCol::BreakerFrame] = cell(CableFrame);
            rows[k][MccCol::BreakerTrip] = cell(CableTrip);
            r.changedRows.push_back(int(k));
            ++r.matched;
            break;  // only the first row of that number
        }
    }
    return r;
}

MccPanelNameCheck CheckMccPanelName(const QString& name, const QStringList& names, int except)
{
    if (name.isEmpty())
        return MccPanelNameCheck::Empty;
    if (!IsValidSheetName(name))
        return MccPanelNameCheck::Invalid;
    for (int i = 0; i < names.size(); ++i)
        if (i != except && names[i].compare(name, Qt::CaseInsensitive) == 0)
            return MccPanelNameCheck::Duplicate;
    return MccPanelNameCheck::Ok;
}

QString MccPanelNameMessage(MccPanelNameCheck check)
{
    switch (check) {
    case MccPanelNameCheck::Ok:
    case MccPanelNameCheck::Empty:
        return QString();
    case MccPanelNameCheck::Invalid:
        return QStringLiteral("분전반명으로 사용할 수 없는 이름입니다.\n31자 이내로, : \\ / ? * [ ] "
                              "문자 없이 입력해 주세요.");
    case MccPanelNameCheck::Duplicate:
        return QStringLiteral("해당 부하가 존재합니다. !!!");
    }
    return QString();
}

QString MakeMccCopyName(const QString& base, const QString& stamp, const QStringList& names)
{
    const QString first = base + QLatin1Char('_') + stamp;
    QString name = first;
    for (int n = 2; CheckMccPanelName(name, names) == MccPanelNameCheck::Duplicate; ++n)
        name = first + QLatin1Char('_') + QString::number(n);
    return name;
}

bool CopyMccLoadRows(CSevrinApp& app, int source, int target)
{
    WorkbookAccess wb(app.CompanionPath(CSevrinApp::MccWorkbook), Mode::Write);
    Sheet* from = wb.sheet(source);
    Sheet* to = wb.sheet(target);
    if (!from || !to || source == target)
        return false;
    for (int r = 0; r < kMaxLoadRows; ++r) {
        MccLoadRow row;
        companion::ReadRow(*from, r + kFirstLoadRow, row);
        if (row[MccCol::Number].isEmpty())
            break;
        if (!companion::WriteRow(*to, r + kFirstLoadRow, row))
            return false;
    }
    return wb.save();
}
