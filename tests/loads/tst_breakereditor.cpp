// The user breaker multiples editor driven through its controls, opened by "User 입력" of the
// panel-board breaker page: grid toggles and "적용", "확인" written to the workbook's last
// sheet and read back, "취소", the 49-entry limit, and a save that fails.
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "library/libraryfixture.h"
#include "loads/gui/userbreakerdlg.h"
#include "loads/gui/boardbreakerpage.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using Rows = QList<QStringList>;

// Every cell of the breaker workbook's sheets [first, last) as openpyxl sees it.
QString DumpSheets(const QString& path, int first, int last)
{
    const PythonResult r = RunPython(R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets[int(sys.argv[2]):int(sys.argv[3])]:
    print('#', ws.title)
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None:
                print(c.coordinate, repr(c.value))
)", {path, QString::number(first), QString::number(last)});
    if (r.exitCode != 0)
        qWarning("%s", qPrintable(r.err));
    return r.out;
}

Rows ListRows(const ReportListView* list)
{
    Rows rows;
    for (int r = 0; r < list->rows()->rowCount(); ++r)
        rows << list->rows()->row(r);
    return rows;
}

QStringList Captions(const ReportListView* list)
{
    QStringList captions;
    for (int c = 0; c < list->rows()->columnCount(); ++c)
        captions << list->rows()->column(c).caption;
    return captions;
}

void Click(ReportListView* list, int row, int column)
{
    const QModelIndex index = list->rows()->index(row, column);
    list->scrollTo(index);
    const QRect rect = list->visualRect(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void EnterRating(CUserBreakerDlg& dlg, const QStringList& fields)
{
    for (int i = 0; i < 6; ++i)
        dlg.RatingEdit(i)->setText(fields.value(i));
}

void EnterFrame(CUserBreakerDlg& dlg, const QStringList& fields)
{
    for (int i = 0; i < 3; ++i)
        dlg.FrameEdit(i)->setText(fields.value(i));
}

// A maker sheet of n ratings (10, 20, ...) and n frames (50, 100, ...).
bool WriteSquareSheet(const QString& path, int n)
{
    Book book;
    fixture::WriteMakerSheet(book.addSheet(QStringLiteral("LS Metasol")), 2, 1);
    fixture::WriteMakerSheet(book.addSheet(QStringLiteral("User")), n, n);
    return book.save(path);
}

}  // namespace

class TestBreakerEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void gridCellTogglesBackOnSecondClick();
    void listOperationsFollowTheMark();
    void applyRebuildsAnEmptyGrid();
    void okThenSaveRoundTrips();
    void cancelStoresNothing();
    void fortyNineEntriesAtMost();
    void failedSaveSaysSoAndStoresNothing();

private:
    // Clicks "User input" with `work` as the user's part inside the open editor.
    void RunEditor(const std::function<void(CUserBreakerDlg&)>& work);

    QTemporaryDir m_dir;
    QString m_breakers;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CBoardBreakerPage> m_page;
};

void TestBreakerEditor::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString lib = m_dir.filePath(QStringLiteral("LIB"));
    QVERIFY(QDir().mkpath(lib));
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.RootPath = m_dir.path();
    p.LibFolder = QStringLiteral("LIB");
    p.BreakerWorkbookPath = m_breakers = lib + QStringLiteral("/breaker_v3p4.xlsx");
}

void TestBreakerEditor::init()
{
    m_prompt = RecordingPrompt::Install();
    QFile::remove(m_breakers);
    // Four maker sheets; the user's (last) one holds ratings 10 and 20 and frame 50.
    QVERIFY(fixture::WriteBreakers(m_breakers));
    m_page = std::make_unique<CBoardBreakerPage>();
    // The makers as the panel-board refresh lists them, another one selected.
    theApp.LoadBreakerWorkbook(true, 0);
    const LibNameList& makers = theApp.BreakerLibBlock.BreakerMakerList;
    for (int i = 0; i < makers.Count; ++i)
        m_page->MakerCombo()->addItem(makers.Names[std::size_t(i)]);
    m_page->MakerCombo()->setCurrentIndex(1);
}

