// The bus page of the fault-current screen driven through its controls: a bus built from the
// supply, one transformer and one cable and found again by the bus search, the bus cell's
// buttons, paging, inserting and deleting cells, scrolling, reloading after a project load,
// the names and workbooks it refuses, and "계산" over workbooks it cannot read or write.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "app/gui/rowlistmodel.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "fault/faultscreenfixture.h"
#include "fault/gui/faultcablepickerdlg.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "fault/gui/buscolumn.h"
#include "fault/gui/buscell.h"
#include "platform/xlsxbook.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

using companion::WorkbookAccess;
using faultfixture::StoreBus;
using faultfixture::StoreNumberedBuses;

namespace {

// Cell (row, col) of bus page `sheet` of transformer tr as the file holds it.
QString PageCell(int tr, int sheet, int row, int col)
{
    companion::DropCache();
    WorkbookAccess wb(theApp.BusWorkbookPath(tr), WorkbookAccess::Mode::Read);
    const Sheet* s = wb.ok() ? wb.sheet(sheet) : nullptr;
    return s ? companion::CellText(*s, row, col) : QStringLiteral("<none>");
}

// The bus name of every page of transformer tr, from sheet 0.
QStringList PageNames(int tr, int count)
{
    QStringList names;
    for (int s = 0; s < count; ++s)
        names << PageCell(tr, s, 1, 16);
    return names;
}

QStringList ShownNames(CBusColumn* column)
{
    QStringList names;
    for (int k = 0; k < fault::kBusCellsPerPage; ++k)
        names << column->BusCell(k)->Text(1029);
    return names;
}

}  // namespace

class TestBusPagesGui : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void scriptedBusFoundByTheSearch();
    void changeAndDeleteLeaveTheUpstreamRows();
    void addNeedsNameAndCalculation();
    void refusedNames_data();
    void refusedNames();
    void deleteAllKeepsTheResults();
    void failedDeleteAllStoresNothingOfIt();
    void reloadShowsPageOneAndTheFields();
    void pagesShowTheirSheets();
    void deleteAndInsertCells();
    void insertRefusedWhileTheLastCellHoldsABus();
    void unreadableWorkbookIsNeverWritten();
    void calculationOverUnreadableWorkbookChangesNoFile_data();
    void calculationOverUnreadableWorkbookChangesNoFile();
    void unwritableBusWorkbookIsReported();
    void pagesReadWhileUnreadableAreReadAgain();
    void transformerSelector();
    void scrollByCells();

private:
    void Click(QWidget* parent, int id) { ClickButton(parent, id); }
    void ClickRow(ReportListView* list, int row) { ClickListRow(list, row); }
    // Runs `action` (which opens the cable picker) and answers the picker: clicks row
    // `cableRow` (-1: none) and closes it with "확인" (or "취소"). False when no picker opened.
    bool WithPicker(const std::function<void()>& action, int cableRow, bool ok = true);
    // Enters the supply and TR-1 (1000 kVA, 5 %, 0.38 kV, NGR 0), "계산", and two feeder
    // cables to MCC-1 (50 m and 80 m of 240 mm²); leaves the bus page shown.
    void BuildSupplyAndCables();
    // Names bus cell k of the TR-1 column and gives it cable `cableRow` of the cable page.
    void MakeBus(int k, const QString& name, int cableRow);
    CBusPage* BusPage() const { return m_view->BusPage(); }
    CBusColumn* Column0() const { return m_view->BusPage()->Column(0); }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CFaultScreen> m_view;
};

void TestBusPagesGui::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    faultfixture::UseFaultProject(m_dir->filePath(QStringLiteral("P1.pro")));
    theApp.CabinetSizingBlock.ConductorCriteriaIndex[2] = 0;  // 0.01 s
    m_prompt = RecordingPrompt::Install();
    m_view = faultfixture::ShowFaultScreen();
    QVERIFY(m_view);
    // As a project load refills the screen.
    m_view->TransformerPage()->FillTransformerList();
    m_view->CablePage()->FillCableList();
    BusPage()->LoadFaultBusData();
    // The screen's first use reads the bus pages, creating the five bus workbooks.
    m_view->BusPages();
}

void TestBusPagesGui::cleanup()
{
    companion::SetSaveRefusal({});
    faultfixture::CloseFaultScreen(m_view);
    m_dir.reset();
}

