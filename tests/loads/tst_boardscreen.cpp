// The panel-board calculation sheet driven through its controls, offscreen, with the shipped
// reference library: boards added, renamed, inserted, copied and deleted (names checked
// before anything changes), circuits added in subtotal groups, the four-case delete and "+",
// the input checks, "계산" of a board, the linked loads and the minimum fault-current search
// over fixture "_10" and bus workbooks, and a workbook that cannot be written.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "boardfixture.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "common/testpaths.h"
#include "loads/core/boardschedule.h"
#include "loads/core/designconditions.h"
#include "loads/gui/boardsheetpage.h"
#include "platform/xlsxbook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using V = CBoardSheetPage;

namespace {

const QString kExists = QStringLiteral("해당 분전반이 존재합니다. !!!");
const QString kRecalc = QStringLiteral("소계 연산을 다시 하여야 합니다.");
const QString kFromTop = QStringLiteral("소계 연산 최상위에서 삭제르 진행해 주세요.");
const QString kSinglePhase =
    QStringLiteral("전원방식이 단상인 분전반입니다.\n분전반 전원방식을 확인하시기 바랍니다.");
const QString kNoIsMin =
    QStringLiteral("ISMIN[kA] 값이 없거나 “0”입니다. 값을 입력하시기 바랍니다.");

}  // namespace

class TestBoardScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void boardNamesCheckedBeforeAnythingChanges();
    void insertDeleteAndCopyBoards();
    void subtotalGroupAndFourCaseDelete();
    void insertCircuitRows();
    void circuitInputChecks();
    void refusedVoltageAndDemandFactor();
    void calcShowsTotalsAndStoresResults();
    void linkedLoadsAndSearch();
    void clickCopiesRowIntoInputs();
    void failedStoreReloadsAndNamesWorkbook();
    void insertBeforeShownBoardKeepsItsResults();
    void circuitsPastTheLimitStayInTheWorkbook();
    void failedLaterStepStoresNothingOfTheAction_data();
    void failedLaterStepStoresNothingOfTheAction();

private:
    QString BoardPath() const { return theApp.CompanionPath(CSevrinApp::PanelBoardWorkbook); }
    void Click(int id) { QTest::mouseClick(m_view->Control<QPushButton>(id), Qt::LeftButton); }
    void Type(int id, const QString& text) { m_view->Control<QLineEdit>(id)->setText(text); }
    void Choose(int id, const QString& text)
    {
        QComboBox* c = m_view->Control<QComboBox>(id);
        c->setCurrentIndex(c->findText(text));
    }
    void MarkBoard(int r) { m_view->BoardList()->setSelectionMark(r); }
    void MarkCircuit(int r) { m_view->CircuitList()->setSelectionMark(r); }
    void AddBoard(const QString& name, const QString& supply = QStringLiteral("3P4W"));
    void AddCircuit(const QString& no, const QString& name, const QString& unit, const QString& qty);
    // LN-1 fed from its own name, LN-2, an MCC panel fed from LN-1 (12 kVA) and LN-1's bus on
    // TR-1's bus page (9 kA, X/R 3.25); LN-1 selected. False when a workbook was not written.
    bool LinkedBoards();
    QStringList SheetNames() const;
    QStringList Circuit(int r) const { return m_view->CircuitList()->rows()->row(r); }
    int Circuits() const { return m_view->CircuitList()->rows()->rowCount(); }
    QStringList BoardRow(int r) const { return m_view->BoardList()->rows()->row(r); }
    int Boards() const { return m_view->BoardList()->rows()->rowCount(); }
    // The list and the board's sheet hold the same rows.
    void CheckCircuitsStored(int board);

    QList<QStringList> BoardRows() const
    {
        QList<QStringList> rows;
        for (int r = 0; r < Boards(); ++r)
            rows << BoardRow(r);
        return rows;
    }
    QList<QStringList> CircuitRows() const
    {
        QList<QStringList> rows;
        for (int r = 0; r < Circuits(); ++r)
            rows << Circuit(r);
        return rows;
    }

    std::unique_ptr<QTemporaryDir> m_project;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CBoardSheetPage> m_view;
};

