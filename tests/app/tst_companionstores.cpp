// The companion workbooks of a project: where they live, which store creates which file, what
// a store refuses without touching the file, each workbook's cell map read back by us and by
// openpyxl, the list stop rules, the circuit sums, the panel-name registry, the bus pages'
// insert and delete and the two bus searches.
#include "common/companionsuffixes.h"
#include "app/core/companionworkbook.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"
#include "common/testsupport.h"
#include "common/workbooksheetnames.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

const std::array<QString, 12> kSuffixes = StandardCompanionSuffixes();

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::optional<QString> FileCell(const QString& path, int sheet, int row, int col)
{
    Book book;
    if (!book.load(path) || !book.getSheet(sheet))
        return std::nullopt;
    return book.getSheet(sheet)->readStr(row, col);
}

template <std::size_t N>
void Fill(std::array<QString, N>& row, const QString& tag)
{
    for (std::size_t i = 0; i < N; ++i)
        row[i] = QStringLiteral("%1-%2").arg(tag).arg(i);
}

// A bus workbook as the fault-current screen makes it: 100 pages named "0".."99".
bool MakeBusWorkbook(const QString& path)
{
    Book book;
    for (int i = 0; i < 100; ++i)
        if (!book.addSheet(QString::number(i)))
            return false;
    return book.save(path);
}

}  // namespace

class TestCompanionStores : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void companionPaths_data();
    void companionPaths();
    void firstUseCreates_data();
    void firstUseCreates();
    void corruptWorkbookIsNeverWritten_data();
    void corruptWorkbookIsNeverWritten();
    void refusedOperationLeavesFileIdentical_data();
    void refusedOperationLeavesFileIdentical();
    void failedSaveIsReported();
    void noProjectWritesNothing();

    void panelSheetsAndLoadRows();
    void boardSheetsAndCircuitSums();
    void panelNameRegistry();
    void transformerWorkbook();
    void cableAndGeneratorRows();
    void traySheets();
    void faultDataWorkbook();
    void busPagesKeepTheirCount();
    void busSearches_data();
    void busSearches();

    void cacheFollowsTheFile();
    void batchSavesOnceAtItsEnd();
    void openpyxlReadsEveryStore_data();
    void openpyxlReadsEveryStore();

private:
    QString path(int role) const { return m_app->CompanionPath(role); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CSevrinApp> m_app;
};

void TestCompanionStores::init()
{
    companion::DropCache();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // A project folder whose name holds ".pro": only the file's extension is replaced.
    QVERIFY(QDir(m_dir->path()).mkpath("my.project/P1"));
    m_app = std::make_unique<CSevrinApp>();
    m_app->ProjectPathTable.CompanionSuffixTable = kSuffixes;
    m_app->ProjectPathTable.CurrentProjectPath = m_dir->filePath("my.project/P1/P1.pro");
}

void TestCompanionStores::cleanup()
{
    companion::DropCache();
    m_app.reset();
    m_dir.reset();
}

// ---- paths --------------------------------------------------------------------------------

void TestCompanionStores::companionPaths_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("expected");
    QTest::newRow("motor control centre") << "/d/PRO/P1/P1.pro" << 0 << "/d/PRO/P1/P1_10.xlsx";
    // The table is ordered by role: element 2 is the cable schedule, element 4 transformers.
    QTest::newRow("element 2 is _40") << "/d/P1.pro" << 2 << "/d/P1_40.xlsx";
    QTest::newRow("element 4 is _30") << "/d/P1.pro" << 4 << "/d/P1_30.xlsx";
    QTest::newRow("bus pages of TR-5") << "/d/P1.pro" << 11 << "/d/P1_855.xlsx";
    QTest::newRow("folder named my.project") << "/d/my.project/P1.pro" << 0
                                             << "/d/my.project/P1_10.xlsx";
    QTest::newRow(".pro inside the file name") << "/d/a.proj.pro" << 1 << "/d/a.proj_20.xlsx";
    QTest::newRow("upper-case extension") << "/d/P1.PRO" << 0 << "/d/P1_10.xlsx";
    // Never the project file itself: a name without ".pro" gets the suffix appended.
    QTest::newRow("no extension") << "/d/P1" << 0 << "/d/P1_10.xlsx";
    QTest::newRow("no project chosen") << "" << 0 << "";
    QTest::newRow("role out of range") << "/d/P1.pro" << 12 << "";
}

void TestCompanionStores::companionPaths()
{
    QFETCH(QString, project);
    QFETCH(int, role);
    QFETCH(QString, expected);
    m_app->ProjectPathTable.CurrentProjectPath = project;
    QCOMPARE(m_app->CompanionPath(role), expected);
}

// ---- which store creates which file, and what none may do ----------------------------------

namespace {

struct StoreOp
{
    const char* name;
    int role;
    std::function<bool(CSevrinApp&)> run;
    bool expected;          // the operation's answer on a new project
    QStringList sheets;     // the new file's sheets; empty = no file may appear
};

std::vector<StoreOp> FirstUseOps()
{
    return {
        {"_10 add panel", CSevrinApp::MccWorkbook,
         [](CSevrinApp& a) { a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-1";
                             return a.AddMccPanelSheet(); }, true, {"MCC-1"}},
        {"_10 insert panel", CSevrinApp::MccWorkbook,
         [](CSevrinApp& a) { a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-1";
                             return a.InsertMccPanelSheet(0); }, true, {"MCC-1"}},
        {"_10 load row", CSevrinApp::MccWorkbook,
         [](CSevrinApp& a) { return a.WriteMccLoadRow(0, 0, false); }, false, {}},
        {"_10 delete panel", CSevrinApp::MccWorkbook,
         [](CSevrinApp& a) { return a.DeleteMccPanelSheet(0); }, false, {}},
        {"_20 add board", CSevrinApp::PanelBoardWorkbook,
         [](CSevrinApp& a) { a.CabinetSizingBlock.BoardRecord[0] = "LP-1";
                             return a.AddPanelBoardSheet(); }, true, {"LP-1"}},
        {"_30 read sheet", CSevrinApp::TransformerWorkbook,
         [](CSevrinApp& a) { return a.ReadTransformerSheet(0); }, true,
         {"TR-1", "TR-2", "TR-3", "TR-4", "TR-5"}},
        {"_30 write sheet", CSevrinApp::TransformerWorkbook,
         [](CSevrinApp& a) { return a.WriteTransformerSheet(0); }, false, {}},
        {"_40 write row", CSevrinApp::CableWorkbook,
         [](CSevrinApp& a) { return a.WriteCableRow(0, false); }, true, {"Data"}},
        {"_40 insert row", CSevrinApp::CableWorkbook,
         [](CSevrinApp& a) { return a.WriteCableRow(0, true); }, true, {"Data"}},
        {"_40 read row", CSevrinApp::CableWorkbook,
         [](CSevrinApp& a) { return a.ReadCableRow(0); }, false, {}},
        {"_50 add tray", CSevrinApp::TrayWorkbook,
         [](CSevrinApp& a) { a.CableTrayBlock.TrayRecord[0] = "T-1";
                             return a.AddTraySheets(); }, true, {"T-1", "T-1_"}},
        {"_60 write row", CSevrinApp::GeneratorWorkbook,
         [](CSevrinApp& a) { return a.WriteGeneratorLoadRow(0, false); }, true, {"Data"}},
        // The reader creates "_80" and answers false: there is no row yet.
        {"_80 read row", CSevrinApp::FaultDataWorkbook,
         [](CSevrinApp& a) { return a.ReadFaultDataRow(0, 0); }, false,
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"_80 write row", CSevrinApp::FaultDataWorkbook,
         [](CSevrinApp& a) { return a.WriteFaultDataRow(0, 0, false); }, false, {}},
        // Only the fault-current screen creates bus workbooks.
        {"_851 bus row", CSevrinApp::BusWorkbook1,
         [](CSevrinApp& a) { return a.WriteBusRow(0, 0, 0); }, false, {}},
        {"_851 move page", CSevrinApp::BusWorkbook1,
         [](CSevrinApp& a) { return a.MoveBusPage(0, 0, true); }, false, {}},
        {"_851 search", CSevrinApp::BusWorkbook1,
         [](CSevrinApp& a) { double lo = 1, hi = 2; return a.FindBusFaultValues(0, "", lo, hi); },
         false, {}},
    };
}

}  // namespace

