// The whole program started offscreen over the shipped reference workbooks, switching between
// projects through the start screen: no field of the project shown before survives the switch,
// edits that a screen's "저장하기" has not stored are asked about once, and the stored results
// are shown without "계산".
#include "app/core/projectfile.h"
#include "app/core/projectfolder.h"
#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "app/gui/mainfrm.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/buspage.h"
#include "fault/gui/buscolumn.h"
#include "fault/gui/buscell.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccsheetpage.h"
#include "loads/gui/transformerscreen.h"
#include "platform/profile.h"
#include "platform/singleinstance.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kProgram = ProgramDir();
const QString kIntroduce = QStringLiteral("Project_Introduce");
const QString kMark = QStringLiteral("§A§");
const QString kQuestionStart = QStringLiteral("저장하지 않은 변경 내용이 있습니다.");

// The screens a project fills: the project screen and the calculation screens.
const Screen kScreens[] = {Screen::Project,   Screen::Mcc,        Screen::PanelBoard,
                           Screen::Transformer, Screen::Cable,     Screen::Tray,
                           Screen::Generator,   Screen::Switchgear, Screen::FaultCurrent,
                           Screen::Grounding};

// Every field a screen shows, by its place in the widget tree: edits and labels by text,
// combo boxes by position and text, check and radio buttons by state, lists by their rows.
using Snapshot = QMap<QString, QString>;

void Collect(const QWidget* parent, const QString& path, Snapshot& out)
{
    QHash<QString, int> seen;
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w)
            continue;
        const QString kind = QString::fromLatin1(w->metaObject()->className());
        const QString name = w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))
                                 ? kind + QLatin1Char('#') + QString::number(seen[kind]++)
                                 : w->objectName();
        const QString here = path + QLatin1Char('/') + name;
        if (const auto* list = qobject_cast<const ReportListView*>(w)) {
            QStringList rows;
            for (int r = 0; r < list->rows()->rowCount(); ++r)
                rows << list->rows()->row(r).join(QLatin1Char('|'));
            out[here] = rows.join(QLatin1Char('\n'));
            continue;
        }
        if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            out[here] = QString::number(combo->currentIndex()) + QLatin1Char(':') + combo->currentText();
            continue;
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            out[here] = edit->text();
        else if (const auto* label = qobject_cast<const QLabel*>(w))
            out[here] = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && button->isCheckable())
            out[here] = button->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
        if (qobject_cast<const QAbstractItemView*>(w))
            continue;
        Collect(w, here, out);
    }
}

// What a user could have left in a screen of another project: a mark typed into every edit,
// another item chosen in every combo box, every check box flipped, a row added to every list.
int Mark(QWidget* parent)
{
    int marked = 0;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w)
            continue;
        if (auto* list = qobject_cast<ReportListView*>(w)) {
            list->rows()->appendRow({kMark, kMark});
            ++marked;
            continue;
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            if (combo->count() > 1) {
                const QSignalBlocker block(combo);
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
                ++marked;
            }
            continue;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const QSignalBlocker block(edit);
            edit->setText(kMark + edit->objectName());
            ++marked;
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            const QSignalBlocker block(box);
            box->setChecked(!box->isChecked());
            ++marked;
        }
        if (!qobject_cast<QAbstractItemView*>(w))
            marked += Mark(w);
    }
    return marked;
}

}  // namespace

class TestProjectSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void noFieldOfThePreviousProjectSurvives();
    void unsavedEditsAreAskedAboutOnce_data();
    void unsavedEditsAreAskedAboutOnce();
    void closingAsksToo();
    void storedResultsShowWithoutCalculation();

private:
    QString MakeProject(const QString& number, const QList<QPair<QString, QString>>& introduce);
    // Opens a project through the start screen's "프로젝트 불러오기".
    void Open(const QString& project);
    // Visits the screens as a user would (the fault-current screen's bus page included) and
    // returns what they show.
    Snapshot VisitAndSnapshot();
    QStringList Questions() const;
    static CFormView* View(Screen screen) { return theApp.ScreenView(screen); }

    QTemporaryDir m_tmp;
    QString m_root;
    QString m_a, m_b;
    Snapshot m_freshB;
    RecordingPrompt* m_prompt = nullptr;
};

