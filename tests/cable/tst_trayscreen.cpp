// The cable-tray screen driven through its controls, offscreen, on the shipped reference
// library: trays and their two sheets in "_50" (names checked before anything changes, list and
// workbook in step after every operation), cable and PE rows, the picker import from a fixture
// "_40", the four choices and the stored results, and the overfill warning.
#include "common/companionsuffixes.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/core/cablerow.h"
#include "cable/core/traysizing.h"
#include "cable/gui/cablepickerdlg.h"
#include "cable/gui/trayscreen.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using V = CTrayScreen;

namespace {

const QString kDuplicate = QStringLiteral("해당 트레이스가 존재합니다. !!!");
const QString kOverfill =
    QStringLiteral("케이블 점유율이 100%를 초가하였습니다.\n트레이를 추가해 주시기 바랍니다.");

// A sheet's rows from row 8 down to the first empty column 0.
QList<QStringList> SheetRows(const Sheet* s)
{
    QList<QStringList> rows;
    for (int r = kFirstTrayRow; s && r < kFirstTrayRow + 1100; ++r) {
        QStringList cells;
        for (int c = 0; c < kTrayColumnCount; ++c)
            cells << s->readStr(r, c).value_or(QString());
        if (cells[0].isEmpty())
            break;
        rows << cells;
    }
    return rows;
}

// Answers every message like RecordingPrompt and, at the moment a message is shown, runs a
// check on what the files hold.
class CheckingPrompt final : public Prompt::DecliningHandler
{
public:
    QStringList messages;
    std::function<void()> onMessage;
    Prompt::Answer message(const QString& text, Prompt::Buttons, Prompt::Icon) override
    {
        messages << text;
        if (onMessage)
            onMessage();
        return Prompt::Answer::Ok;
    }
    [[noreturn]] void exitProgram(int code) override { throw Prompt::ProgramExit{code}; }
};

}  // namespace

class TestTrayScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void initialInputs();
    void nameCollisionSequence();
    void emptyAndInvalidNames();
    void insertedTrayGoesLast();
    void deleteOnlyTrayRemovesWorkbook();
    void deleteOneOfSeveralMakesFirstCurrent();
    void cableAndPeRows();
    void rowButtonsNeedTray();
    void clickCopiesRowIntoInputs();
    void importFromCableSchedule();
    void applyStoresChoicesAndResults();
    void overfillWarnsAfterResultsAreStored();
    void loadRestoresChoicesAndWarns();
    void unreadableWorkbookLosesNothing();
    void anotherProjectStartsClean();
    void missingPeSheetReported();
    void rowsPastTheLimitAreSaid();

private:
    QString TrayPath() const { return theApp.CompanionPath(CSevrinApp::TrayWorkbook); }
    void Click(int id) { ClickButton(m_view.get(), id); }
    void Type(int id, const QString& text) { TypeText(m_view.get(), id, text); }
    void Choose(int id, const QString& text) { ChooseListed(m_view.get(), id, text); }
    void ClickRow(ReportListView* list, int row) { ClickListRow(list, row); }
    void AddTray(const QString& name, const QString& location = "전기실");
    void AddCable(const QString& purpose, const QString& type = "FCV", const QString& sq = "35",
                  const QString& core = "4", const QString& line = "1");
    void AddPe(const QString& sq, const QString& line = "1");
    QString Field(int id) const { return m_view->Control<QLineEdit>(id)->text(); }
    QStringList TrayNames() const;
    void CheckListMatchesWorkbook();

    QTemporaryDir m_lib;
    std::unique_ptr<QTemporaryDir> m_project;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CTrayScreen> m_view;
};