bool TestBusPagesGui::WithPicker(const std::function<void()>& action, int cableRow, bool ok)
{
    bool opened = false;
    QTimer::singleShot(0, this, [&] {
        auto* picker = qobject_cast<CFaultCablePickerDlg*>(QApplication::activeModalWidget());
        if (!picker)
            return;
        opened = true;
        if (cableRow >= 0)
            ClickRow(picker->List(), cableRow);
        Click(picker, ok ? 1 : 2);
    });
    action();
    // A picker that never opened leaves the timer to fire here, harmlessly.
    QCoreApplication::processEvents();
    return opened;
}

void TestBusPagesGui::BuildSupplyAndCables()
{
    CUtilityPage* utility = m_view->UtilityPage();
    utility->SetText(1641, QStringLiteral("2.0"));
    utility->SetText(1642, QStringLiteral("20.0"));
    utility->SetText(1643, QStringLiteral("4.0"));
    utility->SetText(1644, QStringLiteral("40.0"));
    Click(m_view.get(), 1123);  // the transformer page
    CFaultTransformerPage* trPage = m_view->TransformerPage();
    trPage->Combo(1122)->setCurrentIndex(0);
    trPage->SetText(1091, QStringLiteral("1000"));
    trPage->SetText(1088, QStringLiteral("5"));
    trPage->SetText(1089, QStringLiteral("0.38"));
    trPage->SetText(1090, QStringLiteral("0"));
    Click(trPage, 1016);
    Click(m_view.get(), 1645);  // "계산"
    Click(m_view.get(), 1058);  // the cable page
    CFaultCablePage* cables = m_view->CablePage();
    cables->SetText(1029, QStringLiteral("MCC-1"));
    cables->Combo(1123)->setCurrentText(QStringLiteral("240"));
    for (const char* length : {"50", "80"}) {
        cables->SetText(1027, QString::fromLatin1(length));
        Click(cables, 1691);
    }
    QCOMPARE(cables->List()->rows()->rowCount(), 2);
    Click(m_view.get(), 1059);  // the bus page
    QVERIFY(BusPage()->isVisible());
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPagesGui::MakeBus(int k, const QString& name, int cableRow)
{
    CBusCell* cell = Column0()->BusCell(k);
    m_prompt->inputAnswers.push_back(name);
    Click(cell, 1730);
    QCOMPARE(cell->Text(1029), name);
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, cableRow));
}

