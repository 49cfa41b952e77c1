#pragma once
// Fixtures of the panel-board tests: reference tables small enough to check a branch circuit
// by hand (a lookup that answers like the library's VLookup), and the workbooks a board reads
// besides its own: the cable schedule "_40", the motor-control-centre panels "_10" and the bus
// workbooks "_851".."_855".
#include "../common/companionsuffixes.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "cable/core/cablesizing.h"
#include "loads/core/branchcircuit.h"
#include "platform/xlsxbook.h"

#include <QHash>
#include <QList>
#include <QString>

#include <cmath>
#include <vector>

namespace boardfixture {

// Floor match on column 1, as the library's VLookup: an equal key takes its entry, a value
// between keys the lower, below every key the first, above every key the last.
class TableLookup : public CableLookup
{
public:
    QHash<QString, QList<QList<double>>> tables;  // rows: key, column 2, column 3, ...
    int calls = 0;

    double VLookup(double value, const QString& table, int column) override
    {
        ++calls;
        const QList<QList<double>> rows = tables.value(table);
        if (rows.isEmpty())
            return NO_VALUE;
        qsizetype i = 0;
        while (i < rows.size() && rows[i][0] < value)
            ++i;
        if (i == rows.size())
            i = rows.size() - 1;
        else if (rows[i][0] > value && i > 0)
            --i;
        const QList<double>& row = rows[i];
        return column - 1 < row.size() ? row[column - 1] : NO_VALUE;
    }
    double HLookup(double, const QString&) override { return NO_VALUE; }
    QString GetBreakerDelta(const QString&, int, int, const QString& fallback) override
    {
        return fallback;
    }
    bool FindMotorData(double, const QString&, std::array<QString, 19>&) override { return false; }
};

inline const QList<double> kSizes = {1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300};
// HFIX (90 degC) ampacities, IEC 60364-5-52 Tables B.52.3 / B.52.5, methods A1 and B1, for
// two and three loaded conductors (factor 1 at 30 degC).
inline const QList<QList<double>> kHfix = {
    {19, 23, 17, 20},     {26, 31, 23, 28},     {35, 42, 31, 37},     {45, 54, 40, 48},
    {61, 75, 54, 66},     {81, 100, 73, 88},    {106, 133, 95, 117},  {131, 164, 117, 144},
    {158, 198, 141, 175}, {200, 253, 179, 222}, {241, 306, 216, 269}, {278, 354, 249, 312},
    {318, 393, 285, 342}, {362, 449, 324, 384}, {424, 528, 380, 450}, {486, 603, 435, 514},
};
// XLPE multi-core cable ampacities, Tables B.52.3 / B.52.5 / B.52.12: two-core A2, B2, D1, E
// then three- or four-core A2, B2, D1, E.
inline const QList<QList<double>> kCable = {
    {18.5, 22, 25, 26, 16.5, 19.5, 21, 23}, {25, 30, 33, 36, 22, 26, 28, 32},
    {33, 40, 43, 49, 30, 35, 36, 42},       {42, 51, 53, 63, 38, 44, 44, 54},
    {57, 69, 71, 86, 51, 60, 58, 75},       {76, 91, 91, 115, 68, 80, 75, 100},
    {99, 119, 116, 149, 89, 105, 96, 127},  {121, 146, 139, 185, 109, 128, 115, 158},
    {145, 175, 164, 225, 130, 154, 135, 192}, {183, 221, 203, 289, 164, 194, 167, 246},
    {220, 265, 239, 352, 197, 233, 197, 298}, {253, 305, 271, 410, 227, 268, 223, 346},
    {290, 334, 306, 473, 259, 300, 251, 399}, {329, 384, 343, 542, 295, 340, 281, 456},
    {386, 459, 395, 641, 346, 398, 324, 538}, {442, 532, 446, 741, 396, 455, 365, 621},
};
// HFIX wire impedances, ohm/km: R and X single-phase, R and X three-phase.
inline const QList<QList<double>> kImpedance = {
    {15.4287, 0.1239}, {9.4485, 0.1208}, {5.8783, 0.1126}, {3.9274, 0.1078},
    {2.3336, 0.1064},  {1.4666, 0.1018}, {0.9274, 0.1015}, {0.6688, 0.0984},
    {0.4943, 0.0951},  {0.343, 0.0919},  {0.2479, 0.0915}, {0.1975, 0.0888},
    {0.161, 0.0889},   {0.13, 0.0888},   {0.1008, 0.0877}, {0.0824, 0.0874},
};
// Breaker ratings of every type; frames 63 AF up to 63 A and 100 AF above for MCB and RCBO,
// 100 / 250 AF for MCCB and CBR. Breaking capacities differ by table so a test sees which
// frame table was read.
inline const QList<double> kRatings = {10, 16, 20, 25, 32, 40, 50, 63, 80, 100, 125};
inline const QList<QPair<QString, double>> kBreakerKa = {
    {"MCB", 6}, {"RCBO", 10}, {"CBR", 25}, {"MCCB2", 14}, {"MCCB3", 35}};

// Bucket keys: 0.01 (or 0), then the previous limit + 0.01, so a value finds the first entry
// whose limit reaches it.
inline QList<QList<double>> Buckets(const QList<double>& limits, const QList<double>& values,
                                    double first, int valueColumn)
{
    QList<QList<double>> rows;
    for (qsizetype i = 0; i < limits.size(); ++i) {
        QList<double> row(std::size_t(valueColumn), 0.0);
        row[0] = i == 0 ? first : limits[i - 1] + 0.01;
        row[valueColumn - 1] = values[i];
        rows.append(row);
    }
    return rows;
}

inline TableLookup MakeLookup()
{
    TableLookup l;
    for (const auto& [name, ka] : kBreakerKa) {
        l.tables[name] = Buckets(kRatings, kRatings, 0.01, 2);
        QList<QList<double>> frames;
        const bool small = name == QLatin1String("MCB") || name == QLatin1String("RCBO");
        for (double at : kRatings)
            frames.append({at, small ? (at <= 63 ? 63.0 : 100.0) : (at <= 100 ? 100.0 : 250.0), ka});
        l.tables[name + "AF"] = frames;
    }
    const char* hfixNames[4] = {"HFIX2A", "HFIX2B", "HFIX3A", "HFIX3B"};
    for (int c = 0; c < 4; ++c) {
        QList<double> currents;
        for (const auto& row : kHfix)
            currents.append(row[c]);
        l.tables[hfixNames[c]] = Buckets(currents, kSizes, 0.0, 2);
    }
    const char* cableNames[8] = {"CABLE1A", "CABLE1B", "CABLE1D", "CABLE1E",
                                 "CABLE3A", "CABLE3B", "CABLE3D", "CABLE3E"};
    for (int c = 0; c < 8; ++c) {
        QList<double> currents;
        for (const auto& row : kCable)
            currents.append(row[c]);
        // key, derated current, size
        QList<QList<double>> rows = Buckets(currents, currents, 0.01, 2);
        for (qsizetype i = 0; i < rows.size(); ++i)
            rows[i].append(kSizes[i]);
        l.tables[cableNames[c]] = rows;
    }
    l.tables["HFIXSQ"] = Buckets(kSizes, kSizes, 0.01, 2);
    QList<QList<double>> hfixAc, cableC, imp;
    for (qsizetype i = 0; i < kSizes.size(); ++i) {
        hfixAc.append(QList<double>{kSizes[i]} + kHfix[i]);
        cableC.append(QList<double>{kSizes[i]} + kCable[i]);
        imp.append({kSizes[i], kImpedance[i][0], kImpedance[i][1], kImpedance[i][0], kImpedance[i][1]});
    }
    l.tables["HFIXAC"] = hfixAc;
    l.tables["CABLEC"] = cableC;
    l.tables["HFIXIMP"] = imp;
    return l;
}

// ---- workbooks beside a project ---------------------------------------------------------

inline void UseProject(CSevrinApp& app, const QString& project)
{
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app.ProjectPathTable.CurrentProjectPath = project;
}

// Writes `rows` as the circuit rows 0, 1, ... of board sheet `board`.
inline bool WriteCircuitRows(CSevrinApp& app, int board, const std::vector<CircuitCells>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        app.CabinetSizingBlock.CircuitRow = rows[i];
        if (!app.WriteCircuitRow(board, int(i), false))
            return false;
    }
    return true;
}

