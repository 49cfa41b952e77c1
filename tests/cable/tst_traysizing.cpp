// Tray fill and weight on the shipped reference library (LIB/lib_v3p4.xlsx, built from
// data/FCVOD.csv, FCVW.csv, FR8OD.csv, FR8W.csv, FGVSEC.csv, FGVW.csv and TRAY.csv): the row
// calculations, the tray sums, width, occupancy and weights, the stored result texts, and the
// tray-name rule that keeps a tray's two sheets apart from every other tray's.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "cable/core/trayapp.h"
#include "cable/core/traysizing.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"

#include <QTest>

namespace {

TrayRow CableRow(const QString& type, const QString& sq, const QString& core,
                 const QString& line)
{
    TrayRow r;
    r[0] = "1";
    r[1] = "동력간선";
    r[5] = type;
    r[6] = sq;
    r[7] = core;
    r[8] = line;
    return r;
}

// A stored row that only carries its width and weight cells.
TrayRow Stored(const QString& width, const QString& weight)
{
    TrayRow r;
    r[0] = "1";
    r[10] = width;
    r[11] = weight;
    return r;
}

TrayChoices Choices(const QString& margin, const QString& type = "Ladder",
                    const QString& cover = QStringLiteral("적용"))
{
    return {QStringLiteral("H100"), margin, type, cover};
}

// The library's lookups, with every TRAY lookup recorded and, when set, answered by `width`.
class RecordingLookup : public TrayLookup
{
public:
    explicit RecordingLookup(CSevrinApp& app) : m_app(app) {}
    double VLookup(double value, const QString& table, int column) override
    {
        if (table == QLatin1String("TRAY")) {
            trayValues.append(value);
            if (width)
                return *width;
        }
        return m_app.VLookup(value, table, column);
    }
    double LookupCableDimension(const QString& table, int entry, int core) override
    {
        return m_app.LookupCableDimension(table, entry, core);
    }
    int FindCableDimensionIndex(double value, const QString& name) override
    {
        return m_app.FindCableDimensionIndex(value, name);
    }
    QList<double> trayValues;
    std::optional<double> width;

private:
    AppTrayLookup m_app;
};

}  // namespace

class TestTraySizing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cableAndPeRows_data();
    void cableAndPeRows();
    void workedTray();
    void edgeCases_data();
    void edgeCases();
    void marginChoosesWidthNotOccupancy();
    void peRowsAddWeightNeverWidth();
    void widthWithoutValue_data();
    void widthWithoutValue();
    void storedChoices_data();
    void storedChoices();
    void trayNames_data();
    void trayNames();

private:
    RecordingPrompt* m_prompt = nullptr;
};

