// The fault-current pages draw their formulas themselves: each picture must exist on its
// page, lay out inside its box and draw every text of its formula (against a reference
// rendering of the same texts).
#include "app/gui/formulapicture.h"
#include "common/formulacheck.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"

#include <QImage>
#include <QTest>

#include <memory>

class TestFaultScreenPictures : public QObject
{
    Q_OBJECT

private slots:
    void formulasAreDrawn_data();
    void formulasAreDrawn();
};

namespace {

std::unique_ptr<QWidget> MakePage(int page)
{
    switch (page) {
    case 82:
        return std::make_unique<CFaultTransformerPage>();
    case 83:
        return std::make_unique<CFaultMotorPage>();
    default:
        return std::make_unique<CFaultCablePage>();
    }
}

}  // namespace

void TestFaultScreenPictures::formulasAreDrawn_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    for (const char* name : {"formulaDelta20", "formulaDelta250", "formulaTransformerZ",
                             "formulaTransformerK", "formulaTransformerR", "formulaTransformerX",
                             "formulaSystem"})
        QTest::newRow(name) << 82 << name;
    for (const char* name : {"formulaMotorKva", "formulaMotorZm", "formulaMotorRm", "formulaMotorXm",
                             "formulaMotorMu", "formulaMotorQ", "formulaMotorZmq",
                             "formulaMotorParallel"})
        QTest::newRow(name) << 83 << name;
    for (const char* name : {"formulaCableR90", "formulaCableX", "formulaCableDelta",
                             "formulaCableRpe", "formulaCableXpe", "formulaCableWire"})
        QTest::newRow(name) << 84 << name;
}

void TestFaultScreenPictures::formulasAreDrawn()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    auto w = MakePage(page);
    auto* f = w->findChild<CFormulaPicture*>(name);
    QVERIFY2(f, qPrintable(name));
    // Below the list, inside the page.
    QVERIFY(w->rect().contains(f->geometry()));
    QVERIFY(f->width() > 50 && f->height() > 20);
    // The formula fits its box: what it needs is not larger than what it got.
    const QSize need = f->sizeHint();
    QVERIFY2(need.width() <= f->width() + 2 && need.height() <= f->height() + 2,
             qPrintable(QStringLiteral("%1 needs %2x%3 px, has %4x%5")
                            .arg(name).arg(need.width()).arg(need.height())
                            .arg(f->width()).arg(f->height())));
    const QString fault = FormulaPictureFault(f);
    QVERIFY2(fault.isEmpty(), qPrintable(name + QStringLiteral(": ") + fault));
    // No picture covers another control of the page.
    for (QWidget* other : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != f && other->isVisibleTo(w.get()))
            QVERIFY2(!other->geometry().intersects(f->geometry()),
                     qPrintable(name + QStringLiteral(" covers ") + other->objectName()));
    }
}

QTEST_MAIN(TestFaultScreenPictures)
#include "tst_faultscreenpictures.moc"
