#include "loads/core/generatorsizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/core/quantity.h"

#include <cmath>
#include <limits>

namespace {

constexpr int kMaxRows = kMaxGeneratorLoadRows;
constexpr int kMaxSheets = 100;
constexpr double kOutputPowerFactor = 0.8;

bool Defined(double v)
{
    return IsPrintable(v) && !IsNoValue(v);
}

const QString kOutagePlaceholder =
    QStringLiteral("▣ 정전 시 부하를 고려한 발전기 출력 용량 : _____KVA (_______kW)");
const QString kFirePlaceholder =
    QStringLiteral("▣ 화재 시 부하를 고려한 발전기 출력 용량 : _____KVA (_______kW)");
const QString kSelectionPlaceholder =
    QStringLiteral("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : _____kW (_______KVA)로 선정");
const QString kGpPlaceholder = QStringLiteral("GP : 발전기 출력 용량 (kVA) ______ (kVA)");

struct Sums
{
    double kw = 0, kva = 0, maxKw = 0;
};

void AddColumn(const QString& text, double* sum, double* largest)
{
    double v = 0.0;
    if (!ReadLoadText(text, &v))
        return;
    *sum += v;
    if (largest && v > *largest)
        *largest = v;
}

GeneratorCase ComputeCase(const Sums& s, const GeneratorFactors& f)
{
    GeneratorCase c;
    c.kwSum = FixedOrDash(s.kw, 3);
    c.kvaSum = FixedOrDash(s.kva, 3);
    // The largest motor of a column that could not be summed is not known either.
    c.maxKw = FixedOrDash(std::isfinite(s.kw) ? s.maxKw : NO_VALUE, 3);
    // The formula takes the figures as shown, to three decimals; a total that is no value
    // ("-": a load that could not be read) leaves the case without GP.
    double sumP = 0, sumPm = 0, pl = 0, a = 0, cf = 0, k = 0;
    // The totals as shown, read back (false for "-"); the factors must be above 0.
    c.defined = ReadQuantity(c.kvaSum, QuantitySign::NonNegative, &sumP) &&
                ReadQuantity(c.kwSum, QuantitySign::NonNegative, &sumPm) &&
                ReadQuantity(c.maxKw, QuantitySign::NonNegative, &pl) &&
                ReadQuantity(f.a, QuantitySign::Positive, &a) &&
                ReadQuantity(f.c, QuantitySign::Positive, &cf) &&
                ReadQuantity(f.k, QuantitySign::Positive, &k);
    c.gp = c.defined ? ((sumPm - pl) * a + sumP + pl * a * cf) * k : NO_VALUE;
    c.output = c.gp * kOutputPowerFactor;
    c.defined = c.defined && Defined(c.gp) && Defined(c.output) && c.gp >= 0.0;
    c.gpText = FixedOrDash(c.defined ? c.gp : NO_VALUE, 0);
    c.outputText = FixedOrDash(c.defined ? c.output : NO_VALUE, 1);
    return c;
}

}  // namespace

void CalcGeneratorLoadDemand(GeneratorLoadRowT& row)
{
    using namespace gencol;
    // A capacity not given is 0 (a load given in kVA has no kW and the reverse); one given
    // that is no number above 0 is no value, and so is its demand ("-").
    auto capacity = [&](int col) {
        const QString& text = row[std::size_t(col)];
        return text.isEmpty() ? 0.0 : QuantityOr(text, QuantitySign::Positive);
    };
    const double p = capacity(kKw);
    const double s = capacity(kKva);
    auto demand = [&](int pctCol, int kwCol, int kvaCol) {
        if (row[std::size_t(pctCol)].isEmpty())
            return;
        double pct = 0.0;
        const bool ok = ReadQuantity(row[std::size_t(pctCol)], QuantitySign::NonNegative, &pct);
        auto part = [&](double load) {
            return ok && !IsNoValue(load) ? FixedOrDash(load * pct / 100.0, 3) : QStringLiteral("-");
        };
        row[std::size_t(kwCol)] = part(p);
        row[std::size_t(kvaCol)] = part(s);
    };
    demand(kOutagePct, kOutageKw, kOutageKva);
    demand(kFirePct, kFireKw, kFireKva);
}

bool ValidateGeneratorLoadCapacity(const QString& kw, const QString& kva, QString* message)
{
    if (!kw.isEmpty() && !kva.isEmpty()) {
        *message = QStringLiteral("용량 값을 하나만 지정해 주세요!!!");
        return false;
    }
    if (kw.isEmpty() && kva.isEmpty()) {
        *message = QStringLiteral("용량 값을 하나를 지정해 주세요!!!");
        return false;
    }
    return true;
}