// Supply, transformer, "계산", one bus with its cable: the figures the bus cell shows are the
// ones its page holds and the bus search hands to the other screens.
void TestBusPagesGui::scriptedBusFoundByTheSearch()
{
    BuildSupplyAndCables();
    CBusCell* trCell = Column0()->TransformerCell();
    QCOMPARE(trCell->List()->rows()->text(0, 0), QStringLiteral("TR-1 기준계통"));
    QVERIFY(!trCell->Text(1711).isEmpty());
    QVERIFY(!BusPage()->IncomingView()->Text(1711).isEmpty());

    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    RowListModel* rows = cell->List()->rows();
    QCOMPARE(rows->rowCount(), 3);
    QCOMPARE(rows->text(0, 0), QStringLiteral("TR-1 기준계통"));
    QCOMPARE(rows->text(1, 0), QStringLiteral("TR-1"));
    // The cable as the cable page lists it (its columns 1..16).
    for (int c = 0; c < 16; ++c)
        QCOMPARE(rows->text(2, c), m_view->CablePage()->List()->rows()->text(0, c + 1));
    QCOMPARE(cell->Text(1704), QStringLiteral("0.38"));
    QCOMPARE(cell->Text(1030), QStringLiteral("TR-1"));

    // Ik'' = c·U / (√3·|ΣZ|) (IEC 60909-0, eq. 29) over the reference system and the cable,
    // with cmax 1.1 (the fixture's factor below 1 kV) and U 0.38 kV; the impedances are the
    // ones the list shows.
    const double r = rows->text(0, 11).toDouble() + rows->text(2, 11).toDouble();
    const double x = rows->text(0, 13).toDouble() + rows->text(2, 13).toDouble();
    const double ik = 1.1 * 0.38 / std::sqrt(3.0) / std::hypot(r, x);
    QCOMPARE(cell->Text(1717), QStringLiteral("1.100000"));
    QVERIFY2(std::abs(cell->Text(1711).toDouble() - ik) < 0.001, qPrintable(cell->Text(1711)));

    double minimum = -1, maximum = -1;
    QVERIFY(theApp.FindBusFaultValues(0, QStringLiteral("MCC-1"), minimum, maximum));
    QCOMPARE(fault::FormatBusValue(maximum, 3), cell->Text(1712));
    QCOMPARE(fault::FormatBusValue(minimum, 3), cell->Text(1713));
    QVERIFY(minimum > 1.0 && maximum > minimum);
    for (int i = 0; i < fault::kBusResults; ++i)
        QCOMPARE(PageCell(0, 0, 0, i), cell->Text(CBusCell::kResultFields[i]));

    // "계산" again recomputes the bus to the same figures and shows them.
    const QString ibMax = cell->Text(1712);
    Click(m_view.get(), 1645);
    QCOMPARE(cell->Text(1712), ibMax);
    QCOMPARE(cell->List()->rows()->rowCount(), 3);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPagesGui::changeAndDeleteLeaveTheUpstreamRows()
{
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    ReportListView* list = cell->List();
    const QString path = theApp.BusWorkbookPath(0);
    companion::DropCache();
    const QByteArray before = ReadFile(path);

    // No selection, then row 0 or row 1 selected: "수정" opens no picker, "삭제" removes nothing.
    QVERIFY(!WithPicker([&] { Click(cell, 1727); }, 0));
    Click(cell, 1728);
    for (int row : {0, 1}) {
        ClickRow(list, row);
        QVERIFY(!WithPicker([&] { Click(cell, 1727); }, 0));
        ClickRow(list, row);
        Click(cell, 1728);
        QCOMPARE(list->rows()->rowCount(), 3);
    }
    QCOMPARE(ReadFile(path), before);

    // "수정" on the cable row takes the 80 m cable; the row stays marked.
    const QString ibMax50 = cell->Text(1712);
    ClickRow(list, 2);
    QVERIFY(WithPicker([&] { Click(cell, 1727); }, 1));
    QCOMPARE(list->selectionMark(), 2);
    QCOMPARE(list->rows()->text(2, 3), QStringLiteral("80"));
    QCOMPARE(PageCell(0, 0, 1, 3), QStringLiteral("80"));
    QVERIFY(cell->Text(1712).toDouble() < ibMax50.toDouble());
    // "취소" after a click changes nothing.
    QVERIFY(WithPicker([&] { Click(cell, 1727); }, 0, false));
    QCOMPARE(list->rows()->text(2, 3), QStringLiteral("80"));

    // A second cable, then "삭제" of the first: the second moves up to bus row 1.
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 0));
    QCOMPARE(PageCell(0, 0, 2, 3), QStringLiteral("50"));
    ClickRow(list, 2);
    Click(cell, 1728);
    QCOMPARE(list->rows()->rowCount(), 3);
    QCOMPARE(list->rows()->text(2, 3), QStringLiteral("50"));
    QCOMPARE(PageCell(0, 0, 1, 3), QStringLiteral("50"));
    QCOMPARE(PageCell(0, 0, 2, 16), QString());
    QCOMPARE(cell->Text(1712), ibMax50);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPagesGui::addNeedsNameAndCalculation()
{
    // A fresh project: nothing computed yet.
    Click(m_view.get(), 1059);
    CBusCell* cell = Column0()->BusCell(0);
    QVERIFY(!WithPicker([&] { Click(cell, 1726); }, 0));
    m_prompt->inputAnswers.push_back(QStringLiteral("MCC-1"));
    Click(cell, 1730);
    QVERIFY(!WithPicker([&] { Click(cell, 1726); }, 0));
    QCOMPARE(m_prompt->messages,
             QStringList({"BUS NAME을 입력해 주세요!!!", "TR 연산을 먼저 해야 합니다.!!!"}));
    QCOMPARE(cell->List()->rows()->rowCount(), 0);
    QCOMPARE(PageCell(0, 0, 1, 16), QString());
}

void TestBusPagesGui::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
    QTest::newRow("tab") << QStringLiteral("\t");
}

