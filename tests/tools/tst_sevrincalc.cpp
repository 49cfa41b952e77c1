// The recalculation driver's own road: arguments, missing files and unknown commands each give
// one line on stderr and exit code 1, never a crash or a half-printed result; whatever fails,
// and whatever only prints, leaves every file of the project and the program folder as it was;
// a save that fails is reported; lists longer than their limit are computed up to the limit,
// said so once, and keep the rest of their rows in the file.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableschedule.h"
#include "common/calcdriver.h"
#include "common/companionsuffixes.h"
#include "common/notprojectfiles.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "loads/core/boardschedule.h"
#include "loads/core/generatorsizing.h"
#include "loads/core/mccpanel.h"
#include "loads/core/transformersizing.h"
#include "platform/xlsxbook.h"
#include "common/driverproject.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The project file, in a folder of its own (dir/project) beside the program folder's copy.
const QString kProjectName = QStringLiteral("project/P1.pro");

// Points `app` at the program folder's copy and the project (readable by everyone, as the
// unprivileged driver reads it), so the stores write the project's workbooks.
bool UseProjectFolder(CSevrinApp& app, const TempDriverProject& where)
{
    QFile(where.project()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
    auto& p = app.ProjectPathTable;
    p.CompanionSuffixTable = StandardCompanionSuffixes();
    p.CurrentProjectPath = where.project();
    p.LibWorkbookPath = where.root() + "/LIB/lib_v3p4.xlsx";
    p.BreakerWorkbookPath = where.root() + "/LIB/breaker_v3p4.xlsx";
    p.FormXlsxPath = where.root() + "/FORM/form.xlsx";
    return true;
}

// The project's workbook of this suffix.
QString Workbook(const TempDriverProject& where, const QString& suffix)
{
    return where.filePath(QStringLiteral("project/P1") + suffix);
}

// A list's stores, as the driver's commands read them.
enum class Store { Mcc, Boards, Cables, Transformers, Generator };

struct StoreInfo
{
    const char* command;
    const char* suffix;
    int sheet;
    int firstRow;  // sheet row of list row 0
    int keyColumn; // the cell that names the row
    int limit;
};

StoreInfo InfoOf(Store s)
{
    switch (s) {
    case Store::Mcc:
        return {"mcc", "_10.xlsx", 0, 6, MccCol::Number, kMaxMccLoadRows};
    case Store::Boards:
        return {"boards", "_20.xlsx", 0, 6, CcName, kMaxBoardCircuits};
    case Store::Cables:
        return {"cables", "_40.xlsx", 0, 0, 0, kCableRowLimit};
    case Store::Transformers:
        return {"transformers", "_30.xlsx", 0, 4, trcol::kNumber, kMaxTransformerLoadRows};
    case Store::Generator:
        return {"generator", "_60.xlsx", 0, 0, 0, kMaxGeneratorLoadRows};
    }
    return {};
}

// Stores row k of a list, named `key`, through the program's own store: figures the
// calculations accept (a 12 kVA three-phase light, a 100 VA lighting circuit, a feeder, a 1 kVA
// panel, a 5 kW load).
bool StoreRow(CSevrinApp& app, Store s, int k, const QString& key)
{
    const QString number = QString::number(k + 1);
    switch (s) {
    case Store::Mcc: {
        auto& row = app.MotorControlCenterBlock.MccLoadRow;
        row = {};
        row[MccCol::Name] = QStringLiteral("부하 %1").arg(number);
        row[MccCol::Number] = key;
        row[MccCol::Kind] = QStringLiteral("L1");
        row[MccCol::Kva] = QStringLiteral("12");
        row[MccCol::Spare] = QStringLiteral("N");
        row[MccCol::Phases] = QStringLiteral("3P");
        row[MccCol::StartMethod] = QStringLiteral("-");
        row[MccCol::DemandFactor] = QStringLiteral("0.8");
        return app.WriteMccLoadRow(0, k, false);
    }
    case Store::Boards: {
        auto& row = app.CabinetSizingBlock.CircuitRow;
        row = {};
        row[CcNo] = number;
        row[CcName] = key;
        row[CcUnitLoad] = QStringLiteral("100");
        row[CcQuantity] = QStringLiteral("1");
        return app.WriteCircuitRow(0, k, false);
    }
    case Store::Cables: {
        auto& row = app.CableScheduleBlock.CableRow;
        row = {};
        row[0] = number;
        row[1] = QStringLiteral("MCC-1/") + key;
        row[2] = QStringLiteral("MCC-1");
        row[3] = key;
        return app.WriteCableRow(k, false);
    }
    case Store::Transformers: {
        auto& row = app.TransformerSizingBlock.TransformerLoadRow;
        row = {};
        row[trcol::kNumber] = number;
        row[trcol::kPanel] = key;
        row[trcol::kConnectedVA] = QStringLiteral("1000");
        row[trcol::kDemandPct] = QStringLiteral("80");
        row[trcol::kDemandVA] = QStringLiteral("800");
        return app.WriteTransformerLoadRow(0, k, false);
    }
    case Store::Generator: {
        auto& row = app.GeneratorSizingBlock.GeneratorLoadRow;
        row = {};
        row[0] = number;
        row[1] = key;
        row[2] = QStringLiteral("5");
        return app.WriteGeneratorLoadRow(k, false);
    }
    }
    return false;
}

// Writes `rows` rows into the store through the program's own stores (one save); list rows
// from `tailFrom` on are named "TAIL-<n>".
bool StoreRows(CSevrinApp& app, Store s, int rows, int tailFrom)
{
    const auto key = [tailFrom](int k) {
        return (k >= tailFrom ? QStringLiteral("TAIL-%1") : QStringLiteral("R-%1")).arg(k + 1);
    };
    if (s == Store::Mcc) {
        auto& rec = app.MotorControlCenterBlock.MccPanelRecord;
        rec = {};
        rec[0] = QStringLiteral("MCC-1");
        rec[3] = QStringLiteral("TR-1");
        rec[4] = QStringLiteral("0.38");
        rec[5] = QStringLiteral("3P4W");
        if (!app.AddMccPanelSheet())
            return false;
    } else if (s == Store::Boards) {
        auto& rec = app.CabinetSizingBlock.BoardRecord;
        rec = {};
        rec[0] = QStringLiteral("LP-1");
        rec[3] = QStringLiteral("MCC-1");
        rec[4] = QStringLiteral("0.38");
        rec[5] = QStringLiteral("3P4W");
        if (!app.AddPanelBoardSheet())
            return false;
    } else if (s == Store::Transformers && !app.ReadTransformerSheet(0)) {
        return false;
    }
    CompanionBatch batch;
    bool ok = true;
    for (int k = 0; k < rows && ok; ++k)
        ok = StoreRow(app, s, k, key(k));
    return batch.finish() && ok;
}

// The texts of list rows first .. first + count - 1 of the store's sheet, 40 cells a row, as
// the file holds them.
QStringList RowTexts(const QString& path, const StoreInfo& info, int first, int count)
{
    QStringList texts;
    Book book;
    if (!book.load(path))
        return {QStringLiteral("unreadable")};
    const Sheet* sheet = book.getSheet(info.sheet);
    for (int r = first; sheet && r < first + count; ++r) {
        QStringList cells;
        for (int c = 0; c < 40; ++c)
            cells << companion::CellText(*sheet, info.firstRow + r, c);
        texts << cells.join(QLatin1Char('|'));
    }
    return texts;
}

void Corrupt(const QString& path)
{
    QVERIFY(WriteFile(path, QByteArray("PK\x03\x04 not a workbook at all", 30)));
}

}  // namespace

