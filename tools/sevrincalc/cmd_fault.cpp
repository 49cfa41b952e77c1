// "fault": the fault-current screen's "계산" without a window: the system fault level, every
// transformer's secondary bus and every named bus of every transformer, with the bus results
// written back to the bus workbooks as the screen writes them.
//
//   INCOMING <15 results of the 22.9 kV bus>
//   TR       n  <15 results of TR-n's secondary bus>
//   BUS      n  cell  name  <the 15 texts stored in row 0 of the bus page>
//
// A workbook of the calculation that exists but cannot be read stops it before any file is
// written; a workbook that does not take its results fails the run. Either prints no result
// line and one line on stderr naming the workbooks. A list that holds more rows than it takes
// (lines, incoming cables, motors, cables, a bus page's cables) is computed on its first
// kMaxListRows rows and named in a warning line.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"
#include "platform/xlsxbook.h"

#include <QStringList>

#include <vector>

namespace {

QStringList Results(const fault::BusView& v)
{
    QStringList fields;
    for (const QString& t : v.Results)
        fields << t;
    return fields;
}

int Fail(CalcContext& ctx, const fault::FaultStoreOutcome& outcome)
{
    if (!outcome.unreadable.isEmpty())
        ctx.err << "sevrin-calc: cannot read fault-current workbook: "
                << outcome.unreadable.join(QStringLiteral(", ")) << '\n';
    else
        ctx.err << "sevrin-calc: cannot store fault-current results: "
                << outcome.unsaved.join(QStringLiteral(", ")) << '\n';
    return 1;
}

int RunFault(CalcContext& ctx)
{
    fault::FaultBusPages pages;
    // Loading creates missing bus workbooks, and writes nothing while an input is unreadable.
    fault::FaultStoreOutcome outcome = fault::LoadFaultBusData(theApp, pages);
    if (outcome.ok())
        outcome = fault::CalcFaultCurrent(theApp, pages);
    if (!outcome.ok())
        return Fail(ctx, outcome);
    // A list past its limit was computed on its first rows: said, and the run succeeds.
    for (const QString& path : fault::FaultWorkbooksBeyondLimit(theApp))
        WarnRowLimit(ctx, path, fault::kMaxListRows);

    std::vector<QStringList> lines;
    lines.push_back(QStringList{QStringLiteral("INCOMING")} + Results(pages.Incoming));
    for (int n = 0; n < fault::kTransformers; ++n) {
        lines.push_back(QStringList{QStringLiteral("TR"), QString::number(n + 1)} +
                        Results(pages.Columns[std::size_t(n)].TransformerCell));
    }
    for (int n = 0; n < fault::kTransformers; ++n) {
        const QString path = theApp.BusWorkbookPath(n);
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            // The run has just stored it: a workbook gone since has no results to print.
            fault::FaultStoreOutcome gone;
            gone.unreadable << path;
            return Fail(ctx, gone);
        }
        for (int s = 0; s < wb.book().sheetCount(); ++s) {
            const Sheet* sheet = wb.sheet(s);
            const QString name = companion::CellText(*sheet, 1, 16);
            if (name.isEmpty())
                continue;
            QStringList fields{QStringLiteral("BUS"), QString::number(n + 1),
                               QString::number(s + 1), name};
            for (int c = 0; c < fault::kBusResults; ++c)
                fields << companion::CellText(*sheet, 0, c);
            lines.push_back(fields);
        }
    }
    for (const QStringList& fields : lines)
        WriteCalcLine(ctx.out, fields);
    return 0;
}

const CalcCommandRegistrar reg("fault", &RunFault);

}  // namespace