void TestCompanionStores::firstUseCreates_data()
{
    QTest::addColumn<int>("op");
    const auto ops = FirstUseOps();
    for (int i = 0; i < int(ops.size()); ++i)
        QTest::newRow(ops[std::size_t(i)].name) << i;
}

void TestCompanionStores::firstUseCreates()
{
    QFETCH(int, op);
    const StoreOp o = FirstUseOps()[std::size_t(op)];
    QCOMPARE(o.run(*m_app), o.expected);
    if (o.sheets.isEmpty()) {
        QVERIFY2(!QFile::exists(path(o.role)), "no store but the creator may make the file");
    } else {
        QCOMPARE(WorkbookSheetNames(path(o.role)), o.sheets);
    }
}

void TestCompanionStores::corruptWorkbookIsNeverWritten_data()
{
    firstUseCreates_data();
}

void TestCompanionStores::corruptWorkbookIsNeverWritten()
{
    QFETCH(int, op);
    const StoreOp o = FirstUseOps()[std::size_t(op)];
    const QByteArray junk("this is no spreadsheet, but it is somebody's data");
    QVERIFY(WriteBytes(path(o.role), junk));
    QVERIFY(!o.run(*m_app));
    QCOMPARE(FileBytes(path(o.role)), junk);
}

void TestCompanionStores::refusedOperationLeavesFileIdentical_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<int>("op");
    const char* names[] = {
        "update panel at count", "panel results at count", "load row at count",
        "duplicate panel name (other case)", "panel name with /", "panel name of 32 chars",
        "rename panel to another's name", "insert panel beyond count", "delete panel at count",
        "board results at count", "circuit row at count", "transformer sheet 5",
        "tray update at count", "tray PE name over 31 chars", "tray PE row of tray without PE",
        "fault sheet 10", "bus page 100", "bus row -1",
    };
    const int roles[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 4, 3, 3, 3, 6, 7, 7};
    for (int i = 0; i < int(std::size(names)); ++i)
        QTest::newRow(names[i]) << roles[i] << i;
}

void TestCompanionStores::refusedOperationLeavesFileIdentical()
{
    QFETCH(int, role);
    QFETCH(int, op);
    CSevrinApp& a = *m_app;
    auto& panel = a.MotorControlCenterBlock.MccPanelRecord;
    // Each workbook with some content.
    for (const char* name : {"MCC-1", "MCC-2"}) {
        panel[0] = name;
        QVERIFY(a.AddMccPanelSheet());
    }
    a.CabinetSizingBlock.BoardRecord[0] = "LP-1";
    QVERIFY(a.AddPanelBoardSheet());
    QVERIFY(a.ReadTransformerSheet(0));
    a.CableTrayBlock.TrayRecord[0] = "T-1";
    QVERIFY(a.AddTraySheets());
    a.CableTrayBlock.TrayRecord[0] = "T-2";
    QVERIFY(a.AddTraySheets());
    QVERIFY(!a.ReadFaultDataRow(0, 0));
    QVERIFY(MakeBusWorkbook(path(CSevrinApp::BusWorkbook1)));
    {
        // The last tray loses its PE sheet.
        Book book;
        QVERIFY(book.load(path(CSevrinApp::TrayWorkbook)));
        QVERIFY(book.delSheet(3));
        QVERIFY(book.save(path(CSevrinApp::TrayWorkbook)));
    }
    const QByteArray before = FileBytes(path(role));

    const std::function<bool()> ops[] = {
        [&] { panel[0] = "MCC-9"; return a.UpdateMccPanelSheet(2); },
        [&] { return a.WriteMccPanelResults(2); },
        [&] { return a.WriteMccLoadRow(2, 0, true); },
        [&] { panel[0] = "mcc-1"; return a.AddMccPanelSheet(); },
        [&] { panel[0] = "MCC/3"; return a.InsertMccPanelSheet(0); },
        [&] { panel[0] = QString(32, 'M'); return a.AddMccPanelSheet(); },
        [&] { panel[0] = "MCC-2"; return a.UpdateMccPanelSheet(0); },
        [&] { panel[0] = "MCC-3"; return a.InsertMccPanelSheet(3); },
        [&] { return a.DeleteMccPanelSheet(2); },
        [&] { return a.WritePanelBoardResults(1); },
        [&] { return a.WriteCircuitRow(1, 0, false); },
        [&] { return a.WriteTransformerSheet(5); },
        [&] { a.CableTrayBlock.TrayRecord[0] = "T-9"; return a.UpdateTraySheets(2); },
        [&] { a.CableTrayBlock.TrayRecord[0] = QString(31, 'T'); return a.AddTraySheets(); },
        [&] { return a.WriteTrayPeRow(1, 0, false); },
        [&] { return a.WriteFaultDataRow(10, 0, false); },
        [&] { return a.WriteBusRow(0, 100, 0); },
        [&] { return a.WriteBusRow(0, 0, -1); },
    };
    QVERIFY(!ops[op]());
    QCOMPARE(FileBytes(path(role)), before);
    // And the next store call sees the file, not a half-changed copy.
    if (role == CSevrinApp::MccWorkbook) {
        QVERIFY(a.ReadMccPanelSheet(1));
        QCOMPARE(panel[0], QString("MCC-2"));
        QVERIFY(!a.ReadMccPanelSheet(2));
    }
}

