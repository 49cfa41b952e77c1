// The form post to the maker's server, against a plain-HTTP server on the loopback.
#include "common/localhttpserver.h"
#include "common/loopbackproxy.h"
#include "common/testpaths.h"
#include "platform/serverpost.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTest>

namespace {

// A time limit no answer on the loopback comes near, however busy the machine: a request that
// gets its answer (or its refusal) returns at once, only one that hangs would wait this long.
constexpr int kGenerousMs = 60000;

}  // namespace

class TestServerPost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sendsFormWithHeaders();
    void decodesByCharset_data();
    void decodesByCharset();
    void failuresGiveEmptyText_data();
    void failuresGiveEmptyText();
    void timeoutGivesEmptyText();
    void httpsAcceptsOnlyANameMismatch_data();
    void httpsAcceptsOnlyANameMismatch();
    void followsTheSystemProxy();

private:
    QString host() const { return QStringLiteral("http://127.0.0.1"); }
    LocalHttpServer m_server;
};

void TestServerPost::initTestCase()
{
    QVERIFY(m_server.listening());
}

void TestServerPost::sendsFormWithHeaders()
{
    m_server.requests.clear();
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "yes", false});
    // Percent signs of an encoded value are sent byte for byte.
    const QString answer = PostFormToServer(QStringLiteral("/vcheck"), host(), m_server.port(),
                                            QStringLiteral("minor_ver=231010&x=a%2Bb"), kGenerousMs);
    QCOMPARE(answer, QStringLiteral("yes"));
    QCOMPARE(m_server.requests.size(), 1);
    const LocalHttpServer::Request& r = m_server.requests.first();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.path, QByteArray("/vcheck"));
    QCOMPARE(r.body, QByteArray("minor_ver=231010&x=a%2Bb"));
    QVERIFY2(r.headers.contains("Content-Type: application/x-www-form-urlencoded\r\n"), r.headers);
    QVERIFY2(r.headers.contains(
                 "User-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0)  like Gecko\r\n"),
             r.headers);
}

void TestServerPost::decodesByCharset_data()
{
    QTest::addColumn<QByteArray>("headers");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    const QString notice = QStringLiteral("<p>공지사항: 새 버전</p>");
    const QByteArray utf8 = notice.toUtf8();
    QStringEncoder euckr("EUC-KR");
    QVERIFY(euckr.isValid());
    const QByteArray cp949 = euckr(notice);
    QVERIFY(cp949 != utf8);

    QTest::newRow("charset=UTF-8") << QByteArray("Content-Type: text/html; charset=UTF-8\r\n") << utf8 << notice;
    QTest::newRow("charset=utf-8") << QByteArray("Content-Type: text/html; charset=utf-8\r\n") << utf8 << notice;
    QTest::newRow("CHARSET=UTF-8") << QByteArray("Content-Type: text/html; CHARSET=UTF-8\r\n") << utf8 << notice;
    QTest::newRow("CHARSET=utf-8") << QByteArray("Content-Type: text/html; CHARSET=utf-8\r\n") << utf8 << notice;
    QTest::newRow("no charset: Korean code page") << QByteArray("Content-Type: text/html\r\n") << cp949 << notice;
    QTest::newRow("charset=Utf-8 is not recognised")
        << QByteArray("Content-Type: text/html; charset=Utf-8\r\n") << cp949 << notice;
    QTest::newRow("line breaks removed")
        << QByteArray("Content-Type: text/plain; charset=UTF-8\r\n") << QByteArray("a\r\nb\nc\n")
        << QStringLiteral("abc");
}

void TestServerPost::decodesByCharset()
{
    QFETCH(QByteArray, headers);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    m_server.setReply("/ncheck", {200, headers, body, false});
    QCOMPARE(PostFormToServer(QStringLiteral("/ncheck"), host(), m_server.port(),
                              QStringLiteral("minor_ver=231010"), kGenerousMs),
             expected);
}

void TestServerPost::failuresGiveEmptyText_data()
{
    QTest::addColumn<QString>("hostText");
    QTest::addColumn<bool>("useServerPort");
    QTest::addColumn<QString>("path");

    QTest::newRow("status 404 with a body") << host() << true << "/missing";
    QTest::newRow("empty host") << "" << true << "/vcheck";
    QTest::newRow("blank host") << "   " << true << "/vcheck";
    QTest::newRow("connection refused") << host() << false << "/vcheck";
    QTest::newRow("plain http to another host is refused") << "http://192.0.2.1" << true << "/vcheck";
    QTest::newRow("TLS to a plain server fails") << "127.0.0.1" << true << "/vcheck";
}