void TestBoardScreen::initTestCase()
{
    RecordingPrompt::Install();
    const QString lib = ProgramDir() + "/LIB";
    theApp.ProjectPathTable.LibWorkbookPath = lib + "/lib_v3p4.xlsx";
    theApp.ProjectPathTable.BreakerWorkbookPath = lib + "/breaker_v3p4.xlsx";
    theApp.LoadLibraryWorkbook();
    theApp.LoadBreakerWorkbook(true, 0);
    // 30 degC, single-core from 16 mm2, pf 0.9, 100 % of the breaking capacity, tN 0.01 s.
    auto& b = theApp.CabinetSizingBlock;
    b.InstallConditionIndex = {2, 2, 0, 5, 0};
    b.ConductorCriteriaIndex = {0, 0, 0};
    b.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    b.BreakerCriteriaIndex = {0, 0, 0};
    ApplyPanelBoardDesignConditions(theApp);
}

void TestBoardScreen::init()
{
    companion::DropCache();
    m_project = std::make_unique<QTemporaryDir>();
    QVERIFY(m_project->isValid());
    boardfixture::UseProject(theApp, m_project->filePath("P1.pro"));
    theApp.CabinetSizingBlock.PanelBoardCount() = 0;
    theApp.CabinetSizingBlock.CircuitCount = 0;
    m_prompt = RecordingPrompt::Install();
    m_view = std::make_unique<CBoardSheetPage>();
    m_view->OnInitDialog();
}

void TestBoardScreen::cleanup()
{
    m_view.reset();
}

void TestBoardScreen::AddBoard(const QString& name, const QString& supply)
{
    Type(V::IdBoardName, name);
    Choose(V::IdSupplyType, supply);
    Click(V::IdAddBoard);
}

bool TestBoardScreen::LinkedBoards()
{
    AddBoard("LN-1");
    Type(V::IdFromBoard, "LN-1");
    m_view->Control<QRadioButton>(V::IdFromBoardRadio)->setChecked(true);
    AddBoard("LN-2");
    const bool written =
        boardfixture::WriteMccPanels(theApp.CompanionPath(CSevrinApp::MccWorkbook),
                                     {{"MCC-1", "LN-1", "12"}}) &&
        boardfixture::WriteBusWorkbook(theApp.BusWorkbookPath(1), {{"LN-1 BUS", "9", "3.25"}});
    m_view->SelectPanelBoard(0);
    return written;
}

void TestBoardScreen::AddCircuit(const QString& no, const QString& name, const QString& unit,
                                 const QString& qty)
{
    Type(V::IdNo, no);
    Type(V::IdLoadName, name);
    Type(V::IdUnitLoad, unit);
    Type(V::IdQuantity, qty);
    Click(V::IdAddCircuit);
}

QStringList TestBoardScreen::SheetNames() const
{
    QStringList names;
    Book book;
    if (!book.load(BoardPath()))
        return names;
    for (int i = 0; i < book.sheetCount(); ++i)
        names << book.getSheet(i)->name();
    return names;
}

void TestBoardScreen::CheckCircuitsStored(int board)
{
    std::vector<CircuitCells> rows;
    QVERIFY(ReadBoardCircuits(theApp, board, rows));
    QCOMPARE(int(rows.size()), Circuits());
    QCOMPARE(theApp.CabinetSizingBlock.CircuitCount, Circuits());
    for (int r = 0; r < Circuits(); ++r)
        for (int c = 0; c < kCircuitColumnCount; ++c)
            QCOMPARE(rows[std::size_t(r)][std::size_t(c)], Circuit(r)[c]);
}

void TestBoardScreen::boardNamesCheckedBeforeAnythingChanges()
{
    AddBoard("LN-1");
    QVERIFY(QFile::exists(BoardPath()));
    QCOMPARE(SheetNames(), QStringList{"LN-1"});
    // Stored with the demand factor the sheet shows.
    QCOMPARE(BoardRow(0), (QStringList{"1", "LN-1", "B2", "매립형", "TR-1", "0.38", "3P4W", "X", "70"}));

    // An empty name does nothing, silently; a name another board has (also in other case), or
    // one no sheet can carry, is refused with a message and changes nothing.
    AddBoard("");
    QVERIFY(m_prompt->messages.isEmpty());
    AddBoard("ln-1");
    QCOMPARE(m_prompt->messages.value(0), kExists);
    AddBoard("LN/2");
    QCOMPARE(m_prompt->messages.size(), 2);
    QVERIFY(m_prompt->messages[1].contains("LN/2"));
    AddBoard(QString(32, 'L'));
    QCOMPARE(m_prompt->messages.size(), 3);
    QCOMPARE(Boards(), 1);
    QCOMPARE(SheetNames(), QStringList{"LN-1"});

    // Renaming onto a refused name leaves list and sheet as they were; a valid rename goes
    // through (its own name, changed in case, included).
    AddBoard("LN-2");
    MarkBoard(1);
    Type(V::IdBoardName, "LN-1");
    Click(V::IdModifyBoard);
    QCOMPARE(m_prompt->messages.last(), kExists);
    MarkBoard(1);
    Type(V::IdBoardName, "LN*2");
    Click(V::IdModifyBoard);
    QCOMPARE(SheetNames(), (QStringList{"LN-1", "LN-2"}));
    QCOMPARE(BoardRow(1)[1], QStringLiteral("LN-2"));
    MarkBoard(1);
    Type(V::IdBoardName, "ln-2");
    Type(V::IdLocation, "3F");
    Click(V::IdModifyBoard);
    QCOMPARE(SheetNames(), (QStringList{"LN-1", "ln-2"}));
    QCOMPARE(BoardRow(1)[2], QStringLiteral("3F"));
    QCOMPARE(m_view->BoardList()->selectionMark(), -1);
}