void TestCompanionStores::failedSaveIsReported()
{
    CSevrinApp& a = *m_app;
    a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-1";
    QVERIFY(a.AddMccPanelSheet());
    // The project's folder is replaced by a file: nothing can be saved there any more.
    const QString folder = m_dir->filePath("my.project/P1");
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(WriteBytes(folder, "not a folder"));
    a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-2";
    QVERIFY(!a.AddMccPanelSheet());
    QVERIFY(!a.WriteCableRow(0, false));
    QVERIFY(!a.ReadMccPanelSheet(0));
}

void TestCompanionStores::noProjectWritesNothing()
{
    // Without a chosen project no store writes a stray workbook into the working folder.
    CSevrinApp& a = *m_app;
    a.ProjectPathTable.CurrentProjectPath.clear();
    const QString cwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-1";
    const bool added = a.AddMccPanelSheet();
    const bool wrote = a.WriteCableRow(0, false);
    const bool read = a.ReadTransformerSheet(0) || a.ReadFaultDataRow(0, 0);
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    QVERIFY(QDir::setCurrent(cwd));
    QVERIFY(!added);
    QVERIFY(!wrote);
    QVERIFY(!read);
    QCOMPARE(files, QStringList());
}

// ---- "_10" and "_20" ------------------------------------------------------------------------

void TestCompanionStores::panelSheetsAndLoadRows()
{
    CSevrinApp& a = *m_app;
    auto& b = a.MotorControlCenterBlock;
    Fill(b.MccPanelRecord, "A");
    b.MccPanelRecord[0] = "MCC-A";
    QVERIFY(a.AddMccPanelSheet());
    b.MccPanelRecord[0] = "MCC-B";
    QVERIFY(a.AddMccPanelSheet());
    b.MccPanelRecord[0] = "MCC-0";
    b.MccPanelRecord[3] = "TR-1";
    QVERIFY(a.InsertMccPanelSheet(0));
    QCOMPARE(WorkbookSheetNames(path(0)), QStringList({"MCC-0", "MCC-A", "MCC-B"}));

    // Results never written read as empty texts.
    QVERIFY(a.ReadMccPanelSheet(0));
    QCOMPARE(b.MccPanelRecord[0], QString("MCC-0"));
    QCOMPARE(b.MccPanelRecord[3], QString("TR-1"));
    for (int e = 7; e < 20; ++e)
        QCOMPARE(b.MccPanelRecord[std::size_t(e)], QString());

    Fill(b.MccPanelRecord, "R");
    QVERIFY(a.WriteMccPanelResults(1));
    const struct { int row, col, element; } cells[] = {
        {0, 1, 7}, {2, 1, 9}, {0, 2, 10}, {5, 2, 15}, {0, 3, 16}, {3, 3, 19}};
    for (const auto& c : cells)
        QCOMPARE(FileCell(path(0), 1, c.row, c.col), std::optional<QString>(QString("R-%1").arg(c.element)));
    // Header untouched by the results.
    QCOMPARE(FileCell(path(0), 1, 0, 0), std::optional<QString>("A-1"));

    // Rename keeps the results; renaming to its own name in another case is allowed.
    b.MccPanelRecord[0] = "mcc-a";
    b.MccPanelRecord[1] = "전기실";
    QVERIFY(a.UpdateMccPanelSheet(1));
    QVERIFY(a.ReadMccPanelSheet(1));
    QCOMPARE(b.MccPanelRecord[0], QString("mcc-a"));
    QCOMPARE(b.MccPanelRecord[1], QString("전기실"));
    QCOMPARE(b.MccPanelRecord[19], QString("R-19"));

    // Load rows: an empty-text first cell is still a row; a missing first cell ends the list.
    Fill(b.MccLoadRow, "L0");
    QVERIFY(a.WriteMccLoadRow(1, 0, false));
    Fill(b.MccLoadRow, "L1");
    b.MccLoadRow[0] = "";
    QVERIFY(a.WriteMccLoadRow(1, 1, false));
    Fill(b.MccLoadRow, "L2");
    QVERIFY(a.WriteMccLoadRow(1, 2, false));
    Fill(b.MccLoadRow, "Lx");
    QVERIFY(a.WriteMccLoadRow(1, 1, true));  // inserted before the empty-named load

    QStringList listed;
    for (int r = 0; a.ReadMccLoadRow(1, r); ++r)
        listed << b.MccLoadRow[39];
    QCOMPARE(listed, QStringList({"L0-39", "Lx-39", "L1-39", "L2-39"}));
    QCOMPARE(b.MccSheetName, QString("mcc-a"));
    QCOMPARE(b.MccLoadRow[5], QString());  // the absent row reads as empty texts

    QVERIFY(a.DeleteMccLoadRow(1, 0));
    QVERIFY(a.ReadMccLoadRow(1, 0));
    QCOMPARE(b.MccLoadRow[0], QString("Lx-0"));
    QVERIFY(a.ReadMccLoadRow(1, 1));
    QCOMPARE(b.MccLoadRow[0], QString(""));
    QCOMPARE(b.MccLoadRow[1], QString("L1-1"));

    // Deleting a panel moves the later ones up.
    QVERIFY(a.DeleteMccPanelSheet(0));
    QCOMPARE(WorkbookSheetNames(path(0)), QStringList({"mcc-a", "MCC-B"}));
    QVERIFY(!a.ReadMccLoadRow(2, 0));
}

