// The cable and motor pages of the fault-current screen driven through their controls: every
// add, change, delete and "+" mirrored cell by cell into the fault-current workbook, the cable
// and motor imports from fixture workbooks written through their stores, the impedance
// summary dialog and the cable picker; an import whose source workbook cannot be read.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "fault/faultscreenfixture.h"
#include "fault/gui/debugdlg.h"
#include "fault/gui/faultpage.h"
#include "fault/gui/faultcablepickerdlg.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using faultfixture::CompareListWithSheet;
using faultfixture::SheetRows;

namespace {

QStringList Numbers(ReportListView* list)
{
    QStringList n;
    for (int r = 0; r < list->rows()->rowCount(); ++r)
        n << list->rows()->text(r, 0);
    return n;
}

}  // namespace

class TestFaultScreenLists : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cableRowsMirrorTheWorkbook();
    void cableNamesAndWires();
    void cableWithoutConductorIsRefused_data();
    void cableWithoutConductorIsRefused();
    void cableImportTakesThreePhaseAndFeederRows();
    void motorRowsMirrorTheWorkbook();
    void motorImportTakesTheChosenTransformer();
    void importFromUnreadableWorkbookIsRefused_data();
    void importFromUnreadableWorkbookIsRefused();
    void refusedRowWriteIsSaidAndChangesNothing_data();
    void refusedRowWriteIsSaidAndChangesNothing();
    void impedanceSummaryOfAnEmptyTransformer();
    void cablePickerFillsTheBusRow();
    void listsPastTheLimitAreSaid();

private:
    void Click(QWidget* page, int id) { ClickButton(page, id); }
    void ClickRow(ReportListView* list, int row) { ClickListRow(list, row); }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CFaultScreen> m_view;
};

void TestFaultScreenLists::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    faultfixture::UseFaultProject(m_dir->filePath(QStringLiteral("P1.pro")));
    faultfixture::SetUtilityAsLoadedWithoutInputs();
    m_prompt = RecordingPrompt::Install();
    m_view = faultfixture::ShowFaultScreen();
    QVERIFY(m_view);
    m_view->MotorPage()->FillMotorList();
    m_view->CablePage()->FillCableList();
    m_view->CablePage()->SetInsertButtonsVisible(true);
    m_view->MotorPage()->SetInsertButtonsVisible(true);
    // The first visit computes δ20 and δ250 into the cable page.
    m_view->Control<QPushButton>(1058)->click();
    QVERIFY(!m_view->CablePage()->Text(1697).isEmpty());
}

void TestFaultScreenLists::cleanup()
{
    faultfixture::CloseFaultScreen(m_view);
    m_dir.reset();
}