void TestBoardScreen::insertDeleteAndCopyBoards()
{
    AddBoard("LN-1");
    AddBoard("LN-2");
    AddBoard("LN-3");
    // "+" on the third row inserts "_____" as the new third row, stored with the demand
    // factor shown; a second one is refused.
    m_view->DemandFactorEdit()->setText("85");
    MarkBoard(2);
    Click(V::IdInsertBoard);
    QCOMPARE(SheetNames(), (QStringList{"LN-1", "LN-2", "_____", "LN-3"}));
    QCOMPARE(BoardRow(2).mid(0, 2), (QStringList{"3", "_____"}));
    QCOMPARE(BoardRow(2)[8], QStringLiteral("85"));
    QVERIFY(theApp.ReadPanelBoardSheet(2));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[8], QStringLiteral("85"));
    QVERIFY(theApp.ReadPanelBoardSheet(3));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[8], QStringLiteral("70"));
    QCOMPARE(BoardRow(3).mid(0, 2), (QStringList{"4", "LN-3"}));
    MarkBoard(0);
    Click(V::IdInsertBoard);
    QCOMPARE(m_prompt->messages.last(), QStringLiteral("해당 부하가 존재합니다. !!!"));
    QCOMPARE(Boards(), 4);

    // A copy of LN-1 with its circuits: the name gets the clock's six digits.
    MarkBoard(0);
    m_view->SelectPanelBoard(0);
    AddCircuit("1", "전등", "56", "10");
    AddCircuit("2", "콘센트", "200", "3");
    MarkBoard(0);
    Click(V::IdCopyBoard);
    QCOMPARE(Boards(), 5);
    const QString copy = BoardRow(4)[1];
    QVERIFY2(QRegularExpression("^LN-1_\\d{6}$").match(copy).hasMatch(), qPrintable(copy));
    QCOMPARE(BoardRow(4)[8], QStringLiteral("70"));  // LN-1's, shown since it was selected
    std::vector<CircuitCells> copied;
    QVERIFY(ReadBoardCircuits(theApp, 4, copied));
    QCOMPARE(int(copied.size()), 2);
    QCOMPARE(copied[1][CcName], QStringLiteral("콘센트"));
    QCOMPARE(copied[1][CcSubtotal], QStringLiteral("600.00"));

    // Deleting the last row marks the new last row; another row keeps its position.
    MarkBoard(4);
    Click(V::IdDeleteBoard);
    QCOMPARE(m_view->BoardList()->selectionMark(), 3);
    MarkBoard(1);
    Click(V::IdDeleteBoard);
    QCOMPARE(m_view->BoardList()->selectionMark(), 1);
    QCOMPARE(SheetNames(), (QStringList{"LN-1", "_____", "LN-3"}));
    QCOMPARE(BoardRow(2).mid(0, 2), (QStringList{"3", "LN-3"}));
    // The circuits of board 0 are shown again.
    QCOMPARE(Circuits(), 2);
    // The only board takes its workbook with it; the next board creates it again.
    for (int i = 0; i < 3; ++i) {
        MarkBoard(0);
        Click(V::IdDeleteBoard);
    }
    QVERIFY(!QFile::exists(BoardPath()));
    QCOMPARE(Circuits(), 0);
    QCOMPARE(m_view->Control<QLineEdit>(V::IdCircuitBoardName)->text(), QString());
    AddBoard("LN-9");
    QCOMPARE(SheetNames(), QStringList{"LN-9"});
}

