#pragma once
// The user's own motors: one motor row of 19 text fields computed from the rated output,
// phases, voltage, efficiency, power factor and starting method with the starting conditions
// shown on the motor design page. The rows are kept in the library workbook's user-motor sheet
// and are found before the library's motors by every motor lookup.
#include <QString>

#include <array>

class LibTable;

using MotorRow = std::array<QString, 19>;

namespace MotorField {
enum : int {
    Key = 0,          // rated output text followed by the starting-method text
    RatedOutput = 1,  // P, kW
    Phases = 2,       // "2" single-phase, otherwise three-phase
    Voltage = 3,      // kV
    Efficiency = 4,
    PowerFactor = 5,
    DesignCurrent = 6,  // IB, A
    StartingMethod = 7,
    Beta = 8,
    C = 9,
    Lambda = 10,
    K = 11,
    Ims = 12,  // starting current, A
    Ii = 13,   // starting inrush current, A
    Tm = 14,   // starting time, s
    Ct = 15,
    Capacitor = 16,  // uF
    UnitSize = 17,   // mm
    StartKva = 18,
};
}

// The starting conditions as their controls show them at the press (texts as typed or
// chosen), and the CT factor as stored with the design conditions.
struct UserMotorConditions
{
    QString beta;
    QString reactorTap;
    QString lambdaSoftStarter;
    QString lambdaInverter;
    QString k;
    std::array<QString, 5> tm;  // DOL, Y-D, reactor, soft starter, inverter
    QString ctFactor;
};

// Why a motor row was not computed.
enum class UserMotorRefusal {
    None,
    RatedOutput,  // no rated output, or 0 or less
    Voltage,      // no voltage, or 0 or less
    Efficiency,   // no efficiency, or 0 or less
    PowerFactor,  // no power factor, or 0 or less
    OutOfRange,   // figures too large to compute
};

// Computes fields 0, 6, 8 to 15 and 18 of `row` from its fields 1 to 5 and 7.
//  IB = P / V / eta / cos (phases 2) or P / (sqrt3 V) / eta / cos;
//  C: DOL 1, Y-D 0.33, reactor the tap; lambda for S.S and INV; k except for S.S and INV;
//  IMS = IB x beta x C (IB x lambda for S.S, INV); II = IMS x k (IB x lambda);
//  starting kVA = P / eta / cos x beta x C (x lambda); CT from IB x CT factor.
// A factor that does not apply to the method shows "-" and counts as 1. A factor the method
// needs whose text holds no number shows "-" and so do the figures computed from it, rather
// than being taken as 0. The row is left unchanged when it is refused.
UserMotorRefusal CalcUserMotorRow(MotorRow& row, const UserMotorConditions& conditions,
                                  const LibTable& ctRatios);
