// The motor-control-centre, panel-board and switchgear screens driven through their controls
// offscreen, with the prompt seam answering: design conditions stored, saved, reloaded and
// applied; page buttons; failed saves; the report dialog; calls from a worker thread.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/companionsuffixes.h"
#include "common/enterescapekeys.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "library/libraryfixture.h"
#include "loads/core/designconditions.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccconditionspage.h"
#include "loads/gui/mccsheetpage.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/boardsheetpage.h"
#include "loads/gui/boardinstallationpage.h"
#include "loads/gui/boardconductorpage.h"
#include "loads/gui/boardmotorstartpage.h"
#include "loads/gui/boardbreakerpage.h"
#include "loads/gui/switchgearscreen.h"
#include "report/gui/outputdlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace {

using KeyValues = QList<QPair<QString, QString>>;

// The keys and values of one section of an INI file, in file order.
KeyValues SectionLines(const QString& path, const QString& section)
{
    KeyValues kv;
    bool inside = false;
    const QStringList lines = QString::fromUtf8(ReadFile(path)).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inside = line == QLatin1Char('[') + section + QLatin1Char(']');
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inside && eq > 0)
            kv.append({line.left(eq), line.mid(eq + 1)});
    }
    return kv;
}

// The n-th push button of a screen with that caption, in creation order.
QPushButton* Button(const QWidget* view, const QString& caption, int nth = 0)
{
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text() == caption && nth-- == 0)
            return b;
    return nullptr;
}

void Click(const QWidget* view, const QString& caption)
{
    QPushButton* b = Button(view, caption);
    QVERIFY2(b, qPrintable(caption));
    b->click();
}

QComboBox* Combo(const QWidget* page, int id)
{
    return page->findChild<QComboBox*>(QString::number(id));
}

QLineEdit* Edit(const QWidget* page, int id)
{
    return page->findChild<QLineEdit*>(QString::number(id));
}

// What the report dialog showed when a screen opened it.
std::array<uint8_t, 9> ReportChoicesWhenOpened(const std::function<void()>& open)
{
    std::array<uint8_t, 9> seen{};
    seen.fill(9);
    QTimer::singleShot(0, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = dynamic_cast<COutputDlg*>(w); d && d->isVisible()) {
                std::copy(d->ReportChoices.begin(), d->ReportChoices.end(), seen.begin());
                d->reject();
            }
    });
    open();
    return seen;
}

}  // namespace

class TestDesignPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mccConditionsSurviveSaveAndReload();
    void panelBoardConditionsSurviveSaveAndReload();
    void storedIndexOutsideListShowsAndUsesFirstOption();
    void missingKeysGiveFirstOptionAndZeroText();
    void mccPageButtons_data();
    void mccPageButtons();
    void panelBoardPageButtons_data();
    void panelBoardPageButtons();
    void pageIndexOutsideRangeShowsNoPage();
    void calcWithNewBetaChangesMotorData();
    void panelBoardCalcShowsFactorsAndTotals();
    void boardDemandFactorSurvivesAddSelectAndCalc();
    void thresholdComboDrivesItsCopy();
    void failedSaveNamesTheFile_data();
    void failedSaveNamesTheFile();
    void outputChoosesCoverAndOwnReport();
    void reportCallsFromWorkerThread();
    void switchgearButtonsKeepNothing();
    void enterAndEscapeNeverReachThePages();

private:
    void NewProjectFile(const QByteArray& text = "[Project_Introduce]\nProjectName=T\n");

    QTemporaryDir m_dir;
    QString m_project;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CMccScreen> m_mcc;
    std::unique_ptr<CBoardScreen> m_boards;
};

void TestDesignPages::initTestCase()
{
    QVERIFY(m_dir.isValid());
    RecordingPrompt::Install();
    QVERIFY(fixture::UseLibraryFolder(m_dir.path()));
    theApp.LoadBreakerWorkbook(true, 0);
    m_project = m_dir.filePath(QStringLiteral("P-14.pro"));
}

void TestDesignPages::init()
{
    m_prompt = RecordingPrompt::Install();
    theApp.MotorControlCenterBlock = CSevrinApp::MotorControlCenterBlockT{};
    theApp.CabinetSizingBlock = CSevrinApp::CabinetSizingBlockT{};
    theApp.ProjectPathTable.CurrentProjectPath = m_project;
    NewProjectFile();
    m_mcc = std::make_unique<CMccScreen>();
    m_mcc->OnInitialUpdate();
    m_boards = std::make_unique<CBoardScreen>();
    m_boards->OnInitialUpdate();
    m_boards->RefreshPanelBoardPages(0);  // lists the breaker makers
}

