// Standby generator capacity without the screen: row demands, both cases of the output formula
// worked by hand, undefined factors, the import of generator-marked loads and boards, the
// generator workbook's life and the driver's "generator" command.
#include "loads/core/generatorsizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/calcdriver.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "common/unprintable.h"
#include "sourcesfixture.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace sourcesfixture;

namespace {

// A generator row as "추가" builds it on MCC-FA: type, kW, kVA, start, outage %, fire %.
GeneratorLoadRowT Load(const QString& type, const QString& kw, const QString& kva,
                       const QString& start, const QString& outagePct, const QString& firePct)
{
    return GeneratorLoad(1, QStringLiteral("MCC-FA"), type, kw, kva, start, outagePct, firePct);
}

}  // namespace

class TestGeneratorCapacity : public QObject
{
    Q_OBJECT

private slots:
    void rowDemand();
    void capacityCheckMessages();
    void bothCasesByHand();
    void specExampleSingleMotorAndLighting();
    void undefinedFactorsNeverSize_data();
    void undefinedFactorsNeverSize();
    void largestMotorAndRoundingToThreeDecimals();
    void importMarkedLoadsAndBoards();
    void driverGeneratorCommand();
    void driverPrintsNoFigureFromNonsense();
};

void TestGeneratorCapacity::rowDemand()
{
    // 110 kW at 0 % outage, 100 % fire; 50 kVA at 80 % outage (40 kVA); empty % leaves empty.
    const GeneratorLoadRowT m = Load("M", "110", "", "리액터", "0", "100");
    QCOMPARE(m[gencol::kOutageKw], QString("0.000"));
    QCOMPARE(m[gencol::kOutageKva], QString("0.000"));
    QCOMPARE(m[gencol::kFireKw], QString("110.000"));
    QCOMPARE(m[gencol::kFireKva], QString("0.000"));
    const GeneratorLoadRowT l = Load("L3P", "", "50", "-", "80", "");
    QCOMPARE(l[gencol::kOutageKw], QString("0.000"));
    QCOMPARE(l[gencol::kOutageKva], QString("40.000"));
    QVERIFY(l[gencol::kFireKw].isEmpty());
    QVERIFY(l[gencol::kFireKva].isEmpty());
    // A capacity or demand factor that is no number in its range has no demand: "-".
    const GeneratorLoadRowT bad = Load("M", "inf", "", "DOL", "100", "100");
    QCOMPARE(bad[gencol::kOutageKw], QString("-"));
    for (const char* pct : {"nan", "-50", "12,5", "1e308"}) {
        const GeneratorLoadRowT r = Load("L3P", "", "50", "-", pct, "100");
        QCOMPARE(r[gencol::kOutageKva], QString("-"));
        QCOMPARE(r[gencol::kFireKva], QString("50.000"));
    }
    QCOMPARE(Load("L3P", "", "1e308", "-", "100", "")[gencol::kOutageKva], QString("-"));
    // 1e12 kVA is a quantity, 1e12 % of it is beyond every quantity.
    QCOMPARE(Load("L3P", "", "1000000000000", "-", "1000000000000", "")[gencol::kOutageKva],
             QString("-"));
}

void TestGeneratorCapacity::capacityCheckMessages()
{
    QString msg;
    QVERIFY(!ValidateGeneratorLoadCapacity("10", "5", &msg));
    QCOMPARE(msg, QString("용량 값을 하나만 지정해 주세요!!!"));
    QVERIFY(!ValidateGeneratorLoadCapacity("", "", &msg));
    QCOMPARE(msg, QString("용량 값을 하나를 지정해 주세요!!!"));
    QVERIFY(ValidateGeneratorLoadCapacity("10", "", &msg));
    QVERIFY(ValidateGeneratorLoadCapacity("", "5", &msg));

    // The whole row check names the field refused; an empty demand factor is allowed.
    struct Case { const char* kw; const char* kva; const char* outage; const char* fire; const char* field; };
    const Case cases[] = {{"10", "", "100", "", ""},
                          {"", "5", "0", "50", ""},
                          {"10", "5", "100", "100", "용량 값을 하나만"},
                          {"-10", "", "100", "100", "용량[kW]"},
                          {"nan", "", "100", "100", "용량[kW]"},
                          {"", "1e308", "100", "100", "용량[kVA]"},
                          {"", "0", "100", "100", "용량[kVA]"},
                          {"10", "", "-1", "100", "정전시 수용률[%]"},
                          {"10", "", "100", "12,5", "화재시 수용률[%]"},
                          {"10", "", "", "inf", "화재시 수용률[%]"}};
    for (const Case& c : cases) {
        msg.clear();
        const bool ok = ValidateGeneratorLoadInput(c.kw, c.kva, c.outage, c.fire, &msg);
        QCOMPARE(ok, QByteArray(c.field).isEmpty());
        QVERIFY2(msg.contains(QString::fromUtf8(c.field)), qPrintable(msg));
    }
}

