// The cable-tray screen on a full tray: 1000 cable rows and 1000 PE rows in one tray of a
// 20-tray workbook. Figures: the project load (tray list and the first tray made current and
// computed), one cable "추가", one "반영하기", and the trays driver's computation of all trays.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_trayscreen_gui
#include "benchcheck.h"
#include "benchprompt.h"
#include "benchpaths.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/core/trayapp.h"
#include "cable/gui/trayscreen.h"
#include "platform/prompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    auto* prompt = new BenchPrompt;
    Prompt::SetHandler(std::unique_ptr<Prompt::Handler>(prompt));
    theApp.ProjectPathTable.LibWorkbookPath = BenchProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    theApp.ProjectPathTable.CompanionSuffixTable = BenchCompanionSuffixes();
    theApp.LoadLibraryWorkbook();
    QTemporaryDir dir;
    theApp.ProjectPathTable.CurrentProjectPath = dir.filePath("P1.pro");

    constexpr int kTrays = 20;
    constexpr int kRows = 1000;
    QElapsedTimer t;
    t.start();
    {
        CompanionBatch batch;
        auto& block = theApp.CableTrayBlock;
        AppTrayLookup lookup(theApp);
        const QStringList sizes = {"6", "16", "35", "95", "240"};
        for (int tray = 0; tray < kTrays; ++tray) {
            block.TrayRecord = {QStringLiteral("TR-%1").arg(tray + 1), "전기실", "MDB", "MCC"};
            Require(theApp.AddTraySheets(), "AddTraySheets");
            const int rows = tray == 0 ? kRows : 20;
            for (int k = 0; k < rows; ++k) {
                TrayRow& c = block.TrayCableRow;
                c = {QString::number(k + 1), "동력간선", "MDB", QStringLiteral("M-%1").arg(k),
                     "0.6/1kV", k % 2 ? "FCV" : "FR8", sizes[k % 5], "4", "1"};
                CalcTrayCableRow(c, lookup);
                Require(theApp.WriteTrayCableRow(tray, k, false), "WriteTrayCableRow");
                TrayRow& p = block.TrayPeRow;
                p = {QString::number(k + 1), "PE", "-", "-", "0.6/1kV", "FGV", sizes[k % 5], "1",
                     "1"};
                CalcTrayPeRow(p, lookup);
                Require(theApp.WriteTrayPeRow(tray, k, false), "WriteTrayPeRow");
            }
        }
        Require(batch.finish(), "finish");
    }
    std::printf("write workbook (%d trays, %d + %d rows in the first): %.1f ms\n", kTrays, kRows,
                kRows, Ms(t));
    companion::DropCache();

    CTrayScreen view;
    view.OnInitialUpdate();
    t.restart();
    view.FillTrayList();
    view.LoadTrayData(0, view.FirstTrayName());
    std::printf("project load (tray list, first tray %d + %d rows, computed): %.1f ms\n",
                view.CableList()->rows()->rowCount(), view.PeList()->rows()->rowCount(), Ms(t));

    t.restart();
    view.Control<QPushButton>(CTrayScreen::IdAddCable)->click();
    std::printf("one cable \"추가\" past the limit (refused with a message): %.1f ms\n", Ms(t));

    view.TrayList()->setSelectionMark(1);
    view.OnClickTrayList();
    t.restart();
    view.Control<QPushButton>(CTrayScreen::IdAddCable)->click();
    std::printf("one cable \"추가\" (tray 2, workbook of %d rows): %.1f ms\n", kRows * 2, Ms(t));

    view.TrayList()->setSelectionMark(0);
    view.OnClickTrayList();
    t.restart();
    view.Control<QPushButton>(CTrayScreen::IdApply)->click();
    std::printf("\"반영하기\" on the full tray: %.1f ms\n", Ms(t));

    t.restart();
    std::vector<StoredTray> trays;
    ReadStoredTrays(theApp, trays);
    AppTrayLookup lookup(theApp);
    for (const StoredTray& tray : trays)
        RecalcStoredTray(tray, lookup);
    std::printf("driver computation of all %zu trays: %.1f ms\n", trays.size(), Ms(t));
    std::printf("messages answered: %d\n", prompt->messages);
    return 0;
}