void TestDesignPages::cleanup()
{
    m_mcc.reset();
    m_boards.reset();
    QVERIFY(theApp.ScreenView(Screen::Mcc) == nullptr);
    QVERIFY(theApp.ScreenView(Screen::PanelBoard) == nullptr);
}

void TestDesignPages::NewProjectFile(const QByteArray& text)
{
    QFile::remove(m_project);
    QVERIFY(WriteFile(m_project, text));
}

void TestDesignPages::mccConditionsSurviveSaveAndReload()
{
    CMccConditionsPage* page = m_mcc->DesignPage();
    const std::array<int, 10> chosen{26, 3, 4, 2, 1, 2, 3, 4, 1, 4};
    for (int i = 0; i < 10; ++i)
        page->ConditionCombo(i)->setCurrentIndex(chosen[std::size_t(i)]);
    page->TapEdit()->setText(QStringLiteral("0.65"));
    page->CtFactorEdit()->setText(QStringLiteral("1.75"));
    Click(m_mcc.get(), QStringLiteral("저장하기"));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("동력 내용을 저장 하였습니다.")});
    QCOMPARE(m_prompt->messageIcons.value(0), Prompt::Icon::Information);

    // A section the file did not hold yet: the keys come in the writer's order.
    const KeyValues expected{
        {"IDC_PRO_1_1_COMBO1", "26"}, {"IDC_PRO_1_1_COMBO2", "3"}, {"IDC_PRO_1_1_COMBO3", "4"},
        {"IDC_PRO_1_1_COMBO4", "2"},  {"IDC_PRO_1_1_COMBO5", "1"}, {"IDC_PRO_1_1_COMBO6", "2"},
        {"IDC_PRO_1_1_COMBO7", "3"},  {"IDC_PRO_1_1_COMBO8", "4"}, {"IDC_PRO_1_1_COMBO9", "1"},
        {"IDC_PRO_1_1_COMBOA", "4"},  {"IDC_PRO_1_1_EDIT1", "0.65"}, {"IDC_PRO_1_1_EDIT2", "1.75"},
    };
    QCOMPARE(SectionLines(m_project, QStringLiteral("Motor_Control_Center")), expected);

    // Another screen state, then the project loaded again as the project screen does.
    theApp.MotorControlCenterBlock = CSevrinApp::MotorControlCenterBlockT{};
    m_mcc->ApplyMccDesignConditions(0, true);
    QCOMPARE(page->ConditionCombo(0)->currentIndex(), 0);
    QVERIFY(theApp.LoadProjectFile(m_project));
    m_mcc->ApplyMccDesignConditions(0, true);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(page->ConditionCombo(i)->currentIndex(), chosen[std::size_t(i)]);
    QCOMPARE(page->TapEdit()->text(), QStringLiteral("0.65"));
    QCOMPARE(page->CtFactorEdit()->text(), QStringLiteral("1.75"));
    QCOMPARE(m_mcc->DesignControlText(1426), QStringLiteral("10.0"));
    QCOMPARE(m_mcc->DesignControlText(1437), QStringLiteral("0.3"));
}