void TestCompanionStores::boardSheetsAndCircuitSums()
{
    CSevrinApp& a = *m_app;
    auto& b = a.CabinetSizingBlock;
    double l1 = 7, l2 = 7, l3 = 7;
    a.SumCircuitLoads(0, l1, l2, l3);  // no workbook: zero sums
    QCOMPARE(l1 + l2 + l3, 0.0);

    Fill(b.BoardRecord, "H");
    b.BoardRecord[0] = "LP-1";
    QVERIFY(a.AddPanelBoardSheet());
    b.BoardRecord[0] = "LP-2";
    QVERIFY(a.AddPanelBoardSheet());
    Fill(b.BoardRecord, "R");
    QVERIFY(a.WritePanelBoardResults(0));
    QVERIFY(a.ReadPanelBoardSheet(0));
    QCOMPARE(b.BoardRecord[0], QString("LP-1"));
    QCOMPARE(b.BoardRecord[6], QString("H-6"));
    QCOMPARE(b.BoardRecord[12], QString("R-12"));
    QCOMPARE(FileCell(path(1), 0, 2, 2), std::optional<QString>("R-12"));

    // Circuits: loads in VA; "" and "-" mark an unloaded phase.
    const struct { const char* name; const char* p1; const char* p2; const char* p3; } circuits[] = {
        {"전등 1", "1000", "", "-"},
        {"전열 2", "-", "1500.5", "250"},
        {"", "9999", "9999", "9999"},  // empty load name: ends the board
        {"예비", "5000", "5000", "5000"},
    };
    for (int i = 0; i < int(std::size(circuits)); ++i) {
        for (QString& s : b.CircuitRow)
            s = "x";
        b.CircuitRow[1] = circuits[i].name;
        b.CircuitRow[6] = circuits[i].p1;
        b.CircuitRow[7] = circuits[i].p2;
        b.CircuitRow[8] = circuits[i].p3;
        QVERIFY(a.WriteCircuitRow(0, i, false));
    }
    a.SumCircuitLoads(0, l1, l2, l3);
    QCOMPARE(l1, 1000.0);
    QCOMPARE(l2, 1500.5);
    QCOMPARE(l3, 250.0);
    QCOMPARE(b.CircuitRow[6], QString("9999"));  // the buffer holds the row that ended the scan

    a.SumCircuitLoads(5, l1, l2, l3);  // no such board
    QCOMPARE(l1 + l2 + l3, 0.0);

    // Never beyond circuit 999.
    {
        CompanionBatch batch;
        for (int i = 0; i < 1001; ++i) {
            b.CircuitRow[1] = QString("C%1").arg(i);
            b.CircuitRow[6] = "1";
            b.CircuitRow[7] = "2";
            b.CircuitRow[8] = "0.5";
            QVERIFY(a.WriteCircuitRow(1, i, false));
        }
        QVERIFY(batch.finish());
    }
    a.SumCircuitLoads(1, l1, l2, l3);
    QCOMPARE(l1, 1000.0);
    QCOMPARE(l2, 2000.0);
    QCOMPARE(l3, 500.0);

    QVERIFY(a.DeleteCircuitRow(0, 0));
    a.SumCircuitLoads(0, l1, l2, l3);
    QCOMPARE(l1, 0.0);
    QCOMPARE(l2, 1500.5);

    // A stored load that is no number of at least 0 leaves its phase without a sum.
    b.CircuitRow[1] = "전열 3";
    b.CircuitRow[6] = "1e308";
    b.CircuitRow[7] = "-5";
    b.CircuitRow[8] = "1";
    QVERIFY(a.WriteCircuitRow(0, 0, false));
    a.SumCircuitLoads(0, l1, l2, l3);
    QVERIFY(std::isnan(l1));
    QVERIFY(std::isnan(l2));
    QCOMPARE(l3, 1.0);
}

void TestCompanionStores::panelNameRegistry()
{
    CSevrinApp& a = *m_app;
    a.CollectPanelNames();
    QCOMPARE(a.PanelNameRegistry.PanelNameCount, 0);

    {
        CompanionBatch batch;
        for (const char* n : {"MCC-1", "MCC-2"}) {
            a.MotorControlCenterBlock.MccPanelRecord[0] = n;
            QVERIFY(a.AddMccPanelSheet());
        }
        a.CabinetSizingBlock.BoardRecord[0] = "LP-1";
        QVERIFY(a.AddPanelBoardSheet());
    }
    a.CollectPanelNames();
    QCOMPARE(a.PanelNameRegistry.PanelNameCount, 3);
    QCOMPARE(a.PanelNameRegistry.PanelNames[2], QString("LP-1"));
    QVERIFY(a.IsPanelName("MCC-2"));
    QVERIFY(a.IsPanelName("LP-1"));
    QVERIFY(!a.IsPanelName("mcc-1"));  // case-sensitive
    QVERIFY(!a.IsPanelName("MCC"));    // whole text
    QVERIFY(!a.IsPanelName(""));

    // 100 panels fill the registry; no board name gets in.
    {
        CompanionBatch batch;
        for (int i = 3; i <= 100; ++i) {
            a.MotorControlCenterBlock.MccPanelRecord[0] = QString("MCC-%1").arg(i);
            QVERIFY(a.AddMccPanelSheet());
        }
    }
    a.CollectPanelNames();
    QCOMPARE(a.PanelNameRegistry.PanelNameCount, 100);
    QVERIFY(a.IsPanelName("MCC-100"));
    QVERIFY(!a.IsPanelName("LP-1"));
}

// ---- "_30", "_40", "_50", "_60" -------------------------------------------------------------

void TestCompanionStores::transformerWorkbook()
{
    CSevrinApp& a = *m_app;
    auto& b = a.TransformerSizingBlock;
    Fill(b.TransformerRecord, "old");
    QVERIFY(a.ReadTransformerSheet(0));  // creates the five sheets
    for (const QString& s : b.TransformerRecord)
        QCOMPARE(s, QString());
    QVERIFY(!a.ReadTransformerSheet(5));

    Fill(b.TransformerRecord, "W");
    QVERIFY(a.WriteTransformerSheet(2));
    QCOMPARE(FileCell(path(4), 2, 3, 0), std::optional<QString>("W-3"));   // last header cell
    QCOMPARE(FileCell(path(4), 2, 3, 1), std::optional<QString>("W-4"));   // column c = element c + 3
    QCOMPARE(FileCell(path(4), 2, 3, 16), std::optional<QString>("W-19"));

    Fill(b.TransformerRecord, "C");
    QVERIFY(a.WriteTransformerResults(2));
    QVERIFY(a.ReadTransformerSheet(2));
    for (int e = 0; e < 20; ++e) {
        const bool computed = e == 6 || e == 7 || e == 8 || e == 14 || e == 15 || e == 16;
        QCOMPARE(b.TransformerRecord[std::size_t(e)], QString("%1-%2").arg(computed ? "C" : "W").arg(e));
    }

    // A load with empty text in cell 0 does not end the list.
    Fill(b.TransformerLoadRow, "L");
    b.TransformerLoadRow[0] = "";
    QVERIFY(a.WriteTransformerLoadRow(2, 0, false));
    Fill(b.TransformerLoadRow, "M");
    QVERIFY(a.WriteTransformerLoadRow(2, 0, true));
    int count = 0;
    while (a.ReadTransformerLoadRow(2, count))
        ++count;
    QCOMPARE(count, 2);
    QCOMPARE(b.TransformerSheetName, QString("TR-3"));
    QVERIFY(a.DeleteTransformerLoadRow(2, 0));
    QVERIFY(a.ReadTransformerLoadRow(2, 0));
    QCOMPARE(b.TransformerLoadRow[6], QString("L-6"));
    QCOMPARE(FileCell(path(4), 2, 4, 0), std::optional<QString>(""));
}

