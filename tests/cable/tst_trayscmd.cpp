// The driver's "trays" command on a small project with the shipped library: every tray of
// "_50" recomputed from its stored rows and choices, one line per tray, compared with a
// hand-checked file. The figures:
//   TR-A: the worked tray of tst_traysizing.cpp (ΣB 114.8 mm, ΣG 6.99 kg/m, margin 1.4 ->
//         200 mm tray, 57.4 %, ladder 5.9 + cover 3.3 kg/m, total 16.19).
//   TR-B: no rows: first tray width 150 mm, 0 %, ladder 5.4 + cover 2.8 = 8.2 kg/m.
//   TR-C: four FCV 300 mm2 4C x 4L: ΣB = 4 x 4 x 67.3 = 1076.8 mm over the 1000 mm tray,
//         107.7 %; ΣG = 4 x 4 x 13.29 = 212.64 kg/m; dust tray 11.7 kg/m (cover column),
//         no cover: total 224.34 kg/m (data/FCVOD.csv, FCVW.csv, TRAY.csv).
#include "common/companionsuffixes.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/trayapp.h"
#include "common/calcdriver.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QTest>

namespace {

struct RowSpec
{
    QString type, sq, core, line;
};

// The shipped library, read from the program folder's copy.
bool UseShippedLibrary(CSevrinApp& app, const TempDriverProject& where)
{
    app.ProjectPathTable.LibWorkbookPath = where.root() + "/LIB/lib_v3p4.xlsx";
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    app.LoadLibraryWorkbook();
    app.ProjectPathTable.CurrentProjectPath = where.project();
    return true;
}

}  // namespace

class TestTraysCommand : public QObject
{
    Q_OBJECT

private slots:
    void recomputesEveryTray();
    void nonsenseRowsPrintNoFigure();
    void rowsPastTheLimitAreSaid_data();
    void rowsPastTheLimitAreSaid();
    void workbookMissingPrintsNothingUnreadableFails();

private:
    bool AddTray(CSevrinApp& app, int t, const QString& name, const QList<RowSpec>& cables,
                 const QList<RowSpec>& pes, const std::array<QString, 4>& choices);
};

bool TestTraysCommand::AddTray(CSevrinApp& app, int t, const QString& name,
                               const QList<RowSpec>& cables, const QList<RowSpec>& pes,
                               const std::array<QString, 4>& choices)
{
    auto& block = app.CableTrayBlock;
    block.TrayRecord = {name, "전기실", "MDB", "MCC-1"};
    if (!app.AddTraySheets())
        return false;
    AppTrayLookup lookup(app);
    for (int k = 0; k < cables.size(); ++k) {
        TrayRow& r = block.TrayCableRow;
        r = TrayRow{};
        r[0] = QString::number(k + 1);
        r[1] = QStringLiteral("C%1").arg(k + 1);
        r[5] = cables[k].type;
        r[6] = cables[k].sq;
        r[7] = cables[k].core;
        r[8] = cables[k].line;
        CalcTrayCableRow(r, lookup);
        if (!app.WriteTrayCableRow(t, k, false))
            return false;
    }
    for (int k = 0; k < pes.size(); ++k) {
        TrayRow& r = block.TrayPeRow;
        r = TrayRow{};
        r[0] = QString::number(k + 1);
        r[1] = "PE";
        r[5] = "FGV";
        r[6] = pes[k].sq;
        r[8] = pes[k].line;
        CalcTrayPeRow(r, lookup);
        if (!app.WriteTrayPeRow(t, k, false))
            return false;
    }
    if (choices[0].isEmpty())
        return true;  // never applied
    block.TrayResult = choices;
    block.TrayResultRow.fill(QStringLiteral("stale"));  // what a former apply left: recomputed
    return app.WriteTrayResults(t);
}

void TestTraysCommand::recomputesEveryTray()
{
    const CommandProject p(UseShippedLibrary);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    QVERIFY(AddTray(app, 0, "TR-A",
                    {{"FCV", "35", "4", "2"}, {"FR8", "70", "1", "3"}, {"FCV", "2.5", "3", "1"}},
                    {{"FGV", "16", "1", "1"}, {"FGV", "35", "1", "2"}}, {"1", "4", "0", "0"}));
    QVERIFY(AddTray(app, 1, "TR-B", {}, {}, {}));
    const RowSpec big{"FCV", "300", "4", "4"};
    QVERIFY(AddTray(app, 2, "TR-C", {big, big, big, big}, {}, {"0", "0", "1", "1"}));

    const CalcRun r = p.run("trays");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/cable/golden/trays.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    // The driver only reads: the stale stored texts are still there.
    std::vector<StoredTray> trays;
    QVERIFY(ReadStoredTrays(app, trays));
    QCOMPARE(trays.size(), std::size_t(3));
    QCOMPARE(trays[0].results[0], QStringLiteral("stale"));
}

