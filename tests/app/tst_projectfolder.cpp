// Creating, copying and deleting a project on disk, and the sheet protection of its
// workbooks (checked with openpyxl as an independent reader).
#include "app/core/projectfile.h"
#include "app/core/projectfolder.h"
#include "app/core/sevrin.h"
#include "common/sheetprotection.h"
#include "common/testsupport.h"
#include "platform/profile.h"
#include "platform/xlsxbook.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A workbook with two sheets, protected or not.
bool MakeWorkbook(const QString& path, bool protect)
{
    Book book;
    Sheet* a = book.addSheet(QStringLiteral("0"));
    Sheet* b = book.addSheet(QStringLiteral("1"));
    if (!a || !b)
        return false;
    a->writeStr(0, 0, QStringLiteral("x"));
    a->setProtect(protect);
    b->setProtect(protect);
    return book.save(path);
}

}  // namespace

class TestProjectFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void projectNumbers_data();
    void projectNumbers();
    void newProjectFromReadOnlyTemplate();
    void neverOverwritesAProject();
    void failuresLeaveNothingBehind();
    void copyTakesExistingWorkbooksOnly();
    void deleteRemovesOnlyTheProject();
    void deleteKeepsForeignAndFullFolders();
    void protectionSwitchesExistingWorkbooks();
    void protectionLeavesBrokenAndMissingAlone();

private:
    QString m_case;
    QTemporaryDir m_tmp;
    int m_n = 0;
};

void TestProjectFolder::initTestCase()
{
    QVERIFY(m_tmp.isValid());
}

void TestProjectFolder::init()
{
    m_case = m_tmp.filePath(QString::number(++m_n));
    QVERIFY(QDir().mkpath(m_case));
}

void TestProjectFolder::projectNumbers_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("check");
    const int ok = int(ProjectNumberCheck::Ok), empty = int(ProjectNumberCheck::Empty),
              bad = int(ProjectNumberCheck::BadName);
    QTest::newRow("plain") << "P100" << ok;
    QTest::newRow("Hangul, blank and dots inside") << "가나 2024.v1" << ok;
    QTest::newRow("empty") << "" << empty;
    QTest::newRow("blanks only") << "   " << empty;
    QTest::newRow("slash") << "a/b" << bad;
    QTest::newRow("backslash") << "a\\b" << bad;
    QTest::newRow("parent") << ".." << bad;
    QTest::newRow("dot") << "." << bad;
    QTest::newRow("tab") << "P\t1" << bad;
    QTest::newRow("newline") << "P1\n" << bad;
    QTest::newRow("colon") << "C:x" << bad;
    QTest::newRow("star") << "P*" << bad;
    QTest::newRow("quote") << "P\"1" << bad;
    QTest::newRow("trailing dot") << "P1." << bad;
    QTest::newRow("leading blank") << " P1" << bad;
    QTest::newRow("device name") << "con" << bad;
    QTest::newRow("device with extension") << "LPT1.txt" << bad;
    QTest::newRow("not a device") << "COM10" << ok;
}

void TestProjectFolder::projectNumbers()
{
    QFETCH(QString, number);
    QFETCH(int, check);
    QCOMPARE(int(CheckProjectNumber(number)), check);
}

