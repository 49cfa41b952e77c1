// The project screen, driven through its controls with the prompt seam answering.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/core/sevrin.h"
#include "app/gui/mainfrm.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "app/gui/projectscreen.h"
#include "common/enterescapekeys.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/singleinstance.h"
#include "report/gui/outputdlg.h"

namespace {

struct Issue
{
    QString date, purpose, designer, reviewer, approver;
};

}  // namespace

class TestProjectScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layoutAndIdentifiers();
    void issueListColumns();
    void issueDateFormat_data();
    void issueDateFormat();
    void dateButtonWritesToday();
    void refreshFillsFromBlock();
    void refreshClampsStoredRowCount_data();
    void refreshClampsStoredRowCount();
    void addStopsAtTenRows();
    void addRefusesEmptyDate();
    void clickCopiesRowIntoEdits();
    void modifyOverwritesMarkedRowAndClearsMark();
    void deleteRenumbersAndKeepsMark_data();
    void deleteRenumbersAndKeepsMark();
    void deleteWithoutMarkDoesNothing();
    void logoPickerTakesThePictureIntoTheLogoFolder_data();
    void logoPickerTakesThePictureIntoTheLogoFolder();
    void outputOpensDialogWithAllNineReports();
    void enterAndEscapeAreSwallowed();
    void saveTakesHeaderEditsIntoBlock();
    void saveWritesEverySectionAndReloadRestoresScreen();
    void failedSaveIsReported();
    void hiddenNewProject_data();
    void hiddenNewProject();
    void newProjectThatCannotBeWrittenIsSaid();
    void hiddenOpenAndDeleteProject();
    void navigationButtons();

private:
    QLineEdit* Edit(int id) const { return m_view->Control<QLineEdit>(id); }
    void Click(int id) const;
    void ClickRow(int row) const;
    void SetEdits(const Issue& issue) const;
    // Puts `n` dated rows "P0".."P<n-1>" into the block and refreshes the screen.
    void FillRows(int n) const;
    QStringList Column(int c) const;
    ReportListView* List() const { return m_view->IssueList(); }

    QTemporaryDir m_root;
    QString m_project;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CProjectScreen> m_view;
};

void TestProjectScreen::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_prompt = RecordingPrompt::Install();
    QDir root(m_root.path());
    QVERIFY(root.mkpath(QStringLiteral("PRO/P-100")));
    QVERIFY(root.mkpath(QStringLiteral("CI")));
    QVERIFY(root.mkpath(QStringLiteral("FORM")));
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.RootPath = m_root.path();
    p.ProFolder = QStringLiteral("PRO");
    p.CiFolder = QStringLiteral("CI");
    p.OutFolder = QStringLiteral("OUT");
    p.FormProPath = root.filePath(QStringLiteral("FORM/form.pro"));
    m_project = root.filePath(QStringLiteral("PRO/P-100/P-100.pro"));
    QFile form(p.FormProPath);
    QVERIFY(form.open(QIODevice::WriteOnly));
    form.write("[Project_Introduce]\nProjectName=\n");
}

void TestProjectScreen::init()
{
    theApp.ProjectIntroduceBlock = CSevrinApp::ProjectIntroduceBlockT{};
    theApp.ProjectPathTable.CurrentProjectPath = m_project;
    m_prompt = RecordingPrompt::Install();
    m_view = std::make_unique<CProjectScreen>();
    m_view->OnInitialUpdate();
    m_view->resize(m_view->FormSize());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestProjectScreen::cleanup()
{
    m_view.reset();
    QVERIFY(theApp.ScreenView(Screen::Project) == nullptr);
}

void TestProjectScreen::Click(int id) const
{
    auto* b = m_view->Control<QPushButton>(id);
    QVERIFY2(b, qPrintable(QStringLiteral("no button %1").arg(id)));
    b->click();
}

void TestProjectScreen::ClickRow(int row) const
{
    const QModelIndex index = List()->model()->index(row, 2);
    List()->scrollTo(index);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualRect(index).center());
}

void TestProjectScreen::SetEdits(const Issue& issue) const
{
    Edit(1043)->setText(issue.date);
    Edit(1033)->setText(issue.purpose);
    Edit(1037)->setText(issue.designer);
    Edit(1035)->setText(issue.reviewer);
    Edit(1044)->setText(issue.approver);
}

void TestProjectScreen::FillRows(int n) const
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.RR = n;
    for (int r = 0; r < 10; ++r) {
        b.RevPurpose[r] = QStringLiteral("P%1").arg(r);
        b.RevDate[r] = QStringLiteral("2026.01.%1").arg(r + 10);
        b.RevDesigner[r] = QStringLiteral("D%1").arg(r);
        b.RevReviewer[r] = QStringLiteral("R%1").arg(r);
        b.RevApprover[r] = QStringLiteral("A%1").arg(r);
    }
    m_view->RefreshProjectScreen();
}

QStringList TestProjectScreen::Column(int c) const
{
    QStringList texts;
    for (int r = 0; r < List()->rows()->rowCount(); ++r)
        texts << List()->rows()->text(r, c);
    return texts;
}

