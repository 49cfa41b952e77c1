#include "loads/core/transformersizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/core/quantity.h"
#include "loads/core/usermotor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxRows = kMaxTransformerLoadRows;
constexpr int kMaxSheets = 100;

// A figure that may be shown and used: printable (finite, within MAX_QUANTITY) and not the
// no-value marker.
bool Defined(double v)
{
    return IsPrintable(v) && !IsNoValue(v);
}

// "%d" of a value converted by truncation; "-" for a value that has no integer text.
QString TruncatedText(double v)
{
    if (!Defined(v) || std::fabs(v) >= 2147483648.0)
        return QStringLiteral("-");
    return QString::number(static_cast<long long>(std::trunc(v)));
}

// A computed capacity as a sentence states it: one decimal, rounded up, so that the text never
// shows less than was computed (80.91 kVA reads "81.0", 80.9 "80.9"); "-" when there is none.
QString RoundedUpText(double v)
{
    if (!Defined(v) || std::fabs(v) >= 2147483648.0)
        return QStringLiteral("-");
    // The tolerance keeps a value that is a tenth but for binary noise on that tenth.
    return FormatFixed(std::ceil(v * 10.0 - 1e-6) / 10.0, 1);
}

// A power factor or an efficiency: above 0 and at most 1.
bool IsRatio(double v)
{
    return v > 0.0 && v <= 1.0;
}

}  // namespace

bool ReadLoadText(QStringView text, double* value)
{
    if (text.isEmpty() || text == u"-")
        return false;
    QString plain = text.toString();
    plain.remove(QLatin1Char('m'));
    *value = QuantityOr(plain, QuantitySign::NonNegative);
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
    if (!Defined(demand) || demand < 0.0)
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
    in.pm = QuantityOr(r[kPm], QuantitySign::Any);
    in.cosM = QuantityOr(r[kCosM], QuantitySign::Any);
    in.beta = QuantityOr(r[kBeta], QuantitySign::Any);
    in.z = QuantityOr(r[kZ], QuantitySign::Any);
    in.epsilon = QuantityOr(r[kEpsilon], QuantitySign::Any);
    in.cos = QuantityOr(r[kCos], QuantitySign::Any);
    in.etaM = QuantityOr(r[kEtaM], QuantitySign::Any);
    in.cosMs = QuantityOr(r[kCosMs], QuantitySign::Any);
    in.c = QuantityOr(r[kC], QuantitySign::Any);
    return in;
}

TransformerMotorBlock CalcTransformerMotorBlock(double demandKva, const TransformerMotorInputs& in,
                                                const RatingLookup& lookup)
{
    TransformerMotorBlock b;
    // Power factors and the efficiency lie in (0, 1]; Pm, β, C, %Z and ε are above 0. Any
    // input outside its range (or not read at all: NaN) leaves what depends on it "-".
    auto ratio = [](double v) { return IsRatio(v) ? v : NO_VALUE; };
    auto positive = [](double v) { return Defined(v) && v > 0.0 ? v : NO_VALUE; };
    auto sine = [](double cosine) { return IsRatio(cosine) ? std::sqrt(1.0 - cosine * cosine) : NO_VALUE; };
    const double pm = positive(in.pm), cosM = ratio(in.cosM), beta = positive(in.beta);
    const double z = positive(in.z), epsilon = positive(in.epsilon), cos = ratio(in.cos);
    const double etaM = ratio(in.etaM), cosMs = ratio(in.cosMs), c = positive(in.c);
    // The base load is what the demand leaves beside the motor; a motor larger than the
    // whole demand leaves none that could be negative.
    b.s = demandKva - pm;
    if (!(b.s >= 0.0))
        b.s = NO_VALUE;
    b.p1 = b.s * cos;
    b.sinMs = sine(cosMs);
    b.q1 = b.s * sine(cos);
    b.k = pm / (etaM * cosM) * beta * c;
    b.p2 = b.k * cosMs;
    b.q2 = b.k * b.sinMs;
    const double startKva = std::hypot(b.p1 + b.p2, b.q1 + b.q2);
    b.ptr = startKva / epsilon * z;
    // A capacity that is not positive is no transformer either.
    if (!(Defined(b.ptr) && b.ptr > 0.0))
        b.ptr = NO_VALUE;
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
                     .arg(RoundedUpText(b.ptr), TruncatedText(b.ptrRating));
    return b;
}