void TestDesignPages::panelBoardConditionsSurviveSaveAndReload()
{
    CBoardInstallationPage* p1 = m_boards->InstallationPage();
    CBoardConductorPage* p2 = m_boards->ConductorPage();
    CBoardMotorStartPage* p3 = m_boards->MotorStartPage();
    CBoardBreakerPage* p4 = m_boards->BreakerPage();
    m_boards->BoardPage()->DemandFactorEdit()->setText(QStringLiteral("70"));
    const std::array<int, 5> install{6, 4, 1, 2, 2};
    for (int i = 0; i < 5; ++i)
        p1->ConditionCombo(i)->setCurrentIndex(install[std::size_t(i)]);
    Combo(p2, 1181)->setCurrentIndex(9);
    Combo(p2, 1183)->setCurrentIndex(4);
    const QStringList conductorTexts{"0.9", "0.95", "2.5", "3", "5"};
    for (int i = 0; i < 5; ++i)
        Edit(p2, 1184 + i)->setText(conductorTexts[i]);
    Edit(p2, 1191)->setText(QStringLiteral("80"));
    Edit(p2, 1192)->setText(QStringLiteral("1.2"));
    Combo(p3, 1195)->setCurrentIndex(3);
    Edit(p3, 1037)->setText(QStringLiteral("10"));
    Edit(p3, 1193)->setText(QStringLiteral("15"));
    Edit(p3, 1194)->setText(QStringLiteral("1.1"));
    QCOMPARE(Combo(p4, 1163)->count(), 4);  // the fixture's breaker sheets
    Combo(p4, 1163)->setCurrentIndex(2);
    Combo(p4, 1164)->setCurrentIndex(2);
    Combo(p4, 1165)->setCurrentIndex(3);
    Edit(p4, 1008)->setText(QStringLiteral("1.25"));
    Click(m_boards.get(), QStringLiteral("저장하기"));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("분전반 내용을 저장 하였습니다.")});

    const KeyValues expected{
        {"IDC_PRO_2_2_EDIT1", "70"},  {"IDC_PRO_2_3_COMBO1", "6"}, {"IDC_PRO_2_3_COMBO2", "4"},
        {"IDC_PRO_2_3_COMBO3", "1"},  {"IDC_PRO_2_3_COMBO4", "2"}, {"IDC_PRO_2_3_COMBO5", "2"},
        {"IDC_PRO_2_4_COMBO1", "9"},  {"IDC_PRO_2_4_COMBO2", "9"}, {"IDC_PRO_2_4_COMBO3", "4"},
        {"IDC_PRO_2_4_EDIT1", "0.9"}, {"IDC_PRO_2_4_EDIT2", "0.95"}, {"IDC_PRO_2_4_EDIT3", "2.5"},
        {"IDC_PRO_2_4_EDIT4", "3"},   {"IDC_PRO_2_4_EDIT5", "5"},  {"IDC_PRO_2_4_EDIT6", "80"},
        {"IDC_PRO_2_4_EDIT7", "1.2"}, {"IDC_PRO_2_5_COMBO1", "3"}, {"IDC_PRO_2_5_EDIT1", "10"},
        {"IDC_PRO_2_5_EDIT2", "15"},  {"IDC_PRO_2_5_EDIT3", "1.1"}, {"IDC_PRO_2_6_COMBO1", "2"},
        {"IDC_PRO_2_6_COMBO2", "2"},  {"IDC_PRO_2_6_COMBO3", "3"}, {"IDC_PRO_2_6_EDIT1", "1.25"},
        {"IDC_PRO_2_6_EDIT2", "현대 HGM"},
    };
    QCOMPARE(SectionLines(m_project, QStringLiteral("Cabinet_Sizing")), expected);

    theApp.CabinetSizingBlock = CSevrinApp::CabinetSizingBlockT{};
    m_boards->RefreshPanelBoardPages(0);
    QCOMPARE(Combo(p2, 1181)->currentIndex(), 0);
    QVERIFY(theApp.LoadProjectFile(m_project));
    ApplyProjectDesignConditions(theApp);
    m_boards->RefreshPanelBoardPages(0);
    QCOMPARE(m_boards->BoardPage()->DemandFactorEdit()->text(), QStringLiteral("70"));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(p1->ConditionCombo(i)->currentIndex(), install[std::size_t(i)]);
    QCOMPARE(Combo(p2, 1181)->currentText(), QStringLiteral("240"));
    QCOMPARE(Combo(p2, 1182)->currentText(), QStringLiteral("240"));
    QCOMPARE(Combo(p2, 1183)->currentText(), QStringLiteral("0.05"));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(Edit(p2, 1184 + i)->text(), conductorTexts[i]);
    QCOMPARE(Edit(p2, 1191)->text(), QStringLiteral("80"));
    QCOMPARE(Edit(p2, 1192)->text(), QStringLiteral("1.2"));
    QCOMPARE(Combo(p3, 1195)->currentText(), QStringLiteral("0.25"));
    QCOMPARE(Edit(p3, 1037)->text(), QStringLiteral("10"));
    QCOMPARE(Edit(p3, 1193)->text(), QStringLiteral("15"));
    QCOMPARE(Edit(p3, 1194)->text(), QStringLiteral("1.1"));
    QCOMPARE(Combo(p4, 1163)->currentText(), QStringLiteral("현대 HGM"));
    QCOMPARE(Combo(p4, 1164)->currentText(), QStringLiteral("1.5"));
    QCOMPARE(Combo(p4, 1165)->currentText(), QStringLiteral("0.04"));
    QCOMPARE(Edit(p4, 1008)->text(), QStringLiteral("1.25"));
    // Derived on the load, without "계산": 2.5 + 3 = 5.5 and 2.5 + 5 = 7.5, "%.0f".
    QCOMPARE(Edit(p2, 1189)->text(), QStringLiteral("6"));
    QCOMPARE(Edit(p2, 1190)->text(), QStringLiteral("8"));
    // 50 degC in air: the fixture's TDF factor 0.82 beside "기중".
    QCOMPARE(Edit(p1, 1180)->text(), QStringLiteral("0.82"));
}

