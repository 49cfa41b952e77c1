// sevrin-calc cables: recomputes every stored row of the project's cable schedule ("_40") as
// the fault-current search does (automatic sizes; the starting method and the fed-panel values
// from the stored row) and prints each row as one line of its 112 texts, in row order; the No.
// as a label, a number the program would refuse as the row's running number. The workbook is
// not written.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableapp.h"
#include "cable/core/cableschedule.h"
#include "app/core/quantity.h"

#include <QFileInfo>

namespace {

int RunCables(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::CableWorkbook);
    if (!QFileInfo::exists(path))
        return 0;  // no cable schedule yet: nothing to print
    {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "sevrin-calc: cannot read cable schedule: " << path << '\n';
            return 1;
        }
    }

    if (CableRowsBeyondLimit(theApp))
        WarnRowLimit(ctx, path, kCableRowLimit);
    const CableConditions cond = CableConditionsFromApp(theApp);
    AppCableLookup lookup(theApp);
    QStringList fields;
    fields.reserve(kCableColumnCount);
    for (int i = 0; i < kCableRowLimit; ++i) {
        if (!theApp.ReadCableRow(i))
            break;
        CableRow row = theApp.CableScheduleBlock.CableRow;
        RecalcStoredCableRow(row, cond, lookup);
        fields.clear();
        for (const QString& cell : row)
            fields.append(cell);
        // The No. is the list's running number: a label stored there is echoed, a number the
        // program would refuse ("nan", "-5", 21 digits) is the row's number as the list shows it.
        fields[0] = LabelText(row[0], QString::number(i + 1));
        WriteCalcLine(ctx.out, fields);
    }
    return 0;
}

const CalcCommandRegistrar reg("cables", &RunCables);

}  // namespace
