// The fault-current screen driven through its controls: page buttons, the automatic first
// calculation, the utility/line and transformer pages mirrored into the fault-current
// workbook, saving and reloading the screen's inputs.
#include "app/core/companionworkbook.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "fault/faultscreenfixture.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "platform/profile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using faultfixture::CompareListWithSheet;
using faultfixture::SheetRows;

class TestFaultScreen : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pageButtons_data();
    void pageButtons();
    void firstVisitComputesOnce();
    void saveThenReloadEveryKey();
    void missingFactorKeysLoadTheInitialTexts();
    void lineRowsMirrorTheWorkbook();
    void lineInputErrorsChangeNothing();
    void failedWriteShowsMessageAndReloads();
    void refusedWriteKeepsTheWorkbook();
    void failedProjectFileSaveIsReported_data();
    void failedProjectFileSaveIsReported();
    void transformerRowsMirrorTheWorkbook();

    void inputChecksNameTheField_data();
    void inputChecksNameTheField();

private:
    void Click(int id) { ClickButton(m_view.get(), id); }
    void ClickRow(ReportListView* list, int row) { ClickListRow(list, row); }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CFaultScreen> m_view;
};

void TestFaultScreen::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    faultfixture::UseFaultProject(m_dir->filePath(QStringLiteral("P1.pro")));
    faultfixture::SetUtilityAsLoadedWithoutInputs();
    LibTable& legend = theApp.CableLibBlock.CableTypeLegend;
    legend.Cell(0, 0) = QStringLiteral("ACSR");
    legend.Cell(1, 0) = QStringLiteral("CNCV");
    legend.Count = 2;
    m_prompt = RecordingPrompt::Install();
    m_view = faultfixture::ShowFaultScreen();
    QVERIFY(m_view);
    // As a project load refills the screen.
    m_view->UtilityPage()->FillUtilityTypeCombos();
    m_view->UtilityPage()->FillUtilityLineList();
    m_view->UtilityPage()->FillIncomingCableList();
    m_view->TransformerPage()->FillTransformerList();
}

void TestFaultScreen::cleanup()
{
    faultfixture::CloseFaultScreen(m_view);
    m_dir.reset();
}

// Buttons pressed from page 0 and what is then shown: the page, the one page button disabled,
// and whether "이전" and "다음" are enabled.
void TestFaultScreen::pageButtons_data()
{
    AddPageButtonsColumns();
    QTest::newRow("start") << QList<int>{} << 0 << 1056 << false << true;
    QTest::newRow("이전 on the first page") << QList<int>{1124} << 0 << 1056 << false << true;
    QTest::newRow("다음 to page 1 keeps 계통 임피던스 off") << QList<int>{1123} << 1 << 1056 << true << true;
    QTest::newRow("유도 전동기") << QList<int>{1057} << 2 << 1057 << true << true;
    QTest::newRow("이전 from the motors") << QList<int>{1057, 1124} << 1 << 1056 << true << true;
    QTest::newRow("IMP Data") << QList<int>{1058} << 3 << 1058 << true << true;
    QTest::newRow("Fault Cal") << QList<int>{1059} << 4 << 1059 << true << false;
    QTest::newRow("다음 on the last stepped page") << QList<int>{1059, 1123} << 4 << 1059 << true << false;
    QTest::newRow("다음 four times") << QList<int>{1123, 1123, 1123, 1123, 1123} << 4 << 1059 << true << false;
    // Nothing follows the SLD Report page: "다음" is off there.
    QTest::newRow("SLD Report") << QList<int>{1060} << 5 << 1060 << true << false;
    QTest::newRow("다음 on SLD Report changes nothing") << QList<int>{1060, 1123} << 5 << 1060 << true << false;
    QTest::newRow("이전 from SLD Report") << QList<int>{1060, 1124} << 4 << 1059 << true << false;
    QTest::newRow("back to 계통 임피던스") << QList<int>{1058, 1056} << 0 << 1056 << false << true;
}

