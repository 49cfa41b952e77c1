#include "loads/core/transformersizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kMaxRows = kMaxTransformerLoadRows;
constexpr int kMaxSheets = 100;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Defined(double v)
{
    return std::isfinite(v) && !IsNoValue(v);
}

// "%d" of a value converted by truncation; "-" for a value that has no integer text.
QString TruncatedText(double v)
{
    if (!Defined(v) || std::fabs(v) >= 2147483648.0)
        return QStringLiteral("-");
    return QString::number(static_cast<long long>(std::trunc(v)));
}

double Number(const QString& text)
{
    return ReadNumber(text);
}

}  // namespace

bool ReadLoadText(QStringView text, double* value)
{
    if (text.isEmpty() || text == u"-")
        return false;
    QString plain = text.toString();
    plain.remove(QLatin1Char('m'));
    const double v = ReadNumber(plain);
    if (!std::isfinite(v))
        return false;
    *value = v;
    return true;
}

long long RoundHalfAway(double v)
{
    if (!std::isfinite(v) || std::fabs(v) >= 9.0e18)
        return 0;
    return std::llround(v);  // llround rounds halves away from zero
}

double PickStandardRating(double demand, const RatingLookup& lookup)
{
    if (!Defined(demand) || std::fabs(demand) > 1.0e12)
        return NO_VALUE;
    // The keys are whole numbers: a demand of 100.4 kVA must find the rating above 100.
    const double key = std::max(0.0, std::ceil(demand - 1e-9));
    const double rating = lookup(key);
    if (!Defined(rating))
        return NO_VALUE;
    // Above the largest key the table answers with its last rating, which is too small.
    if (rating < demand - 1e-9)
        return NO_VALUE;
    return rating;
}

QString FixedOrDash(double value, int decimals)
{
    if (!Defined(value))
        return QStringLiteral("-");
    return FormatFixed(value, decimals);
}

TransformerTotals CalcTransformerTotals(const std::vector<TransformerLoadRowT>& rows)
{
    TransformerTotals t;
    for (const TransformerLoadRowT& row : rows) {
        if (t.rows >= kMaxRows)
            break;
        double v = 0.0;
        if (ReadLoadText(row[trcol::kConnectedVA], &v))
            t.connectedVA += v;
        if (ReadLoadText(row[trcol::kDemandVA], &v))
            t.demandVA += v;
        ++t.rows;
    }
    return t;
}

std::vector<TransformerLoadRowT> ReadTransformerLoadRows(CSevrinApp& app, int tr)
{
    std::vector<TransformerLoadRowT> rows;
    for (int i = 0; i < kMaxRows; ++i) {
        if (!app.ReadTransformerLoadRow(tr, i))
            break;
        rows.push_back(app.TransformerSizingBlock.TransformerLoadRow);
    }
    return rows;
}

bool TransformerLoadRowsBeyondLimit(CSevrinApp& app, int tr)
{
    auto& b = app.TransformerSizingBlock;
    // The row buffer and the sheet name stay as the last list read left them.
    const TransformerLoadRowT row = b.TransformerLoadRow;
    const QString sheetName = b.TransformerSheetName;
    const bool beyond = app.ReadTransformerLoadRow(tr, kMaxRows - 1) &&
                        app.ReadTransformerLoadRow(tr, kMaxRows) &&
                        int(ReadTransformerLoadRows(app, tr).size()) == kMaxRows;
    b.TransformerLoadRow = row;
    b.TransformerSheetName = sheetName;
    return beyond;
}

TransformerMotorInputs ReadTransformerMotorInputs(const TransformerRecordT& r)
{
    using namespace trfield;
    TransformerMotorInputs in;
    in.pm = Number(r[kPm]);
    in.cosM = Number(r[kCosM]);
    in.beta = Number(r[kBeta]);
    in.z = Number(r[kZ]);
    in.epsilon = Number(r[kEpsilon]);
    in.cos = Number(r[kCos]);
    in.etaM = Number(r[kEtaM]);
    in.cosMs = Number(r[kCosMs]);
    in.c = Number(r[kC]);
    return in;
}