void TestProjectScreen::layoutAndIdentifiers()
{
    struct Placed
    {
        int id, x, y, w, h;
        bool visible;
    };
    const Placed controls[] = {
        {1005, 12, 7, 50, 14, true},    {1017, 12, 71, 50, 14, true},
        {1016, 12, 91, 50, 14, true},   {1018, 12, 111, 50, 14, true},
        {1021, 12, 131, 50, 14, true},  {1019, 12, 151, 50, 14, true},
        {1020, 12, 171, 50, 14, true},  {1022, 12, 191, 50, 14, true},
        {1024, 12, 211, 50, 14, true},  {1025, 12, 452, 50, 14, true},
        {1026, 12, 472, 50, 14, true},  {1027, 121, 7, 156, 14, true},
        {1034, 341, 7, 109, 14, true},  {1046, 510, 7, 109, 14, true},
        {1040, 709, 7, 70, 14, true},   {1045, 784, 7, 152, 14, true},
        {1033, 121, 25, 156, 14, true}, {1030, 287, 25, 50, 14, true},
        {1043, 341, 25, 109, 14, true}, {1037, 510, 25, 109, 14, true},
        {1035, 678, 25, 101, 14, true}, {1044, 835, 25, 101, 14, true},
        {1013, 68, 71, 816, 213, true}, {1087, 886, 71, 50, 14, true},
        {1088, 886, 87, 50, 14, true},  {1010, 886, 103, 50, 14, true},
        {1263, 68, 295, 868, 201, true},
        // Created, bound, never shown.
        {1029, 12, 296, 50, 27, false}, {1014, 12, 329, 50, 27, false},
        {1028, 12, 363, 50, 27, false}, {1015, 12, 231, 50, 14, false},
        {1023, 12, 249, 50, 14, false},
    };
    const DialogUnits& du = m_view->Units();
    for (const Placed& c : controls) {
        QWidget* w = m_view->Control(c.id);
        QVERIFY2(w, qPrintable(QString::number(c.id)));
        QCOMPARE(w->geometry(), du.Rect(c.x, c.y, c.w, c.h));
        QCOMPARE(w->isVisible(), c.visible);
    }
    // Number and logo name are read-only; the other edits take input.
    QVERIFY(!Edit(1034)->isEnabled());
    QVERIFY(!Edit(1045)->isEnabled());
    for (int id : {1027, 1046, 1033, 1043, 1037, 1035, 1044})
        QVERIFY(Edit(id)->isEnabled());
    QCOMPARE(m_view->Control<QPushButton>(1018)->text(), QStringLiteral("케이블&&차단기"));
    QCOMPARE(m_view->Control<QPushButton>(1014)->text(), QStringLiteral("프로젝트\n새로만들기"));

    // The labels sit where the layout puts them, with their texts.
    QStringList labelTexts;
    for (QLabel* l : m_view->findChildren<QLabel*>())
        if (l->geometry() == du.Rect(68, 46, 868, 20) || l->geometry() == du.Rect(627, 7, 77, 14))
            labelTexts << l->text();
    labelTexts.sort();
    QCOMPARE(labelTexts, (QStringList{QStringLiteral("ISSUE STATUS"), QStringLiteral("발주처 CI")}));

}

void TestProjectScreen::issueListColumns()
{
    const QStringList captions = {QStringLiteral("REV.NO"), QStringLiteral("일자"),
                                  QStringLiteral("용도"),   QStringLiteral("설계자"),
                                  QStringLiteral("검토자"), QStringLiteral("승인자")};
    const QList<int> widths = {100, 160, 500, 160, 160, 160};
    QCOMPARE(List()->rows()->columnCount(), 6);
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(List()->rows()->headerData(c, Qt::Horizontal).toString(), captions[c]);
        QCOMPARE(List()->horizontalHeader()->sectionSize(c), widths[c]);
        QCOMPARE(List()->header()->GroupCaption(c), QString());
    }
    QCOMPARE(List()->header()->HeaderBkColor(), QColor(211, 211, 211));
    QCOMPARE(List()->header()->HeaderTextColor(), QColor(0, 0, 0));
    QCOMPARE(List()->selectionBehavior(), QAbstractItemView::SelectRows);
}

void TestProjectScreen::issueDateFormat_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded month and day") << QDate(2026, 1, 5) << QStringLiteral("2026.01.05");
    QTest::newRow("two-digit month and day") << QDate(2024, 12, 31) << QStringLiteral("2024.12.31");
    QTest::newRow("leap day") << QDate(2028, 2, 29) << QStringLiteral("2028.02.29");
    QTest::newRow("short year padded") << QDate(987, 7, 4) << QStringLiteral("0987.07.04");
}

void TestProjectScreen::issueDateFormat()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(CProjectScreen::FormatIssueDate(date), text);
}

void TestProjectScreen::dateButtonWritesToday()
{
    Edit(1043)->setText(QStringLiteral("typed"));
    const QDate before = QDate::currentDate();
    Click(1030);
    const QDate after = QDate::currentDate();
    const QString shown = Edit(1043)->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}\\.\\d{2}\\.\\d{2}$")).match(shown).hasMatch(),
             qPrintable(shown));
    const QDate parsed = QDate::fromString(shown, QStringLiteral("yyyy.MM.dd"));
    QVERIFY(parsed == before || parsed == after);
}

