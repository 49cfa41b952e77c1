// Bus pages: loading the five bus workbooks, paging, inserting and deleting pages, the
// recalculation of every named bus, the bus searches and the bus cell's own operations.
#include "faultfixture.h"
#include "app/core/quantity.h"

#include "app/core/companionworkbook.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "fault/core/faultvalues.h"
#include "platform/xlsxbook.h"

#include <QFile>
#include <QTest>

using namespace fault;
using faultfixture::BuildRadialNetwork;
using faultfixture::Project;
using faultfixture::StoreBus;
using faultfixture::StoreNumberedBuses;

namespace {

QString PageName(CSevrinApp& a, int tr, int sheet)
{
    companion::WorkbookAccess wb(a.BusWorkbookPath(tr), companion::WorkbookAccess::Mode::Read);
    const Sheet* s = wb.sheet(sheet);
    return s ? companion::CellText(*s, 1, 16) : QStringLiteral("<no sheet>");
}

int SheetCount(CSevrinApp& a, int tr)
{
    companion::WorkbookAccess wb(a.BusWorkbookPath(tr), companion::WorkbookAccess::Mode::Read);
    return wb.ok() ? wb.book().sheetCount() : -1;
}

QStringList CellNames(const BusColumn& c)
{
    QStringList names;
    for (const BusView& v : c.Cells)
        names << v.BusName;
    return names;
}

}  // namespace

class TestBusPages : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prompt = RecordingPrompt::Install(); }

    void loadCreatesAndPadsWorkbooks();
    void loadReadsRowsUpToTheFirstUnnamed();
    void unreadableWorkbookIsLeftAlone();
    void pagesShowTheirSheets();
    void deleteMovesLaterBusesUp();
    void deleteClearsTheWholePage();
    void insertMovesBusesDown();
    void cancelledConfirmationChangesNothing();
    void insertRefusedWhileTheLastPageHoldsABus();
    void recalculationComputesEveryNamedBus();
    void busSearchExactAgainstContaining();
    void busCellOperations();

private:
    RecordingPrompt* m_prompt = nullptr;
};

