#pragma once
// What the nonsense-input fixtures check in the driver's output: no text of a figure that must
// not be trusted. Names such as "LN-1" or "E-16" are not negative numbers: a minus counts only
// where no letter, digit or point stands before it.
#include <QRegularExpression>
#include <QString>

namespace numbertext {

// The first offending piece of `out` (nan, inf, a negative number, a number of 16 or more
// digits), or empty text when there is none.
inline QString FindUntrustedFigure(const QString& out)
{
    static const QRegularExpression bad(
        QStringLiteral(R"((?i)\b(?:nan|inf|infinity)\b|(?<![\w.])-\d[\d.]*|\d{16,})"));
    const QRegularExpressionMatch m = bad.match(out);
    if (!m.hasMatch())
        return QString();
    const qsizetype from = std::max<qsizetype>(0, m.capturedStart() - 40);
    return QStringLiteral("\"%1\" in ...%2...").arg(m.captured(), out.mid(from, 100));
}

}  // namespace numbertext