void TestFaultScreen::pageButtons()
{
    const PageButtonsRow row = FetchPageButtonsRow();
    for (int id : row.clicks)
        Click(id);
    QCOMPARE(m_view->PageIndex(), row.page);
    QCOMPARE(m_view->CurrentPage(), m_view->Page(row.page));
    for (int index = 0; index <= 5; ++index)
        QCOMPARE(m_view->Page(index)->isVisible(), index == row.page);
    CheckPageButtons(m_view.get(), {1056, 1057, 1058, 1059, 1060}, row, 1124, 1123);
}

void TestFaultScreen::firstVisitComputesOnce()
{
    CUtilityPage* utility = m_view->UtilityPage();
    CFaultTransformerPage* conversion = m_view->TransformerPage();
    utility->SetText(1641, QStringLiteral("2.0"));
    utility->SetText(1642, QStringLiteral("20.0"));
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    QVERIFY(conversion->Text(1676).isEmpty());
    QVERIFY(!QFile::exists(project));

    // Pages 0, 1 and 4 compute nothing.
    Click(1123);
    Click(1059);
    QVERIFY(conversion->Text(1676).isEmpty());
    QVERIFY(!QFile::exists(project));

    // The first visit of the motor page computes and writes the section, silently.
    Click(1057);
    // δ20 = 1 / (1 + 0.00393 (90 - 20)) = 0.784... by the conductor-temperature formula; the
    // display only has to be filled here, its value is the engine's.
    QVERIFY(!conversion->Text(1676).isEmpty());
    QCOMPARE(conversion->Text(1084), theApp.FaultCurrentBlock.FaultResult[fault::TotalPercent]);
    QCOMPARE(utility->Text(1624), theApp.FaultCurrentBlock.UtilityResult[0]);
    QCOMPARE(GetProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT3"), QStringLiteral("x")), QStringLiteral("2.0"));
    QVERIFY(m_prompt->messages.isEmpty());

    // Later visits do not compute again: a changed input stays unsaved and unused.
    const QString total = conversion->Text(1084);
    utility->SetText(1641, QStringLiteral("9.0"));
    for (int id : {1056, 1058, 1060, 1057})
        Click(id);
    QCOMPARE(conversion->Text(1084), total);
    QCOMPARE(GetProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT3"), QStringLiteral("x")), QStringLiteral("2.0"));

    // "계산" computes, shows and saves without a message.
    Click(1645);
    QVERIFY(conversion->Text(1084) != total);
    QCOMPARE(GetProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT3"), QStringLiteral("x")), QStringLiteral("9.0"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestFaultScreen::saveThenReloadEveryKey()
{
    const int utilityIds[6] = {1639, 1640, 1641, 1642, 1643, 1644};
    const int factorIds[12] = {1392, 1393, 1394, 1037, 1671, 1044, 1672, 1028, 1029, 1673, 1674, 1675};
    // A different text in every field (numbers where the field holds one), so each key is
    // seen to reach its own field.
    const QStringList utilityTexts = {"u0", "u1", "1.1", "2.2", "3.3", "4.4"};
    const QStringList factorTexts = {"0.0041", "91", "21", "0.0042", "251", "-5",
                                     "1.06", "0.96", "1.11", "1.01", "1.12", "1.02"};
    for (int i = 0; i < 6; ++i)
        m_view->UtilityPage()->SetText(utilityIds[i], utilityTexts[i]);
    for (int i = 0; i < 12; ++i)
        m_view->TransformerPage()->SetText(factorIds[i], factorTexts[i]);
    Click(1061);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("고장전류 내용을 저장 하였습니다.")});
    QCOMPARE(m_prompt->messageIcons, QList<Prompt::Icon>{Prompt::Icon::Information});
    // "저장하기" computes nothing.
    QVERIFY(m_view->TransformerPage()->Text(1676).isEmpty());

    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    for (int i = 0; i < 6; ++i)
        QCOMPARE(GetProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT%1").arg(i + 1), QStringLiteral("x")),
                 utilityTexts[i]);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(GetProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_2_EDIT%1").arg(i + 1), QStringLiteral("x")),
                 factorTexts[i]);

    // Reload into fresh controls.
    for (int id : utilityIds)
        m_view->UtilityPage()->SetText(id, QString());
    for (int id : factorIds)
        m_view->TransformerPage()->SetText(id, QString());
    theApp.FaultCurrentBlock = CSevrinApp::FaultCurrentBlockT{};
    QVERIFY(theApp.LoadProjectFile(project));
    m_view->ShowFaultCurrentInputs();
    for (int i = 0; i < 6; ++i)
        QCOMPARE(m_view->UtilityPage()->Text(utilityIds[i]), utilityTexts[i]);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(m_view->TransformerPage()->Text(factorIds[i]), factorTexts[i]);
}

void TestFaultScreen::missingFactorKeysLoadTheInitialTexts()
{
    // The page's own initial texts, read before anything is loaded.
    const int factorIds[12] = {1392, 1393, 1394, 1037, 1671, 1044, 1672, 1028, 1029, 1673, 1674, 1675};
    CFaultScreen fresh;
    fresh.OnInitialUpdate();
    QStringList initial;
    for (int id : factorIds)
        initial << fresh.TransformerPage()->Text(id);
    QCOMPARE(initial, (QStringList{"0.00393", "90", "20", "0.00393", "250", "20", "1.05", "0.95",
                                   "1.1", "1", "1.1", "1"}));
    m_view->OnInitialUpdate();  // the fresh screen took its place in theApp.Screens

    // A project file with the utility keys only.
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    QVERIFY(WriteProfileString(project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT3"), QStringLiteral("1.5")));
    QVERIFY(theApp.LoadProjectFile(project));
    m_view->ShowFaultCurrentInputs();
    QCOMPARE(m_view->UtilityPage()->Text(1641), QStringLiteral("1.5"));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(m_view->TransformerPage()->Text(factorIds[i]), initial[i]);
    // And the calculation then has its factors: δ20 is not 0.
    Click(1645);
    QVERIFY(CellQuantity(m_view->TransformerPage()->Text(1676), QuantitySign::Any, 0.0) > 0.5);
}

void TestFaultScreen::lineRowsMirrorTheWorkbook()
{
    CUtilityPage* page = m_view->UtilityPage();
    ReportListView* lines = page->List(CUtilityPage::LineBand);
    ReportListView* cables = page->List(CUtilityPage::CableBand);
    // The kind combos list the legend; the fixture's one table entry is of kind "ACSR".
    QCOMPARE(page->Combo(1123)->count(), 2);
    QCOMPARE(page->Text(1127), QStringLiteral("ACSR-OC|OW"));

    // Library input: 0.1 %/km x 5 km = 0.5000 (column 8), 0.3 x 5 = 1.5000, 0.4 x 5 = 2.0000,
    // 1.2 x 5 = 6.0000.
    Click(1117);
    QCOMPARE(lines->rows()->row(0),
             (QStringList{"1", "ACSR-OC", "OW", "0.1000", "0.3000", "0.4000", "1.2000", "5", "0.5000",
                          "1.5000", "2.0000", "6.0000", "ACSR", "가공", "OW", "가공"}));
    // Direct input of 1.2, 3.4, 0.5 and 1.5: stored as typed.
    page->findChild<QRadioButton*>(QStringLiteral("1387"))->click();
    QVERIFY(!page->findChild<QRadioButton*>(QStringLiteral("1386"))->isChecked());
    const char* direct[4] = {"1.2", "3.4", "0.5", "1.5"};
    const int directIds[4] = {1653, 1654, 1035, 1037};
    for (int i = 0; i < 4; ++i)
        page->SetText(directIds[i], QString::fromLatin1(direct[i]));
    Click(1117);
    Click(1117);
    QCOMPARE(lines->rows()->row(1),
             (QStringList{"2", "", "", "", "", "", "", "", "1.2", "3.4", "0.5", "1.5", "", "", "", ""}));
    QCOMPARE(theApp.FaultCurrentBlock.LineCount, 3);
    CompareListWithSheet(lines, fault::LineSheet);

    // Clicking the library row turns "입력1" on; "수정" with a distance of 2 rebuilds it.
    ClickRow(lines, 0);
    QVERIFY(page->findChild<QRadioButton*>(QStringLiteral("1386"))->isChecked());
    page->SetText(1652, QStringLiteral("2"));
    Click(1118);
    QCOMPARE(lines->rows()->text(0, 8), QStringLiteral("0.2000"));
    QCOMPARE(lines->selectionMark(), -1);
    CompareListWithSheet(lines, fault::LineSheet);
    // Clicking the direct row turns "입력2" on and fills the four edits.
    for (int i = 0; i < 4; ++i)
        page->SetText(directIds[i], QString());
    ClickRow(lines, 1);
    QVERIFY(page->findChild<QRadioButton*>(QStringLiteral("1387"))->isChecked());
    QCOMPARE(page->Text(1654), QStringLiteral("3.4"));

    // Deleting the last row marks the new last row; a second "삭제" removes it.
    ClickRow(lines, 2);
    Click(1119);
    QCOMPARE(lines->selectionMark(), 1);
    Click(1119);
    QCOMPARE(lines->rows()->rowCount(), 1);
    QCOMPARE(theApp.FaultCurrentBlock.LineCount, 1);
    CompareListWithSheet(lines, fault::LineSheet);
    ClickRow(lines, 0);
    Click(1119);
    QCOMPARE(lines->selectionMark(), -1);
    Click(1119);  // nothing marked: nothing happens
    CompareListWithSheet(lines, fault::LineSheet);
    QCOMPARE(lines->rows()->rowCount(), 0);

    // The incoming-cable band is the twin on sheet 1, with the neutral columns hidden.
    Click(1120);
    QCOMPARE(cables->rows()->text(0, 8), QStringLiteral("0.0100"));  // 0.1 %/km x 0.1 km
    CompareListWithSheet(cables, fault::IncomingCableSheet);
    for (int c : {2, 14, 15})
        QCOMPARE(cables->columnWidth(c), 0);
    QVERIFY(m_prompt->messages.isEmpty());

    // A refill after a project load reads the same rows back.
    page->FillUtilityLineList();
    page->FillIncomingCableList();
    QCOMPARE(cables->rows()->rowCount(), 1);
    QCOMPARE(theApp.FaultCurrentBlock.IncomingCableCount, 1);
}

void TestFaultScreen::lineInputErrorsChangeNothing()
{
    CUtilityPage* page = m_view->UtilityPage();
    ReportListView* lines = page->List(CUtilityPage::LineBand);
    // A kind without table entries leaves the pair combo empty: the library has no such pair.
    page->Combo(1123)->setCurrentIndex(1);
    QCOMPARE(page->Combo(1127)->count(), 0);
    Click(1117);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("관련 설정을 라이브러리에서 찾을 수 없습니다.!!!")});
    // Direct input with one value missing.
    page->findChild<QRadioButton*>(QStringLiteral("1387"))->click();
    page->SetText(1653, QStringLiteral("1"));
    page->SetText(1654, QStringLiteral("1"));
    page->SetText(1035, QStringLiteral("1"));
    Click(1117);
    QCOMPARE(m_prompt->messages.last(), QStringLiteral("영상분 %jX 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다."));
    QCOMPARE(lines->rows()->rowCount(), 0);
    QCOMPARE(theApp.FaultCurrentBlock.LineCount, 0);
    QCOMPARE(int(SheetRows(fault::LineSheet, 16).size()), 0);
}

void TestFaultScreen::failedWriteShowsMessageAndReloads()
{
    CUtilityPage* page = m_view->UtilityPage();
    ReportListView* lines = page->List(CUtilityPage::LineBand);
    Click(1117);
    QCOMPARE(lines->rows()->rowCount(), 1);
    // The workbook turns unreadable (another program broke it): the next row cannot be stored.
    companion::DropCache();
    const QString path = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a workbook");
    file.close();
    Click(1117);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(QStringLiteral("저장하지 못했습니다")));
    // The list shows what the file holds (nothing readable), and the file was not replaced.
    QCOMPARE(lines->rows()->rowCount(), 0);
    QCOMPARE(theApp.FaultCurrentBlock.LineCount, 0);
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("not a workbook"));

    // The transformer page reports the same way.
    m_view->TransformerPage()->SetText(1091, QStringLiteral("1000"));
    Click(1016);
    QCOMPARE(m_prompt->messages.size(), 2);
    QVERIFY(m_prompt->messages[1].contains(QStringLiteral("저장하지 못했습니다")));
}