// A bus page is read up to the first row without a name: a blank name would hide the bus.
void TestBusPagesGui::refusedNames()
{
    QFETCH(QString, name);
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    companion::DropCache();
    const QByteArray before = ReadFile(theApp.BusWorkbookPath(0));
    m_prompt->inputAnswers.push_back(name);
    Click(cell, 1730);
    QCOMPARE(m_prompt->inputLabels.last(), QStringLiteral("BUS NAME"));
    QCOMPARE(m_prompt->messages, QStringList{"BUS NAME을 입력해 주세요!!!"});
    QCOMPARE(cell->Text(1029), QStringLiteral("MCC-1"));
    QCOMPARE(ReadFile(theApp.BusWorkbookPath(0)), before);
    // Cancelled: nothing either. A real name renames every stored row.
    m_prompt->inputAnswers.push_back(std::nullopt);
    Click(cell, 1730);
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 1));
    m_prompt->inputAnswers.push_back(QStringLiteral("MCC-1A"));
    Click(cell, 1730);
    QCOMPARE(PageCell(0, 0, 1, 16), QStringLiteral("MCC-1A"));
    QCOMPARE(PageCell(0, 0, 2, 16), QStringLiteral("MCC-1A"));
    BusPage()->LoadFaultBusData();
    QCOMPARE(cell->Text(1029), QStringLiteral("MCC-1A"));
    QCOMPARE(cell->List()->rows()->rowCount(), 4);
}

void TestBusPagesGui::deleteAllKeepsTheResults()
{
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 1));
    const QString ik = cell->Text(1711);
    Click(cell, 1731);
    QVERIFY(m_prompt->confirmTexts.isEmpty());
    QCOMPARE(cell->List()->rows()->rowCount(), 0);
    QCOMPARE(cell->Text(1029), QString());
    QCOMPARE(cell->Text(1711), QString());
    QCOMPARE(PageCell(0, 0, 1, 16), QString());
    QCOMPARE(PageCell(0, 0, 2, 16), QString());
    QCOMPARE(PageCell(0, 0, 0, 0), ik);
    double minimum = -1, maximum = -1;
    QVERIFY(!theApp.FindBusFaultValues(0, QStringLiteral("MCC-1"), minimum, maximum));
}

// "전체 삭제" removes the bus's cables one by one: when a later one cannot be stored, the bus
// workbook keeps every cable and the cell still shows them and its name.
void TestBusPagesGui::failedDeleteAllStoresNothingOfIt()
{
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 1));
    const int rows = cell->List()->rows()->rowCount();
    QCOMPARE(rows, 4);  // the transformer's two rows and the two cables
    const QString path = theApp.BusWorkbookPath(0);
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());
    m_prompt->messages.clear();
    {
        // The lower cable's delete is stored, the upper one's refused.
        WorkbookWritesRefusedAfter refusal(path, 1);
        Click(cell, 1731);
        QCOMPARE(refusal.refused(), 1);
    }
    QCOMPARE(m_prompt->messages, QStringList{"BUS 파일에 저장하지 못했습니다.\n" + path});
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_dir->path())), QStringList());
    QCOMPARE(cell->List()->rows()->rowCount(), rows);
    QCOMPARE(cell->Text(1029), QStringLiteral("MCC-1"));
    QCOMPARE(PageCell(0, 0, 2, 0), cell->List()->rows()->text(3, 0));
}

