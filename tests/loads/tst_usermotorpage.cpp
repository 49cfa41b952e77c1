// The user-motor area of the motor design page driven through its controls: every add,
// change and delete leaves the library's user-motor sheet equal to the list, the motor lookup
// prefers the user's motor, refused motors and failed writes store nothing and say so.
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "common/openpyxlcelldump.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "library/libraryfixture.h"
#include "loads/core/usermotor.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccconditionspage.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The user-motor sheet's rows (19 cells each) up to the first empty key, read by openpyxl.
QList<QStringList> SheetRows(const QString& path)
{
    const PythonResult r = RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[9]
r = 1
while ws.cell(r, 1).value not in (None, ''):
    print('\t'.join('' if ws.cell(r, c).value is None else str(ws.cell(r, c).value) for c in range(1, 20)))
    r += 1
)", {path});
    QList<QStringList> rows;
    if (r.exitCode != 0) {
        qWarning("%s", qPrintable(r.err));
        return rows;
    }
    for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows << line.split(QLatin1Char('\t'));
    return rows;
}

QList<QStringList> ListRows(const ReportListView* list)
{
    QList<QStringList> rows;
    for (int r = 0; r < list->rows()->rowCount(); ++r)
        rows << list->rows()->row(r).mid(0, 19);
    return rows;
}

