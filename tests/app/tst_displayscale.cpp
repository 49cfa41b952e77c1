// Start-up on a display scaled to 150 %: the frame is asked for at 2880 x 1620 device pixels
// and the text-scaling warning is shown. The offscreen platform is given a 144-dpi screen.
#include "app/core/sevrin.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDisplayScale : public QObject
{
    Q_OBJECT

private slots:
    void scaledDisplayWarns();
};

void TestDisplayScale::scaledDisplayWarns()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));  // the instance lock
    const QString root = dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/LIB")));
    const PythonResult r = RunPython(QStringLiteral("import openpyxl,sys\n"
                                                    "for p in sys.argv[1:]:\n"
                                                    "    wb=openpyxl.Workbook(); wb.active['A7']='ACSR-32'; wb.save(p)\n"),
                                     {root + QStringLiteral("/LIB/lib_v3p4.xlsx"),
                                      root + QStringLiteral("/LIB/breaker_v3p4.xlsx")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QFile ini(dir.filePath(QStringLiteral("ORVA.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[SYSTEM]\nPath=" + root.toUtf8() + "\n");
    ini.close();
    QVERIFY(QDir::setCurrent(dir.path()));

    RecordingPrompt* prompt = RecordingPrompt::Install();
    QVERIFY(InitInstance());
    QVERIFY(qAbs(theApp.DpiScaleX - 96.0 / 144.0) < 1e-6);
    QVERIFY(qAbs(theApp.DpiScaleY - 96.0 / 144.0) < 1e-6);
    QCOMPARE(MainFrame()->RequestedSize(), QSize(2880, 1620));
    QCOMPARE(prompt->messages,
             QStringList{QStringLiteral("디스플레이 설정->배율 및 레이아웃->텍스트, 앱 및 기타 항목의 크기 "
                                        "변경이 100%가 아닙니다.\n이 경우 일부 화면에 오류가 발생할 수 "
                                        "있습니다.\n변경을 추천합니다.!!!")});
    QCOMPARE(prompt->messageButtons.value(0), Prompt::Buttons::Ok);
    ReleaseSingleInstanceLock();
}

int main(int argc, char* argv[])
{
    // One 144-dpi screen for the offscreen platform.
    QTemporaryDir configDir;
    const QString config = configDir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(R"({"screens": [{"name": "scaled", "x": 0, "y": 0, "width": 2880, "height": 1620,
                  "logicalDpi": 144, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    TestDisplayScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_displayscale.moc"