QString TestProjectSwitch::MakeProject(const QString& number,
                                       const QList<QPair<QString, QString>>& introduce)
{
    const QString target = m_root + QStringLiteral("/PRO/") + number + QLatin1Char('/') + number +
                           QStringLiteral(".pro");
    const ProjectCreateResult made =
        CreateProjectFrom(m_root + QStringLiteral("/FORM/form.pro"), target, number, false);
    if (made.status != ProjectCreateStatus::Ok)
        return QString();
    if (!introduce.isEmpty() && !WriteProfileStrings(target, kIntroduce, introduce))
        return QString();
    return target;
}

void TestProjectSwitch::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_root = m_tmp.filePath(QStringLiteral("program"));
    for (const char* folder : {"LIB", "FORM", "PRO", "OUT", "CI", "locks"})
        QVERIFY(QDir().mkpath(m_root + QLatin1Char('/') + QLatin1String(folder)));
    for (const char* file : {"LIB/lib_v3p4.xlsx", "LIB/breaker_v3p4.xlsx", "FORM/form.pro", "FORM/form.xlsx"}) {
        QVERIFY(QFile::copy(kProgram + QLatin1Char('/') + QLatin1String(file),
                            m_root + QLatin1Char('/') + QLatin1String(file)));
        QFile::setPermissions(m_root + QLatin1Char('/') + QLatin1String(file),
                              QFile::ReadOwner | QFile::WriteOwner);
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_root + QStringLiteral("/locks")));
    QVERIFY(QDir::setCurrent(m_tmp.path()));
    QVERIFY(WriteFile(QStringLiteral("ORVA.ini"), "[SYSTEM]\nPath=" + m_root.toUtf8() + "\n"));

    m_a = MakeProject(QStringLiteral("A"), {{QStringLiteral("ProjectName"), QStringLiteral("A plant")}});
    m_b = MakeProject(QStringLiteral("B"), {{QStringLiteral("ProjectName"), QStringLiteral("B plant")}});
    QVERIFY(!m_a.isEmpty() && !m_b.isEmpty());
    // B's TR-1 capacity was computed (not locked): 250 kVA.
    QVERIFY(WriteProfileString(m_b, QStringLiteral("Transformer_Sizing"), QStringLiteral("TR_1_EDIT"),
                               QStringLiteral("250")));

    m_prompt = RecordingPrompt::Install();
    ReleaseSingleInstanceLock();
    QVERIFY(InitInstance());
    MainFrame()->show();

    // What B shows when it is the first project of the run: the reference for every switch.
    Open(m_b);
    m_freshB = VisitAndSnapshot();
    QVERIFY(Questions().isEmpty());
}

void TestProjectSwitch::cleanupTestCase()
{
    ExitInstance();
    ReleaseSingleInstanceLock();
}

void TestProjectSwitch::init()
{
    m_prompt->messages.clear();
    m_prompt->messageAnswers.clear();
}

void TestProjectSwitch::Open(const QString& project)
{
    SwitchView(Screen::Start);
    m_prompt->openFileAnswers.push_back(project);
    View(Screen::Start)->Control<QPushButton>(1002)->click();
}

Snapshot TestProjectSwitch::VisitAndSnapshot()
{
    Snapshot all;
    auto* fault = static_cast<CFaultScreen*>(View(Screen::FaultCurrent));
    for (Screen screen : kScreens) {
        SwitchView(screen);
        if (screen == Screen::FaultCurrent) {
            fault->Control<QPushButton>(1059)->click();  // the bus page
            fault->Control<QPushButton>(1056)->click();
        }
        QCoreApplication::processEvents();
        Collect(View(screen), QString::number(int(screen)), all);
    }
    SwitchView(Screen::Project);
    return all;
}

QStringList TestProjectSwitch::Questions() const
{
    QStringList questions;
    for (const QString& m : m_prompt->messages)
        if (m.startsWith(kQuestionStart))
            questions << m;
    return questions;
}

