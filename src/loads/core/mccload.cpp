#include "loads/core/mccload.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/core/quantity.h"
#include "platform/prompt.h"

#include <cmath>

namespace {

bool Is(const QString& text, const char* value)
{
    return text == QLatin1String(value);
}

// A product of factors; no value when any of them has none (a factor of the motor's data
// given as "-" cannot be taken as 0 or 1 without inventing a starting current), and when the
// product leaves the printable range.
double Product(std::initializer_list<double> factors)
{
    double r = 1.0;
    for (double f : factors) {
        if (IsNoValue(f) || !IsPrintable(f))
            return NO_VALUE;
        r *= f;
    }
    return IsPrintable(r) ? r : NO_VALUE;
}

// kW over efficiency and power factor: the apparent power a motor draws; no value when any of
// the three has none.
double ApparentKva(double kw, double eta, double cosPhi)
{
    if (IsNoValue(kw) || IsNoValue(eta) || IsNoValue(cosPhi))
        return NO_VALUE;
    return Product({kw, 1.0 / eta, 1.0 / cosPhi});
}

// A figure with `decimals` decimals; "-" for no value and for anything not printable, so that
// no "nan", "inf" or 300-digit number reaches the list or the workbook.
QString Figure(double v, int decimals)
{
    if (IsNoValue(v) || !IsPrintable(v))
        return QStringLiteral("-");
    return FormatFixed(v, decimals);
}

}  // namespace

MccLoadConditions MccLoadConditionsOf(const MccDesignConditions& c)
{
    MccLoadConditions r;
    r.k = OptionValue(DesignOptions::InrushMultiple, c.inrushMultipleIndex);
    r.tmSoftStarter = OptionValue(DesignOptions::StartTime, c.startTimeIndex[3]);
    r.tmInverter = OptionValue(DesignOptions::StartTime, c.startTimeIndex[4]);
    r.startPowerFactor = OptionValue(DesignOptions::StartPowerFactor, c.startPowerFactorIndex);
    return r;
}

MccLoadConditions MccLoadConditionsOf(const CSevrinApp& app)
{
    return MccLoadConditionsOf(MccDesignConditionsOf(app.MotorControlCenterBlock));
}

MotorDataLookup AppMotorLookup(CSevrinApp& app)
{
    return [&app](double kW, const QString& method, MotorRow& fields) {
        return app.FindMotorData(kW, method, fields);
    };
}