QPushButton* AreaButton(CMccConditionsPage* page, const QString& caption)
{
    for (QPushButton* b : page->UserMotorArea()->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

void ClickRow(ReportListView* list, int row)
{
    list->show();
    const QRect rect = list->visualRect(list->rows()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

class TestUserMotorPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sheetEqualsListAfterEveryOperation();
    void motorLookupPrefersTheUserMotor();
    void refusedMotorStoresNothing_data();
    void refusedMotorStoresNothing();
    void failedWriteSaysSoAndShowsTheWorkbook();
    void clickPutsTheRowIntoTheInputs();

private:
    void Enter(const QString& kw, const QString& phase, const QString& method,
               const QString& eta = QStringLiteral("0.9"), const QString& cos = QStringLiteral("0.85"));
    void CheckSheetEqualsList();

    QTemporaryDir m_dir;
    QString m_lib;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CMccScreen> m_mcc;
    CMccConditionsPage* m_page = nullptr;
};

void TestUserMotorPage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    RecordingPrompt::Install();
    QVERIFY(fixture::UseLibraryFolder(m_dir.path()));
    m_lib = theApp.ProjectPathTable.LibWorkbookPath;
}

void TestUserMotorPage::init()
{
    m_prompt = RecordingPrompt::Install();
    QFile::remove(m_lib);
    QVERIFY(fixture::WriteLibrary(m_lib));  // an empty user-motor sheet
    theApp.MotorControlCenterBlock = CSevrinApp::MotorControlCenterBlockT{};
    theApp.MotorControlCenterBlock.MccCtFactor() = QStringLiteral("1.5");
    m_mcc = std::make_unique<CMccScreen>();
    m_mcc->OnInitialUpdate();
    m_page = m_mcc->DesignPage();
    // beta 6.0, lambda 3.0 / 1.5, k 1.4, tm 4/6/10/15/20 s, tap 0.65.
    const std::array<int, 9> chosen{4, 0, 3, 1, 0, 1, 2, 3, 4};
    for (int i = 0; i < 9; ++i)
        m_page->ConditionCombo(i)->setCurrentIndex(chosen[std::size_t(i)]);
    m_page->TapEdit()->setText(QStringLiteral("0.65"));
    m_page->LoadUserMotorList();
}

void TestUserMotorPage::cleanup()
{
    m_mcc.reset();
}

void TestUserMotorPage::Enter(const QString& kw, const QString& phase, const QString& method,
                              const QString& eta, const QString& cos)
{
    m_page->RatedOutputEdit()->setText(kw);
    m_page->PhaseCombo()->setCurrentText(phase);
    m_page->VoltageEdit()->setText(QStringLiteral("0.38"));
    m_page->EfficiencyEdit()->setText(eta);
    m_page->PowerFactorEdit()->setText(cos);
    m_page->StartingMethodCombo()->setCurrentText(method);
}

void TestUserMotorPage::CheckSheetEqualsList()
{
    const QList<QStringList> list = ListRows(m_page->UserMotorList());
    QCOMPARE(SheetRows(m_lib), list);
    QCOMPARE(theApp.MotorControlCenterBlock.UserMotorCount, int(list.size()));
}

void TestUserMotorPage::sheetEqualsListAfterEveryOperation()
{
    const PythonResult before = OpenpyxlCellDump(m_lib);
    QVERIFY2(before.exitCode == 0, qPrintable(before.err));
    ReportListView* list = m_page->UserMotorList();

    // Nothing marked: change and delete do nothing.
    AreaButton(m_page, QStringLiteral("수정"))->click();
    AreaButton(m_page, QStringLiteral("삭제"))->click();
    QCOMPARE(list->rows()->rowCount(), 0);

    const QStringList methods{QStringLiteral("DOL"), QStringLiteral("Y-D"), QStringLiteral("S.S")};
    const QStringList outputs{QStringLiteral("7.5"), QStringLiteral("11"), QStringLiteral("15")};
    for (int i = 0; i < 3; ++i) {
        Enter(outputs[i], QStringLiteral("3"), methods[i]);
        AreaButton(m_page, QStringLiteral("추가"))->click();
        CheckSheetEqualsList();
    }
    QCOMPARE(list->rows()->rowCount(), 3);
    // 7.5 kW DOL: IB = 7.5 / (sqrt3 x 0.38 x 0.9 x 0.85) = 14.90 A, IMS = 14.8955 x 6 = 89.37 A,
    // IB x 1.5 = 22.3 A: the fixture's CT entry of 15 A, labelled "20".
    QCOMPARE(list->rows()->text(0, MotorField::Key), QStringLiteral("7.5DOL"));
    QCOMPARE(list->rows()->text(0, MotorField::Ims), QStringLiteral("89.37"));
    QCOMPARE(list->rows()->text(0, MotorField::Ct), QStringLiteral("20/5"));

    // Change row 1 to an 18.5 kW inverter motor.
    ClickRow(list, 1);
    QCOMPARE(list->selectionMark(), 1);
    Enter(QStringLiteral("18.5"), QStringLiteral("3"), QStringLiteral("INV"));
    AreaButton(m_page, QStringLiteral("수정"))->click();
    CheckSheetEqualsList();
    QCOMPARE(list->rows()->text(1, MotorField::Key), QStringLiteral("18.5INV"));
    QCOMPARE(list->selectionMark(), -1);

    // Delete the first: the mark stays on the row that moved up.
    ClickRow(list, 0);
    AreaButton(m_page, QStringLiteral("삭제"))->click();
    CheckSheetEqualsList();
    QCOMPARE(list->rows()->text(0, MotorField::Key), QStringLiteral("18.5INV"));
    QCOMPARE(list->selectionMark(), 0);
    // Delete the last: the mark goes to the new last row.
    ClickRow(list, 1);
    AreaButton(m_page, QStringLiteral("삭제"))->click();
    CheckSheetEqualsList();
    QCOMPARE(list->rows()->rowCount(), 1);
    QCOMPARE(list->selectionMark(), 0);

    // A reload shows what the sheet holds.
    m_page->LoadUserMotorList();
    CheckSheetEqualsList();
    QCOMPARE(list->rows()->rowCount(), 1);

    // The library's own sheets are cell for cell as they were.
    const PythonResult after = OpenpyxlCellDump(m_lib);
    QVERIFY2(after.exitCode == 0, qPrintable(after.err));
    QCOMPARE(after.out, before.out);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestUserMotorPage::motorLookupPrefersTheUserMotor()
{
    std::array<QString, 19> fields;
    // The library's 7.5 kW DOL motor (the fixture's second table, eta 0.9).
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), fields));
    QCOMPARE(fields[MotorField::Efficiency], QStringLiteral("0.900"));

    // A user motor of the same output and method, with eta 0.92 and cos 0.88:
    // IB = 7.5 / (sqrt3 x 0.38 x 0.92 x 0.88) = 7.5 / 0.53286 = 14.075 A.
    Enter(QStringLiteral("7.5"), QStringLiteral("3"), QStringLiteral("DOL"), QStringLiteral("0.92"),
          QStringLiteral("0.88"));
    m_page->CapacitorEdit()->setText(QStringLiteral("25"));
    AreaButton(m_page, QStringLiteral("추가"))->click();
    fields.fill(QString());
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), fields));
    QCOMPARE(fields[MotorField::Efficiency], QStringLiteral("0.92"));
    QCOMPARE(fields[MotorField::DesignCurrent], QStringLiteral("14.07"));
    QCOMPARE(fields[MotorField::Capacitor], QStringLiteral("25"));
    // Another method of the same output is still the library's.
    QVERIFY(theApp.FindMotorData(11, QStringLiteral("Y-D"), fields));
    QCOMPARE(fields[MotorField::Efficiency], QStringLiteral("0.910"));

    // Deleted, the library's motor serves again.
    ClickRow(m_page->UserMotorList(), 0);
    AreaButton(m_page, QStringLiteral("삭제"))->click();
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), fields));
    QCOMPARE(fields[MotorField::Efficiency], QStringLiteral("0.900"));
}