void TestProjectScreen::refreshFillsFromBlock()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.ProjectName = QStringLiteral("울산 공장 증설");
    b.ProjectNumber = QStringLiteral("P-100");
    b.Buyer = QStringLiteral("한빛전력");
    b.CI = QStringLiteral("hanbit.jpg");
    FillRows(3);

    QCOMPARE(Edit(1027)->text(), b.ProjectName);
    QCOMPARE(Edit(1034)->text(), b.ProjectNumber);
    QCOMPARE(Edit(1046)->text(), b.Buyer);
    QCOMPARE(Edit(1045)->text(), b.CI);
    // The edits offer the last revision again, dated today.
    QCOMPARE(Edit(1033)->text(), QStringLiteral("P2"));
    QCOMPARE(Edit(1037)->text(), QStringLiteral("D2"));
    QCOMPARE(Edit(1035)->text(), QStringLiteral("R2"));
    QCOMPARE(Edit(1044)->text(), QStringLiteral("A2"));
    QCOMPARE(Edit(1043)->text(), CProjectScreen::FormatIssueDate(QDate::currentDate()));
    QCOMPARE(List()->rows()->row(1),
             (QStringList{"1", "2026.01.11", "P1", "D1", "R1", "A1"}));
    QCOMPARE(Column(0), (QStringList{"0", "1", "2"}));

    // A refresh replaces what the screen showed; no revision rows leave the edits empty.
    FillRows(0);
    QCOMPARE(List()->rows()->rowCount(), 0);
    QCOMPARE(Edit(1033)->text(), QString());
    QCOMPARE(Edit(1044)->text(), QString());
}

void TestProjectScreen::refreshClampsStoredRowCount_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("twelve") << 12 << 10;
    QTest::newRow("ten") << 10 << 10;
    QTest::newRow("negative") << -3 << 0;
}

