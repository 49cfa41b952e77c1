#pragma once
// Shared pieces of the transformer and generator tests: floor-matched rating tables as the
// library holds them, an application object on a temporary project, and "_10" / "_20"
// workbooks written through the stores in the layout the schedule screens keep.
#include "../common/companionsuffixes.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "loads/core/transformersizing.h"

#include <QDir>
#include <QString>

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

// IEC 60076-1 preferred ratings, keyed 0 and then each rating + 1.
inline RatingLookup TransformerTable()
{
    const double ratings[] = {100, 125, 160, 200, 250, 315, 400, 500, 630, 800,
                              1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300};
    std::vector<std::pair<double, double>> t;
    double key = 0;
    for (double r : ratings) {
        t.push_back({key, r});
        key = r + 1;
    }
    return FloorTable(t);
}

// Generator ratings in kW (keyed 0, then each rating + 1) and their kVA at power factor 0.8.
inline const double kGeneratorKw[] = {20,  25,  30,  40,  50,  60,  80,   100,  125,  150,
                                      175, 200, 250, 300, 350, 400, 450,  500,  600,  750,
                                      800, 1000, 1250, 1500, 1750, 2000, 2500, 3000};
inline RatingLookup GeneratorTable()
{
    std::vector<std::pair<double, double>> t;
    double key = 0;
    for (double r : kGeneratorKw) {
        t.push_back({key, r});
        key = r + 1;
    }
    return FloorTable(t);
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
    rec = {};
    rec[0] = p.name;
    rec[1] = QStringLiteral("MCC");
    rec[2] = QStringLiteral("0.38");
    rec[3] = p.from;
    rec[4] = QStringLiteral("3");
    rec[5] = QStringLiteral("4");
    rec[6] = p.generator;
    rec[7] = p.cl;
    rec[8] = p.df;
    rec[9] = p.dl;
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
    auto& rec = app.CabinetSizingBlock.BoardRecord;
    rec = {};
    rec[0] = b.name;
    rec[1] = QStringLiteral("LP");
    rec[2] = QStringLiteral("0.38");
    rec[3] = b.from;
    rec[4] = QStringLiteral("3");
    rec[5] = QStringLiteral("4");
    rec[6] = b.generator;
    rec[7] = b.connectedVA;
    rec[8] = b.df;
    rec[9] = b.demandKva;
    const int index = app.CabinetSizingBlock.BoardCount;
    if (!app.AddPanelBoardSheet() || !app.WritePanelBoardResults(index))
        return false;
    ++app.CabinetSizingBlock.BoardCount;
    return true;
}

}  // namespace sourcesfixture