TransformerCapacity CalcTransformerCapacityFigures(const TransformerTotals& totals,
                                                   bool motorOption,
                                                   const TransformerMotorInputs& inputs,
                                                   const RatingLookup& lookup)
{
    TransformerCapacity c;
    c.totals = totals;
    // A demand that is no value (a load that could not be read, a sum beyond MAX_QUANTITY)
    // has no whole kVA and no rating: never 0 kVA and the smallest unit.
    c.demandDefined = Defined(totals.demandVA) && totals.demandVA >= 0.0;
    c.demandKva = c.demandDefined ? RoundHalfAway(totals.demandVA / 1000.0) : 0;
    c.rating = c.demandDefined ? PickStandardRating(double(c.demandKva), lookup) : NO_VALUE;
    const QString kvaText = c.demandDefined ? TruncatedText(double(c.demandKva)) : QStringLiteral("-");
    c.decision = QStringLiteral("상기 계산상 %1kVA이므로 3φ %2 변압기 1대로 결정함.")
                     .arg(kvaText, TruncatedText(c.rating));
    c.capacityText = TruncatedText(c.rating);
    c.connectedText = FixedOrDash(totals.connectedVA, 0);
    // No connected load: no demand either, and the factor is shown as 0.
    c.demandFactorText = !Defined(totals.connectedVA) ? QStringLiteral("-")
                         : totals.connectedVA != 0.0
                             ? FixedOrDash(totals.demandVA / totals.connectedVA, 2)
                             : QStringLiteral("0.00");
    c.demandText = FixedOrDash(totals.demandVA, 0);
    c.ratingText = FixedOrDash(c.rating, 0);
    c.motorOption = motorOption;
    if (motorOption) {
        const int kva = int(std::clamp<long long>(c.demandKva, -2147483647LL, 2147483647LL));
        // Without a demand there is no base load to start the motor against.
        c.motor = CalcTransformerMotorBlock(c.demandDefined ? double(kva) : NO_VALUE, inputs, lookup);
        // The transformer must carry its load and start its largest motor: the larger of the
        // demand's rating and the PTR rating, and none when either is unknown.
        const double chosen = Defined(c.rating) && c.motor.defined
                                  ? std::max(c.rating, c.motor.ptrRating)
                                  : NO_VALUE;
        c.capacityText = TruncatedText(chosen);
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
    // Both strictly, at least 0: a load that cannot be read has no demand ("-"), never 0.
    double load = 0.0, pct = 0.0;
    const double demand = ReadQuantity(connectedVA, QuantitySign::NonNegative, &load) &&
                                  ReadQuantity(demandPct, QuantitySign::NonNegative, &pct)
                              ? load * pct / 100.0
                              : NO_VALUE;
    row[trcol::kDemandVA] = FixedOrDash(demand, 0);
    row[trcol::kRemark].clear();
}

QString CheckTransformerLoadInput(const QString& connectedVA, const QString& demandPct)
{
    const QString refusal =
        CheckQuantityField(connectedVA, QStringLiteral("연결부하 [VA]"), QuantitySign::NonNegative);
    if (!refusal.isEmpty())
        return refusal;
    return CheckQuantityField(demandPct, QStringLiteral("수용률 [%]"), QuantitySign::NonNegative);
}

TransformerLoadRowT TransformerRowFromMccPanel(const std::array<QString, 20>& panel, int number)
{
    // Panel totals CL, DF and DL are items 7, 8 and 9; CL and DL are kVA.
    TransformerLoadRowT row;
    row[trcol::kNumber] = QString::number(number);
    row[trcol::kPanel] = panel[0];
    row[trcol::kDescription] = QStringLiteral("-");
    row[trcol::kConnectedVA] = FixedOrDash(QuantityOr(panel[7], QuantitySign::NonNegative) * 1000.0, 0);
    row[trcol::kDemandPct] = FixedOrDash(QuantityOr(panel[8], QuantitySign::NonNegative), 0);
    row[trcol::kDemandVA] = FixedOrDash(QuantityOr(panel[9], QuantitySign::NonNegative) * 1000.0, 0);
    return row;
}

TransformerLoadRowT TransformerRowFromBoard(const std::array<QString, 13>& board, int number)
{
    // Board totals: connected load (VA), demand factor (%), demand load (kVA).
    TransformerLoadRowT row;
    row[trcol::kNumber] = QString::number(number);
    row[trcol::kPanel] = board[0];
    row[trcol::kDescription] = QStringLiteral("-");
    row[trcol::kConnectedVA] = FixedOrDash(QuantityOr(board[7], QuantitySign::NonNegative), 0);
    row[trcol::kDemandPct] = FixedOrDash(QuantityOr(board[8], QuantitySign::NonNegative), 0);
    row[trcol::kDemandVA] = FixedOrDash(QuantityOr(board[9], QuantitySign::NonNegative) * 1000.0, 0);
    return row;
}

TransformerImport BuildTransformerImport(CSevrinApp& app, const QString& trName, int firstNumber)
{
    TransformerImport imp;
    int number = firstNumber;
    double largest = 0.0;
    QString method;
    auto& panel = app.MotorControlCenterBlock.MccPanelRecord;
    for (int i = 0; i < kMaxSheets && app.ReadMccPanelSheet(i); ++i) {
        if (panel[3] != trName)  // "FROM", compared exactly
            continue;
        imp.rows.push_back(TransformerRowFromMccPanel(panel, number++));
        ++imp.mccPanels;
        // Items 10..15: output, cosθ, β, η, cosθ at start and C of the panel's largest motor,
        // item 19 its starting method; the first of equal outputs wins. A field that holds no
        // number comes as "-", so the starting check shows "-" rather than a guess.
        double output = 0.0;
        if (ReadQuantity(panel[10], QuantitySign::Positive, &output) && output > largest) {
            largest = output;
            for (int f = 0; f < 6; ++f)
                imp.motor[std::size_t(f)] =
                    QuantityText(panel[std::size_t(10 + f)], QuantitySign::Positive);
            method = panel[19];
        }
    }
    imp.hasMotor = !imp.motor[0].isEmpty();
    // A soft starter or an inverter holds the starting current to λ·IB whatever the motor's
    // own multiple, and the sheet gives such a motor no C: as the MCC sheet computes its
    // starting kVA, β takes the motor's λ and C is 1, so K = Pm / (ηm·cosθm) · λ.
    const bool limited = method == QLatin1String("S.S") || method == QLatin1String("INV") ||
                         method == QLatin1String("Elev");
    MotorRow data;
    if (imp.hasMotor && limited && app.FindMotorData(largest, method, data)) {
        const QString lambda = QuantityText(data[MotorField::Lambda], QuantitySign::Positive);
        if (!lambda.isEmpty() && lambda != QLatin1String("-")) {
            imp.motor[2] = lambda;
            imp.motor[5] = QStringLiteral("1");
        }
    }
    auto& board = app.CabinetSizingBlock.BoardRecord;
    for (int i = 0; i < kMaxSheets && app.ReadPanelBoardSheet(i); ++i) {
        if (board[3] != trName)
            continue;
        imp.rows.push_back(TransformerRowFromBoard(board, number++));
        ++imp.boards;
    }
    return imp;
}