class TestSevrinCalc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void badInvocationsExitWithOneLine_data();
    void badInvocationsExitWithOneLine();
    void notAProjectIsRefusedUntouched_data();
    void notAProjectIsRefusedUntouched();
    void failuresSayOneLine_data();
    void failuresSayOneLine();
    void filesChangeOnlyWhereACommandStores_data();
    void filesChangeOnlyWhereACommandStores();
    void failedSaveIsReportedAndChangesNothing_data();
    void failedSaveIsReportedAndChangesNothing();
    void rowsPastTheListLimitAreReportedAndKept_data();
    void rowsPastTheListLimitAreReportedAndKept();
};

void TestSevrinCalc::initTestCase()
{
    RecordingPrompt::Install();
}

void TestSevrinCalc::cleanup()
{
    companion::DropCache();
}

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
    const TempDriverProject made;
    QVERIFY(made.ok());
    const QString& root = made.root();
    const QString& project = made.project();
    const QString missing = made.filePath(QStringLiteral("nowhere/P1.pro"));
    const QString emptyRoot = made.filePath(QStringLiteral("empty"));

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

// Each failing file gives one stderr line with the driver's prefix that names the file, and no
// result lines: the loaders' two-line message boxes (a damaged reference or bus workbook) are
// joined, and the commands that wrote none add the prefix.
void TestSevrinCalc::failuresSayOneLine_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("damaged");  // LIB/... below the root, else a project suffix
    QTest::addColumn<int>("exitCode");     // -1: not this test's matter

    QTest::newRow("damaged library") << "conditions" << "LIB/lib_v3p4.xlsx" << 1;
    QTest::newRow("damaged breaker workbook") << "conditions" << "LIB/breaker_v3p4.xlsx" << 1;
    QTest::newRow("mcc") << "mcc" << "_10.xlsx" << 1;
    QTest::newRow("boards") << "boards" << "_20.xlsx" << 1;
    QTest::newRow("cables") << "cables" << "_40.xlsx" << 1;
    QTest::newRow("trays") << "trays" << "_50.xlsx" << 1;
    QTest::newRow("transformers") << "transformers" << "_30.xlsx" << 1;
    QTest::newRow("generator") << "generator" << "_60.xlsx" << 1;
    // Whether an unreadable bus workbook stops the fault run is the fault command's matter;
    // here only that its message leaves as one line.
    QTest::newRow("fault, bus workbook") << "fault" << "_851.xlsx" << -1;
}

