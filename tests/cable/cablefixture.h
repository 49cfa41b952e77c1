#pragma once
// A small reference library for the cable engine, written through the Book layer: round
// ampacities, resistances and areas so every worked feeder can be checked by hand, and four
// breaker makers. The derating factors of the workbook equal those that the design conditions
// of WriteCableProject give (30 degC in air, 20 degC in the ground, 2.5 K.m/W, 0.6 m, one
// tray tier), so the tables stay the same whether or not the conditions are applied.
#include "../common/companionsuffixes.h"
#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"
#include "platform/xlsxbook.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace cablefixture {

inline const double kSizes[16] = {1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300};

// Three-core XLPE ampacities (A) by method A, B, D, E. Two-core cables carry 3 A more and
// single-core cables 10 A more.
inline const double kThreeCore[16][4] = {
    {17, 20, 22, 23},     {23, 28, 29, 32},     {31, 37, 37, 42},     {40, 48, 46, 54},
    {58, 69, 61, 75},     {73, 88, 79, 100},    {95, 117, 101, 127},  {117, 144, 122, 158},
    {141, 175, 144, 192}, {179, 222, 178, 246}, {216, 269, 211, 298}, {249, 312, 240, 346},
    {285, 342, 271, 399}, {324, 384, 304, 456}, {380, 450, 351, 538}, {435, 514, 396, 621},
};
// Conductor resistance (ohm/km, IEC 60228 class 2 copper at 20 degC); three-phase reactance
// 0.08 ohm/km for multi-core and 0.10 ohm/km for single-core cables.
inline const double kResistance[16] = {12.1,  7.41,  4.61,  3.08,   1.83,   1.15,   0.727,  0.524,
                                       0.387, 0.268, 0.193, 0.153, 0.124, 0.0991, 0.0754, 0.0601};
// PE conductor by phase size (IEC 60364-5-54 Table 54.2: S up to 16, 16 up to 35, S/2 above).
inline const double kPe[16] = {1.5, 2.5, 4, 6, 10, 16, 16, 16, 25, 35, 50, 70, 95, 95, 120, 150};
// Maker ratings (AT) and frames (AF, kA).
inline const QList<int> kLsmRatings = {15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225,
                                       250, 300, 350, 400, 500, 630, 800};
inline const QList<int> kLssRatings = {16, 20, 25, 32, 40, 50, 63, 80, 100, 125, 160, 200, 250};
inline const QList<int> kHgRatings = {15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225, 250};
inline const QList<int> kUserRatings = {10, 20, 30};