void TestCompanionStores::cableAndGeneratorRows()
{
    CSevrinApp& a = *m_app;
    auto& cable = a.CableScheduleBlock.CableRow;
    for (int i = 0; i < 3; ++i) {
        Fill(cable, QString("C%1").arg(i));
        QVERIFY(a.WriteCableRow(i, false));
    }
    Fill(cable, "Cx");
    QVERIFY(a.WriteCableRow(1, true));
    QStringList listed;
    for (int r = 0; a.ReadCableRow(r); ++r)
        listed << cable[111];
    QCOMPARE(listed, QStringList({"C0-111", "Cx-111", "C1-111", "C2-111"}));

    // A cable whose first cell is empty text ends the schedule.
    Fill(cable, "E");
    cable[0] = "";
    QVERIFY(a.WriteCableRow(1, false));
    QVERIFY(a.ReadCableRow(0));
    QVERIFY(!a.ReadCableRow(1));
    QCOMPARE(cable[1], QString("E-1"));  // still read into the buffer

    // Deleting every row and writing again uses the same sheet "Data".
    for (int i = 0; i < 4; ++i)
        QVERIFY(a.DeleteCableRow(0));
    QVERIFY(!a.ReadCableRow(0));
    Fill(cable, "N");
    QVERIFY(a.WriteCableRow(0, false));
    QCOMPARE(WorkbookSheetNames(path(CSevrinApp::CableWorkbook)), QStringList({"Data"}));
    QVERIFY(a.ReadCableRow(0));
    QCOMPARE(cable[50], QString("N-50"));

    auto& gen = a.GeneratorSizingBlock.GeneratorLoadRow;
    QVERIFY(!a.DeleteGeneratorLoadRow(0));  // no workbook yet
    Fill(gen, "G");
    QVERIFY(a.WriteGeneratorLoadRow(0, false));
    QVERIFY(a.DeleteGeneratorLoadRow(0));
    Fill(gen, "H");
    QVERIFY(a.WriteGeneratorLoadRow(0, false));
    QCOMPARE(WorkbookSheetNames(path(CSevrinApp::GeneratorWorkbook)), QStringList({"Data"}));
    Fill(gen, "?");
    QVERIFY(a.ReadGeneratorLoadRow(0));
    QCOMPARE(gen[13], QString("H-13"));
    QVERIFY(!a.ReadGeneratorLoadRow(1));
}

void TestCompanionStores::traySheets()
{
    CSevrinApp& a = *m_app;
    auto& t = a.CableTrayBlock;
    for (int i = 0; i < 3; ++i) {
        Fill(t.TrayRecord, QString("T%1").arg(i));
        QVERIFY(a.AddTraySheets());
        Fill(t.TrayCableRow, QString("c%1").arg(i));
        QVERIFY(a.WriteTrayCableRow(i, 0, false));
        Fill(t.TrayPeRow, QString("pe%1").arg(i));
        QVERIFY(a.WriteTrayPeRow(i, 0, false));
    }
    Fill(t.TrayResult, "r");
    Fill(t.TrayResultRow, "w");
    QVERIFY(a.WriteTrayResults(1));
    const struct { int row, col; const char* text; } cells[] = {
        {3, 0, "r-0"}, {6, 0, "r-3"}, {0, 1, "w-0"}, {0, 8, "w-7"}, {0, 11, "w-8"}, {0, 12, "w-9"},
        {8, 12, "c1-12"}, {0, 0, "T1-1"}, {2, 0, "T1-3"}};
    for (const auto& c : cells)
        QCOMPARE(FileCell(path(3), 2, c.row, c.col), std::optional<QString>(c.text));
    QCOMPARE(FileCell(path(3), 2, 0, 9), std::nullopt);  // (0,9) and (0,10) hold nothing
    QCOMPARE(FileCell(path(3), 3, 8, 0), std::optional<QString>("pe1-0"));

    Fill(t.TrayResult, "?");
    QVERIFY(a.ReadTrayResults(1));
    QCOMPARE(t.TrayResult[3], QString("r-3"));
    QVERIFY(a.ReadTraySheet(1));
    QCOMPARE(t.TrayRecord[0], QString("T1-0"));
    QCOMPARE(t.TrayRecord[3], QString("T1-3"));

    Fill(t.TrayRecord, "U");
    QVERIFY(a.UpdateTraySheets(0));
    QVERIFY(!a.InsertTraySheets(1));  // "U-0" is tray 0's name now
    Fill(t.TrayRecord, "V");
    QVERIFY(a.InsertTraySheets(1));
    QCOMPARE(WorkbookSheetNames(path(3)),
             QStringList({"U-0", "U-0_", "V-0", "V-0_", "T1-0", "T1-0_", "T2-0", "T2-0_"}));
    QCOMPARE(FileCell(path(3), 0, 8, 0), std::optional<QString>("c0-0"));  // rows stay with the tray

    // Deleting tray 2 of four: tray 3's sheets take places 4 and 5.
    QVERIFY(a.DeleteTraySheets(2));
    QCOMPARE(WorkbookSheetNames(path(3)), QStringList({"U-0", "U-0_", "V-0", "V-0_", "T2-0", "T2-0_"}));
    QVERIFY(a.DeleteTrayPeRow(2, 0));
    QCOMPARE(FileCell(path(3), 5, 8, 0), std::nullopt);
    QVERIFY(a.DeleteTrayCableRow(2, 0));
    QCOMPARE(FileCell(path(3), 4, 8, 0), std::nullopt);
    QVERIFY(!a.DeleteTraySheets(3));
}

// ---- "_80" and the bus workbooks ------------------------------------------------------------