void TestSevrinCalc::failuresSayOneLine()
{
    QFETCH(QString, command);
    QFETCH(QString, damaged);
    QFETCH(int, exitCode);
    const CommandProject f(UseProjectFolder, kProjectName);
    QVERIFY(f.ok());
    CSevrinApp& app = f.app();
    const QString path = damaged.startsWith(QLatin1String("LIB/"))
                             ? f.root() + QLatin1Char('/') + damaged
                             : Workbook(f, damaged);
    Corrupt(path);

    const CalcRun r = f.run(command);
    if (exitCode >= 0) {
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    }
    QVERIFY2(r.err.startsWith(QLatin1String("sevrin-calc: ")), qPrintable(r.err));
    QVERIFY2(r.err.endsWith(QLatin1Char('\n')) && r.err.count(QLatin1Char('\n')) == 1,
             qPrintable(r.err));
    QVERIFY2(r.err.contains(path), qPrintable(r.err));
}

// On a project whose workbooks and program-folder workbooks all have protected sheets (as the
// program leaves them when it closes), a command changes exactly the workbook it stores into
// (the entries below the test's folder: the program copy and the project folder): none for a
// command that only prints or that fails.
void TestSevrinCalc::filesChangeOnlyWhereACommandStores_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("damaged");  // project suffix made unreadable first, or ""
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("changed");

    QTest::newRow("conditions") << "conditions" << "" << 0 << QStringList();
    QTest::newRow("cables") << "cables" << "" << 0 << QStringList();
    QTest::newRow("trays") << "trays" << "" << 0 << QStringList();
    QTest::newRow("transformers") << "transformers" << "" << 0 << QStringList();
    QTest::newRow("generator") << "generator" << "" << 0 << QStringList();
    QTest::newRow("grounding") << "grounding" << "" << 0 << QStringList();
    QTest::newRow("cables, unreadable schedule") << "cables" << "_40.xlsx" << 1 << QStringList();
    QTest::newRow("mcc, unreadable workbook") << "mcc" << "_10.xlsx" << 1 << QStringList();
    QTest::newRow("boards, unreadable workbook") << "boards" << "_20.xlsx" << 1 << QStringList();
    QTest::newRow("generator, unreadable workbook") << "generator" << "_60.xlsx" << 1 << QStringList();
    QTest::newRow("mcc stores its panels") << "mcc" << "" << 0 << QStringList{"project/P1_10.xlsx"};
    QTest::newRow("boards store their circuits") << "boards" << "" << 0 << QStringList{"project/P1_20.xlsx"};
}

void TestSevrinCalc::filesChangeOnlyWhereACommandStores()
{
    QFETCH(QString, command);
    QFETCH(QString, damaged);
    QFETCH(int, exitCode);
    QFETCH(QStringList, changed);
    const CommandProject f(UseProjectFolder, kProjectName);
    QVERIFY(f.ok());
    CSevrinApp& app = f.app();
    for (Store s : {Store::Mcc, Store::Boards, Store::Cables, Store::Transformers, Store::Generator})
        QVERIFY(StoreRows(app, s, 3, 3));
    app.ProtectAllWorkbooks();
    {
        Book lib;
        QVERIFY(lib.load(app.ProjectPathTable.LibWorkbookPath));
        QVERIFY(lib.getSheet(0)->protect());
        Book cables;
        QVERIFY(cables.load(Workbook(f, "_40.xlsx")));
        QVERIFY(cables.getSheet(0)->protect());
    }
    if (!damaged.isEmpty())
        Corrupt(Workbook(f, damaged));

    const QMap<QString, QByteArray> before = FolderSnapshot(f.dir());
    const CalcRun r = f.run(command);
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(f.dir())), changed);
}