void TestDesignPages::storedIndexOutsideListShowsAndUsesFirstOption()
{
    CSevrinApp::MotorControlCenterBlockT& m = theApp.MotorControlCenterBlock;
    m.MccConditionIndex.fill(99);
    m.MccStartMultipleIndex() = -1;
    CSevrinApp::CabinetSizingBlockT& b = theApp.CabinetSizingBlock;
    b.InstallConditionIndex.fill(-1);
    b.ConductorCriteriaIndex.fill(10);
    b.MotorStartCriteriaIndex = 5;
    b.BreakerCriteriaIndex.fill(50);

    m_mcc->ApplyMccDesignConditions(0, true);
    ApplyPanelBoardDesignConditions(theApp);
    m_boards->RefreshPanelBoardPages(0);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(m_mcc->DesignPage()->ConditionCombo(i)->currentIndex(), 0);
    for (QComboBox* c : {Combo(m_boards->InstallationPage(), 1105), Combo(m_boards->InstallationPage(), 1113),
                         Combo(m_boards->ConductorPage(), 1181), Combo(m_boards->ConductorPage(), 1182),
                         Combo(m_boards->ConductorPage(), 1183), Combo(m_boards->MotorStartPage(), 1195),
                         Combo(m_boards->BreakerPage(), 1163), Combo(m_boards->BreakerPage(), 1165)})
        QCOMPARE(c->currentIndex(), 0);

    // The motor tables were computed with beta 4.0 and k 1.3: 7.5 kW DOL, IB 14.90 A,
    // IMS = 14.90 x 4.0 = 59.6 -> 60, II = 59.6 x 1.3 = 77.5 -> 77.
    std::array<QString, 19> motor;
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), motor));
    QCOMPARE(motor[8], QStringLiteral("4.0"));
    QCOMPARE(motor[12], QStringLiteral("60"));
    QCOMPARE(motor[13], QStringLiteral("77"));
    // The library's 16 mm2 threshold, not a read past the size list.
    QCOMPARE(theApp.CableLibBlock.AmpacityMultiCoreThreshold.Value, QStringLiteral("16"));

    // Stored back, the screens hold option 0.
    Click(m_mcc.get(), QStringLiteral("계산"));
    QCOMPARE(m.MccStartMultipleIndex(), 0);
    QCOMPARE(m.MccStartTimeIndex(4), 0);
}

void TestDesignPages::missingKeysGiveFirstOptionAndZeroText()
{
    theApp.MotorControlCenterBlock.MccConditionIndex.fill(3);
    theApp.MotorControlCenterBlock.MccCtFactor() = QStringLiteral("1.5");
    theApp.CabinetSizingBlock.InstallConditionIndex.fill(3);
    theApp.CabinetSizingBlock.FeederDropPct() = QStringLiteral("3");
    NewProjectFile("[Motor_Control_Center]\nIDC_PRO_1_1_COMBO2=2\n[Cabinet_Sizing]\n"
                   "IDC_PRO_2_3_COMBO2=1\n");
    QVERIFY(theApp.LoadProjectFile(m_project));
    ApplyProjectDesignConditions(theApp);
    m_mcc->ApplyMccDesignConditions(0, true);
    m_boards->RefreshPanelBoardPages(0);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(m_mcc->DesignPage()->ConditionCombo(i)->currentIndex(), i == 1 ? 2 : 0);
    // The project file's default for a missing edit is the text "0".
    QCOMPARE(m_mcc->DesignPage()->TapEdit()->text(), QStringLiteral("0"));
    QCOMPARE(m_mcc->DesignPage()->CtFactorEdit()->text(), QStringLiteral("0"));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_boards->InstallationPage()->ConditionCombo(i)->currentIndex(), i == 1 ? 1 : 0);
    for (int id : {1184, 1185, 1186, 1187, 1188, 1191, 1192})
        QCOMPARE(Edit(m_boards->ConductorPage(), id)->text(), QStringLiteral("0"));
    QCOMPARE(Edit(m_boards->BreakerPage(), 1008)->text(), QStringLiteral("0"));
    QCOMPARE(m_boards->BoardPage()->DemandFactorEdit()->text(), QStringLiteral("0"));
}