void TestCompanionStores::faultDataWorkbook()
{
    CSevrinApp& a = *m_app;
    auto& f = a.FaultCurrentBlock;
    QVERIFY(!a.ReadFaultDataRow(3, 0));  // creates the ten sheets
    QVERIFY(!a.ReadFaultDataRow(0, 0));  // no line yet
    Fill(f.TransformerImpedanceRow, "old");
    QVERIFY(a.ReadFaultDataRow(2, 0));   // transformer rows always read
    QCOMPARE(f.TransformerImpedanceRow[15], QString());
    QVERIFY(!a.ReadFaultDataRow(10, 0));
    QVERIFY(!a.ReadFaultDataRow(9, 0));

    const QByteArray before = FileBytes(path(6));
    QVERIFY(a.WriteFaultDataRow(9, 0, false));  // saves, writes no cell
    for (int s = 0; s < 10; ++s)
        QCOMPARE(FileCell(path(6), s, 0, 0), std::nullopt);
    Q_UNUSED(before);

    // Each sheet with its own buffer and width.
    Fill(f.LineRow, "line");
    QVERIFY(a.WriteFaultDataRow(0, 0, false));
    Fill(f.IncomingCableRow, "in");
    QVERIFY(a.WriteFaultDataRow(1, 0, false));
    Fill(f.TransformerImpedanceRow, "tr0");
    QVERIFY(a.WriteFaultDataRow(2, 0, false));
    Fill(f.TransformerImpedanceRow, "tr1");
    QVERIFY(a.WriteFaultDataRow(2, 0, true));  // no insertion on the transformer sheet
    Fill(f.FaultMotorRow, "m");
    QVERIFY(a.WriteFaultDataRow(7, 0, false));
    Fill(f.FaultCableRow, "cb");
    QVERIFY(a.WriteFaultDataRow(8, 0, false));
    Fill(f.FaultCableRow, "cb0");
    QVERIFY(a.WriteFaultDataRow(8, 0, true));

    const struct { int sheet, col; std::optional<QString> text; } cells[] = {
        {0, 15, "line-15"}, {0, 16, std::nullopt}, {1, 15, "in-15"}, {2, 15, "tr1-15"},
        {7, 26, "m-26"}, {7, 27, std::nullopt}, {8, 16, "cb0-16"}, {8, 17, std::nullopt}};
    for (const auto& c : cells)
        QCOMPARE(FileCell(path(6), c.sheet, 0, c.col), c.text);
    QCOMPARE(FileCell(path(6), 8, 1, 0), std::optional<QString>("cb-0"));
    QCOMPARE(FileCell(path(6), 2, 1, 0), std::nullopt);

    QVERIFY(a.ReadFaultDataRow(8, 1));
    QCOMPARE(f.FaultCableRow[16], QString("cb-16"));
    QVERIFY(!a.ReadFaultDataRow(8, 2));
    QVERIFY(a.DeleteFaultDataRow(8, 0));
    QVERIFY(a.ReadFaultDataRow(8, 0));
    QCOMPARE(f.FaultCableRow[0], QString("cb-0"));
    QVERIFY(!a.DeleteFaultDataRow(10, 0));
}

void TestCompanionStores::busPagesKeepTheirCount()
{
    CSevrinApp& a = *m_app;
    auto& f = a.FaultCurrentBlock;
    const QString bus = path(CSevrinApp::BusWorkbook1 + 1);
    QVERIFY(MakeBusWorkbook(bus));
    // Pages 0..5 named by their bus; the spare (99) holds a leftover mark.
    for (int p = 0; p < 6; ++p) {
        Fill(f.BusRow, QString("p%1").arg(p));
        f.BusRow[16] = QString("BUS-%1").arg(p);
        QVERIFY(a.WriteBusRow(1, p, 0));
        QVERIFY(a.WriteBusRow(1, p, 1));
        Fill(f.BusPageHeader, QString("h%1").arg(p));
        QVERIFY(a.WriteBusPageHeader(1, p));
    }
    f.BusRow[16] = "SPARE";
    QVERIFY(a.WriteBusRow(1, 99, 0));
    QVERIFY(a.WriteBusNameColumn(1, 2, "BUS-2 NEW", 2));
    QCOMPARE(FileCell(bus, 2, 2, 16), std::optional<QString>("BUS-2 NEW"));
    QCOMPARE(FileCell(bus, 2, 3, 16), std::nullopt);

    auto busName = [&](int page) { return FileCell(bus, page, 1, 16).value_or("<none>"); };

    QVERIFY(a.MoveBusPage(1, 3, true));
    QCOMPARE(WorkbookSheetNames(bus).size(), 100);
    QCOMPARE(busName(3), QString("SPARE"));
    QCOMPARE(busName(4), QString("BUS-3"));
    QCOMPARE(busName(6), QString("BUS-5"));
    QCOMPARE(FileCell(bus, 4, 0, 14), std::optional<QString>("h3-14"));

    // A page with more bus rows than the header plus 100: all of it goes.
    {
        CompanionBatch batch;
        for (int r = 0; r < 150; ++r) {
            Fill(f.BusRow, QString("long%1").arg(r));
            f.BusRow[16] = "LONG";
            QVERIFY(a.WriteBusRow(1, 3, r));
        }
    }
    QVERIFY(a.MoveBusPage(1, 3, false));
    QCOMPARE(WorkbookSheetNames(bus).size(), 100);
    QCOMPARE(busName(3), QString("BUS-3"));
    QCOMPARE(busName(5), QString("BUS-5"));
    QCOMPARE(busName(99), QString("<none>"));
    QCOMPARE(FileCell(bus, 99, 120, 16), std::nullopt);
    QCOMPARE(FileCell(bus, 99, 0, 0), std::nullopt);

    QVERIFY(a.DeleteBusRow(1, 0, 0));
    QCOMPARE(FileCell(bus, 0, 1, 0), std::optional<QString>("p0-0"));
    QCOMPARE(FileCell(bus, 0, 2, 0), std::nullopt);

    QVERIFY(!a.MoveBusPage(1, 100, true));
    QVERIFY(!a.MoveBusPage(2, 0, true));  // "_853" does not exist and is not created
    QVERIFY(!QFile::exists(path(CSevrinApp::BusWorkbook1 + 2)));
}

