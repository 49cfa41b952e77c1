// The PDF conversion request against a loopback HTTPS server (Python's ssl module, with a
// certificate authority made for the test run): the exact multipart body and the answers.
#include "common/localhttpserver.h"
#include "common/loopbackproxy.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "reportfixture.h"

#include "app/core/sevrin.h"
#include "report/core/pdfconvert.h"
#include "report/core/reportdriver.h"
#include "report/gui/outputdlg.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QProcess>
#include <QScopeGuard>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A time limit no answer on the loopback comes near, however busy the machine.
constexpr int kGenerousMs = 60000;

bool RunOpenssl(const QStringList& args, const QString& dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral("openssl"), args);
    return p.waitForFinished(kPatienceMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace

class TestTopdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void requestCarriesTheExactBody();
    void answers_data();
    void answers();
    void cancelAbortsAWaitingRequest();
    void missingWorkbookSendsNothing();
    void goesThroughTheSystemProxy();
    void dialogCancelAbortsTheConversion();
    void refusedWriteKeepsTheOldPdf();

private:
    // Starts the server in `mode`; its port, 0 when it did not start.
    quint16 StartServer(const QString& mode);
    QByteArray Recorded(const QString& what) { return ReadFile(m_record.path() + QLatin1Char('/') + what); }

    QTemporaryDir m_certs;
    QTemporaryDir m_record;
    QTemporaryDir m_out;
    QProcess m_server;
    RecordingPrompt* m_prompt = nullptr;
    ReportRunSettings m_settings;
    QString m_report;
};

void TestTopdf::initTestCase()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    // A certificate authority for this run and a server certificate it issued for another
    // name: a connection to 127.0.0.1 sees a name mismatch, which the request accepts.
    const QString d = m_certs.path();
    QVERIFY(RunOpenssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out",
                        "ca.pem", "-days", "2", "-subj", "/CN=Sevrin test CA"}, d));
    QVERIFY(RunOpenssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out",
                        "server.csr", "-subj", "/CN=other.name.test"}, d));
    QVERIFY(RunOpenssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                        "-CAcreateserial", "-out", "server.pem", "-days", "2"}, d));
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    const QList<QSslCertificate> ca = QSslCertificate::fromPath(d + QStringLiteral("/ca.pem"));
    QCOMPARE(ca.size(), 1);
    config.addCaCertificate(ca.first());
    QSslConfiguration::setDefaultConfiguration(config);
}

void TestTopdf::init()
{
    m_prompt = RecordingPrompt::Install();
    theApp.ReportStopFlag = 0;
    m_settings = ReportRunSettings{};
    m_settings.serverHost = QStringLiteral("127.0.0.1");
    // An answer comes long before; only a request that hangs reaches it.
    m_settings.pdfTimeoutMs = kGenerousMs;
    // A Hangul file name: the body carries it in the Korean code page.
    m_report = m_out.path() + QStringLiteral("/공장_1210_093005.xlsx");
    QVERIFY(WriteFile(m_report, QByteArray("PK\x03\x04 workbook bytes \r\n--\x00\xff end", 32)));
    QFile::remove(PdfPathOf(m_report));
    for (const QString& f : QDir(m_record.path()).entryList(QDir::Files))
        QFile::remove(m_record.path() + QLatin1Char('/') + f);
}

void TestTopdf::cleanup()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    theApp.ReportStopFlag = 1;
}

quint16 TestTopdf::StartServer(const QString& mode)
{
    const QString script = TestDataDir() + QStringLiteral("/report/topdf_server.py");
    m_server.start(QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                          : QStringLiteral("python3"),
                   {script, m_certs.path() + QStringLiteral("/server.pem"),
                    m_certs.path() + QStringLiteral("/server.key"), mode, m_record.path()});
    if (!m_server.waitForReadyRead(kPatienceMs))
        return 0;
    return quint16(m_server.readLine().trimmed().toUInt());
}

