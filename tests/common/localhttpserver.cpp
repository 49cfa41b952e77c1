#include "localhttpserver.h"

#include <QHostAddress>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

// Hands out TLS sockets when a certificate is set.
class LocalHttpServer::Listener : public QTcpServer
{
public:
    explicit Listener(QObject* parent) : QTcpServer(parent) {}
    QSslCertificate certificate;
    QSslKey key;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (certificate.isNull()) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        auto* socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(certificate);
        socket->setPrivateKey(key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        addPendingConnection(socket);
        socket->startServerEncryption();
    }
};

LocalHttpServer::LocalHttpServer() : m_server(new Listener(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::onNewConnection);
}

LocalHttpServer::LocalHttpServer(const QSslCertificate& certificate, const QSslKey& key)
    : m_server(new Listener(this))
{
    m_server->certificate = certificate;
    m_server->key = key;
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::onNewConnection);
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::listening() const
{
    return m_server->isListening();
}

quint16 LocalHttpServer::port() const
{
    return m_server->serverPort();
}

void LocalHttpServer::setReply(const QByteArray& path, const Reply& reply)
{
    m_replies[path] = reply;
}

void LocalHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        // The connection's partial request lives with the connection: it goes away with the
        // socket and never reaches a later connection.
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket,
                [this, socket, buffer] { onReadyRead(socket, *buffer); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::onReadyRead(QTcpSocket* socket, QByteArray& buf)
{
    buf += socket->readAll();
    // Not HTTP at all (a TLS handshake, say): refused at once, as a web server does, so the
    // client fails on the answer instead of waiting for its timeout.
    if (!buf.isEmpty() && (buf.front() < 'A' || buf.front() > 'Z')) {
        buf.clear();
        socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    const int headerEnd = buf.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QByteArray head = buf.left(headerEnd);
    qsizetype contentLength = 0;
    for (const QByteArray& line : head.split('\n')) {
        const QByteArray l = line.trimmed();
        if (l.toLower().startsWith("content-length:"))
            contentLength = l.mid(15).trimmed().toLongLong();
    }
    if (buf.size() < headerEnd + 4 + contentLength)
        return;

    Request req;
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    req.method = requestLine.value(0);
    req.path = requestLine.value(1);
    req.headers = head.mid(head.indexOf("\r\n") + 2) + "\r\n";
    req.body = buf.mid(headerEnd + 4, contentLength);
    requests.append(req);
    buf.clear();

    const auto it = m_replies.constFind(req.path);
    Reply reply;
    if (it != m_replies.constEnd())
        reply = *it;
    else
        reply.status = 404;
    if (reply.silent)
        return;
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) +
                     (reply.status == 200 ? " OK" : " Not Found") + "\r\n";
    out += reply.headers;
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += reply.body;
    socket->write(out);
    socket->disconnectFromHost();
}
