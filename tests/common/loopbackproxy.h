#pragma once
// The system proxy pointed at a loopback test server: the proxy variables the system proxy
// query reads name the server for as long as the object lives, and are as they were after.
#include "common/localhttpserver.h"

#include <QByteArray>
#include <QList>

#include <optional>
#include <utility>

class LoopbackSystemProxy
{
public:
    // Starts the server (it refuses every tunnel: its table is empty), names it as the HTTP and
    // HTTPS proxy and clears the no-proxy list.
    LoopbackSystemProxy();
    ~LoopbackSystemProxy();
    LoopbackSystemProxy(const LoopbackSystemProxy&) = delete;
    LoopbackSystemProxy& operator=(const LoopbackSystemProxy&) = delete;

    bool listening() const { return m_server.listening(); }
    const QList<LocalHttpServer::Request>& requests() const { return m_server.requests; }

private:
    LocalHttpServer m_server;
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;  // variable, value before
};

// The proxy was asked exactly once, and that for a tunnel (CONNECT) to `hostPort` ("host:port").
void VerifyOneTunnelRequest(const LoopbackSystemProxy& proxy, const QByteArray& hostPort);