void TestGeneratorCapacity::bothCasesByHand()
{
    // Outage: ΣPm = 37 + 15 = 52 kW, PL = 37 kW, ΣP = 20 kVA; a 1.45, c 6 (DOL), k 1.1:
    //   GP = [20 + (52 − 37) × 1.45 + 37 × 1.45 × 6] × 1.1 = 363.65 × 1.1 = 400.015 kVA,
    //   output 0.8 × GP = 320.012 kW.
    // Fire: ΣPm = 37 + 110 = 147 kW, PL = 110 kW, ΣP = 10 kVA; a 1.38, c 3.9 (reactor 65 %),
    //   k 1.1: GP = [10 + 37 × 1.38 + 110 × 1.38 × 3.9] × 1.1 = 653.08 × 1.1 = 718.388 kVA,
    //   output 574.710 kW.
    // The larger output, 574.71 kW, takes the 600 kW set (750 kVA).
    const GeneratorCapacity c = CalcGeneratorOutput(HandWorkedGeneratorLoads(), {"1.45", "6", "1.1"},
                                                    {"1.38", "3.9", "1.1"}, GeneratorTable(),
                                                    GeneratorKvaTable());
    QCOMPARE(c.outage.kwSum, QString("52.000"));
    QCOMPARE(c.outage.kvaSum, QString("20.000"));
    QCOMPARE(c.outage.maxKw, QString("37.000"));
    QVERIFY(std::fabs(c.outage.gp - 400.015) < 1e-9);
    QVERIFY(std::fabs(c.outage.output - 320.012) < 1e-9);
    QCOMPARE(c.fire.kwSum, QString("147.000"));
    QCOMPARE(c.fire.kvaSum, QString("10.000"));
    QCOMPARE(c.fire.maxKw, QString("110.000"));
    QVERIFY(std::fabs(c.fire.gp - 718.388) < 1e-9);
    QCOMPARE(c.rating, 600.0);
    QCOMPARE(c.ratingKva, 750.0);
    QCOMPARE(c.summary[0], QString("▣ 정전 시 부하를 고려한 발전기 출력 용량 : 400KVA (320.0kW)"));
    QCOMPARE(c.summary[1], QString("▣ 화재 시 부하를 고려한 발전기 출력 용량 : 718KVA (574.7kW)"));
    QCOMPARE(c.summary[2], QString("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : 600kW (750KVA)로 선정"));
    QCOMPARE(c.gpLine[0], QString("GP : 발전기 출력 용량 (kVA) 400 (kVA)"));
    QCOMPARE(c.gpLine[1], QString("GP : 발전기 출력 용량 (kVA) 718 (kVA)"));
    const std::array<QString, 6> hidden = {"400", "718", "400", "718", "600", "750"};
    QCOMPARE(c.hidden, hidden);

    // Equal outputs (the same factors on a set whose cases match) pick the same rating.
    const std::vector<GeneratorLoadRowT> same = {Load("M", "30", "", "DOL", "100", "100")};
    const GeneratorCapacity e = CalcGeneratorOutput(same, {"1.45", "6", "1.1"}, {"1.45", "6", "1.1"},
                                                    GeneratorTable(), GeneratorKvaTable());
    QCOMPARE(e.outage.gpText, e.fire.gpText);
    // 30 × 1.45 × 6 × 1.1 = 287.1 kVA, 229.68 kW -> 250 kW.
    QCOMPARE(e.rating, 250.0);
}

void TestGeneratorCapacity::specExampleSingleMotorAndLighting()
{
    // 100 kW motor and 50 kVA lighting, both 100 %; a 1.45, c 6, k 1.1:
    // GP = (50 + 0 × 1.45 + 100 × 1.45 × 6) × 1.1 = 1012 kVA, output 809.6 kW -> 1000 kW.
    const std::vector<GeneratorLoadRowT> rows = {Load("M", "100", "", "DOL", "100", ""),
                                                 Load("L3P", "", "50", "-", "100", "")};
    const GeneratorCapacity c = CalcGeneratorOutput(rows, {"1.45", "6", "1.1"}, {"1.45", "6", "1.1"},
                                                    GeneratorTable(), GeneratorKvaTable());
    QVERIFY(std::fabs(c.outage.gp - 1012.0) < 1e-9);
    QCOMPARE(c.outage.outputText, QString("809.6"));
    // The fire case has no loads: GP 0.
    QCOMPARE(c.fire.gpText, QString("0"));
    QCOMPARE(c.rating, 1000.0);
    QCOMPARE(c.ratingKva, 1250.0);
}

