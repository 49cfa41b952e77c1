// The grounding screen driven through its controls: page navigation, no recomputation on a
// page change, the summary page and its modeless dialog, saving and reloading every key, the
// final-size choice, and the report writer's call from another thread.
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "grounding/groundingfixture.h"
#include "grounding/groundingscreenfixture.h"
#include "grounding/gui/groundingsummarydlg.h"
#include "grounding/gui/groundingscreen.h"
#include "grounding/gui/groundconductorpage.h"
#include "grounding/gui/gridresistancepage.h"
#include "grounding/gui/layeredsoilpage.h"
#include "grounding/gui/groundingsummarypage.h"
#include "grounding/gui/groundinginputpage.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "grounding/gui/steptouchpage.h"
#include "platform/profile.h"
#include "platform/xlsxbook.h"
#include "report/gui/groundingreport.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>

namespace {

// Counts the Enter and Escape presses that reach the object it watches.
class KeySpy : public QObject
{
public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            keys += key == Qt::Key_Return || key == Qt::Key_Escape;
        }
        return false;
    }
};

QString Key(const char* page, int i)
{
    const QString index = i <= 9 ? QString::number(i) : QString(QChar(u'A' + (i - 10)));
    return QStringLiteral("IDC_PRO_9_%1_EDIT").arg(QLatin1String(page)) + index;
}

}  // namespace

class TestGroundingScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void navigation_data();
    void navigation();
    void pageChangeStoresWithoutRecomputing();
    void summaryPageAndDialogAgree();
    void finalSizeChoiceStaysUntilTheStandardSizeChanges();
    void saveThenReloadEveryKey();
    void failedSaveNamesTheFile();
    void reportCallFromAnotherThread();
    void everyEntryRecomputesAndALoadOnlyShows();
    void enterAndEscapeOnThePages();
    void inputChecksNameTheField_data();
    void inputChecksNameTheField();
    void fewConductorsOnThePagesAndTheReport();

private:
    void TypeWorkedExample();
    void Click(int id) { ClickButton(m_view.get(), id); }
    QString Shown(CGroundingPage* page, int id) const { return page->Text(id); }

    QTemporaryDir m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CGroundingScreen> m_view;
};

void TestGroundingScreen::initTestCase()
{
    QVERIFY(m_dir.isValid());
    FillGroundingFixtureLibrary(theApp.GroundingLibBlock);
}