void TestTrayScreen::initTestCase()
{
    m_prompt = RecordingPrompt::Install();
    theApp.ProjectPathTable.LibWorkbookPath = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    theApp.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    theApp.LoadLibraryWorkbook();
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

void TestTrayScreen::init()
{
    m_project = std::make_unique<QTemporaryDir>();
    QVERIFY(m_project->isValid());
    theApp.ProjectPathTable.CurrentProjectPath = m_project->filePath("P1.pro");
    m_prompt = RecordingPrompt::Install();
    V::SetCablePickerRunner({});
    m_view = std::make_unique<CTrayScreen>();
    m_view->OnInitialUpdate();
    // As after a project load.
    m_view->FillTrayList();
    m_view->resize(m_view->FormSize());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestTrayScreen::cleanup()
{
    V::SetCablePickerRunner({});
    m_view.reset();
    companion::DropCache();
    m_project.reset();
}

void TestTrayScreen::AddTray(const QString& name, const QString& location)
{
    Type(V::IdTrayName, name);
    Type(V::IdTrayLocation, location);
    Type(V::IdTrayFrom, "MDB");
    Type(V::IdTrayTo, "MCC-1");
    Click(V::IdAddTray);
}

void TestTrayScreen::AddCable(const QString& purpose, const QString& type, const QString& sq,
                              const QString& core, const QString& line)
{
    Type(V::IdPurpose, purpose);
    Choose(V::IdCableType, type);
    Choose(V::IdCableSq, sq);
    Choose(V::IdCableCore, core);
    Choose(V::IdCableLine, line);
    Click(V::IdAddCable);
}

void TestTrayScreen::AddPe(const QString& sq, const QString& line)
{
    Choose(V::IdPeSq, sq);
    Choose(V::IdPeLine, line);
    Click(V::IdAddPe);
}

QStringList TestTrayScreen::TrayNames() const
{
    QStringList names;
    for (int r = 0; r < m_view->TrayList()->rows()->rowCount(); ++r)
        names << m_view->TrayList()->rows()->text(r, 0);
    return names;
}

// The tray list names exactly the workbook's sheet pairs, and the current tray's lists show
// its two sheets' rows (column 0 numbered by position).
void TestTrayScreen::CheckListMatchesWorkbook()
{
    const QStringList names = TrayNames();
    QCOMPARE(theApp.CableTrayBlock.TrayCount, names.size());
    Book book;
    if (names.isEmpty()) {
        QVERIFY(!QFile::exists(TrayPath()));
        return;
    }
    QVERIFY(book.load(TrayPath()));
    QCOMPARE(book.sheetCount(), 2 * names.size());
    for (int t = 0; t < names.size(); ++t) {
        QCOMPARE(book.getSheet(2 * t)->name(), names[t]);
        QCOMPARE(book.getSheet(2 * t + 1)->name(), names[t] + "_");
        const QStringList shown = m_view->TrayList()->rows()->row(t);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(book.getSheet(2 * t)->readStr(i, 0).value_or(QString()), shown[i + 1]);
    }
    const int t = m_view->CurrentTray();
    const QList<ReportListView*> lists = {m_view->CableList(), m_view->PeList()};
    for (int k = 0; k < 2; ++k) {
        const QList<QStringList> stored = SheetRows(book.getSheet(2 * t + k));
        RowListModel* rows = lists[k]->rows();
        QCOMPARE(rows->rowCount(), stored.size());
        for (int r = 0; r < stored.size(); ++r) {
            QStringList shown = rows->row(r);
            QStringList file = stored[r];
            shown.removeFirst();
            file.removeFirst();
            QCOMPARE(shown, file);
        }
    }
    QCOMPARE(theApp.CableTrayBlock.TrayCableCount, m_view->CableList()->rows()->rowCount());
    QCOMPARE(theApp.CableTrayBlock.TrayPeCount, m_view->PeList()->rows()->rowCount());
}

void TestTrayScreen::initialInputs()
{
    const QList<QPair<int, QString>> texts = {
        {V::IdPurpose, "동력간선"}, {V::IdCableFrom, "S/S"}, {V::IdCableTo, "PE-EV-A"},
        {V::IdCableVolt, "0.6/1kV"}, {V::IdPeVolt, "0.6/1kV"}, {V::IdPeType, "FGV"},
        {V::IdPeCore, "1"},
    };
    for (const auto& [id, text] : texts)
        QCOMPARE(Field(id), text);
    const QList<QPair<int, QString>> combos = {
        {V::IdCableType, "FR8"}, {V::IdCableSq, "35"}, {V::IdCableCore, "4"},
        {V::IdCableLine, "1"},   {V::IdPeSq, "6"},     {V::IdPeLine, "1"},
        {V::IdHeight, "H100"},   {V::IdMargin, "1.0"}, {V::IdTrayType, "Ladder"},
        {V::IdCover, "적용"},
    };
    for (const auto& [id, text] : combos)
        QCOMPARE(m_view->Control<QComboBox>(id)->currentText(), text);
    for (int id : {V::IdPeVolt, V::IdPeType, V::IdPeCore, V::IdCurrentTrayName, V::IdOccupancy})
        QVERIFY(!m_view->Control<QLineEdit>(id)->isEnabled());
    QVERIFY(m_view->Control<QLineEdit>(V::IdCurrentTrayIndex)->isHidden());
    QCOMPARE(m_view->TrayList()->rows()->columnCount(), 4);
    QCOMPARE(m_view->CableList()->rows()->column(10).caption, QStringLiteral("점유폭\n(mm)"));
    QCOMPARE(m_view->CableList()->rows()->column(9).group, QStringLiteral("CABLE SPEC."));
    QCOMPARE(m_view->CableList()->rows()->column(10).group, QString());
    for (int id : {V::IdInsertTray, V::IdInsertCable, V::IdInsertPe})
        QVERIFY(m_view->Control<QPushButton>(id)->isHidden());
    m_view->SetInsertButtonsVisible(true);
    for (int id : {V::IdInsertTray, V::IdInsertCable, V::IdInsertPe})
        QVERIFY(!m_view->Control<QPushButton>(id)->isHidden());
}

// "A", then "A_" (would need tray A's PE sheet) and a rename onto a taken name are refused
// before anything changes; renames and deletes keep list, sheets and rows together.
void TestTrayScreen::nameCollisionSequence()
{
    AddTray("A");
    ClickRow(m_view->TrayList(), 0);
    AddCable("A-cable");
    AddPe("16");
    AddTray("A_");
    QCOMPARE(m_prompt->messages, QStringList{kDuplicate});
    QCOMPARE(TrayNames(), QStringList{"A"});
    CheckListMatchesWorkbook();

    AddTray("B");
    QCOMPARE(TrayNames(), (QStringList{"A", "B"}));
    ClickRow(m_view->TrayList(), 1);
    AddCable("B-cable");
    AddCable("B-cable");
    AddPe("25");
    CheckListMatchesWorkbook();

    // B may become neither "a" nor "A_" (tray A's sheets), nor a name with no valid PE sheet.
    m_prompt->messages.clear();
    for (const QString& taken : {QStringLiteral("a"), QStringLiteral("A_")}) {
        ClickRow(m_view->TrayList(), 1);
        Type(V::IdTrayName, taken);
        Click(V::IdModifyTray);
    }
    QCOMPARE(m_prompt->messages, (QStringList{kDuplicate, kDuplicate}));
    QCOMPARE(TrayNames(), (QStringList{"A", "B"}));
    CheckListMatchesWorkbook();

    // Renaming B to "A__" is fine: its sheets "A__" and "A___" are free.
    ClickRow(m_view->TrayList(), 1);
    Type(V::IdTrayName, "A__");
    Click(V::IdModifyTray);
    QCOMPARE(TrayNames(), (QStringList{"A", "A__"}));
    QCOMPARE(Field(V::IdCurrentTrayName), QStringLiteral("A__"));
    CheckListMatchesWorkbook();
    // ... and a tray renamed to its own name in other letters is no collision with itself.
    ClickRow(m_view->TrayList(), 0);
    Type(V::IdTrayName, "a");
    Click(V::IdModifyTray);
    QCOMPARE(TrayNames(), (QStringList{"a", "A__"}));

    // Deleting "a" leaves "A__" with its own rows, now the first and current tray.
    ClickRow(m_view->TrayList(), 0);
    Click(V::IdDeleteTray);
    QCOMPARE(TrayNames(), QStringList{"A__"});
    QCOMPARE(m_view->CurrentTray(), 0);
    QCOMPARE(Field(V::IdCurrentTrayName), QStringLiteral("A__"));
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 2);
    QCOMPARE(m_view->CableList()->rows()->text(0, 1), QStringLiteral("B-cable"));
    CheckListMatchesWorkbook();
    // With "A" gone, "A_" is free: sheets "A_" and "A__"... but "A__" is taken by the other
    // tray, so it is still refused; "A" itself is free again.
    m_prompt->messages.clear();
    AddTray("A_");
    QCOMPARE(m_prompt->messages, QStringList{kDuplicate});
    AddTray("A");
    QCOMPARE(TrayNames(), (QStringList{"A__", "A"}));
    CheckListMatchesWorkbook();

    // No row sits in another tray's sheets: every stored row names its own tray's cable.
    Book book;
    QVERIFY(book.load(TrayPath()));
    const QList<QStringList> bRows = SheetRows(book.getSheet(0));
    QCOMPARE(bRows.size(), 2);
    for (const QStringList& r : bRows)
        QCOMPARE(r[1], QStringLiteral("B-cable"));
    QCOMPARE(SheetRows(book.getSheet(1)).size(), 1);
    QCOMPARE(SheetRows(book.getSheet(1))[0][6], QStringLiteral("25㎟"));
    QVERIFY(SheetRows(book.getSheet(2)).isEmpty());
    QVERIFY(SheetRows(book.getSheet(3)).isEmpty());

    // An independent reader sees the same sheets and header cells.
    const QString script = QStringLiteral(
        "import sys, json, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "print(json.dumps([[ws.title, ws.cell(1, 1).value, ws.cell(9, 2).value] for ws in "
        "wb.worksheets], ensure_ascii=False))\n");
    const PythonResult r = RunPython(script, {TrayPath()});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonArray sheets = QJsonDocument::fromJson(r.out.toUtf8()).array();
    QCOMPARE(sheets.size(), 4);
    const QStringList titles = {"A__", "A___", "A", "A_"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(sheets[i].toArray()[0].toString(), titles[i]);
    QCOMPARE(sheets[0].toArray()[1].toString(), QStringLiteral("전기실"));
    QCOMPARE(sheets[0].toArray()[2].toString(), QStringLiteral("B-cable"));
    QVERIFY(sheets[2].toArray()[2].isNull());
}

void TestTrayScreen::emptyAndInvalidNames()
{
    // An empty name on "추가": nothing, silently.
    AddTray("");
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(!QFile::exists(TrayPath()));
    // Names that cannot be sheet names are refused with a message before any file exists.
    for (const QString& bad : {QStringLiteral("T/1"), QString(31, 'X')}) {
        m_prompt->messages.clear();
        AddTray(bad);
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY2(m_prompt->messages[0].contains(bad), qPrintable(m_prompt->messages[0]));
        QVERIFY(!QFile::exists(TrayPath()));
        QVERIFY(TrayNames().isEmpty());
    }
    // A rename to an empty or bad name is refused too, the tray keeping its name.
    AddTray("T1");
    for (const QString& bad : {QString(), QStringLiteral("T:1")}) {
        m_prompt->messages.clear();
        ClickRow(m_view->TrayList(), 0);
        Type(V::IdTrayName, bad);
        Click(V::IdModifyTray);
        QCOMPARE(m_prompt->messages.size(), 1);
        QCOMPARE(TrayNames(), QStringList{"T1"});
    }
    CheckListMatchesWorkbook();
    // Without a marked tray "수정" does nothing.
    m_view->TrayList()->setSelectionMark(-1);
    m_prompt->messages.clear();
    Type(V::IdTrayName, "T2");
    Click(V::IdModifyTray);
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(TrayNames(), QStringList{"T1"});
}

void TestTrayScreen::insertedTrayGoesLast()
{
    AddTray("T1");
    AddTray("T2");
    // "+" needs a marked tray.
    m_view->TrayList()->setSelectionMark(-1);
    Click(V::IdInsertTray);
    QCOMPARE(TrayNames(), (QStringList{"T1", "T2"}));
    ClickRow(m_view->TrayList(), 0);
    Click(V::IdInsertTray);
    QCOMPARE(TrayNames(), (QStringList{"T1", "T2", "_____"}));
    QCOMPARE(m_view->TrayList()->rows()->row(2),
             (QStringList{"_____", "_____", "_____", "_____"}));
    CheckListMatchesWorkbook();
    // The current tray stays the one clicked.
    QCOMPARE(m_view->CurrentTray(), 0);
    QCOMPARE(Field(V::IdCurrentTrayName), QStringLiteral("T1"));
    // A second "+" before the first inserted tray is renamed.
    Click(V::IdInsertTray);
    QCOMPARE(m_prompt->messages, QStringList{kDuplicate});
    QCOMPARE(TrayNames().size(), 3);
    CheckListMatchesWorkbook();
}

void TestTrayScreen::deleteOnlyTrayRemovesWorkbook()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    AddCable("C1");
    AddPe("6");
    ClickRow(m_view->TrayList(), 0);
    Click(V::IdDeleteTray);
    QVERIFY(!QFile::exists(TrayPath()));
    QVERIFY(TrayNames().isEmpty());
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 0);
    QCOMPARE(m_view->PeList()->rows()->rowCount(), 0);
    QCOMPARE(theApp.CableTrayBlock.TrayCableCount, 0);
    QCOMPARE(theApp.CableTrayBlock.TrayPeCount, 0);
    QCOMPARE(Field(V::IdCurrentTrayName), QString());
    QCOMPARE(m_view->TrayList()->selectionMark(), -1);
    // A new first tray starts a new workbook, its rows going to it.
    AddTray("T9");
    AddCable("C9");
    CheckListMatchesWorkbook();
    QCOMPARE(m_view->CableList()->rows()->text(0, 1), QStringLiteral("C9"));
}

void TestTrayScreen::deleteOneOfSeveralMakesFirstCurrent()
{
    for (const QString& n : {"T1", "T2", "T3"})
        AddTray(n);
    for (int t = 0; t < 3; ++t) {
        ClickRow(m_view->TrayList(), t);
        AddCable(QStringLiteral("C%1").arg(t + 1));
    }
    // Delete the last: the mark moves to the new last tray, the first becomes current.
    ClickRow(m_view->TrayList(), 2);
    Click(V::IdDeleteTray);
    QCOMPARE(TrayNames(), (QStringList{"T1", "T2"}));
    QCOMPARE(m_view->TrayList()->selectionMark(), 1);
    QCOMPARE(m_view->CurrentTray(), 0);
    QCOMPARE(m_view->CableList()->rows()->text(0, 1), QStringLiteral("C1"));
    CheckListMatchesWorkbook();
    // Delete the first: T2's sheets move to 0 and 1.
    ClickRow(m_view->TrayList(), 0);
    Click(V::IdDeleteTray);
    QCOMPARE(TrayNames(), QStringList{"T2"});
    QCOMPARE(m_view->TrayList()->selectionMark(), 0);
    QCOMPARE(Field(V::IdCurrentTrayName), QStringLiteral("T2"));
    QCOMPARE(m_view->CableList()->rows()->text(0, 1), QStringLiteral("C2"));
    CheckListMatchesWorkbook();
}

void TestTrayScreen::cableAndPeRows()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    Type(V::IdCableFrom, "MDB");
    Type(V::IdCableTo, "P-1");
    Type(V::IdCableVolt, "0.6/1kV");
    AddCable("C1", "FCV", "35", "4", "2");
    // FCVOD 35 mm2 4C = 27.1 mm, FCVW = 1.74 kg/m, two lines (data/FCVOD.csv, FCVW.csv).
    QCOMPARE(m_view->CableList()->rows()->row(0),
             (QStringList{"1", "C1", "MDB", "P-1", "0.6/1kV", "FCV", "35㎟", "4C", "2L", "27.10mm",
                          "54.20mm", "3.48kg/m", ""}));
    AddCable("C2", "FR8", "70", "1", "3");
    AddCable("C3");
    AddPe("16");
    AddPe("35", "2");
    // FGVSEC 35 mm2 = 9.5 mm, FGVW 35 mm2 = 0.36 kg/m, two lines.
    QCOMPARE(m_view->PeList()->rows()->row(1),
             (QStringList{"2", "PE", "-", "-", "0.6/1kV", "FGV", "35㎟", "1C", "2L", "9.50mm",
                          "19.00mm", "0.72kg/m", ""}));
    CheckListMatchesWorkbook();

    // "수정" rewrites the marked row and clears the mark.
    ClickRow(m_view->CableList(), 1);
    Type(V::IdPurpose, "C2b");
    Choose(V::IdCableLine, "1");
    Click(V::IdModifyCable);
    QCOMPARE(m_view->CableList()->rows()->text(1, 1), QStringLiteral("C2b"));
    QCOMPARE(m_view->CableList()->rows()->text(1, 10), QStringLiteral("15.90mm"));
    QCOMPARE(m_view->CableList()->selectionMark(), -1);
    CheckListMatchesWorkbook();

    // "+" inserts "_____" before the marked row; the numbers below stay until the next load.
    ClickRow(m_view->CableList(), 1);
    Click(V::IdInsertCable);
    QCOMPARE(m_view->CableList()->rows()->text(1, 1), QStringLiteral("_____"));
    QCOMPARE(m_view->CableList()->rows()->text(1, 2), QStringLiteral("_____"));
    QStringList numbers;
    for (int r = 0; r < 4; ++r)
        numbers << m_view->CableList()->rows()->text(r, 0);
    QCOMPARE(numbers, (QStringList{"1", "2", "2", "3"}));
    ClickRow(m_view->PeList(), 0);
    Click(V::IdInsertPe);
    QCOMPARE(m_view->PeList()->rows()->text(0, 1), QStringLiteral("_____"));
    QCOMPARE(m_view->PeList()->rows()->text(0, 2), QStringLiteral("-"));
    CheckListMatchesWorkbook();

    // "삭제" renumbers the whole list at once; the mark moves to the new last row.
    ClickRow(m_view->CableList(), 3);
    Click(V::IdDeleteCable);
    numbers.clear();
    for (int r = 0; r < 3; ++r)
        numbers << m_view->CableList()->rows()->text(r, 0);
    QCOMPARE(numbers, (QStringList{"1", "2", "3"}));
    QCOMPARE(m_view->CableList()->selectionMark(), 2);
    ClickRow(m_view->PeList(), 0);
    Click(V::IdDeletePe);
    QCOMPARE(m_view->PeList()->selectionMark(), 0);
    CheckListMatchesWorkbook();

    // Rows do not recompute the tray; "반영하기" and a reload do.
    const QString before = Field(V::IdWidthSum);
    Click(V::IdApply);
    QVERIFY(Field(V::IdWidthSum) != before);
    ClickRow(m_view->TrayList(), 0);
    CheckListMatchesWorkbook();
}

void TestTrayScreen::rowButtonsNeedTray()
{
    int pickerRuns = 0;
    V::SetCablePickerRunner([&pickerRuns](CCablePickerDlg&) {
        ++pickerRuns;
        return int(QDialog::Accepted);
    });
    for (int id : {V::IdAddCable, V::IdAddPe, V::IdImport, V::IdModifyCable, V::IdDeleteCable,
                   V::IdInsertCable, V::IdDeleteTray, V::IdInsertTray})
        Click(id);
    QCOMPARE(pickerRuns, 0);
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(!QFile::exists(TrayPath()));
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 0);
    // Trays added to a project that had none, none clicked yet: rows go to the first tray
    // while the name field stays empty.
    AddTray("T1");
    AddTray("T2");
    AddCable("C1");
    QCOMPARE(Field(V::IdCurrentTrayName), QString());
    Book book;
    QVERIFY(book.load(TrayPath()));
    QCOMPARE(SheetRows(book.getSheet(0)).size(), 1);
    QCOMPARE(SheetRows(book.getSheet(2)).size(), 0);
}

void TestTrayScreen::clickCopiesRowIntoInputs()
{
    AddTray("T1");
    Type(V::IdCableFrom, "MDB");
    Type(V::IdCableTo, "P-1");
    AddCable("C1", "FCV", "2.5", "3", "2");
    AddPe("10", "3");
    Choose(V::IdCableType, "FR8");
    Choose(V::IdCableSq, "300");
    Type(V::IdPurpose, "x");
    ClickRow(m_view->CableList(), 0);
    QCOMPARE(Field(V::IdPurpose), QStringLiteral("C1"));
    QCOMPARE(Field(V::IdCableFrom), QStringLiteral("MDB"));
    QCOMPARE(Field(V::IdCableTo), QStringLiteral("P-1"));
    const auto combo = [this](int id) { return m_view->Control<QComboBox>(id)->currentText(); };
    QCOMPARE(combo(V::IdCableType), QStringLiteral("FCV"));
    QCOMPARE(combo(V::IdCableSq), QStringLiteral("2.5"));
    QCOMPARE(combo(V::IdCableCore), QStringLiteral("3"));
    QCOMPARE(combo(V::IdCableLine), QStringLiteral("2"));
    ClickRow(m_view->PeList(), 0);
    QCOMPARE(combo(V::IdPeSq), QStringLiteral("10"));
    QCOMPARE(combo(V::IdPeLine), QStringLiteral("3"));

    // A size no item carries leaves "SQ" without a selection; a row built from it has an
    // empty size and no figures.
    m_view->CableList()->rows()->setCell(0, 6, "7㎟");
    ClickRow(m_view->CableList(), 0);
    QCOMPARE(m_view->Control<QComboBox>(V::IdCableSq)->currentIndex(), -1);
    Click(V::IdModifyCable);
    QCOMPARE(m_view->CableList()->rows()->text(0, 6), QStringLiteral("㎟"));
    QCOMPARE(m_view->CableList()->rows()->text(0, 9), QStringLiteral("-"));
    QCOMPARE(m_view->CableList()->rows()->text(0, 10), QStringLiteral("-"));
    CheckListMatchesWorkbook();
}

void TestTrayScreen::importFromCableSchedule()
{
    // A fixture cable schedule: row 1 a computed feeder, row 0 one without a specification.
    const auto writeCable = [](int r, const QString& to, const QStringList& spec) {
        CableRow& row = theApp.CableScheduleBlock.CableRow;
        row = CableRow{};
        row[0] = QString::number(r + 1);
        row[1] = QStringLiteral("CBL-%1").arg(r + 1);
        row[2] = "MDB";
        row[3] = to;
        for (int i = 0; i < spec.size(); ++i)
            row[std::size_t(104 + i)] = spec[i];
        QVERIFY(theApp.WriteCableRow(r, false));
    };
    writeCable(0, "LP-1", {});
    writeCable(1, "MCC-1", {"0.6/1kV", "FCV", "35㎟", "E", "4C", "2L", "16㎟", "-|-"});

    AddTray("T1");
    AddTray("T2");
    ClickRow(m_view->TrayList(), 1);
    int pick = 1;
    bool accept = true;
    V::SetCablePickerRunner([&](CCablePickerDlg& dlg) {
        dlg.OnInitDialog();
        if (pick >= 0) {
            dlg.CableList()->setSelectionMark(pick);
            dlg.OnClickCableBreakerList();
        }
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    Click(V::IdImport);
    // The cable: purpose "-", route and specification from the schedule, units restored.
    QCOMPARE(m_view->CableList()->rows()->row(0),
             (QStringList{"1", "-", "MDB", "MCC-1", "0.6/1kV", "FCV", "35㎟", "4C", "2L",
                          "27.10mm", "54.20mm", "3.48kg/m", ""}));
    // Its earth conductor: one F-GV core of the PE size, one line whatever the cable's lines
    // (FGVSEC 16 mm2 = 7.0 mm, FGVW 16 mm2 = 0.17 kg/m).
    QCOMPARE(m_view->PeList()->rows()->row(0),
             (QStringList{"1", "PE", "-", "-", "0.6/1kV", "FGV", "16㎟", "1C", "1L", "7.00mm",
                          "7.00mm", "0.17kg/m", ""}));
    CheckListMatchesWorkbook();
    // Stored in the second tray's sheets only.
    {
        Book book;
        QVERIFY(book.load(TrayPath()));
        QVERIFY(SheetRows(book.getSheet(0)).isEmpty());
        QVERIFY(SheetRows(book.getSheet(1)).isEmpty());
        QCOMPARE(SheetRows(book.getSheet(2)).size(), 1);
        QCOMPARE(SheetRows(book.getSheet(3)).size(), 1);
    }

    // Cancel after clicking a row, or OK without a click: nothing taken.
    accept = false;
    Click(V::IdImport);
    accept = true;
    pick = -1;
    Click(V::IdImport);
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 1);
    QCOMPARE(m_view->PeList()->rows()->rowCount(), 1);
    // A row never computed: empty specification, no figures.
    pick = 0;
    Click(V::IdImport);
    QCOMPARE(m_view->CableList()->rows()->text(1, 3), QStringLiteral("LP-1"));
    QCOMPARE(m_view->CableList()->rows()->text(1, 9), QStringLiteral("-"));
    QCOMPARE(m_view->PeList()->rows()->text(1, 6), QStringLiteral("㎟"));
    QCOMPARE(m_view->PeList()->rows()->text(1, 9), QStringLiteral("-"));
    QCOMPARE(m_view->PeList()->rows()->text(1, 11), QStringLiteral("-"));
    CheckListMatchesWorkbook();
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestTrayScreen::applyStoresChoicesAndResults()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    // The worked tray of tst_traysizing: ΣB 114.8 mm, ΣG 6.99 kg/m.
    AddCable("C1", "FCV", "35", "4", "2");
    AddCable("C2", "FR8", "70", "1", "3");
    AddCable("C3", "FCV", "2.5", "3", "1");
    AddPe("16");
    AddPe("35", "2");
    Choose(V::IdHeight, "H150");
    Choose(V::IdMargin, "1.4");
    Click(V::IdApply);
    QVERIFY(m_prompt->messages.isEmpty());
    const QList<QPair<int, QString>> shown = {
        {V::IdWidthSum, "114.80"}, {V::IdWeightSum, "6.99"},  {V::IdTrayWidth, "200.0"},
        {V::IdOccupancy, "57.4%"}, {V::IdCableWeight, "7.0"}, {V::IdTrayWeight, "5.9"},
        {V::IdCoverWeight, "3.3"}, {V::IdTotalWeight, "16.2"},
    };
    for (const auto& [id, text] : shown)
        QCOMPARE(Field(id), text);
    Book book;
    QVERIFY(book.load(TrayPath()));
    const Sheet* s = book.getSheet(0);
    QStringList choices;
    for (int r = 3; r <= 6; ++r)
        choices << s->readStr(r, 0).value_or(QString());
    QCOMPARE(choices, (QStringList{"1", "4", "0", "0"}));
    QStringList results;
    for (int c : {1, 2, 3, 4, 5, 6, 7, 8, 11, 12})
        results << s->readStr(0, c).value_or(QString());
    QCOMPARE(results, (QStringList{"H150", "1.4", "W200", "57.4%", "7.0", "5.9", "3.3", "16.2",
                                   "Ladder", "적용"}));
    // The header cells stay.
    QCOMPARE(s->readStr(0, 0).value_or(QString()), QStringLiteral("전기실"));

    // Dust tray without cover: tray weight from the cover column (3.3), no cover.
    Choose(V::IdTrayType, "Dust");
    Choose(V::IdCover, "미적용");
    Click(V::IdApply);
    QCOMPARE(Field(V::IdTrayWeight), QStringLiteral("3.3"));
    QCOMPARE(Field(V::IdCoverWeight), QStringLiteral("-"));
    QCOMPARE(Field(V::IdTotalWeight), QStringLiteral("10.3"));
}

// Four FCV 300 mm2 4C cables in four lines: 4 x 4 x 67.3 = 1076.8 mm, over the largest
// (1000 mm) tray: 107.7 %. The results are in the file when the warning appears.
void TestTrayScreen::overfillWarnsAfterResultsAreStored()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    for (int i = 0; i < 4; ++i)
        AddCable(QStringLiteral("C%1").arg(i + 1), "FCV", "300", "4", "4");
    auto* checking = new CheckingPrompt;
    QStringList storedAtWarning;
    checking->onMessage = [&]() {
        Book book;
        if (book.load(TrayPath()))
            storedAtWarning << book.getSheet(0)->readStr(0, 4).value_or(QString());
    };
    Prompt::SetHandler(std::unique_ptr<Prompt::Handler>(checking));
    Click(V::IdApply);
    QCOMPARE(checking->messages, QStringList{kOverfill});
    QCOMPARE(storedAtWarning, QStringList{"107.7%"});
    QCOMPARE(Field(V::IdTrayWidth), QStringLiteral("1000.0"));
}

void TestTrayScreen::loadRestoresChoicesAndWarns()
{
    AddTray("T1");
    AddTray("T2");
    ClickRow(m_view->TrayList(), 0);
    AddCable("C1", "FCV", "300", "4", "4");
    AddCable("C2", "FCV", "300", "4", "4");
    AddCable("C3", "FCV", "300", "4", "4");
    Choose(V::IdMargin, "1.5");
    Choose(V::IdCover, "미적용");
    Click(V::IdApply);
    // 807.6 mm: margin 1.5 asks 1211.4 mm, the largest tray (1000 mm): 80.8 %.
    QCOMPARE(Field(V::IdOccupancy), QStringLiteral("80.8%"));
    // The other tray shows its own (never stored) choices: the first items.
    ClickRow(m_view->TrayList(), 1);
    QCOMPARE(m_view->Control<QComboBox>(V::IdMargin)->currentText(), QStringLiteral("1.0"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdCover)->currentText(), QStringLiteral("적용"));
    QCOMPARE(Field(V::IdOccupancy), QStringLiteral("0.0%"));
    // Back on the first: its stored choices again.
    ClickRow(m_view->TrayList(), 0);
    QCOMPARE(m_view->Control<QComboBox>(V::IdMargin)->currentText(), QStringLiteral("1.5"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdCover)->currentText(), QStringLiteral("미적용"));
    QVERIFY(m_prompt->messages.isEmpty());

    // A fourth cable overfills it: the warning comes at every load of the tray, also the
    // automatic load of the first tray after a project is opened.
    AddCable("C4", "FCV", "300", "4", "4");
    ClickRow(m_view->TrayList(), 0);
    QCOMPARE(m_prompt->messages, QStringList{kOverfill});
    m_view->FillTrayList();
    m_view->LoadTrayData(0, m_view->FirstTrayName());
    QCOMPARE(m_prompt->messages, (QStringList{kOverfill, kOverfill}));
}

void TestTrayScreen::unreadableWorkbookLosesNothing()
{
    QVERIFY(WriteFile(TrayPath(), "not a workbook"));
    m_view->FillTrayList();
    QVERIFY(TrayNames().isEmpty());
    AddTray("T1");
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY2(m_prompt->messages[0].contains(TrayPath()), qPrintable(m_prompt->messages[0]));
    QVERIFY(TrayNames().isEmpty());
    QCOMPARE(ReadFile(TrayPath()), QByteArray("not a workbook"));
}

// A tray whose PE sheet was removed by hand: its PE rows cannot be stored, and the screen
// says so instead of showing a row the file does not hold.
void TestTrayScreen::missingPeSheetReported()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    {
        companion::DropCache();
        Book book;
        QVERIFY(book.load(TrayPath()));
        QVERIFY(book.delSheet(1));
        QVERIFY(book.save(TrayPath()));
    }
    AddPe("16");
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(TrayPath()));
    QCOMPARE(m_view->PeList()->rows()->rowCount(), 0);
    QCOMPARE(theApp.CableTrayBlock.TrayPeCount, 0);
    // Cable rows still go in.
    AddCable("C1");
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 1);
    QCOMPARE(m_prompt->messages.size(), 1);
}

