// Saves the disk refuses (full, over quota): a workbook or a profile file keeps its bytes, a
// new one is not created, no temporary file stays behind, and the call returns false. A
// refused write that waited in the device's buffer while the commit went through would
// replace a small file by a short one.
#include "common/testsupport.h"
#include "platform/profile.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestRefusedWrites : public QObject
{
    Q_OBJECT

private slots:
    void workbookSave_data();
    void workbookSave();
    void profileWrite_data();
    void profileWrite();
};

void TestRefusedWrites::workbookSave_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("cells");
    QTest::newRow("small workbook") << true << 1;
    // More than the device buffers: the refused write fails at once.
    QTest::newRow("large workbook") << true << 20000;
    QTest::newRow("new workbook") << false << 1;
}

void TestRefusedWrites::workbookSave()
{
    QFETCH(bool, existing);
    QFETCH(int, cells);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("b.xlsx"));
    Book b;
    Sheet* s = b.addSheet(QStringLiteral("S"));
    QVERIFY(s);
    for (int i = 0; i < cells; ++i)
        QVERIFY(s->writeStr(i / 20, i % 20, QString::number((i * 7919) % 100003)));
    if (existing) {
        QVERIFY(b.save(path));
        if (cells > 1)
            QVERIFY(QFileInfo(path).size() > 16384);
        QVERIFY(s->writeStr(0, 0, QStringLiteral("changed")));
    }
    const QByteArray before = ReadFile(path);

    bool saved = true;
    {
        FileWritesRefused refused;
        saved = b.save(path);
    }
    QVERIFY(!saved);
    QVERIFY(!b.errorMessage().isEmpty());
    QCOMPARE(QFile::exists(path), existing);
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             existing ? QStringList{QStringLiteral("b.xlsx")} : QStringList());

    // The same save goes through once the disk takes writes again.
    QVERIFY(b.save(path));
    Book reread;
    QVERIFY(reread.load(path));
    QCOMPARE(reread.getSheet(0)->readStr(0, 0), std::optional<QString>(existing ? QStringLiteral("changed") : QStringLiteral("0")));
}

void TestRefusedWrites::profileWrite_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("existing file") << true;
    QTest::newRow("new file") << false;
}

void TestRefusedWrites::profileWrite()
{
    QFETCH(bool, existing);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("P1.pro"));
    const QString section = QStringLiteral("Fault_Current");
    const QString key = QStringLiteral("IDC_PRO_8_1_EDIT1");
    if (existing)
        QVERIFY(WriteProfileString(path, section, key, QStringLiteral("old")));
    const QByteArray before = ReadFile(path);

    bool written = true;
    {
        FileWritesRefused refused;
        written = WriteProfileString(path, section, key, QStringLiteral("new"));
    }
    QVERIFY(!written);
    QCOMPARE(QFile::exists(path), existing);
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             existing ? QStringList{QStringLiteral("P1.pro")} : QStringList());
    QVERIFY(WriteProfileString(path, section, key, QStringLiteral("new")));
    QCOMPARE(GetProfileString(path, section, key, QString()), QStringLiteral("new"));
}

QTEST_GUILESS_MAIN(TestRefusedWrites)
#include "tst_refusedwrites.moc"