void TestBusPages::loadCreatesAndPadsWorkbooks()
{
    Project p;
    CSevrinApp& a = *p.app;
    // TR-2's workbook has 30 sheets; the others are missing.
    {
        Book book;
        for (int s = 0; s < 30; ++s)
            book.addSheet(QString::number(s));
        QVERIFY(book.save(a.BusWorkbookPath(1)));
    }
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    for (int n = 0; n < kTransformers; ++n)
        QCOMPARE(SheetCount(a, n), kBusPagesPerWorkbook);
    const BusView& tr1 = p.pages.Columns[0].TransformerCell;
    QCOMPARE(tr1.BusName, QStringLiteral("LV"));
    QCOMPARE(tr1.Rows.size(), std::size_t(2));
    QCOMPARE(tr1.Rows[0][0], QStringLiteral("TR-1 기준계통"));
    QCOMPARE(tr1.Rows[1][0], QStringLiteral("TR-1"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPages::loadReadsRowsUpToTheFirstUnnamed()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreBus(a, 0, 2, QStringLiteral("MCC-3"), 3);
    // Row 5 (bus row 4) without a name ends the bus even though row 6 has one.
    a.FaultCurrentBlock.BusRow[16] = QStringLiteral("MCC-3");
    QVERIFY(a.WriteBusRow(0, 2, 4));
    p.SetTransformer(0, "1000", "5", "0.38", "0");
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    const BusView& cell = p.pages.Columns[0].Cells[2];
    QCOMPARE(cell.BusName, QStringLiteral("MCC-3"));
    QCOMPARE(cell.Rows.size(), std::size_t(5));
    QCOMPARE(cell.Rows[0][0], QStringLiteral("TR-1 기준계통"));
    QCOMPARE(cell.Rows[4][0], QStringLiteral("CMCC-3-3"));
    QCOMPARE(cell.Results[ResIbMax], QStringLiteral("old"));
    QCOMPARE(cell.Voltage, QStringLiteral("0.38"));
    QCOMPARE(cell.CellNumber, QStringLiteral("3"));
}

void TestBusPages::unreadableWorkbookIsLeftAlone()
{
    Project p;
    CSevrinApp& a = *p.app;
    const QByteArray junk("not a workbook");
    QVERIFY(WriteFile(a.BusWorkbookPath(0), junk));
    // The load names it for the screen's message (the driver's line) and shows nothing
    // itself; while it cannot be read no other bus workbook is created either.
    const FaultStoreOutcome loaded = LoadFaultBusData(a, p.pages);
    QCOMPARE(loaded.unreadable, QStringList{a.BusWorkbookPath(0)});
    QVERIFY(loaded.unsaved.isEmpty());
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(ReadFile(a.BusWorkbookPath(0)), junk);
    QVERIFY(!QFile::exists(a.BusWorkbookPath(1)));
    QVERIFY(!QFile::exists(a.CompanionPath(CSevrinApp::FaultDataWorkbook)));
    // Paging and the recalculation leave it alone too, and name it.
    QVERIFY(!LoadBusLayout(a, p.pages.Columns[0], 0, 1));
    QCOMPARE(RecalcAllBuses(a, p.pages).unreadable, QStringList{a.BusWorkbookPath(0)});
    QCOMPARE(CalcFaultCurrent(a, p.pages).unreadable, QStringList{a.BusWorkbookPath(0)});
    QCOMPARE(ReadFile(a.BusWorkbookPath(0)), junk);
    QVERIFY(!QFile::exists(a.CompanionPath(CSevrinApp::FaultDataWorkbook)));
}

void TestBusPages::pagesShowTheirSheets()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreBus(a, 0, 25, QStringLiteral("P2-FIRST"));
    StoreBus(a, 0, 49, QStringLiteral("P2-LAST"));
    BusColumn& col = p.pages.Columns[0];
    QVERIFY(LoadBusLayout(a, col, 0, 1));
    QCOMPARE(col.Page, 1);
    QCOMPARE(col.Cells[0].CellNumber, QStringLiteral("26"));
    QCOMPARE(col.Cells[24].CellNumber, QStringLiteral("50"));
    QCOMPARE(col.Cells[0].SheetIndex, 25);
    QCOMPARE(col.Cells[0].BusName, QStringLiteral("P2-FIRST"));
    QCOMPARE(col.Cells[24].BusName, QStringLiteral("P2-LAST"));
    QCOMPARE(BusTransformerIndex("TR-3"), 2);
    QCOMPARE(BusTransformerIndex("TR-5"), 4);
    QCOMPARE(BusTransformerIndex(""), 4);
}

void TestBusPages::deleteMovesLaterBusesUp()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreNumberedBuses(a, 0, 10);
    BusColumn& col = p.pages.Columns[0];
    m_prompt->confirmAnswers = {true};
    // "▲" beside the cell numbered 4: the buses of cells 5.. move up; cell 100 becomes empty.
    QVERIFY(DeleteBusCell(a, col, 3));
    QCOMPARE(m_prompt->confirmTexts, QStringList{"현재 셀을 삭제하고 아래 셀이 현재 위치로 이동합니다."});
    QCOMPARE(CellNames(col).mid(0, 10),
             QStringList({"B1", "B2", "B3", "B5", "B6", "B7", "B8", "B9", "B10", ""}));
    QCOMPARE(PageName(a, 0, 99), QString());
    QCOMPARE(SheetCount(a, 0), kBusPagesPerWorkbook);
    // The moved buses keep their stored results.
    QCOMPARE(col.Cells[3].Results[ResIk], QStringLiteral("old"));
}

// A bus with more bus rows than the page's header and first hundred rows: deleting it leaves
// nothing of it in the spare page, where it would be found again by its name.
void TestBusPages::deleteClearsTheWholePage()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    {
        CompanionBatch batch;
        StoreBus(a, 0, 3, QStringLiteral("LONG"), 150);
        StoreBus(a, 0, 4, QStringLiteral("NEXT"));
    }
    m_prompt->confirmAnswers = {true};
    QVERIFY(DeleteBusCell(a, p.pages.Columns[0], 3));
    QCOMPARE(PageName(a, 0, 3), QStringLiteral("NEXT"));
    {
        companion::WorkbookAccess wb(a.BusWorkbookPath(0), companion::WorkbookAccess::Mode::Read);
        const Sheet* spare = wb.sheet(kBusPagesPerWorkbook - 1);
        QVERIFY(spare);
        for (int r = 0; r <= 151; ++r) {
            QCOMPARE(companion::CellText(*spare, r, 0), QString());
            QCOMPARE(companion::CellText(*spare, r, 16), QString());
        }
    }
    double mn = -1, mx = -1;
    QVERIFY(!a.FindBusFaultValues(0, QStringLiteral("LONG"), mn, mx));
    QVERIFY(!a.FindBusFaultValuesContaining(0, QStringLiteral("LON"), mn, mx));
}