void TestBusPagesGui::reloadShowsPageOneAndTheFields()
{
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    StoreBus(theApp, 0, 26, QStringLiteral("P2-BUS"));
    CBusColumn* column = Column0();
    CBusCell* cell = column->BusCell(0);
    QStringList shown;
    for (int id : CBusCell::kResultFields)
        shown << cell->Text(id);

    Click(column->Form(), 1387);  // page "2"
    QCOMPARE(column->GetBusPage(), 1);
    QCOMPARE(cell->Text(1725), QStringLiteral("26"));
    QCOMPARE(column->BusCell(1)->Text(1029), QStringLiteral("P2-BUS"));

    // The project is loaded again: page 1, with the bus as it was stored.
    BusPage()->LoadFaultBusData();
    QVERIFY(column->Form()->findChild<QRadioButton*>(QStringLiteral("1386"))->isChecked());
    QCOMPARE(column->GetBusPage(), 0);
    QCOMPARE(cell->Text(1725), QStringLiteral("1"));
    QCOMPARE(column->BusCell(24)->Text(1725), QStringLiteral("25"));
    QCOMPARE(cell->Text(1029), QStringLiteral("MCC-1"));
    QCOMPARE(cell->Text(1704), QStringLiteral("0.38"));
    QCOMPARE(cell->Text(1030), QStringLiteral("TR-1"));
    QCOMPARE(cell->Text(1028), QStringLiteral("0"));
    QCOMPARE(cell->List()->rows()->rowCount(), 3);
    QCOMPARE(cell->List()->rows()->text(1, 0), QStringLiteral("TR-1"));
    QCOMPARE(cell->List()->rows()->text(2, 3), QStringLiteral("50"));
    for (int i = 0; i < fault::kBusResults; ++i)
        QCOMPARE(cell->Text(CBusCell::kResultFields[i]), shown[i]);
    QCOMPARE(column->TransformerCell()->Text(1029), QStringLiteral("LV"));

    // Another project in the same run replaces everything, voltage and NGR included.
    QTemporaryDir other;
    theApp.ProjectPathTable.CurrentProjectPath = other.filePath(QStringLiteral("P2.pro"));
    companion::DropCache();
    BusPage()->LoadFaultBusData();
    QCOMPARE(cell->Text(1029), QString());
    QCOMPARE(cell->Text(1704), QString());
    QCOMPARE(cell->List()->rows()->rowCount(), 0);
    QCOMPARE(column->TransformerCell()->List()->rows()->rowCount(), 2);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPagesGui::pagesShowTheirSheets()
{
    StoreBus(theApp, 0, 25, QStringLiteral("FIRST-2"));
    StoreBus(theApp, 0, 99, QStringLiteral("LAST-4"));
    CBusColumn* column = Column0();
    Click(column->Form(), 1387);
    QCOMPARE(column->BusCell(0)->Text(1725), QStringLiteral("26"));
    QCOMPARE(column->BusCell(24)->Text(1725), QStringLiteral("50"));
    QCOMPARE(column->BusCell(0)->Text(1029), QStringLiteral("FIRST-2"));
    QCOMPARE(column->BusCell(0)->Bus().SheetIndex, 25);
    Click(column->Form(), 1389);
    QCOMPARE(column->GetBusPage(), 3);
    QCOMPARE(column->BusCell(24)->Text(1725), QStringLiteral("100"));
    QCOMPARE(column->BusCell(24)->Text(1029), QStringLiteral("LAST-4"));
    // A stored bus shows its two upstream rows before its cable.
    QCOMPARE(column->BusCell(24)->List()->rows()->rowCount(), 3);
    QCOMPARE(column->BusCell(24)->Text(1711), QStringLiteral("old"));
    QCOMPARE(column->SelectBusPage(7), 7);
    QCOMPARE(column->GetBusPage(), 3);
    QCOMPARE(column->GetBusTransformerIndex(), 0);
}

// "▲" beside a cell deletes its bus (the later ones move up, cell 100 is left empty); "▼"
// inserts an empty cell (the buses from it on move down); each asks first.
void TestBusPagesGui::deleteAndInsertCells()
{
    StoreNumberedBuses(theApp, 0, 10);
    StoreBus(theApp, 0, 98, QStringLiteral("B99"));
    BusPage()->LoadFaultBusData();
    CBusColumn* column = Column0();
    const QString path = theApp.BusWorkbookPath(0);

    // Cancelled: the workbook is untouched.
    companion::DropCache();
    const QByteArray before = ReadFile(path);
    m_prompt->confirmAnswers = {false, false};
    Click(column->Form(), 1014);
    Click(column->Form(), 1015);
    QCOMPARE(ReadFile(path), before);

    // "▲" beside the cell numbered 3.
    m_prompt->confirmAnswers = {true};
    Click(column->Form(), 1014);
    QCOMPARE(m_prompt->confirmTexts.last(), QStringLiteral("현재 셀을 삭제하고 아래 셀이 현재 위치로 이동합니다."));
    QCOMPARE(ShownNames(column).mid(0, 10),
             QStringList({"B1", "B2", "B4", "B5", "B6", "B7", "B8", "B9", "B10", ""}));
    QCOMPARE(column->BusCell(2)->Text(1711), QStringLiteral("old"));
    QCOMPARE(PageCell(0, 97, 1, 16), QStringLiteral("B99"));
    QCOMPARE(PageCell(0, 99, 1, 16), QString());
    QCOMPARE(PageCell(0, 99, 0, 0), QString());

    // "▼" beside the cell numbered 3: an empty cell 3, B4.. one cell lower.
    m_prompt->confirmAnswers = {true};
    Click(column->Form(), 1015);
    QCOMPARE(m_prompt->confirmTexts.last(), QStringLiteral("신규 셀을 생성하고, 현재 셀을 아래로 이동합니다."));
    QCOMPARE(ShownNames(column).mid(0, 11),
             QStringList({"B1", "B2", "", "B4", "B5", "B6", "B7", "B8", "B9", "B10", ""}));
    QCOMPARE(column->BusCell(2)->List()->rows()->rowCount(), 0);
    QCOMPARE(PageCell(0, 98, 1, 16), QStringLiteral("B99"));
    {
        WorkbookAccess wb(path, WorkbookAccess::Mode::Read);
        QCOMPARE(wb.book().sheetCount(), fault::kBusPagesPerWorkbook);
    }

    // On page 2 the buttons address sheets 25..49.
    StoreBus(theApp, 0, 30, QStringLiteral("B31"));
    Click(column->Form(), 1387);
    m_prompt->confirmAnswers = {true};
    Click(column->Form(), 1011 + 2 * 5);
    QCOMPARE(column->BusCell(6)->Text(1029), QStringLiteral("B31"));
    QCOMPARE(column->BusCell(5)->Text(1029), QString());
    QCOMPARE(column->GetBusPage(), 1);
    QCOMPARE(PageCell(0, 31, 1, 16), QStringLiteral("B31"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBusPagesGui::insertRefusedWhileTheLastCellHoldsABus()
{
    StoreBus(theApp, 0, 0, QStringLiteral("FIRST"));
    StoreBus(theApp, 0, 99, QStringLiteral("LAST"));
    BusPage()->LoadFaultBusData();
    companion::DropCache();
    const QByteArray before = ReadFile(theApp.BusWorkbookPath(0));
    m_prompt->confirmAnswers = {true};
    Click(Column0()->Form(), 1011);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(QStringLiteral("100")));
    QCOMPARE(ReadFile(theApp.BusWorkbookPath(0)), before);
    QCOMPARE(Column0()->BusCell(0)->Text(1029), QStringLiteral("FIRST"));
    // Deleting is still possible and makes room again.
    m_prompt->confirmAnswers = {true, true};
    Click(Column0()->Form(), 1010);
    Click(Column0()->Form(), 1011);
    QCOMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(PageNames(0, 1), QStringList{QString()});
    QCOMPARE(PageCell(0, 99, 1, 16), QStringLiteral("LAST"));
}

// A bus workbook that cannot be read is never written: the cell operations, paging, inserting
// and deleting cells and a project load leave it as it is, and say so.
void TestBusPagesGui::unreadableWorkbookIsNeverWritten()
{
    BuildSupplyAndCables();
    const QString path = theApp.BusWorkbookPath(0);
    const QByteArray junk("not a workbook");
    QVERIFY(WriteFile(path, junk));
    companion::DropCache();
    CBusCell* cell = Column0()->BusCell(0);
    m_prompt->inputAnswers.push_back(QStringLiteral("MCC-1"));
    Click(cell, 1730);
    // The cable cannot be stored: a message, and the bus shows no cable it does not hold.
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 0));
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(path));
    QCOMPARE(cell->List()->rows()->rowCount(), 2);
    m_prompt->confirmAnswers = {true, true};
    Click(Column0()->Form(), 1010);
    Click(Column0()->Form(), 1011);
    QCOMPARE(m_prompt->messages.size(), 3);
    QVERIFY(m_prompt->messages[2].contains(path));
    Click(Column0()->Form(), 1388);
    QCOMPARE(Column0()->GetBusPage(), 0);
    BusPage()->LoadFaultBusData();
    QCOMPARE(m_prompt->messages.size(), 4);
    QVERIFY(m_prompt->messages[3].contains(path));
    QCOMPARE(ReadFile(path), junk);
}