void TestProjectScreen::refreshClampsStoredRowCount()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    FillRows(stored);
    QCOMPARE(List()->rows()->rowCount(), shown);
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, shown);
    // A row added after a clamped refresh lands right after the shown rows (or is refused at
    // ten), never outside the arrays.
    SetEdits({QStringLiteral("2026.03.01"), QStringLiteral("new"), {}, {}, {}});
    Click(1087);
    const int expected = std::min(shown + 1, 10);
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, expected);
    QCOMPARE(List()->rows()->rowCount(), expected);
    if (shown < 10)
        QCOMPARE(theApp.ProjectIntroduceBlock.RevPurpose[shown], QStringLiteral("new"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestProjectScreen::addStopsAtTenRows()
{
    FillRows(0);
    for (int i = 0; i < 12; ++i) {
        SetEdits({QStringLiteral("2026.02.%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                  QStringLiteral("용도 %1").arg(i), QStringLiteral("김설계"),
                  QStringLiteral("이검토"), QStringLiteral("박승인")});
        Click(1087);
    }
    const CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    QCOMPARE(b.RR, 10);
    QCOMPARE(List()->rows()->rowCount(), 10);
    QCOMPARE(Column(0), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(List()->rows()->row(9),
             (QStringList{"9", "2026.02.10", "용도 9", "김설계", "이검토", "박승인"}));
    QCOMPARE(b.RevDate[9], QStringLiteral("2026.02.10"));
    QCOMPARE(b.RevApprover[9], QStringLiteral("박승인"));
    // The eleventh and twelfth presses changed nothing and said nothing.
    QCOMPARE(Column(2).count(QStringLiteral("용도 10")), 0);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestProjectScreen::addRefusesEmptyDate()
{
    FillRows(2);
    for (const QString& date : {QString(), QStringLiteral("   ")}) {
        m_prompt->messages.clear();
        SetEdits({date, QStringLiteral("no date"), {}, {}, {}});
        Click(1087);
        QCOMPARE(theApp.ProjectIntroduceBlock.RR, 2);
        QCOMPARE(List()->rows()->rowCount(), 2);
        QCOMPARE(theApp.ProjectIntroduceBlock.RevPurpose[2], QStringLiteral("P2"));
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY(m_prompt->messages[0].contains(QStringLiteral("일자")));
    }

    // Modify refuses it too, and leaves the row as it was.
    m_prompt->messages.clear();
    ClickRow(1);
    Edit(1043)->clear();
    Click(1088);
    QCOMPARE(theApp.ProjectIntroduceBlock.RevDate[1], QStringLiteral("2026.01.11"));
    QCOMPARE(List()->rows()->text(1, 1), QStringLiteral("2026.01.11"));
    QCOMPARE(m_prompt->messages.size(), 1);
}

void TestProjectScreen::clickCopiesRowIntoEdits()
{
    FillRows(4);
    ClickRow(2);
    QCOMPARE(List()->selectionMark(), 2);
    QCOMPARE(Edit(1043)->text(), QStringLiteral("2026.01.12"));
    QCOMPARE(Edit(1033)->text(), QStringLiteral("P2"));
    QCOMPARE(Edit(1037)->text(), QStringLiteral("D2"));
    QCOMPARE(Edit(1035)->text(), QStringLiteral("R2"));
    QCOMPARE(Edit(1044)->text(), QStringLiteral("A2"));
}

void TestProjectScreen::modifyOverwritesMarkedRowAndClearsMark()
{
    FillRows(3);
    // No row clicked yet: nothing changes.
    SetEdits({QStringLiteral("2026.05.05"), QStringLiteral("changed"), {}, {}, {}});
    Click(1088);
    QCOMPARE(Column(2), (QStringList{"P0", "P1", "P2"}));

    ClickRow(1);
    Edit(1033)->setText(QStringLiteral("변경 설계"));
    Edit(1044)->setText(QStringLiteral("최승인"));
    Click(1088);
    QCOMPARE(List()->rows()->row(1),
             (QStringList{"1", "2026.01.11", "변경 설계", "D1", "R1", "최승인"}));
    const CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    QCOMPARE(b.RevPurpose[1], QStringLiteral("변경 설계"));
    QCOMPARE(b.RevApprover[1], QStringLiteral("최승인"));
    QCOMPARE(b.RR, 3);
    QCOMPARE(List()->selectionMark(), -1);

    // A second "수정" without a new click does nothing.
    Edit(1033)->setText(QStringLiteral("again"));
    Click(1088);
    QCOMPARE(b.RevPurpose[1], QStringLiteral("변경 설계"));
    QCOMPARE(Column(2), (QStringList{"P0", "변경 설계", "P2"}));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestProjectScreen::deleteRenumbersAndKeepsMark_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("mark");
    QTest::addColumn<QStringList>("purposes");
    QTest::newRow("middle of five") << 5 << 2 << 2 << QStringList{"P0", "P1", "P3", "P4"};
    QTest::newRow("first of five") << 5 << 0 << 0 << QStringList{"P1", "P2", "P3", "P4"};
    QTest::newRow("last of five") << 5 << 4 << 3 << QStringList{"P0", "P1", "P2", "P3"};
    QTest::newRow("only row") << 1 << 0 << -1 << QStringList{};
}

void TestProjectScreen::deleteRenumbersAndKeepsMark()
{
    QFETCH(int, rows);
    QFETCH(int, deleted);
    QFETCH(int, mark);
    QFETCH(QStringList, purposes);
    FillRows(rows);
    ClickRow(deleted);
    Click(1010);

    const CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    QCOMPARE(b.RR, rows - 1);
    QCOMPARE(Column(2), purposes);
    QStringList numbers;
    QStringList blockPurposes;
    for (int r = 0; r < rows - 1; ++r) {
        numbers << QString::number(r);
        blockPurposes << b.RevPurpose[r];
        // Every column of the block row moved with it.
        QCOMPARE(List()->rows()->text(r, 1), b.RevDate[r]);
        QCOMPARE(List()->rows()->text(r, 5), b.RevApprover[r]);
    }
    QCOMPARE(Column(0), numbers);
    QCOMPARE(blockPurposes, purposes);
    QCOMPARE(List()->selectionMark(), mark);
    QVERIFY(m_prompt->messages.isEmpty());

    // The mark works for the next button: a second delete removes the marked row.
    if (mark >= 0) {
        const QString next = List()->rows()->text(mark, 2);
        Click(1010);
        QCOMPARE(b.RR, rows - 2);
        QVERIFY(!Column(2).contains(next));
    }
}

void TestProjectScreen::deleteWithoutMarkDoesNothing()
{
    FillRows(3);
    Click(1010);
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, 3);
    QCOMPARE(Column(2), (QStringList{"P0", "P1", "P2"}));
    // After a modify the mark is gone, so delete does nothing either.
    ClickRow(0);
    Click(1088);
    Click(1010);
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, 3);
}

// The project file keeps the logo's file name and the report looks for it in the program's
// logo folder (CI): a picture picked elsewhere is copied there, never over a different file of
// the same name; a pick that is no picture, or cannot be read, is refused with a message and
// the logo there was stays.
void TestProjectScreen::logoPickerTakesThePictureIntoTheLogoFolder_data()
{
    QTest::addColumn<QString>("picked");        // relative to the test root; "" cancels
    QTest::addColumn<QString>("content");       // "red", "blue" (pictures), "text", "none"
    QTest::addColumn<QStringList>("inFolder");  // CI files before the pick, "name=content"
    QTest::addColumn<QString>("stored");        // the logo name afterwards
    QTest::addColumn<QStringList>("afterwards");  // every CI file after the pick, "name=content"
    QTest::addColumn<QString>("message");       // the start of the refusal, "" for none

    QTest::newRow("cancelled") << "" << "" << QStringList{"old.jpg=blue"} << "old.jpg"
                               << QStringList{"old.jpg=blue"} << "";
    QTest::newRow("picked elsewhere: copied in") << "elsewhere/새 로고.jpg" << "red" << QStringList{"old.jpg=blue"}
                                                 << "새 로고.jpg"
                                                 << QStringList{"old.jpg=blue", "새 로고.jpg=red"} << "";
    QTest::newRow("a different file of the name: the next free name")
        << "elsewhere/logo.jpg" << "red" << QStringList{"logo.jpg=blue", "logo (2).jpg=blue"} << "logo (3).jpg"
        << QStringList{"logo (2).jpg=blue", "logo (3).jpg=red", "logo.jpg=blue"} << "";
    QTest::newRow("the same picture already there: used as it is")
        << "elsewhere/logo.jpg" << "red" << QStringList{"logo.jpg=blue", "logo (2).jpg=red"} << "logo (2).jpg"
        << QStringList{"logo (2).jpg=red", "logo.jpg=blue"} << "";
    QTest::newRow("picked in the logo folder: no copy")
        << "CI/kepco.jpg" << "" << QStringList{"kepco.jpg=red"} << "kepco.jpg" << QStringList{"kepco.jpg=red"} << "";
    QTest::newRow("not a picture") << "elsewhere/logo.jpg" << "text" << QStringList{"old.jpg=blue"} << "old.jpg"
                                   << QStringList{"old.jpg=blue"} << "발주처 CI 파일이 그림(JPG, PNG)이 아닙니다.";
    QTest::newRow("gone before it was read") << "elsewhere/logo.jpg" << "none" << QStringList{"old.jpg=blue"}
                                             << "old.jpg" << QStringList{"old.jpg=blue"}
                                             << "발주처 CI 파일을 읽을 수 없습니다.";
}

void TestProjectScreen::logoPickerTakesThePictureIntoTheLogoFolder()
{
    QFETCH(QString, picked);
    QFETCH(QString, content);
    QFETCH(QStringList, inFolder);
    QFETCH(QString, stored);
    QFETCH(QStringList, afterwards);
    QFETCH(QString, message);

    // Two pictures told apart by their bytes, and a text file named like a picture.
    const auto bytesOf = [](const QString& kind) {
        if (kind == QLatin1String("text"))
            return QByteArray("not a picture");
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(kind == QLatin1String("red") ? Qt::red : Qt::blue);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        return data;
    };
    const auto write = [](const QString& path, const QByteArray& data) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
    };
    QDir root(m_root.path());
    QDir ci(root.filePath(QStringLiteral("CI")));
    QDir elsewhere(root.filePath(QStringLiteral("elsewhere")));
    QVERIFY(ci.removeRecursively() && elsewhere.removeRecursively());
    QVERIFY(root.mkpath(QStringLiteral("CI")) && root.mkpath(QStringLiteral("elsewhere")));
    for (const QString& f : inFolder)
        QVERIFY(write(ci.filePath(f.section('=', 0, 0)), bytesOf(f.section('=', 1))));
    if (!content.isEmpty() && content != QLatin1String("none"))
        QVERIFY(write(root.filePath(picked), bytesOf(content)));
    QVERIFY(!bytesOf(QStringLiteral("red")).isEmpty());

    theApp.ProjectIntroduceBlock.CI = QStringLiteral("old.jpg");
    m_view->RefreshProjectScreen();
    if (!picked.isEmpty())
        m_prompt->openFileAnswers.push_back(root.filePath(picked));
    Click(1040);

    // The dialog opens in the logo folder and offers pictures.
    QCOMPARE(m_prompt->openFileRequests.size(), 1);
    const QStringList request = m_prompt->openFileRequests[0].split(QLatin1Char('|'));
    QCOMPARE(QDir::cleanPath(request[0]), QDir::cleanPath(ci.path()));
    QVERIFY(request[1].contains(QStringLiteral("*.jpg")));

    QCOMPARE(theApp.ProjectIntroduceBlock.CI, stored);
    QCOMPARE(Edit(1045)->text(), stored);
    QStringList files;
    for (const QString& f : ci.entryList(QDir::Files)) {
        const QByteArray data = ReadFile(ci.filePath(f));
        files << f + QLatin1Char('=') +
                     (data == bytesOf(QStringLiteral("red")) ? "red" : data == bytesOf(QStringLiteral("blue")) ? "blue" : "?");
    }
    files.sort();
    QCOMPARE(files, afterwards);
    if (message.isEmpty()) {
        QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    } else {
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY2(m_prompt->messages[0].startsWith(message), qPrintable(m_prompt->messages[0]));
        QVERIFY2(m_prompt->messages[0].endsWith(root.filePath(picked)), qPrintable(m_prompt->messages[0]));
    }
}

void TestProjectScreen::outputOpensDialogWithAllNineReports()
{
    struct Seen
    {
        bool found = false;
        std::array<uint8_t, 9> choices{};
        QStringList all, chosen;
        bool outputEnabled = true;
        QString outputTip;
        bool registered = false;
        int stopFlag = -1;
    } seen;
    QTimer::singleShot(0, this, [&seen] {
        auto* dlg = dynamic_cast<COutputDlg*>(QApplication::activeModalWidget());
        if (!dlg) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = dynamic_cast<COutputDlg*>(w); d && d->isVisible())
                    dlg = d;
        }
        if (!dlg)
            return;
        seen.found = true;
        std::copy(dlg->ReportChoices.begin(), dlg->ReportChoices.end(), seen.choices.begin());
        for (int id : {1042, 1043}) {
            auto* list = dlg->findChild<QListWidget*>(QString::number(id));
            for (int i = 0; list && i < list->count(); ++i)
                (id == 1042 ? seen.all : seen.chosen) << list->item(i)->text();
        }
        auto* output = dlg->findChild<QPushButton*>(QStringLiteral("1009"));
        seen.outputEnabled = output && output->isEnabled();
        seen.outputTip = output ? output->toolTip() : QString();
        seen.registered = theApp.OutputDlg == dlg;
        seen.stopFlag = theApp.ReportStopFlag;
        dlg->reject();
    });
    theApp.ReportStopFlag = 0;
    Click(1026);

    QVERIFY(seen.found);
    const std::array<uint8_t, 9> allChosen = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    QVERIFY(seen.choices == allChosen);
    const QStringList names = {"프로젝트 표지",     "동력 계산서",       "부하 계산서",
                               "케이블&차단기 계산서", "케이블트레이 계산서", "변압기용량 계산서",
                               "발전기용량 계산서", "고장전류 계산서",   "접지저항 계산서"};
    QCOMPARE(seen.all, names);
    QCOMPARE(seen.chosen, names);
    QVERIFY(seen.outputEnabled);
    QVERIFY(seen.registered);
    QCOMPARE(seen.stopFlag, 1);
    // The dialog is gone and no longer reachable once it closed.
    QVERIFY(theApp.OutputDlg == nullptr);
}

