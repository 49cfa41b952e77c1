#include "common/loopbackproxy.h"

#include <QTest>

LoopbackSystemProxy::LoopbackSystemProxy()
{
    for (const char* name : {"https_proxy", "http_proxy", "no_proxy", "NO_PROXY"})
        m_saved.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(m_server.port());
    qputenv("https_proxy", url);
    qputenv("http_proxy", url);
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
}

LoopbackSystemProxy::~LoopbackSystemProxy()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

void VerifyOneTunnelRequest(const LoopbackSystemProxy& proxy, const QByteArray& hostPort)
{
    QCOMPARE(proxy.requests().size(), 1);
    QCOMPARE(proxy.requests().first().method, QByteArray("CONNECT"));
    QCOMPARE(proxy.requests().first().path, hostPort);
}
