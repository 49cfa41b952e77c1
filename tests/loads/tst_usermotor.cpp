// The user-motor row computation: every starting method against hand calculations, the CT
// choice at its boundaries, refused motors and missing starting factors.
#include "app/core/sevrin.h"
#include "library/core/libraryblocks.h"
#include "loads/core/usermotor.h"

#include <QTest>

Q_DECLARE_METATYPE(UserMotorRefusal)

namespace {

// The conditions of the worked examples: beta 6.0, reactor tap 0.65, lambda 3.0 (soft starter)
// and 1.5 (inverter), k 1.4, tm 4/6/10/15/20 s for DOL/Y-D/reactor/S.S/INV, CT factor 1.5.
UserMotorConditions Conditions()
{
    UserMotorConditions c;
    c.beta = QStringLiteral("6.0");
    c.reactorTap = QStringLiteral("0.65");
    c.lambdaSoftStarter = QStringLiteral("3.0");
    c.lambdaInverter = QStringLiteral("1.5");
    c.k = QStringLiteral("1.4");
    c.tm = {QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("10"), QStringLiteral("15"),
            QStringLiteral("20")};
    c.ctFactor = QStringLiteral("1.5");
    return c;
}

// CT primaries as the library lists them: a current from the entry's value up to the next
// takes the next primary's label (entry e: from-current, label).
void FillCtTable(LibTable& t, const std::vector<std::pair<double, QString>>& entries)
{
    t.Count = int(entries.size());
    for (int e = 0; e < t.Count; ++e) {
        t.Cell(e, 0) = QString::number(entries[std::size_t(e)].first);
        t.Cell(e, 1) = entries[std::size_t(e)].second;
    }
}

MotorRow Inputs(const QString& kw, const QString& phases, const QString& kv, const QString& eta,
                const QString& cos, const QString& method)
{
    MotorRow r;
    r[MotorField::RatedOutput] = kw;
    r[MotorField::Phases] = phases;
    r[MotorField::Voltage] = kv;
    r[MotorField::Efficiency] = eta;
    r[MotorField::PowerFactor] = cos;
    r[MotorField::StartingMethod] = method;
    r[MotorField::Capacitor] = QStringLiteral("30");
    r[MotorField::UnitSize] = QStringLiteral("400");
    return r;
}

}  // namespace

class TestUserMotor : public QObject
{
    Q_OBJECT

private slots:
    void startingMethods_data();
    void startingMethods();
    void starDeltaUsesPointThreeThreeWhereLibraryUsesOneThird();
    void ctBoundaries_data();
    void ctBoundaries();
    void refusedMotorsLeaveTheRow_data();
    void refusedMotorsLeaveTheRow();
    void missingStartingFactors_data();
    void missingStartingFactors();
};