void TestCompanionStores::busSearches_data()
{
    QTest::addColumn<int>("tr");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("containing");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    // Pages: "MCC-1" (12.5/31.5 kA), "MCC-1 BUS" (8/20), "LP-2" (no results), "LP-3" and
    // "LP-4" (results that are no numbers), "" (spare).
    const double keep = -1.0;  // the caller's preset
    QTest::newRow("exact") << 0 << "MCC-1" << false << true << 12.5 << 31.5;
    QTest::newRow("exact is case-sensitive") << 0 << "mcc-1" << false << false << keep << keep;
    QTest::newRow("containing skips the equal bus") << 0 << "MCC-1" << true << true << 8.0 << 20.0;
    QTest::newRow("containing a part") << 0 << "BUS" << true << true << 8.0 << 20.0;
    QTest::newRow("exact finds no part") << 0 << "BUS" << false << false << keep << keep;
    QTest::newRow("empty name containing: first named page") << 0 << "" << true << true << 12.5 << 31.5;
    QTest::newRow("empty name exact: nothing") << 0 << "" << false << false << keep << keep;
    QTest::newRow("found without results keeps presets") << 0 << "LP-2" << false << true << keep << keep;
    QTest::newRow("index 7 is TR-5") << 7 << "TR5-BUS" << false << true << 1.0 << 2.0;
    // A result cell is read strictly: a decimal comma, "nan", a unit or a negative current is
    // no value (shown "-"), never the number it starts with (12 kA for "12,5").
    QTest::newRow("comma and nan are no value") << 0 << "LP-3" << false << true << NO_VALUE << NO_VALUE;
    QTest::newRow("unit and negative are no value") << 0 << "LP-4" << false << true << NO_VALUE << NO_VALUE;
    QTest::newRow("missing workbook") << 1 << "MCC-1" << false << false << keep << keep;
}

void TestCompanionStores::busSearches()
{
    QFETCH(int, tr);
    QFETCH(QString, name);
    QFETCH(bool, containing);
    QFETCH(bool, found);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    CSevrinApp& a = *m_app;
    auto& f = a.FaultCurrentBlock;
    QVERIFY(MakeBusWorkbook(path(CSevrinApp::BusWorkbook1)));
    QVERIFY(MakeBusWorkbook(path(CSevrinApp::BusWorkbook1 + 4)));
    const struct { int tr, page; const char* bus; const char* max; const char* min; } pages[] = {
        {0, 0, "MCC-1", "31.5", "12.5"}, {0, 1, "MCC-1 BUS", "20", "8"}, {0, 2, "LP-2", "", ""},
        {0, 3, "LP-3", "12,5", "nan"}, {0, 4, "LP-4", "3 kA", "-5"}, {4, 5, "TR5-BUS", "2", "1"}};
    for (const auto& p : pages) {
        Fill(f.BusRow, "b");
        f.BusRow[16] = p.bus;
        QVERIFY(a.WriteBusRow(p.tr, p.page, 0));
        for (QString& s : f.BusPageHeader)
            s.clear();
        f.BusPageHeader[1] = p.max;
        f.BusPageHeader[2] = p.min;
        QVERIFY(a.WriteBusPageHeader(p.tr, p.page));
    }
    double lo = -1.0, hi = -1.0;
    const bool got = containing ? a.FindBusFaultValuesContaining(tr, name, lo, hi)
                                : a.FindBusFaultValues(tr, name, lo, hi);
    QCOMPARE(got, found);
    QCOMPARE(lo, minimum);
    QCOMPARE(hi, maximum);
}

// ---- cache and batches ----------------------------------------------------------------------

void TestCompanionStores::cacheFollowsTheFile()
{
    CSevrinApp& a = *m_app;
    auto& cable = a.CableScheduleBlock.CableRow;
    Fill(cable, "ours");
    QVERIFY(a.WriteCableRow(0, false));
    QVERIFY(a.ReadCableRow(0));  // now cached

    // Somebody else changes the file (a spreadsheet program, a copied project).
    {
        Book book;
        QVERIFY(book.load(path(2)));
        QVERIFY(book.getSheet(0)->writeStr(0, 5, "theirs, and longer"));
        QVERIFY(book.getSheet(0)->writeStr(1, 0, "second"));
        QVERIFY(book.save(path(2)));
    }
    QVERIFY(a.ReadCableRow(0));
    QCOMPARE(cable[5], QString("theirs, and longer"));
    QVERIFY(a.ReadCableRow(1));

    // The file is deleted: readers find nothing, the next writer starts a new file.
    QVERIFY(QFile::remove(path(2)));
    QVERIFY(!a.ReadCableRow(0));
    Fill(cable, "new");
    QVERIFY(a.WriteCableRow(0, false));
    QVERIFY(!a.ReadCableRow(1));
    QCOMPARE(WorkbookSheetNames(path(2)), QStringList({"Data"}));

    // The file turns into junk: not even the cached copy is written over it.
    QVERIFY(WriteBytes(path(2), "junk"));
    QVERIFY(!a.WriteCableRow(1, false));
    QVERIFY(!a.ReadCableRow(0));
    QCOMPARE(FileBytes(path(2)), QByteArray("junk"));
}

void TestCompanionStores::batchSavesOnceAtItsEnd()
{
    CSevrinApp& a = *m_app;
    auto& cable = a.CableScheduleBlock.CableRow;
    Fill(cable, "first");
    QVERIFY(a.WriteCableRow(0, false));
    const QByteArray before = FileBytes(path(2));
    {
        CompanionBatch batch;
        for (int r = 0; r < 20; ++r) {
            Fill(cable, QString("r%1").arg(r));
            QVERIFY(a.WriteCableRow(r, false));
        }
        // Within the handler the stores see their own changes ...
        QVERIFY(a.ReadCableRow(19));
        QCOMPARE(cable[0], QString("r19-0"));
        // ... and the file is written once, at the end.
        QCOMPARE(FileBytes(path(2)), before);
        QVERIFY(batch.finish());
    }
    QCOMPARE(FileCell(path(2), 0, 19, 111), std::optional<QString>("r19-111"));
    QCOMPARE(FileCell(path(2), 0, 0, 0), std::optional<QString>("r0-0"));

    // A batch whose save fails says so, and the stores then see what the file holds.
    {
        CompanionBatch batch;
        Fill(cable, "lost");
        QVERIFY(a.WriteCableRow(0, false));
        const QString folder = m_dir->filePath("my.project/P1");
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(WriteBytes(folder, "not a folder"));
        QVERIFY(!batch.finish());
    }
    QVERIFY(!a.ReadCableRow(0));
}

// ---- an independent reader ------------------------------------------------------------------