void TestBoardScreen::subtotalGroupAndFourCaseDelete()
{
    AddBoard("LN-1");
    m_view->SelectPanelBoard(0);
    AddCircuit("1", "전등", "56", "10");          // calculated
    Type(V::IdNo, "2");
    Type(V::IdLoadName, "콘센트");
    Type(V::IdUnitLoad, "100");
    Type(V::IdQuantity, "2");
    Click(V::IdAddSubtotalLine);                  // group head: a subtotal line
    Type(V::IdUnitLoad, "50");
    Type(V::IdQuantity, "3");
    Click(V::IdAddSubtotalLine);                  // same NO.: a line without a number
    Type(V::IdUnitLoad, "10");
    Type(V::IdQuantity, "1");
    AddCircuit("2", "콘센트", "10", "1");         // closes the group
    AddCircuit("3", "동력", "1000", "1");         // calculated
    QCOMPARE(Circuits(), 5);
    QCOMPARE(Circuit(1)[CcNo], QStringLiteral("2"));
    QCOMPARE(Circuit(1)[CcSubtotal], QString());
    QCOMPARE(Circuit(2)[CcNo], QString());
    QCOMPARE(Circuit(2)[CcSubtotal], QString());
    // The closing row carries 100 x 2 + 50 x 3 above its own 10 x 1: 360 VA.
    QCOMPARE(Circuit(3)[CcNo], QString());
    QCOMPARE(Circuit(3)[CcSubtotal], QStringLiteral("360.00"));
    QCOMPARE(Circuit(3)[CcL2], QStringLiteral("360.00"));
    CheckCircuitsStored(0);

    // A closing row is not deleted on its own.
    MarkCircuit(3);
    Click(V::IdDeleteCircuit);
    QCOMPARE(m_prompt->messages.last(), kFromTop);
    QCOMPARE(Circuits(), 5);
    // A subtotal line goes alone, with a reminder.
    MarkCircuit(2);
    Click(V::IdDeleteCircuit);
    QCOMPARE(m_prompt->messages.last(), kRecalc);
    QCOMPARE(Circuits(), 4);
    // The group's head takes the group up to the next numbered row.
    MarkCircuit(1);
    Click(V::IdDeleteCircuit);
    QCOMPARE(Circuits(), 2);
    QCOMPARE(Circuit(1)[CcNo], QStringLiteral("3"));
    QCOMPARE(m_view->CircuitList()->selectionMark(), 1);
    // A calculated row goes alone; the last row deleted marks the new last row.
    MarkCircuit(1);
    Click(V::IdDeleteCircuit);
    QCOMPARE(Circuits(), 1);
    QCOMPARE(m_view->CircuitList()->selectionMark(), 0);
    CheckCircuitsStored(0);
}

void TestBoardScreen::insertCircuitRows()
{
    AddBoard("LN-1");
    m_view->SelectPanelBoard(0);
    AddCircuit("1", "전등", "56", "10");
    Click(V::IdAddSubtotalLine);
    // "+" on a calculated row: a computed row named "_____" before it.
    MarkCircuit(0);
    Click(V::IdInsertCircuit);
    QCOMPARE(Circuit(0)[CcNo], QStringLiteral("_____"));
    QCOMPARE(Circuit(0)[CcName], QStringLiteral("_____"));
    QCOMPARE(Circuit(0)[CcSubtotal], QStringLiteral("560.00"));
    // "+" on a subtotal line: a line "_____" of 1 x 1 and nothing else.
    MarkCircuit(2);
    Click(V::IdInsertCircuit);
    const QStringList line = Circuit(2);
    QCOMPARE(line[CcName], QStringLiteral("_____"));
    QCOMPARE(line[CcUnitLoad], QStringLiteral("1"));
    QCOMPARE(line[CcQuantity], QStringLiteral("1"));
    for (int c : {0, 4, 5, 9, 14, 19})
        QVERIFY(line[c].isEmpty());
    QCOMPARE(Circuits(), 4);
    CheckCircuitsStored(0);
}