void TestFaultScreenLists::cableRowsMirrorTheWorkbook()
{
    CFaultCablePage* page = m_view->CablePage();
    ReportListView* list = page->List();
    // The initial inputs: S/S to LE-E, 12 m of FCV 70 mm², 1 core, 4 lines, PE 35, N 1.
    Click(page, 1691);
    const QStringList first = list->rows()->row(0);
    QCOMPARE(first.mid(0, 11), (QStringList{"1", "P-S/S/LE-E", "S/S", "LE-E", "12", "FCV", "70", "1",
                                            "4", "35", "1"}));
    // R90 = 12 m / 1000 x 23.52 / 70 ohm/km = 0.004032 ohm (fixture table R = 23.52 / S).
    QCOMPARE(first[11], QStringLiteral("0.004032"));
    page->SetText(1028, QStringLiteral("MCC-1"));
    Click(page, 1691);
    page->SetText(1028, QStringLiteral("MCC-2"));
    Click(page, 1691);
    CompareListWithSheet(list, fault::CableSheet);

    // "수정" of row 1 with N = 2: half the impedance, its number kept.
    ClickRow(list, 1);
    QCOMPARE(page->Text(1028), QStringLiteral("MCC-1"));
    page->SetText(1032, QStringLiteral("2"));
    Click(page, 1692);
    QCOMPARE(list->rows()->text(1, 11), QStringLiteral("0.002016"));
    QCOMPARE(list->selectionMark(), -1);
    CompareListWithSheet(list, fault::CableSheet);

    // "+" above row 1: named from two "_____", numbered one past the old count.
    ClickRow(list, 1);
    Click(page, 1695);
    QCOMPARE(list->rows()->text(1, 1), QStringLiteral("P-_____/_____"));
    QCOMPARE(list->rows()->text(1, 0), QStringLiteral("4"));
    QCOMPARE(list->rows()->rowCount(), 4);
    CompareListWithSheet(list, fault::CableSheet);

    // Deleting the last row marks the new last row.
    ClickRow(list, 3);
    Click(page, 1693);
    QCOMPARE(list->selectionMark(), 2);
    QCOMPARE(list->rows()->text(2, 0), QStringLiteral("3"));
    QCOMPARE(theApp.FaultCurrentBlock.FaultCableCount, 3);
    // The sheet keeps its stored numbers until the next fill; the cells agree otherwise.
    const std::vector<QStringList> stored = SheetRows(fault::CableSheet, 17);
    QCOMPARE(int(stored.size()), 3);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(list->rows()->row(r).mid(1), stored[std::size_t(r)].mid(1));
    page->FillCableList();
    QCOMPARE(list->rows()->text(1, 0), QStringLiteral("2"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestFaultScreenLists::cableNamesAndWires()
{
    CFaultCablePage* page = m_view->CablePage();
    ReportListView* list = page->List();
    page->SetText(1028, QString());
    page->SetText(1029, QString());
    page->Combo(1122)->setCurrentText(QStringLiteral("HFIX"));
    page->Combo(1123)->setCurrentText(QStringLiteral("2.5"));
    page->Combo(1125)->setCurrentText(QStringLiteral("1"));
    Click(page, 1691);
    page->Combo(1125)->setCurrentText(QStringLiteral("2"));
    Click(page, 1691);
    page->Combo(1122)->setCurrentText(QStringLiteral("FR8"));
    page->Combo(1123)->setCurrentText(QStringLiteral("70"));
    Click(page, 1691);
    QCOMPARE(list->rows()->row(0).mid(1, 3), (QStringList{"HFIX 2.5SQ", "-", "-"}));
    QCOMPARE(list->rows()->row(0).mid(15), (QStringList{"-", "-"}));
    // HFIX: 18.1 / 2.5 = 7.24 ohm/km x 12 m = 0.086880 ohm; two lines double it.
    QCOMPARE(list->rows()->text(0, 11), QStringLiteral("0.086880"));
    QCOMPARE(list->rows()->text(1, 11), QStringLiteral("0.173760"));
    QCOMPARE(list->rows()->text(2, 1), QStringLiteral("FR8 70"));
    CompareListWithSheet(list, fault::CableSheet);
    // A click shows the "-" of From and To as empty fields.
    page->SetText(1028, QStringLiteral("x"));
    ClickRow(list, 0);
    QCOMPARE(page->Text(1028), QString());
    QCOMPARE(page->Text(1122), QStringLiteral("HFIX"));
}

void TestFaultScreenLists::cableWithoutConductorIsRefused_data()
{
    QTest::addColumn<QString>("n");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("empty") << QString();
    QTest::newRow("negative") << QStringLiteral("-1");
    QTest::newRow("not a number") << QStringLiteral("x");
}

void TestFaultScreenLists::cableWithoutConductorIsRefused()
{
    QFETCH(QString, n);
    CFaultCablePage* page = m_view->CablePage();
    ReportListView* list = page->List();
    Click(page, 1691);
    page->SetText(1032, n);
    Click(page, 1691);
    ClickRow(list, 0);
    page->SetText(1032, n);
    Click(page, 1692);
    ClickRow(list, 0);
    page->SetText(1032, n);
    Click(page, 1695);
    QCOMPARE(m_prompt->messages, QStringList(3, QStringLiteral("설정 값이 필요합니다.!!!")));
    QCOMPARE(list->rows()->rowCount(), 1);
    QCOMPARE(list->rows()->text(0, 10), QStringLiteral("1"));
    CompareListWithSheet(list, fault::CableSheet);
}

void TestFaultScreenLists::cableImportTakesThreePhaseAndFeederRows()
{
    // A cable schedule written through its store: kinds L3P, M, A, L1, L3, then a row with an
    // empty number that ends the schedule, and one more after it.
    auto& row = theApp.CableScheduleBlock.CableRow;
    const struct
    {
        const char* number;
        const char* kind;
        const char* n;
    } rows[] = {{"C-1", "L3P", "1"}, {"C-2", "M", "1"}, {"C-3", "A", ""},
                {"C-4", "L1", "1"},  {"C-5", "L3", "1"}, {"", "L3P", "1"}, {"C-7", "L3P", "1"}};
    for (int i = 0; i < 7; ++i) {
        row = {};
        row[0] = QString::fromLatin1(rows[i].number);
        row[1] = QStringLiteral("CBL-%1").arg(i);
        row[2] = QStringLiteral("S/S");
        row[3] = QStringLiteral("LP-%1").arg(i);
        row[4] = QString::fromLatin1(rows[i].kind);
        row[30] = QStringLiteral("100");
        row[44] = QString::fromLatin1(rows[i].n);
        row[105] = QStringLiteral("FCV");
        row[106] = QStringLiteral("70㎟");
        row[108] = QStringLiteral("4C");
        row[109] = QStringLiteral("1L");
        row[110] = QStringLiteral("35㎟");
        QVERIFY(theApp.WriteCableRow(i, false));
    }
    CFaultCablePage* page = m_view->CablePage();
    ReportListView* list = page->List();
    Click(page, 1691);  // a typed row stays ahead of the imported ones
    Click(page, 1694);
    QCOMPARE(list->rows()->rowCount(), 3);
    QCOMPARE(list->rows()->row(1).mid(0, 11),
             (QStringList{"2", "CBL-0", "S/S", "LP-0", "100", "FCV", "70", "4", "1", "35", "1"}));
    // The "A" row had no parallel count: one conductor, 0.1 km x 23.52 / 70 = 0.033600 ohm.
    QCOMPARE(list->rows()->text(2, 1), QStringLiteral("CBL-2"));
    QCOMPARE(list->rows()->text(2, 10), QStringLiteral("1"));
    QCOMPARE(list->rows()->text(2, 11), QStringLiteral("0.033600"));
    CompareListWithSheet(list, fault::CableSheet);
    // A second press appends the same rows again.
    Click(page, 1694);
    QCOMPARE(list->rows()->rowCount(), 5);
    QCOMPARE(list->rows()->text(3, 1), QStringLiteral("CBL-0"));
    QCOMPARE(list->rows()->text(4, 0), QStringLiteral("5"));
    CompareListWithSheet(list, fault::CableSheet);
    // The schedule itself is unchanged.
    QVERIFY(theApp.ReadCableRow(0));
    QCOMPARE(theApp.CableScheduleBlock.CableRow[106], QStringLiteral("70㎟"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestFaultScreenLists::motorRowsMirrorTheWorkbook()
{
    CFaultMotorPage* page = m_view->MotorPage();
    ReportListView* list = page->List();
    QVERIFY(!page->Combo(1122)->isEditable());
    page->SetText(1402, QStringLiteral("110"));
    page->SetText(1399, QStringLiteral("999"));
    Click(page, 1395);
    // kVA = 110 / 0.95 / 0.88 = 131.58, whatever the hidden kVA field holds.
    QCOMPARE(list->rows()->row(0).mid(0, 12),
             (QStringList{"1", "PE-EV-A", "ELEV-1", "110", "131.58", "DOL", "0.38", "0.95", "0.88",
                          "7.2", "4", "2.381"}));
    // %ZM = 100 / 7.2 = 13.888889.
    QCOMPARE(list->rows()->text(0, 12), QStringLiteral("13.888889"));
    page->SetText(1690, QStringLiteral("M-2"));
    Click(page, 1395);
    CompareListWithSheet(list, fault::FirstMotorSheet);

    // No kW, and a motor the library does not hold: messages, nothing changes.
    page->SetText(1402, QString());
    Click(page, 1395);
    page->SetText(1402, QStringLiteral("37"));
    Click(page, 1395);
    QCOMPARE(m_prompt->messages, (QStringList{"용량(kW) 값을 지정해 주세요!!!",
                                              "전동기 라이브러리에서 해당 값을 찾을 수 없습니다."}));
    QCOMPARE(list->rows()->rowCount(), 2);

    // "수정", "+" and "삭제".
    ClickRow(list, 0);
    QCOMPARE(page->Text(1402), QStringLiteral("110"));
    page->SetText(1401, QStringLiteral("6"));
    Click(page, 1396);
    QCOMPARE(list->rows()->text(0, 9), QStringLiteral("6"));
    ClickRow(list, 1);
    Click(page, 1406);
    QCOMPARE(list->rows()->row(1).mid(0, 3), (QStringList{"3", "_____", "_____"}));
    CompareListWithSheet(list, fault::FirstMotorSheet);
    // Deleting the last row: the list is numbered 1..n again and marks the new last row; the
    // inserted row keeps its stored number 3 in the sheet until the next fill.
    ClickRow(list, 2);
    Click(page, 1397);
    QCOMPARE(list->selectionMark(), 1);
    QCOMPARE(Numbers(list), (QStringList{"1", "2"}));
    CompareListWithSheet(list, fault::FirstMotorSheet, false);
    QCOMPARE(SheetRows(fault::FirstMotorSheet, 1)[1][0], QStringLiteral("3"));

    // The rows belong to TR-1: TR-2 shows its own (empty) sheet, and back again.
    page->Combo(1122)->setCurrentIndex(1);
    QCOMPARE(list->rows()->rowCount(), 0);
    Click(page, 1395);
    CompareListWithSheet(list, fault::FirstMotorSheet + 1);
    page->Combo(1122)->setCurrentIndex(0);
    QCOMPARE(Numbers(list), (QStringList{"1", "2"}));
    QCOMPARE(list->rows()->text(1, 1), QStringLiteral("_____"));
    CompareListWithSheet(list, fault::FirstMotorSheet, false);
}

void TestFaultScreenLists::motorImportTakesTheChosenTransformer()
{
    // Three panels written through the motor-control-centre store: MCC-1 fed from TR-2,
    // MCC-2 from TR-1, MCC-3 from MCC-1 (a panel, not a transformer).
    auto& mcc = theApp.MotorControlCenterBlock;
    const struct
    {
        const char* name;
        const char* from;
    } panels[] = {{"MCC-1", "TR-2"}, {"MCC-2", "TR-1"}, {"MCC-3", "MCC-1"}};
    for (int n = 0; n < 3; ++n) {
        mcc.MccPanelRecord = {};
        mcc.MccPanelRecord[0] = QString::fromLatin1(panels[n].name);
        mcc.MccPanelRecord[3] = QString::fromLatin1(panels[n].from);
        QVERIFY(theApp.AddMccPanelSheet());
        const char* kinds[] = {"M", "L3", "M"};
        for (int k = 0; k < 3; ++k) {
            mcc.MccLoadRow = {};
            mcc.MccLoadRow[0] = QStringLiteral("L-%1").arg(k);
            mcc.MccLoadRow[1] = QStringLiteral("%1-EQ-%2").arg(QString::fromLatin1(panels[n].name)).arg(k);
            mcc.MccLoadRow[2] = QString::fromLatin1(kinds[k]);
            mcc.MccLoadRow[3] = QStringLiteral("55");
            mcc.MccLoadRow[4] = QStringLiteral("70.1");
            mcc.MccLoadRow[9] = QStringLiteral("0.38");
            mcc.MccLoadRow[10] = QStringLiteral("0.93");
            mcc.MccLoadRow[11] = QStringLiteral("0.85");
            mcc.MccLoadRow[13] = QStringLiteral("Y-D");
            QVERIFY(theApp.WriteMccLoadRow(n, k, false));
        }
    }
    CFaultMotorPage* page = m_view->MotorPage();
    ReportListView* list = page->List();
    page->Combo(1122)->setCurrentIndex(1);  // TR-2
    Click(page, 1404);
    QCOMPARE(list->rows()->rowCount(), 2);
    QStringList expected{"1", "MCC-1", "MCC-1-EQ-0", "55", "70.1", "Y-D", "0.38", "0.93", "0.85"};
    while (expected.size() < 27)
        expected << QString();
    QCOMPARE(list->rows()->row(0), expected);
    QCOMPARE(list->rows()->text(1, 2), QStringLiteral("MCC-1-EQ-2"));
    CompareListWithSheet(list, fault::FirstMotorSheet + 1);
    // TR-1 has MCC-2 only; TR-1's sheet is untouched by the TR-2 import.
    page->Combo(1122)->setCurrentIndex(0);
    QCOMPARE(list->rows()->rowCount(), 0);
    Click(page, 1404);
    QCOMPARE(list->rows()->rowCount(), 2);
    QCOMPARE(list->rows()->text(0, 1), QStringLiteral("MCC-2"));
    CompareListWithSheet(list, fault::FirstMotorSheet);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestFaultScreenLists::impedanceSummaryOfAnEmptyTransformer()
{
    // TR-1 entered and computed; TR-2 never entered.
    CFaultTransformerPage* conversion = m_view->TransformerPage();
    conversion->Combo(1122)->setCurrentIndex(0);
    conversion->SetText(1091, QStringLiteral("1000"));
    conversion->SetText(1088, QStringLiteral("5"));
    conversion->Control<QPushButton>(1016)->click();
    m_view->Control<QPushButton>(1645)->click();

    QStringList shown[27];
    QTimer::singleShot(0, this, [&shown] {
        auto* dialog = qobject_cast<CDebugDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (int r = 0; r < 27 && r < dialog->List()->rows()->rowCount(); ++r)
            shown[r] = dialog->List()->rows()->row(r);
        dialog->reject();
    });
    m_view->Control<QPushButton>(1646)->click();
    const auto& s = theApp.FaultCurrentBlock.ImpedanceSummary;
    for (int r = 0; r < 27; ++r)
        QCOMPARE(shown[r].value(0), QString::number(r + 1));
    // TR-1 (row 2) and its reference system (row 17) show what is stored.
    QCOMPARE(shown[2].mid(1), (QStringList{s[10], s[11], s[12], s[13], s[14]}));
    QCOMPARE(shown[17].mid(1), (QStringList{s[85], s[86], s[87], s[88], s[89]}));
    // No utility impedance was entered: the system is an ideal source and no motor runs, so the
    // transformer alone limits a fault at its secondary and the reference system is RT + jXT.
    // By hand (X/R 6 for 1000 kVA): Zt = 5 / 100 x 0.38^2 / 1000 x 1000 = 0.007220 ohm,
    // Xt = Zt / sqrt(1/36 + 1) = 0.0071218; KT = 1.045 / (0.6 x 0.0071218 x 1000 / 144.4 + 1)
    // = 1.014964; XT = 0.007220 x 1.014964 / sqrt(1/36 + 1) = 0.007228 ohm.
    QCOMPARE(shown[17].mid(2), shown[2].mid(2));
    QCOMPARE(shown[17][5], QStringLiteral("0.007228"));
    // TR-2 (row 3) has no impedance: its reference rows 18 and 23 show 0.000000.
    for (int r : {18, 23})
        QCOMPARE(shown[r].mid(2), QStringList(4, QStringLiteral("0.000000")));

    // Before any calculation every reference row shows 0.000000.
    theApp.FaultCurrentBlock.ImpedanceSummary = {};
    CDebugDlg empty;
    for (int r = 0; r < 17; ++r)
        QCOMPARE(empty.List()->rows()->row(r), (QStringList{QString::number(r + 1), "", "", "", "", ""}));
    for (int r = 17; r < 27; ++r)
        QCOMPARE(empty.List()->rows()->row(r).mid(2), QStringList(4, QStringLiteral("0.000000")));
}

void TestFaultScreenLists::cablePickerFillsTheBusRow()
{
    CFaultCablePage* page = m_view->CablePage();
    Click(page, 1691);
    page->SetText(1028, QStringLiteral("MCC-1"));
    Click(page, 1691);
    auto& bus = theApp.FaultCurrentBlock.BusRow;
    bus.fill(QStringLiteral("old"));
    CFaultCablePickerDlg picker;
    ReportListView* list = picker.List();
    QCOMPARE(list->rows()->rowCount(), 2);
    // Opening empties the 16 cable cells and the bus name; voltage, transformer and NGR stay.
    for (int c = 0; c <= 16; ++c)
        QCOMPARE(bus[std::size_t(c)], QString());
    QCOMPARE(bus[17], QStringLiteral("old"));
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    ClickRow(list, 1);
    for (int j = 0; j < 16; ++j)
        QCOMPARE(bus[std::size_t(j)], page->List()->rows()->text(1, j + 1));
    QCOMPARE(bus[0], QStringLiteral("P-MCC-1/LE-E"));

    // Without a workbook the list is empty and no workbook is made.
    companion::DropCache();
    const QString path = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    QVERIFY(QFile::remove(path));
    CFaultCablePickerDlg none;
    QCOMPARE(none.List()->rows()->rowCount(), 0);
    QVERIFY(!QFile::exists(path));
}

void TestFaultScreenLists::importFromUnreadableWorkbookIsRefused_data()
{
    QTest::addColumn<bool>("cables");  // the cable schedule, else the motor-control centre
    QTest::newRow("cable schedule") << true;
    QTest::newRow("motor-control centre") << false;
}

// A damaged source is refused with a message, not read as no rows (an import of nothing
// without a word).
void TestFaultScreenLists::importFromUnreadableWorkbookIsRefused()
{
    QFETCH(bool, cables);
    const QString path = theApp.CompanionPath(cables ? CSevrinApp::CableWorkbook : CSevrinApp::MccWorkbook);
    QVERIFY(WriteFile(path, QByteArrayLiteral("not a workbook")));
    companion::DropCache();
    const QMap<QString, QByteArray> before = FolderSnapshot(m_dir->path());
    m_prompt->messages.clear();
    CFaultPage* page = cables ? static_cast<CFaultPage*>(m_view->CablePage())
                              : static_cast<CFaultPage*>(m_view->MotorPage());
    Click(page, cables ? 1694 : 1404);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY2(m_prompt->messages[0].contains(path), qPrintable(m_prompt->messages[0]));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_dir->path())), QStringList());
    const ReportListView* list = cables ? m_view->CablePage()->List() : m_view->MotorPage()->List();
    QCOMPARE(list->rows()->rowCount(), 0);
}

void TestFaultScreenLists::refusedRowWriteIsSaidAndChangesNothing_data()
{
    QTest::addColumn<bool>("cables");  // the cable page, else the motor page
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("selectFirst");
    QTest::newRow("cable 추가") << true << 1691 << false;
    QTest::newRow("cable 수정") << true << 1692 << true;
    QTest::newRow("cable +") << true << 1695 << true;
    QTest::newRow("cable 계통정보 불러오기") << true << 1694 << false;
    QTest::newRow("motor 추가") << false << 1395 << false;
    QTest::newRow("motor 수정") << false << 1396 << true;
    QTest::newRow("motor +") << false << 1406 << true;
    QTest::newRow("motor 동력부하 불러오기") << false << 1404 << false;
}

// A row the fault-current workbook does not take: one message in the page's wording, the
// list and its count as they were, and the workbook unchanged.
void TestFaultScreenLists::refusedRowWriteIsSaidAndChangesNothing()
{
    QFETCH(bool, cables);
    QFETCH(int, button);
    QFETCH(bool, selectFirst);
    // One row in each list, and one row for each import to take.
    CFaultCablePage* cablePage = m_view->CablePage();
    CFaultMotorPage* motorPage = m_view->MotorPage();
    Click(cablePage, 1691);
    motorPage->SetText(1402, QStringLiteral("110"));
    Click(motorPage, 1395);
    auto& schedule = theApp.CableScheduleBlock.CableRow;
    schedule = {};
    schedule[0] = QStringLiteral("C-1");
    schedule[1] = QStringLiteral("CBL-1");
    schedule[4] = QStringLiteral("L3P");
    QVERIFY(theApp.WriteCableRow(0, false));
    auto& mcc = theApp.MotorControlCenterBlock;
    mcc.MccPanelRecord = {};
    mcc.MccPanelRecord[0] = QStringLiteral("MCC-1");
    mcc.MccPanelRecord[3] = QStringLiteral("TR-1");
    QVERIFY(theApp.AddMccPanelSheet());
    mcc.MccLoadRow = {};
    mcc.MccLoadRow[0] = QStringLiteral("L-1");
    mcc.MccLoadRow[2] = QStringLiteral("M");
    QVERIFY(theApp.WriteMccLoadRow(0, 0, false));

    CFaultPage* page = cables ? static_cast<CFaultPage*>(cablePage) : static_cast<CFaultPage*>(motorPage);
    ReportListView* list = cables ? cablePage->List() : motorPage->List();
    const int sheet = cables ? fault::CableSheet : fault::FirstMotorSheet;
    const int& count = cables ? theApp.FaultCurrentBlock.FaultCableCount
                              : theApp.FaultCurrentBlock.FaultMotorCount;
    QCOMPARE(list->rows()->rowCount(), 1);
    QCOMPARE(count, 1);
    const QStringList shown = list->rows()->row(0);
    const QString path = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    const QByteArray before = ReadFile(path);
    m_prompt->messages.clear();
    if (selectFirst)
        ClickRow(list, 0);
    companion::SetSaveRefusal([path](const QString& target) { return target == path; });
    Click(page, button);
    companion::SetSaveRefusal({});
    QCOMPARE(m_prompt->messages, QStringList{FaultWriteFailedMessage()});
    QCOMPARE(list->rows()->rowCount(), 1);
    QCOMPARE(list->rows()->row(0), shown);
    QCOMPARE(count, 1);
    QCOMPARE(ReadFile(path), before);
    CompareListWithSheet(list, sheet);
}

// Lists stored with 1001 rows (a workbook written elsewhere): the distribution lines, the
// motors of TR-1, the feeder cables and the cables of a bus page. Each list takes 1000 rows
// and says, each time it is filled, that its workbook holds more; the rows stay in the file.
void TestFaultScreenLists::listsPastTheLimitAreSaid()
{
    auto& b = theApp.FaultCurrentBlock;
    m_view->BusPages();  // creates the bus workbooks
    {
        CompanionBatch batch;
        for (int r = 0; r <= fault::kMaxListRows; ++r) {
            const QString number = QString::number(r + 1);
            b.LineRow.fill(QStringLiteral("0.0000"));
            b.LineRow[0] = number;
            QVERIFY(theApp.WriteFaultDataRow(fault::LineSheet, r, false));
            b.FaultMotorRow.fill(QStringLiteral("-"));
            b.FaultMotorRow[0] = number;
            QVERIFY(theApp.WriteFaultDataRow(fault::FirstMotorSheet, r, false));
            b.FaultCableRow.fill(QStringLiteral("1"));
            b.FaultCableRow[0] = number;
            QVERIFY(theApp.WriteFaultDataRow(fault::CableSheet, r, false));
            b.BusRow.fill(QStringLiteral("0.000000"));
            b.BusRow[16] = QStringLiteral("MCC-9");
            QVERIFY(theApp.WriteBusRow(0, 0, r));
        }
        QVERIFY(batch.finish());
    }
    const QString data = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    const QString said = companion::RowLimitMessage(data, fault::kMaxListRows);
    const QByteArray before = ReadFile(data);
    const auto filled = [&](const std::function<void()>& fill, ReportListView* list) {
        m_prompt->messages.clear();
        fill();
        QCOMPARE(m_prompt->messages, QStringList{said});
        QCOMPARE(list->rows()->rowCount(), fault::kMaxListRows);
    };
    filled([&] { m_view->MotorPage()->FillMotorList(); }, m_view->MotorPage()->List());
    filled([&] { m_view->CablePage()->FillCableList(); }, m_view->CablePage()->List());
    m_prompt->messages.clear();
    m_view->UtilityPage()->FillUtilityLineList();
    QCOMPARE(m_prompt->messages, QStringList{said});
    QCOMPARE(ReadFile(data), before);

    m_prompt->messages.clear();
    m_view->InvalidateBusPages();
    m_view->BusPages();
    QCOMPARE(m_prompt->messages,
             QStringList{companion::RowLimitMessage(theApp.BusWorkbookPath(0), fault::kMaxListRows)});
}

QTEST_MAIN(TestFaultScreenLists)
#include "tst_faultscreenlists.moc"