void TestCompanionStores::openpyxlReadsEveryStore_data()
{
    QTest::addColumn<int>("role");
    QTest::newRow("_10") << int(CSevrinApp::MccWorkbook);
    QTest::newRow("_20") << int(CSevrinApp::PanelBoardWorkbook);
    QTest::newRow("_30") << int(CSevrinApp::TransformerWorkbook);
    QTest::newRow("_40") << int(CSevrinApp::CableWorkbook);
    QTest::newRow("_50") << int(CSevrinApp::TrayWorkbook);
    QTest::newRow("_60") << int(CSevrinApp::GeneratorWorkbook);
    QTest::newRow("_80") << int(CSevrinApp::FaultDataWorkbook);
    QTest::newRow("_851") << int(CSevrinApp::BusWorkbook1);
}

void TestCompanionStores::openpyxlReadsEveryStore()
{
    QFETCH(int, role);
    CSevrinApp& a = *m_app;
    // Korean text, a unit sign, an empty text and a number-like text in every workbook.
    auto fillKorean = [](auto& row) {
        Fill(row, "값");
        row[1] = "";
        row[2] = "12.50";
        row[row.size() - 1] = "㎟ 끝";
    };
    // Cells expected: [sheet, row, col, text]; None for a cell that must not exist.
    QJsonArray expect;
    auto want = [&](int sheet, int row, int col, const QJsonValue& v) {
        expect.append(QJsonArray{sheet, row, col, v});
    };
    switch (role) {
    case CSevrinApp::MccWorkbook:
        Fill(a.MotorControlCenterBlock.MccPanelRecord, "패널");
        a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-동력";
        QVERIFY(a.AddMccPanelSheet());
        QVERIFY(a.WriteMccPanelResults(0));
        fillKorean(a.MotorControlCenterBlock.MccLoadRow);
        QVERIFY(a.WriteMccLoadRow(0, 0, false));
        want(0, 0, 0, "패널-1");
        want(0, 3, 3, "패널-19");
        want(0, 6, 1, "");
        want(0, 6, 2, "12.50");
        want(0, 6, 39, "㎟ 끝");
        break;
    case CSevrinApp::PanelBoardWorkbook:
        Fill(a.CabinetSizingBlock.BoardRecord, "분전반");
        a.CabinetSizingBlock.BoardRecord[0] = "LP-1";
        QVERIFY(a.AddPanelBoardSheet());
        QVERIFY(a.WritePanelBoardResults(0));
        fillKorean(a.CabinetSizingBlock.CircuitRow);
        QVERIFY(a.WriteCircuitRow(0, 0, false));
        want(0, 2, 2, "분전반-12");
        want(0, 6, 59, "㎟ 끝");
        want(0, 6, 1, "");
        break;
    case CSevrinApp::TransformerWorkbook:
        QVERIFY(a.ReadTransformerSheet(0));
        Fill(a.TransformerSizingBlock.TransformerRecord, "변압기");
        QVERIFY(a.WriteTransformerSheet(4));
        fillKorean(a.TransformerSizingBlock.TransformerLoadRow);
        QVERIFY(a.WriteTransformerLoadRow(4, 0, false));
        want(4, 3, 0, "변압기-3");
        want(4, 3, 16, "변압기-19");
        want(4, 4, 6, "㎟ 끝");
        break;
    case CSevrinApp::CableWorkbook:
        fillKorean(a.CableScheduleBlock.CableRow);
        QVERIFY(a.WriteCableRow(0, false));
        QVERIFY(a.WriteCableRow(0, true));
        want(0, 0, 111, "㎟ 끝");
        want(0, 1, 1, "");
        want(0, 1, 2, "12.50");
        want(0, 2, 0, QJsonValue());
        break;
    case CSevrinApp::TrayWorkbook:
        Fill(a.CableTrayBlock.TrayRecord, "트레이");
        QVERIFY(a.AddTraySheets());
        Fill(a.CableTrayBlock.TrayResultRow, "결과");
        QVERIFY(a.WriteTrayResults(0));
        fillKorean(a.CableTrayBlock.TrayPeRow);
        QVERIFY(a.WriteTrayPeRow(0, 0, false));
        want(0, 0, 12, "결과-9");
        want(1, 8, 12, "㎟ 끝");
        want(0, 0, 9, QJsonValue());
        break;
    case CSevrinApp::GeneratorWorkbook:
        fillKorean(a.GeneratorSizingBlock.GeneratorLoadRow);
        QVERIFY(a.WriteGeneratorLoadRow(0, false));
        want(0, 0, 13, "㎟ 끝");
        want(0, 0, 1, "");
        break;
    case CSevrinApp::FaultDataWorkbook:
        QVERIFY(!a.ReadFaultDataRow(0, 0));
        fillKorean(a.FaultCurrentBlock.FaultMotorRow);
        QVERIFY(a.WriteFaultDataRow(3, 0, false));
        want(3, 0, 26, "㎟ 끝");
        want(9, 0, 0, QJsonValue());
        break;
    default:
        QVERIFY(MakeBusWorkbook(path(role)));
        fillKorean(a.FaultCurrentBlock.BusRow);
        QVERIFY(a.WriteBusRow(0, 0, 0));
        QVERIFY(a.MoveBusPage(0, 0, true));  // the page moves to index 1
        want(1, 1, 19, "㎟ 끝");
        want(0, 1, 19, QJsonValue());
        break;
    }
    const QString script = QStringLiteral(R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": wb.sheetnames, "cells": []}
for sheet, row, col, _ in json.loads(sys.argv[2]):
    c = wb.worksheets[sheet].cell(row=row + 1, column=col + 1)
    # Every stored cell is text: a number cell would be a fault.
    out["cells"].append(None if c.value is None and c.data_type != 's' else
                        ("" if c.value is None else c.value) if c.data_type == 's' else
                        "<%s %r>" % (c.data_type, c.value))
print(json.dumps(out, ensure_ascii=False))
)");
    const PythonResult r = RunPython(
        script, {path(role), QString::fromUtf8(QJsonDocument(expect).toJson(QJsonDocument::Compact))});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject got = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QJsonArray names;
    for (const QString& n : WorkbookSheetNames(path(role)))
        names.append(n);
    QCOMPARE(got.value("sheets").toArray(), names);
    const QJsonArray cells = got.value("cells").toArray();
    QCOMPARE(cells.size(), expect.size());
    for (int i = 0; i < expect.size(); ++i) {
        const QJsonArray e = expect[i].toArray();
        QVERIFY2(cells[i] == e[3], qPrintable(QString("sheet %1 cell (%2,%3): %4")
                                                  .arg(e[0].toInt()).arg(e[1].toInt()).arg(e[2].toInt())
                                                  .arg(QString::fromUtf8(QJsonDocument(QJsonArray{cells[i]}).toJson()))));
    }
}

QTEST_GUILESS_MAIN(TestCompanionStores)
#include "tst_companionstores.moc"
