// sevrin-calc mcc: for each motor-control-centre panel in sheet order, recomputes every stored
// load row as a modification on the calculation sheet would (rows the input check refuses stay
// as stored) and then the panel totals as "계산" does, storing both as the screen would.
// Prints one line per load row, "LOAD", the panel's name and the row's 40 texts, and then
// "PANEL", the panel's name and the 20 items of the panel record. Stored quantities (inputs,
// and the figures of rows kept as stored) are printed through the strict reader: one that is
// no number in its range prints "-", never as a figure. The workbook is saved once, after the
// last panel.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "loads/core/mccpanel.h"
#include "app/core/quantity.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

// The quantity columns of a load row: the capacities, and every figure a row holds.
QString LoadCell(const MccLoadRow& row, int c)
{
    using namespace MccCol;
    const QString& text = row[std::size_t(c)];
    switch (c) {
    case Kw:
    case Kva:
        return QuantityText(text, QuantitySign::Positive);
    case InputKva:
    case Voltage:
    case Efficiency:
    case PowerFactor:
    case DesignCurrent:
    case Beta:
    case C:
    case Lambda:
    case K:
    case Ims:
    case Ii:
    case Tm:
    case StartPowerFactor:
    case DemandFactor:
    case DemandKva:
    case L1:
    case L2:
    case L3:
    case BreakerPoles:
    case BreakerFrame:
    case BreakerTrip:
    case Capacitor:
    case UnitSize:
    case MotorKw:
    case MotorTime:
    case MotorStartKva:
    case MotorDemand:
        return QuantityText(text, QuantitySign::NonNegative);
    default:
        return text;
    }
}

// Recomputes and stores every panel within the caller's batch; false after a line on ctx.err.
bool RecalcPanels(CalcContext& ctx, const QString& path, int panels)
{
    const auto& record = theApp.MotorControlCenterBlock.MccPanelRecord;
    for (int p = 0; p < panels; ++p) {
        if (MccLoadRowsBeyondLimit(theApp, p))
            WarnRowLimit(ctx, path, kMaxMccLoadRows);
        std::vector<MccLoadRow> rows;
        if (!RecalcMccPanelLoads(theApp, p, rows)) {
            ctx.err << "cannot store the load rows of panel " << p + 1 << ": " << path << '\n';
            return false;
        }
        const QString name = record[0];
        for (const MccLoadRow& row : rows) {
            QStringList fields{QStringLiteral("LOAD"), name};
            for (int c = 0; c < int(row.size()); ++c)
                fields.append(LoadCell(row, c));
            WriteCalcLine(ctx.out, fields);
        }
        const MccPanelCalc calc = CalcMccPanelResults(theApp, p);
        if (!calc.read || !calc.stored) {
            ctx.err << "cannot store the totals of panel " << name << ": " << path << '\n';
            return false;
        }
        QStringList fields{QStringLiteral("PANEL"), record[0]};
        for (const QString& item : record)
            fields.append(item);
        fields[2 + 4] = QuantityText(record[4], QuantitySign::Positive);  // voltage, kV
        WriteCalcLine(ctx.out, fields);
    }
    return true;
}

int RunMcc(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::MccWorkbook);
    if (!QFileInfo::exists(path))
        return 0;  // no panels yet: nothing to print
    int panels = 0;
    {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "cannot read motor-control-centre workbook: " << path << '\n';
            return 1;
        }
        panels = wb.book().sheetCount();
    }

    // One batch for the whole project: the workbook is saved once, at the end, so the run
    // grows with the panels (not with their square), and a run that stops or fails on the way
    // leaves the workbook as it was.
    CompanionBatch batch;
    if (!RecalcPanels(ctx, path, panels)) {
        batch.discard();
        return 1;
    }
    if (!batch.finish()) {
        ctx.err << "cannot save the motor-control-centre workbook: " << path << '\n';
        return 1;
    }
    return 0;
}

const CalcCommandRegistrar reg("mcc", &RunMcc);

}  // namespace