void TestProjectScreen::enterAndEscapeAreSwallowed()
{
    FillRows(2);
    QLineEdit* purpose = Edit(1033);
    int returnPressed = 0;
    connect(purpose, &QLineEdit::returnPressed, this, [&returnPressed] { ++returnPressed; });
    purpose->setFocus();
    const KeysReached reached = ClickEnterEscapeAndALetter(purpose);
    QCOMPARE(reached.enterOrEscape, 0);
    QCOMPARE(returnPressed, 0);
    QCOMPARE(reached.other, 1);

    // Enter on a focused button does not press it either.
    auto* add = m_view->Control<QPushButton>(1087);
    add->setFocus();
    QTest::keyClick(add, Qt::Key_Return);
    QTest::keyClick(add, Qt::Key_Space);  // a real press still works
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, 3);
}

void TestProjectScreen::saveTakesHeaderEditsIntoBlock()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.ProjectNumber = QStringLiteral("P-100");
    b.CI = QStringLiteral("logo.jpg");
    m_view->RefreshProjectScreen();
    Edit(1027)->setText(QStringLiteral("세종 변전소 신설"));
    Edit(1046)->setText(QStringLiteral("한국전력"));
    // A number typed into the read-only edit by other means never reaches the block.
    Edit(1034)->setText(QStringLiteral("changed"));
    // Nothing reaches the block before the save.
    QCOMPARE(b.ProjectName, QString());

    Click(1025);
    QCOMPARE(b.ProjectName, QStringLiteral("세종 변전소 신설"));
    QCOMPARE(b.Buyer, QStringLiteral("한국전력"));
    QCOMPARE(b.CI, QStringLiteral("logo.jpg"));
    QCOMPARE(b.ProjectNumber, QStringLiteral("P-100"));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로젝트 내용을 저장 하였습니다.")});
}