bool ValidateGeneratorLoadInput(const QString& kw, const QString& kva, const QString& outagePct,
                                const QString& firePct, QString* message)
{
    if (!ValidateGeneratorLoadCapacity(kw, kva, message))
        return false;
    QString refusal;
    if (!kw.isEmpty())
        refusal = CheckQuantityField(kw, QStringLiteral("용량[kW]"), QuantitySign::Positive);
    else
        refusal = CheckQuantityField(kva, QStringLiteral("용량[kVA]"), QuantitySign::Positive);
    // An empty demand factor leaves the load out of that case on purpose.
    if (refusal.isEmpty() && !outagePct.isEmpty())
        refusal = CheckQuantityField(outagePct, QStringLiteral("정전시 수용률[%]"),
                                     QuantitySign::NonNegative);
    if (refusal.isEmpty() && !firePct.isEmpty())
        refusal = CheckQuantityField(firePct, QStringLiteral("화재시 수용률[%]"),
                                     QuantitySign::NonNegative);
    if (refusal.isEmpty())
        return true;
    *message = refusal;
    return false;
}

QString GeneratorFactorText(const QString& text)
{
    return text.isEmpty() ? text : QuantityText(text, QuantitySign::Positive);
}

GeneratorCapacity CalcGeneratorOutput(const std::vector<GeneratorLoadRowT>& rows,
                                      const GeneratorFactors& outage, const GeneratorFactors& fire,
                                      const RatingLookup& gen, const RatingLookup& gen2)
{
    GeneratorCapacity r;
    r.rating = r.ratingKva = NO_VALUE;
    r.summary = {kOutagePlaceholder, kFirePlaceholder, kSelectionPlaceholder};
    r.gpLine = {kGpPlaceholder, kGpPlaceholder};
    r.hasRows = !rows.empty();
    if (!r.hasRows)
        return r;

    using namespace gencol;
    Sums out, fir;
    int n = 0;
    // A demand the row could not compute ("-" beside a demand factor: a capacity or factor
    // that is no number) leaves its sum without a value rather than short of that load.
    auto add = [](const GeneratorLoadRowT& row, int pctCol, int col, double* sum, double* largest) {
        if (row[std::size_t(col)] == QLatin1String("-") && !row[std::size_t(pctCol)].isEmpty())
            *sum = NO_VALUE;
        else
            AddColumn(row[std::size_t(col)], sum, largest);
    };
    for (const GeneratorLoadRowT& row : rows) {
        if (n++ >= kMaxRows)
            break;
        add(row, kOutagePct, kOutageKw, &out.kw, &out.maxKw);
        add(row, kOutagePct, kOutageKva, &out.kva, nullptr);
        add(row, kFirePct, kFireKw, &fir.kw, &fir.maxKw);
        add(row, kFirePct, kFireKva, &fir.kva, nullptr);
    }
    r.outage = ComputeCase(out, outage);
    r.fire = ComputeCase(fir, fire);

    // Both cases must be known: the rating covers the larger of the two.
    if (r.outage.defined && r.fire.defined) {
        r.rating = PickStandardRating(GetMaxOf2(r.outage.output, r.fire.output), gen);
        if (Defined(r.rating)) {
            r.ratingKva = gen2(r.rating);
            if (!Defined(r.ratingKva))
                r.ratingKva = NO_VALUE;
        }
    }
    const QString ratingText = FixedOrDash(r.rating, 0);
    const QString ratingKvaText = FixedOrDash(r.ratingKva, 0);
    r.summary[0] = QStringLiteral("▣ 정전 시 부하를 고려한 발전기 출력 용량 : %1KVA (%2kW)")
                       .arg(r.outage.gpText, r.outage.outputText);
    r.summary[1] = QStringLiteral("▣ 화재 시 부하를 고려한 발전기 출력 용량 : %1KVA (%2kW)")
                       .arg(r.fire.gpText, r.fire.outputText);
    r.summary[2] = QStringLiteral("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : %1kW (%2KVA)로 선정")
                       .arg(ratingText, ratingKvaText);
    r.gpLine[0] = QStringLiteral("GP : 발전기 출력 용량 (kVA) %1 (kVA)").arg(r.outage.gpText);
    r.gpLine[1] = QStringLiteral("GP : 발전기 출력 용량 (kVA) %1 (kVA)").arg(r.fire.gpText);
    r.hidden = {r.outage.gpText, r.fire.gpText, r.outage.gpText, r.fire.gpText, ratingText,
                ratingKvaText};
    return r;
}