TransformerMotorBlock CalcTransformerMotorBlock(int demandKva, const TransformerMotorInputs& in,
                                                const RatingLookup& lookup)
{
    TransformerMotorBlock b;
    // A power factor outside 0..1 has no sine: the square roots below give NaN and so "-".
    auto sine = [](double cosine) {
        return cosine >= -1.0 && cosine <= 1.0 ? std::sqrt(1.0 - cosine * cosine) : kNaN;
    };
    b.s = demandKva - in.pm;
    b.p1 = b.s * in.cos;
    b.sinMs = sine(in.cosMs);
    b.q1 = b.s * sine(in.cos);
    const double inputKva = in.etaM * in.cosM;
    b.k = inputKva != 0.0 ? in.pm / inputKva * in.beta * in.c : kNaN;
    b.p2 = b.k * in.cosMs;
    b.q2 = b.k * b.sinMs;
    const double startKva = std::hypot(b.p1 + b.p2, b.q1 + b.q2);
    b.ptr = in.epsilon != 0.0 ? startKva / in.epsilon * in.z : kNaN;
    // A capacity that is not positive is no transformer either (a %Z of 0, a negative ε).
    if (!(Defined(b.ptr) && b.ptr > 0.0))
        b.ptr = kNaN;
    b.ptrRating = Defined(b.ptr) ? PickStandardRating(b.ptr, lookup) : NO_VALUE;
    b.defined = Defined(b.ptr) && Defined(b.ptrRating);

    b.sText = FixedOrDash(b.s, 0);
    b.p1Text = Defined(b.p1) ? FixedOrDash(double(RoundHalfAway(b.p1)), 0) : QStringLiteral("-");
    b.sinMsText = FixedOrDash(b.sinMs, 3);
    b.q1Text = FixedOrDash(b.q1, 3);
    b.p2Text = FixedOrDash(b.p2, 2);
    b.q2Text = FixedOrDash(b.q2, 2);
    b.ptrText = FixedOrDash(b.ptr, 0);
    b.ptrRatingText = FixedOrDash(b.ptrRating, 0);
    b.decision = QStringLiteral("최대용량 전동기 기동 시 전압강하를 고려한 변압기 용량 PTR은 %1kVA이므로, "
                                "따라서, 변압기 용량은 3Φ %2kVA로 선정한다.")
                     .arg(TruncatedText(b.ptr), TruncatedText(b.ptrRating));
    return b;
}

TransformerCapacity CalcTransformerCapacityFigures(const TransformerTotals& totals,
                                                   bool motorOption,
                                                   const TransformerMotorInputs& inputs,
                                                   const RatingLookup& lookup)
{
    TransformerCapacity c;
    c.totals = totals;
    c.demandKva = RoundHalfAway(totals.demandVA / 1000.0);
    c.rating = PickStandardRating(double(c.demandKva), lookup);
    c.decision = QStringLiteral("상기 계산상 %1kVA이므로 3φ %2 변압기 1대로 결정함.")
                     .arg(TruncatedText(double(c.demandKva)), TruncatedText(c.rating));
    c.capacityText = TruncatedText(c.rating);
    c.connectedText = FixedOrDash(totals.connectedVA, 0);
    // No connected load: no demand either, and the factor is shown as 0.
    c.demandFactorText = totals.connectedVA != 0.0
                             ? FixedOrDash(totals.demandVA / totals.connectedVA, 2)
                             : QStringLiteral("0.00");
    c.demandText = FixedOrDash(totals.demandVA, 0);
    c.ratingText = FixedOrDash(c.rating, 0);
    c.motorOption = motorOption;
    if (motorOption) {
        const int kva = int(std::clamp<long long>(c.demandKva, -2147483647LL, 2147483647LL));
        c.motor = CalcTransformerMotorBlock(kva, inputs, lookup);
        c.capacityText = TruncatedText(c.motor.ptrRating);
    }
    return c;
}

