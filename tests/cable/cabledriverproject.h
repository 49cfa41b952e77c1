#pragma once
// The project of the driver tests that size cables: the fixture library (cablefixture.h), the
// worked conditions and the schedule's stored rows.
#include "app/core/sevrin.h"
#include "cable/core/cablerow.h"
#include "cablefixture.h"
#include "common/driverproject.h"

#include <QList>
#include <QPair>
#include <QString>

namespace cablefixture {

// Points `app` at the fixture library already in the program folder's copy and stores the worked
// conditions in the project.
inline bool StoreWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    UseLibrary(app, where.root() + "/LIB");
    SetConditions(app);
    app.ProjectPathTable.CurrentProjectPath = where.project();
    return app.SaveMotorControlCenterSection(where.project()) &&
           app.SaveCabinetSizingSection(where.project());
}

// The fixture's workbooks in the program folder's copy of the library, and the worked conditions
// stored in the project.
inline bool StoreFixtureLibraryAndWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    return ReplaceLibrary(where.root() + "/LIB") && StoreWorkedConditions(app, where);
}

// The cells of a stored schedule row: (column, text).
using RowCells = QList<QPair<int, QString>>;

// Stored row i of the schedule: its No., the three bars of the sheet and `cells` (a later cell
// overwrites an earlier one).
inline CableRow StoredCableRow(int i, const RowCells& cells)
{
    CableRow row;
    row[0] = QString::number(i + 1);
    row[31] = row[43] = row[62] = "|";
    for (const auto& [col, text] : cells)
        row[std::size_t(col)] = text;
    return row;
}

// Writes `rows` as the schedule's rows 0, 1, ...
inline bool WriteStoredCableRows(CSevrinApp& app, const QList<RowCells>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        app.CableScheduleBlock.CableRow = StoredCableRow(i, rows[i]);
        if (!app.WriteCableRow(i, false))
            return false;
    }
    return true;
}

}  // namespace cablefixture