void TestBusPages::insertMovesBusesDown()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreNumberedBuses(a, 0, 10);
    BusColumn& col = p.pages.Columns[0];
    m_prompt->confirmAnswers = {true};
    // "▼" beside cell 4: cell 4 is empty, the buses of cells 4..10 show in cells 5..11.
    QVERIFY(InsertBusCell(a, col, 3));
    QCOMPARE(m_prompt->confirmTexts, QStringList{"신규 셀을 생성하고, 현재 셀을 아래로 이동합니다."});
    QCOMPARE(CellNames(col).mid(0, 12), QStringList({"B1", "B2", "B3", "", "B4", "B5", "B6", "B7",
                                                     "B8", "B9", "B10", ""}));
    QVERIFY(col.Cells[3].Rows.empty());
    QCOMPARE(SheetCount(a, 0), kBusPagesPerWorkbook);
    // On page 2 the sheet index counts from 25.
    StoreBus(a, 0, 30, QStringLiteral("B31"));
    QVERIFY(LoadBusLayout(a, col, 0, 1));
    m_prompt->confirmAnswers = {true};
    QVERIFY(InsertBusCell(a, col, 25 + 5));
    QCOMPARE(col.Cells[6].BusName, QStringLiteral("B31"));
    QCOMPARE(col.Page, 1);
}

void TestBusPages::cancelledConfirmationChangesNothing()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreNumberedBuses(a, 0, 5);
    const QByteArray before = ReadFile(a.BusWorkbookPath(0));
    m_prompt->confirmAnswers = {false, false};
    QVERIFY(!InsertBusCell(a, p.pages.Columns[0], 1));
    QVERIFY(!DeleteBusCell(a, p.pages.Columns[0], 1));
    QCOMPARE(ReadFile(a.BusWorkbookPath(0)), before);
    QCOMPARE(m_prompt->confirmTexts.size(), 2);
}

void TestBusPages::insertRefusedWhileTheLastPageHoldsABus()
{
    Project p;
    CSevrinApp& a = *p.app;
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    StoreBus(a, 0, 0, QStringLiteral("FIRST"));
    StoreBus(a, 0, 99, QStringLiteral("LAST"));
    const QByteArray before = ReadFile(a.BusWorkbookPath(0));
    m_prompt->confirmAnswers = {true};
    QVERIFY(!InsertBusCell(a, p.pages.Columns[0], 0));
    QCOMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(ReadFile(a.BusWorkbookPath(0)), before);
    QCOMPARE(PageName(a, 0, 99), QStringLiteral("LAST"));
}

void TestBusPages::recalculationComputesEveryNamedBus()
{
    Project p;
    CSevrinApp& a = *p.app;
    BuildRadialNetwork(p, false);
    // MCC-1 in cell 1 (from the network); cell 2 empty; buses in cells 3 and 31 (page 2).
    StoreBus(a, 0, 2, QStringLiteral("AFTER-GAP"));
    StoreBus(a, 0, 30, QStringLiteral("PAGE-2"));
    BusColumn& col = p.pages.Columns[0];
    QVERIFY(LoadBusLayout(a, col, 0, 0));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    for (int s : {2, 30}) {
        companion::WorkbookAccess wb(a.BusWorkbookPath(0), companion::WorkbookAccess::Mode::Read);
        const Sheet* sheet = wb.sheet(s);
        QVERIFY(sheet);
        const QString ik = companion::CellText(*sheet, 0, ResIk);
        QVERIFY2(ik != QLatin1String("old") && CellQuantity(ik, QuantitySign::Any, 0.0) > 1.0, qPrintable(ik));
    }
    // The column shows the page it showed before the calculation, with fresh results.
    QCOMPARE(col.Page, 0);
    QVERIFY(col.Cells[2].Results[ResIk] != QLatin1String("old"));
    QVERIFY(col.Cells[1].BusName.isEmpty());
}