void ApplyMotorBlockToRecord(const TransformerMotorBlock& b, TransformerRecordT& r)
{
    using namespace trfield;
    r[kS] = b.sText;
    r[kP1] = b.p1Text;
    r[kSinMs] = b.sinMsText;
    r[kQ1] = b.q1Text;
    r[kP2] = b.p2Text;
    r[kQ2] = b.q2Text;
    r[kDecision] = b.decision;
}

RatingLookup TransformerRatingLookup(CSevrinApp& app)
{
    return [&app](double kva) { return app.VLookup(kva, QStringLiteral("TR"), 2); };
}

void CalcTransformerLoadDemand(TransformerLoadRowT& row, const QString& connectedVA,
                               const QString& demandPct)
{
    row[trcol::kConnectedVA] = connectedVA;
    row[trcol::kDemandPct] = demandPct;
    const double demand = ReadNumber(connectedVA) * ReadNumber(demandPct) / 100.0;
    row[trcol::kDemandVA] = Defined(demand) ? FormatValue(demand, 0, QString(), QStringLiteral("0"))
                                            : QStringLiteral("0");
    row[trcol::kRemark].clear();
}

TransformerLoadRowT TransformerRowFromMccPanel(const std::array<QString, 20>& panel, int number)
{
    // Panel totals CL, DF and DL are items 7, 8 and 9; CL and DL are kVA.
    TransformerLoadRowT row;
    row[trcol::kNumber] = QString::number(number);
    row[trcol::kPanel] = panel[0];
    row[trcol::kDescription] = QStringLiteral("-");
    row[trcol::kConnectedVA] = FixedOrDash(ReadNumber(panel[7]) * 1000.0, 0);
    row[trcol::kDemandPct] = FixedOrDash(ReadNumber(panel[8]), 0);
    row[trcol::kDemandVA] = FixedOrDash(ReadNumber(panel[9]) * 1000.0, 0);
    return row;
}

TransformerLoadRowT TransformerRowFromBoard(const std::array<QString, 13>& board, int number)
{
    // Board totals: connected load (VA), demand factor (%), demand load (kVA).
    TransformerLoadRowT row;
    row[trcol::kNumber] = QString::number(number);
    row[trcol::kPanel] = board[0];
    row[trcol::kDescription] = QStringLiteral("-");
    row[trcol::kConnectedVA] = FixedOrDash(ReadNumber(board[7]), 0);
    row[trcol::kDemandPct] = FixedOrDash(ReadNumber(board[8]), 0);
    row[trcol::kDemandVA] = FixedOrDash(ReadNumber(board[9]) * 1000.0, 0);
    return row;
}

TransformerImport BuildTransformerImport(CSevrinApp& app, const QString& trName, int firstNumber)
{
    TransformerImport imp;
    int number = firstNumber;
    double largest = NO_VALUE;
    auto& panel = app.MotorControlCenterBlock.MccPanelRecord;
    for (int i = 0; i < kMaxSheets && app.ReadMccPanelSheet(i); ++i) {
        if (panel[3] != trName)  // "FROM", compared exactly
            continue;
        imp.rows.push_back(TransformerRowFromMccPanel(panel, number++));
        ++imp.mccPanels;
        // Items 10..15: output, cosθ, β, η, cosθ at start and C of the panel's largest motor;
        // the first of equal outputs wins.
        const double output = ReadNumber(panel[10]);
        if (std::isfinite(output) && output > largest) {
            largest = output;
            for (int f = 0; f < 6; ++f)
                imp.motor[std::size_t(f)] = panel[std::size_t(10 + f)];
        }
    }
    imp.hasMotor = !imp.motor[0].isEmpty();
    auto& board = app.CabinetSizingBlock.BoardRecord;
    for (int i = 0; i < kMaxSheets && app.ReadPanelBoardSheet(i); ++i) {
        if (board[3] != trName)
            continue;
        imp.rows.push_back(TransformerRowFromBoard(board, number++));
        ++imp.boards;
    }
    return imp;
}
