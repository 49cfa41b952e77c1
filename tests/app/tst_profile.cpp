// The profile (INI) layer that reads and writes "ORVA.ini" and the project files.
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

}  // namespace

class TestProfile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void readMissingFile();
    void rewriteKeepsEveryOtherLine();
    void writeCreatesSectionAndKey();
    void writeCreatesFile();
    void writeKeepsBomAndLineEnds();
    void utf16FileFromWindows();
    void writeRoundTrip_data();
    void writeRoundTrip();
    void writeRefusesUnreadableFile();
    void batchWriteEqualsOneKeyAtATime();
    void leadingInt_data();
    void leadingInt();

private:
    QTemporaryDir m_dir;
};

void TestProfile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray base =
        "; configuration\n"
        "[SYSTEM]\n"
        "Print=2\n"
        "  Button = 1  \n"
        "Path=\"C:/Program Files/Sevrin\"\n"
        "Quoted='single'\n"
        "OneQuote=\"open\n"
        "Mixed=\"a'\n"
        "Empty=\n"
        "Spaces=   \n"
        "Eq=a=b\n"
        "name=프로젝트 명 한글\n"
        "Dup=first\n"
        "Dup=second\n"
        ";Commented=yes\n"
        "[Other]\n"
        "Print=9\n"
        "[system]\n"
        "Late=never read\n";

    QTest::newRow("exact") << base << "SYSTEM" << "Print" << "2";
    QTest::newRow("section case") << base << "system" << "Print" << "2";
    QTest::newRow("key case") << base << "SYSTEM" << "pRINT" << "2";
    QTest::newRow("blanks around key and value") << base << "SYSTEM" << "Button" << "1";
    QTest::newRow("double quotes dropped") << base << "SYSTEM" << "Path" << "C:/Program Files/Sevrin";
    QTest::newRow("single quotes dropped") << base << "SYSTEM" << "Quoted" << "single";
    QTest::newRow("one quote kept") << base << "SYSTEM" << "OneQuote" << "\"open";
    QTest::newRow("unmatched quotes kept") << base << "SYSTEM" << "Mixed" << "\"a'";
    QTest::newRow("key= gives empty, not default") << base << "SYSTEM" << "Empty" << "";
    QTest::newRow("blank value") << base << "SYSTEM" << "Spaces" << "";
    QTest::newRow("equals inside value") << base << "SYSTEM" << "Eq" << "a=b";
    QTest::newRow("Hangul") << base << "SYSTEM" << "name" << "프로젝트 명 한글";
    QTest::newRow("first of duplicate keys") << base << "SYSTEM" << "Dup" << "first";
    QTest::newRow("comment is no key") << base << "SYSTEM" << ";Commented" << "DEF";
    QTest::newRow("other section") << base << "Other" << "Print" << "9";
    QTest::newRow("first of duplicate sections") << base << "SYSTEM" << "Late" << "DEF";
    QTest::newRow("missing key") << base << "SYSTEM" << "Nope" << "DEF";
    QTest::newRow("missing section") << base << "Nope" << "Print" << "DEF";
    QTest::newRow("key outside any section") << QByteArray("Print=5\n[SYSTEM]\n") << "SYSTEM"
                                             << "Print" << "DEF";
    QTest::newRow("CRLF file") << QByteArray("[A]\r\nk=v\r\n") << "A" << "k" << "v";
    QTest::newRow("no final line end") << QByteArray("[A]\nk=v") << "A" << "k" << "v";
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF[A]\nk=v\n") << "A" << "k" << "v";
    QTest::newRow("cut at 199") << (QByteArray("[A]\nk=") + QByteArray(250, 'x') + "\n") << "A"
                                << "k" << QString(199, QLatin1Char('x'));
    QTest::newRow("199 Hangul characters, not bytes")
        << (QByteArray("[A]\nk=") + QString(205, QChar(0xAC00)).toUtf8() + "\n") << "A" << "k"
        << QString(199, QChar(0xAC00));
    QTest::newRow("quotes dropped before the cut")
        << (QByteArray("[A]\nk=\"") + QByteArray(199, 'y') + "\"\n") << "A" << "k"
        << QString(199, QLatin1Char('y'));
}