void TestBusPagesGui::calculationOverUnreadableWorkbookChangesNoFile_data()
{
    QTest::addColumn<int>("workbook");  // -1: the fault-current workbook, else a bus workbook
    QTest::newRow("fault-current workbook") << -1;
    QTest::newRow("bus workbook of TR-1") << 0;
    QTest::newRow("bus workbook of TR-4") << 3;
}

// "계산" over a workbook it cannot read: one message naming it, nothing computed, no file
// changed (the project file neither), and the buses show what they showed.
void TestBusPagesGui::calculationOverUnreadableWorkbookChangesNoFile()
{
    QFETCH(int, workbook);
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    // Another utility reactance would change every result.
    m_view->UtilityPage()->SetText(1642, QStringLiteral("30.0"));
    const QString path = workbook < 0 ? theApp.CompanionPath(CSevrinApp::FaultDataWorkbook)
                                      : theApp.BusWorkbookPath(workbook);
    QVERIFY(WriteFile(path, QByteArrayLiteral("not a workbook")));
    companion::DropCache();
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());
    CBusCell* cell = Column0()->BusCell(0);
    const QString shownIk = cell->Text(1711);
    const QString shownTrIk = Column0()->TransformerCell()->Text(1711);
    m_prompt->messages.clear();

    Click(m_view.get(), 1645);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY2(m_prompt->messages[0].contains(path), qPrintable(m_prompt->messages[0]));
    QVERIFY(m_prompt->messages[0].contains(QStringLiteral("계산하지 않았습니다")));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_dir->path())), QStringList());
    QCOMPARE(cell->Text(1711), shownIk);
    QCOMPARE(Column0()->TransformerCell()->Text(1711), shownTrIk);
}