void TestTraySizing::initTestCase()
{
    m_prompt = RecordingPrompt::Install();
    theApp.ProjectPathTable.LibWorkbookPath = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    theApp.LoadLibraryWorkbook();
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

void TestTraySizing::cableAndPeRows_data()
{
    QTest::addColumn<bool>("pe");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("sq");
    QTest::addColumn<QString>("core");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected");  // columns 6 to 11

    // FCVOD 35 mm2 4C = 27.1 mm, FCVW 35 mm2 4C = 1.74 kg/m; two lines: 54.2 mm, 3.48 kg/m.
    QTest::newRow("FCV 35 4C 2L") << false << "FCV" << "35" << "4" << "2"
                                  << QStringList{"35㎟", "4C", "2L", "27.10mm", "54.20mm", "3.48kg/m"};
    // FR8OD 70 mm2 1C = 15.9 mm, FR8W 70 mm2 1C = 0.80 kg/m; three lines.
    QTest::newRow("FR8 70 1C 3L") << false << "FR8" << "70" << "1" << "3"
                                  << QStringList{"70㎟", "1C", "3L", "15.90mm", "47.70mm", "2.40kg/m"};
    // A text that already carries its unit keeps one.
    QTest::newRow("units kept once") << false << "FCV" << "2.5㎟" << "3C" << "1L"
                                     << QStringList{"2.5㎟", "3C", "1L", "12.90mm", "12.90mm", "0.22kg/m"};
    // No table for the type, a size the table does not list, a core count outside 1 to 4:
    // nothing known, so no width either (not the line count in place of a diameter).
    QTest::newRow("other type") << false << "HFIX" << "35" << "1" << "2"
                                << QStringList{"35㎟", "1C", "2L", "-", "-", "-"};
    QTest::newRow("size not listed") << false << "FCV" << "36" << "4" << "1"
                                     << QStringList{"36㎟", "4C", "1L", "-", "-", "-"};
    QTest::newRow("five cores") << false << "FCV" << "35" << "5" << "1"
                                << QStringList{"35㎟", "5C", "1L", "-", "-", "-"};
    QTest::newRow("empty size") << false << "FCV" << "" << "4" << "1"
                                << QStringList{"㎟", "4C", "1L", "-", "-", "-"};
    // A line count that is no number, not finite or not positive has no value: no width and
    // no weight (never 0, which would hide the cable from the tray).
    QTest::newRow("line not a number") << false << "FCV" << "35" << "4" << "x"
                                       << QStringList{"35㎟", "4C", "xL", "27.10mm", "-", "-"};
    QTest::newRow("line infinite") << false << "FCV" << "35" << "4" << "1e999"
                                   << QStringList{"35㎟", "4C", "1e999L", "27.10mm", "-", "-"};
    QTest::newRow("line negative") << false << "FCV" << "35" << "4" << "-2"
                                   << QStringList{"35㎟", "4C", "-2L", "27.10mm", "-", "-"};
    QTest::newRow("size nan") << false << "FCV" << "nan" << "4" << "1"
                              << QStringList{"nan㎟", "4C", "1L", "-", "-", "-"};
    // A PE row without a size has no conductor (not the table's first size).
    QTest::newRow("PE without size") << true << "FGV" << "" << "1" << "1"
                                     << QStringList{"㎟", "1C", "1L", "-", "-", "-"};
    // FGVSEC 16 mm2 = 7.0 mm, FGVW 16 mm2 = 0.17 kg/m; the core count is not used.
    QTest::newRow("PE 16 1L") << true << "FGV" << "16" << "1" << "1"
                              << QStringList{"16㎟", "1C", "1L", "7.00mm", "7.00mm", "0.17kg/m"};
    // FGVSEC 35 mm2 = 9.5 mm, FGVW 35 mm2 = 0.36 kg/m; two lines.
    QTest::newRow("PE 35 2L") << true << "FGV" << "35" << "9" << "2"
                              << QStringList{"35㎟", "9C", "2L", "9.50mm", "19.00mm", "0.72kg/m"};
}

void TestTraySizing::cableAndPeRows()
{
    QFETCH(bool, pe);
    QFETCH(QString, type);
    QFETCH(QString, sq);
    QFETCH(QString, core);
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    TrayRow row = CableRow(type, sq, core, line);
    row[9] = "old";
    row[12] = "remark";
    AppTrayLookup lookup(theApp);
    if (pe)
        CalcTrayPeRow(row, lookup);
    else
        CalcTrayCableRow(row, lookup);
    for (int c = 6; c <= 11; ++c)
        QCOMPARE(row[std::size_t(c)], expected[c - 6]);
    QCOMPARE(row[12], QString());
    QCOMPARE(row[1], QStringLiteral("동력간선"));
    QCOMPARE(row[5], type);
}

// Hand calculation from the shipped tables:
//   cable 1  FCV 35 mm2 4C x 2L : D 27.1 mm (FCVOD)  B = 54.2  G = 2 x 1.74 = 3.48 kg/m
//   cable 2  FR8 70 mm2 1C x 3L : D 15.9 mm (FR8OD)  B = 47.7  G = 3 x 0.80 = 2.40 kg/m
//   cable 3  FCV 2.5 mm2 3C x 1L: D 12.9 mm (FCVOD)  B = 12.9  G = 0.22 kg/m
//   PE 1     FGV 16 mm2 x 1L    : G 0.17 kg/m (FGVW), width not counted
//   PE 2     FGV 35 mm2 x 2L    : G 2 x 0.36 = 0.72 kg/m
//   ΣB = 54.2 + 47.7 + 12.9 = 114.8 mm;  ΣG = 3.48 + 2.40 + 0.22 + 0.17 + 0.72 = 6.99 kg/m
//   margin 1.4: required width 160.72 mm -> TRAY: first width reaching it, 200 mm
//   occupancy 114.8 / 200 x 100 = 57.4 %
//   ladder 200: BW 5.9 kg/m, cover CW 3.3 kg/m (TRAY.csv); total 6.99 + 5.9 + 3.3 = 16.19
void TestTraySizing::workedTray()
{
    AppTrayLookup lookup(theApp);
    std::vector<TrayRow> cables = {CableRow("FCV", "35", "4", "2"), CableRow("FR8", "70", "1", "3"),
                                   CableRow("FCV", "2.5", "3", "1")};
    std::vector<TrayRow> pes = {CableRow("FGV", "16", "1", "1"), CableRow("FGV", "35", "1", "2")};
    for (TrayRow& r : cables)
        CalcTrayCableRow(r, lookup);
    for (TrayRow& r : pes)
        CalcTrayPeRow(r, lookup);
    const TrayChoices choices{"H150", "1.4", "Ladder", QStringLiteral("적용")};
    const TrayResult r = CalcTray(cables, pes, choices, lookup);
    QCOMPARE(r.widthSumText, QStringLiteral("114.80"));
    QCOMPARE(r.weightSumText, QStringLiteral("6.99"));
    QCOMPARE(r.widthText, QStringLiteral("200.0"));
    QCOMPARE(r.occupancyText, QStringLiteral("57.4%"));
    QCOMPARE(r.cableWeightText, QStringLiteral("7.0"));
    QCOMPARE(r.trayWeightText, QStringLiteral("5.9"));
    QCOMPARE(r.coverWeightText, QStringLiteral("3.3"));
    QCOMPARE(r.totalWeightText, QStringLiteral("16.2"));
    QVERIFY(!r.overfilled);
    const std::array<QString, 10> texts = MakeTraySpecText(choices, r);
    const std::array<QString, 10> expected = {"H150", "1.4",  "W200",   "57.4%", "7.0",
                                              "5.9",  "3.3",  "16.2", "Ladder", "적용"};
    QCOMPARE(texts, expected);
}

void TestTraySizing::edgeCases_data()
{
    QTest::addColumn<QStringList>("widths");   // cable rows' stored width cells
    QTest::addColumn<QStringList>("weights");  // and weight cells
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("cover");
    // ΣB, ΣG, W, P, cable, tray, cover, total
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("warning");

    // No rows: a required width of 0 lies below every key, so the first width (150 mm);
    // the total is the ladder 5.4 plus the cover 2.8 kg/m.
    QTest::newRow("empty tray") << QStringList{} << QStringList{} << "1.0" << "Ladder" << "적용"
                                << QStringList{"0.00", "0.00", "150.0", "0.0%", "0.0", "5.4", "2.8", "8.2"}
                                << false;
    // ΣB 150 mm: the 150 mm tray exactly full, 100.0 %, no warning.
    QTest::newRow("exactly 100 %")
        << QStringList{"100.00m", "50.00m"} << QStringList{"2.00kg/m", "1.00kg/m"} << "1.0"
        << "Ladder" << "적용"
        << QStringList{"150.00", "3.00", "150.0", "100.0%", "3.0", "5.4", "2.8", "11.2"} << false;
    // ΣB 150.05 mm still gets the 150 mm tray (keys 0.1, 150.1, ...): 100.03 % warns although
    // it shows 100.0%.
    QTest::newRow("just over 100 %")
        << QStringList{"150.05m"} << QStringList{"1.00kg/m"} << "1.0" << "Ladder" << "적용"
        << QStringList{"150.05", "1.00", "150.0", "100.0%", "1.0", "5.4", "2.8", "9.2"} << true;
    // ΣB 400 mm in a 400 mm tray is full; margin 1.1 asks for 440 mm: the 500 mm tray.
    QTest::newRow("margin avoids overfill")
        << QStringList{"400.00m"} << QStringList{"10.00kg/m"} << "1.1" << "Ladder" << "적용"
        << QStringList{"400.00", "10.00", "500.0", "80.0%", "10.0", "8.8", "6.5", "25.3"} << false;
    // Beyond the largest tray (1000 mm): the last entry, 120 % and the warning.
    QTest::newRow("largest tray overfilled")
        << QStringList{"1200.00m"} << QStringList{"30.00kg/m"} << "1.0" << "Ladder" << "적용"
        << QStringList{"1200.00", "30.00", "1000.0", "120.0%", "30.0", "13.5", "11.7", "55.2"} << true;
    // Cover "미적용": no cover weight, and the total leaves it out.
    QTest::newRow("no cover") << QStringList{"100.00m"} << QStringList{"2.00kg/m"} << "1.0"
                              << "Ladder" << "미적용"
                              << QStringList{"100.00", "2.00", "150.0", "66.7%", "2.0", "5.4", "-", "7.4"}
                              << false;
    // "Dust": the tray weighs its cover column (2.8 for 150 mm), which the cover adds again.
    QTest::newRow("dust tray") << QStringList{"100.00m"} << QStringList{"2.00kg/m"} << "1.0"
                               << "Dust" << "적용"
                               << QStringList{"100.00", "2.00", "150.0", "66.7%", "2.0", "2.8", "2.8", "7.6"}
                               << false;
    QTest::newRow("dust tray, no cover")
        << QStringList{"100.00m"} << QStringList{"2.00kg/m"} << "1.0" << "Dust" << "미적용"
        << QStringList{"100.00", "2.00", "150.0", "66.7%", "2.0", "2.8", "-", "4.8"} << false;
    // Cells that are empty, "-", no number or not finite add nothing.
    QTest::newRow("cells that add nothing")
        << QStringList{"", "-", "abc", "1e999m", "30.00m"}
        << QStringList{"-", "", "x", "1e999kg/m", "0.50kg/m"} << "1.0" << "Ladder" << "적용"
        << QStringList{"30.00", "0.50", "150.0", "20.0%", "0.5", "5.4", "2.8", "8.7"} << false;
    // Negative stored figures add nothing either: ΣB = 30 mm (not 30 - 20 = 10), ΣG = 0.5 kg/m
    // (not -0.5); the results are those of the row above.
    QTest::newRow("negative figures add nothing")
        << QStringList{"-20.00m", "30.00m"} << QStringList{"-1.00kg/m", "0.50kg/m"} << "1.0" << "Ladder"
        << "적용" << QStringList{"30.00", "0.50", "150.0", "20.0%", "0.5", "5.4", "2.8", "8.7"} << false;
}

void TestTraySizing::edgeCases()
{
    QFETCH(QStringList, widths);
    QFETCH(QStringList, weights);
    QFETCH(QString, margin);
    QFETCH(QString, type);
    QFETCH(QString, cover);
    QFETCH(QStringList, fields);
    QFETCH(bool, warning);
    std::vector<TrayRow> cables;
    for (int i = 0; i < widths.size(); ++i)
        cables.push_back(Stored(widths[i], weights[i]));
    AppTrayLookup lookup(theApp);
    const TrayResult r = CalcTray(cables, {}, Choices(margin, type, cover), lookup);
    const QStringList got = {r.widthSumText,     r.weightSumText,  r.widthText,
                             r.occupancyText,    r.cableWeightText, r.trayWeightText,
                             r.coverWeightText,  r.totalWeightText};
    QCOMPARE(got, fields);
    QCOMPARE(r.overfilled, warning);
}

// ΣB 100 mm with margin 1.3: the table is asked for 130 mm (the 150 mm tray), while the
// occupancy is 100 / 150 = 66.7 %, not 130 / 150.
void TestTraySizing::marginChoosesWidthNotOccupancy()
{
    RecordingLookup lookup(theApp);
    const TrayResult r = CalcTray({Stored("60.00m", ""), Stored("40.00m", "")}, {},
                                  Choices("1.3"), lookup);
    QCOMPARE(lookup.trayValues.size(), 1);
    QVERIFY(qFuzzyCompare(lookup.trayValues[0], 130.0));
    QCOMPARE(r.widthText, QStringLiteral("150.0"));
    QCOMPARE(r.occupancyText, QStringLiteral("66.7%"));
    // ΣB 120 mm: 1.3 asks for 156 mm, the 200 mm tray; 60 %.
    const TrayResult wider = CalcTray({Stored("120.00m", "")}, {}, Choices("1.3"), lookup);
    QCOMPARE(wider.widthText, QStringLiteral("200.0"));
    QCOMPARE(wider.occupancyText, QStringLiteral("60.0%"));
}

void TestTraySizing::peRowsAddWeightNeverWidth()
{
    AppTrayLookup lookup(theApp);
    const std::vector<TrayRow> cables = {Stored("140.00m", "3.00kg/m")};
    // Wide earth conductors that would overfill the tray if their widths counted.
    const std::vector<TrayRow> pes = {Stored("25.50m", "2.00kg/m"), Stored("22.90m", "1.00kg/m")};
    const TrayResult without = CalcTray(cables, {}, Choices("1.0"), lookup);
    const TrayResult with = CalcTray(cables, pes, Choices("1.0"), lookup);
    QCOMPARE(with.widthSumText, without.widthSumText);
    QCOMPARE(with.widthText, without.widthText);
    QCOMPARE(with.occupancyText, QStringLiteral("93.3%"));
    QCOMPARE(without.occupancyText, QStringLiteral("93.3%"));
    QVERIFY(!with.overfilled);
    // 3.00 + 2.00 + 1.00 = 6.00 kg/m of cable; total 6.00 + 5.4 + 2.8 = 14.2
    QCOMPARE(with.weightSumText, QStringLiteral("6.00"));
    QCOMPARE(without.weightSumText, QStringLiteral("3.00"));
    QCOMPARE(with.totalWeightText, QStringLiteral("14.2"));
}

void TestTraySizing::widthWithoutValue_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no value") << NO_VALUE << "-";
    QTest::newRow("zero") << 0.0 << "0.0";
}

