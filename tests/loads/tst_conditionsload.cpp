// The whole program started offscreen: every road that loads a project (the first entry to the
// project screen, the project screen's own open) leaves the reference tables derated by that
// project's conditions before anything is calculated; the switchgear screen's navigation.
#include "app/core/sevrin.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "library/libraryfixture.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccconditionspage.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/boardinstallationpage.h"
#include "loads/gui/switchgearscreen.h"
#include "platform/singleinstance.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kGoldenDir = TestDataDir() + QStringLiteral("/loads/golden");

QPushButton* Button(const QWidget* view, const QString& caption)
{
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

}  // namespace

class TestConditionsLoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyProjectLoadAppliesConditions();
    void switchgearKeepsTitleAndNavigates();

private:
    QTemporaryDir m_dir;
    QString m_projectA;
    QString m_projectB;
    RecordingPrompt* m_prompt = nullptr;
};

void TestConditionsLoad::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).mkpath(QStringLiteral("locks"));
    qputenv("TMPDIR", QFile::encodeName(m_dir.filePath(QStringLiteral("locks"))));
    ReleaseSingleInstanceLock();
    m_prompt = RecordingPrompt::Install();

    const QString root = m_dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/LIB")));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/PRO/A")));
    QVERIFY(fixture::WriteLibrary(root + QStringLiteral("/LIB/lib_v3p4.xlsx")));
    QVERIFY(fixture::WriteBreakers(root + QStringLiteral("/LIB/breaker_v3p4.xlsx")));
    // A: 50 degC in air, two tiers, single-core from 50 mm2, beta 6.0.
    m_projectA = root + QStringLiteral("/PRO/A/A.pro");
    QVERIFY(QFile::copy(kGoldenDir + QStringLiteral("/conditions.pro"), m_projectA));
    QFile(m_projectA).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    // B: 30 degC in air, one tier, single-core from 16 mm2, beta 10.0.
    m_projectB = root + QStringLiteral("/PRO/A/B.pro");
    QVERIFY(WriteFile(m_projectB, "[Project_Introduce]\nProjectName=B\n[Motor_Control_Center]\n"
                                  "IDC_PRO_1_1_COMBO1=26\n[Cabinet_Sizing]\nIDC_PRO_2_3_COMBO1=2\n"));

    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(WriteFile(m_dir.filePath(QStringLiteral("ORVA.ini")),
                      "[SYSTEM]\nPath=" + root.toUtf8() + "\nlastPro=" + m_projectA.toUtf8() + "\n"));
    QVERIFY(InitInstance());
}

void TestConditionsLoad::cleanupTestCase()
{
    ExitInstance(0);
    ReleaseSingleInstanceLock();
}

void TestConditionsLoad::everyProjectLoadAppliesConditions()
{
    // Start-up: the library's own inputs (threshold 25 mm2, method E factor 0.7):
    // 25 mm2 three-phase method E single-core 163 A x 0.7.
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 114.10);

    // First entry to the project screen loads the last project. Project A: factor E
    // 0.82 x 0.59 = 0.48; 25 mm2 is multi-core below 50 mm2: 67 A x 0.48 = 32.16 A.
    QVERIFY(SwitchView(Screen::Project));
    QCOMPARE(theApp.ProjectLoaded, 1);
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 32.16);
    std::array<QString, 19> motor;
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), motor));
    QCOMPARE(motor[12], QStringLiteral("89"));  // 14.896 A x beta 6.0
    // The screens show what was applied.
    CBoardScreen* boards = TheScreen<CBoardScreen>();
    QVERIFY(boards);
    QCOMPARE(boards->InstallationPage()->FactorEdit(8)->text(), QStringLiteral("0.48"));
    QCOMPARE(TheScreen<CMccScreen>()->DesignPage()->ConditionCombo(0)->currentText(),
             QStringLiteral("6.0"));

    // The project screen's own open: project B, no screen visited, nothing pressed.
    // Factor E 1.00 x 0.60 = 0.60; 25 mm2 single-core from 16 mm2: 163 A x 0.60 = 97.80 A.
    m_prompt->openFileAnswers.push_back(m_projectB);
    QPushButton* open = theApp.ScreenView(Screen::Project)->findChild<QPushButton*>(QStringLiteral("1029"));
    QVERIFY(open);
    open->click();
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_projectB);
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 97.80);
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), motor));
    QCOMPARE(motor[12], QStringLiteral("149"));  // 14.896 A x beta 10.0

    // The design pages show project B, so their saves write B's own conditions into B.
    CMccScreen* mcc = TheScreen<CMccScreen>();
    QCOMPARE(mcc->DesignPage()->ConditionCombo(0)->currentText(), QStringLiteral("10.0"));
    QCOMPARE(boards->InstallationPage()->ConditionCombo(0)->currentText(), QStringLiteral("30℃"));
    QCOMPARE(boards->InstallationPage()->ConditionCombo(2)->currentText(), QStringLiteral("1"));
    Button(mcc, QStringLiteral("저장하기"))->click();
    Button(boards, QStringLiteral("저장하기"))->click();
    const QString saved = QString::fromUtf8(ReadFile(m_projectB));
    QVERIFY2(saved.contains(QStringLiteral("IDC_PRO_1_1_COMBO1=26")), qPrintable(saved));
    QVERIFY2(saved.contains(QStringLiteral("IDC_PRO_2_3_COMBO1=2")), qPrintable(saved));
    QVERIFY2(saved.contains(QStringLiteral("IDC_PRO_2_3_COMBO3=0")), qPrintable(saved));
}

void TestConditionsLoad::switchgearKeepsTitleAndNavigates()
{
    QVERIFY(SwitchView(Screen::Project));
    const QString title = theApp.MainTitle();
    QVERIFY(title.contains(QStringLiteral("프로젝트 명:")));
    QVERIFY(SwitchView(Screen::Switchgear));
    QCOMPARE(theApp.CurrentScreen, Screen::Switchgear);
    QCOMPARE(theApp.MainTitle(), title);
    CSwitchgearScreen* gear = TheScreen<CSwitchgearScreen>();
    QVERIFY(gear);
    QCOMPARE(static_cast<CFormView*>(gear), theApp.ScreenView(Screen::Switchgear));
    Button(gear, QStringLiteral("선택화면"))->click();
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    QVERIFY(SwitchView(Screen::Switchgear));
    Button(gear, QStringLiteral("초기화면"))->click();
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
}

QTEST_MAIN(TestConditionsLoad)
#include "tst_conditionsload.moc"
