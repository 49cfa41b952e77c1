// The shared routines that reach the application object: the motor-data lookup over the
// user's motor rows and the library's motor tables, the numbered design warnings, and the
// number texts under a comma-decimal desktop locale.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/commadecimallocale.h"
#include "common/recordingprompt.h"
#include "platform/xlsxbook.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <memory>

class TestCalcRoutines : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findMotorData_data();
    void findMotorData();
    void userRowsAreReadFromTheWorkbook();
    void calcWarnings_data();
    void calcWarnings();
    void commaDecimalLocale();
    void oneSignOnly();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CSevrinApp> m_app;
};

namespace {

// A motor row of 19 fields: number, kW, phases, kV, η, cosθ, IB, method, ..., tagged.
void PutMotor(LibTable& t, int entry, const QString& kw, const QString& method, const QString& tag)
{
    for (int p = 0; p < 19; ++p)
        t.Cell(entry, p) = QStringLiteral("%1-%2").arg(tag).arg(p);
    t.Cell(entry, 1) = kw;
    t.Cell(entry, 7) = method;
}

}  // namespace

void TestCalcRoutines::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_app = std::make_unique<CSevrinApp>();
    auto& m = m_app->MotorLibBlock;
    m.MotorTable1.Count = 2;
    PutMotor(m.MotorTable1, 0, "7.5", "DOL", "T1a");
    PutMotor(m.MotorTable1, 1, "15", "Y-D", "T1b");
    m.MotorTable2.Count = 3;
    PutMotor(m.MotorTable2, 0, "7.50", "DOL", "T2a");  // same motor as T1a: table 2 is first
    PutMotor(m.MotorTable2, 1, "11", "INV", "T2b");
    PutMotor(m.MotorTable2, 2, "", "", "T2blank");
    // Table 3 is never searched.
    m.MotorTable3.Count = 1;
    PutMotor(m.MotorTable3, 0, "22", "DOL", "T3");

    // The user's motor rows, sheet 9 of the library workbook.
    const QString lib = m_dir.filePath("lib_v3p4.xlsx");
    Book book;
    for (int i = 0; i < 10; ++i)
        QVERIFY(book.addSheet(QStringLiteral("S%1").arg(i)));
    Sheet* user = book.getSheet(9);
    const char* rows[][3] = {{"1", "11", "INV"}, {"", "5.5", "DOL"}, {"3", "30", "SOFT"}};
    for (int r = 0; r < 3; ++r) {
        for (int f = 0; f < 19; ++f)
            user->writeStr(r, f, QStringLiteral("U%1-%2").arg(r).arg(f));
        user->writeStr(r, 0, rows[r][0]);
        user->writeStr(r, 1, rows[r][1]);
        user->writeStr(r, 7, rows[r][2]);
    }
    QVERIFY(book.save(lib));
    m_app->ProjectPathTable.LibWorkbookPath = lib;
    m_app->MotorControlCenterBlock.UserMotorCount = 3;
}

void TestCalcRoutines::findMotorData_data()
{
    QTest::addColumn<double>("kw");
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("field0");
    QTest::addColumn<QString>("field18");
    QTest::newRow("user row wins, field 0 stays the caller's") << 11.0 << "INV" << true << "caller" << "U0-18";
    QTest::newRow("user row with an empty first cell is skipped") << 5.5 << "DOL" << false << "caller" << "caller";
    QTest::newRow("user row after a skipped one") << 30.0 << "SOFT" << true << "caller" << "U2-18";
    QTest::newRow("7.50 in the table is 7.5 kW; table 2 first") << 7.5 << "DOL" << true << "T2a-0" << "T2a-18";
    QTest::newRow("then table 1") << 15.0 << "Y-D" << true << "T1b-0" << "T1b-18";
    QTest::newRow("method is exact text") << 15.0 << "y-d" << false << "caller" << "caller";
    QTest::newRow("output is a number, not a prefix") << 1.0 << "INV" << false << "caller" << "caller";
    QTest::newRow("table 3 is not searched") << 22.0 << "DOL" << false << "caller" << "caller";
    QTest::newRow("a blank entry matches nothing") << 0.0 << "" << false << "caller" << "caller";
}

void TestCalcRoutines::findMotorData()
{
    QFETCH(double, kw);
    QFETCH(QString, method);
    QFETCH(bool, found);
    QFETCH(QString, field0);
    QFETCH(QString, field18);
    std::array<QString, 19> fields;
    fields.fill("caller");
    QCOMPARE(m_app->FindMotorData(kw, method, fields), found);
    QCOMPARE(fields[0], field0);
    QCOMPARE(fields[18], field18);
}

