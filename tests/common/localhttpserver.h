#pragma once
// An HTTP server on 127.0.0.1 for tests of the server requests, plain or over TLS with a given
// certificate. It answers each path from a table and records every request. It runs on the
// test's thread: the client's local event loop serves it.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

class QTcpSocket;

class LocalHttpServer : public QObject
{
public:
    struct Reply
    {
        int status = 200;
        QByteArray headers;  // extra header lines, each ending in "\r\n"
        QByteArray body;
        bool silent = false;  // accept the connection but never answer (timeouts)
    };
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray headers;  // the header lines as received
        QByteArray body;
    };

    // Plain HTTP.
    LocalHttpServer();
    // HTTPS with this certificate and key.
    LocalHttpServer(const QSslCertificate& certificate, const QSslKey& key);
    ~LocalHttpServer() override;

    bool listening() const;
    quint16 port() const;

    // Answer for a path; a path without an entry answers 404.
    void setReply(const QByteArray& path, const Reply& reply);
    QList<Request> requests;

private:
    class Listener;
    void onNewConnection();
    // Adds what arrived to the connection's partial request `buf` and answers a complete one.
    void onReadyRead(QTcpSocket* socket, QByteArray& buf);

    Listener* m_server;
    QMap<QByteArray, Reply> m_replies;
};