// A row the disk refuses to store (full, over quota): said, the list shows the rows the file
// holds, and the file is whole (a small workbook is not replaced by an empty one).
void TestFaultScreen::refusedWriteKeepsTheWorkbook()
{
    CUtilityPage* page = m_view->UtilityPage();
    ReportListView* lines = page->List(CUtilityPage::LineBand);
    Click(1117);
    QCOMPARE(lines->rows()->rowCount(), 1);
    const QString path = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    companion::DropCache();
    const QByteArray before = ReadFile(path);
    {
        FileWritesRefused refused;
        Click(1117);
    }
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(QStringLiteral("저장하지 못했습니다")));
    QCOMPARE(lines->rows()->rowCount(), 1);
    QCOMPARE(ReadFile(path), before);
    CompareListWithSheet(lines, fault::LineSheet);
}

void TestFaultScreen::transformerRowsMirrorTheWorkbook()
{
    CFaultTransformerPage* page = m_view->TransformerPage();
    ReportListView* list = page->List();
    QCOMPARE(list->rows()->rowCount(), 5);
    QCOMPARE(list->rows()->text(4, 0), QStringLiteral("TR-5"));
    Click(1645);  // the totals the transformers refer to

    page->Combo(1122)->setCurrentIndex(1);
    page->SetText(1091, QStringLiteral("1000"));
    page->SetText(1088, QStringLiteral("5"));
    page->SetText(1089, QStringLiteral("0.38"));
    page->SetText(1090, QStringLiteral("10"));
    page->Control<QPushButton>(1016)->click();
    const std::vector<QStringList> stored = SheetRows(fault::TransformerSheet, 16);
    QVERIFY(stored.size() >= 2);
    // Cell 0 is stored empty although the list shows the name there.
    QCOMPARE(stored[1][0], QString());
    QCOMPARE(list->rows()->text(1, 0), QStringLiteral("TR-2"));
    for (int c = 1; c < 16; ++c)
        QCOMPARE(list->rows()->text(1, c), stored[1][c]);
    // X/R of 1000 kVA is 6.0 in the fixture table.
    QCOMPARE(stored[1][3], QStringLiteral("6.00"));
    // Zt = 5/100 x 0.38^2/1000 x 1000 = 0.00722 ohm.
    QCOMPARE(stored[1][5], QStringLiteral("0.007220"));
    // The bus column of TR-2 takes the voltage and NGR.
    const fault::BusView& cell = m_view->BusPages().Columns[1].Cells[0];
    QCOMPARE(cell.Voltage, QStringLiteral("0.38"));
    QCOMPARE(cell.Ngr, QStringLiteral("10"));

    // A click brings the row back into the inputs and the combo.
    page->Combo(1122)->setCurrentIndex(0);
    page->SetText(1091, QString());
    ClickRow(list, 1);
    QCOMPARE(page->Combo(1122)->currentIndex(), 1);
    QCOMPARE(page->Text(1091), QStringLiteral("1000"));
    QCOMPARE(page->Text(1090), QStringLiteral("10"));

    // "삭제" leaves the row in the sheet, emptied.
    page->Control<QPushButton>(1017)->click();
    const std::vector<QStringList> after = SheetRows(fault::TransformerSheet, 16);
    QVERIFY(after.size() >= 2);
    QCOMPARE(after[1], QStringList(QList<QString>(16)));
    QCOMPARE(list->rows()->text(1, 1), QString());
    QCOMPARE(m_view->BusPages().Columns[1].Cells[0].Voltage, QString());
    // A refill shows the stored rows.
    page->FillTransformerList();
    QCOMPARE(list->rows()->text(1, 1), QString());
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestFaultScreen::failedProjectFileSaveIsReported_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("저장하기") << 1061;
    QTest::newRow("계산") << 1645;
}