// Loading a project without trays after one with rows: nothing of the former project's tray
// stays on the screen or in the row counts, so new rows start at the first sheet row.
void TestTrayScreen::anotherProjectStartsClean()
{
    AddTray("T1");
    ClickRow(m_view->TrayList(), 0);
    AddCable("C1");
    AddCable("C2");
    AddPe("16");
    Click(V::IdApply);
    QTemporaryDir other;
    QVERIFY(other.isValid());
    theApp.ProjectPathTable.CurrentProjectPath = other.filePath("P2.pro");
    m_view->FillTrayList();
    QVERIFY(TrayNames().isEmpty());
    QCOMPARE(m_view->CableList()->rows()->rowCount(), 0);
    QCOMPARE(m_view->PeList()->rows()->rowCount(), 0);
    QCOMPARE(Field(V::IdCurrentTrayName), QString());
    QCOMPARE(Field(V::IdOccupancy), QString());
    AddTray("N1");
    AddCable("N-C1");
    CheckListMatchesWorkbook();
    QCOMPARE(m_view->CableList()->rows()->text(0, 1), QStringLiteral("N-C1"));
}

// A workbook written elsewhere with 1001 cable rows under a tray, 1001 PE rows under another
// and 1001 trays: the lists take 1000 each and say so, naming the workbook and the limit, each
// time they are listed; the rows past the limit stay in the file.
void TestTrayScreen::rowsPastTheLimitAreSaid()
{
    {
        Book book;
        for (int t = 0; t < kTrayListLimit + 1; ++t) {
            Sheet* cables = book.addSheet(QStringLiteral("T%1").arg(t + 1));
            Sheet* pes = book.addSheet(QStringLiteral("T%1_").arg(t + 1));
            QVERIFY(cables && pes);
            const int cableRows = t == 0 ? kTrayRowLimit + 1 : 1;
            const int peRows = t == 1 ? kTrayRowLimit + 1 : 0;
            for (int k = 0; k < cableRows; ++k) {
                cables->writeStr(kFirstTrayRow + k, 0, QString::number(k + 1));
                cables->writeStr(kFirstTrayRow + k, 10, QStringLiteral("0.50mm"));
            }
            for (int k = 0; k < peRows; ++k)
                pes->writeStr(kFirstTrayRow + k, 0, QString::number(k + 1));
        }
        QVERIFY(book.save(TrayPath()));
    }
    const QString said = companion::RowLimitMessage(TrayPath(), kTrayRowLimit);
    const QByteArray before = ReadFile(TrayPath());
    m_prompt->messages.clear();
    m_view->FillTrayList();
    QCOMPARE(m_prompt->messages, QStringList{said});
    QCOMPARE(TrayNames().size(), kTrayListLimit);

    m_prompt->messages.clear();
    m_view->LoadTrayData(0, QStringLiteral("T1"));
    QCOMPARE(m_prompt->messages, QStringList{said});
    QCOMPARE(m_view->CableList()->rows()->rowCount(), kTrayRowLimit);
    // ΣB of the first 1000 rows of 0.5 mm each, never of the 1001st.
    QCOMPARE(Field(V::IdWidthSum), QStringLiteral("500.00"));
    m_prompt->messages.clear();
    m_view->LoadTrayData(1, QStringLiteral("T2"));
    QCOMPARE(m_prompt->messages, QStringList{said});
    QCOMPARE(m_view->PeList()->rows()->rowCount(), kTrayRowLimit);
    m_prompt->messages.clear();
    m_view->LoadTrayData(2, QStringLiteral("T3"));
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    QCOMPARE(ReadFile(TrayPath()), before);
}

QTEST_MAIN(TestTrayScreen)
#include "tst_trayscreen.moc"
