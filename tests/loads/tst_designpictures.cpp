// The design pages draw their formulas and the installation-method table themselves: each
// picture must exist, lay out at a readable size and draw every text of its formula (against
// a reference rendering of the same texts).
#include "app/gui/formulapicture.h"
#include "common/formulacheck.h"
#include "loads/gui/boardinstallationpage.h"
#include "loads/gui/boardconductorpage.h"
#include "loads/gui/boardmotorstartpage.h"
#include "loads/gui/boardbreakerpage.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <memory>

class TestDesignPictures : public QObject
{
    Q_OBJECT

private slots:
    void formulasAreDrawn_data();
    void formulasAreDrawn();
    void installationMethodTableListsEveryMethod();
    void checkSeesACutFormula();
};

namespace {

std::unique_ptr<QWidget> MakePage(int page)
{
    switch (page) {
    case 2:
        return std::make_unique<CBoardConductorPage>();
    case 3:
        return std::make_unique<CBoardMotorStartPage>();
    default:
        return std::make_unique<CBoardBreakerPage>();
    }
}

}  // namespace

void TestDesignPictures::formulasAreDrawn_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::newRow("design current") << 2 << "formulaIB";
    QTest::newRow("SB") << 2 << "formulaSB";
    QTest::newRow("SVD") << 2 << "formulaSVD";
    QTest::newRow("SSC") << 2 << "formulaSSC";
    QTest::newRow("SMSVD") << 3 << "formulaSMSVD";
    QTest::newRow("SMSTh") << 3 << "formulaSMSTh";
    QTest::newRow("ATMS") << 4 << "formulaATMS";
    QTest::newRow("ATMI") << 4 << "formulaATMI";
    QTest::newRow("ATSC") << 4 << "formulaATSC";
}

void TestDesignPictures::formulasAreDrawn()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    auto w = MakePage(page);
    w->resize(1400, 800);
    auto* f = w->findChild<CFormulaPicture*>(name);
    QVERIFY2(f, qPrintable(name));
    QVERIFY(f->width() > 50 && f->height() > 20);
    // The formula fits its box: what it needs is not wider than what it got.
    QVERIFY2(f->sizeHint().width() <= f->width() + 2,
             qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                            .arg(name).arg(f->sizeHint().width()).arg(f->width())));
    const QString fault = FormulaPictureFault(f);
    QVERIFY2(fault.isEmpty(), qPrintable(name + QStringLiteral(": ") + fault));
}

void TestDesignPictures::installationMethodTableListsEveryMethod()
{
    CBoardInstallationPage page;
    auto* table = page.findChild<QLabel*>(QStringLiteral("installationMethods"));
    QVERIFY(table);
    for (const char* method : {">A1<", ">A2<", ">B1<", ">B2<", ">C<", ">D1<", ">D2<", ">E<", ">F<"})
        QVERIFY2(table->text().contains(QLatin1String(method)), method);
    QVERIFY(InkOf(table) > 1000);
}

// The check itself: a formula in a box of its own size passes; in a box of half its width or
// height (the rest cut off) it fails.
void TestDesignPictures::checkSeesACutFormula()
{
    using namespace Fx;
    CFormulaPicture f(R({T("I"), Sub("B"), T(" = "), F(T("P"), R({Sqrt(T("3")), T("·V·cosθ")}))}));
    const QSize need = f.sizeHint();
    f.resize(need);
    QCOMPARE(FormulaPictureFault(&f), QString());
    f.resize(need.width() / 2, need.height());
    QVERIFY(!FormulaPictureFault(&f).isEmpty());
    f.resize(need.width(), need.height() / 2);
    QVERIFY(!FormulaPictureFault(&f).isEmpty());
}

QTEST_MAIN(TestDesignPictures)
#include "tst_designpictures.moc"