void TestGeneratorCapacity::undefinedFactorsNeverSize_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("k");
    QTest::newRow("k empty") << "1.45" << "6" << "";
    QTest::newRow("k 0 (new project)") << "1.38" << "0" << "0";
    QTest::newRow("no a selected") << "" << "6" << "1.1";
    QTest::newRow("c text") << "1.45" << "abc" << "1.1";
    QTest::newRow("k inf") << "1.45" << "6" << "inf";
    QTest::newRow("c nan") << "1.45" << "nan" << "1.1";
    QTest::newRow("k negative") << "1.45" << "6" << "-1.1";
}

void TestGeneratorCapacity::undefinedFactorsNeverSize()
{
    QFETCH(QString, a);
    QFETCH(QString, c);
    QFETCH(QString, k);
    const GeneratorCapacity r = CalcGeneratorOutput(HandWorkedGeneratorLoads(), {a, c, k}, {"1.38", "3.9", "1.1"},
                                                    GeneratorTable(), GeneratorKvaTable());
    QVERIFY(!r.outage.defined);
    QVERIFY(r.fire.defined);
    QCOMPARE(r.outage.gpText, QString("-"));
    QCOMPARE(r.summary[0], QString("▣ 정전 시 부하를 고려한 발전기 출력 용량 : -KVA (-kW)"));
    QCOMPARE(r.rating, NO_VALUE);
    QCOMPARE(r.summary[2], QString("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : -kW (-KVA)로 선정"));
    for (const QString& s : r.hidden)
        QVERIFY2(FindUnprintableFigure(s).isEmpty() && s != "-999", qPrintable(s));
}

void TestGeneratorCapacity::largestMotorAndRoundingToThreeDecimals()
{
    // A demand below 0.0005 shows 0.000 and counts 0: PL = 0, GP = 10 kVA of lighting alone.
    std::vector<GeneratorLoadRowT> rows = {Load("M", "0.0004", "", "DOL", "100", "100"),
                                           Load("L3P", "", "10", "-", "100", "100")};
    const GeneratorCapacity c = CalcGeneratorOutput(rows, {"1.45", "6", "1"}, {"1.45", "6", "1"},
                                                    GeneratorTable(), GeneratorKvaTable());
    QCOMPARE(c.outage.maxKw, QString("0.000"));
    QCOMPARE(c.outage.kwSum, QString("0.000"));
    QVERIFY(std::fabs(c.outage.gp - 10.0) < 1e-9);

    // A negative motor is no load: its demand is "-", and the case it enters has no GP rather
    // than one short of that motor (it once gave GP = 10 + (−5) × 1.45 = 2.75 kVA).
    rows.push_back(Load("M", "-5", "", "DOL", "100", ""));
    QCOMPARE(rows.back()[gencol::kOutageKw], QString("-"));
    const GeneratorCapacity neg = CalcGeneratorOutput(rows, {"1.45", "6", "1"}, {"1.45", "6", "1"},
                                                      GeneratorTable(), GeneratorKvaTable());
    QCOMPARE(neg.outage.kwSum, QString("-"));
    QCOMPARE(neg.outage.gpText, QString("-"));
    QVERIFY(neg.fire.defined);  // no fire demand factor: the motor is not in that case
    QCOMPARE(neg.rating, NO_VALUE);

    // No rows: placeholders, empty totals, no rating.
    const GeneratorCapacity none = CalcGeneratorOutput({}, {"1.45", "6", "1"}, {"1.45", "6", "1"},
                                                       GeneratorTable(), GeneratorKvaTable());
    QVERIFY(!none.hasRows);
    QVERIFY(none.outage.kwSum.isEmpty());
    QCOMPARE(none.summary[2], QString("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : _____kW (_______KVA)로 선정"));
    QCOMPARE(none.gpLine[0], QString("GP : 발전기 출력 용량 (kVA) ______ (kVA)"));
}