void TestProjectSwitch::noFieldOfThePreviousProjectSurvives()
{
    // An unchanged project is left without a question.
    Open(m_a);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_a);
    QVERIFY2(Questions().isEmpty(), qPrintable(Questions().join(QLatin1Char('\n'))));
    VisitAndSnapshot();

    // Everything the screens of A show is now A's own.
    int marked = 0;
    for (Screen screen : kScreens)
        marked += Mark(View(screen));
    QVERIFY(marked > 500);
    Snapshot markedA;
    for (Screen screen : kScreens)
        Collect(View(screen), QString::number(int(screen)), markedA);

    // B, dropping A's edits.
    m_prompt->messageAnswers.push_back(Prompt::Answer::No);
    Open(m_b);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_b);
    QCOMPARE(Questions().size(), 1);
    const Snapshot afterA = VisitAndSnapshot();

    QStringList wrong;
    for (auto it = m_freshB.cbegin(); it != m_freshB.cend(); ++it) {
        const QString now = afterA.value(it.key());
        if (now != it.value() || now.contains(kMark))
            wrong << QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(it.key(), now.left(80), it.value().left(80));
    }
    for (auto it = afterA.cbegin(); it != afterA.cend(); ++it)
        if (!m_freshB.contains(it.key()))
            wrong << QStringLiteral("%1: new field \"%2\"").arg(it.key(), it.value().left(80));
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 fields differ from B opened first:\n").arg(wrong.size()) +
                                         wrong.mid(0, 60).join(QLatin1Char('\n'))));
    // The comparison covered the marked fields.
    int differed = 0;
    for (auto it = markedA.cbegin(); it != markedA.cend(); ++it)
        differed += m_freshB.value(it.key()) != it.value();
    QVERIFY(differed > 500);
}

void TestProjectSwitch::unsavedEditsAreAskedAboutOnce_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<int>("answer");  // Prompt::Answer
    QTest::addColumn<bool>("switched");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("unchanged") << false << int(Prompt::Answer::Cancel) << true << "B plant";
    QTest::newRow("취소 stays") << true << int(Prompt::Answer::Cancel) << false << "B plant";
    QTest::newRow("아니요 drops") << true << int(Prompt::Answer::No) << true << "B plant";
    QTest::newRow("예 saves") << true << int(Prompt::Answer::Yes) << true << "B 변경";
}

void TestProjectSwitch::unsavedEditsAreAskedAboutOnce()
{
    QFETCH(bool, edit);
    QFETCH(int, answer);
    QFETCH(bool, switched);
    QFETCH(QString, storedName);

    // B as stored, whatever the previous case left on screen.
    QVERIFY(WriteProfileString(m_b, kIntroduce, QStringLiteral("ProjectName"), QStringLiteral("B plant")));
    m_prompt->messageAnswers.push_back(Prompt::Answer::No);
    Open(m_b);
    m_prompt->messageAnswers.clear();
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_b);
    SwitchView(Screen::Project);
    auto* name = View(Screen::Project)->Control<QLineEdit>(1027);
    QCOMPARE(name->text(), QStringLiteral("B plant"));
    if (edit)
        name->setText(QStringLiteral("B 변경"));
    const QByteArray before = ReadFile(m_b);
    m_prompt->messages.clear();
    m_prompt->messageAnswers.push_back(Prompt::Answer(answer));

    Open(m_a);
    const QStringList questions = Questions();
    if (!edit) {
        QVERIFY2(questions.isEmpty(), qPrintable(questions.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0], QStringLiteral("저장하지 않은 변경 내용이 있습니다.\n(프로젝트)\n\n저장하시겠습니까?"));
        QCOMPARE(m_prompt->messageButtons.value(m_prompt->messages.indexOf(questions[0])),
                 Prompt::Buttons::YesNoCancel);
    }
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, switched ? m_a : m_b);
    QCOMPARE(GetProfileString(m_b, kIntroduce, QStringLiteral("ProjectName")), storedName);
    if (storedName == QLatin1String("B plant"))
        QCOMPARE(ReadFile(m_b), before);
    if (!switched) {
        // Still B, with the edit on screen.
        QCOMPARE(name->text(), QStringLiteral("B 변경"));
        QCOMPARE(theApp.ProjectLoaded, 1);
    }
}