void TestDesignPages::mccPageButtons_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("page");
    // enabled: 설계조건, 계산서, 이전, 다음
    QTest::addColumn<QList<bool>>("enabled");
    const QList<bool> onDesign{false, true, false, true};
    const QList<bool> onSheet{true, false, true, false};
    QTest::newRow("start") << QStringList{} << 0 << onDesign;
    QTest::newRow("next") << QStringList{"다음"} << 1 << onSheet;
    QTest::newRow("next on the sheet") << QStringList{"다음", "다음"} << 1 << onSheet;
    QTest::newRow("previous on the design page") << QStringList{"이전"} << 0 << onDesign;
    QTest::newRow("sheet") << QStringList{"계산서"} << 1 << onSheet;
    QTest::newRow("sheet, design") << QStringList{"계산서", "설계조건"} << 0 << onDesign;
    QTest::newRow("next, previous") << QStringList{"다음", "이전"} << 0 << onDesign;
}

void TestDesignPages::mccPageButtons()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, page);
    QFETCH(QList<bool>, enabled);
    m_mcc->show();
    for (const QString& c : clicks)
        Click(m_mcc.get(), c);
    QCOMPARE(m_mcc->MccPageIndex(), page);
    QCOMPARE(m_mcc->DesignPage()->isVisible(), page == 0);
    QCOMPARE(m_mcc->LoadPage()->isVisible(), page == 1);
    const QStringList captions{"설계조건", "계산서", "이전", "다음"};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(Button(m_mcc.get(), captions[i])->isEnabled() == enabled[i], qPrintable(captions[i]));
}

void TestDesignPages::panelBoardPageButtons_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<bool>>("enabled");  // 설계조건, 계산서, 이전, 다음
    const QList<bool> first{false, true, false, true};
    const QList<bool> middle{false, true, true, true};
    const QList<bool> sheet{true, false, true, false};
    const QString next = QStringLiteral("다음");
    QTest::newRow("start") << QStringList{} << 0 << first;
    QTest::newRow("page 2") << QStringList{next} << 1 << middle;
    QTest::newRow("page 4") << QStringList{next, next, next} << 3 << middle;
    QTest::newRow("sheet by next") << QStringList{next, next, next, next} << 4 << sheet;
    QTest::newRow("next on the sheet") << QStringList{next, next, next, next, next} << 4 << sheet;
    QTest::newRow("previous on page 1") << QStringList{"이전"} << 0 << first;
    QTest::newRow("sheet button") << QStringList{"계산서"} << 4 << sheet;
    QTest::newRow("sheet, previous") << QStringList{"계산서", "이전"} << 3 << middle;
    QTest::newRow("sheet, design") << QStringList{"계산서", "설계조건"} << 0 << first;
}

void TestDesignPages::panelBoardPageButtons()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, page);
    QFETCH(QList<bool>, enabled);
    m_boards->show();
    for (const QString& c : clicks)
        Click(m_boards.get(), c);
    QCOMPARE(m_boards->PanelBoardPageIndex(), page);
    const QWidget* pages[5] = {m_boards->InstallationPage(), m_boards->ConductorPage(),
                               m_boards->MotorStartPage(), m_boards->BreakerPage(),
                               m_boards->BoardPage()};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(pages[i]->isVisible(), i == page);
    const QStringList captions{"설계조건", "계산서", "이전", "다음"};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(Button(m_boards.get(), captions[i])->isEnabled() == enabled[i], qPrintable(captions[i]));
}

void TestDesignPages::pageIndexOutsideRangeShowsNoPage()
{
    m_mcc->show();
    m_boards->show();
    m_mcc->SetMccPageIndex(2);
    m_mcc->ShowMccPage(2);
    QVERIFY(!m_mcc->DesignPage()->isVisible() && !m_mcc->LoadPage()->isVisible());
    m_boards->SetPanelBoardPageIndex(5);
    m_boards->ShowPanelBoardPage(5);
    QVERIFY(!m_boards->InstallationPage()->isVisible() && !m_boards->BoardPage()->isVisible());
    // Both page buttons stay usable to get back.
    QVERIFY(Button(m_boards.get(), QStringLiteral("이전"))->isEnabled());
    QVERIFY(Button(m_boards.get(), QStringLiteral("설계조건"))->isEnabled());
    Click(m_boards.get(), QStringLiteral("설계조건"));
    QVERIFY(m_boards->InstallationPage()->isVisible());
}