void TestBreakerEditor::cleanup()
{
    SetBreakerEditorRunner({});
    m_page.reset();
}

void TestBreakerEditor::RunEditor(const std::function<void(CUserBreakerDlg&)>& work)
{
    bool ran = false;
    SetBreakerEditorRunner([&](CUserBreakerDlg& dlg) {
        ran = true;
        dlg.show();
        work(dlg);
        return dlg.result();
    });
    m_page->UserBreakerButton()->click();
    QVERIFY(ran);
}

void TestBreakerEditor::gridCellTogglesBackOnSecondClick()
{
    CUserBreakerDlg dlg;
    dlg.SheetIndex = 1;  // ratings 10..50, frames 50, 100, 150
    dlg.OnInitDialog();
    dlg.show();
    ReportListView* grid = dlg.GridList();
    QCOMPARE(Captions(grid), (QStringList{"AT", "50", "100", "150"}));
    // Rating 30 is offered by frames 100 and 150 but not 50 (the fixture marks 2 x AT <= AF).
    QCOMPARE(grid->rows()->row(2), (QStringList{"30", "-", "30", "30"}));
    const Rows shown = ListRows(grid);

    struct Case { int row, column; QString once; };
    const Case cases[] = {{2, 1, "30"}, {2, 2, "-"}, {4, 3, "-"}, {0, 1, "-"}};
    for (const Case& c : cases) {
        Click(grid, c.row, c.column);
        QCOMPARE(grid->rows()->text(c.row, c.column), c.once);
        Click(grid, c.row, c.column);
        QCOMPARE(ListRows(grid), shown);
    }
    // The AT column is no toggle.
    Click(grid, 2, 0);
    QCOMPARE(ListRows(grid), shown);
    dlg.OnClickGridCell(5, 1);  // below the last rating
    QCOMPARE(ListRows(grid), shown);
}

