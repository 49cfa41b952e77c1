#pragma once
// The fault-current screen for the tests that drive it through its controls: a fresh project
// on the fixture library of faultfixture.h, the screen shown and filled as a project load
// fills it, and the rows of the fault-current workbook to compare its lists with.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/faultfixture.h"
#include "fault/gui/faultscreen.h"

#include <QTest>

#include <memory>
#include <vector>

namespace faultfixture {

// Fresh fault-current inputs of the project `projectPath` on the fixture library and factors.
inline void UseFaultProject(const QString& projectPath)
{
    companion::DropCache();
    theApp.FaultCurrentBlock = CSevrinApp::FaultCurrentBlockT{};
    theApp.ProjectPathTable.CompanionSuffixTable = kSuffixes;
    theApp.ProjectPathTable.CurrentProjectPath = projectPath;
    FillLibrary(theApp);
    SetFactors(theApp);
}

// The utility inputs as a project load leaves them when its file holds none: impedances 0.0.
inline void SetUtilityAsLoadedWithoutInputs()
{
    for (int i = 2; i < 6; ++i)
        theApp.FaultCurrentBlock.UtilityInput[std::size_t(i)] = QStringLiteral("0.0");
}

// The screen built and shown, its inputs shown as after a project load; null when it never
// showed.
inline std::unique_ptr<CFaultScreen> ShowFaultScreen()
{
    auto view = std::make_unique<CFaultScreen>();
    view->OnInitialUpdate();
    view->resize(view->FormSize());
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    view->ShowFaultCurrentInputs();
    return view;
}

// Closes the screen and forgets its workbooks.
inline void CloseFaultScreen(std::unique_ptr<CFaultScreen>& view)
{
    view.reset();
    theApp.SetScreen(Screen::FaultCurrent, nullptr);
    companion::DropCache();
}

// The rows of sheet `sheet` of the fault-current workbook as the file holds them, from row 0
// to the first without a number (the transformer sheet: all of its first 1000 rows).
inline std::vector<QStringList> SheetRows(int sheet, int columns)
{
    companion::DropCache();
    std::vector<QStringList> rows;
    companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::FaultDataWorkbook),
                                 companion::WorkbookAccess::Mode::Read);
    const Sheet* s = wb.ok() ? wb.sheet(sheet) : nullptr;
    for (int r = 0; s && r < 1000; ++r) {
        QStringList row;
        for (int c = 0; c < columns; ++c)
            row << companion::CellText(*s, r, c);
        if (row[0].isEmpty() && sheet != fault::TransformerSheet)
            break;
        rows.push_back(row);
    }
    return rows;
}

// Every cell of the list equals the cell of the sheet; the running number (column 0) only where
// `withNumbers`: a delete renumbers the list but leaves the numbers stored in the sheet, and the
// next fill numbers the list from 1 again.
inline void CompareListWithSheet(ReportListView* list, int sheet, bool withNumbers = true)
{
    const std::vector<QStringList> stored = SheetRows(sheet, list->rows()->columnCount());
    QCOMPARE(int(stored.size()), list->rows()->rowCount());
    const int from = withNumbers ? 0 : 1;
    for (int r = 0; r < list->rows()->rowCount(); ++r)
        QCOMPARE(list->rows()->row(r).mid(from), stored[std::size_t(r)].mid(from));
}

}  // namespace faultfixture
