// Short-circuit currents of one bus.
#include "fault/core/busfault.h"
#include "app/core/quantity.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/faultvalues.h"
#include "platform/prompt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace fault {

namespace {

constexpr double kTwoPi = 6.283185308;
constexpr double kFrequency = 60.0;  // Hz
constexpr double kIncomingVoltage = 22.9;  // kV

const QString& Cell(const BusView& v, std::size_t row, std::size_t col)
{
    static const QString empty;
    return row < v.Rows.size() ? v.Rows[row][col] : empty;
}

// Columns that carry no figure at the upstream rows show "-".
void MarkUnusedColumns(BusListRow& row)
{
    for (std::size_t c = 1; c <= 9; ++c)
        row[c] = QStringLiteral("-");
    row[14] = QStringLiteral("-");
    row[15] = QStringLiteral("-");
}

void ShowResults(BusView& v, const std::array<double, kBusResults>& f, bool skipMinimumImpedance)
{
    for (int i = 0; i < kBusResults; ++i) {
        if (skipMinimumImpedance && (i == ResRst250 || i == ResXstMin))
            continue;
        const bool current = i == ResIk || i == ResIbMax || i == ResIbMin || i == ResIp ||
                             i == ResIgMax;
        v.Results[std::size_t(i)] = FormatBusValue(f[std::size_t(i)], current ? 3 : 6);
    }
}

QString Tr(const char* text)
{
    return QCoreApplication::translate("Fault", text);
}

}  // namespace

void BusView::ClearBus()
{
    BusName.clear();
    Rows.clear();
    Results.fill(QString());
}

std::array<double, kBusResults> CalcBusFigures(const BusFaultInputs& in)
{
    std::array<double, kBusResults> f{};
    const double ratio = in.Rst20 / in.XstMax;
    const double ik = (in.Cmax * in.U / std::sqrt(3.0)) /
                      std::sqrt(in.Rst20 * in.Rst20 + in.XstMax * in.XstMax);
    const double idc = std::sqrt(2.0) * ik * std::exp(-kTwoPi * kFrequency * in.T * ratio);
    const double kappa = 1.02 + 0.98 * std::exp(-3.0 * ratio);
    f[ResK] = std::sqrt(1.0 + 2.0 * std::exp(-kTwoPi * ratio));
    f[ResIk] = ik;
    f[ResIdc] = idc;
    f[ResIbMax] = std::sqrt(ik * ik + idc * idc);
    f[ResIbMin] = in.IbMinFactor * (in.Cmin * in.U / std::sqrt(3.0)) /
                  std::sqrt(in.Rst250 * in.Rst250 + in.XstMin * in.XstMin);
    f[ResIp] = kappa * std::sqrt(2.0) * ik;
    f[ResIgMax] = std::sqrt(3.0) * in.EarthFactor * in.U / std::sqrt(in.Rgt * in.Rgt + in.Xgt * in.Xgt);
    f[ResCmax] = in.Cmax;
    f[ResCmin] = in.Cmin;
    f[ResRst20] = in.Rst20;
    f[ResRst250] = in.Rst250;
    f[ResXstMax] = in.XstMax;
    f[ResXstMin] = in.XstMin;
    f[ResRgt] = in.Rgt;
    f[ResXgt] = in.Xgt;
    return f;
}

double BreakerInstantaneousTime(const CSevrinApp& app)
{
    // Choices "0.01" to "0.05" s; an index outside them takes the nearest choice.
    int index = app.CabinetSizingBlock.ConductorCriteriaIndex[2];
    index = std::clamp(index, 0, 4);
    return 0.01 * (index + 1);
}

BusCalcFactors ReadBusCalcFactors(const CSevrinApp& app)
{
    const auto& b = app.FaultCurrentBlock;
    BusCalcFactors f;
    // Voltage factors are positive; an empty, negative or nonsense one has no value (an empty
    // factor must not make every current 0).
    f.CmaxLv = QuantityOr(b.FaultConditionText[6], QuantitySign::Positive);
    f.CminLv = QuantityOr(b.FaultConditionText[7], QuantitySign::Positive);
    f.CmaxHv = QuantityOr(b.FaultConditionText[8], QuantitySign::Positive);
    f.CminHv = QuantityOr(b.FaultConditionText[9], QuantitySign::Positive);
    f.T = BreakerInstantaneousTime(app);
    f.R0 = QuantityOr(b.FaultResult[34], QuantitySign::NonNegative);
    f.X0 = QuantityOr(b.FaultResult[35], QuantitySign::NonNegative);
    return f;
}