void TestProjectScreen::saveWritesEverySectionAndReloadRestoresScreen()
{
    const QString path = m_project;
    QFile::remove(path);
    QVERIFY(QFile::copy(theApp.ProjectPathTable.FormProPath, path));
    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner));

    // Stand-ins for the transformer screen's check boxes and capacity edits.
    struct Transformers
    {
        bool checked[6] = {};
        QString capacity[6];
    } tr;
    CSevrinApp::TransformerControlsT& c = theApp.TransformerControls;
    c.IsChecked = [&tr](int n) { return tr.checked[n]; };
    c.SetChecked = [&tr](int n, bool on) { tr.checked[n] = on; };
    c.CapacityText = [&tr](int n) { return tr.capacity[n]; };
    c.SetCapacityText = [&tr](int n, const QString& t) { tr.capacity[n] = t; };
    c.SetCapacityEnabled = [](int, bool) {};
    tr.checked[2] = true;
    tr.capacity[2] = QStringLiteral("1500");

    // One value per calculation section.
    theApp.MotorControlCenterBlock.MccConditionIndex[3] = 2;
    theApp.CabinetSizingBlock.BoardDemandFactor = QStringLiteral("85");
    theApp.GeneratorSizingBlock.GeneratorConditionText[0] = QStringLiteral("0.8");
    theApp.FaultCurrentBlock.UtilityInput[0] = QStringLiteral("세종 S/S");
    theApp.GroundingDesignBlock.GroundingConditionInput[0] = QStringLiteral("25.5");

    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.ProjectNumber = QStringLiteral("P-100");
    m_view->RefreshProjectScreen();
    Edit(1027)->setText(QStringLiteral("세종 변전소 신설"));
    Edit(1046)->setText(QStringLiteral("한국전력"));
    {
        // The logo, a picture in the logo folder.
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        QVERIFY(logo.save(m_root.filePath(QStringLiteral("CI/kepco.jpg")), "JPG"));
    }
    m_prompt->openFileAnswers.push_back(m_root.filePath(QStringLiteral("CI/kepco.jpg")));
    Click(1040);
    const Issue issues[] = {
        {QStringLiteral("2026.01.05"), QStringLiteral("기본설계"), QStringLiteral("김설계"),
         QStringLiteral("이검토"), QStringLiteral("박승인")},
        {QStringLiteral("2026.02.10"), QStringLiteral("실시설계"), QStringLiteral("김설계"), {}, {}},
        {QStringLiteral("2026.03.15"), QStringLiteral("준공"), {}, {}, QStringLiteral("최승인")},
    };
    for (const Issue& i : issues) {
        SetEdits(i);
        Click(1087);
    }
    ClickRow(1);
    Click(1010);  // the file keeps nothing of the deleted row after the save
    Click(1025);
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로젝트 내용을 저장 하였습니다.")});

    const auto key = [&path](const char* section, const char* k) {
        return GetProfileString(path, QLatin1String(section), QLatin1String(k), QStringLiteral("<none>"));
    };
    QCOMPARE(key("Project_Introduce", "ProjectName"), QStringLiteral("세종 변전소 신설"));
    QCOMPARE(key("Project_Introduce", "ProjectNumber"), QStringLiteral("P-100"));
    QCOMPARE(key("Project_Introduce", "Buyer"), QStringLiteral("한국전력"));
    QCOMPARE(key("Project_Introduce", "CI"), QStringLiteral("kepco.jpg"));
    QCOMPARE(key("Project_Introduce", "RR"), QStringLiteral("2"));
    QCOMPARE(key("Project_Introduce", "R1_Purpose"), QStringLiteral("준공"));
    QCOMPARE(key("Project_Introduce", "R1_Date"), QStringLiteral("2026.03.15"));
    QCOMPARE(key("Motor_Control_Center", "IDC_PRO_1_1_COMBO4"), QStringLiteral("2"));
    QCOMPARE(key("Cabinet_Sizing", "IDC_PRO_2_2_EDIT1"), QStringLiteral("85"));
    QCOMPARE(key("Transformer_Sizing", "TR_2_ENAB"), QStringLiteral("1"));
    QCOMPARE(key("Transformer_Sizing", "TR_2_EDIT"), QStringLiteral("1500"));
    QCOMPARE(key("Transformer_Sizing", "TR_1_ENAB"), QStringLiteral("0"));
    QCOMPARE(key("Generator_Sizing", "IDC_PRO_6_2_EDIT1"), QStringLiteral("0.8"));
    QCOMPARE(key("Fault_Current", "IDC_PRO_8_1_EDIT1"), QStringLiteral("세종 S/S"));
    QCOMPARE(key("Grounding_Design", "IDC_PRO_9_9_EDIT1"), QStringLiteral("25.5"));

    // Another project replaces the screen; loading this one again restores it.
    theApp.ProjectIntroduceBlock = CSevrinApp::ProjectIntroduceBlockT{};
    tr = Transformers{};
    m_view->RefreshProjectScreen();
    QCOMPARE(Edit(1027)->text(), QString());
    QVERIFY(theApp.LoadProjectFile(path));
    m_view->RefreshProjectScreen();
    QCOMPARE(Edit(1027)->text(), QStringLiteral("세종 변전소 신설"));
    QCOMPARE(Edit(1034)->text(), QStringLiteral("P-100"));
    QCOMPARE(Edit(1046)->text(), QStringLiteral("한국전력"));
    QCOMPARE(Edit(1045)->text(), QStringLiteral("kepco.jpg"));
    QCOMPARE(List()->rows()->rowCount(), 2);
    QCOMPARE(List()->rows()->row(0),
             (QStringList{"0", "2026.01.05", "기본설계", "김설계", "이검토", "박승인"}));
    QCOMPARE(List()->rows()->row(1), (QStringList{"1", "2026.03.15", "준공", "", "", "최승인"}));
    QCOMPARE(Edit(1033)->text(), QStringLiteral("준공"));
    QCOMPARE(Edit(1044)->text(), QStringLiteral("최승인"));
    QVERIFY(tr.checked[2]);
    QCOMPARE(tr.capacity[2], QStringLiteral("1500"));

    // Saving twice without changes leaves the file as it was.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray first = f.readAll();
    f.close();
    Click(1025);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), first);

    theApp.TransformerControls = CSevrinApp::TransformerControlsT{};
}