void TestDesignPages::calcWithNewBetaChangesMotorData()
{
    // 7.5 kW DOL, eta 0.9, cos 0.85 (fixture): IB = 7.5 / (sqrt 3 x 0.38 x 0.9 x 0.85) = 14.896 A.
    struct Step
    {
        int beta;
        const char* ims;  // IB x beta x C(DOL = 1)
    };
    const Step steps[] = {{4, "89"}, {26, "149"}, {0, "60"}};  // beta 6.0, 10.0, 4.0
    CMccConditionsPage* page = m_mcc->DesignPage();
    page->TapEdit()->setText(QStringLiteral("0.5"));
    for (const Step& s : steps) {
        page->ConditionCombo(0)->setCurrentIndex(s.beta);
        std::array<QString, 19> before;
        QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), before));
        Click(m_mcc.get(), QStringLiteral("계산"));
        std::array<QString, 19> after;
        QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), after));
        QCOMPARE(after[12], QString::fromLatin1(s.ims));
        QVERIFY(after[12] != before[12]);
    }
    // "계산" stored the conditions and copied the tap into the reactor coefficient.
    QCOMPARE(theApp.MotorControlCenterBlock.MccStartMultipleIndex(), 0);
    QCOMPARE(theApp.MotorControlCenterBlock.MccReactorCoefficient(), QStringLiteral("0.5"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestDesignPages::panelBoardCalcShowsFactorsAndTotals()
{
    // 30 degC in air (fixture TDF 1.00), two tiers (nine-circuit factor 1 - 0.40 - 0.01 = 0.59).
    CBoardInstallationPage* p1 = m_boards->InstallationPage();
    CBoardConductorPage* p2 = m_boards->ConductorPage();
    Combo(p1, 1105)->setCurrentIndex(2);
    Combo(p1, 1108)->setCurrentIndex(1);
    QCOMPARE(Combo(p1, 1105)->currentText(), QStringLiteral("30℃"));
    QCOMPARE(Combo(p1, 1108)->currentText(), QStringLiteral("2"));
    struct Case
    {
        const char* feeder;
        const char* branch;
        const char* total;
    };
    const Case cases[] = {{"3", "3", "6"}, {"2.5", "3", "6"}, {"2", "2.4", "4"}};
    for (const Case& c : cases) {
        Edit(p2, 1186)->setText(QString::fromLatin1(c.feeder));
        Edit(p2, 1187)->setText(QString::fromLatin1(c.branch));
        Click(m_boards.get(), QStringLiteral("계산"));
        QCOMPARE(Edit(p2, 1189)->text(), QString::fromLatin1(c.total));
    }
    QCOMPARE(Edit(p1, 1180)->text(), QStringLiteral("1.00"));
    QCOMPARE(Edit(p1, 1182)->text(), QStringLiteral("0.59"));
    QCOMPARE(Edit(p1, 1185)->text(), QStringLiteral("1.00"));  // A1,2: the air factor's text
    QCOMPARE(Edit(p1, 1186)->text(), QStringLiteral("1.00"));  // B1,2
    QCOMPARE(Edit(p1, 1188)->text(), QStringLiteral("0.59"));  // E, F: 1.00 x 0.59
    // The reference tables follow: 25 mm2 three-phase method E (single-core from 16 mm2),
    // 100 + 10 x 6 + 3 = 163 A x 0.59 = 96.17 A.
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 96.17);
    QVERIFY(m_prompt->messages.isEmpty());
}

// A new board is stored with the demand factor the sheet shows when it is added (the
// project's 100 % of the template): selecting it shows that figure again and "계산" uses it.
// By hand: ten 56 W lamps on one phase, 560 VA at 100 % -> 0.56 kVA of demand.
void TestDesignPages::boardDemandFactorSurvivesAddSelectAndCalc()
{
    using V = CBoardSheetPage;
    // The project's panel-board workbook, for this case only.
    const auto dropWorkbooks = [this] {
        for (const QString& f : QDir(m_dir.path()).entryList({QStringLiteral("P-14_*.xlsx")}))
            QFile::remove(m_dir.filePath(f));
    };
    dropWorkbooks();
    theApp.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    const std::unique_ptr<void, std::function<void(void*)>> restore(this, [dropWorkbooks](void*) {
        theApp.ProjectPathTable.CompanionSuffixTable = {};
        dropWorkbooks();
    });
    theApp.CabinetSizingBlock.DemandFactorPct() = QStringLiteral("100");
    m_boards->RefreshPanelBoardPages(0);
    Click(m_boards.get(), QStringLiteral("계산서"));
    CBoardSheetPage* sheet = m_boards->BoardPage();
    QVERIFY(sheet->isVisibleTo(m_boards.get()));
    QCOMPARE(sheet->DemandFactorEdit()->text(), QStringLiteral("100"));

    sheet->Control<QLineEdit>(V::IdBoardName)->setText(QStringLiteral("LN-1"));
    sheet->Control<QPushButton>(V::IdAddBoard)->click();
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    QCOMPARE(sheet->BoardList()->rows()->rowCount(), 1);
    QCOMPARE(sheet->BoardList()->rows()->text(0, 8), QStringLiteral("100"));
    QVERIFY(theApp.ReadPanelBoardSheet(0));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[8], QStringLiteral("100"));

    // Another board's figure in the field, then LN-1 selected: its own 100 comes back.
    sheet->DemandFactorEdit()->setText(QStringLiteral("55"));
    sheet->BoardList()->setSelectionMark(0);
    sheet->OnClickPanelBoardList();
    QCOMPARE(sheet->DemandFactorEdit()->text(), QStringLiteral("100"));
    sheet->Control<QPushButton>(V::IdAddCircuit)->click();  // the sheet's default lamps
    QCOMPARE(sheet->CircuitList()->rows()->rowCount(), 1);
    m_prompt->messages.clear();
    Click(m_boards.get(), QStringLiteral("계산"));
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    QCOMPARE(sheet->TotalText(3), QStringLiteral("560.00"));
    QCOMPARE(sheet->TotalText(11), QStringLiteral("0.56"));
    QCOMPARE(sheet->DemandFactorEdit()->text(), QStringLiteral("100"));
    QVERIFY(theApp.ReadPanelBoardSheet(0));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[8], QStringLiteral("100"));

    // A board added while the field is empty stores no demand factor.
    sheet->DemandFactorEdit()->clear();
    sheet->Control<QLineEdit>(V::IdBoardName)->setText(QStringLiteral("LN-2"));
    sheet->Control<QPushButton>(V::IdAddBoard)->click();
    QCOMPARE(sheet->BoardList()->rows()->text(1, 8), QString());
    QVERIFY(theApp.ReadPanelBoardSheet(1));
    QCOMPARE(theApp.CabinetSizingBlock.PanelBoardRecord()[8], QString());
}

