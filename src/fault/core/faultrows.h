#pragma once
// The input lists of the fault-current screen and their impedances: distribution lines and
// incoming cables (percent on the 100 MVA base), feeder cables (ohms), and the motors of each
// transformer (locked-rotor impedance with the breaking-current factors mu and q). Each list
// lives in a sheet of the fault-current data workbook and is written at once; a list holds
// at most kMaxListRows rows (adding, inserting and importing refuse past it with a message).
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CSevrinApp;

namespace fault {

// ---- shared list operations ---------------------------------------------------------------

// What became of a row added, changed or inserted: done; refused (a message has said why, or
// the row or list does not exist); or not stored, when the workbook did not take the row: the
// list and its count stay as they were and the caller says so. True only when done.
struct [[nodiscard]] ListEdit
{
    enum Result { Done, Refused, NotStored };
    Result result;

    ListEdit(Result r) : result(r) {}
    ListEdit(bool done) : result(done ? Done : Refused) {}
    explicit operator bool() const { return result == Done; }
    bool notStored() const { return result == NotStored; }
};

// The row count the screen keeps for a list sheet (0, 1, 3..7, 8).
int& FaultListCount(CSevrinApp& app, int sheet);
// Reads the list of a sheet from row 0 up to the first row without a number, at most
// kMaxListRows rows, numbering column 0 from 1; sets the list's count and returns it. The
// rows go into `rows` when given.
int FillFaultList(CSevrinApp& app, int sheet, std::vector<QStringList>* rows = nullptr);
// True when list sheet `sheet` of the fault-current data workbook (0, 1, 3..7, 8) holds more
// rows than the kMaxListRows its list takes: the rows past the limit take no part in any
// calculation and stay in the file. False for a workbook that is missing or cannot be read.
bool FaultListBeyondLimit(const CSevrinApp& app, int sheet);
// Removes row s of a list sheet (the rows below move up); false when there is no such row.
[[nodiscard]] bool DeleteFaultListRow(CSevrinApp& app, int sheet, int s);

// ---- distribution lines (sheet 0) and incoming cables (sheet 1) -----------------------------

struct LineRowInputs
{
    bool LibraryInput = true;  // "입력1": from the line-impedance table
    QString Spec;              // "<phase type>|<neutral type>" of the conductor-pair combo
    QString Distance;          // km
    std::array<QString, 4> Direct;  // "입력2": %R1, %X1, %R0, %X0 as typed
};

// Part `index` (0 before, 1 after) of the text split at the first separator; without a
// separator part 0 is empty and part 1 the whole text.
QString SplitPart(const QString& text, const QString& separator, int index);

// Builds the row of a line (sheet 0) or incoming cable (sheet 1) into its row buffer, numbered
// index + 1. Shows a message and answers false when the table has no such conductor pair or a
// direct value is missing.
bool BuildUtilityLineRow(CSevrinApp& app, int index, const LineRowInputs& in);
bool BuildIncomingCableRow(CSevrinApp& app, int index, const LineRowInputs& in);
// Columns 8..11: the per-km values times the distance, four decimals.
void CalcUtilityLineImpedance(std::array<QString, 16>& row);
inline void CalcIncomingCableImpedance(std::array<QString, 16>& row) { CalcUtilityLineImpedance(row); }

ListEdit AddUtilityRow(CSevrinApp& app, int sheet, const LineRowInputs& in);
ListEdit ChangeUtilityRow(CSevrinApp& app, int sheet, int s, const LineRowInputs& in);

// ---- feeder cables (sheet 8) --------------------------------------------------------------

struct CableRowInputs
{
    QString From, To, Length, Type, Sq, Core, Line, Pe, N;
};

// Builds FaultCableRow numbered FaultCableCount + 1; with a name (an inserted row) From and To
// take it. delta20 and delta250 are the conductor temperature factors of the system calculation.
void BuildFaultCableRow(CSevrinApp& app, const CableRowInputs& in, const QString& name,
                        double delta20, double delta250);
// Columns 11..16 of a cable ("FCV", "FR8") from the "CBLRX" table, per parallel conductor.
void CalcCableImpedance(CSevrinApp& app, std::array<QString, 17>& row, double delta20,
                        double delta250);
// Columns 11..14 of an "HFIX" wire from the "HFIX" table; 15 and 16 are "-".
void CalcWireImpedance(CSevrinApp& app, std::array<QString, 17>& row, double delta20,
                       double delta250);

ListEdit AddFaultCableRow(CSevrinApp& app, const CableRowInputs& in, double delta20,
                          double delta250);
ListEdit ChangeFaultCableRow(CSevrinApp& app, int s, const CableRowInputs& in, double delta20,
                             double delta250);
// Inserts a row named "_____" before row s.
ListEdit InsertFaultCableRow(CSevrinApp& app, int s, const CableRowInputs& in, double delta20,
                             double delta250);
// Appends the three-phase and "A" rows of the cable schedule; returns how many were added, or
// -1 when the workbook did not take them (then none is kept and the count stays).
[[nodiscard]] int ImportScheduleCables(CSevrinApp& app, double delta20, double delta250);

// ---- motors of transformer t (sheet 3 + t) ----------------------------------------------------

struct MotorRowInputs
{
    QString Panel, Equipment, Kw, Kva, Method, Lrc, Pole, XR;
};

// The motor's rated voltage, efficiency and power factor from the motor library. Shows a
// message and answers false when the kW is missing or the library has no such motor.
bool ValidateFaultMotorInput(CSevrinApp& app, const QString& kw, const QString& method,
                             double& kv, double& eta, double& pf);
// Builds FaultMotorRow numbered FaultMotorCount + 1 (kVA = kW / eta / cos phi); with a name
// (an inserted row) panel and equipment take it.
void BuildFaultMotorRow(CSevrinApp& app, const MotorRowInputs& in, double kv, double eta,
                        double pf, const QString& name);
// Columns 12..26 from kW, kVA, kV, LRC, Pole and X/R. A motor whose figures give q <= 0 or a
// zero divisor has no contribution: columns 21..26 show "-" and it adds nothing.
void CalcMotorImpedance(std::array<QString, 27>& row);

ListEdit AddFaultMotorRow(CSevrinApp& app, int t, const MotorRowInputs& in);
ListEdit ChangeFaultMotorRow(CSevrinApp& app, int t, int s, const MotorRowInputs& in);
ListEdit InsertFaultMotorRow(CSevrinApp& app, int t, int s, const MotorRowInputs& in);
// Appends the motors ("M") of the motor-control-centre panels fed directly from TR-(t+1);
// returns how many were added, or -1 when the workbook did not take them (then none is kept
// and the count stays).
[[nodiscard]] int ImportMccMotors(CSevrinApp& app, int t);

}  // namespace fault