inline bool WriteLibrary(const QString& path)
{
    Book book;
    for (const char* n : {"Cable", "Breaker", "Dimension", "TR", "GEN", "Motor", "Switchgear",
                          "Grounding", "Demand", "User"})
        book.addSheet(QString::fromUtf8(n));

    Sheet* s = book.getSheet(0);
    s->writeNum(6, 37, 16);  // impedances: multi-core below 16 mm2
    s->writeNum(5, 58, 16);  // ampacities: multi-core below 16 mm2
    const double methodFactors[4] = {1.0, 1.0, 1.0, 0.80};  // A, B, D, E (E: one tray tier)
    for (int m = 0; m < 4; ++m)
        s->writeNum(7, 59 + m, methodFactors[m]);
    for (int e = 0; e < 16; ++e) {
        const int row = 11 + e;
        s->writeNum(row, 44, kSizes[e]);
        for (int m = 0; m < 4; ++m) {
            s->writeNum(row, 45 + m, kThreeCore[e][m] + 10);
            s->writeNum(row, 49 + m, kThreeCore[e][m] + 3);
            s->writeNum(row, 53 + m, kThreeCore[e][m]);
        }
        // CBLIMP: size; single-core R, X (single-phase), R, X (three-phase); multi-core alike.
        // The single-phase reactances are deliberately unlike the three-phase ones (0.32 and
        // 0.30 ohm/km), so a test sees which pair a drop was computed with.
        s->writeNum(10 + e, 27, kSizes[e]);
        for (int i = 0; i < 2; ++i) {
            s->writeNum(10 + e, 28 + 2 * i, kResistance[e]);
            s->writeNum(10 + e, 29 + 2 * i, i == 0 ? 0.32 : 0.10);
            s->writeNum(10 + e, 32 + 2 * i, kResistance[e]);
            s->writeNum(10 + e, 33 + 2 * i, i == 0 ? 0.30 : 0.08);
        }
    }
    // Tray grouping, nine or more circuits (last column): 0.80 for one tier, 0.02 less per tier.
    for (int e = 0; e < 6; ++e) {
        s->writeNum(9 + e, 72, e + 1);
        for (int p = 1; p < 9; ++p)
            s->writeNum(9 + e, 72 + p, p == 8 ? 0.80 - 0.02 * e : 0.9);
    }
    const double tdf[11] = {1.08, 1.04, 1.00, 0.96, 0.91, 0.87, 0.82, 0.76, 0.71, 0.65, 0.58};
    const double ugtdf[11] = {1.07, 1.04, 1.00, 0.96, 0.93, 0.89, 0.85, 0.80, 0.76, 0.71, 0.65};
    const double ugdf[7] = {1.28, 1.20, 1.18, 1.10, 1.05, 1.00, 0.96};
    const double ugddf[4] = {1.00, 0.98, 0.97, 0.95};
    for (int i = 0; i < 11; ++i) {
        s->writeNum(21, 71 + i, tdf[i]);
        s->writeNum(28, 71 + i, ugtdf[i]);
    }
    for (int i = 0; i < 7; ++i)
        s->writeNum(35, 71 + i, ugdf[i]);
    for (int i = 0; i < 4; ++i)
        s->writeNum(43, 71 + i, ugddf[i]);

    // Sheet 1: three-pole moulded-case breakers ("CB"): key, AT, AF, kA.
    s = book.getSheet(1);
    const double cb[16] = {15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225, 250, 300, 350};
    for (int e = 0; e < 16; ++e) {
        const int row = 20 + e;
        s->writeNum(row, 29, 3);
        s->writeNum(row, 30, cb[e]);
        s->writeNum(row, 37, e == 0 ? 0.01 : cb[e - 1] + 0.01);
        s->writeNum(row, 38, cb[e]);
        s->writeNum(row, 39, cb[e] <= 100 ? 100 : 400);
        s->writeNum(row, 40, cb[e] <= 100 ? 25 : 35);
    }

    // Sheet 2: cable areas, PE sizes and areas, conduits.
    s = book.getSheet(2);
    for (int e = 0; e < 16; ++e) {
        const double sq = kSizes[e];
        const int row = 10 + e;
        // FCV and FR8: diameter and area for 1, 2, 3 and 4 cores; FR8 areas 10 mm2 larger.
        const double area[4] = {2 * sq + 40, 4 * sq + 80, 5 * sq + 100, 6 * sq + 120};
        s->writeNum(row, 1, sq);
        s->writeNum(row, 24, sq);
        for (int c = 0; c < 4; ++c) {
            s->writeNum(row, 2 + 2 * c, 10 + c);
            s->writeNum(row, 3 + 2 * c, area[c]);
            s->writeNum(row, 25 + 2 * c, 11 + c);
            s->writeNum(row, 26 + 2 * c, area[c] + 10);
        }
        s->writeNum(row, 52, sq);             // F-GV: size, diameter, area
        s->writeNum(row, 53, 3 + e);
        s->writeNum(row, 54, 1.5 * sq + 10);
        s->writeNum(row, 56, sq);             // GV: PE size for a phase size
        s->writeNum(row, 57, kPe[e]);
    }
    // Conduits: the allowed area (key, fourth column) and the conduit size (sixth column).
    struct Conduit { int col; QList<double> areas; QList<double> sizes; };
    const Conduit conduits[3] = {
        {61, {100, 250, 500, 1000, 2000}, {16, 22, 28, 36, 42}},           // CD
        {77, {100, 300, 600, 1200, 2400, 3600, 4800, 6000, 7200},
         {22, 28, 36, 54, 70, 82, 92, 104, 116}},                          // ST
        {85, {150, 350, 700, 1400, 2800, 4200, 5600, 7000, 8400, 9800},
         {30, 40, 50, 65, 80, 90, 100, 125, 150, 175}},                    // FEP
    };
    for (const Conduit& c : conduits) {
        for (int e = 0; e < c.areas.size(); ++e) {
            s->writeNum(9 + e, c.col, e + 1);
            s->writeNum(9 + e, c.col + 3, c.areas[e]);
            s->writeNum(9 + e, c.col + 5, c.sizes[e]);
        }
    }

    // Sheet 5, motor table 2: key, kW, phases, kV, eta, cos, IB, method, beta, C, lambda, k,
    // IMS, II, tm, CT, capacitor, unit, starting kVA.
    s = book.getSheet(5);
    const QStringList motors[3] = {
        {"37DOL", "37", "3", "0.38", "0.93", "0.86", "70.29", "DOL", "6.5", "1.000", "-", "1.400",
         "457", "640", "6", "100/5", "-", "-", "-"},
        {"55Y-D", "55", "3", "0.38", "0.94", "0.87", "-", "Y-D", "6.5", "0.333", "-", "1.400", "-",
         "-", "15", "150/5", "-", "-", "-"},
        {"15S.S", "15", "3", "0.38", "0.92", "0.85", "-", "S.S", "-", "-", "3.000", "-", "-", "-",
         "10", "40/5", "-", "-", "-"},
    };
    // Figures are number cells, as the library keeps them; "-" and the key texts stay texts.
    const QList<int> numberFields = {3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 18};
    for (int e = 0; e < 3; ++e) {
        for (int f = 0; f < 19; ++f) {
            const QString& v = motors[e][f];
            if (numberFields.contains(f) && v != QLatin1String("-"))
                s->writeNum(5 + e, 22 + f, v.toDouble());
            else
                s->writeStr(5 + e, 22 + f, v);
        }
    }
    return book.save(path);
}

