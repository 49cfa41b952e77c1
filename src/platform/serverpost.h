#pragma once
// The small form client that asks the maker's server whether an update or a notice is
// pending (and that the report output may use). Synchronous for its caller: it runs a local
// event loop until the answer is in, the request fails or the timeout passes.
#include <QNetworkProxy>
#include <QString>
#include <QUrl>

// Posts `body` (already form-encoded, sent as UTF-8 bytes, unchanged) to https://host:port
// + path with the form content type and the program's user agent; never from a cache, never
// into one, through the proxy that the system's configuration names for the address (none
// for a loopback address). A server certificate whose name does not match the host is
// accepted; any other certificate fault refuses the connection.
//
// Returns the answer's lines joined without line breaks when the status is 200; the answer is
// decoded as UTF-8 when the response headers say "charset=UTF-8" (in one of the spellings
// "charset=UTF-8", "charset=utf-8", "CHARSET=UTF-8", "CHARSET=utf-8") and in the Korean
// Windows code page (CP949) otherwise. Every failure - empty host, name not resolved,
// connection refused, TLS failure, a status other than 200, no answer within `timeoutMs` -
// gives an empty text; nothing is shown.
//
// Plain HTTP: a host written with the scheme "http://" (for example "http://127.0.0.1") talks
// plain HTTP, but only to a loopback address; this is how tests run a local server without a
// certificate. Any other "http://" host is refused (empty answer).
QString PostFormToServer(const QString& path, const QString& host, quint16 port,
                         const QString& body, int timeoutMs = 3000);

// The proxy every request to the maker's server goes through: the one the system's
// configuration (proxy variables, the desktop's settings) names for the address, the way the
// desktop's own programs reach the network; none for a loopback address.
QNetworkProxy ServerProxyFor(const QUrl& url);

// The header texts that PostFormToServer sends (exposed for tests).
QByteArray ServerPostUserAgent();

// True when `headers` (all response header lines as one text) name UTF-8 in one of the four
// recognised spellings.
bool HeadersNameUtf8(const QByteArray& headers);

// Decodes an answer body and joins its lines without line breaks.
QString DecodeServerAnswer(const QByteArray& body, bool utf8);