void TestDesignPages::thresholdComboDrivesItsCopy()
{
    CBoardConductorPage* p2 = m_boards->ConductorPage();
    QVERIFY(!Combo(p2, 1182)->isEnabled());
    Combo(p2, 1181)->setCurrentIndex(Combo(p2, 1181)->findText(QStringLiteral("70")));
    QCOMPARE(Combo(p2, 1182)->currentText(), QStringLiteral("70"));
    Click(m_boards.get(), QStringLiteral("저장하기"));
    const KeyValues kv = SectionLines(m_project, QStringLiteral("Cabinet_Sizing"));
    QVERIFY(kv.contains({QStringLiteral("IDC_PRO_2_4_COMBO1"), QStringLiteral("4")}));
    QVERIFY(kv.contains({QStringLiteral("IDC_PRO_2_4_COMBO2"), QStringLiteral("4")}));
}

void TestDesignPages::failedSaveNamesTheFile_data()
{
    QTest::addColumn<bool>("mcc");
    QTest::newRow("motor control centre") << true;
    QTest::newRow("panel boards") << false;
}

void TestDesignPages::failedSaveNamesTheFile()
{
    QFETCH(bool, mcc);
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/P-14.pro"));
    theApp.ProjectPathTable.CurrentProjectPath = path;
    Click(mcc ? static_cast<QWidget*>(m_mcc.get()) : m_boards.get(), QStringLiteral("저장하기"));
    QCOMPARE(m_prompt->messages,
             QStringList{QStringLiteral("프로젝트 파일을 저장하지 못했습니다.\n") + path});
    QVERIFY(!QFile::exists(path));
}

