// sevrin-calc trays: recomputes every tray of the project's tray workbook ("_50") from its
// stored cable and PE rows and its stored choices, as "반영하기" does, and prints one line per
// tray in list order: TRAY, the tray's name, then the ten result texts the screen stores
// (height, margin, width "W..", occupancy, cable, tray, cover and total weight, tray type,
// cover). The workbook is not written.
#include "calccommand.h"

#include "app/core/sevrin.h"
#include "cable/core/trayapp.h"

namespace {

int RunTrays(CalcContext& ctx)
{
    std::vector<StoredTray> trays;
    if (!ReadStoredTrays(theApp, trays)) {
        ctx.err << "sevrin-calc: cannot read tray workbook: "
                << theApp.CompanionPath(CSevrinApp::TrayWorkbook) << '\n';
        return 1;
    }
    AppTrayLookup lookup(theApp);
    for (const StoredTray& tray : trays) {
        const TrayOutcome o = RecalcStoredTray(tray, lookup);
        QStringList fields = {QStringLiteral("TRAY"), tray.name};
        for (const QString& text : o.texts)
            fields.append(text);
        WriteCalcLine(ctx.out, fields);
    }
    return 0;
}

const CalcCommandRegistrar reg("trays", &RunTrays);

}  // namespace