void TestGroundingScreen::init()
{
    theApp.GroundingDesignBlock = CSevrinApp::GroundingDesignBlockT{};
    m_prompt = RecordingPrompt::Install();
    m_view = std::make_unique<CGroundingScreen>();
    m_view->OnInitialUpdate();
    m_view->resize(m_view->FormSize());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestGroundingScreen::cleanup()
{
    m_view.reset();
    theApp.SetScreen(Screen::Grounding, nullptr);
}

void TestGroundingScreen::TypeWorkedExample()
{
    CSevrinApp::GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    TypeGroundingInputs(*m_view, b);
}

// Buttons pressed from the design-inputs page, and the page that is then shown: its index,
// the one page button disabled, and whether "이전" and "다음" are enabled.
void TestGroundingScreen::navigation_data()
{
    AddPageButtonsColumns();
    QTest::newRow("start") << QList<int>{} << 0 << 1117 << false << true;
    QTest::newRow("이전 on the first page does nothing") << QList<int>{1107} << 0 << 1117 << false << true;
    QTest::newRow("접지굵기") << QList<int>{1108} << 1 << 1108 << true << true;
    QTest::newRow("접지저항") << QList<int>{1109} << 2 << 1109 << true << true;
    QTest::newRow("안전전압") << QList<int>{1112} << 3 << 1112 << true << true;
    QTest::newRow("다음 from 안전전압 reaches page 4") << QList<int>{1112, 1106} << 4 << 1112 << true << true;
    QTest::newRow("이전 from 평균대지저항률 reaches page 4") << QList<int>{1115, 1107} << 4 << 1112 << true << true;
    QTest::newRow("평균대지저항률") << QList<int>{1115} << 5 << 1115 << true << true;
    QTest::newRow("종합표") << QList<int>{1116} << 6 << 1116 << true << false;
    QTest::newRow("다음 on the summary page does nothing") << QList<int>{1116, 1106} << 6 << 1116 << true << false;
    QTest::newRow("다음 six times") << QList<int>{1106, 1106, 1106, 1106, 1106, 1106} << 6 << 1116 << true << false;
    QTest::newRow("back to 설계조건") << QList<int>{1109, 1117} << 0 << 1117 << false << true;
}

void TestGroundingScreen::navigation()
{
    const PageButtonsRow row = FetchPageButtonsRow();
    for (int id : row.clicks)
        Click(id);
    QCOMPARE(m_view->PageIndex(), row.page);
    QCOMPARE(m_view->PageShown(), m_view->Page(row.page));
    for (int index = 0; index <= 6; ++index)
        QCOMPARE(m_view->Page(index)->isHidden(), index != row.page);
    QVERIFY(m_view->LayerPage()->isHidden());
    CheckPageButtons(m_view.get(), {1117, 1108, 1109, 1112, 1115, 1116, 1113}, row, 1107, 1106);
    QVERIFY(m_view->Control<QPushButton>(1113)->isHidden());
}

void TestGroundingScreen::pageChangeStoresWithoutRecomputing()
{
    TypeWorkedExample();
    Click(1111);
    CGridResistancePage* resistance = m_view->ResistancePage();
    const QString r1 = Shown(resistance, 1230);
    const QString na = Shown(m_view->DesignPage(), 1490);
    QCOMPARE(Shown(resistance, 1215), QStringLiteral("1540"));
    QCOMPARE(na, QStringLiteral("11.0000"));

    // A new Lc goes beside the old results on a page change ...
    m_view->DesignPage()->Box(1473)->setText(QStringLiteral("1200"));
    Click(1109);
    QCOMPARE(Shown(resistance, 1215), QStringLiteral("1200"));
    QCOMPARE(Shown(resistance, 1230), r1);
    QCOMPARE(Shown(m_view->DesignPage(), 1490), na);

    // ... and "계산" recomputes in place, on the same page.
    Click(1111);
    QCOMPARE(m_view->PageIndex(), 2);
    QVERIFY(Shown(resistance, 1230) != r1);
    QCOMPARE(Shown(m_view->DesignPage(), 1490), QStringLiteral("8.5714"));  // 2·1200/280
}

void TestGroundingScreen::summaryPageAndDialogAgree()
{
    CGroundingSummaryPage* summary = m_view->SummaryPage();
    CGroundingSummaryDlg* dialog = summary->SummaryDialog();
    QVERIFY(dialog);
    RowListModel* page = summary->List()->rows();
    RowListModel* window = dialog->List()->rows();
    QCOMPARE(page->rowCount(), 34);
    QCOMPARE(window->rowCount(), 34);
    for (int row = 0; row < 34; ++row) {
        const QString before = (row == 7 || row == 14) ? QStringLiteral("1") : QString();
        QCOMPARE(page->text(row, 2), before);
        QCOMPARE(window->text(row, 2), before);
        for (int column : {0, 1, 3})
            QCOMPARE(window->text(row, column), page->text(row, column));
    }

    TypeWorkedExample();
    Click(1111);
    QVERIFY(!dialog->isVisible());
    for (int row = 0; row < 34; ++row)
        QCOMPARE(window->text(row, 2), page->text(row, 2));
    QCOMPARE(page->text(18, 0), QStringLiteral("KII"));
    QCOMPARE(page->text(18, 2), QStringLiteral("1.0000"));
    QCOMPARE(page->text(1, 2), QStringLiteral("3180"));
    QCOMPARE(page->text(2, 2), QStringLiteral("1908"));
    QCOMPARE(page->text(21, 2), QStringLiteral("280"));
    QCOMPARE(page->text(27, 2), QStringLiteral("연동선"));

    // A new material on the inputs page shows its name in row 27 at once.
    m_view->DesignPage()->Combo(1459)->setCurrentIndex(1);
    Click(1111);
    QCOMPARE(page->text(27, 2), QStringLiteral("경동선"));
    QCOMPARE(window->text(27, 2), QStringLiteral("경동선"));
    QCOMPARE(m_view->ConductorPage()->MaterialCombo()->currentText(), QStringLiteral("경동선"));

    // "다른창으로 열기" shows one and the same window, however often it is pressed.
    Click(1116);
    for (int i = 0; i < 3; ++i)
        summary->findChild<QPushButton*>(QStringLiteral("1008"))->click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(summary->SummaryDialog(), dialog);
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        dialogs += qobject_cast<CGroundingSummaryDlg*>(w) != nullptr;
    QCOMPARE(dialogs, 1);
    dialog->reject();  // closing only hides it
    QVERIFY(!dialog->isVisible());
    QCOMPARE(summary->SummaryDialog(), dialog);
}

void TestGroundingScreen::finalSizeChoiceStaysUntilTheStandardSizeChanges()
{
    TypeWorkedExample();
    Click(1111);  // first display: 1036 was empty, the loaded 50 mm² stays
    CGroundConductorPage* conductor = m_view->ConductorPage();
    QCOMPARE(Shown(conductor, 1036), QStringLiteral("10"));
    QCOMPARE(conductor->FinalSizeCombo()->currentText(), QStringLiteral("50"));
    QCOMPARE(Shown(m_view->ResistancePage(), 1039), QStringLiteral("0.0090"));

    conductor->FinalSizeCombo()->setCurrentIndex(2);  // 6 mm², below the standard size
    Click(1111);
    QCOMPARE(conductor->FinalSizeCombo()->currentText(), QStringLiteral("6"));
    QCOMPARE(Shown(m_view->ResistancePage(), 1039), QStringLiteral("0.0051"));

    m_view->DesignPage()->Box(1461)->setText(QStringLiteral("25"));  // A = 62 mm²: 70 mm²
    Click(1111);
    QCOMPARE(Shown(conductor, 1036), QStringLiteral("70"));
    QCOMPARE(conductor->FinalSizeCombo()->currentText(), QStringLiteral("70"));
    // The diameter, Km and the summary all use the size shown.
    QCOMPARE(Shown(m_view->ResistancePage(), 1039), QStringLiteral("0.0107"));
    QCOMPARE(m_view->SummaryPage()->List()->rows()->text(11, 2), QStringLiteral("0.0107"));
}

// A project file that cannot be written (a folder in its place, which stops root too) is
// named, and "저장하기" never says it saved.
void TestGroundingScreen::failedSaveNamesTheFile()
{
    const QString project = m_dir.filePath(QStringLiteral("G-folder.pro"));
    QVERIFY(QDir().mkdir(project));
    theApp.ProjectPathTable.CurrentProjectPath = project;
    TypeWorkedExample();  // inputs the save accepts
    Click(1057);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로젝트 파일을 저장하지 못했습니다.\n") + project});
    QVERIFY(QFileInfo(project).isDir());
}

void TestGroundingScreen::saveThenReloadEveryKey()
{
    const QString project = m_dir.filePath(QStringLiteral("G2.pro"));
    QVERIFY(QFile::copy(ProgramDir() + QStringLiteral("/FORM/form.pro"), project));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    theApp.ProjectPathTable.CurrentProjectPath = project;

    // Distinct texts for the 28 inputs, kept exactly as typed (a trailing zero stays).
    QStringList typed;
    for (int i = 0; i < 28; ++i)
        typed.append(QStringLiteral("%1.50").arg(i + 1));
    typed[6] = QStringLiteral("14Φ×1.2M");
    CGroundingInputPage* design = m_view->DesignPage();
    for (int i = 0; i < 28; ++i)
        design->Box(1461 + i)->setText(typed[i]);
    const int combos[3] = {2, 5, 3};
    for (int i = 0; i < 3; ++i)
        design->Combo(1458 + i)->setCurrentIndex(combos[i]);
    Click(1111);
    m_view->ConductorPage()->FinalSizeCombo()->setCurrentIndex(9);
    Click(1057);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("설계조건을 저장 하였습니다.")});
    QCOMPARE(m_prompt->messageIcons, QList<Prompt::Icon>{Prompt::Icon::Information});
    QCOMPARE(m_prompt->messageButtons, QList<Prompt::Buttons>{Prompt::Buttons::Ok});

    const QString section = QStringLiteral("Grounding_Design");
    auto stored = [&](const QString& key) { return GetProfileString(project, section, key, QStringLiteral("<none>")); };
    for (int i = 0; i < 28; ++i)
        QCOMPARE(stored(Key("9", i + 1)), typed[i]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(stored(QStringLiteral("IDC_PRO_9_9_COMBO%1").arg(i + 1)), QString::number(combos[i]));
    QCOMPARE(stored(QStringLiteral("IDC_PRO_9_1_COMBO1")), QStringLiteral("5"));
    QCOMPARE(stored(QStringLiteral("IDC_PRO_9_1_COMBO2")), QStringLiteral("9"));
    // The conductor page's copies: I, tC, α, Tm, Ta, h, Lx, Ly, rod, rod length, Lc, N, name.
    const int copies[12] = {0, 1, 2, 3, 4, 5, 14, 15, 6, 7, 12, 8};
    for (int i = 0; i < 12; ++i)
        QCOMPARE(stored(Key("1", i + 1)), typed[copies[i]]);
    QCOMPARE(stored(Key("1", 13)), QStringLiteral("내식 알루미늄 #6201"));
    QCOMPARE(stored(QStringLiteral("IDC_PRO_9_3_COMBO1")), QStringLiteral("3"));
    const int safety[4] = {9, 10, 11, 16};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(stored(Key("3", i + 1)), typed[safety[i]]);

    // Reload into cleared inputs (the results of the run stay, as they do between projects) and
    // show: every input comes back as typed.
    auto& b = theApp.GroundingDesignBlock;
    b.GroundingConditionIndex = {};
    b.GroundingConditionInput.fill(QString());
    b.ConductorSizeIndex = {};
    b.ConductorSizeInput.fill(QString());
    b.SafetyVoltageInput.fill(QString());
    for (int i = 0; i < 28; ++i)
        design->Box(1461 + i)->clear();
    QVERIFY(theApp.LoadProjectFile(project));
    m_view->ShowGroundingFields();
    for (int i = 0; i < 28; ++i)
        QCOMPARE(design->Text(1461 + i), typed[i]);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(design->Combo(1458 + i)->currentIndex(), combos[i]);
    QCOMPARE(m_view->ConductorPage()->FinalSizeCombo()->currentIndex(), 9);
    QCOMPARE(m_view->ConductorPage()->MaterialCombo()->currentIndex(), 5);
    QCOMPARE(theApp.GroundingDesignBlock.ConductorSizeInput[12], QStringLiteral("내식 알루미늄 #6201"));
    QCOMPARE(theApp.GroundingDesignBlock.SafetyVoltageInput[2], typed[11]);
}