void TestCalcRoutines::userRowsAreReadFromTheWorkbook()
{
    // A user motor added since the last lookup is found: the rows come from the file.
    const QString lib = m_app->ProjectPathTable.LibWorkbookPath;
    Book book;
    QVERIFY(book.load(lib));
    book.getSheet(9)->writeStr(3, 0, "4");
    book.getSheet(9)->writeStr(3, 1, "45");
    book.getSheet(9)->writeStr(3, 7, "DOL");
    book.getSheet(9)->writeStr(3, 3, "0.38");
    QVERIFY(book.save(lib));
    std::array<QString, 19> fields;
    m_app->MotorControlCenterBlock.UserMotorCount = 4;
    QVERIFY(m_app->FindMotorData(45, "DOL", fields));
    QCOMPARE(fields[3], QString("0.38"));
    QCOMPARE(m_app->MotorControlCenterBlock.UserMotorRow[1], QString("45"));
    m_app->MotorControlCenterBlock.UserMotorCount = 3;
}

void TestCalcRoutines::calcWarnings_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QString::fromUtf8("전원방식이 단상인 분전반입니다.\n분전반 전원방식을 확인하시기 바랍니다.");
    QTest::newRow("1") << 1 << QString::fromUtf8("SVD% 계산값이 기준값을 초과 합니다.\n아래의 수동입력을 통해 도체를 재선정하시기 바랍니다.");
    QTest::newRow("2") << 2 << QString::fromUtf8("AT값이 도체선정의 IZ값보다 큽니다.\n도체 선정값을 확인하시기 바랍니다.");
    QTest::newRow("3") << 3 << QString::fromUtf8("차단기 순시동작시간(tN)이 허용온도 도달시간(tZ)보다 큽니다.\n도체 선정값을 확인하시기 바랍니다.");
    QTest::newRow("4") << 4 << QString::fromUtf8("차단기 kA보다 고장전류 계산값(ISMAX)이 더 큽니다.\n차단기 선정값을 확인하시기 바랍니다.");
    QTest::newRow("5") << 5 << QString::fromUtf8("케이블 점유율이 100%를 초가하였습니다.\n트레이를 추가해 주시기 바랍니다.");
    // En dash (U+2013) and typographic quotes (U+201C, U+201D).
    QTest::newRow("6") << 6 << QString::fromUtf8("부하종류가 'M' 이 아닐 경우, 기동 방식을 '\xE2\x80\x93'로 선택하기 바랍니다.");
    QTest::newRow("7") << 7 << QString::fromUtf8("ISMIN[kA] 값이 없거나 \xE2\x80\x9C" "0\xE2\x80\x9D입니다. 값을 입력하시기 바랍니다.");
    QTest::newRow("8") << 8 << QString::fromUtf8("운전 중 전압강하(SVD%) 계산값이 허용전압강하를 초과 합니다.\n전압강하로는 도체를 올리지 않으므로, 아래의 수동입력을 통해 도체를 재선정하시기 바랍니다.");
    QTest::newRow("9") << 9 << QString::fromUtf8("알람 정의가 없습니다. !!!");
    QTest::newRow("-1") << -1 << QString::fromUtf8("알람 정의가 없습니다. !!!");
}

void TestCalcRoutines::calcWarnings()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    RecordingPrompt* prompt = RecordingPrompt::Install();
    m_app->ShowCalcWarning(code);
    QCOMPARE(prompt->messages, QStringList{text});
    QCOMPARE(prompt->messageButtons.value(0), Prompt::Buttons::Ok);
    QCOMPARE(prompt->messageIcons.value(0), Prompt::Icon::Exclamation);
}

void TestCalcRoutines::commaDecimalLocale()
{
    const CommaDecimalLocale comma;
    if (!comma.installed())
        QSKIP("the de_DE.UTF-8 locale cannot be set; scripts/deps.sh generates it");
    QLocale::setDefault(QLocale(QLocale::German));
    struct Case { double value; int decimals; const char* unit; const char* text; };
    const Case cases[] = {
        {12.345, 1, " kW", "12.3 kW"}, {0.875, 3, "", "0.875"}, {1234567.5, 2, "A", "1234567.50A"},
        {NO_VALUE, 2, " kW", "-"}, {-0.5, 0, "", "-1"}};  // a half away from zero
    for (const Case& c : cases)
        QCOMPARE(FormatValue(c.value, c.decimals, c.unit, "-"), QString(c.text));
    QCOMPARE(ReadLeadingNumber(QStringLiteral("1.5")), 1.5);
    QCOMPARE(ReadLeadingNumber(QStringLiteral("1,5")), 1.0);  // a stored number never has a comma
    // A text printed here reads back to the same number.
    QCOMPARE(ReadLeadingNumber(FormatValue(0.1 + 0.2, 8, "", "")), 0.3);
    QLocale::setDefault(QLocale::c());
}

void TestCalcRoutines::oneSignOnly()
{
    // strtod stops at a second sign: "+-1" and "--1" are no numbers.
    QCOMPARE(ReadLeadingNumber(QStringLiteral("+-1")), 0.0);
    QCOMPARE(ReadLeadingNumber(QStringLiteral("--1")), 0.0);
    QCOMPARE(ReadLeadingNumber(QStringLiteral("-+1")), 0.0);
    QCOMPARE(ReadLeadingNumber(QStringLiteral("-1")), -1.0);
}

QTEST_GUILESS_MAIN(TestCalcRoutines)
#include "tst_calcroutines.moc"