void TestUserMotorPage::refusedMotorStoresNothing_data()
{
    QTest::addColumn<QString>("eta");
    QTest::addColumn<QString>("cos");
    QTest::addColumn<QString>("message");
    const QString eta = QStringLiteral("효율(η) 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
    const QString cos = QStringLiteral("역률(cosθ) 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
    QTest::newRow("eta 0") << "0" << "0.85" << eta;
    QTest::newRow("eta -") << "-" << "0.85" << eta;
    QTest::newRow("cos 0") << "0.9" << "0" << cos;
    QTest::newRow("cos -") << "0.9" << "-" << cos;
}

void TestUserMotorPage::refusedMotorStoresNothing()
{
    QFETCH(QString, eta);
    QFETCH(QString, cos);
    QFETCH(QString, message);
    Enter(QStringLiteral("7.5"), QStringLiteral("3"), QStringLiteral("DOL"));
    AreaButton(m_page, QStringLiteral("추가"))->click();
    const QByteArray stored = ReadFile(m_lib);

    Enter(QStringLiteral("11"), QStringLiteral("3"), QStringLiteral("DOL"), eta, cos);
    AreaButton(m_page, QStringLiteral("추가"))->click();
    QCOMPARE(m_prompt->messages, QStringList{message});
    ClickRow(m_page->UserMotorList(), 0);
    Enter(QStringLiteral("11"), QStringLiteral("3"), QStringLiteral("DOL"), eta, cos);
    AreaButton(m_page, QStringLiteral("수정"))->click();
    QCOMPARE(m_prompt->messages.size(), 2);
    QCOMPARE(ReadFile(m_lib), stored);
    QCOMPARE(m_page->UserMotorList()->rows()->rowCount(), 1);
    QCOMPARE(m_page->UserMotorList()->rows()->text(0, MotorField::Key), QStringLiteral("7.5DOL"));
    CheckSheetEqualsList();
}

void TestUserMotorPage::failedWriteSaysSoAndShowsTheWorkbook()
{
    for (const char* kw : {"7.5", "11"}) {
        Enter(QString::fromLatin1(kw), QStringLiteral("3"), QStringLiteral("DOL"));
        AreaButton(m_page, QStringLiteral("추가"))->click();
    }
    CheckSheetEqualsList();
    const QByteArray good = ReadFile(m_lib);

    // The workbook replaced behind the program's back by a file it cannot read: nothing is
    // written, the user is told which file, and the list shows what the workbook holds.
    const QByteArray broken("not a workbook");
    QVERIFY(WriteFile(m_lib, broken));
    const QString failure = QStringLiteral("사용자 전동기를 라이브러리 파일에 저장하지 못했습니다.\n") + m_lib;
    Enter(QStringLiteral("15"), QStringLiteral("3"), QStringLiteral("DOL"));
    AreaButton(m_page, QStringLiteral("추가"))->click();
    QCOMPARE(m_prompt->messages, QStringList{failure});
    QCOMPARE(ReadFile(m_lib), broken);
    QCOMPARE(m_page->UserMotorList()->rows()->rowCount(), 0);
    QCOMPARE(theApp.MotorControlCenterBlock.UserMotorCount, 0);

    // The good file back: the list follows the workbook again, and a failed delete keeps
    // every row.
    QVERIFY(WriteFile(m_lib, good));
    m_page->LoadUserMotorList();
    QCOMPARE(m_page->UserMotorList()->rows()->rowCount(), 2);
    ClickRow(m_page->UserMotorList(), 0);
    QVERIFY(WriteFile(m_lib, broken));
    AreaButton(m_page, QStringLiteral("삭제"))->click();
    QCOMPARE(m_prompt->messages.size(), 2);
    QCOMPARE(ReadFile(m_lib), broken);
    QVERIFY(WriteFile(m_lib, good));
    m_page->LoadUserMotorList();
    CheckSheetEqualsList();
    QCOMPARE(m_page->UserMotorList()->rows()->rowCount(), 2);
}

void TestUserMotorPage::clickPutsTheRowIntoTheInputs()
{
    Enter(QStringLiteral("5.5"), QStringLiteral("2"), QStringLiteral("Y-D"));
    m_page->UnitSizeEdit()->setText(QStringLiteral("300"));
    AreaButton(m_page, QStringLiteral("추가"))->click();
    // A phase that is neither "2" nor "3" and a method typed outside the list.
    Enter(QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("Star"));
    AreaButton(m_page, QStringLiteral("추가"))->click();
    QCOMPARE(m_page->UserMotorList()->rows()->text(1, MotorField::Key), QStringLiteral("4Star"));

    Enter(QString(), QStringLiteral("3"), QStringLiteral("DOL"));
    ClickRow(m_page->UserMotorList(), 0);
    QCOMPARE(m_page->RatedOutputEdit()->text(), QStringLiteral("5.5"));
    QCOMPARE(m_page->UnitSizeEdit()->text(), QStringLiteral("300"));
    QCOMPARE(m_page->PhaseCombo()->currentText(), QStringLiteral("2"));
    QCOMPARE(m_page->StartingMethodCombo()->currentText(), QStringLiteral("Y-D"));
    ClickRow(m_page->UserMotorList(), 1);
    QCOMPARE(m_page->RatedOutputEdit()->text(), QStringLiteral("4"));
    QCOMPARE(m_page->PhaseCombo()->currentText(), QStringLiteral("3"));
    QCOMPARE(m_page->StartingMethodCombo()->currentText(), QStringLiteral("INV"));
}

QTEST_MAIN(TestUserMotorPage)
#include "tst_usermotorpage.moc"