void TestBoardScreen::circuitInputChecks()
{
    AddBoard("LN-1", "1P2W");
    m_view->SelectPanelBoard(0);
    Choose(V::IdPhase, "A");
    AddCircuit("1", "동력", "1000", "1");
    QCOMPARE(m_prompt->messages.value(0), kSinglePhase);
    Choose(V::IdPhase, "L1");
    Type(V::IdIsMin, "");
    AddCircuit("1", "전등", "100", "1");
    QCOMPARE(m_prompt->messages.value(1), kNoIsMin);
    Type(V::IdIsMin, "0");
    AddCircuit("1", "전등", "100", "1");
    QCOMPARE(m_prompt->messages.value(2), kNoIsMin);
    // A circuit without a load name would end the board's list when it is read again.
    Type(V::IdIsMin, "2");
    AddCircuit("1", "", "100", "1");
    QCOMPARE(m_prompt->messages.size(), 4);
    QCOMPARE(Circuits(), 0);
    AddCircuit("1", "전등", "100", "1");
    QCOMPARE(Circuits(), 1);
    MarkCircuit(0);
    Type(V::IdLoadName, "");
    Click(V::IdModifyCircuit);
    QCOMPARE(Circuit(0)[CcName], QStringLiteral("전등"));

    // Quantities that cannot be are refused by the name of their field, before anything is
    // stored: by "추가", by "수정" and by the subtotal buttons alike.
    const QString zeroOk = QStringLiteral("%1 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.");
    struct Case { QString unit, qty, length, isMin, message; };
    const QList<Case> cases = {
        {"nan", "1", "20", "2", zeroOk.arg("용량[VA]")},
        {"-100", "1", "20", "2", zeroOk.arg("용량[VA]")},
        {"100", "12,5", "20", "2", zeroOk.arg("수량[EA]")},
        {"100", "1", "-20", "2", zeroOk.arg("거리[m]")},
        {"100", "1", "1e308", "2", zeroOk.arg("거리[m]")},
        {"100", "1", "20", "-2",
         QStringLiteral("ISMIN[kA] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.")},
    };
    Type(V::IdLoadName, "전등");
    const QStringList before = Circuit(0);
    for (const Case& c : cases) {
        Type(V::IdLength, c.length);
        Type(V::IdIsMin, c.isMin);
        m_prompt->messages.clear();
        AddCircuit("2", "전등", c.unit, c.qty);
        QCOMPARE(m_prompt->messages, QStringList{c.message});
        MarkCircuit(0);
        m_prompt->messages.clear();
        Click(V::IdModifyCircuit);
        QCOMPARE(m_prompt->messages, QStringList{c.message});
        m_prompt->messages.clear();
        Click(V::IdAddSubtotalLine);
        QCOMPARE(m_prompt->messages, QStringList{c.message});
        QCOMPARE(Circuits(), 1);
        QCOMPARE(Circuit(0), before);
        CheckCircuitsStored(0);
    }
    // A spare circuit of 0 VA is a circuit.
    Type(V::IdLength, "20");
    Type(V::IdIsMin, "2");
    m_prompt->messages.clear();
    AddCircuit("2", "예비", "0", "1");
    QCOMPARE(m_prompt->messages, QStringList());
    QCOMPARE(Circuits(), 2);
}

void TestBoardScreen::refusedVoltageAndDemandFactor()
{
    // A board's voltage is a number above 0: the board is not added or renamed otherwise.
    const QString volt = QStringLiteral("전압[kV] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.");
    Type(V::IdVoltage, "-0.38");
    AddBoard("LN-1");
    QCOMPARE(m_prompt->messages, QStringList{volt});
    QCOMPARE(Boards(), 0);
    QVERIFY(!QFile::exists(BoardPath()));
    Type(V::IdVoltage, "0.38");
    AddBoard("LN-1");
    QCOMPARE(Boards(), 1);
    m_prompt->messages.clear();
    MarkBoard(0);
    Type(V::IdVoltage, "inf");
    Type(V::IdBoardName, "LN-2");
    Click(V::IdModifyBoard);
    QCOMPARE(m_prompt->messages, QStringList{volt});
    QCOMPARE(SheetNames(), QStringList{"LN-1"});

    // The demand factor is checked before "계산"; the totals of one that is no number, were
    // they computed anyway (the report does not ask), show no demand.
    m_view->SelectPanelBoard(0);
    Choose(V::IdPhase, "L1");
    Type(V::IdIsMin, "2");
    AddCircuit("1", "전등", "100", "10");
    m_prompt->messages.clear();
    m_view->DemandFactorEdit()->setText("-70");
    QVERIFY(m_view->RefuseDemandFactor());
    QCOMPARE(m_prompt->messages,
             QStringList{"수용률[%] 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다."});
    m_view->CalcPanelBoard(m_view->BoardIndex());
    QCOMPARE(m_view->TotalText(0), QStringLiteral("1000.00"));
    QCOMPARE(m_view->TotalText(11), QStringLiteral("-"));
    QCOMPARE(m_view->TotalText(12), QStringLiteral("-"));
    m_view->DemandFactorEdit()->setText("0");
    QVERIFY(!m_view->RefuseDemandFactor());
}