// A project file that cannot be written (a folder in its place, which stops root too) is
// named, and never reported as saved; the workbooks of "계산" are stored as usual.
void TestFaultScreen::failedProjectFileSaveIsReported()
{
    QFETCH(int, button);
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    QVERIFY(QDir().mkdir(path));
    Click(button);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로젝트 파일을 저장하지 못했습니다.\n") + path});
    QVERIFY(QFileInfo(path).isDir());
}

// Each page's buttons refuse a typed figure that is no number of its sign with one message
// naming the field; the workbook, the project file and the results stay as they were.
// page: 0 utility and lines, 1 transformers and factors, 2 motors, 3 cables; button -1 the
// screen's "계산", -2 its "저장하기".
void TestFaultScreen::inputChecksNameTheField_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("utility %R negative, 계산") << 0 << 1641 << "-2" << -1
        << "계통 정상분 %R 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("utility %jX nan, 저장하기") << 0 << 1642 << "nan" << -2
        << "계통 정상분 %jX 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("Cmax inf") << 1 << 1672 << "inf" << -1
        << "Cmax(최대전압계수) 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("alpha empty") << 1 << 1392 << "" << -1 << "도체저항온도계수 (α) 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("line distance nan") << 0 << 1652 << "nan" << 1117
        << "거리 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("TR capacity negative") << 1 << 1091 << "-1000" << 1016
        << "용량 (PT[kVA]) 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("TR voltage 1e308") << 1 << 1089 << "1e308" << 1016
        << "2차전압 (V[kV]) 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("NGR negative") << 1 << 1090 << "-10" << 1016
        << "NGR [Ω] 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("motor LRC 0") << 2 << 1401 << "0" << 1395
        << "LRC 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("motor X/R with a comma") << 2 << 1405 << "2,5" << 1395
        << "X/R 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("cable length negative") << 3 << 1027 << "-50" << 1691
        << "길이 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
}

void TestFaultScreen::inputChecksNameTheField()
{
    QFETCH(int, page);
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(int, button);
    QFETCH(QString, message);
    CFaultPage* pages[4] = {m_view->UtilityPage(), m_view->TransformerPage(), m_view->MotorPage(),
                            m_view->CablePage()};
    CFaultPage* p = pages[page];
    const QString data = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    const auto block = theApp.FaultCurrentBlock.FaultResult;
    p->SetText(field, text);
    m_prompt->messages.clear();
    if (button == -1)
        Click(1645);
    else if (button == -2)
        Click(1061);
    else
        p->Control<QPushButton>(button)->click();
    QCOMPARE(m_prompt->messages, QStringList{message});
    QVERIFY(!QFile::exists(data));
    QVERIFY(!QFile::exists(project));
    QCOMPARE(theApp.FaultCurrentBlock.FaultResult, block);
    QCOMPARE(p->Text(field), text);  // the entry stays to be corrected
}

QTEST_MAIN(TestFaultScreen)
#include "tst_faultscreen.moc"