void TestUserMotor::startingMethods_data()
{
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("kw");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QStringList>("expected");  // IB, beta, C, lambda, k, IMS, II, tm, CT, kVA

    // Three-phase 7.5 kW, 0.38 kV, eta 0.9, cos 0.85:
    //   IB = 7.5 / (sqrt3 x 0.38 x 0.9 x 0.85) = 7.5 / 0.503511 = 14.8955 A
    //   P / eta / cos = 7.5 / 0.765 = 9.80392 kVA; IB x 1.5 = 22.343 A lies in [20, 25): CT 25/5
    // DOL: C 1; IMS = 14.8955 x 6 = 89.373; II = 89.373 x 1.4 = 125.122; kVA = 9.80392 x 6 = 58.824
    QTest::newRow("DOL") << "3" << "7.5" << "DOL"
                         << QStringList{"14.90", "6.00", "1.00", "-", "1.40", "89.37", "125.12",
                                        "4.00", "25/5", "58.82"};
    // Y-D: C 0.33; IMS = 14.8955 x 6 x 0.33 = 29.493; II = 29.493 x 1.4 = 41.290;
    // kVA = 9.80392 x 1.98 = 19.412
    QTest::newRow("Y-D") << "3" << "7.5" << "Y-D"
                         << QStringList{"14.90", "6.00", "0.33", "-", "1.40", "29.49", "41.29",
                                        "6.00", "25/5", "19.41"};
    // Reactor, tap 0.65: IMS = 14.8955 x 6 x 0.65 = 58.093; II = 58.093 x 1.4 = 81.330;
    // kVA = 9.80392 x 3.9 = 38.235
    QTest::newRow("reactor") << "3" << "7.5" << QStringLiteral("리액터")
                             << QStringList{"14.90", "6.00", "0.65", "-", "1.40", "58.09", "81.33",
                                            "10.00", "25/5", "38.24"};
    // Soft starter, lambda 3: IMS = II = 14.8955 x 3 = 44.687; kVA = 9.80392 x 3 = 29.412;
    // beta is shown as chosen, k does not apply
    QTest::newRow("S.S") << "3" << "7.5" << "S.S"
                         << QStringList{"14.90", "6.00", "-", "3.00", "-", "44.69", "44.69",
                                        "15.00", "25/5", "29.41"};
    // Inverter, lambda 1.5: IMS = II = 14.8955 x 1.5 = 22.343; kVA = 9.80392 x 1.5 = 14.706
    QTest::newRow("INV") << "3" << "7.5" << "INV"
                         << QStringList{"14.90", "6.00", "-", "1.50", "-", "22.34", "22.34",
                                        "20.00", "25/5", "14.71"};
    // A method typed that is none of the five: C, lambda and tm do not apply and count as 1;
    // IMS = IB x beta = 89.373, II = IB x beta x k = 125.122, kVA = 9.80392 x 6 = 58.824
    QTest::newRow("typed method") << "3" << "7.5" << "Star"
                                  << QStringList{"14.90", "6.00", "-", "-", "1.40", "89.37",
                                                 "125.12", "-", "25/5", "58.82"};
    // Single-phase (phases "2") 3.7 kW, 0.22 kV, eta 0.82, cos 0.8:
    //   IB = 3.7 / 0.22 / 0.82 / 0.8 = 25.6375 A (no sqrt3); IB x 1.5 = 38.456 A in [30, 40): 40/5
    //   IMS = 25.6375 x 6 = 153.825; II = 153.825 x 1.4 = 215.355; kVA = 3.7 / 0.656 x 6 = 33.841
    QTest::newRow("single-phase DOL") << "2" << "3.7" << "DOL"
                                      << QStringList{"25.64", "6.00", "1.00", "-", "1.40", "153.82",
                                                     "215.35", "4.00", "40/5", "33.84"};
}

void TestUserMotor::startingMethods()
{
    QFETCH(QString, phases);
    QFETCH(QString, kw);
    QFETCH(QString, method);
    QFETCH(QStringList, expected);
    LibTable cts(7, 6, 26, 2);
    FillCtTable(cts, {{0, "5"}, {5, "10"}, {10, "15"}, {15, "20"}, {20, "25"}, {25, "30"}, {30, "40"}, {40, "50"}});

    const bool single = phases == QLatin1String("2");
    const QString kv = single ? QStringLiteral("0.22") : QStringLiteral("0.38");
    const QString eta = single ? QStringLiteral("0.82") : QStringLiteral("0.9");
    const QString cos = single ? QStringLiteral("0.8") : QStringLiteral("0.85");
    MotorRow row = Inputs(kw, phases, kv, eta, cos, method);
    QCOMPARE(CalcUserMotorRow(row, Conditions(), cts), UserMotorRefusal::None);

    using namespace MotorField;
    const QStringList got{row[DesignCurrent], row[Beta], row[C],  row[Lambda], row[K],
                          row[Ims],           row[Ii],   row[Tm], row[Ct],     row[StartKva]};
    QCOMPARE(got, expected);
    QCOMPARE(row[Key], kw + method);
    // Typed fields keep their texts.
    QCOMPARE(row[Voltage], kv);
    QCOMPARE(row[Capacitor], QStringLiteral("30"));
    QCOMPARE(row[UnitSize], QStringLiteral("400"));
}

