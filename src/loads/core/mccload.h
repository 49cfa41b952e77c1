#pragma once
// One load row of a motor-control-centre panel: its input check and its calculation (input
// load, wiring, design current, the starting data of a motor after KECG 1702 — IMS = IB x beta
// x C for DOL, Y-D and reactor starting, IMS = IB x lambda for soft starters and inverters —
// demand load and the share of each line). Plain functions over the 40 texts of a row, used
// by the calculation sheet, the driver and the report.
#include "loads/core/designconditions.h"
#include "loads/core/usermotor.h"

#include <QString>

#include <array>
#include <functional>

using MccLoadRow = std::array<QString, 40>;

// Columns of a load row (sheet row k + 6 of the panel's sheet).
namespace MccCol {
enum : int {
    Name = 0,          // 장비명
    Number = 1,        // 장비번호; the list ends at the first row without one
    Kind = 2,          // "M", "L1", "L2", "L3", "L3P"
    Kw = 3,
    Kva = 4,
    Spare = 5,         // "Y" / "N"
    InputKva = 6,
    Phases = 7,        // "2P" / "3P"
    Wires = 8,
    Voltage = 9,
    Efficiency = 10,
    PowerFactor = 11,
    DesignCurrent = 12,
    StartMethod = 13,
    Beta = 14,
    C = 15,
    Lambda = 16,
    K = 17,
    Ims = 18,
    Ii = 19,
    Tm = 20,
    StartPowerFactor = 21,
    DemandFactor = 22,
    DemandKva = 23,
    L1 = 24,
    L2 = 25,
    L3 = 26,
    BreakerPoles = 27,
    BreakerFrame = 28,
    BreakerTrip = 29,
    Ct = 30,
    Capacitor = 31,
    UnitSize = 32,
    Remark = 33,
    MotorKw = 34,
    MotorMethod = 35,
    MotorTime = 36,
    MotorStartKva = 37,
    MotorDemand = 38,
    Note = 39,
};
}

// The design-condition choices a load row uses: inrush multiple k, the starting times of
// soft starters and inverters (s) and the starting power factor.
struct MccLoadConditions
{
    double k = 1.3;
    double tmSoftStarter = 4;
    double tmInverter = 4;
    double startPowerFactor = 0.1;
};
// From the stored selections (an index outside its list stands for the first option).
MccLoadConditions MccLoadConditionsOf(const MccDesignConditions& c);
MccLoadConditions MccLoadConditionsOf(const CSevrinApp& app);

// A motor's 19 library fields by rated output (kW) and starting method; false when unknown.
using MotorDataLookup = std::function<bool(double kW, const QString& method, MotorRow& fields)>;
// The application's own lookup (user motors, then the library's motor tables).
MotorDataLookup AppMotorLookup(CSevrinApp& app);

// Computes columns 6, 8 to 12, 14 to 21, 23 to 26, 30 to 32 and 34 to 39 of `row` from its
// inputs (columns 2, 3, 4, 7, 13, 22). A figure that does not apply, or that cannot be
// computed from the motor's data, is written "-".
void CalcMccLoadRow(MccLoadRow& row, const MccLoadConditions& c, const MotorDataLookup& findMotor);

// The load inputs as the page holds them (combo texts as shown or typed).
struct MccLoadInput
{
    QString panelSupply;  // the selected panel's "전원방식"
    QString kind;
    QString kw;
    QString kva;
    QString phases;
    QString startMethod;
    QString number;  // 장비번호
    QString demandFactor;
};

enum class MccLoadRefusal {
    None,
    SinglePhasePanel,      // a three-phase load on a single-phase panel (design warning 0)
    StartMethodNotMotor,   // a starting method on a load that is not a motor (warning 6)
    BothCapacities,
    NoCapacity,
    MotorNotFound,
    MotorDataIncomplete,   // the motor's efficiency or power factor is missing or 0
    NoEquipmentNumber,
    KwNotPositive,         // the kW given is not a number above 0
    KvaNotPositive,        // the kVA given is not a number above 0
    DemandFactorInvalid,   // the demand factor is missing, not a number or below 0
};

// Checks in this order: supply, starting method, one capacity given, not none, the capacity
// a number above 0, the motor in the library, its efficiency and power factor, the demand
// factor a number not below 0, the equipment number.
MccLoadRefusal ValidateMccLoadInput(const MccLoadInput& in, const MotorDataLookup& findMotor);
// Shows the refusal's message (the numbered design warnings through ShowCalcWarning).
void ShowMccLoadRefusal(CSevrinApp& app, MccLoadRefusal refusal);
// The refusal's message text ("" for None).
QString MccLoadRefusalText(MccLoadRefusal refusal);

// The inputs of a stored row, checked against the panel's supply system.
MccLoadInput MccLoadInputOf(const MccLoadRow& row, const QString& panelSupply);

// A row made by the linked-load import for a panel or board fed from this panel: name, "-",
// "L3P", its load in kVA (columns 4 and 6), demand factor "1.00", and its demand (column 23)
// spread equally over the three lines.
MccLoadRow MakeMccLinkedLoadRow(const QString& name, const QString& kva, double demandKva);
// True for a row of a fed panel or board (kind "L3P", equipment number "-").
bool IsMccLinkedRow(const MccLoadRow& row);