void TestGroundingScreen::reportCallFromAnotherThread()
{
    TypeWorkedExample();
    std::atomic<bool> done{false};
    GroundingReportTexts texts;
    QThread* worker = QThread::create([&] {
        texts = RecalcGroundingForReport();
        done = true;
    });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), kPatienceMs);
    worker->wait();
    delete worker;

    QVERIFY(texts.available);
    QCOMPARE(texts.summary, m_view->SummaryPage()->SummaryValues());
    QCOMPARE(texts.summary.size(), 34);
    const auto& b = theApp.GroundingDesignBlock;
    QCOMPARE(texts.Text(92, 1035), b.ResistanceResults[6]);
    QCOMPARE(texts.Text(95, 1059), b.VoltageResults[1]);
    QCOMPARE(texts.Text(95, 1061), b.VoltageResults[3]);
    QCOMPARE(texts.Text(91, 1222), QStringLiteral("연동선"));
    QCOMPARE(texts.Text(93, 1122), QStringLiteral("정사각형"));
    QCOMPARE(texts.Text(97, 1257), QStringLiteral("400.00"));

    m_view.reset();
    theApp.SetScreen(Screen::Grounding, nullptr);
    QVERIFY(!RecalcGroundingForReport().available);
}

// The screen and the result pages discard Enter and Escape; the design-inputs page and the
// summary page let them through.
void TestGroundingScreen::enterAndEscapeOnThePages()
{
    struct Case
    {
        int button;
        CGroundingPage* page;
        bool passes;
    };
    const Case cases[] = {{1117, m_view->DesignPage(), true},
                          {1109, m_view->ResistancePage(), false},
                          {1116, m_view->SummaryPage(), true}};
    for (const Case& c : cases) {
        Click(c.button);
        QWidget* target = c.page->findChildren<QWidget*>().value(0);
        QVERIFY(target);
        KeySpy spy;
        target->installEventFilter(&spy);
        QTest::keyClick(target, Qt::Key_Escape);
        QTest::keyClick(target, Qt::Key_Return);
        target->removeEventFilter(&spy);
        QCOMPARE(spy.keys, c.passes ? 2 : 0);
    }
}