void TestProfile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    WriteFile(path, file);
    QCOMPARE(GetProfileString(path, section, key, QStringLiteral("DEF")), expected);
}

void TestProfile::readMissingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("absent.ini"));
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("Print"),
                              QStringLiteral("0")),
             QStringLiteral("0"));
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("Path")), QString());
    QVERIFY(!QFile::exists(path));  // reading never creates the file
}

void TestProfile::rewriteKeepsEveryOtherLine()
{
    const QString path = m_dir.filePath(QStringLiteral("rewrite.ini"));
    WriteFile(path,
              "; written by hand\n"
              "[SYSTEM]\n"
              "Print=0\n"
              "\n"
              "  lastpro = C:/old/P1.pro\n"
              "# note\n"
              "PathLib=LIB\n"
              "\n"
              "[Project_Introduce]\n"
              "lastPro=not this one\n");
    QVERIFY(WriteProfileString(path, QStringLiteral("system"), QStringLiteral("lastPro"),
                               QStringLiteral("/home/u/PRO/P2/P2.pro")));
    QCOMPARE(ReadFile(path), QByteArray("; written by hand\n"
                                        "[SYSTEM]\n"
                                        "Print=0\n"
                                        "\n"
                                        "  lastpro=/home/u/PRO/P2/P2.pro\n"
                                        "# note\n"
                                        "PathLib=LIB\n"
                                        "\n"
                                        "[Project_Introduce]\n"
                                        "lastPro=not this one\n"));
}

void TestProfile::writeCreatesSectionAndKey()
{
    const QString path = m_dir.filePath(QStringLiteral("add.ini"));
    WriteFile(path, "[A]\nx=1\n\n[B]\ny=2\n");
    QVERIFY(WriteProfileString(path, QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3")));
    QVERIFY(WriteProfileString(path, QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4")));
    QCOMPARE(ReadFile(path), QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=2\n[C]\nw=4\n"));
}

void TestProfile::writeCreatesFile()
{
    const QString path = m_dir.filePath(QStringLiteral("new.ini"));
    QVERIFY(WriteProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("lastPro"),
                               QStringLiteral("/p/한글.pro")));
    QCOMPARE(ReadFile(path), QByteArray("[SYSTEM]\nlastPro=/p/한글.pro\n"));
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("LASTPRO")),
             QStringLiteral("/p/한글.pro"));
}

void TestProfile::writeKeepsBomAndLineEnds()
{
    const QString path = m_dir.filePath(QStringLiteral("bom.ini"));
    WriteFile(path, "\xEF\xBB\xBF[A]\r\nk=old\r\nm=1\r\n");
    QVERIFY(WriteProfileString(path, QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("새 값")));
    QCOMPARE(ReadFile(path), QByteArray("\xEF\xBB\xBF[A]\r\nk=새 값\r\nm=1\r\n"));
}

void TestProfile::utf16FileFromWindows()
{
    const QString path = m_dir.filePath(QStringLiteral("utf16.ini"));
    const QString text = QStringLiteral("[SYSTEM]\r\nlastPro=C:\\PRO\\가나\\가나.pro\r\n");
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    WriteFile(path, bytes);
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("lastPro")),
             QStringLiteral("C:\\PRO\\가나\\가나.pro"));
    QVERIFY(WriteProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("Print"), QStringLiteral("1")));
    const QByteArray after = ReadFile(path);
    QVERIFY(after.startsWith("\xFF\xFE"));
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("lastPro")),
             QStringLiteral("C:\\PRO\\가나\\가나.pro"));
    QCOMPARE(GetProfileString(path, QStringLiteral("SYSTEM"), QStringLiteral("Print")), QStringLiteral("1"));
}

void TestProfile::writeRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("plain") << "abc" << "abc";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("Hangul") << "변압기 용량" << "변압기 용량";
    QTest::newRow("equals and semicolon") << "a=b;c" << "a=b;c";
    QTest::newRow("line breaks become blanks") << "one\ntwo\r\nthree" << "one two three";
    QTest::newRow("outer blanks are not kept") << "  x  " << "x";
}