void CalcMccLoadRow(MccLoadRow& row, const MccLoadConditions& c, const MotorDataLookup& findMotor)
{
    using namespace MccCol;
    const QString kind = row[Kind];
    const QString method = row[StartMethod];
    const bool motor = Is(kind, "M");
    const bool linked3p = Is(kind, "L3P");
    // Loads and the demand factor strictly: a negative, infinite or overflowing input is no
    // value and leaves every figure computed from it "-".
    const double p = QuantityOr(row[Kw], QuantitySign::Positive);
    const int n = Is(row[Phases], "2P") ? 2 : 3;
    const double df = QuantityOr(row[DemandFactor], QuantitySign::NonNegative);
    const bool softStarter = Is(method, "S.S");
    const bool inverter = Is(method, "INV");
    // "Elev" is no item of the combo but may be typed: a current-limited lift drive.
    const bool limited = softStarter || inverter || Is(method, "Elev");

    // 1. Motor data.
    double beta = NO_VALUE, cc = NO_VALUE, lambda = NO_VALUE, k = NO_VALUE, tm = NO_VALUE;
    double capacitor = NO_VALUE, unitSize = 200, eta = 1.0, cosPhi = 0.8;
    QString ct = QStringLiteral("-");
    MotorRow data;
    if (motor && findMotor && !IsNoValue(p) && findMotor(p, method, data)) {
        beta = QuantityOr(data[MotorField::Beta], QuantitySign::Positive);
        cc = QuantityOr(data[MotorField::C], QuantitySign::Positive);
        lambda = QuantityOr(data[MotorField::Lambda], QuantitySign::Positive);
        k = QuantityOr(data[MotorField::K], QuantitySign::Positive);
        tm = QuantityOr(data[MotorField::Tm], QuantitySign::Positive);
        capacitor = QuantityOr(data[MotorField::Capacitor], QuantitySign::Positive);
        unitSize = QuantityOr(data[MotorField::UnitSize], QuantitySign::Positive);
        ct = data[MotorField::Ct];
        eta = QuantityOr(data[MotorField::Efficiency], QuantitySign::Positive);
        cosPhi = QuantityOr(data[MotorField::PowerFactor], QuantitySign::Positive);
    }
    // 2. Starting times of the current-limited starters are the project's choice.
    if (softStarter)
        tm = c.tmSoftStarter;
    else if (inverter)
        tm = c.tmInverter;

    // 3. Input load, kVA. Missing motor data leave it without a value rather than infinite.
    double s = QuantityOr(row[Kva], QuantitySign::Positive);
    if (!row[Kw].isEmpty())
        s = ApparentKva(p, eta, cosPhi);
    if (!IsPrintable(s))
        s = NO_VALUE;

    // 4. Wiring and voltage (the standard low voltages, not the panel's).
    const QString wires = inverter || linked3p ? QStringLiteral("4W")
                          : n == 2             ? QStringLiteral("2W")
                                               : QStringLiteral("3W");
    const QString voltage = n == 3 ? QStringLiteral("0.38") : QStringLiteral("0.22");
    const double v = n == 3 ? 0.38 : 0.22;

    // 5. Design current, A.
    const double ib = IsNoValue(s) ? NO_VALUE : (n == 3 ? s / std::sqrt(3.0) / v : s / v);

    // 6.-8. Starting current, inrush current, starting power factor (motors only).
    double ims = NO_VALUE, ii = NO_VALUE, startPf = NO_VALUE;
    if (motor) {
        ims = limited ? Product({ib, lambda}) : Product({ib, beta, cc});
        ii = softStarter || inverter ? ims : Product({ims, c.k});
        startPf = c.startPowerFactor;
    }

    // 9. Demand load.
    const double dl = Product({s, df});

    // 10. Line shares: three-phase loads and "L3P" spread equally; a two-phase motor sits on L1.
    const bool spread = n == 3 || linked3p;
    const double third = IsNoValue(dl) ? NO_VALUE : dl / 3.0;
    const double l1 = spread ? third : ((n == 2 && motor) || Is(kind, "L1")) ? dl : NO_VALUE;
    const double l2 = spread ? third : Is(kind, "L2") ? dl : NO_VALUE;
    const double l3 = spread ? third : Is(kind, "L3") ? dl : NO_VALUE;

    // 11. Summary of a motor.
    double motorKw = NO_VALUE, startKva = NO_VALUE, motorDl = NO_VALUE;
    if (motor) {
        motorKw = p;
        const double base = ApparentKva(p, eta, cosPhi);
        startKva = limited ? Product({base, lambda}) : Product({base, beta, cc});
        motorDl = dl;
    }

    // 12. Write the row.
    row[InputKva] = Figure(s, 2);
    row[Wires] = wires;
    row[Voltage] = voltage;
    row[Efficiency] = Figure(eta, 3);
    row[PowerFactor] = Figure(cosPhi, 3);
    row[DesignCurrent] = Figure(ib, 2);
    const double starting[8] = {beta, cc, lambda, k, ims, ii, tm, startPf};
    for (int i = 0; i < 8; ++i)
        row[std::size_t(Beta + i)] = Figure(starting[i], 2);
    row[DemandKva] = Figure(dl, 2);
    row[L1] = Figure(l1, 2);
    row[L2] = Figure(l2, 2);
    row[L3] = Figure(l3, 2);
    row[Ct] = ct;
    row[Capacitor] = Figure(capacitor, 0);
    row[UnitSize] = Figure(unitSize, 0);
    row[MotorKw] = Figure(motorKw, 2);
    row[MotorMethod] = method;
    row[MotorTime] = Figure(tm, 0);
    row[MotorStartKva] = Figure(startKva, 2);
    row[MotorDemand] = Figure(motorDl, 2);
    row[Note] = QString();
}

// ---- input check ---------------------------------------------------------------------------

MccLoadRefusal ValidateMccLoadInput(const MccLoadInput& in, const MotorDataLookup& findMotor)
{
    if ((Is(in.panelSupply, "1P2W") || Is(in.panelSupply, "1P3W")) && Is(in.phases, "3P"))
        return MccLoadRefusal::SinglePhasePanel;
    const bool motor = Is(in.kind, "M");
    if (!Is(in.startMethod, "-") && !motor)
        return MccLoadRefusal::StartMethodNotMotor;
    if (!in.kw.isEmpty() && !in.kva.isEmpty())
        return MccLoadRefusal::BothCapacities;
    if (in.kw.isEmpty() && in.kva.isEmpty())
        return MccLoadRefusal::NoCapacity;
    double kw = 0.0, quantity = 0.0;
    if (!in.kw.isEmpty() && !ReadQuantity(in.kw, QuantitySign::Positive, &kw))
        return MccLoadRefusal::KwNotPositive;
    if (!in.kva.isEmpty() && !ReadQuantity(in.kva, QuantitySign::Positive, &quantity))
        return MccLoadRefusal::KvaNotPositive;
    if (motor) {
        MotorRow data;
        if (!findMotor || in.kw.isEmpty() || !findMotor(kw, in.startMethod, data))
            return MccLoadRefusal::MotorNotFound;
        // The input load is kW / eta / cos(phi): both must be real, positive figures.
        const double eta = QuantityOr(data[MotorField::Efficiency], QuantitySign::Positive);
        const double cosPhi = QuantityOr(data[MotorField::PowerFactor], QuantitySign::Positive);
        if (!(eta > 0) || !(cosPhi > 0))
            return MccLoadRefusal::MotorDataIncomplete;
    }
    // The demand factor is a ratio; 0 keeps a load listed without demand.
    if (!ReadQuantity(in.demandFactor, QuantitySign::NonNegative, &quantity))
        return MccLoadRefusal::DemandFactorInvalid;
    // A row without an equipment number would end the load list: it and every row after it
    // would vanish from the list, and the next add would overwrite them.
    if (in.number.isEmpty())
        return MccLoadRefusal::NoEquipmentNumber;
    return MccLoadRefusal::None;
}