std::vector<GeneratorLoadRowT> ReadGeneratorLoadRows(CSevrinApp& app)
{
    std::vector<GeneratorLoadRowT> rows;
    for (int i = 0; i < kMaxRows; ++i) {
        if (!app.ReadGeneratorLoadRow(i))
            break;
        rows.push_back(app.GeneratorSizingBlock.GeneratorLoadRow);
    }
    return rows;
}

bool GeneratorLoadRowsBeyondLimit(CSevrinApp& app)
{
    auto& b = app.GeneratorSizingBlock;
    const GeneratorLoadRowT row = b.GeneratorLoadRow;  // as the last list read left it
    const bool beyond = app.ReadGeneratorLoadRow(kMaxRows - 1) &&
                        app.ReadGeneratorLoadRow(kMaxRows) &&
                        int(ReadGeneratorLoadRows(app).size()) == kMaxRows;
    b.GeneratorLoadRow = row;
    return beyond;
}

RatingLookup GeneratorRatingLookup(CSevrinApp& app)
{
    return [&app](double kw) { return app.VLookup(kw, QStringLiteral("GEN"), 2); };
}

RatingLookup GeneratorApparentLookup(CSevrinApp& app)
{
    return [&app](double kw) { return app.VLookup(kw, QStringLiteral("GEN_2"), 2); };
}

QString GeneratorInputFactorText(int index)
{
    switch (index) {
    case 0: return QStringLiteral("1.38");
    case 1: return QStringLiteral("1.45");
    default: return QString();
    }
}

GeneratorFactors GeneratorOutageFactors(const CSevrinApp& app)
{
    const auto& b = app.GeneratorSizingBlock;
    return {GeneratorInputFactorText(b.GeneratorConditionIndex[0]), b.GeneratorConditionText[0],
            b.GeneratorConditionText[1]};
}

GeneratorFactors GeneratorFireFactors(const CSevrinApp& app)
{
    const auto& b = app.GeneratorSizingBlock;
    return {GeneratorInputFactorText(b.GeneratorConditionIndex[1]), b.GeneratorConditionText[2],
            b.GeneratorConditionText[3]};
}

GeneratorLoadRowT GeneratorRowFromMccLoad(const QString& panel, const std::array<QString, 40>& load,
                                          int number)
{
    // Load columns 0..4: equipment name, number, kind, kW, kVA; 13: starting method.
    GeneratorLoadRowT row;
    row[gencol::kNumber] = QString::number(number);
    row[gencol::kPanel] = panel;
    for (int c = 0; c < 5; ++c)
        row[std::size_t(gencol::kEquipment + c)] = load[std::size_t(c)];
    // The capacities come as they are when they hold a number above 0, otherwise as "-".
    for (int c : {gencol::kKw, gencol::kKva})
        row[std::size_t(c)] = QuantityText(row[std::size_t(c)], QuantitySign::Positive);
    row[gencol::kStart] = load[13];
    return row;
}

GeneratorLoadRowT GeneratorRowFromBoard(const std::array<QString, 13>& board, int number)
{
    GeneratorLoadRowT row;
    row[gencol::kNumber] = QString::number(number);
    row[gencol::kPanel] = board[0];
    row[gencol::kEquipment] = QStringLiteral("-");
    row[gencol::kTag] = QStringLiteral("-");
    row[gencol::kType] = QStringLiteral("L3P");
    row[gencol::kKva] = QuantityText(board[9], QuantitySign::NonNegative);
    row[gencol::kStart] = QStringLiteral("-");
    return row;
}

GeneratorImport BuildGeneratorImport(CSevrinApp& app, int firstNumber)
{
    GeneratorImport imp;
    int number = firstNumber;
    auto& panel = app.MotorControlCenterBlock.MccPanelRecord;
    for (int i = 0; i < kMaxSheets && app.ReadMccPanelSheet(i); ++i) {
        if (panel[6] != QLatin1String("O"))  // "비상발전기 연결", cell (5, 0)
            continue;
        const QString name = panel[0];
        auto& load = app.MotorControlCenterBlock.MccLoadRow;
        for (int k = 0; k < kMaxRows && app.ReadMccLoadRow(i, k); ++k) {
            if (load[0].isEmpty())
                break;
            imp.rows.push_back(GeneratorRowFromMccLoad(name, load, number++));
            ++imp.mccLoads;
        }
    }
    auto& board = app.CabinetSizingBlock.BoardRecord;
    for (int i = 0; i < kMaxSheets && app.ReadPanelBoardSheet(i); ++i) {
        if (board[6] != QLatin1String("O"))
            continue;
        imp.rows.push_back(GeneratorRowFromBoard(board, number++));
        ++imp.boards;
    }
    return imp;
}
