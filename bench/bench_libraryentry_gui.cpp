// Entering the library screen: building the 26 pages once, then refilling every page (what
// each entry does, the breaker workbook's maker sheet included) and stepping through the pages.
// Needs the shipped workbooks in the program folder. Run offscreen:
//   QT_QPA_PLATFORM=offscreen ./bench_libraryentry_gui
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "benchpaths.h"
#include "app/core/sevrin.h"
#include "library/gui/libraryscreen.h"

namespace {

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString lib = BenchProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    const QString breakers = BenchProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    if (!QFile::exists(lib) || !QFile::exists(breakers)) {
        std::printf("the shipped reference workbooks are not in %s/LIB\n", qPrintable(BenchProgramDir()));
        return 1;
    }
    theApp.ProjectPathTable.LibWorkbookPath = lib;
    theApp.ProjectPathTable.BreakerWorkbookPath = breakers;
    QElapsedTimer t;
    t.start();
    theApp.LoadLibraryWorkbook();
    std::printf("library workbook load:        %8.2f ms\n", Ms(t));

    CLibraryScreen view;
    view.resize(view.FormSize());
    t.restart();
    view.OnInitialUpdate();
    view.show();
    QApplication::processEvents();
    std::printf("26 pages built and shown:     %8.2f ms\n", Ms(t));

    const int runs = 10;
    t.restart();
    for (int i = 0; i < runs; ++i)
        view.RefillAllPages();
    std::printf("refill of every page (entry): %8.2f ms each\n", Ms(t) / runs);

    t.restart();
    view.OnCableGroup();
    for (int n = 0; n < CLibraryScreen::LastSteppedPage; ++n) {
        view.OnNextPage();
        QApplication::processEvents();
    }
    std::printf("stepping through 24 pages:    %8.2f ms\n", Ms(t));
    view.RefillAllPages();
    theApp.SetScreen(Screen::Library, nullptr);
    return 0;
}
