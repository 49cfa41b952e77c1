#pragma once
// Cable and breaker sizing of one cable schedule row (KECG 1701/1702, KS C IEC 60364-5-52):
// design current and derating, the six conductor-size criteria and the selected size, voltage
// drops, breaker rating, frame and breaking capacity with the protection verdicts, and the cable
// specification (cores, lines, PE conductor, conduit). Plain functions over a row: the cable
// screen, the load import, the fault-current search, the report writer and the recalculation
// driver all call the same code with the same inputs.
#include "cable/core/cablerow.h"

#include <QString>

#include <array>
#include <vector>

// The reference lookups the engine needs. The library implements it over theApp
// (AppCableLookup); tests may supply their own tables.
class CableLookup
{
public:
    virtual ~CableLookup() = default;
    // Floor match on a named table's key column; NO_VALUE for a missing entry.
    virtual double VLookup(double value, const QString& table, int column) = 0;
    // Exact match on the fixed keys of a correction-factor row; NO_VALUE when not listed.
    virtual double HLookup(double value, const QString& table) = 0;
    // A maker's operating multiple for a rating and a starting time; the fallback if none.
    virtual QString GetBreakerDelta(const QString& maker, int rating, int time,
                                    const QString& fallback) = 0;
    // Motor data (19 fields) by rated output and starting method.
    virtual bool FindMotorData(double kW, const QString& startingMethod,
                               std::array<QString, 19>& fields) = 0;
};

// The design conditions the engine reads, as values (NO_VALUE where a stored selection lies
// outside its option list). Panel-board conditions first, then the motor-control-centre ones.
struct CableConditions
{
    double airAmbient = 30;            // degC, methods A, B, E
    double groundAmbient = 20;         // degC, method D
    double trayTiers = 1;
    double soilResistivity = 2.5;      // K.m/W
    double burialDepth = 0.6;          // m
    double singleCoreThreshold = 16;   // mm2: multi-core cables below, single-core at and above
    double conductorTripTime = 0.01;   // s, t of SSC
    double loadPowerFactor = 0.9;
    double loadEfficiency = 1.0;
    double feederDropPct = 3;
    double branchDropPct = 3;
    double motorBranchDropPct = 5;
    double conductorMarginFactor = 1.0;
    double motorStartPowerFactor = 0.3;  // cos(theta m) of a fed panel's largest motor
    double motorFeederStartDropPct = 10;
    double motorStartDropPct = 15;
    double motorStartMarginFactor = 1.0;
    double inrushMultiple = 1.3;         // k of ATMI
    double breakerTripTime = 0.01;       // s, tN of ATSC
    double inrushMarginFactor = 1.0;
    // Motor starting characteristics.
    double mccInrushMultiple = 1.3;
    double mccSoftStarterTime = 10;      // s
    double mccInverterTime = 10;         // s
    double mccStartPowerFactor = 0.3;
};

// What the cable form adds when the row is computed from the screen rather than from the store.
struct CableFormExtras
{
    QString startingMethod;       // "기동방식"
    bool mccPanel = false;        // "MCC 분전반"
    QString maxExcludedKva;       // "최대부하 제외용량"
    QString maxMotorStartKva;     // "최대M기동용량"
    QString maxMotorStartTime;    // "최대M기동시간"
    QString maxMotorStartMethod;  // "최대M기동방식"
};

// Computes the row in place. manual: the conductor sizes, the frame and the rating are taken
// from the entries staged in columns 45, 47, 50, 54, 57, 59, 97 and 98. fromStored: the starting
// method and the fed-panel values come from the row (columns 14 and 25 to 29), not the form;
// a fed-panel value that is no number of at least 0 (a power factor also one above 1) shows "-".
// Columns 0, 2, 3, 4, 33 and 105 are left as they are, and column 30 unless its length is no
// positive number ("-" then). Every input is read by the shared strict reader: a length, load,
// voltage, phase or wire count, demand factor or parallel count that is no positive number is
// no value, and so is everything computed from it ("-", never nan, inf or a negative figure).
void CalcCableAndBreaker(CableRow& row, bool manual, bool fromStored, const CableConditions& cond,
                         const CableFormExtras& form, CableLookup& lookup);

// Efficiency and power factor of a motor (0.9 and 0.8 when the motor data lack them).
void LookupMotorEfficiency(CableLookup& lookup, double kW, const QString& startingMethod,
                           double& efficiency, double& powerFactor);

// The starting characteristics of a motor of kW given (the texts of columns 15 to 22: beta, C,
// lambda, m, IMS, II, tm, starting power factor), from its motor data, the starting method and
// its own current IBm.
std::array<QString, 8> CalcMotorStartCharacteristics(CableLookup& lookup,
                                                    const CableConditions& cond, double kW,
                                                    const QString& startMethod, double ibm);

// The design warnings of a computed row, in the order they are shown: 8 running voltage drop
// (SVD%) over its limit, 1 starting voltage drop (SMSVD%) over its limit, 2 IB<IN<IZ fails,
// 2 I2<1.45xIZ fails, 3 tN<tZ fails, 4 ISMAX above the breaking capacity (or a breaking
// capacity that has no figure). Figures are compared as the row shows them; a drop or a limit
// without a figure ("-", empty) decides nothing.
std::vector<int> CheckCableAlarms(const CableRow& row);
// 1 when the row raises any of those warnings, else 0.
int CableRowNeedsCheck(const CableRow& row);

// Exactly one of kW and kVA must be given: the message to show, or empty text when it is.
QString ValidateCableCapacity(const QString& kW, const QString& kVA);