void TestBoardScreen::calcShowsTotalsAndStoresResults()
{
    AddBoard("LN-1");
    m_view->SelectPanelBoard(0);
    Choose(V::IdPhase, "L1");
    AddCircuit("1", "전등", "100", "10");  // 1000 VA on L1
    QVERIFY(boardfixture::WriteCableSchedule(theApp.CompanionPath(CSevrinApp::CableWorkbook),
                                             {{"LN-1", "3", "100", "50", "25"}}));
    QVERIFY(boardfixture::WriteBusWorkbook(theApp.BusWorkbookPath(0), {{"LN-1", "12.5", "6.25"}}));
    m_view->DemandFactorEdit()->setText("70");
    m_view->CalcPanelBoard(m_view->BoardIndex());
    // By hand: 1000 VA on L1 -> 4.55 A, 100 %; 0.70 kVA; 1 A.
    QCOMPARE(m_view->TotalText(0), QStringLiteral("1000.00"));
    QCOMPARE(m_view->TotalText(4), QStringLiteral("4.55"));
    QCOMPARE(m_view->TotalText(7), QStringLiteral("100.00 %"));
    QCOMPARE(m_view->TotalText(11), QStringLiteral("0.70"));
    QCOMPARE(m_view->TotalText(12), QStringLiteral("1"));
    QCOMPARE(m_view->TotalText(16), QStringLiteral("50"));
    QCOMPARE(m_view->MaxFaultText(), QStringLiteral("12.500"));
    QCOMPARE(m_view->MinFaultText(), QStringLiteral("6.250"));
    QCOMPARE(BoardRow(0)[8], QStringLiteral("70"));
    QVERIFY(theApp.ReadPanelBoardSheet(0));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[9], QStringLiteral("0.70"));
    // A click on the board empties the totals but not the fault currents.
    m_view->SelectPanelBoard(0);
    QCOMPARE(m_view->TotalText(0), QString());
    QCOMPARE(m_view->MaxFaultText(), QStringLiteral("12.500"));
    QCOMPARE(m_view->DemandFactorEdit()->text(), QStringLiteral("70"));
    // No board selected: nothing computed, nothing written.
    m_view->CalcPanelBoard(5);
    QCOMPARE(m_view->TotalText(0), QString());
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBoardScreen::linkedLoadsAndSearch()
{
    QVERIFY(LinkedBoards());
    AddCircuit("1", "전등", "56", "10");
    Click(V::IdAddSubtotalLine);
    Click(V::IdImportLinkedLoads);
    QCOMPARE(m_prompt->messages.last(), QStringLiteral("동력 1, 부하 1가 연계 되었습니다."));
    QCOMPARE(Circuits(), 4);
    QCOMPARE(Circuit(2).mid(0, 5), (QStringList{"PNL", "MCC-1", "12000", "1", "12000"}));
    QCOMPARE(Circuit(3).mid(0, 2), (QStringList{"PNL", "LN-2"}));
    const QStringList line = Circuit(1);
    const QStringList pnl = Circuit(2);

    Click(V::IdSearchMinFault);
    QCOMPARE(m_prompt->messages.last(),
             QStringLiteral("부하 4에 고장 전류 계산 값 1 (분전반 0, 일반 1을\n 참조 하여 재계산 되었습니다."));
    QCOMPARE(Circuit(0)[CcIsMin], QStringLiteral("3.250"));
    // The open subtotal line and the linked panel keep their texts.
    QCOMPARE(Circuit(1), line);
    QCOMPARE(Circuit(2), pnl);
    CheckCircuitsStored(0);
}

