#include "serverpost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

namespace {

bool IsLoopbackHost(const QString& host)
{
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress addr;
    return addr.setAddress(host) && addr.isLoopback();
}

// Builds the request address; invalid when the host is empty or not allowed.
QUrl MakeUrl(const QString& path, const QString& hostSetting, quint16 port)
{
    QString host = hostSetting.trimmed();
    QString scheme = QStringLiteral("https");
    if (host.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)) {
        host = host.mid(7);
        scheme = QStringLiteral("http");
    } else if (host.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
        host = host.mid(8);
    }
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    if (host.isEmpty())
        return QUrl();
    if (scheme == QLatin1String("http") && !IsLoopbackHost(host))
        return QUrl();
    QUrl url;
    url.setScheme(scheme);
    url.setHost(host);
    url.setPort(port);
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    return url.isValid() ? url : QUrl();
}

}  // namespace

QNetworkProxy ServerProxyFor(const QUrl& url)
{
    if (IsLoopbackHost(url.host()))
        return QNetworkProxy(QNetworkProxy::NoProxy);
    const QList<QNetworkProxy> proxies =
        QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    for (const QNetworkProxy& p : proxies) {
        if (p.type() == QNetworkProxy::HttpProxy || p.type() == QNetworkProxy::Socks5Proxy ||
            p.type() == QNetworkProxy::NoProxy)
            return p;
    }
    return QNetworkProxy(QNetworkProxy::NoProxy);
}

QByteArray ServerPostUserAgent()
{
    // Two blanks before "like", as the server has always seen it.
    return QByteArrayLiteral("Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0)  like Gecko");
}

bool HeadersNameUtf8(const QByteArray& headers)
{
    return headers.contains("charset=UTF-8") || headers.contains("charset=utf-8") ||
           headers.contains("CHARSET=UTF-8") || headers.contains("CHARSET=utf-8");
}

QString DecodeServerAnswer(const QByteArray& body, bool utf8)
{
    QString text;
    if (utf8) {
        text = QString::fromUtf8(body);
    } else {
        QStringDecoder cp949("CP949");
        if (!cp949.isValid())
            cp949 = QStringDecoder("EUC-KR");
        text = cp949.isValid() ? QString(cp949(body)) : QString::fromLocal8Bit(body);
    }
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

QString PostFormToServer(const QString& path, const QString& host, quint16 port,
                         const QString& body, int timeoutMs)
{
    const QUrl url = MakeUrl(path, host, port);
    if (!url.isValid() || !QCoreApplication::instance())
        return QString();

    QNetworkAccessManager manager;
    manager.setProxy(ServerProxyFor(url));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setRawHeader("User-Agent", ServerPostUserAgent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Connection", "Keep-Alive");
    request.setTransferTimeout(timeoutMs);

    QNetworkReply* reply = manager.post(request, body.toUtf8());
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [reply](const QList<QSslError>& errors) {
        // Accept a certificate issued for another name; refuse every other fault.
        QList<QSslError> ignorable;
        for (const QSslError& e : errors) {
            if (e.error() != QSslError::HostNameMismatch)
                return;
            ignorable.append(e);
        }
        reply->ignoreSslErrors(ignorable);
    });

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();

    QString answer;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status == 200) {
        QByteArray headers;
        for (const auto& pair : reply->rawHeaderPairs())
            headers += pair.first + ": " + pair.second + "\r\n";
        answer = DecodeServerAnswer(reply->readAll(), HeadersNameUtf8(headers));
    }
    delete reply;
    return answer;
}
