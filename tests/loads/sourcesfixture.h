#pragma once
// Shared pieces of the transformer and generator tests: floor-matched rating tables as the
// library holds them, an application object on a temporary project, "_10" / "_20" workbooks
// written through the stores in the layout the schedule screens keep, and generator load rows.
#include "../common/companionsuffixes.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/driverproject.h"
#include "loads/core/generatorsizing.h"
#include "loads/core/transformersizing.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace sourcesfixture {

// Floor match: the entry with the largest key not above the value, the first entry below
// every key.
inline RatingLookup FloorTable(std::vector<std::pair<double, double>> table)
{
    return [table](double v) {
        if (table.empty())
            return NO_VALUE;
        double r = table.front().second;
        for (const auto& [key, value] : table)
            if (key <= v)
                r = value;
        return r;
    };
}

// The next rating up: ratings keyed 0 and then each rating + 1, floor-matched.
template <typename Ratings>
RatingLookup NextRatingTable(const Ratings& ratings)
{
    std::vector<std::pair<double, double>> t;
    double key = 0;
    for (double r : ratings) {
        t.push_back({key, r});
        key = r + 1;
    }
    return FloorTable(t);
}

// IEC 60076-1 preferred ratings, keyed 0 and then each rating + 1.
inline RatingLookup TransformerTable()
{
    const double ratings[] = {100, 125, 160, 200, 250, 315, 400, 500, 630, 800,
                              1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300};
    return NextRatingTable(ratings);
}

// Generator ratings in kW (keyed 0, then each rating + 1) and their kVA at power factor 0.8.
inline const double kGeneratorKw[] = {20,  25,  30,  40,  50,  60,  80,   100,  125,  150,
                                      175, 200, 250, 300, 350, 400, 450,  500,  600,  750,
                                      800, 1000, 1250, 1500, 1750, 2000, 2500, 3000};
inline RatingLookup GeneratorTable()
{
    return NextRatingTable(kGeneratorKw);
}
inline RatingLookup GeneratorKvaTable()
{
    std::vector<std::pair<double, double>> t;
    for (double r : kGeneratorKw)
        t.push_back({r, r / 0.8});
    return FloorTable(t);
}

// An application object whose current project is dir/P1.pro (the file itself need not exist).
inline std::unique_ptr<CSevrinApp> NewApp(const QString& dir)
{
    auto app = std::make_unique<CSevrinApp>();
    app->ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app->ProjectPathTable.CurrentProjectPath = QDir(dir).filePath("P1.pro");
    return app;
}

// A driver test's start: a program folder and blank project (MakeDriverProject) in a temporary
// folder, and an application object on that project. made.ok is false when a copy failed.
struct DriverApp
{
    QTemporaryDir dir;
    DriverProject made = dir.isValid() ? MakeDriverProject(dir.path()) : DriverProject{};
    std::unique_ptr<CSevrinApp> app = NewApp(dir.path());
};

// A generator load row as "추가" builds it, its demands computed: number, panel, type, kW, kVA,
// starting method, outage %, fire %; the equipment and tag named after the number.
inline GeneratorLoadRowT GeneratorLoad(int number, const QString& panel, const QString& type,
                                       const QString& kw, const QString& kva, const QString& start,
                                       const QString& outagePct, const QString& firePct)
{
    using namespace gencol;
    GeneratorLoadRowT row;
    row[kNumber] = QString::number(number);
    row[kPanel] = panel;
    row[kEquipment] = QStringLiteral("E-%1").arg(number);
    row[kTag] = QStringLiteral("T-%1").arg(number);
    row[kType] = type;
    row[kKw] = kw;
    row[kKva] = kva;
    row[kStart] = start;
    row[kOutagePct] = outagePct;
    row[kFirePct] = firePct;
    CalcGeneratorLoadDemand(row);
    return row;
}

// The generator loads worked by hand in tst_generatorcapacity.cpp (bothCasesByHand), numbered
// 1 to 5 on MCC-FA.
inline std::vector<GeneratorLoadRowT> HandWorkedGeneratorLoads()
{
    const QString p = QStringLiteral("MCC-FA");
    return {GeneratorLoad(1, p, "M", "37", "", "DOL", "100", "100"),    // fire-fighting supply fan
            GeneratorLoad(2, p, "M", "15", "", "Y-D", "100", "0"),      // drainage pump, outage only
            GeneratorLoad(3, p, "M", "110", "", "리액터", "0", "100"),   // sprinkler pump, fire only
            GeneratorLoad(4, p, "L3P", "", "20", "-", "100", "50"),     // lighting
            GeneratorLoad(5, p, "L1", "", "5", "-", "", "")};           // no demand factors yet: counts nowhere
}