// Through the program's own screen switching: a project load fills the pages without
// computing; every entry to the screen stores, computes and shows.
void TestGroundingScreen::everyEntryRecomputesAndALoadOnlyShows()
{
    m_view.reset();
    theApp.SetScreen(Screen::Grounding, nullptr);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    const QString root = dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/LIB")));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/PRO")));
    for (const char* lib : {"/LIB/lib_v3p4.xlsx", "/LIB/breaker_v3p4.xlsx"})
        QVERIFY(QFile::copy(ProgramDir() + QLatin1String(lib), root + QLatin1String(lib)));
    const QString project = root + QStringLiteral("/PRO/G1.pro");
    QVERIFY(QFile::copy(TestDataDir() + QStringLiteral("/grounding/golden/G1.pro"), project));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("ORVA.ini")),
                      "[SYSTEM]\nPath=" + root.toUtf8() + "\nlastPro=" + project.toUtf8() + "\n"));
    const QString previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(InitInstance());
    theApp.GroundingDesignBlock = CSevrinApp::GroundingDesignBlockT{};

    SwitchView(Screen::Project);
    CGroundingScreen* screen = TheScreen<CGroundingScreen>();
    QVERIFY(screen);
    QCOMPARE(screen->DesignPage()->Text(1461), QStringLiteral("3.18"));
    QCOMPARE(screen->DesignPage()->Text(1489), QString());                   // n not computed
    QCOMPARE(screen->SummaryPage()->List()->rows()->text(1, 2), QString());  // nor the summary
    QCOMPARE(screen->ConductorPage()->FinalSizeCombo()->currentText(), QStringLiteral("50"));

    SwitchView(Screen::Grounding);
    QCOMPARE(theApp.CurrentScreen, Screen::Grounding);
    QVERIFY(MainFrame()->windowTitle().endsWith(QStringLiteral("-접지저항(90)")));
    QCOMPARE(screen->DesignPage()->Text(1489), QStringLiteral("11.0000"));
    QCOMPARE(screen->SummaryPage()->List()->rows()->text(1, 2), QStringLiteral("3180"));
    QCOMPARE(screen->ConductorPage()->FinalSizeCombo()->currentText(), QStringLiteral("50"));

    // Leave with a new Lc typed, come back: the entry computes with it.
    screen->DesignPage()->Box(1473)->setText(QStringLiteral("1200"));
    SwitchView(Screen::Project);
    QCOMPARE(screen->DesignPage()->Text(1490), QStringLiteral("11.0000"));
    SwitchView(Screen::Grounding);
    QCOMPARE(screen->DesignPage()->Text(1490), QStringLiteral("8.5714"));
    QCOMPARE(screen->SummaryPage()->List()->rows()->text(20, 2), QStringLiteral("1200"));

    ExitInstance();
    ReleaseSingleInstanceLock();
    QVERIFY(QDir::setCurrent(previousDir));
    FillGroundingFixtureLibrary(theApp.GroundingLibBlock);
}