void TestTopdf::requestCarriesTheExactBody()
{
    m_settings.serverPort = StartServer(QStringLiteral("ok"));
    QVERIFY(m_settings.serverPort != 0);
    QCOMPARE(ConvertToPdf(m_report, m_settings), PdfResult::Saved);

    const QByteArray head = Recorded(QStringLiteral("head1.bin"));
    const QByteArray body = Recorded(QStringLiteral("body1.bin"));
    QVERIFY(head.startsWith("POST /topdf HTTP/1.1\r\n"));
    QVERIFY(head.contains("\r\nUser-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0)  like Gecko\r\n"));
    const QByteArray boundary = TopdfBoundary();
    QCOMPARE(boundary.size(), 32);
    for (char ch : boundary)
        QVERIFY(QChar::fromLatin1(ch).isLetterOrNumber());
    QVERIFY(head.contains("\r\nContent-Type: multipart/form-data; boundary=" + boundary + "\r\n"));
    QVERIFY(head.contains("\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n"));

    // The body written out by hand; "공장" in the Korean code page is b0 f8 c0 e5.
    const QByteArray name = QByteArray::fromHex("b0f8c0e5") + "_1210_093005.xlsx";
    const QByteArray path = m_out.path().toUtf8() + "/" + name;
    const QByteArray expected = "--" + boundary +
                                "\r\nContent-Disposition: form-data; name=\"filename\"\r\n\r\n" + name +
                                "\r\n--" + boundary +
                                "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" + path +
                                "\"\r\nContent-Type: application/octet-stream\r\n"
                                "Content-Transfer-Encoding: binary\r\n\r\n" +
                                ReadFile(m_report) + "\r\n--" + boundary + "--\r\n";
    QCOMPARE(body, expected);
}

void TestTopdf::answers_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");  // the start of the one message, empty for none
    QTest::newRow("200 with a PDF") << "ok" << int(PdfResult::Saved) << "";
    QTest::newRow("500") << "500" << int(PdfResult::ServerError) << "PDF 변환에 실패했습니다. (서버 응답 500)";
    QTest::newRow("200 without a body") << "empty" << int(PdfResult::EmptyAnswer) << "PDF 변환 결과가 비어 있습니다.";
    QTest::newRow("no answer: timeout") << "hang" << int(PdfResult::NetworkError) << "PDF 변환 서버와 통신하지 못했습니다.";
    QTest::newRow("connection reset") << "reset" << int(PdfResult::NetworkError) << "PDF 변환 서버와 통신하지 못했습니다.";
}

void TestTopdf::answers()
{
    QFETCH(QString, mode);
    QFETCH(int, result);
    QFETCH(QString, message);
    // An older PDF of the same name: replaced by a good answer, left alone otherwise.
    const QString pdf = PdfPathOf(m_report);
    QVERIFY(WriteFile(pdf, "old"));
    m_settings.serverPort = StartServer(mode);
    QVERIFY(m_settings.serverPort != 0);
    // The server that never answers holds the connection for 120 s: the request has to end it
    // by its own timeout, short here, and well before the server would.
    const bool hangs = mode == QLatin1String("hang");
    if (hangs)
        m_settings.pdfTimeoutMs = 5000;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(int(ConvertToPdf(m_report, m_settings)), result);
    if (hangs)
        QVERIFY2(clock.elapsed() < kGenerousMs, "the request has a timeout");
    QVERIFY(!Recorded(QStringLiteral("body1.bin")).isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(m_prompt->messages, QStringList());
        QCOMPARE(ReadFile(pdf), QByteArray("%PDF-1.4 converted"));
        QCOMPARE(m_prompt->openedWithDefault, QStringList({pdf}));
    } else {
        QCOMPARE(m_prompt->messages.size(), 1);
        QVERIFY2(m_prompt->messages.first().startsWith(message), qPrintable(m_prompt->messages.first()));
        QCOMPARE(ReadFile(pdf), QByteArray("old"));
        QVERIFY(m_prompt->openedWithDefault.isEmpty());
    }
}

// A PDF the disk refuses to take (full, over quota): said, and the older PDF stays whole (the
// refused write is not left in the buffer to be committed as an empty file).
void TestTopdf::refusedWriteKeepsTheOldPdf()
{
    const QString pdf = PdfPathOf(m_report);
    QVERIFY(WriteFile(pdf, "old"));
    m_settings.serverPort = StartServer(QStringLiteral("ok"));
    QVERIFY(m_settings.serverPort != 0);
    PdfResult result = PdfResult::Saved;
    {
        FileWritesRefused refused;
        result = ConvertToPdf(m_report, m_settings);
    }
    QCOMPARE(int(result), int(PdfResult::WriteError));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("PDF 파일을 저장하지 못했습니다.\n") + pdf});
    QCOMPARE(ReadFile(pdf), QByteArray("old"));
    QVERIFY(m_prompt->openedWithDefault.isEmpty());
}