void TestUserMotor::starDeltaUsesPointThreeThreeWhereLibraryUsesOneThird()
{
    // The user page takes C = 0.33 for star-delta; the library's motor tables 1/3.
    // Library: IMS = 14.8955 x 6 / 3 = 29.79 -> "30", C "0.333"; user: 29.49, C "0.33".
    LibTable cts(7, 6, 26, 2);
    FillCtTable(cts, {{0, "5"}});
    MotorRow user = Inputs("7.5", "3", "0.38", "0.9", "0.85", "Y-D");
    QCOMPARE(CalcUserMotorRow(user, Conditions(), cts), UserMotorRefusal::None);
    MotorRow lib = user;
    CSevrinApp app;
    app.CalcMotorRow(lib, 6.0, 1.0, 1.0 / 3.0, 0.65, 3.0, 1.5, 1.4, 4, 6, 10, 15, 20, 1.5);
    QCOMPARE(user[MotorField::C], QStringLiteral("0.33"));
    QCOMPARE(lib[MotorField::C], QStringLiteral("0.333"));
    QCOMPARE(user[MotorField::Ims], QStringLiteral("29.49"));
    QCOMPARE(lib[MotorField::Ims], QStringLiteral("30"));
}

void TestUserMotor::ctBoundaries_data()
{
    QTest::addColumn<QString>("ctFactor");
    QTest::addColumn<QString>("ct");
    // Single-phase 1 kW, 0.5 kV, eta 1, cos 0.5: IB = 1 / 0.5 / 1 / 0.5 = 4 A exactly.
    // Table from-currents 5, 10, 20 labelled 10, 15, 25.
    QTest::newRow("below the first entry: entry 0") << "1" << "10/5";  // x = 4 < 5
    QTest::newRow("equal to an entry: that entry") << "2.5" << "15/5";  // x = 10
    QTest::newRow("at the last entry: none") << "5" << "";               // x = 20
    QTest::newRow("above the last entry: none") << "6" << "";            // x = 24
    QTest::newRow("no factor: none") << "" << "";
}

void TestUserMotor::ctBoundaries()
{
    QFETCH(QString, ctFactor);
    QFETCH(QString, ct);
    LibTable cts(7, 6, 26, 2);
    FillCtTable(cts, {{5, "10"}, {10, "15"}, {20, "25"}});
    UserMotorConditions c = Conditions();
    c.ctFactor = ctFactor;
    MotorRow row = Inputs("1", "2", "0.5", "1", "0.5", "DOL");
    QCOMPARE(CalcUserMotorRow(row, c, cts), UserMotorRefusal::None);
    QCOMPARE(row[MotorField::DesignCurrent], QStringLiteral("4.00"));
    QCOMPARE(row[MotorField::Ct], ct);
}

void TestUserMotor::refusedMotorsLeaveTheRow_data()
{
    QTest::addColumn<QString>("kw");
    QTest::addColumn<QString>("kv");
    QTest::addColumn<QString>("eta");
    QTest::addColumn<QString>("cos");
    QTest::addColumn<UserMotorRefusal>("refusal");
    QTest::newRow("efficiency 0") << "7.5" << "0.38" << "0" << "0.85" << UserMotorRefusal::Efficiency;
    QTest::newRow("efficiency -") << "7.5" << "0.38" << "-" << "0.85" << UserMotorRefusal::Efficiency;
    QTest::newRow("efficiency empty") << "7.5" << "0.38" << "" << "0.85" << UserMotorRefusal::Efficiency;
    QTest::newRow("power factor 0") << "7.5" << "0.38" << "0.9" << "0" << UserMotorRefusal::PowerFactor;
    QTest::newRow("power factor -") << "7.5" << "0.38" << "0.9" << "-" << UserMotorRefusal::PowerFactor;
    QTest::newRow("power factor text") << "7.5" << "0.38" << "0.9" << "abc" << UserMotorRefusal::PowerFactor;
    QTest::newRow("voltage 0") << "7.5" << "0" << "0.9" << "0.85" << UserMotorRefusal::Voltage;
    QTest::newRow("no rated output") << "" << "0.38" << "0.9" << "0.85" << UserMotorRefusal::RatedOutput;
    // Each input readable, but IB = 1e12 / (√3 × 1e-6) / 0.9 / 0.85 = 7.5e17 A is beyond every
    // quantity; an output of 1e308 is no number at all.
    QTest::newRow("too large") << "1000000000000" << "0.000001" << "0.9" << "0.85"
                               << UserMotorRefusal::OutOfRange;
    QTest::newRow("output 1e308") << "1e308" << "0.38" << "0.9" << "0.85" << UserMotorRefusal::RatedOutput;
    QTest::newRow("output negative") << "-7.5" << "0.38" << "0.9" << "0.85" << UserMotorRefusal::RatedOutput;
    QTest::newRow("voltage comma") << "7.5" << "0,38" << "0.9" << "0.85" << UserMotorRefusal::Voltage;
}

