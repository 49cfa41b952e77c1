// "fault": the fault-current screen's "계산" without a window: the system fault level, every
// transformer's secondary bus and every named bus of every transformer, with the bus results
// written back to the bus workbooks as the screen writes them.
//
//   INCOMING <15 results of the 22.9 kV bus>
//   TR       n  <15 results of TR-n's secondary bus>
//   BUS      n  cell  name  <the 15 texts stored in row 0 of the bus page>
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/core/faultcurrent.h"
#include "platform/xlsxbook.h"

#include <QStringList>

namespace {

QStringList Results(const fault::BusView& v)
{
    QStringList fields;
    for (const QString& t : v.Results)
        fields << t;
    return fields;
}

int RunFault(CalcContext& ctx)
{
    fault::FaultBusPages pages;
    fault::LoadFaultBusData(theApp, pages);
    fault::CalcFaultCurrent(theApp, pages);

    WriteCalcLine(ctx.out, QStringList{QStringLiteral("INCOMING")} + Results(pages.Incoming));
    for (int n = 0; n < fault::kTransformers; ++n) {
        WriteCalcLine(ctx.out, QStringList{QStringLiteral("TR"), QString::number(n + 1)} +
                                   Results(pages.Columns[std::size_t(n)].TransformerCell));
    }
    for (int n = 0; n < fault::kTransformers; ++n) {
        companion::WorkbookAccess wb(theApp.BusWorkbookPath(n),
                                     companion::WorkbookAccess::Mode::Read);
        if (!wb.ok())
            continue;
        for (int s = 0; s < wb.book().sheetCount(); ++s) {
            const Sheet* sheet = wb.sheet(s);
            const QString name = companion::CellText(*sheet, 1, 16);
            if (name.isEmpty())
                continue;
            QStringList fields{QStringLiteral("BUS"), QString::number(n + 1),
                               QString::number(s + 1), name};
            for (int c = 0; c < fault::kBusResults; ++c)
                fields << companion::CellText(*sheet, 0, c);
            WriteCalcLine(ctx.out, fields);
        }
    }
    return 0;
}

const CalcCommandRegistrar reg("fault", &RunFault);

}  // namespace