void TestBreakerEditor::listOperationsFollowTheMark()
{
    CUserBreakerDlg dlg;
    dlg.SheetIndex = 1;
    dlg.OnInitDialog();
    dlg.show();
    ReportListView* ratings = dlg.RatingList();
    const Rows before = ListRows(ratings);
    QCOMPARE(before.value(0), (QStringList{"10", "5.0", "6.0", "7.0", "8.0", "9.0"}));

    // Nothing marked: "수정" and "삭제" do nothing.
    EnterRating(dlg, {"99", "1", "1", "1", "1", "1"});
    dlg.ButtonAt(CUserBreakerDlg::ModifyRating)->click();
    dlg.ButtonAt(CUserBreakerDlg::DeleteRating)->click();
    QCOMPARE(ListRows(ratings), before);

    // A click puts the row into the edits; "수정" writes them back and clears the mark.
    Click(ratings, 1, 0);
    QCOMPARE(dlg.RatingEdit(0)->text(), QStringLiteral("20"));
    QCOMPARE(dlg.RatingEdit(5)->text(), QStringLiteral("9.1"));
    dlg.RatingEdit(1)->setText(QStringLiteral("7.5"));
    dlg.ButtonAt(CUserBreakerDlg::ModifyRating)->click();
    QCOMPARE(ratings->rows()->row(1), (QStringList{"20", "7.5", "6.1", "7.1", "8.1", "9.1"}));
    QCOMPARE(ratings->selectionMark(), -1);

    // Deleting the last row marks the new last row; deleting another marks its successor.
    Click(ratings, 4, 0);
    dlg.ButtonAt(CUserBreakerDlg::DeleteRating)->click();
    QCOMPARE(dlg.RatingCount(), 4);
    QCOMPARE(ratings->selectionMark(), 3);
    Click(ratings, 1, 0);
    dlg.ButtonAt(CUserBreakerDlg::DeleteRating)->click();
    QCOMPARE(ratings->selectionMark(), 1);
    QCOMPARE(ratings->rows()->text(1, 0), QStringLiteral("30"));

    // The frame list works the same way with its three edits.
    ReportListView* frames = dlg.FrameList();
    Click(frames, 2, 0);
    QCOMPARE(dlg.FrameEdit(0)->text(), QStringLiteral("150"));
    QCOMPARE(dlg.FrameEdit(2)->text(), QStringLiteral("H"));
    dlg.FrameEdit(1)->setText(QStringLiteral("35"));
    dlg.ButtonAt(CUserBreakerDlg::ModifyFrame)->click();
    QCOMPARE(frames->rows()->row(2), (QStringList{"150", "35", "H"}));
    Click(frames, 2, 0);
    dlg.ButtonAt(CUserBreakerDlg::DeleteFrame)->click();
    QCOMPARE(dlg.FrameCount(), 2);
    QCOMPARE(frames->selectionMark(), 1);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBreakerEditor::applyRebuildsAnEmptyGrid()
{
    CUserBreakerDlg dlg;
    dlg.SheetIndex = 3;  // ratings 10, 20; frame 50
    dlg.OnInitDialog();
    dlg.show();
    ReportListView* grid = dlg.GridList();
    QCOMPARE(ListRows(grid), (Rows{{"10", "10"}, {"20", "20"}}));

    // New rows do not reach the grid before "적용".
    EnterRating(dlg, {"32", "5", "6", "7", "8", "9"});
    dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
    EnterFrame(dlg, {"100", "35", "S"});
    dlg.ButtonAt(CUserBreakerDlg::AddFrame)->click();
    QCOMPARE(grid->rows()->rowCount(), 2);
    QCOMPARE(dlg.GridColumnCount(), 2);

    dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
    QCOMPARE(Captions(grid), (QStringList{"AT", "50", "100"}));
    QCOMPARE(ListRows(grid), (Rows{{"10", "-", "-"}, {"20", "-", "-"}, {"32", "-", "-"}}));
    QCOMPARE(dlg.GridColumnCount(), 3);
    QCOMPARE(dlg.GridRowCount(), 4);

    // With the frame list emptied "적용" leaves the grid as it was.
    Click(grid, 0, 2);
    const Rows marked = ListRows(grid);
    for (int i = 0; i < 2; ++i) {
        Click(dlg.FrameList(), 0, 0);
        dlg.ButtonAt(CUserBreakerDlg::DeleteFrame)->click();
    }
    QCOMPARE(dlg.FrameCount(), 0);
    dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
    QCOMPARE(ListRows(grid), marked);
}

void TestBreakerEditor::okThenSaveRoundTrips()
{
    const QString others = DumpSheets(m_breakers, 0, 3);
    QVERIFY(!others.isEmpty());
    Rows ratings, frames, grid;
    RunEditor([&](CUserBreakerDlg& dlg) {
        // The last sheet is edited, not the maker the combo shows.
        QCOMPARE(dlg.SheetIndex, 3);
        QCOMPARE(dlg.RatingList()->rows()->text(1, 0), QStringLiteral("20"));
        EnterRating(dlg, {"32", "5.5", "6.5", "7.5", "8.5", "9.5"});
        dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
        EnterFrame(dlg, {"100", "35", "S"});
        dlg.ButtonAt(CUserBreakerDlg::AddFrame)->click();
        dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
        Click(dlg.GridList(), 0, 1);  // 10 A in the 50 AF frame
        Click(dlg.GridList(), 1, 2);  // 20 A and 32 A in the 100 AF frame
        Click(dlg.GridList(), 2, 2);
        ratings = ListRows(dlg.RatingList());
        frames = ListRows(dlg.FrameList());
        grid = ListRows(dlg.GridList());
        dlg.ButtonAt(CUserBreakerDlg::Ok)->click();
    });
    QCOMPARE(grid, (Rows{{"10", "10", "-"}, {"20", "-", "20"}, {"32", "-", "32"}}));
    QVERIFY(m_prompt->messages.isEmpty());

    // The sheet as an independent reader sees it: rows 0 and 1 hold only the grid's heading,
    // ratings from E3 with number multiples, frames from A3, the grid from L2.
    const PythonResult r = RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[3]
for row in ws.iter_rows(min_row=1, max_row=6, max_col=14):
    print('|'.join('' if c.value in (None, '') else repr(c.value) for c in row))
)", {m_breakers});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList expected = {
        "|||||||||||||",
        "||||||||||||'50'|'100'",
        "'50'|'25'|'H'||'10'|5|6|7|8|9||'10'|'10'|'-'",
        "'100'|'35'|'S'||'20'|5.1|6.1|7.1|8.1|9.1||'20'|'-'|'20'",
        "||||'32'|5.5|6.5|7.5|8.5|9.5||'32'|'-'|'32'",
        "|||||||||||||",
    };
    QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
    // The other makers' sheets are cell for cell as they were.
    QCOMPARE(DumpSheets(m_breakers, 0, 3), others);

    // Opened again, the editor shows what was confirmed, and the lookups read it.
    RunEditor([&](CUserBreakerDlg& dlg) {
        QCOMPARE(ListRows(dlg.RatingList()), ratings);
        QCOMPARE(ListRows(dlg.FrameList()), frames);
        QCOMPARE(ListRows(dlg.GridList()), grid);
        dlg.ButtonAt(CUserBreakerDlg::Cancel)->click();
    });
    QCOMPARE(theApp.GetBreakerDelta(QStringLiteral("USERT"), 32, 10, QStringLiteral("x")),
             QStringLiteral("7.5"));
}