void TestUserMotor::refusedMotorsLeaveTheRow()
{
    QFETCH(QString, kw);
    QFETCH(QString, kv);
    QFETCH(QString, eta);
    QFETCH(QString, cos);
    QFETCH(UserMotorRefusal, refusal);
    LibTable cts(7, 6, 26, 2);
    FillCtTable(cts, {{0, "5"}});
    MotorRow row = Inputs(kw, "3", kv, eta, cos, "DOL");
    const MotorRow before = row;
    QCOMPARE(CalcUserMotorRow(row, Conditions(), cts), refusal);
    QCOMPARE(row, before);
}

void TestUserMotor::missingStartingFactors_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("emptied");  // which condition text is empty
    QTest::addColumn<QStringList>("expected");  // IB, beta, C, lambda, k, IMS, II, tm, kVA
    // Reactor without a tap: C is missing, so everything built on it is "-" (not 0).
    QTest::newRow("reactor, no tap") << QStringLiteral("리액터") << "tap"
                                     << QStringList{"14.90", "6.00", "-", "-", "1.40", "-", "-",
                                                    "10.00", "-"};
    // DOL without k: IMS and kVA stand (89.37, 58.82), only II needs k.
    QTest::newRow("DOL, no k") << "DOL" << "k"
                               << QStringList{"14.90", "6.00", "1.00", "-", "-", "89.37", "-",
                                              "4.00", "58.82"};
    // DOL without beta: IMS, II and kVA all need it.
    QTest::newRow("DOL, no beta") << "DOL" << "beta"
                                  << QStringList{"14.90", "-", "1.00", "-", "1.40", "-", "-",
                                                 "4.00", "-"};
    // Soft starter without lambda.
    QTest::newRow("S.S, no lambda") << "S.S" << "lambda"
                                    << QStringList{"14.90", "6.00", "-", "-", "-", "-", "-",
                                                   "15.00", "-"};
    // Soft starter needs no beta: IMS = II = 44.69, kVA 29.41 as before.
    QTest::newRow("S.S, no beta") << "S.S" << "beta"
                                  << QStringList{"14.90", "-", "-", "3.00", "-", "44.69", "44.69",
                                                 "15.00", "29.41"};
    // Y-D without its starting time: only tm shows "-".
    QTest::newRow("Y-D, no tm") << "Y-D" << "tm"
                                << QStringList{"14.90", "6.00", "0.33", "-", "1.40", "29.49",
                                               "41.29", "-", "19.41"};
}

void TestUserMotor::missingStartingFactors()
{
    QFETCH(QString, method);
    QFETCH(QString, emptied);
    QFETCH(QStringList, expected);
    LibTable cts(7, 6, 26, 2);
    FillCtTable(cts, {{0, "5"}});
    UserMotorConditions c = Conditions();
    if (emptied == QLatin1String("tap"))
        c.reactorTap.clear();
    else if (emptied == QLatin1String("k"))
        c.k = QStringLiteral("-");
    else if (emptied == QLatin1String("beta"))
        c.beta.clear();
    else if (emptied == QLatin1String("lambda"))
        c.lambdaSoftStarter = QStringLiteral("abc");
    else if (emptied == QLatin1String("tm"))
        c.tm[1].clear();
    MotorRow row = Inputs("7.5", "3", "0.38", "0.9", "0.85", method);
    QCOMPARE(CalcUserMotorRow(row, c, cts), UserMotorRefusal::None);
    using namespace MotorField;
    const QStringList got{row[DesignCurrent], row[Beta], row[C],  row[Lambda], row[K],
                          row[Ims],           row[Ii],   row[Tm], row[StartKva]};
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestUserMotor)
#include "tst_usermotor.moc"