void TestProjectScreen::failedSaveIsReported()
{
    // The project's folder has gone (moved or renamed while the program ran).
    const QString gone = m_root.filePath(QStringLiteral("PRO/gone/gone.pro"));
    theApp.ProjectPathTable.CurrentProjectPath = gone;
    FillRows(2);
    Edit(1027)->setText(QStringLiteral("name"));
    Click(1025);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0] != QStringLiteral("프로젝트 내용을 저장 하였습니다."));
    QVERIFY(m_prompt->messages[0].contains(gone));
    QVERIFY(!QFile::exists(gone));
}

void TestProjectScreen::hiddenNewProject_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("created");
    QTest::newRow("plain number") << QStringLiteral("P-200") << true;
    QTest::newRow("Korean number") << QStringLiteral("울산-07") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blanks") << QStringLiteral("  ") << false;
    QTest::newRow("folder separator") << QStringLiteral("../P-300") << false;
    QTest::newRow("colon") << QStringLiteral("P:300") << false;
}

void TestProjectScreen::hiddenNewProject()
{
    QFETCH(QString, number);
    QFETCH(bool, created);
    const QString target = m_root.filePath(QStringLiteral("PRO/%1.pro").arg(number));
    m_prompt->inputAnswers.push_back(number);
    Click(1014);
    QCOMPARE(m_prompt->inputLabels, QStringList{QStringLiteral("프로젝트 넘버")});
    if (created) {
        QVERIFY(QFile::exists(target));
        QCOMPARE(GetProfileString(target, QStringLiteral("Project_Introduce"),
                                  QStringLiteral("ProjectNumber")),
                 number);
        QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, target);
        QVERIFY(m_prompt->messages.isEmpty());

        // The same number again never replaces the project that now exists.
        QVERIFY(WriteProfileString(target, QStringLiteral("Project_Introduce"),
                                   QStringLiteral("ProjectName"), QStringLiteral("keep me")));
        theApp.ProjectPathTable.CurrentProjectPath = m_project;
        m_prompt->inputAnswers.push_back(number);
        Click(1014);
        QCOMPARE(GetProfileString(target, QStringLiteral("Project_Introduce"),
                                  QStringLiteral("ProjectName")),
                 QStringLiteral("keep me"));
        QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_project);
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY(QFile::remove(target));
    } else {
        QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_project);
        QCOMPARE(m_prompt->messages.size(), 1);
        QCOMPARE(QDir(m_root.filePath(QStringLiteral("PRO"))).entryList(QDir::Files), QStringList{});
    }

    // Cancelled: nothing at all.
    m_prompt->messages.clear();
    Click(1014);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_project);
    QVERIFY(m_prompt->messages.isEmpty());
}