// A bus workbook that takes no writes (a read-only file; the seam stands in for it, as a
// test run as root writes through file permissions): "계산" names it, and no file changes,
// neither "_80" nor the project file, so that they never hold another run than the buses. The
// same "계산" stores everything once the file takes writes again.
void TestBusPagesGui::unwritableBusWorkbookIsReported()
{
    BuildSupplyAndCables();
    MakeBus(0, QStringLiteral("MCC-1"), 0);
    CBusCell* cell = Column0()->BusCell(0);
    // Another utility reactance changes the transformer's row in "_80" and every bus.
    m_view->UtilityPage()->SetText(1642, QStringLiteral("30.0"));
    const QString path = theApp.BusWorkbookPath(0);
    companion::DropCache();
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());
    const QString storedIk = PageCell(0, 0, 0, 0);
    companion::SetSaveRefusal([path](const QString& p) { return p == path; });
    m_prompt->messages.clear();

    Click(m_view.get(), 1645);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY2(m_prompt->messages[0].contains(QStringLiteral("저장하지 못했습니다")) &&
                 m_prompt->messages[0].contains(path),
             qPrintable(m_prompt->messages[0]));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_dir->path())), QStringList());
    QVERIFY(cell->Text(1711) != storedIk);

    companion::SetSaveRefusal({});
    m_prompt->messages.clear();
    Click(m_view.get(), 1645);
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(PageCell(0, 0, 0, 0), cell->Text(1711));
    const QStringList stored = ChangedEntries(before, FolderSnapshot(m_dir->path()));
    for (const QString& file : {QStringLiteral("P1.pro"), QStringLiteral("P1_80.xlsx"), QStringLiteral("P1_851.xlsx")})
        QVERIFY2(stored.contains(file), qPrintable(stored.join(QLatin1Char(' '))));

    // A cable stored with the bus's old results: the row goes in, the results do not, and
    // the bus cell says so.
    int saves = 0;
    companion::SetSaveRefusal([path, &saves](const QString& p) { return p == path && ++saves > 1; });
    const QString ikBefore = PageCell(0, 0, 0, 0);
    QVERIFY(WithPicker([&] { Click(cell, 1726); }, 1));
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(path));
    QCOMPARE(PageCell(0, 0, 2, 0), cell->List()->rows()->text(3, 0));
    QCOMPARE(PageCell(0, 0, 0, 0), ikBefore);
}