// The hand-worked generator stored for the driver: a = 1.45 / c = 6 / k = 1.1 on outage,
// a = 1.38 / c = 3.9 / k = 1.1 on fire, in `project`; HandWorkedGeneratorLoads in "_60".
inline bool StoreHandWorkedGenerator(CSevrinApp& app, const QString& project)
{
    auto& b = app.GeneratorSizingBlock;
    b.GeneratorConditionIndex = {1, 0};  // a: 1.45 outage, 1.38 fire
    b.GeneratorConditionText = {"6", "1.1", "3.9", "1.1"};
    if (!app.SaveGeneratorSizingSection(project))
        return false;
    int i = 0;
    for (const GeneratorLoadRowT& row : HandWorkedGeneratorLoads()) {
        b.GeneratorLoadRow = row;
        if (!app.WriteGeneratorLoadRow(i++, false))
            return false;
    }
    return true;
}

// The ten header fields a motor-control-centre panel and a panel board share: name, kind, 0.38
// kV, the source "FROM", 3 phases 4 wires, generator mark, connected load, DF, demand.
template <typename Record>
void FillSourceHeader(Record& rec, const QString& name, const QString& kind, const QString& from,
                      const QString& generator, const QString& connected, const QString& df,
                      const QString& demand)
{
    rec = {};
    rec[0] = name;
    rec[1] = kind;
    rec[2] = QStringLiteral("0.38");
    rec[3] = from;
    rec[4] = QStringLiteral("3");
    rec[5] = QStringLiteral("4");
    rec[6] = generator;
    rec[7] = connected;
    rec[8] = df;
    rec[9] = demand;
}

// A motor-control-centre panel sheet: name; header (row 0..5 of column 0, the source "FROM"
// in row 2 and the generator mark in row 5); totals CL [kVA], DF [%], DL [kVA]; the largest
// motor's output, cosθ, β, η, cosθ at start and C.
struct MccPanel
{
    QString name, from, generator;
    QString cl, df, dl;
    std::array<QString, 6> motor;
    // Loads: equipment name, number, kind, kW, kVA, starting method.
    std::vector<std::array<QString, 6>> loads;
    QString motorMethod;  // the largest motor's starting method (item 19)
};

inline bool WriteMccPanel(CSevrinApp& app, const MccPanel& p)
{
    auto& rec = app.MotorControlCenterBlock.MccPanelRecord;
    FillSourceHeader(rec, p.name, QStringLiteral("MCC"), p.from, p.generator, p.cl, p.df, p.dl);
    for (int i = 0; i < 6; ++i)
        rec[std::size_t(10 + i)] = p.motor[std::size_t(i)];
    rec[19] = p.motorMethod;
    const int index = app.MotorControlCenterBlock.MccPanelCount;
    if (!app.AddMccPanelSheet() || !app.WriteMccPanelResults(index))
        return false;
    ++app.MotorControlCenterBlock.MccPanelCount;
    for (std::size_t k = 0; k < p.loads.size(); ++k) {
        auto& row = app.MotorControlCenterBlock.MccLoadRow;
        row = {};
        for (int c = 0; c < 5; ++c)
            row[std::size_t(c)] = p.loads[k][std::size_t(c)];
        row[13] = p.loads[k][5];
        if (!app.WriteMccLoadRow(index, int(k), false))
            return false;
    }
    return true;
}

// A panel board: name, "FROM", generator mark, connected load [VA], DF [%], demand [kVA].
struct Board
{
    QString name, from, generator, connectedVA, df, demandKva;
};

inline bool WriteBoard(CSevrinApp& app, const Board& b)
{
    FillSourceHeader(app.CabinetSizingBlock.BoardRecord, b.name, QStringLiteral("LP"), b.from, b.generator,
                     b.connectedVA, b.df, b.demandKva);
    const int index = app.CabinetSizingBlock.BoardCount;
    if (!app.AddPanelBoardSheet() || !app.WritePanelBoardResults(index))
        return false;
    ++app.CabinetSizingBlock.BoardCount;
    return true;
}

}  // namespace sourcesfixture