void TestTopdf::cancelAbortsAWaitingRequest()
{
    m_settings.serverPort = StartServer(QStringLiteral("hang"));
    QVERIFY(m_settings.serverPort != 0);
    // "취소" in the report dialog sets the stop flag while the answer is awaited: once the
    // server has the request (it says so on its output). The server would hold the connection
    // for 120 s and the timeout is a minute: the stop alone ends the wait.
    QByteArray said;
    const QMetaObject::Connection cancel = connect(&m_server, &QProcess::readyReadStandardOutput, this, [&] {
        said += m_server.readAll();
        if (said.contains("request 1\n"))
            theApp.ReportStopFlag = 1;
    });
    const auto stopListening = qScopeGuard([&cancel] { QObject::disconnect(cancel); });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ConvertToPdf(m_report, m_settings), PdfResult::Stopped);
    QVERIFY2(clock.elapsed() < kGenerousMs / 2, "the stop ends the wait, not the timeout");
    QVERIFY(!Recorded(QStringLiteral("body1.bin")).isEmpty());
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(!QFileInfo::exists(PdfPathOf(m_report)));
}

void TestTopdf::missingWorkbookSendsNothing()
{
    m_settings.serverPort = StartServer(QStringLiteral("ok"));
    QVERIFY(m_settings.serverPort != 0);
    QCOMPARE(ConvertToPdf(m_out.path() + QStringLiteral("/missing.xlsx"), m_settings), PdfResult::NoWorkbook);
    QVERIFY(m_prompt->messages.isEmpty());
    // A request after it: the server takes connections one after the other, so anything the
    // first call sent would be recorded before this one. Only this one is.
    QCOMPARE(ConvertToPdf(m_report, m_settings), PdfResult::Saved);
    QCOMPARE(QDir(m_record.path()).entryList(QDir::Files), QStringList({"body1.bin", "head1.bin"}));
    QVERIFY(Recorded(QStringLiteral("body1.bin")).contains(ReadFile(m_report)));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestTopdf::goesThroughTheSystemProxy()
{
    // The system configuration names a proxy (a loopback test server that refuses tunnels),
    // as the update and notice requests see it.
    LoopbackSystemProxy proxy;
    QVERIFY(proxy.listening());

    // A server by name: the request asks the proxy for a tunnel instead of going out directly.
    // The proxy refuses at once; the long timeout only keeps a busy machine from cutting in.
    m_settings.serverHost = QStringLiteral("pdf.sevrin.invalid");
    m_settings.serverPort = 9300;
    QCOMPARE(ConvertToPdf(m_report, m_settings), PdfResult::NetworkError);
    VerifyOneTunnelRequest(proxy, "pdf.sevrin.invalid:9300");
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages.first().startsWith(QStringLiteral("PDF 변환 서버와 통신하지 못했습니다.")));
    QVERIFY(!QFileInfo::exists(PdfPathOf(m_report)));

    // A loopback server is reached directly, whatever the proxy settings.
    m_settings.serverHost = QStringLiteral("127.0.0.1");
    m_settings.serverPort = StartServer(QStringLiteral("ok"));
    QVERIFY(m_settings.serverPort != 0);
    QCOMPARE(ConvertToPdf(m_report, m_settings), PdfResult::Saved);
    QCOMPARE(proxy.requests().size(), 1);
}

void TestTopdf::dialogCancelAbortsTheConversion()
{
    // The whole road: "출력하기", the worker saves the report, the confirmation, mode 3 sends it
    // and waits; "취소" in the dialog ends the wait and the dialog closes by itself.
    ReportProgramFolder folder;
    WriterLog log;
    RegisterFakeWriters(log);
    m_settings.serverPort = StartServer(QStringLiteral("hang"));
    QVERIFY(m_settings.serverPort != 0);
    m_settings.printMode = 3;
    m_prompt->confirmAnswers.push_back(true);

    COutputDlg dlg;
    dlg.ReportChoices = {0, 0, 0, 1, 0, 0, 0, 0, 0};
    dlg.SetRunSettings(m_settings);
    dlg.show();
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("1009")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!Recorded(QStringLiteral("body1.bin")).isEmpty(), kGenerousMs);
    QVERIFY(dlg.isVisible());
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), kGenerousMs / 2);
    ClearReportSheetWriters();

    QCOMPARE(m_prompt->confirmTexts, QStringList({"저장된 파일을 출력 합니다."}));
    QCOMPARE(m_prompt->messages, QStringList({"자동 종료 됩니다."}));
    // The request carried the saved report; no PDF was kept.
    const QStringList files = folder.outFiles();
    QCOMPARE(files.size(), 1);
    QVERIFY(files.first().endsWith(QStringLiteral(".xlsx")));
    QVERIFY(Recorded(QStringLiteral("body1.bin")).contains(ReadFile(folder.outFolder() + QLatin1Char('/') + files.first())));
    QVERIFY(m_prompt->openedWithDefault.isEmpty());
}

QTEST_MAIN(TestTopdf)
#include "tst_topdf.moc"