inline void WriteMaker(Sheet* s, const QList<int>& ratings, const QList<QPair<int, int>>& frames,
                       double multipleBase)
{
    // Operating multiples for 4, 6, 10, 15 and 20 s: base + 4, + 2, 0, - 1, - 2.
    const double steps[5] = {4, 2, 0, -1, -2};
    for (int i = 0; i < ratings.size(); ++i) {
        s->writeStr(2 + i, 4, QString::number(ratings[i]));
        for (int p = 0; p < 5; ++p)
            s->writeNum(2 + i, 5 + p, multipleBase + steps[p]);
    }
    for (int i = 0; i < frames.size(); ++i) {
        s->writeStr(2 + i, 0, QString::number(frames[i].first));
        s->writeStr(2 + i, 1, QString::number(frames[i].second));
        s->writeStr(2 + i, 2, QStringLiteral("S"));
    }
}

// LSM multiples 12/10/8/7/6, LSS 12/10/8/7/6 as well but LSS frames differ; HG 10/8/6/5/4.
inline bool WriteBreakers(const QString& path)
{
    Book book;
    WriteMaker(book.addSheet(QStringLiteral("LS Metasol")), kLsmRatings,
               {{50, 14}, {100, 25}, {225, 35}, {400, 50}, {630, 50}, {800, 65}}, 8);
    WriteMaker(book.addSheet(QStringLiteral("LS Susol - TS")), kLssRatings,
               {{100, 37}, {250, 50}}, 8);
    WriteMaker(book.addSheet(QStringLiteral("현대 HGM")), kHgRatings,
               {{50, 14}, {100, 25}, {225, 35}, {400, 50}}, 6);
    WriteMaker(book.addSheet(QStringLiteral("User")), kUserRatings, {{30, 10}}, 6);
    return book.save(path);
}

// Replaces the reference and breaker workbooks of a library folder (a copy of the program's
// LIB) with the fixture's; true on success.
inline bool ReplaceLibrary(const QString& dir)
{
    const QString lib = dir + QStringLiteral("/lib_v3p4.xlsx");
    const QString breakers = dir + QStringLiteral("/breaker_v3p4.xlsx");
    QFile::remove(lib);
    QFile::remove(breakers);
    return WriteLibrary(lib) && WriteBreakers(breakers);
}

// Points an application object at a library folder holding the two workbooks and loads them.
inline void UseLibrary(CSevrinApp& app, const QString& dir)
{
    app.ProjectPathTable.LibWorkbookPath = dir + QStringLiteral("/lib_v3p4.xlsx");
    app.ProjectPathTable.BreakerWorkbookPath = dir + QStringLiteral("/breaker_v3p4.xlsx");
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app.LoadLibraryWorkbook();
    app.LoadBreakerWorkbook(true, 0);
}

// The design conditions of the worked feeders, as a project stores them: 30 degC in air
// (index 2), 20 degC in the ground (2), one tray tier (0), 2.5 K.m/W (5), 0.6 m (0),
// threshold 16 mm2 (0), t 0.01 s (0), pf 0.9, efficiency 0.95, drops 3/3/5 %, margin 1.0,
// cos(theta m) 0.3 (4), drops 10/15 %, margin 1.0, breaker maker 0, k 1.4 (1), tN 0.02 s (1),
// inrush margin 1.2. Motor conditions: beta 6.5 (6), soft starter 3.0 (0), inverter 1.0 (0),
// k 1.4 (1), tm 6/15/10/10/10 s (1, 3, 2, 2, 2), starting pf 0.3 (4), tap 0.65, CT 1.25.
inline void SetConditions(CSevrinApp& app)
{
    auto& b = app.CabinetSizingBlock;
    b.BoardDemandFactor = QStringLiteral("100");
    b.InstallConditionIndex = {2, 2, 0, 5, 0};
    b.ConductorCriteriaIndex = {0, 0, 0};
    b.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    b.MotorStartCriteriaIndex = 4;
    b.MotorStartCriteriaText = {"10", "15", "1.0"};
    b.BreakerCriteriaIndex = {0, 1, 1};
    b.BreakerCriteriaText = {"1.2", "LS Metasol"};
    auto& m = app.MotorControlCenterBlock;
    m.MccConditionIndex = {6, 0, 0, 1, 1, 3, 2, 2, 2, 4};
    m.MccConditionText = {"0.65", "1.25"};
}

// Writes the fixture's two workbooks into the library folder `dir`, loads them and applies the
// worked feeders' design conditions; false when a workbook could not be written.
inline bool UseFixtureLibraryAndConditions(CSevrinApp& app, const QString& dir)
{
    if (!WriteLibrary(dir + QStringLiteral("/lib_v3p4.xlsx"))
        || !WriteBreakers(dir + QStringLiteral("/breaker_v3p4.xlsx")))
        return false;
    UseLibrary(app, dir);
    SetConditions(app);
    ApplyProjectDesignConditions(app);
    return true;
}

}  // namespace cablefixture
