#include "report/core/pdfconvert.h"

#include "app/core/sevrin.h"
#include "platform/paths.h"
#include "platform/serverpost.h"
#include "report/core/guithread.h"
#include "report/core/reportdriver.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QSaveFile>
#include <QSslError>
#include <QStringEncoder>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {

// The texts of the request in the Korean Windows code page; UTF-8 where the platform has no
// converter for it.
QByteArray ToAnsi(const QString& text)
{
    QStringEncoder cp949("CP949");
    if (!cp949.isValid())
        cp949 = QStringEncoder("EUC-KR");
    if (!cp949.isValid())
        return text.toUtf8();
    return cp949.encode(text);
}

QUrl TopdfUrl(const QString& hostSetting, quint16 port)
{
    QString host = hostSetting.trimmed();
    if (host.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        host = host.mid(8);
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    if (host.isEmpty() || host.contains(QLatin1Char('/')) || host.contains(QLatin1Char(':')))
        return QUrl();
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(host);
    url.setPort(port);
    url.setPath(QStringLiteral("/topdf"));
    return url.isValid() ? url : QUrl();
}

}  // namespace

QByteArray TopdfBoundary()
{
    return QByteArrayLiteral("7dE3aQ9sLk2Vx8Rb0Nw4Pz6Hc1Ty5Gm3");
}

QByteArray BuildTopdfBody(const QString& fileName, const QString& fullPath,
                          const QByteArray& workbook)
{
    const QString b = QString::fromLatin1(TopdfBoundary());
    const QString head =
        QStringLiteral("--%1\r\nContent-Disposition: form-data; name=\"filename\"\r\n\r\n%2\r\n")
            .arg(b, fileName) +
        QStringLiteral("--%1\r\nContent-Disposition: form-data; name=\"file\"; filename=\"%2\"\r\n")
            .arg(b, fullPath) +
        QStringLiteral("Content-Type: application/octet-stream\r\n") +
        QStringLiteral("Content-Transfer-Encoding: binary\r\n\r\n");
    const QString tail = QStringLiteral("\r\n--%1--\r\n").arg(b);
    QByteArray body = ToAnsi(head);
    body.reserve(body.size() + workbook.size() + tail.size());
    body += workbook;
    body += ToAnsi(tail);
    return body;
}

QString PdfPathOf(const QString& reportPath)
{
    const int dot = reportPath.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? reportPath : reportPath.left(dot)) + QStringLiteral(".pdf");
}

PdfResult ConvertToPdf(const QString& reportPath, const ReportRunSettings& settings)
{
    QFile workbook(reportPath);
    if (!QFileInfo(reportPath).isFile() || !workbook.open(QIODevice::ReadOnly))
        return PdfResult::NoWorkbook;
    const QUrl url = TopdfUrl(settings.serverHost, settings.serverPort);
    if (!url.isValid()) {
        GuiPrompt::Message(QObject::tr("PDF 변환 서버가 설정되어 있지 않습니다."));
        return PdfResult::NoServer;
    }
    const QByteArray body = BuildTopdfBody(GetFileNameOfPath(reportPath), reportPath, workbook.readAll());
    workbook.close();

    QNetworkAccessManager manager;
    // The same access as the other requests to the maker's server: behind a company proxy
    // the conversion must not try to go out directly.
    manager.setProxy(ServerProxyFor(url));
    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", ServerPostUserAgent());
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArray("multipart/form-data; boundary=") + TopdfBoundary());
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setRawHeader("Connection", "Keep-Alive");
    request.setTransferTimeout(settings.pdfTimeoutMs);

    std::unique_ptr<QNetworkReply> reply(manager.post(request, body));
    QObject::connect(reply.get(), &QNetworkReply::sslErrors, reply.get(),
                     [r = reply.get()](const QList<QSslError>& errors) {
                         // A certificate issued for another name is accepted; nothing else.
                         for (const QSslError& e : errors)
                             if (e.error() != QSslError::HostNameMismatch)
                                 return;
                         r->ignoreSslErrors(errors);
                     });

    bool stopped = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
    // "취소" in the report dialog ends the wait.
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, reply.get(), [&stopped, r = reply.get()] {
        if (theApp.ReportStopFlag.load() == 1) {
            stopped = true;
            r->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(settings.pdfTimeoutMs);
    stopPoll.start(100);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();
    stopPoll.stop();

    if (stopped)
        return PdfResult::Stopped;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 0) {
        GuiPrompt::Message(QObject::tr("PDF 변환 서버와 통신하지 못했습니다.\n%1").arg(reply->errorString()));
        return PdfResult::NetworkError;
    }
    if (status != 200) {
        GuiPrompt::Message(QObject::tr("PDF 변환에 실패했습니다. (서버 응답 %1)").arg(status));
        return PdfResult::ServerError;
    }
    const QByteArray pdf = reply->readAll();
    if (reply->error() != QNetworkReply::NoError) {
        GuiPrompt::Message(QObject::tr("PDF 변환 서버와 통신하지 못했습니다.\n%1").arg(reply->errorString()));
        return PdfResult::NetworkError;
    }
    if (pdf.isEmpty()) {
        GuiPrompt::Message(QObject::tr("PDF 변환 결과가 비어 있습니다."));
        return PdfResult::EmptyAnswer;
    }
    const QString pdfPath = PdfPathOf(reportPath);
    QSaveFile out(pdfPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.commit()) {
        GuiPrompt::Message(QObject::tr("PDF 파일을 저장하지 못했습니다.\n%1").arg(pdfPath));
        return PdfResult::WriteError;
    }
    if (theApp.ReportStopFlag.load() == 0 && !GuiPrompt::OpenWithDefault(pdfPath))
        GuiPrompt::Message(QObject::tr("PDF 파일을 열 프로그램을 시작하지 못했습니다.\n%1").arg(pdfPath));
    return PdfResult::Saved;
}