// "계산" and "저장하기" refuse a design input that is no number of its sign with one message
// naming the field; nothing is computed and nothing is saved. Inputs that may be 0 (the rod
// count, the surface layer, a soil layer left out) or any figure (temperatures) pass.
void TestGroundingScreen::inputChecksNameTheField_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::newRow("I nan") << 0 << "nan" << "I : 고장전류 실효값 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("tC 0") << 1 << "0" << "tC : 통전 시간 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("h empty") << 5 << "" << "h : 접지시스템 매설 깊이 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("rod length -2.4") << 7 << "-2.4" << "접지봉 길이 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("N -3") << 8 << "-3" << "N : 총 접지봉의 개수 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("ρs 1e308") << 9 << "1e308" << "ρs : 표면층 고유저항률 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("Lp 12,5") << 13 << "12,5" << "접지망 둘레길이[Lp] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    // The example's second layer is left out (0 m, 0 Ω-m); given a thickness it needs a resistivity.
    QTest::newRow("layer 2 thick without resistivity")
        << 18 << "3" << "ρ2 : 대지 2층 대지저항률 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("Ta inf") << 4 << "inf" << "Ta : 주위온도 값은 숫자여야 합니다. 값을 확인하시기 바랍니다.";
    QTest::newRow("Ta -10 is a temperature") << 4 << "-10" << "";
    QTest::newRow("N 0 is no rod") << 8 << "0" << "";
    QTest::newRow("rod length empty: the table's") << 7 << "" << "";
}