// A tray table that gives no width, or 0: no occupancy to state and no overfill warning,
// however full the cables are; the stored width text reads "W-", never a width of 0.
void TestTraySizing::widthWithoutValue()
{
    QFETCH(double, width);
    QFETCH(QString, shown);
    RecordingLookup lookup(theApp);
    lookup.width = width;
    const TrayChoices choices = Choices("1.0");
    const TrayResult r = CalcTray({Stored("900.00m", "1.00kg/m")}, {}, choices, lookup);
    QCOMPARE(r.widthText, shown);
    QCOMPARE(r.occupancyText, QStringLiteral("-"));
    QVERIFY(!r.overfilled);
    const auto texts = MakeTraySpecText(choices, r);
    QCOMPARE(texts[2], QStringLiteral("W-"));
    QCOMPARE(texts[3], QStringLiteral("-"));
}

void TestTraySizing::storedChoices_data()
{
    QTest::addColumn<QStringList>("indexes");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("stored") << QStringList{"1", "3", "1", "1"}
                            << QStringList{"H150", "1.3", "Dust", "미적용"};
    QTest::newRow("never stored") << QStringList{"", "", "", ""}
                                  << QStringList{"H100", "1.0", "Ladder", "적용"};
    // Indexes outside the lists (a damaged file) select the first item.
    QTest::newRow("out of range") << QStringList{"2", "-1", "x", "9"}
                                  << QStringList{"H100", "1.0", "Ladder", "적용"};
}

