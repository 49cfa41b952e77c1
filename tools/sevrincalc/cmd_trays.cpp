// sevrin-calc trays: recomputes every tray of the project's tray workbook ("_50") from its
// stored cable and PE rows and its stored choices, as "반영하기" does, and prints one line per
// tray in list order: TRAY, the tray's name, then the ten result texts the screen stores
// (height, margin, width "W..", occupancy, cable, tray, cover and total weight, tray type,
// cover). The workbook is not written. A tray list or a tray's cable or PE list that holds
// more rows than it takes is named in a warning line.
#include "calccommand.h"

#include "app/core/sevrin.h"
#include "cable/core/trayapp.h"

namespace {

int RunTrays(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::TrayWorkbook);
    std::vector<StoredTray> trays;
    bool moreTrays = false;
    if (!ReadStoredTrays(theApp, trays, &moreTrays)) {
        ctx.err << "sevrin-calc: cannot read tray workbook: " << path << '\n';
        return 1;
    }
    // Trays past the list's limit, and cable or PE rows past a tray's, are said; the run
    // computes what the lists take.
    if (moreTrays)
        WarnRowLimit(ctx, path, kTrayListLimit);
    AppTrayLookup lookup(theApp);
    for (const StoredTray& tray : trays) {
        if (tray.rows.beyondLimit)
            WarnRowLimit(ctx, path, kTrayRowLimit);
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