// A disk that takes no new project file: said with the file's path, nothing of it stays and
// the project shown stays the current one.
void TestProjectScreen::newProjectThatCannotBeWrittenIsSaid()
{
    const QString number = QStringLiteral("P-400");
    const QString target = m_root.filePath(QStringLiteral("PRO/%1.pro").arg(number));
    m_prompt->inputAnswers.push_back(number);
    {
        FileWritesRefused refused;
        Click(1014);
    }
    QCOMPARE(m_prompt->messages,
             QStringList{QStringLiteral("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(target)});
    QVERIFY(!QFile::exists(target));
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, m_project);
}

void TestProjectScreen::hiddenOpenAndDeleteProject()
{
    // A project of its own with two of its workbooks and a stranger beside it.
    QDir folder(m_root.filePath(QStringLiteral("PRO/Q-1")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QString pro = folder.filePath(QStringLiteral("Q-1.pro"));
    for (const QString& name : {QStringLiteral("Q-1.pro"), QStringLiteral("Q-1_40.xlsx"),
                                QStringLiteral("Q-1_851.xlsx"), QStringLiteral("other.xlsx")}) {
        QFile f(folder.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // An empty file is no project: the project file holds at least its header section.
    QVERIFY(WriteProfileString(pro, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber"),
                               QStringLiteral("Q-1")));

    m_prompt->openFileAnswers.push_back(pro);
    Click(1029);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, pro);
    QCOMPARE(QDir::cleanPath(m_prompt->openFileRequests.value(0).section(QLatin1Char('|'), 0, 0)),
             QDir::cleanPath(m_root.filePath(QStringLiteral("PRO"))));
    QVERIFY(theApp.MainTitle().endsWith(QStringLiteral("프로젝트 명:Q-1")));

    // Deleting asks first; "취소" keeps every file.
    Click(1028);
    QCOMPARE(m_prompt->confirmTexts, QStringList{QStringLiteral("현재 프로젝트을 삭제합니다.")});
    QVERIFY(QFile::exists(pro));
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, pro);

    m_prompt->confirmAnswers.push_back(true);
    Click(1028);
    QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("other.xlsx")});
    QCOMPARE(m_prompt->messages,
             QStringList{QStringLiteral("프로젝트 파일을 모두 삭제 하였습니다.\n새로 만들거나 기존 프로젝트를 불러 오셔야 합니다.")});
    QCOMPARE(m_prompt->messageIcons, QList<Prompt::Icon>{Prompt::Icon::Information});
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, QString());
}

void TestProjectScreen::navigationButtons()
{
    // A program folder with reference workbooks and a configuration naming the project.
    QDir root(m_root.path());
    QVERIFY(root.mkpath(QStringLiteral("locks")));
    QVERIFY(root.mkpath(QStringLiteral("LIB")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root.filePath(QStringLiteral("locks"))));
    const QString shipped = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    const QString lib = root.filePath(QStringLiteral("LIB/lib_v3p4.xlsx"));
    const QString breaker = root.filePath(QStringLiteral("LIB/breaker_v3p4.xlsx"));
    if (QFile::exists(shipped)) {
        QVERIFY(QFile::copy(shipped, lib));
        QVERIFY(QFile::copy(ProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx"), breaker));
    } else {
        const PythonResult r = RunPython(QStringLiteral("import openpyxl,sys\n"
                                                        "for p in sys.argv[1:]:\n"
                                                        "    wb=openpyxl.Workbook(); wb.active.title='0'; wb.active['A7']='ACSR-32'; wb.save(p)\n"),
                                         {lib, breaker});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    }
    const QString project = m_project;
    QFile ini(root.filePath(QStringLiteral("ORVA.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[SYSTEM]\nPath=" + m_root.path().toUtf8() + "\nlastPro=" + project.toUtf8() + "\n");
    ini.close();
    const QString previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_root.path()));

    try {
        InitInstance();
    } catch (const Prompt::ProgramExit& e) {
        QDir::setCurrent(previousDir);
        QFAIL(qPrintable(QStringLiteral("start-up ended with %1: %2")
                             .arg(e.code)
                             .arg(m_prompt->messages.join(QLatin1Char('/')))));
    }
    // The first entry loads the project named in the configuration and refills the screen.
    QFile::remove(project);
    QFile file(project);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Project_Introduce]\nProjectName=항로 표지\nRR=1\nR0_Date=2026.04.01\nR0_Purpose=착수\n");
    file.close();
    SwitchView(Screen::Project);
    CProjectScreen* pro = TheScreen<CProjectScreen>();
    QVERIFY(pro);
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    QCOMPARE(pro->Control<QLineEdit>(1027)->text(), QStringLiteral("항로 표지"));
    QCOMPARE(pro->IssueList()->rows()->row(0), (QStringList{"0", "2026.04.01", "착수", "", "", ""}));

    const std::pair<int, Screen> targets[] = {
        {1017, Screen::Mcc},          {1016, Screen::PanelBoard}, {1019, Screen::Transformer},
        {1018, Screen::Cable},        {1021, Screen::Tray},       {1020, Screen::Generator},
        {1022, Screen::FaultCurrent}, {1024, Screen::Grounding},  {1023, Screen::Switchgear},
        {1005, Screen::Start}};
    for (const auto& [id, screen] : targets) {
        pro->Control<QPushButton>(id)->click();
        QCOMPARE(theApp.CurrentScreen, screen);
        QCOMPARE(static_cast<QWidget*>(MainFrame()->ActiveView()),
                 static_cast<QWidget*>(theApp.ScreenView(screen)));
        SwitchView(Screen::Project);
        QCOMPARE(theApp.CurrentScreen, Screen::Project);
    }
    QCOMPARE(m_prompt->messages, QStringList{});

    ExitInstance();
    ReleaseSingleInstanceLock();
    QVERIFY(QDir::setCurrent(previousDir));
}

QTEST_MAIN(TestProjectScreen)
#include "tst_projectscreen.moc"