void TestBoardScreen::clickCopiesRowIntoInputs()
{
    AddBoard("LN-1");
    m_view->SelectPanelBoard(0);
    Choose(V::IdBreakerType, "MCB");
    Choose(V::IdCurve, "D");
    Choose(V::IdPhase, "L3");
    AddCircuit("7", "전열", "300", "2");
    Type(V::IdNo, "");
    Choose(V::IdBreakerType, "CBR");
    MarkCircuit(0);
    m_view->OnClickCircuitList();
    QCOMPARE(m_view->Control<QLineEdit>(V::IdNo)->text(), QStringLiteral("7"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdBreakerType)->currentText(), QStringLiteral("MCB"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdCurve)->currentText(), QStringLiteral("D"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdPhase)->currentText(), QStringLiteral("L3"));
    // A linked panel row has no breaker, phase or conductor: those combos show nothing.
    theApp.CabinetSizingBlock.CircuitRow = MakeLinkedPanelRow("LN-5", "100");
    QVERIFY(theApp.WriteCircuitRow(0, 1, false));
    m_view->LoadCircuits(0);
    MarkCircuit(1);
    m_view->OnClickCircuitList();
    for (int id : {V::IdBreakerType, V::IdCurve, V::IdPhase, V::IdPoles, V::IdConductor, V::IdMethod})
        QCOMPARE(m_view->Control<QComboBox>(id)->currentIndex(), -1);
}

void TestBoardScreen::failedStoreReloadsAndNamesWorkbook()
{
    AddBoard("LN-1");
    m_view->SelectPanelBoard(0);
    AddCircuit("1", "전등", "56", "10");
    // The workbook is replaced by something that cannot be read: the add fails, says so, and
    // the lists show what the file holds (nothing), while the file is left as it is.
    companion::DropCache();
    QFile junk(BoardPath());
    QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
    junk.write("not a workbook");
    junk.close();
    AddCircuit("2", "콘센트", "100", "1");
    QVERIFY(m_prompt->messages.last().contains(BoardPath()));
    QCOMPARE(Circuits(), 0);
    QCOMPARE(Boards(), 0);
    QVERIFY(junk.open(QIODevice::ReadOnly));
    QCOMPARE(junk.readAll(), QByteArray("not a workbook"));
}

void TestBoardScreen::insertBeforeShownBoardKeepsItsResults()
{
    // The circuits of LN-2 are shown; "+" before it moves LN-2 one place down. "계산" must
    // still compute and store LN-2, not the inserted board in its old place.
    AddBoard("LN-1");
    AddBoard("LN-2");
    m_view->SelectPanelBoard(1);
    Choose(V::IdPhase, "L1");
    AddCircuit("1", "전등", "100", "5");
    MarkBoard(0);
    Click(V::IdInsertBoard);
    QCOMPARE(m_view->BoardIndex(), 2);
    m_view->DemandFactorEdit()->setText("100");
    m_view->CalcPanelBoard(m_view->BoardIndex());
    QVERIFY(theApp.ReadPanelBoardSheet(2));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[0], QStringLiteral("LN-2"));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[7], QStringLiteral("500.00"));
    QVERIFY(theApp.ReadPanelBoardSheet(0));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[0], QStringLiteral("_____"));
    QVERIFY(theApp.CabinetSizingBlock.PanelBoardRecord()[7].isEmpty());
    // New circuits go to LN-2's sheet as well.
    AddCircuit("2", "전열", "200", "1");
    CheckCircuitsStored(2);
}

// A board whose sheet holds 1005 circuits (the list takes 1000): the list says so once when the
// board is shown, "추가" is refused, and a delete lists the circuit that moved up, so circuits
// 1001..1005 stay in the file whatever the screen stores.
void TestBoardScreen::circuitsPastTheLimitStayInTheWorkbook()
{
    AddBoard("LN-1");
    {
        CompanionBatch batch;
        for (int k = 0; k < kMaxBoardCircuits + 5; ++k) {
            CircuitCells& row = theApp.CabinetSizingBlock.CircuitRow;
            row = {};
            row[CcNo] = QString::number(k + 1);
            row[CcName] = (k < kMaxBoardCircuits ? QStringLiteral("C-%1") : QStringLiteral("TAIL-%1")).arg(k + 1);
            row[CcUnitLoad] = QStringLiteral("100");
            row[CcQuantity] = QStringLiteral("1");
            QVERIFY(theApp.WriteCircuitRow(0, k, false));
        }
        QVERIFY(batch.finish());
    }
    // Load names of list rows first.. as the file holds them (circuits start at sheet row 6).
    const auto stored = [this](int first, int count) {
        QStringList names;
        Book book;
        if (book.load(BoardPath()))
            for (int r = first; r < first + count; ++r)
                names << companion::CellText(*book.getSheet(0), 6 + r, CcName);
        return names;
    };
    const QStringList tail = {"TAIL-1001", "TAIL-1002", "TAIL-1003", "TAIL-1004", "TAIL-1005", ""};
    QCOMPARE(stored(kMaxBoardCircuits, 6), tail);

    const QString message = companion::RowLimitMessage(BoardPath(), kMaxBoardCircuits);
    m_prompt->messages.clear();
    m_view->SelectPanelBoard(0);
    QCOMPARE(m_prompt->messages, QStringList{message});
    QCOMPARE(Circuits(), kMaxBoardCircuits);

    m_prompt->messages.clear();
    AddCircuit("1001", "새 회로", "100", "1");
    QCOMPARE(m_prompt->messages, QStringList{"분전반 회로는 최대 1000개까지 입력할 수 있습니다."});
    QCOMPARE(stored(kMaxBoardCircuits, 6), tail);

    m_prompt->messages.clear();
    MarkCircuit(1);
    Click(V::IdDeleteCircuit);
    QCOMPARE(m_prompt->messages, QStringList{message});  // 1004 circuits: still more than 1000
    QCOMPARE(Circuits(), kMaxBoardCircuits);
    QCOMPARE(Circuit(kMaxBoardCircuits - 1).value(CcName), QStringLiteral("TAIL-1001"));
    QCOMPARE(stored(kMaxBoardCircuits - 1, 6), tail.mid(0, 5) + QStringList{""});
    QCOMPARE(stored(0, 3), (QStringList{"C-1", "C-3", "C-4"}));
}

