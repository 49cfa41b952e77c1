// The bus page of the fault-current screen with every bus cell in use: five bus workbooks of
// 100 named buses (three cables each). Figures: the project load of the five columns, building
// and showing the bus page (incoming bus and the TR-1 column of 26 cells), painting it, the
// first show of another transformer's column, going back to a built one, turning a column's
// page, and "계산" over all 500 buses.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_buspages_gui
#include "benchcheck.h"
#include "benchprompt.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/buspage.h"
#include "fault/gui/buscolumn.h"
#include "platform/prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void Click(QWidget* parent, int id)
{
    if (auto* b = parent->findChild<QAbstractButton*>(QString::number(id)))
        b->click();
}

// Every page of every bus workbook holds a bus of three cables.
void WriteBusWorkbooks()
{
    CSevrinApp::FaultCurrentBlockT& b = theApp.FaultCurrentBlock;
    fault::FaultBusPages pages;
    // Creates the five workbooks of 100 pages.
    Require(fault::LoadFaultBusData(theApp, pages).ok(), "LoadFaultBusData");
    CompanionBatch batch;
    for (int tr = 0; tr < fault::kTransformers; ++tr) {
        for (int s = 0; s < fault::kBusPagesPerWorkbook; ++s) {
            for (int k = 0; k < 3; ++k) {
                b.BusRow.fill(QString());
                b.BusRow[0] = QStringLiteral("CBL-%1-%2-%3").arg(tr + 1).arg(s + 1).arg(k + 1);
                b.BusRow[1] = QStringLiteral("S/S");
                b.BusRow[2] = QStringLiteral("MCC-%1").arg(s + 1);
                b.BusRow[3] = QStringLiteral("50");
                b.BusRow[10] = QStringLiteral("0.004900");
                b.BusRow[11] = QStringLiteral("0.003900");
                b.BusRow[12] = QStringLiteral("0.008800");
                b.BusRow[13] = QStringLiteral("0.004000");
                b.BusRow[16] = QStringLiteral("MCC-%1-%2").arg(tr + 1).arg(s + 1);
                b.BusRow[17] = QStringLiteral("0.38");
                b.BusRow[18] = QStringLiteral("TR-%1").arg(tr + 1);
                b.BusRow[19] = QStringLiteral("0");
                Require(theApp.WriteBusRow(tr, s, k), "WriteBusRow");
            }
            b.BusPageHeader.fill(QStringLiteral("1.000000"));
            Require(theApp.WriteBusPageHeader(tr, s), "WriteBusPageHeader");
        }
    }
    Require(batch.finish(), "finish");
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    auto prompt = std::make_unique<BenchPrompt>();
    BenchPrompt* quiet = prompt.get();
    Prompt::SetHandler(std::move(prompt));

    QTemporaryDir dir;
    theApp.ProjectPathTable.CompanionSuffixTable = BenchCompanionSuffixes();
    theApp.ProjectPathTable.CurrentProjectPath = dir.filePath(QStringLiteral("BENCH.pro"));
    theApp.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    WriteBusWorkbooks();
    companion::DropCache();

    QElapsedTimer t;
    t.start();
    CFaultScreen view;
    view.OnInitialUpdate();
    view.resize(view.FormSize());
    view.show();
    QApplication::processEvents();
    const double screen = Ms(t);

    t.restart();
    view.BusPage()->LoadFaultBusData();
    const double load = Ms(t);

    // The page: incoming bus view and the TR-1 column (26 cells, 25 of them with a bus).
    t.restart();
    Click(&view, 1059);
    QApplication::processEvents();
    const double firstShow = Ms(t);
    t.restart();
    view.grab();
    const double paint = Ms(t);

    CBusPage* page = view.BusPage();
    t.restart();
    Click(page, 1387);  // "TR-2", built now
    QApplication::processEvents();
    const double otherColumn = Ms(t);
    t.restart();
    Click(page, 1386);  // back to the built TR-1
    QApplication::processEvents();
    const double builtColumn = Ms(t);
    t.restart();
    Click(page->Column(0)->Form(), 1387);  // page "2" of TR-1
    QApplication::processEvents();
    const double turnPage = Ms(t);

    t.restart();
    Click(&view, 1645);
    QApplication::processEvents();
    const double calc = Ms(t);

    std::printf("bus page, 5 transformers x 100 buses x 3 cables\n");
    std::printf("  fault-current screen built and shown      %8.1f ms\n", screen);
    std::printf("  project load of the five columns           %8.1f ms\n", load);
    std::printf("  bus page built and shown (TR-1 column)     %8.1f ms  (target < 500 ms)\n", firstShow);
    std::printf("  bus page painted                           %8.1f ms\n", paint);
    std::printf("  TR-2 column, first show                    %8.1f ms\n", otherColumn);
    std::printf("  TR-1 column again                          %8.1f ms\n", builtColumn);
    std::printf("  TR-1 page \"2\" (25 buses read and shown)    %8.1f ms\n", turnPage);
    std::printf("  \"계산\" with all 500 buses                  %8.1f ms\n", calc);
    std::printf("  messages: %d\n", quiet->messages);
    return 0;
}