void TestProjectFolder::newProjectFromReadOnlyTemplate()
{
    const QString form = m_case + QStringLiteral("/form.pro");
    QVERIFY(WriteFile(form, "[Project_Introduce]\nProjectNumber=\nProjectName=\n"));
    QVERIFY(QFile::setPermissions(form, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QString target = ProjectFileIn(m_case, QStringLiteral("P100"));
    QCOMPARE(target, m_case + QStringLiteral("/P100/P100.pro"));

    const ProjectCreateResult r = CreateProjectFrom(form, target, QStringLiteral("P100"), false);
    QCOMPARE(int(r.status), int(ProjectCreateStatus::Ok));
    QCOMPARE(GetProfileString(target, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber")),
             QStringLiteral("P100"));
    // The copy can be saved into even though the template is read-only.
    QVERIFY(QFileInfo(target).permissions() & QFileDevice::WriteOwner);
    QCOMPARE(QDir(m_case + QStringLiteral("/P100")).entryList(QDir::Files), QStringList{QStringLiteral("P100.pro")});
}

void TestProjectFolder::neverOverwritesAProject()
{
    const QString form = m_case + QStringLiteral("/form.pro");
    QVERIFY(WriteFile(form, "[Project_Introduce]\n"));
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/P1")));
    const QString target = ProjectFileIn(m_case, QStringLiteral("P1"));

    // An existing project file, or only one workbook of a project of that number.
    QVERIFY(WriteFile(target, "[Project_Introduce]\nProjectName=client\n"));
    ProjectCreateResult r = CreateProjectFrom(form, target, QStringLiteral("P1"), false);
    QCOMPARE(int(r.status), int(ProjectCreateStatus::TargetExists));
    QCOMPARE(ReadFile(target), QByteArray("[Project_Introduce]\nProjectName=client\n"));

    QVERIFY(QFile::remove(target));
    QVERIFY(WriteFile(m_case + QStringLiteral("/P1/P1_40.xlsx"), "cables"));
    r = CreateProjectFrom(form, target, QStringLiteral("P1"), false);
    QCOMPARE(int(r.status), int(ProjectCreateStatus::TargetExists));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(ReadFile(m_case + QStringLiteral("/P1/P1_40.xlsx")), QByteArray("cables"));
}

void TestProjectFolder::failuresLeaveNothingBehind()
{
    // Only one folder level is created.
    const QString deep = ProjectFileIn(m_case + QStringLiteral("/no/such"), QStringLiteral("P2"));
    const QString form = m_case + QStringLiteral("/form.pro");
    QVERIFY(WriteFile(form, "[Project_Introduce]\n"));
    QCOMPARE(int(CreateProjectFrom(form, deep, QStringLiteral("P2"), false).status),
             int(ProjectCreateStatus::FolderFailed));
    QVERIFY(!QFileInfo::exists(m_case + QStringLiteral("/no")));

    // A missing template: the folder made for it is removed again.
    const QString target = ProjectFileIn(m_case, QStringLiteral("P3"));
    QCOMPARE(int(CreateProjectFrom(m_case + QStringLiteral("/missing.pro"), target, QStringLiteral("P3"), false).status),
             int(ProjectCreateStatus::CopyFailed));
    QVERIFY(!QFileInfo::exists(m_case + QStringLiteral("/P3")));
}

void TestProjectFolder::copyTakesExistingWorkbooksOnly()
{
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/S/A")));
    const QString source = m_case + QStringLiteral("/S/A/A.pro");
    QVERIFY(WriteFile(source, "[Project_Introduce]\nProjectNumber=A\nProjectName=plant\n"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/S/A/A_10.xlsx"), "mcc"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/S/A/A_40.xlsx"), "cables"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/S/A/other.xlsx"), "not the project's"));

    const QString target = ProjectFileIn(m_case, QStringLiteral("B"));
    const ProjectCreateResult r = CreateProjectFrom(source, target, QStringLiteral("B"), true);
    QCOMPARE(int(r.status), int(ProjectCreateStatus::Ok));
    QVERIFY(r.failedWorkbooks.isEmpty());
    QStringList files = QDir(m_case + QStringLiteral("/B")).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, (QStringList{"B.pro", "B_10.xlsx", "B_40.xlsx"}));
    QCOMPARE(ReadFile(m_case + QStringLiteral("/B/B_40.xlsx")), QByteArray("cables"));
    QCOMPARE(GetProfileString(target, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber")),
             QStringLiteral("B"));
    QCOMPARE(GetProfileString(target, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectName")),
             QStringLiteral("plant"));
    QCOMPARE(GetProfileString(source, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber")),
             QStringLiteral("A"));
}

void TestProjectFolder::deleteRemovesOnlyTheProject()
{
    // P7.pro in a folder P7 with its fourteen files; the folder goes too.
    const QString folder = m_case + QStringLiteral("/PRO/P7");
    QVERIFY(QDir().mkpath(folder));
    const QString project = folder + QStringLiteral("/P7.pro");
    QVERIFY(WriteFile(project, "[Project_Introduce]\n"));
    for (const QString& path : ProjectWorkbookPaths(project))
        QVERIFY(WriteFile(path, "x"));
    QCOMPARE(ExistingProjectFiles(project).size(), 14);
    // A sibling project in the parent folder is not touched.
    QVERIFY(WriteFile(m_case + QStringLiteral("/PRO/P7_10.xlsx"), "other"));

    const ProjectDeleteResult r = DeleteProjectFiles(project);
    QVERIFY(r.deletedAny);
    QVERIFY(r.notDeleted.isEmpty());
    QVERIFY(r.folderRemoved);
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(QFileInfo::exists(m_case + QStringLiteral("/PRO/P7_10.xlsx")));

    // A folder named like a project file: only the project's own extension is dropped, so
    // the workbooks of "/x/P" are not the project's and stay.
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/x.pro")));
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/x")));
    const QString dotted = m_case + QStringLiteral("/x.pro/P.pro");
    QVERIFY(WriteFile(dotted, "[Project_Introduce]\n"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/x/P_10.xlsx"), "foreign"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/x.pro/P_10.xlsx"), "own"));
    DeleteProjectFiles(dotted);
    QVERIFY(!QFileInfo::exists(dotted));
    QVERIFY(!QFileInfo::exists(m_case + QStringLiteral("/x.pro/P_10.xlsx")));
    QCOMPARE(ReadFile(m_case + QStringLiteral("/x/P_10.xlsx")), QByteArray("foreign"));

    // Not a project file: nothing is deleted.
    const QString notes = m_case + QStringLiteral("/x/notes");
    QVERIFY(WriteFile(notes, "n"));
    QVERIFY(WriteFile(notes + QStringLiteral(".pro"), "n"));
    QVERIFY(!DeleteProjectFiles(notes).deletedAny);
    QVERIFY(QFileInfo::exists(notes + QStringLiteral(".pro")));
}

void TestProjectFolder::deleteKeepsForeignAndFullFolders()
{
    // P7.pro in a folder Y: the folder stays.
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/Y")));
    QVERIFY(WriteFile(m_case + QStringLiteral("/Y/P7.pro"), "[Project_Introduce]\n"));
    ProjectDeleteResult r = DeleteProjectFiles(m_case + QStringLiteral("/Y/P7.pro"));
    QVERIFY(r.deletedAny && !r.folderRemoved);
    QVERIFY(QFileInfo(m_case + QStringLiteral("/Y")).isDir());

    // The folder matches only with the same letter case.
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/p8")));
    QVERIFY(WriteFile(m_case + QStringLiteral("/p8/P8.pro"), "[Project_Introduce]\n"));
    r = DeleteProjectFiles(m_case + QStringLiteral("/p8/P8.pro"));
    QVERIFY(!r.folderRemoved);
    QVERIFY(QFileInfo(m_case + QStringLiteral("/p8")).isDir());

    // A project folder holding something else of the user's stays, with that file.
    QVERIFY(QDir().mkpath(m_case + QStringLiteral("/P9")));
    QVERIFY(WriteFile(m_case + QStringLiteral("/P9/P9.pro"), "[Project_Introduce]\n"));
    QVERIFY(WriteFile(m_case + QStringLiteral("/P9/drawing.dwg"), "d"));
    r = DeleteProjectFiles(m_case + QStringLiteral("/P9/P9.pro"));
    QVERIFY(!r.folderRemoved);
    QVERIFY(QFileInfo::exists(m_case + QStringLiteral("/P9/drawing.dwg")));
    QVERIFY(!QFileInfo::exists(m_case + QStringLiteral("/P9/P9.pro")));
}

void TestProjectFolder::protectionSwitchesExistingWorkbooks()
{
    const QString folder = m_case + QStringLiteral("/P1");
    QVERIFY(QDir().mkpath(folder));
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.CurrentProjectPath = folder + QStringLiteral("/P1.pro");
    p.LibWorkbookPath = m_case + QStringLiteral("/lib_v3p4.xlsx");
    p.BreakerWorkbookPath = m_case + QStringLiteral("/breaker_v3p4.xlsx");
    p.FormXlsxPath = m_case + QStringLiteral("/form.xlsx");
    const QStringList present{folder + QStringLiteral("/P1_10.xlsx"), folder + QStringLiteral("/P1_70.xlsx"),
                              folder + QStringLiteral("/P1_855.xlsx"), p.LibWorkbookPath,
                              p.BreakerWorkbookPath, p.FormXlsxPath};
    for (const QString& path : present)
        QVERIFY(MakeWorkbook(path, true));

    theApp.UnprotectAllWorkbooks();
    QCOMPARE(SheetProtection(present), QStringList(present.size(), QStringLiteral("False,False")));
    theApp.ProtectAllWorkbooks();
    QCOMPARE(SheetProtection(present), QStringList(present.size(), QStringLiteral("True,True")));
    // Content survives the switching.
    Book book;
    QVERIFY(book.load(present.first()));
    QCOMPARE(book.getSheet(0)->readStr(0, 0), std::optional<QString>(QStringLiteral("x")));

    // No workbook was created for the lists the project never stored.
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);

    // A workbook already in the wanted state is not rewritten: its modification time, set well
    // into the past, stays (a rewrite would stamp the present, however fast the machine).
    const QDateTime before(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    {
        QFile lib(p.LibWorkbookPath);
        QVERIFY(lib.open(QIODevice::ReadWrite));
        QVERIFY(lib.setFileTime(before, QFileDevice::FileModificationTime));
    }
    QCOMPARE(QFileInfo(p.LibWorkbookPath).lastModified().toUTC(), before);
    const QByteArray bytes = ReadFile(p.LibWorkbookPath);
    theApp.ProtectAllWorkbooks();
    QCOMPARE(ReadFile(p.LibWorkbookPath), bytes);
    QCOMPARE(QFileInfo(p.LibWorkbookPath).lastModified().toUTC(), before);
}

void TestProjectFolder::protectionLeavesBrokenAndMissingAlone()
{
    const QString folder = m_case + QStringLiteral("/P2");
    QVERIFY(QDir().mkpath(folder));
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.CurrentProjectPath = folder + QStringLiteral("/P2.pro");
    p.LibWorkbookPath = m_case + QStringLiteral("/missing/lib_v3p4.xlsx");
    p.BreakerWorkbookPath.clear();
    p.FormXlsxPath = m_case + QStringLiteral("/form.xlsx");
    const QString broken = folder + QStringLiteral("/P2_20.xlsx");
    QVERIFY(WriteFile(broken, "PK\x03\x04 not really a workbook"));
    QVERIFY(MakeWorkbook(p.FormXlsxPath, false));

    theApp.ProtectAllWorkbooks();
    QCOMPARE(ReadFile(broken), QByteArray("PK\x03\x04 not really a workbook"));
    QCOMPARE(SheetProtection({p.FormXlsxPath}), QStringList{QStringLiteral("True,True")});
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("P2_20.xlsx")});
    QVERIFY(!QFileInfo::exists(m_case + QStringLiteral("/missing")));

    // No project: workbooks named like a project's in the working directory are not touched.
    p.CurrentProjectPath.clear();
    const QString cwdBefore = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    QVERIFY(MakeWorkbook(folder + QStringLiteral("/_10.xlsx"), true));
    theApp.UnprotectAllWorkbooks();
    QCOMPARE(SheetProtection({folder + QStringLiteral("/_10.xlsx")}), QStringList{QStringLiteral("True,True")});
    QCOMPARE(SheetProtection({p.FormXlsxPath}), QStringList{QStringLiteral("False,False")});
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
    QDir::setCurrent(cwdBefore);
}

QTEST_GUILESS_MAIN(TestProjectFolder)
#include "tst_projectfolder.moc"