bool CalcBusFaultCurrent(CSevrinApp& app, BusView& v, bool* stored)
{
    const BusCalcFactors c = ReadBusCalcFactors(app);
    BusFaultInputs in;
    in.T = c.T;

    if (v.Mode == BusMode::Incoming) {
        if (Cell(v, 0, BusR20).isEmpty())
            return true;  // the system calculation has not run
        MarkUnusedColumns(v.Rows[0]);
        const double r20 = QuantityOr(v.Rows[0][BusR20], QuantitySign::NonNegative);
        const double r250 = QuantityOr(v.Rows[0][BusR250], QuantitySign::NonNegative);
        const double x = QuantityOr(v.Rows[0][BusX], QuantitySign::NonNegative);
        in.U = kIncomingVoltage;
        in.Cmax = c.CmaxHv;
        in.Cmin = c.CminHv;
        in.Rst20 = r20;
        in.Rst250 = r250;
        in.XstMax = x;
        in.XstMin = x;
        in.Rgt = c.R0 + 2.0 * r20;
        in.Xgt = c.X0 + 2.0 * x;
        in.EarthFactor = c.CmaxHv;
        ShowResults(v, CalcBusFigures(in), false);
        return true;
    }

    // An empty NGR is a solidly earthed neutral (0 ohm) and may not be negative; a bus without
    // a positive voltage (its transformer deleted, a damaged page) has no currents, not 0 kA.
    const double u = QuantityOr(v.Voltage, QuantitySign::Positive);
    const double ngr = CellQuantity(v.Ngr, QuantitySign::NonNegative, 0.0);
    in.U = u;
    in.Cmax = c.CmaxLv;
    in.Cmin = c.CminLv;

    if (v.Mode == BusMode::Transformer) {
        if (v.Rows.size() < 2 || v.Rows[0][BusR20].isEmpty())
            return true;
        MarkUnusedColumns(v.Rows[0]);
        MarkUnusedColumns(v.Rows[1]);
        const double rs = QuantityOr(v.Rows[0][BusR20], QuantitySign::NonNegative);
        const double xs = QuantityOr(v.Rows[0][BusX], QuantitySign::NonNegative);
        const double rt = QuantityOr(v.Rows[1][BusR20], QuantitySign::NonNegative);
        const double xt = QuantityOr(v.Rows[1][BusX], QuantitySign::NonNegative);
        in.Rst20 = rs;
        in.XstMax = xs;
        in.Rst250 = QuantityOr(v.Results[ResRst250], QuantitySign::NonNegative);
        in.XstMin = QuantityOr(v.Results[ResXstMin], QuantitySign::NonNegative);
        in.Rgt = 3.0 * ngr + rt + 2.0 * rs;
        in.Xgt = xt + 2.0 * xs;
        in.EarthFactor = c.CmaxLv;
        in.IbMinFactor = 1.1;
        ShowResults(v, CalcBusFigures(in), true);
        return true;
    }

    // A downstream bus.
    const std::size_t n = v.Rows.size();
    if (v.BusName.isEmpty() || n == 0)
        return false;
    if (n > 2 && v.Rows[0][BusR20].isEmpty()) {
        v.Rows[0] = v.UpstreamRows[0];
        v.Rows[1] = v.UpstreamRows[1];
    }
    const double rt250 = QuantityOr(Cell(v, 1, BusR250), QuantitySign::NonNegative);
    const double xt = QuantityOr(Cell(v, 1, BusX), QuantitySign::NonNegative);
    double sumR20 = 0.0, sumX = 0.0, sumRc = 0.0, sumXc = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i == 1)
            continue;
        sumR20 += QuantityOr(v.Rows[i][BusR20], QuantitySign::NonNegative);
        sumX += QuantityOr(v.Rows[i][BusX], QuantitySign::NonNegative);
        if (i >= 2) {
            sumRc += QuantityOr(v.Rows[i][BusR250], QuantitySign::NonNegative);
            sumXc += QuantityOr(v.Rows[i][BusX], QuantitySign::NonNegative);
        }
    }
    in.Rst20 = sumR20;
    in.XstMax = sumX;
    in.Rst250 = v.RB + sumRc;
    in.XstMin = v.XB + sumXc;
    in.Rgt = rt250 + 3.0 * ngr + 2.0 * sumRc + 2.0 * in.Rst250;
    in.Xgt = xt + 2.0 * sumXc + 2.0 * in.XstMin;
    // The earth fault rests on the minimum-current impedances, so it takes cmin too.
    in.EarthFactor = c.CminLv;
    ShowResults(v, CalcBusFigures(in), false);

    auto& header = app.FaultCurrentBlock.BusPageHeader;
    for (std::size_t i = 0; i < header.size(); ++i)
        header[i] = v.Results[i];
    if (!app.WriteBusPageHeader(v.TransformerIndex, v.SheetIndex) && stored)
        *stored = false;
    return true;
}

// ---- the bus cell's own operations ---------------------------------------------------------