void TestGroundingScreen::inputChecksNameTheField()
{
    QFETCH(int, input);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const QString project = m_dir.filePath(QStringLiteral("G3.pro"));
    QFile::remove(project);
    QVERIFY(QFile::copy(ProgramDir() + QStringLiteral("/FORM/form.pro"), project));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    theApp.ProjectPathTable.CurrentProjectPath = project;
    const QByteArray before = ReadFile(project);
    TypeWorkedExample();
    m_view->DesignPage()->Box(1461 + input)->setText(text);
    m_prompt->messages.clear();
    Click(1111);
    if (message.isEmpty()) {
        QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('|')));
        QVERIFY(!theApp.GroundingDesignBlock.ResistanceResults[6].isEmpty());
        return;
    }
    QCOMPARE(m_prompt->messages, QStringList{message});
    QVERIFY(theApp.GroundingDesignBlock.ResistanceResults[6].isEmpty());  // nothing computed
    Click(1057);
    QCOMPARE(m_prompt->messages, (QStringList{message, message}));
    QCOMPARE(ReadFile(project), before);  // nothing saved
    QCOMPARE(m_view->DesignPage()->Text(1461 + input), text);  // the entry stays to be corrected
}

// The other-shape grid of few conductors (n = 0.07, see tst_groundingdesign): Es and Em are
// "-" with "CHECK" on the voltage page, in the summary and in the report sheet's cells.
void TestGroundingScreen::fewConductorsOnThePagesAndTheReport()
{
    TypeWorkedExample();
    CGroundingInputPage* design = m_view->DesignPage();
    design->Combo(1460)->setCurrentIndex(3);
    const std::pair<int, const char*> grid[] = {{12, "1000"}, {13, "200"}, {14, "60"}, {15, "40"}, {16, "0.5"}};
    for (const auto& [i, text] : grid)
        design->Box(1461 + i)->setText(QString::fromLatin1(text));
    Click(1111);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('|')));
    CStepTouchPage* voltages = m_view->VoltagePage();
    QCOMPARE(voltages->Text(1056), QStringLiteral("-"));      // Es
    QCOMPARE(voltages->Text(1057), QStringLiteral("-"));      // Em
    QCOMPARE(voltages->Text(1243), QStringLiteral("-"));      // Es, whole volts
    QCOMPARE(voltages->Text(1194), QStringLiteral("CHECK"));  // touch
    QCOMPARE(voltages->Text(1195), QStringLiteral("CHECK"));  // step
    QCOMPARE(m_view->SummaryPage()->SummaryValues().value(32), QStringLiteral("-"));

    const GroundingReportTexts texts = RecalcGroundingForReport();
    QVERIFY(texts.available);
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("접지"));
    WriteGroundingSheet(*sheet, texts, -1, QString(), ProjectScreenTexts{});
    const auto cell = [sheet](int r, int c) { return sheet->readStr(r, c).value_or(QString()); };
    QCOMPARE(cell(44, 221), QStringLiteral("-"));      // Es
    QCOMPARE(cell(39, 221), QStringLiteral("-"));      // Em
    QCOMPARE(cell(9, 270), QStringLiteral("-"));       // Es, whole volts
    QCOMPARE(cell(8, 277), QStringLiteral("CHECK"));
    QCOMPARE(cell(9, 277), QStringLiteral("CHECK"));
    QCOMPARE(cell(4 + 32, 338), QStringLiteral("-"));  // the summary's Em
}

QTEST_MAIN(TestGroundingScreen)
#include "tst_groundingscreen.moc"