// Bus pages first read while "_80" could not be read create nothing; once it reads again,
// "계산" reads them again and creates the bus workbook that was missing.
void TestBusPagesGui::pagesReadWhileUnreadableAreReadAgain()
{
    BuildSupplyAndCables();
    const QString data = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    const QString bus3 = theApp.BusWorkbookPath(2);
    companion::DropCache();
    const QByteArray good = ReadFile(data);
    QVERIFY(QFile::remove(bus3));
    QVERIFY(WriteFile(data, QByteArrayLiteral("not a workbook")));
    companion::DropCache();
    m_view->InvalidateBusPages();
    // The pages read without the transformer rows have no voltages.
    QCOMPARE(m_view->BusPages().Columns[0].Cells[0].Voltage, QString());
    QVERIFY(!QFile::exists(bus3));

    QVERIFY(WriteFile(data, good));
    companion::DropCache();
    m_prompt->messages.clear();
    Click(m_view.get(), 1645);
    QVERIFY(m_prompt->messages.isEmpty());
    WorkbookAccess wb(bus3, WorkbookAccess::Mode::Read);
    QVERIFY(wb.ok());
    QCOMPARE(wb.book().sheetCount(), fault::kBusPagesPerWorkbook);
    QCOMPARE(Column0()->BusCell(0)->Text(1704), QStringLiteral("0.38"));
}

void TestBusPagesGui::transformerSelector()
{
    CBusPage* page = BusPage();
    Click(m_view.get(), 1059);
    QCOMPARE(page->ShownColumn(), 0);
    QVERIFY(!page->BuiltColumn(2));
    Click(page, 1388);  // "TR-3"
    QVERIFY(page->BuiltColumn(2));
    QVERIFY(page->BuiltColumn(2)->isVisible());
    QVERIFY(!page->BuiltColumn(0)->isVisible());
    QCOMPARE(page->GetSelectedFaultTransformer(), 2);
    QCOMPARE(page->BuiltColumn(2)->TransformerCell()->Text(1030), QStringLiteral("TR-3"));
    QCOMPARE(page->BuiltColumn(2)->TransformerCell()->List()->rows()->text(0, 0),
             QStringLiteral("TR-3 기준계통"));
    QCOMPARE(page->BuiltColumn(2)->GetBusTransformerIndex(), 2);
    // Selecting by the program checks the button only.
    page->SelectFaultTransformer(4);
    QCOMPARE(page->GetSelectedFaultTransformer(), 4);
    QCOMPARE(page->ShownColumn(), 2);
    // The incoming bus view has no editing buttons and shows the 22.9 kV bus.
    CBusCell* incoming = page->IncomingView();
    QCOMPARE(incoming->Text(1029), QStringLiteral("INCOMING"));
    QCOMPARE(incoming->Text(1704), QStringLiteral("22.9"));
    QCOMPARE(incoming->List()->rows()->text(0, 0), QStringLiteral("계통 (특고기준)"));
    for (int id : {1726, 1727, 1728, 1731})
        QVERIFY(!incoming->findChild<QPushButton*>(QString::number(id))->isVisible());
    QVERIFY(!incoming->findChild<QPushButton*>(QStringLiteral("1730"))->isEnabled());
    QVERIFY(!incoming->Field(1030)->isVisible());
}

// "■" aligns to the cell at the top, " ▲" goes one cell up (not above the first), "▼" one down.
void TestBusPagesGui::scrollByCells()
{
    CBusPage* page = BusPage();
    Click(m_view.get(), 1059);
    CBusColumn* column = page->Column(0);
    const int pitch = column->CellPitch();
    QVERIFY(pitch > 0);
    const int max = column->verticalScrollBar()->maximum();
    QVERIFY(max > 24 * pitch);
    struct Case
    {
        int from, button, to;
    };
    const Case cases[] = {{0, 1732, 0},
                          {pitch + 10, 1010, pitch},
                          {2 * pitch + 5, 1732, pitch},
                          {0, 1009, pitch},
                          {pitch / 2, 1009, pitch},
                          {max, 1009, max}};
    for (const Case& c : cases) {
        page->ScrollBusColumn(0, c.from);
        QCOMPARE(page->GetBusColumnScrollPos(0), c.from);
        Click(page, c.button);
        QCOMPARE(page->GetBusColumnScrollPos(0), c.to);
    }
    // Each column keeps its own position.
    page->ScrollBusColumn(0, 3 * pitch);
    Click(page, 1387);
    QCOMPARE(page->GetBusColumnScrollPos(1), 0);
    Click(page, 1009);
    QCOMPARE(page->GetBusColumnScrollPos(1), pitch);
    QCOMPARE(page->GetBusColumnScrollPos(0), 3 * pitch);
}

QTEST_MAIN(TestBusPagesGui)
#include "tst_buspagesgui.moc"