// A cable schedule with one feeder row per (To, poles, AF, AT, kA).
struct Feeder
{
    QString to;
    QString poles, af, at, ka;
};
inline bool WriteCableSchedule(const QString& path, const QList<Feeder>& feeders)
{
    Book book;
    Sheet* s = book.addSheet(QStringLiteral("Sheet1"));
    for (qsizetype i = 0; i < feeders.size(); ++i) {
        const int r = int(i);
        for (int c = 0; c < 112; ++c)
            s->writeStr(r, c, QString());
        s->writeStr(r, 0, QString::number(i + 1));
        s->writeStr(r, 2, QStringLiteral("MDB"));
        s->writeStr(r, 3, feeders[i].to);
        s->writeStr(r, 91, feeders[i].poles);
        s->writeStr(r, 96, feeders[i].af);
        s->writeStr(r, 97, feeders[i].at);
        s->writeStr(r, 102, feeders[i].ka);
    }
    return book.save(path);
}

// A bus workbook whose pages carry (bus name, maximum kA, minimum kA); the rest of the 100
// pages stay empty.
struct Bus
{
    QString name, maximum, minimum;
};
inline bool WriteBusWorkbook(const QString& path, const QList<Bus>& buses)
{
    Book book;
    for (int p = 0; p < 100; ++p) {
        Sheet* s = book.addSheet(QString::number(p));
        if (p < buses.size()) {
            s->writeStr(0, 1, buses[p].maximum);
            s->writeStr(0, 2, buses[p].minimum);
            s->writeStr(1, 16, buses[p].name);
        }
    }
    return book.save(path);
}

// Motor-control-centre panels: (name, FROM, demand load kVA).
struct Panel
{
    QString name, from, demandKva;
};
inline bool WriteMccPanels(const QString& path, const QList<Panel>& panels)
{
    Book book;
    for (const Panel& p : panels) {
        Sheet* s = book.addSheet(p.name);
        s->writeStr(0, 0, QStringLiteral("B1"));
        s->writeStr(1, 0, QStringLiteral("매립형"));
        s->writeStr(2, 0, p.from);
        s->writeStr(3, 0, QStringLiteral("0.38"));
        s->writeStr(4, 0, QStringLiteral("3P4W"));
        s->writeStr(5, 0, QStringLiteral("X"));
        s->writeStr(2, 1, p.demandKva);
    }
    return book.save(path);
}

}  // namespace boardfixture