bool ValidateBusInput(BusView& v)
{
    if (v.BusName.isEmpty()) {
        Prompt::Message(Tr("BUS NAME을 입력해 주세요!!!"));
        return false;
    }
    if (v.Rows.size() < 2) {
        if (v.UpstreamRows[0][BusR90].isEmpty() || v.UpstreamRows[1][BusR90].isEmpty()) {
            Prompt::Message(Tr("TR 연산을 먼저 해야 합니다.!!!"));
            return false;
        }
        v.Rows.clear();
        v.Rows.push_back(v.UpstreamRows[0]);
        v.Rows.push_back(v.UpstreamRows[1]);
        return true;
    }
    if (v.Rows[0][BusR20].isEmpty()) {
        for (std::size_t r = 0; r < 2; ++r)
            for (std::size_t c = 1; c < 16; ++c)
                v.Rows[r][c] = v.UpstreamRows[r][c];
    }
    return true;
}

namespace {

void FillBusRow(CSevrinApp& app, const BusView& v, const BusListRow& cable)
{
    auto& row = app.FaultCurrentBlock.BusRow;
    for (std::size_t c = 0; c < 16; ++c)
        row[c] = cable[c];
    row[16] = v.BusName;
    row[17] = v.Voltage;
    row[18] = v.TransformerName;
    row[19] = v.Ngr;
}

// A bus page the store could not write: the bus on screen stays as its page holds it.
void ReportBusWriteFailure(const CSevrinApp& app, const BusView& v)
{
    Prompt::Message(Tr("BUS 파일에 저장하지 못했습니다.\n%1").arg(app.BusWorkbookPath(v.TransformerIndex)));
}

// After a stored change of its rows: the bus recomputed and its results stored. A page that
// keeps its rows but not the new results says so; the bus shows the results it computed.
bool RecalcStoredBus(CSevrinApp& app, BusView& v)
{
    bool stored = true;
    CalcBusFaultCurrent(app, v, &stored);
    if (!stored)
        ReportBusWriteFailure(app, v);
    return stored;
}

}  // namespace

bool AddBusCable(CSevrinApp& app, BusView& v, const BusListRow& cable)
{
    if (cable[0].isEmpty() || !ValidateBusInput(v))
        return false;
    const int n = int(v.Rows.size());
    // A page is read back up to its 1000th bus row.
    if (!CheckListRoom(n - 2))
        return false;
    FillBusRow(app, v, cable);
    if (!app.WriteBusRow(v.TransformerIndex, v.SheetIndex, n - 2)) {
        ReportBusWriteFailure(app, v);
        return false;
    }
    v.Rows.push_back(cable);
    return RecalcStoredBus(app, v);
}

bool ChangeBusCable(CSevrinApp& app, BusView& v, int sel, const BusListRow& cable)
{
    if (sel < 2 || sel >= int(v.Rows.size()) || cable[0].isEmpty() || !ValidateBusInput(v))
        return false;
    FillBusRow(app, v, cable);
    if (!app.WriteBusRow(v.TransformerIndex, v.SheetIndex, sel - 2)) {
        ReportBusWriteFailure(app, v);
        return false;
    }
    v.Rows[std::size_t(sel)] = cable;
    return RecalcStoredBus(app, v);
}

bool DeleteBusCable(CSevrinApp& app, BusView& v, int sel)
{
    if (sel < 2 || sel >= int(v.Rows.size()))
        return false;
    if (!app.DeleteBusRow(v.TransformerIndex, v.SheetIndex, sel - 2)) {
        ReportBusWriteFailure(app, v);
        return false;
    }
    v.Rows.erase(v.Rows.begin() + sel);
    return RecalcStoredBus(app, v);
}

bool SetBusName(CSevrinApp& app, BusView& v, const QString& name)
{
    if (name.trimmed().isEmpty()) {
        Prompt::Message(Tr("BUS NAME을 입력해 주세요!!!"));
        return false;
    }
    if (v.Rows.size() > 2 &&
        !app.WriteBusNameColumn(v.TransformerIndex, v.SheetIndex, name, int(v.Rows.size()) - 2)) {
        ReportBusWriteFailure(app, v);
        return false;
    }
    v.BusName = name;
    return true;
}

bool DeleteAllBusCables(CSevrinApp& app, BusView& v)
{
    const int m = int(v.Rows.size());
    bool stored = true;
    {
        CompanionBatch batch;
        // Bus rows are removed from the bottom so that each index still names its row.
        for (int k = m - 3; k >= 0 && stored; --k)
            stored = app.DeleteBusRow(v.TransformerIndex, v.SheetIndex, k);
        stored = batch.commit(stored);
    }
    if (!stored) {
        ReportBusWriteFailure(app, v);
        return false;
    }
    v.ClearBus();
    return true;
}

}  // namespace fault