void TestDesignPages::outputChoosesCoverAndOwnReport()
{
    const std::array<uint8_t, 9> mcc =
        ReportChoicesWhenOpened([this] { Click(m_mcc.get(), QStringLiteral("출력하기")); });
    QVERIFY((mcc == std::array<uint8_t, 9>{1, 1, 0, 0, 0, 0, 0, 0, 0}));
    const std::array<uint8_t, 9> boards =
        ReportChoicesWhenOpened([this] { Click(m_boards.get(), QStringLiteral("출력하기")); });
    QVERIFY((boards == std::array<uint8_t, 9>{1, 0, 1, 0, 0, 0, 0, 0, 0}));
}

void TestDesignPages::reportCallsFromWorkerThread()
{
    // The report worker's sequence for the first panel and board, run off the GUI thread.
    m_mcc->DesignPage()->ConditionCombo(0)->setCurrentIndex(4);  // beta 6.0
    Combo(m_boards->InstallationPage(), 1105)->setCurrentIndex(6);  // 50 degC
    std::atomic<bool> done{false};
    QString beta, airFactor;
    bool onGuiThread = true;
    QThread* worker = QThread::create([&] {
        onGuiThread = QThread::currentThread() == qApp->thread();
        m_mcc->SetMccPageIndex(1);
        m_mcc->ShowMccPage(1);
        m_mcc->StoreMccDesignConditions();
        m_mcc->SetReactorCoefficient();
        m_mcc->ApplyMccDesignConditions(0, false);
        beta = m_mcc->DesignControlText(1426);
        m_boards->SetPanelBoardPageIndex(4);
        m_boards->ShowPanelBoardPage(4);
        m_boards->StorePanelBoardDesignConditions();
        m_boards->ApplyPanelBoardDesignConditions();
        m_boards->RefreshPanelBoardPages(0);
        airFactor = m_boards->DesignControlText(0, 1180);
        done = true;
    });
    worker->start();
    QVERIFY(QTest::qWaitFor([&done] { return done.load(); }, kPatienceMs));
    worker->wait();
    delete worker;
    QVERIFY(!onGuiThread);
    QCOMPARE(beta, QStringLiteral("6.0"));
    QCOMPARE(airFactor, QStringLiteral("0.82"));
    QCOMPARE(theApp.MotorControlCenterBlock.MccStartMultipleIndex(), 4);
    QVERIFY(m_mcc->LoadPage()->isVisibleTo(m_mcc.get()));
    QVERIFY(m_boards->BoardPage()->isVisibleTo(m_boards.get()));
    std::array<QString, 19> motor;
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), motor));
    QCOMPARE(motor[12], QStringLiteral("89"));
}

void TestDesignPages::switchgearButtonsKeepNothing()
{
    const QByteArray before = ReadFile(m_project);
    {
        CSwitchgearScreen gear;
        gear.OnInitialUpdate();
        QCOMPARE(TheScreen<CSwitchgearScreen>(), &gear);
        auto* name = gear.findChild<QLineEdit*>();
        QVERIFY(name);
        name->setText(QStringLiteral("MAIN SWGR"));
        for (const char* caption : {"저장하기", "출력하기", "수배전반 불러오기", "추가", "수정", "삭제"})
            Click(&gear, QString::fromUtf8(caption));
        QVERIFY(m_prompt->messages.isEmpty());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!w->isVisible() || !qobject_cast<QDialog*>(w));
    }
    QVERIFY(theApp.ScreenView(Screen::Switchgear) == nullptr);
    QCOMPARE(ReadFile(m_project), before);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("P-14_70.xlsx"))));
    // A new screen starts empty: the name typed before is gone.
    CSwitchgearScreen again;
    QCOMPARE(again.findChild<QLineEdit*>()->text(), QString());
}

void TestDesignPages::enterAndEscapeNeverReachThePages()
{
    m_mcc->show();
    m_boards->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_mcc.get()));
    QLineEdit* targets[] = {m_mcc->DesignPage()->TapEdit(), Edit(m_boards->InstallationPage(), 1180),
                            Edit(m_boards->ConductorPage(), 1186), Edit(m_boards->MotorStartPage(), 1037),
                            Edit(m_boards->BreakerPage(), 1008), m_boards->BoardPage()->DemandFactorEdit()};
    for (QLineEdit* e : targets) {
        QVERIFY(e);
        const KeysReached reached = ClickEnterEscapeAndALetter(e);
        QCOMPARE(reached.enterOrEscape, 0);
        QCOMPARE(reached.other, 1);
    }
}

QTEST_MAIN(TestDesignPages)
#include "tst_designpages.moc"
