// sevrin-calc mcc: for each motor-control-centre panel in sheet order, recomputes every stored
// load row as a modification on the calculation sheet would (rows the input check refuses stay
// as stored) and then the panel totals as "계산" does, storing both as the screen would.
// Prints one line per load row, "LOAD", the panel's name and the row's 40 texts, and then
// "PANEL", the panel's name and the 20 items of the panel record.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "loads/core/mccpanel.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

int RunMcc(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::MccWorkbook);
    if (!QFileInfo::exists(path))
        return 0;  // no panels yet: nothing to print
    int panels = 0;
    {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "sevrin-calc: cannot read motor-control-centre workbook: " << path << '\n';
            return 1;
        }
        panels = wb.book().sheetCount();
    }

    const auto& record = theApp.MotorControlCenterBlock.MccPanelRecord;
    for (int p = 0; p < panels; ++p) {
        std::vector<MccLoadRow> rows;
        if (!RecalcMccPanelLoads(theApp, p, rows)) {
            ctx.err << "sevrin-calc: cannot store the load rows of panel " << p + 1 << ": "
                    << path << '\n';
            return 1;
        }
        const QString name = record[0];
        for (const MccLoadRow& row : rows) {
            QStringList fields{QStringLiteral("LOAD"), name};
            for (const QString& cell : row)
                fields.append(cell);
            WriteCalcLine(ctx.out, fields);
        }
        const MccPanelCalc calc = CalcMccPanelResults(theApp, p);
        if (!calc.read || !calc.stored) {
            ctx.err << "sevrin-calc: cannot store the totals of panel " << name << ": " << path
                    << '\n';
            return 1;
        }
        QStringList fields{QStringLiteral("PANEL"), record[0]};
        for (const QString& item : record)
            fields.append(item);
        WriteCalcLine(ctx.out, fields);
    }
    return 0;
}

const CalcCommandRegistrar reg("mcc", &RunMcc);

}  // namespace
