// The recalculation driver's own road: arguments, missing files and unknown commands each give
// one line on stderr and exit code 1, never a crash or a half-printed result.
#include "common/calcdriver.h"
#include "common/notprojectfiles.h"
#include "common/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSevrinCalc : public QObject
{
    Q_OBJECT

private slots:
    void badInvocationsExitWithOneLine_data();
    void badInvocationsExitWithOneLine();
    void notAProjectIsRefusedUntouched_data();
    void notAProjectIsRefusedUntouched();
};

void TestSevrinCalc::badInvocationsExitWithOneLine_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expectedText");
    QTest::newRow("no arguments") << "none" << "usage:";
    QTest::newRow("unknown option") << "option" << "unknown argument: --bogus";
    QTest::newRow("unknown command") << "command" << "unknown command: no-such-command";
    QTest::newRow("missing project file") << "project" << "cannot read project file:";
    QTest::newRow("root without LIB") << "root" << "cannot read reference workbook:";
}

void TestSevrinCalc::badInvocationsExitWithOneLine()
{
    QFETCH(QString, what);
    QFETCH(QString, expectedText);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.filePath(QStringLiteral("root"));
    QVERIFY(CopyProgramFolder(root));
    const QString missing = dir.filePath(QStringLiteral("nowhere/P1.pro"));
    const QString project = dir.filePath(QStringLiteral("P1.pro"));
    QVERIFY(QFile::copy(root + QStringLiteral("/FORM/form.pro"), project));
    const QString emptyRoot = dir.filePath(QStringLiteral("empty"));

    CalcRun r;
    if (what == QLatin1String("none"))
        r = RunSevrinCalcArgs({});
    else if (what == QLatin1String("option"))
        r = RunSevrinCalcArgs({QStringLiteral("--bogus")});
    else if (what == QLatin1String("command"))
        r = RunSevrinCalc(root, project, QStringLiteral("no-such-command"));
    else if (what == QLatin1String("project"))
        r = RunSevrinCalc(root, missing, QStringLiteral("conditions"));
    else
        r = RunSevrinCalc(emptyRoot, project, QStringLiteral("conditions"));

    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.contains(expectedText), qPrintable(r.err));
}

void TestSevrinCalc::notAProjectIsRefusedUntouched_data()
{
    QTest::addColumn<QByteArray>("file");
    for (const auto& [name, bytes] : NotProjectFiles())
        QTest::newRow(name) << bytes;
}

void TestSevrinCalc::notAProjectIsRefusedUntouched()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.filePath(QStringLiteral("root"));
    QVERIFY(CopyProgramFolder(root));
    const QString folder = dir.filePath(QStringLiteral("P1"));
    QVERIFY(QDir().mkpath(folder));
    const QString project = folder + QStringLiteral("/P1.pro");
    QVERIFY(WriteFile(project, file));

    // A command that prints and one that stores: both stop before anything is read or written.
    for (const QString command : {QStringLiteral("conditions"), QStringLiteral("cables")}) {
        const CalcRun r = RunSevrinCalc(root, project, command);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
        QCOMPARE(r.err, QStringLiteral("sevrin-calc: 프로젝트 파일이 아닙니다. ") + project + QLatin1Char('\n'));
        QCOMPARE(ReadFile(project), file);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("P1.pro")});
    }
}

QTEST_GUILESS_MAIN(TestSevrinCalc)
#include "tst_sevrincalc.moc"