void TestBusPages::busSearchExactAgainstContaining()
{
    Project p;
    CSevrinApp& a = *p.app;
    BuildRadialNetwork(p, false);
    // A second bus further down the same cable: two cable rows.
    BusView& cell = p.pages.Columns[0].Cells[1];
    for (std::size_t u = 0; u < 2; ++u)
        cell.UpstreamRows[u] = p.pages.Columns[0].TransformerCell.Rows[u];
    QVERIFY(SetBusName(a, cell, QStringLiteral("MCC-1 BUS")));
    QVERIFY(AddBusCable(a, cell, p.CableForBus(0)));
    QVERIFY(AddBusCable(a, cell, p.CableForBus(0)));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    const auto& near = p.pages.Columns[0].Cells[0].Results;
    const auto& far = p.pages.Columns[0].Cells[1].Results;
    QVERIFY(CellQuantity(far[ResIbMax], QuantitySign::Any, 0.0) < CellQuantity(near[ResIbMax], QuantitySign::Any, 0.0));

    double mn = -1, mx = -1;
    QVERIFY(a.FindBusFaultValues(0, QStringLiteral("MCC-1"), mn, mx));
    QCOMPARE(mn, CellQuantity(near[ResIbMin], QuantitySign::Any, 0.0));
    QCOMPARE(mx, CellQuantity(near[ResIbMax], QuantitySign::Any, 0.0));
    QVERIFY(a.FindBusFaultValuesContaining(0, QStringLiteral("MCC-1"), mn, mx));
    QCOMPARE(mn, CellQuantity(far[ResIbMin], QuantitySign::Any, 0.0));
    QCOMPARE(mx, CellQuantity(far[ResIbMax], QuantitySign::Any, 0.0));
    // Exact names only for the exact search; the containing search never takes an equal name.
    mn = mx = -1;
    QVERIFY(!a.FindBusFaultValues(0, QStringLiteral("MCC"), mn, mx));
    QVERIFY(!a.FindBusFaultValuesContaining(0, QStringLiteral("MCC-1 BUS"), mn, mx));
    QCOMPARE(mn, -1.0);
    QCOMPARE(mx, -1.0);
}

void TestBusPages::busCellOperations()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, LineSheet);
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    CableRowInputs cable{"S/S", "MCC-1", "50", "FCV", "240", "1", "4", "120", "1"};
    QVERIFY(AddFaultCableRow(a, cable, 0.7843, 1.4931));
    BusView& cell = p.pages.Columns[0].Cells[0];
    // No name, then no calculation yet.
    QVERIFY(!AddBusCable(a, cell, p.CableForBus(0)));
    QVERIFY(!SetBusName(a, cell, QStringLiteral("  ")));
    QVERIFY(SetBusName(a, cell, QStringLiteral("MCC-1")));
    QVERIFY(!AddBusCable(a, cell, p.CableForBus(0)));
    QCOMPARE(m_prompt->messages, QStringList({"BUS NAME을 입력해 주세요!!!", "BUS NAME을 입력해 주세요!!!",
                                              "TR 연산을 먼저 해야 합니다.!!!"}));
    QCOMPARE(PageName(a, 0, 0), QString());

    p.SetTransformer(0, "1000", "5", "0.38", "0");
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    BusView& first = p.pages.Columns[0].Cells[0];
    QVERIFY(first.BusName.isEmpty());  // the name was never stored: the page had no row
    QVERIFY(p.AddBus(0, 0, QStringLiteral("MCC-1"), 0));
    QCOMPARE(first.Rows.size(), std::size_t(3));
    QVERIFY(!first.Results[ResIk].isEmpty());
    // Three cables, delete the second: rows 1 and 3 stay, 3 moving up.
    BusListRow second = p.CableForBus(0);
    second[0] = QStringLiteral("SECOND");
    BusListRow third = p.CableForBus(0);
    third[0] = QStringLiteral("THIRD");
    QVERIFY(AddBusCable(a, first, second));
    QVERIFY(AddBusCable(a, first, third));
    QVERIFY(!DeleteBusCable(a, first, 1));  // an upstream row
    QVERIFY(DeleteBusCable(a, first, 3));
    FaultBusPages reloaded;
    QVERIFY(LoadFaultBusData(a, reloaded).ok());
    const BusView& back = reloaded.Columns[0].Cells[0];
    QCOMPARE(back.Rows.size(), std::size_t(4));
    QCOMPARE(back.Rows[3][0], QStringLiteral("THIRD"));
    // Renaming renames every stored row.
    QVERIFY(SetBusName(a, first, QStringLiteral("MCC-1A")));
    QCOMPARE(PageName(a, 0, 0), QStringLiteral("MCC-1A"));
    // "전체삭제": no bus rows left, row 0 keeps the results.
    const QString ik = first.Results[ResIk];
    DeleteAllBusCables(a, first);
    QVERIFY(first.Rows.empty());
    QCOMPARE(PageName(a, 0, 0), QString());
    companion::WorkbookAccess wb(a.BusWorkbookPath(0), companion::WorkbookAccess::Mode::Read);
    QCOMPARE(companion::CellText(*wb.sheet(0), 0, ResIk), ik);
}

QTEST_GUILESS_MAIN(TestBusPages)
#include "tst_buspages.moc"