void TestGeneratorCapacity::importMarkedLoadsAndBoards()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto app = NewApp(dir.path());
    QVERIFY(WriteMccPanel(*app, {"MCC-FA", "TR-1", "O", "150", "80", "120", {},
                                 {{{"스프링클러 주펌프", "FP-7", "M", "110", "", "리액터"}},
                                  {{"제연팬", "SF-1", "M", "37", "46.5", "DOL"}}}}));
    QVERIFY(WriteMccPanel(*app, {"MCC-2", "TR-1", "X", "10", "80", "8", {},
                                 {{{"급수펌프", "P-1", "M", "15", "", "Y-D"}}}}));
    QVERIFY(WriteBoard(*app, {"LP-E", "TR-1", "O", "25000", "60", "15.3"}));
    QVERIFY(WriteBoard(*app, {"LP-1", "TR-1", "o", "1000", "60", "0.6"}));
    QVERIFY(WriteBoard(*app, {"LP-2", "TR-1", "X", "1000", "60", "0.6"}));

    const GeneratorImport imp = BuildGeneratorImport(*app, 4);
    QCOMPARE(imp.mccLoads, 2);
    QCOMPARE(imp.boards, 1);
    QCOMPARE(int(imp.rows.size()), 3);
    // Loads keep their kW and kVA as the schedule holds them; no demand factors.
    const GeneratorLoadRowT fp = {"4", "MCC-FA", "스프링클러 주펌프", "FP-7", "M", "110", "", "리액터",
                                  "", "", "", "", "", ""};
    const GeneratorLoadRowT sf = {"5", "MCC-FA", "제연팬", "SF-1", "M", "37", "46.5", "DOL",
                                  "", "", "", "", "", ""};
    // A board's demand (kVA) goes into the kVA column unchanged.
    const GeneratorLoadRowT lp = {"6", "LP-E", "-", "-", "L3P", "", "15.3", "-",
                                  "", "", "", "", "", ""};
    QCOMPARE(imp.rows[0], fp);
    QCOMPARE(imp.rows[1], sf);
    QCOMPARE(imp.rows[2], lp);

    // Without the schedules nothing is imported.
    QTemporaryDir empty;
    auto none = NewApp(empty.path());
    QVERIFY(BuildGeneratorImport(*none, 1).rows.empty());
}

void TestGeneratorCapacity::driverGeneratorCommand()
{
    DriverApp d;
    QVERIFY(d.made.ok);
    const auto& [root, project, ok] = d.made;
    auto& app = d.app;
    QVERIFY(StoreHandWorkedGenerator(*app, project));
    const CalcRun r = RunSevrinCalc(root, project, "generator");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/loads/golden/generator.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // A project without "_60" prints the placeholders; an unreadable "_60" is reported.
    const QString path = app->CompanionPath(CSevrinApp::GeneratorWorkbook);
    QVERIFY(QFile::remove(path));
    const CalcRun none = RunSevrinCalc(root, project, "generator");
    QCOMPARE(none.exitCode, 0);
    QVERIFY(none.out.contains("_____kW (_______KVA)"));
    QVERIFY(WriteFile(path, "not a workbook"));
    const CalcRun bad = RunSevrinCalc(root, project, "generator");
    QCOMPARE(bad.exitCode, 1);
    QCOMPARE(ReadFile(path), QByteArray("not a workbook"));
}

void TestGeneratorCapacity::driverPrintsNoFigureFromNonsense()
{
    DriverApp d;
    QVERIFY(d.made.ok);
    const auto& [root, project, ok] = d.made;
    auto& app = d.app;
    auto& b = app->GeneratorSizingBlock;
    // Outage: a 1.45, c nan, k 1e308. Fire: a 1.38, c -6, k "12,5".
    b.GeneratorConditionIndex = {1, 0};
    b.GeneratorConditionText = {"nan", "1e308", "-6", "12,5"};
    QVERIFY(app->SaveGeneratorSizingSection(project));
    // Stored rows as an older version or another program may have left them.
    const std::vector<GeneratorLoadRowT> rows = {
        {"1", "MCC-1", "pump", "P-1", "M", "-inf", "", "DOL", "100", "nan", "0.000", "100", "inf", "0.000"},
        {"2", "MCC-1", "fan", "F-1", "M", "37", "", "DOL", "100", "1e308", "0.000", "", "", ""},
        {"3", "LP-1", "-", "-", "L3P", "", "-5", "-", "100", "0.000", "-5", "50", "0.000", "12,5"},
        {"4", "LP-2", "-", "-", "L3P", "", "", "-", "", "", "", "-20", "0.000", "-2"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        b.GeneratorLoadRow = rows[i];
        QVERIFY(app->WriteGeneratorLoadRow(int(i), false));
    }
    const CalcRun r = RunSevrinCalc(root, project, "generator");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString bad = FindUnprintableFigure(r.out);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    // Neither case has a GP and no rating is chosen.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    for (int i = 0; i < 2; ++i) {
        const QStringList f = lines[i].split('\t');
        QCOMPARE(f.value(2), QString("-"));  // ΣPm: a demand that cannot be read
        QCOMPARE(f.value(4), QString("-"));  // PL, not the largest of what could be read
        QCOMPARE(f.value(6), QString("-"));  // c
        QCOMPARE(f.value(7), QString("-"));  // k
        QCOMPARE(f.value(8), QString("-"));  // GP
    }
    QCOMPARE(lines[2], QString("GEN\tselected\t-\t-\t▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : -kW (-KVA)로 선정"));
}

QTEST_GUILESS_MAIN(TestGeneratorCapacity)
#include "tst_generatorcapacity.moc"