// Stored rows whose width and weight cells hold no usable figure (hand-edited or damaged):
// "nan", a negative width, an overflow, "inf" and a negative weight add nothing, and two widths
// just under MAX_QUANTITY add up to a sum beyond it, which has no value. So the tray has no
// width: "W-", no occupancy, no tray or cover weight and no total, never 0, nan or 13 digits.
void TestTraysCommand::nonsenseRowsPrintNoFigure()
{
    const CommandProject p(UseShippedLibrary);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    QVERIFY(AddTray(app, 0, "TN", {}, {}, {}));
    const QList<QPair<QString, QString>> cells = {
        {"nan", "inf"},          {"-50.00mm", "-3.00kg/m"},  {"1e308mm", "1e308kg/m"},
        {"999999999999mm", ""},  {"999999999999mm", "-"},
    };
    auto& block = app.CableTrayBlock;
    for (int k = 0; k < cells.size(); ++k) {
        TrayRow& r = block.TrayCableRow;
        r = TrayRow{};
        r[0] = QString::number(k + 1);
        r[5] = "FCV";
        r[6] = "nan㎟";
        r[10] = cells[k].first;
        r[11] = cells[k].second;
        QVERIFY(app.WriteTrayCableRow(0, k, false));
    }
    block.TrayResult = {"0", "0", "0", "0"};
    QVERIFY(app.WriteTrayResults(0));

    const PrintedRun r = RunPrinting(p, "trays");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QCOMPARE(r.run.out, QStringLiteral("TRAY\tTN\tH100\t1.0\tW-\t-\t0.0\t-\t-\t-\tLadder\t적용\n"));
}

// A tray list holds 1000 trays and a tray 1000 cable and 1000 PE rows. A workbook with more
// computes the first 1000 (the tray "CASE" sums what the tray "FULL" of exactly 1000 rows
// sums) and says so in one warning line naming the workbook and the limit, exit code 0; at
// exactly 1000 nothing is said. Every row is one FCV 2.5 mm² 3C cable, or one F-GV 2.5 mm².
void TestTraysCommand::rowsPastTheLimitAreSaid_data()
{
    QTest::addColumn<int>("cables");
    QTest::addColumn<int>("pes");
    QTest::addColumn<int>("trays");
    QTest::addColumn<bool>("said");
    QTest::newRow("1000 cable rows") << 1000 << 0 << 2 << false;
    QTest::newRow("1001 cable rows") << 1001 << 0 << 2 << true;
    QTest::newRow("1001 PE rows") << 1 << 1001 << 2 << true;
    QTest::newRow("1001 trays") << 1 << 0 << 1001 << true;
}

void TestTraysCommand::rowsPastTheLimitAreSaid()
{
    QFETCH(int, cables);
    QFETCH(int, pes);
    QFETCH(int, trays);
    QFETCH(bool, said);
    const CommandProject p(UseShippedLibrary);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    const RowSpec cable{"FCV", "2.5", "3", "1"};
    const RowSpec pe{"FGV", "2.5", "1", "1"};
    {
        CompanionBatch batch;  // one save for the thousands of rows
        const std::array<QString, 4> choices{"0", "0", "0", "0"};
        QVERIFY(AddTray(app, 0, "FULL", QList<RowSpec>(std::min(cables, 1000), cable),
                        QList<RowSpec>(std::min(pes, 1000), pe), choices));
        QVERIFY(AddTray(app, 1, "CASE", QList<RowSpec>(cables, cable), QList<RowSpec>(pes, pe),
                        choices));
        for (int t = 2; t < trays; ++t)
            QVERIFY(AddTray(app, t, QStringLiteral("T%1").arg(t), {cable}, {}, choices));
        QVERIFY(batch.finish());
    }
    const QString path = app.CompanionPath(CSevrinApp::TrayWorkbook);
    const QByteArray before = ReadFile(path);

    const CalcRun r = p.run("trays");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.err, said ? QStringLiteral("sevrin-calc: ") +
                               companion::RowLimitMessage(path, 1000).replace('\n', ' ') + '\n'
                         : QString());
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), std::min(trays, 1000));
    QCOMPARE(lines[1].section('\t', 2), lines[0].section('\t', 2));
    QCOMPARE(ReadFile(path), before);  // the rows past the limit stay as they are
}

void TestTraysCommand::workbookMissingPrintsNothingUnreadableFails()
{
    const CommandProject p(UseShippedLibrary);
    QVERIFY(p.ok());
    VerifyWorkbookMissingThenUnreadable(p, "P1_50.xlsx", "trays");
}

QTEST_GUILESS_MAIN(TestTraysCommand)
#include "tst_trayscmd.moc"