QString MccLoadRefusalText(MccLoadRefusal refusal)
{
    switch (refusal) {
    case MccLoadRefusal::None:
        return QString();
    case MccLoadRefusal::SinglePhasePanel:
        return QStringLiteral("전원방식이 단상인 분전반입니다.\n분전반 전원방식을 확인하시기 바랍니다.");
    case MccLoadRefusal::StartMethodNotMotor:
        return QString::fromUtf16(
            u"부하종류가 'M' 이 아닐 경우, 기동 방식을 '\u2013'로 선택하기 바랍니다.");
    case MccLoadRefusal::BothCapacities:
        return QStringLiteral("용량 값을 하나만 지정해 주세요!!!");
    case MccLoadRefusal::NoCapacity:
        return QStringLiteral("용량 값을 하나를 지정해 주세요!!!");
    case MccLoadRefusal::MotorNotFound:
        return QStringLiteral("전동기 라이브러리에서 해당 값을 찾을 수 없습니다.\n필요시 설계조건에서 "
                              "전동기 사용자 입력을 추가하셔야 합니다.");
    case MccLoadRefusal::MotorDataIncomplete:
        return QStringLiteral("전동기 라이브러리의 효율 또는 역률 값이 없거나 0입니다.\n설계조건의 "
                              "전동기 값을 확인하시기 바랍니다.");
    case MccLoadRefusal::NoEquipmentNumber:
        return QStringLiteral("장비번호를 입력해 주세요!!!");
    case MccLoadRefusal::KwNotPositive:
        return CheckQuantityField(QString(), QStringLiteral("용량[kW]"), QuantitySign::Positive);
    case MccLoadRefusal::KvaNotPositive:
        return CheckQuantityField(QString(), QStringLiteral("용량[kVA]"), QuantitySign::Positive);
    case MccLoadRefusal::DemandFactorInvalid:
        return CheckQuantityField(QString(), QStringLiteral("수용률"), QuantitySign::NonNegative);
    }
    return QString();
}

void ShowMccLoadRefusal(CSevrinApp& app, MccLoadRefusal refusal)
{
    switch (refusal) {
    case MccLoadRefusal::None:
        return;
    case MccLoadRefusal::SinglePhasePanel:
        app.ShowCalcWarning(0);
        return;
    case MccLoadRefusal::StartMethodNotMotor:
        app.ShowCalcWarning(6);
        return;
    default:
        Prompt::Message(MccLoadRefusalText(refusal));
    }
}

MccLoadInput MccLoadInputOf(const MccLoadRow& row, const QString& panelSupply)
{
    MccLoadInput in;
    in.panelSupply = panelSupply;
    in.kind = row[MccCol::Kind];
    in.kw = row[MccCol::Kw];
    in.kva = row[MccCol::Kva];
    in.phases = row[MccCol::Phases];
    in.startMethod = row[MccCol::StartMethod];
    in.number = row[MccCol::Number];
    in.demandFactor = row[MccCol::DemandFactor];
    return in;
}

// ---- linked loads --------------------------------------------------------------------------

MccLoadRow MakeMccLinkedLoadRow(const QString& name, const QString& kva, double demandKva)
{
    MccLoadRow row;
    row[MccCol::Name] = name;
    row[MccCol::Number] = QStringLiteral("-");
    row[MccCol::Kind] = QStringLiteral("L3P");
    row[MccCol::Kva] = kva;
    row[MccCol::InputKva] = kva;
    row[MccCol::DemandFactor] = QStringLiteral("1.00");
    row[MccCol::DemandKva] = Figure(demandKva, 2);
    const QString third = Figure(IsNoValue(demandKva) ? NO_VALUE : demandKva / 3.0, 2);
    row[MccCol::L1] = row[MccCol::L2] = row[MccCol::L3] = third;
    return row;
}

bool IsMccLinkedRow(const MccLoadRow& row)
{
    return Is(row[MccCol::Kind], "L3P") && Is(row[MccCol::Number], "-");
}