// One action of several stores whose later store fails: the files keep nothing of it, the lists
// stay as they were and the failure is named, as for any failed store.
void TestBoardScreen::failedLaterStepStoresNothingOfTheAction_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("board");
    QTest::addColumn<int>("circuit");
    // The opens of "_20" to change it that succeed before the refused one.
    QTest::addColumn<int>("allowed");
    // The new sheet is added, its demand factor is refused.
    QTest::newRow("add board") << int(V::IdAddBoard) << -1 << -1 << 1;
    QTest::newRow("insert board") << int(V::IdInsertBoard) << 1 << -1 << 1;
    // Sheet and demand factor stored, the first circuit stored, the second refused.
    QTest::newRow("copy board") << int(V::IdCopyBoard) << 0 << -1 << 3;
    // The group's head goes, its closing row is refused.
    QTest::newRow("delete circuit group") << int(V::IdDeleteCircuit) << -1 << 1 << 1;
    // MCC-1 linked, LN-2 refused.
    QTest::newRow("linked loads") << int(V::IdImportLinkedLoads) << -1 << -1 << 1;
    // The first row found on "LN-1 BUS" stored, the next refused.
    QTest::newRow("fault-current search") << int(V::IdSearchMinFault) << -1 << -1 << 1;
}

void TestBoardScreen::failedLaterStepStoresNothingOfTheAction()
{
    QFETCH(int, button);
    QFETCH(int, board);
    QFETCH(int, circuit);
    QFETCH(int, allowed);
    QVERIFY(LinkedBoards());
    AddCircuit("1", "전등", "56", "10");
    Type(V::IdNo, "2");
    Type(V::IdLoadName, "콘센트");
    Type(V::IdUnitLoad, "100");
    Type(V::IdQuantity, "2");
    Click(V::IdAddSubtotalLine);
    AddCircuit("2", "콘센트", "10", "1");
    AddCircuit("3", "동력", "1000", "1");
    QCOMPARE(Circuits(), 4);
    m_view->DemandFactorEdit()->setText("85");
    Type(V::IdBoardName, "LN-3");
    QVERIFY(m_prompt->messages.isEmpty());

    const QMap<QString, QByteArray> before = FolderSnapshot(m_project->path());
    const QList<QStringList> boards = BoardRows();
    const QList<QStringList> circuits = CircuitRows();
    if (board >= 0)
        MarkBoard(board);
    if (circuit >= 0)
        MarkCircuit(circuit);
    {
        WorkbookWritesRefusedAfter refusal(BoardPath(), allowed);
        Click(button);
        QCOMPARE(refusal.refused(), 1);
    }
    QCOMPARE(m_prompt->messages, QStringList{"분전반 파일을 저장하지 못했습니다.\n" + BoardPath()});
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_project->path())), QStringList());
    QCOMPARE(BoardRows(), boards);
    QCOMPARE(CircuitRows(), circuits);
    CheckCircuitsStored(0);
}

QTEST_MAIN(TestBoardScreen)
#include "tst_boardscreen.moc"
