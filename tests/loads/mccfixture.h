#pragma once
// A small motor-control-centre project for the schedule tests: panels and load rows written
// through the stores, panel boards as the panel-board screen stores them ("_20"), feeder and
// branch rows of the cable schedule ("_40") and bus pages of the fault-current screen.
#include "../common/companionsuffixes.h"
#include "app/core/sevrin.h"
#include "loads/core/mccload.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QString>

#include <array>
#include <map>
#include <vector>

namespace mccfixture {

// An application object whose current project is dir/P1.pro.
inline void UseProject(CSevrinApp& app, const QString& dir)
{
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app.ProjectPathTable.CurrentProjectPath = QDir(dir).filePath("P1.pro");
}

// CT primaries 0, 15, 30, 50, 75, 100, 150, 200, 300, 400 A with the labels one step up.
inline void FillCtTable(LibTable& t)
{
    const int primaries[] = {0, 15, 30, 50, 75, 100, 150, 200, 300, 400};
    const char* labels[] = {"15", "20", "30", "50", "75", "100", "150", "200", "300", "400"};
    t.Count = 10;
    for (int e = 0; e < 10; ++e) {
        t.Cell(e, 0) = QString::number(primaries[e]) + QStringLiteral(".00");
        t.Cell(e, 1) = QString::fromLatin1(labels[e]);
    }
}

// Motors as the library holds them after the conditions were applied (beta 6.5, k 1.4).
inline void FillMotors(CSevrinApp& app)
{
    const std::vector<MotorRow> motors = {
        {"37DOL", "37", "3", "0.38", "0.930", "0.860", "70.29", "DOL", "6.5", "1.000", "-",
         "1.400", "457", "640", "6", "100/5", "-", "400", "300.70"},
        {"55Y-D", "55", "3", "0.38", "0.940", "0.870", "102.18", "Y-D", "6.5", "0.333", "-",
         "1.400", "221", "310", "15", "150/5", "30", "600", "145.57"},
        {"15S.S", "15", "3", "0.38", "0.920", "0.850", "29.14", "S.S", "6.5", "-", "3.000", "-",
         "87", "87", "10", "40/5", "-", "400", "57.54"},
    };
    LibTable& t = app.MotorLibBlock.MotorTable2;
    t.Count = int(motors.size());
    for (int e = 0; e < int(motors.size()); ++e)
        for (int f = 0; f < 19; ++f)
            t.Cell(e, f) = motors[std::size_t(e)][std::size_t(f)];
}

struct Panel
{
    QString name;
    QString from = QStringLiteral("TR-1");
    QString supply = QStringLiteral("3P4W");
    QString voltage = QStringLiteral("0.38");
    QString demand;  // stored result ΣDL (item 9)
};

// Appends a panel sheet (header and, when given, its stored demand).
inline bool AddPanel(CSevrinApp& app, const Panel& p)
{
    auto& rec = app.MotorControlCenterBlock.MccPanelRecord;
    rec = {};
    rec[0] = p.name;
    rec[1] = QStringLiteral("B2");
    rec[2] = QStringLiteral("돌출형");
    rec[3] = p.from;
    rec[4] = p.voltage;
    rec[5] = p.supply;
    rec[6] = QStringLiteral("X");
    const int index = app.MotorControlCenterBlock.MccPanelCount;
    if (!app.AddMccPanelSheet())
        return false;
    ++app.MotorControlCenterBlock.MccPanelCount;
    if (p.demand.isEmpty())
        return true;
    rec[9] = p.demand;
    return app.WriteMccPanelResults(index);
}

// A load row with its inputs only: name, number, kind, kW, kVA, spare, phases, method, DF.
inline MccLoadRow LoadInputs(const QString& name, const QString& number, const QString& kind,
                             const QString& kw, const QString& kva, const QString& spare,
                             const QString& phases, const QString& method, const QString& df)
{
    MccLoadRow row;
    row[MccCol::Name] = name;
    row[MccCol::Number] = number;
    row[MccCol::Kind] = kind;
    row[MccCol::Kw] = kw;
    row[MccCol::Kva] = kva;
    row[MccCol::Spare] = spare;
    row[MccCol::Phases] = phases;
    row[MccCol::StartMethod] = method;
    row[MccCol::DemandFactor] = df;
    return row;
}

inline bool WriteLoads(CSevrinApp& app, int panel, const std::vector<MccLoadRow>& rows)
{
    for (std::size_t k = 0; k < rows.size(); ++k) {
        app.MotorControlCenterBlock.MccLoadRow = rows[k];
        if (!app.WriteMccLoadRow(panel, int(k), false))
            return false;
    }
    return true;
}

// A panel board as the panel-board screen stores it: FROM, connected load VA, DF %, demand kVA.
inline bool AddBoard(CSevrinApp& app, const QString& name, const QString& from,
                     const QString& connectedVa, const QString& df, const QString& demandKva)
{
    auto& rec = app.CabinetSizingBlock.BoardRecord;
    rec = {};
    rec[0] = name;
    rec[1] = QStringLiteral("1F");
    rec[2] = QStringLiteral("매립형");
    rec[3] = from;
    rec[4] = QStringLiteral("0.38");
    rec[5] = QStringLiteral("3P4W");
    rec[6] = QStringLiteral("X");
    rec[7] = connectedVa;
    rec[8] = df;
    rec[9] = demandKva;
    const int index = app.CabinetSizingBlock.BoardCount;
    if (!app.AddPanelBoardSheet() || !app.WritePanelBoardResults(index))
        return false;
    ++app.CabinetSizingBlock.BoardCount;
    return true;
}

// A cable-schedule row: number, From, To, and the chosen breaker and cable columns.
inline bool AddCable(CSevrinApp& app, int row, const QString& from, const QString& to,
                     const std::map<int, QString>& cells)
{
    auto& c = app.CableScheduleBlock.CableRow;
    c = {};
    c[0] = QString::number(row + 1);
    c[2] = from;
    c[3] = to;
    for (const auto& [col, text] : cells)
        c[std::size_t(col)] = text;
    return app.WriteCableRow(row, false);
}

// Bus pages of one transformer's bus workbook: bus name, maximum and minimum kA ("" = empty).
struct Bus
{
    QString name, maximum, minimum;
};
inline bool WriteBusWorkbook(CSevrinApp& app, int tr, const std::vector<Bus>& buses)
{
    Book book;
    for (std::size_t p = 0; p < buses.size() + 1; ++p) {
        Sheet* s = book.addSheet(QString::number(p));
        if (p < buses.size()) {
            s->writeStr(1, 16, buses[p].name);
            s->writeStr(0, 1, buses[p].maximum);
            s->writeStr(0, 2, buses[p].minimum);
        }
    }
    return book.save(app.BusWorkbookPath(tr));
}

}  // namespace mccfixture