// A save that fails (the project's folder is read-only) is one stderr line naming the
// workbook and exit code 1; no result line is printed and no file changes.
void TestSevrinCalc::failedSaveIsReportedAndChangesNothing_data()
{
    QTest::addColumn<int>("store");
    QTest::newRow("mcc") << int(Store::Mcc);
    QTest::newRow("boards") << int(Store::Boards);
}

void TestSevrinCalc::failedSaveIsReportedAndChangesNothing()
{
    QFETCH(int, store);
    const StoreInfo info = InfoOf(Store(store));
    const CommandProject f(UseProjectFolder, kProjectName);
    QVERIFY(f.ok());
    CSevrinApp& app = f.app();
    QVERIFY(StoreRows(app, Store(store), 5, 5));
    const QString path = Workbook(f, QLatin1String(info.suffix));
    const QString folder = f.filePath(QStringLiteral("project"));

    // Everything readable by the driver's user (whatever the umask), the project's folder and
    // files writable by no one.
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto execute = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(f.dir(), readOnly | execute | QFile::WriteOwner));
    for (const QString& sub : {QString(), QStringLiteral("/LIB"), QStringLiteral("/FORM")}) {
        QVERIFY(QFile::setPermissions(f.root() + sub, readOnly | execute | QFile::WriteOwner));
        for (const QString& name : QDir(f.root() + sub).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(f.root() + sub + QLatin1Char('/') + name,
                                          readOnly | QFile::WriteOwner));
    }
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        QVERIFY(QFile::setPermissions(folder + QLatin1Char('/') + name, readOnly));
    QVERIFY(QFile::setPermissions(folder, readOnly | execute));
    const QMap<QString, QByteArray> before = FolderSnapshot(folder);

    const CalcRun r = RunSevrinCalcUnprivileged(f.root(), f.project(), QString::fromLatin1(info.command));
    QFile::setPermissions(folder, readOnly | execute | QFile::WriteOwner);
    QVERIFY2(r.exitCode == 1, qPrintable(r.err));
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    QVERIFY2(r.err.startsWith(QLatin1String("sevrin-calc: ")) && r.err.count(QLatin1Char('\n')) == 1,
             qPrintable(r.err));
    QVERIFY2(r.err.contains(path), qPrintable(r.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(folder)), QStringList());
}

// A list stored with 1005 rows: the command computes the first 1000, says once on stderr that
// the workbook holds more than its list takes (exit 0), and rows 1001..1005 stay in the file
// exactly as they were.
void TestSevrinCalc::rowsPastTheListLimitAreReportedAndKept_data()
{
    QTest::addColumn<int>("store");
    QTest::addColumn<QString>("rowKind");  // the output lines printed per list row, or ""
    QTest::newRow("mcc") << int(Store::Mcc) << "LOAD";
    QTest::newRow("boards") << int(Store::Boards) << "CIRCUIT";
    QTest::newRow("cables") << int(Store::Cables) << "";
    QTest::newRow("transformers") << int(Store::Transformers) << "";
    QTest::newRow("generator") << int(Store::Generator) << "";
}

void TestSevrinCalc::rowsPastTheListLimitAreReportedAndKept()
{
    QFETCH(int, store);
    QFETCH(QString, rowKind);
    const StoreInfo info = InfoOf(Store(store));
    const CommandProject f(UseProjectFolder, kProjectName);
    QVERIFY(f.ok());
    CSevrinApp& app = f.app();
    QVERIFY(StoreRows(app, Store(store), info.limit + 5, info.limit));
    const QString path = Workbook(f, QLatin1String(info.suffix));
    const QStringList tail = RowTexts(path, info, info.limit, 6);
    QCOMPARE(tail.size(), 6);
    QVERIFY2(tail[0].contains(QStringLiteral("TAIL-%1").arg(info.limit + 1)), qPrintable(tail[0]));
    QVERIFY2(tail[4].contains(QStringLiteral("TAIL-%1").arg(info.limit + 5)), qPrintable(tail[4]));

    const CalcRun r = f.run(QString::fromLatin1(info.command));
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.err, QStringLiteral("sevrin-calc: ") +
                        companion::RowLimitMessage(path, info.limit).replace('\n', ' ') + '\n');
    if (store == int(Store::Cables))
        QCOMPARE(r.out.count(QLatin1Char('\n')), info.limit);
    if (!rowKind.isEmpty())
        QCOMPARE(r.out.count(QLatin1Char('\n') + rowKind + QLatin1Char('\t')) +
                     (r.out.startsWith(rowKind + QLatin1Char('\t')) ? 1 : 0),
                 info.limit);
    QCOMPARE(RowTexts(path, info, info.limit, 6), tail);
}

QTEST_GUILESS_MAIN(TestSevrinCalc)
#include "tst_sevrincalc.moc"
