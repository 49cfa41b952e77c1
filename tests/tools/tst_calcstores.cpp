// The driver's commands that store results, with every write refused by the system (as a
// full disk refuses; file permissions do not stop a test run as root): each fails with one
// line naming the workbook, exit code 1, and leaves every file of the project as it was.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "common/calcdriver.h"
#include "common/companionsuffixes.h"
#include "common/testsupport.h"
#include "common/driverproject.h"

#include <QTest>

namespace {

// One MCC panel and one panel board stored in the project.
bool UseProjectWithPanelAndBoard(CSevrinApp& app, const TempDriverProject& where)
{
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app.ProjectPathTable.CurrentProjectPath = where.project();
    app.MotorControlCenterBlock.MccPanelRecord[0] = QStringLiteral("MCC-1");
    app.CabinetSizingBlock.PanelBoardRecord()[0] = QStringLiteral("LP-1");
    const bool stored = app.AddMccPanelSheet() && app.AddPanelBoardSheet();
    companion::DropCache();
    return stored;
}

}  // namespace

class TestCalcStores : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { companion::DropCache(); }
    void refusedStoreFailsTheCommand_data();
    void refusedStoreFailsTheCommand();
};

void TestCalcStores::refusedStoreFailsTheCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("workbook");  // the workbook the line names
    // One panel, one board: each command stores its totals; the fault run creates its bus
    // workbooks before anything else.
    QTest::newRow("mcc") << "mcc" << "P1_10.xlsx";
    QTest::newRow("boards") << "boards" << "P1_20.xlsx";
    QTest::newRow("fault") << "fault" << "P1_851.xlsx";
}

void TestCalcStores::refusedStoreFailsTheCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, workbook);
    const CommandProject p(UseProjectWithPanelAndBoard, QStringLiteral("project/P1.pro"));
    QVERIFY(p.ok());
    const QString folder = p.filePath(QStringLiteral("project"));
    const QMap<QString, QByteArray> before = FolderSnapshot(folder);

    const CalcRun refused = RunSevrinCalcRefusingWrites(p.root(), p.project(), command);
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(refused.err.startsWith(QStringLiteral("sevrin-calc: ")) &&
                 refused.err.contains(folder + QLatin1Char('/') + workbook),
             qPrintable(refused.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(folder)), QStringList());

    // Allowed to write, the same command succeeds and stores: the refusal alone failed it.
    const CalcRun stored = p.run(command);
    QVERIFY2(stored.exitCode == 0, qPrintable(stored.err));
    QVERIFY(!ChangedEntries(before, FolderSnapshot(folder)).isEmpty());
}

QTEST_GUILESS_MAIN(TestCalcStores)
#include "tst_calcstores.moc"