void TestProfile::writeRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
    WriteFile(path, "[S]\nbefore=1\nk=old\nafter=2\n");
    QVERIFY(WriteProfileString(path, QStringLiteral("S"), QStringLiteral("k"), value));
    QCOMPARE(GetProfileString(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("DEF")), readBack);
    QCOMPARE(GetProfileString(path, QStringLiteral("S"), QStringLiteral("before")), QStringLiteral("1"));
    QCOMPARE(GetProfileString(path, QStringLiteral("S"), QStringLiteral("after")), QStringLiteral("2"));
    QCOMPARE(ReadFile(path).count('\n'), 4);
}

void TestProfile::writeRefusesUnreadableFile()
{
    // A path that exists but cannot be read as a file (here a folder) is never replaced.
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini"));
    const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
    QVERIFY(!WriteProfileString(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("x")));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(GetProfileString(path, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("D")),
             QStringLiteral("D"));
}

void TestProfile::batchWriteEqualsOneKeyAtATime()
{
    // Indented and repeated keys, blank separators, a later section of the same name, a
    // section written in another letter case.
    const QByteArray file = "; head\n[A]\n  X = 1\nx=dup\n\n\n[b]\ny=2\n[a]\nlate=1\n";
    const QList<QPair<QString, QString>> batch{{"x", "10"}, {"new1", "n"}, {"NEW1", "m"}, {"z", "3"}};
    const QString one = m_dir.filePath(QStringLiteral("one.ini"));
    const QString many = m_dir.filePath(QStringLiteral("many.ini"));
    WriteFile(one, file);
    WriteFile(many, file);
    for (const auto& kv : batch)
        QVERIFY(WriteProfileString(one, QStringLiteral("a"), kv.first, kv.second));
    QVERIFY(WriteProfileStrings(many, QStringLiteral("a"), batch));
    const QByteArray expected = "; head\n[A]\n  X=10\nx=dup\nnew1=m\nz=3\n\n\n[b]\ny=2\n[a]\nlate=1\n";
    QCOMPARE(ReadFile(one), expected);
    QCOMPARE(ReadFile(many), expected);

    // One document keeps answering after lines were inserted above other sections.
    ProfileDocument doc;
    QVERIFY(doc.load(many));
    QVERIFY(doc.exists());
    QVERIFY(doc.setValues(QStringLiteral("B"), {{"w", "4"}, {"y", "5"}}));
    QVERIFY(doc.setValues(QStringLiteral("A"), {{"q", "6"}}));
    QVERIFY(doc.setValues(QStringLiteral("C"), {{"k", "7"}, {"K", "8"}}));
    QCOMPARE(doc.value(QStringLiteral("b"), QStringLiteral("Y")), QStringLiteral("5"));
    QCOMPARE(doc.value(QStringLiteral("b"), QStringLiteral("w")), QStringLiteral("4"));
    QCOMPARE(doc.value(QStringLiteral("A"), QStringLiteral("q")), QStringLiteral("6"));
    QCOMPARE(doc.value(QStringLiteral("A"), QStringLiteral("late"), QStringLiteral("D")), QStringLiteral("D"));
    QCOMPARE(doc.value(QStringLiteral("c"), QStringLiteral("k")), QStringLiteral("8"));
    QVERIFY(doc.hasSection(QStringLiteral("C")));
    QVERIFY(!doc.hasSection(QStringLiteral("D")));
    QVERIFY(!doc.setValues(QStringLiteral(" "), {{"k", "1"}}));
    QVERIFY(!doc.setValues(QStringLiteral("A"), {{"", "1"}}));
    QVERIFY(doc.save(many));
    QCOMPARE(ReadFile(many), QByteArray("; head\n[A]\n  X=10\nx=dup\nnew1=m\nz=3\nq=6\n\n\n[b]\ny=5\nw=4\n"
                                        "[a]\nlate=1\n[C]\nk=8\n"));
}

void TestProfile::leadingInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("digits") << "2" << 2;
    QTest::newRow("digits then letters") << "2a" << 2;
    QTest::newRow("letters") << "x" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("sign") << "-3" << -3;
    QTest::newRow("plus") << "+4" << 4;
    QTest::newRow("leading blanks") << "  7" << 7;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("decimal point") << "1.9" << 1;
    QTest::newRow("overflow clamps") << "99999999999" << std::numeric_limits<int>::max();
    QTest::newRow("sign alone") << "-" << 0;
}

void TestProfile::leadingInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(LeadingInt(text), value);
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