void TestProjectSwitch::closingAsksToo()
{
    Open(m_a);
    QVERIFY(Questions().isEmpty());
    // A factor of the generator screen's result page (c, outage), not saved.
    SwitchView(Screen::Generator);
    auto* factor = View(Screen::Generator)->findChild<QLineEdit*>(QStringLiteral("1531"));
    QVERIFY(factor);
    factor->setText(QStringLiteral("0.93"));

    m_prompt->messageAnswers.push_back(Prompt::Answer::Cancel);
    QVERIFY(!MainFrame()->close());
    QVERIFY(MainFrame()->isVisible());
    QCOMPARE(Questions(), QStringList{QStringLiteral("저장하지 않은 변경 내용이 있습니다.\n(발전기용량)\n\n저장하시겠습니까?")});

    m_prompt->messageAnswers.push_back(Prompt::Answer::Yes);
    QVERIFY(MainFrame()->close());
    QCOMPARE(GetProfileString(m_a, QStringLiteral("Generator_Sizing"), QStringLiteral("IDC_PRO_6_2_EDIT1")),
             QStringLiteral("0.93"));
    MainFrame()->show();
    // Saved: nothing left to ask about.
    m_prompt->messages.clear();
    QVERIFY(MainFrame()->close());
    QVERIFY2(Questions().isEmpty(), qPrintable(Questions().join(QLatin1Char('\n'))));
    MainFrame()->show();
}