void TestBreakerEditor::cancelStoresNothing()
{
    const QByteArray stored = ReadFile(m_breakers);
    theApp.LoadBreakerWorkbook(false, 0);  // another maker's tables in memory
    RunEditor([&](CUserBreakerDlg& dlg) {
        EnterRating(dlg, {"40", "5", "6", "7", "8", "9"});
        dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
        Click(dlg.RatingList(), 0, 0);
        dlg.ButtonAt(CUserBreakerDlg::DeleteRating)->click();
        dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
        dlg.ButtonAt(CUserBreakerDlg::Cancel)->click();
    });
    QCOMPARE(ReadFile(m_breakers), stored);
    // The tables hold the user's sheet as stored, not the edits.
    const BreakerLibBlockT& b = theApp.BreakerLibBlock;
    QCOMPARE(b.MakerRatingTable.Count, 2);
    QCOMPARE(b.MakerRatingTable.Cell(0, 0), QStringLiteral("10"));
    QCOMPARE(b.MakerFrameTable.Count, 1);
    QCOMPARE(b.RatingFrameGrid.UsedRows, 3);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBreakerEditor::fortyNineEntriesAtMost()
{
    const QString atRating = QStringLiteral("정격(AT)은 49개까지 입력할 수 있습니다.");
    const QString atFrame = QStringLiteral("프레임(AF)은 49개까지 입력할 수 있습니다.");
    // 48 of each: one more fits, the next is refused; the grid then fills all 50 x 50 cells.
    QFile::remove(m_breakers);
    QVERIFY(WriteSquareSheet(m_breakers, 48));
    m_page->MakerCombo()->removeItem(3);
    m_page->MakerCombo()->removeItem(2);
    RunEditor([&](CUserBreakerDlg& dlg) {
        QCOMPARE(dlg.SheetIndex, 1);
        QCOMPARE(dlg.RatingCount(), 48);
        for (int i = 0; i < 2; ++i) {
            EnterRating(dlg, {"490", "5", "6", "7", "8", "9"});
            dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
            EnterFrame(dlg, {"2450", "50", "S"});
            dlg.ButtonAt(CUserBreakerDlg::AddFrame)->click();
        }
        QCOMPARE(m_prompt->messages, (QStringList{atRating, atFrame}));
        QCOMPARE(dlg.RatingCount(), 49);
        QCOMPARE(dlg.FrameList()->rows()->rowCount(), 49);
        dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
        Click(dlg.GridList(), 48, 49);
        dlg.ButtonAt(CUserBreakerDlg::Ok)->click();
    });
    theApp.LoadBreakerWorkbook(false, 1);
    const BreakerLibBlockT& b = theApp.BreakerLibBlock;
    QCOMPARE(b.MakerRatingTable.Count, 49);
    QCOMPARE(b.MakerFrameTable.Count, 49);
    QCOMPARE(b.RatingFrameGrid.UsedCols, 50);
    QCOMPARE(b.RatingFrameGrid.UsedRows, 50);
    QCOMPARE(b.RatingFrameGrid.Cell(49, 49), QStringLiteral("490"));
    QCOMPARE(b.RatingFrameGrid.Cell(49, 0), QStringLiteral("2450"));
    QVERIFY(b.RatingFrameGrid.Cell(48, 49).isEmpty());

    // A sheet written elsewhere with 50 ratings and frames: all 50 are shown and kept, none
    // can be added, and the grid holds the 49 that fit beside its heading.
    QFile::remove(m_breakers);
    QVERIFY(WriteSquareSheet(m_breakers, 50));
    m_prompt->messages.clear();
    RunEditor([&](CUserBreakerDlg& dlg) {
        QCOMPARE(dlg.RatingList()->rows()->rowCount(), 50);
        QCOMPARE(dlg.GridList()->rows()->rowCount(), 49);
        dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
        dlg.ButtonAt(CUserBreakerDlg::ApplyGrid)->click();
        QCOMPARE(dlg.GridColumnCount(), 50);
        dlg.ButtonAt(CUserBreakerDlg::Ok)->click();
    });
    QCOMPARE(m_prompt->messages, QStringList{atRating});
    theApp.LoadBreakerWorkbook(false, 1);
    QCOMPARE(b.MakerRatingTable.Count, 50);
    QCOMPARE(b.MakerRatingTable.Cell(49, 0), QStringLiteral("500"));
    QCOMPARE(b.RatingFrameGrid.UsedRows, 50);
}

void TestBreakerEditor::failedSaveSaysSoAndStoresNothing()
{
    const QString failure = QStringLiteral("사용자 차단기 배율을 차단기 파일에 저장하지 못했습니다.\n") + m_breakers;
    const QByteArray good = ReadFile(m_breakers);

    // The workbook replaced by a file that is no workbook while the editor is open: nothing
    // is written over it, the user is told, and the program goes on.
    const QByteArray broken("not a workbook");
    RunEditor([&](CUserBreakerDlg& dlg) {
        EnterRating(dlg, {"40", "5", "6", "7", "8", "9"});
        dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
        QVERIFY(WriteFile(m_breakers, broken));
        dlg.ButtonAt(CUserBreakerDlg::Ok)->click();
    });
    QCOMPARE(m_prompt->messages, QStringList{failure});
    QCOMPARE(m_prompt->exitCodes, QList<int>{});
    QCOMPARE(ReadFile(m_breakers), broken);

    // A workbook that lost the user's sheet meanwhile: nothing written, and the tables show
    // the workbook again (it has no such sheet), not the unsaved rows.
    QVERIFY(WriteFile(m_breakers, good));
    Rows shown;
    QByteArray threeSheets;
    RunEditor([&](CUserBreakerDlg& dlg) {
        shown = ListRows(dlg.RatingList());
        EnterRating(dlg, {"40", "5", "6", "7", "8", "9"});
        dlg.ButtonAt(CUserBreakerDlg::AddRating)->click();
        Book book;
        QVERIFY(book.load(m_breakers));
        QVERIFY(book.delSheet(3));
        QVERIFY(book.save(m_breakers));
        threeSheets = ReadFile(m_breakers);
        dlg.ButtonAt(CUserBreakerDlg::Ok)->click();
    });
    QCOMPARE(m_prompt->messages, (QStringList{failure, failure}));
    QCOMPARE(ReadFile(m_breakers), threeSheets);
    QCOMPARE(theApp.BreakerLibBlock.MakerRatingTable.Count, 0);

    // The good file back: the editor shows what it held before, the failed rows nowhere.
    QVERIFY(WriteFile(m_breakers, good));
    RunEditor([&](CUserBreakerDlg& dlg) {
        QCOMPARE(ListRows(dlg.RatingList()), shown);
        dlg.ButtonAt(CUserBreakerDlg::Cancel)->click();
    });
    QCOMPARE(shown.size(), 2);
}

QTEST_MAIN(TestBreakerEditor)
#include "tst_breakereditor.moc"
