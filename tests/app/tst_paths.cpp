// Path helpers and the name stamps of the application object.
#include "app/core/sevrin.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void join_data();
    void join();
    void fileExists();
    void modulePath();
    void names_data();
    void names();
    void stamps();
};

void TestPaths::split_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::newRow("slashes") << "/home/u/PRO/P1/P1.pro" << "/home/u/PRO/P1" << "P1.pro";
    QTest::newRow("backslashes from an old configuration") << "C:\\PRO\\P1\\P1.pro" << "C:\\PRO\\P1" << "P1.pro";
    QTest::newRow("mixed: the last separator wins") << "C:\\PRO/P1\\x.pro" << "C:\\PRO/P1" << "x.pro";
    QTest::newRow("no separator") << "P1.pro" << "" << "P1.pro";
    QTest::newRow("trailing separator") << "/home/u/PRO/" << "/home/u/PRO" << "";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("Hangul") << "/프로젝트/가나.pro" << "/프로젝트" << "가나.pro";
}

void TestPaths::split()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QCOMPARE(GetFolderOfPath(path), folder);
    QCOMPARE(GetFileNameOfPath(path), file);
}

void TestPaths::join_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("joined");
    QTest::newRow("plain") << "/r" << "LIB" << "/r/LIB";
    QTest::newRow("no doubled separator") << "/r/" << "LIB" << "/r/LIB";
    QTest::newRow("empty first part") << "" << "LIB" << "LIB";
    QTest::newRow("nested") << "/r" << "FORM/form.pro" << "/r/FORM/form.pro";
}

void TestPaths::join()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, joined);
    QCOMPARE(JoinPath(a, b), joined);
}

void TestPaths::fileExists()
{
    QTemporaryDir dir;
    QVERIFY(FileExists(dir.path()));  // folders count
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("nothing.pro"))));
    QVERIFY(!FileExists(QString()));
}

void TestPaths::modulePath()
{
    // The program root defaults to the executable's folder, so the path must name the running
    // executable itself, absolute, whatever the working folder and however it was started.
    const QString path = GetModulePath();
    const QFileInfo info(path);
    QVERIFY2(info.isAbsolute(), qPrintable(path));
    QCOMPARE(info.fileName(), QStringLiteral("tst_paths"));
    QVERIFY(info.isFile() && info.isExecutable());
    // The same file the system runs as this process.
    QCOMPARE(info.canonicalFilePath(), QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    QTemporaryDir elsewhere;
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    const QString fromElsewhere = GetModulePath();
    QVERIFY(QDir::setCurrent(cwd));
    QCOMPARE(fromElsewhere, path);
}

void TestPaths::names_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/p/P1/P1.pro" << "P1";
    QTest::newRow("every .pro removed") << "/p/a.pro.pro" << "a";
    QTest::newRow(".pro inside the name") << "/p/x.project.pro" << "xject";
    QTest::newRow("Windows path") << "C:\\PRO\\가나\\가나.pro" << "가나";
    QTest::newRow("ends in a separator") << "C:\\PRO\\" << "";
}

void TestPaths::names()
{
    QFETCH(QString, project);
    QFETCH(QString, name);
    theApp.ProjectPathTable.CurrentProjectPath = project;
    QCOMPARE(theApp.ProjectName(), name);
    theApp.ProjectPathTable.LibWorkbookPath = QStringLiteral("/r/LIB/lib_v3p4.xlsx");
    theApp.ProjectPathTable.BreakerWorkbookPath = QStringLiteral("/r/LIB/breaker_v3p4.xlsx");
    QCOMPARE(theApp.LibraryName(), QStringLiteral("lib_v3p4"));
    QCOMPARE(theApp.BreakerName(), QStringLiteral("breaker_v3p4"));
}

void TestPaths::stamps()
{
    QCOMPARE(CSevrinApp::MakeInsertedItemName(), QStringLiteral("_____"));
    QVERIFY(QRegularExpression(QStringLiteral("^([01]\\d|2[0-3])[0-5]\\d[0-5]\\d$"))
                .match(CSevrinApp::MakeTimeStamp())
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^_(0[1-9]|1[0-2])([0-2]\\d|3[01])_([01]\\d|2[0-3])[0-5]\\d[0-5]\\d$"))
                .match(CSevrinApp::MakeDateTimeSuffix())
                .hasMatch());
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
