#pragma once
// The fault-current report sheet: eight pages side by side (utility and lines, impedance
// conversion and transformers, the motors of TR-1 to TR-5, the feeder cables), copied from
// what the fault-current screen shows after recomputing and from the rows of its data
// workbook ("_80"). The motor pages of transformers without motors are removed.
#include "report/core/reportwriter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class Sheet;

// What the report copies from the screen, taken on the screen's thread right after it stored
// its inputs, recomputed and redisplayed (as "계산" does, without saving the project file).
struct FaultReportTexts
{
    bool available = false;           // false when there is no fault-current screen
    QHash<int, QString> utility;      // utility page edits by identifier (1640..1644, 1624..1627)
    QHash<int, QString> conversion;   // impedance-conversion page display fields by identifier
    std::vector<QStringList> lines;           // distribution-line list (1381), 16 cells a row
    std::vector<QStringList> incomingCables;  // incoming-cable list (1382)
    std::vector<QStringList> transformers;    // transformer list (1561), TR-1..TR-5
};

// Identifiers the snapshot must hold.
inline constexpr int kFaultReportUtilityFields[] = {1640, 1641, 1642, 1643, 1644,
                                                   1624, 1625, 1626, 1627};
inline constexpr int kFaultReportConversionFields[] = {
    1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085,
    1086, 1087, 1052, 1053, 1054, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063,
    1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071};

// What the template's pages hold; rows beyond are left out with a progress-line warning.
inline constexpr int kFaultReportMaxLines = 8;
inline constexpr int kFaultReportMaxIncomingCables = 1;
inline constexpr int kFaultReportMaxMotors = 50;
inline constexpr int kFaultReportMaxCables = 50;

// First columns of the pages as the template lays them out (before motor pages are removed).
inline constexpr int kFaultReportMotorPage = 41;  // TR-1; TR-n at 41 + 20 (n - 1)
inline constexpr int kFaultReportMotorPageColumns = 20;
inline constexpr int kFaultReportCablePage = 141;

// The parallel equivalent of a sum of reciprocals: "0" for a sum of exactly 0, else 1 / sum
// with six decimals.
QString ParallelEquivalent(double sumOfReciprocals);

// Fills the sheet from the snapshot and the project's fault-current data workbook (read
// only), then removes the motor pages without motors.
void WriteFaultCurrentSheet(Sheet& sheet, const FaultReportTexts& texts, int pictureId,
                            const QString& revision, const ProjectScreenTexts& project,
                            ReportHost& host);