void TestProjectSwitch::storedResultsShowWithoutCalculation()
{
    // B's TR-1 capacity as the file holds it.
    Open(m_b);
    auto* transformers = static_cast<CTransformerScreen*>(View(Screen::Transformer));
    QCOMPARE(transformers->CapacityEdit(1)->text(), QStringLiteral("250"));
    QVERIFY(!transformers->CapacityCheck(1)->isChecked());

    // A computed project C: one MCC panel with the page's starting load, the utility and TR-1
    // of the fault-current screen.
    const QString c = MakeProject(QStringLiteral("C"), {});
    Open(c);
    auto* mcc = static_cast<CMccScreen*>(View(Screen::Mcc));
    SwitchView(Screen::Mcc);
    mcc->OnShowMccSheetPage();
    CMccSheetPage* sheet = mcc->LoadPage();
    // A three-phase panel for the page's three-phase starting load.
    sheet->Control<QComboBox>(CMccSheetPage::IdSupply)->setCurrentText(QStringLiteral("3P4W"));
    sheet->Control<QPushButton>(CMccSheetPage::IdAddPanel)->click();
    sheet->PanelList()->setSelectionMark(0);
    sheet->OnClickMccPanelList();
    sheet->Control<QPushButton>(CMccSheetPage::IdAddLoad)->click();
    QVERIFY2(sheet->LoadList()->rows()->rowCount() == 1, qPrintable(m_prompt->messages.join(QLatin1Char('\n'))));
    mcc->OnCalcMcc();
    QStringList totals;
    for (int id : CMccSheetPage::TotalsFieldIds)
        totals << sheet->FieldText(id);
    totals << sheet->FieldText(CMccSheetPage::IdMaxFault) << sheet->FieldText(CMccSheetPage::IdMinFault);
    QVERIFY(!sheet->FieldText(CMccSheetPage::IdConnected).isEmpty());
    QVERIFY(!sheet->FieldText(CMccSheetPage::IdWithoutLargest).isEmpty());

    auto* fault = static_cast<CFaultScreen*>(View(Screen::FaultCurrent));
    SwitchView(Screen::FaultCurrent);
    const std::pair<int, const char*> utility[] = {{1641, "0.5"}, {1642, "2.5"}, {1643, "1.2"}, {1644, "4.1"}};
    for (const auto& [id, text] : utility)
        fault->findChild<QLineEdit*>(QString::number(id))->setText(QString::fromLatin1(text));
    fault->findChild<QPushButton*>(QStringLiteral("1016"))->click();  // TR-1 with the page's inputs
    fault->Control<QPushButton>(1645)->click();                        // 계산
    fault->Control<QPushButton>(1061)->click();                        // 저장하기
    fault->Control<QPushButton>(1059)->click();
    const auto results = [fault] {
        QStringList texts;
        CBusCell* incoming = fault->BusPage()->IncomingView();
        CBusCell* lv = fault->BusPage()->Column(0)->TransformerCell();
        for (int id : CBusCell::kResultFields)
            texts << incoming->Text(id) << lv->Text(id);
        return texts;
    };
    const QStringList computed = results();
    QVERIFY(!computed.value(0).isEmpty() && computed.value(0) != QLatin1String("-"));
    QVERIFY(!computed.value(1).isEmpty() && computed.value(1) != QLatin1String("-"));
    fault->Control<QPushButton>(1056)->click();

    // Away to B and back: the figures come from the files, nothing is computed or stored.
    m_prompt->messages.clear();
    Open(m_b);
    QVERIFY2(Questions().isEmpty(), qPrintable(Questions().join(QLatin1Char('\n'))));
    QVERIFY(sheet->FieldText(CMccSheetPage::IdConnected).isEmpty());
    QStringList stored;
    for (const QString& suffix : {QStringLiteral("_10.xlsx"), QStringLiteral("_80.xlsx"), QStringLiteral("_851.xlsx")})
        stored << QString::fromLatin1(ReadFile(ProjectBasePath(c) + suffix).toBase64());
    Open(c);
    SwitchView(Screen::Mcc);
    mcc->OnShowMccSheetPage();
    QStringList shown;
    for (int id : CMccSheetPage::TotalsFieldIds)
        shown << sheet->FieldText(id);
    shown << sheet->FieldText(CMccSheetPage::IdMaxFault) << sheet->FieldText(CMccSheetPage::IdMinFault);
    QCOMPARE(shown, totals);
    SwitchView(Screen::FaultCurrent);
    fault->Control<QPushButton>(1059)->click();
    QCOMPARE(results(), computed);
    QStringList after;
    for (const QString& suffix : {QStringLiteral("_10.xlsx"), QStringLiteral("_80.xlsx"), QStringLiteral("_851.xlsx")})
        after << QString::fromLatin1(ReadFile(ProjectBasePath(c) + suffix).toBase64());
    QCOMPARE(after, stored);
    fault->Control<QPushButton>(1056)->click();

    // With SEVRIN_SHOTS_DIR naming a folder, the screens are kept there as pictures for a look.
    const QString shots = qEnvironmentVariable("SEVRIN_SHOTS_DIR");
    if (shots.isEmpty())
        return;
    const auto shot = [&shots](QWidget* w, const char* name) {
        QCoreApplication::processEvents();
        w->grab().save(shots + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    };
    SwitchView(Screen::Mcc);
    mcc->OnShowMccSheetPage();
    shot(View(Screen::Mcc), "mcc-stored-totals");
    SwitchView(Screen::FaultCurrent);
    fault->Control<QPushButton>(1059)->click();
    shot(View(Screen::FaultCurrent), "fault-bus-page-stored-results");
    fault->Control<QPushButton>(1056)->click();
    shot(View(Screen::FaultCurrent), "fault-utility-lines");
    fault->Control<QPushButton>(1057)->click();
    fault->findChild<QLineEdit*>(QStringLiteral("1401"))->setText(QStringLiteral("6"));
    fault->findChild<QPushButton*>(QStringLiteral("1395"))->click();
    shot(View(Screen::FaultCurrent), "fault-motor-list");
    fault->Control<QPushButton>(1060)->click();
    shot(View(Screen::FaultCurrent), "fault-sld-report-next-off");
    fault->Control<QPushButton>(1056)->click();
    SwitchView(Screen::Transformer);
    shot(View(Screen::Transformer), "transformer-primary-voltage");
    SwitchView(Screen::Cable);
    auto* cables = View(Screen::Cable)->findChild<ReportListView*>();
    const std::pair<int, const char*> views[] = {{29, "cable-list-captions-derating"},
                                                 {41, "cable-list-captions-size"},
                                                 {60, "cable-list-captions-breaker"}};
    for (const auto& [column, name] : views) {
        cables->horizontalScrollBar()->setValue(0);
        cables->horizontalScrollBar()->setValue(cables->horizontalHeader()->sectionViewportPosition(column));
        shot(View(Screen::Cable), name);
    }
    SwitchView(Screen::Generator);
    View(Screen::Generator)->findChild<QPushButton*>(QStringLiteral("1652"))->click();
    shot(View(Screen::Generator), "generator-result-k-label");
    SwitchView(Screen::Project);
}

QTEST_MAIN(TestProjectSwitch)
#include "tst_projectswitch.moc"