void TestServerPost::failuresGiveEmptyText()
{
    QFETCH(QString, hostText);
    QFETCH(bool, useServerPort);
    QFETCH(QString, path);
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "pending", false});
    m_server.setReply("/missing", {404, "", "not here", false});

    quint16 port = m_server.port();
    if (!useServerPort) {
        // A port nobody listens on: take a free one and close it again.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
        probe.close();
    }
    const int before = int(m_server.requests.size());
    QCOMPARE(PostFormToServer(path, hostText, port, QStringLiteral("minor_ver=231010"), kGenerousMs), QString());
    if (hostText.trimmed().isEmpty() || hostText.contains(QStringLiteral("192.0.2.1")))
        QCOMPARE(int(m_server.requests.size()), before);  // no request at all
}

void TestServerPost::timeoutGivesEmptyText()
{
    // The server takes the request and never answers: only the request's own timeout ends the
    // wait, long before the limit.
    m_server.setReply("/slow", {200, "", "late", true});
    const int before = int(m_server.requests.size());
    QElapsedTimer t;
    t.start();
    QCOMPARE(PostFormToServer(QStringLiteral("/slow"), host(), m_server.port(),
                              QStringLiteral("minor_ver=231010"), 300),
             QString());
    QVERIFY2(t.elapsed() < kGenerousMs, "the request has a timeout");
    QCOMPARE(int(m_server.requests.size()), before + 1);
}

namespace {

QByteArray Fixture(const char* name)
{
    QFile f(TestDataDir() + QStringLiteral("/app/tls/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

void TestServerPost::httpsAcceptsOnlyANameMismatch_data()
{
    QTest::addColumn<QByteArray>("certificate");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("expected");
    // Issued by a trusted authority for another name: the name mismatch is accepted.
    QTest::newRow("trusted, other name") << Fixture("server.pem") << Fixture("server.key") << "TLS 응답";
    // Right name but trusted by nobody: refused, empty answer.
    QTest::newRow("self-signed") << Fixture("selfsigned.pem") << Fixture("selfsigned.key") << "";
}

void TestServerPost::httpsAcceptsOnlyANameMismatch()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    QFETCH(QByteArray, certificate);
    QFETCH(QByteArray, key);
    QFETCH(QString, expected);
    QVERIFY(!certificate.isEmpty() && !key.isEmpty());

    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    const QList<QSslCertificate> ca = QSslCertificate::fromData(Fixture("ca.pem"));
    QCOMPARE(ca.size(), 1);
    config.addCaCertificate(ca.first());
    QSslConfiguration::setDefaultConfiguration(config);

    LocalHttpServer server(QSslCertificate(certificate), QSslKey(key, QSsl::Rsa));
    QVERIFY(server.listening());
    server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n",
                                QStringLiteral("TLS 응답").toUtf8(), false});
    QCOMPARE(PostFormToServer(QStringLiteral("/vcheck"), QStringLiteral("127.0.0.1"), server.port(),
                              QStringLiteral("minor_ver=231010"), kGenerousMs),
             expected);
    if (!expected.isEmpty()) {
        QCOMPARE(server.requests.size(), 1);
        QCOMPARE(server.requests.first().body, QByteArray("minor_ver=231010"));
    } else {
        QVERIFY(server.requests.isEmpty());
    }
}

void TestServerPost::followsTheSystemProxy()
{
    // The system configuration names a proxy (here a loopback test server) for HTTPS.
    LoopbackSystemProxy proxy;
    QVERIFY(proxy.listening());

    // A server by name is reached through the proxy: it is asked to open a tunnel there. The
    // test proxy refuses, so the answer is empty, as for any failure.
    const QString answer = PostFormToServer(QStringLiteral("/vcheck"), QStringLiteral("update.sevrin.invalid"),
                                            9300, QStringLiteral("minor_ver=231010"), kGenerousMs);
    QCOMPARE(answer, QString());
    VerifyOneTunnelRequest(proxy, "update.sevrin.invalid:9300");
    if (QTest::currentTestFailed())
        return;

    // A loopback server is reached directly, whatever the proxy settings.
    m_server.requests.clear();
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "direct", false});
    QCOMPARE(PostFormToServer(QStringLiteral("/vcheck"), host(), m_server.port(), QString(), kGenerousMs),
             QStringLiteral("direct"));
    QCOMPARE(m_server.requests.size(), 1);
    QCOMPARE(proxy.requests().size(), 1);
}

QTEST_GUILESS_MAIN(TestServerPost)
#include "tst_serverpost.moc"