void TestTraySizing::storedChoices()
{
    QFETCH(QStringList, indexes);
    QFETCH(QStringList, texts);
    const TrayChoices c =
        TrayChoicesFromIndexes({indexes[0], indexes[1], indexes[2], indexes[3]});
    QCOMPARE((QStringList{c.height, c.margin, c.type, c.cover}), texts);
}

void TestTraySizing::trayNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("others");
    QTest::addColumn<int>("check");
    const int ok = int(TrayNameCheck::Ok);
    const int taken = int(TrayNameCheck::Taken);
    const int invalid = int(TrayNameCheck::Invalid);
    QTest::newRow("free") << "B" << QStringList{"A"} << ok;
    QTest::newRow("same name") << "A" << QStringList{"A"} << taken;
    QTest::newRow("same ignoring case") << "tr-1" << QStringList{"TR-1"} << taken;
    // "A_" would need the sheets "A_" (taken by tray A's PE sheet) and "A__".
    QTest::newRow("another tray's PE sheet") << "A_" << QStringList{"A"} << taken;
    // "A" beside a tray "A_": its PE sheet "A_" is that tray's first sheet.
    QTest::newRow("PE sheet is another tray") << "a" << QStringList{"A_"} << taken;
    QTest::newRow("inserted twice") << "_____" << QStringList{"_____"} << taken;
    QTest::newRow("longer underscores") << "______" << QStringList{"_____"} << taken;
    QTest::newRow("empty") << "" << QStringList{} << invalid;
    QTest::newRow("bad character") << "T/1" << QStringList{} << invalid;
    QTest::newRow("bracket") << "T[1]" << QStringList{} << invalid;
    // 31 characters are a valid sheet name, but the PE sheet would have 32.
    QTest::newRow("31 characters") << QString(31, 'T') << QStringList{} << invalid;
    QTest::newRow("30 characters") << QString(30, 'T') << QStringList{} << ok;
    QTest::newRow("Korean") << "트레이-1" << QStringList{"트레이-2"} << ok;
}

void TestTraySizing::trayNames()
{
    QFETCH(QString, name);
    QFETCH(QStringList, others);
    QFETCH(int, check);
    QCOMPARE(int(CheckTrayName(name, others)), check);
}

QTEST_GUILESS_MAIN(TestTraySizing)
#include "tst_traysizing.moc"
