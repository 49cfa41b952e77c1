#include "unprintable.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

QString Offending(const QString& field)
{
    static const QRegularExpression word(QStringLiteral("nan|inf"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression negative(QStringLiteral("(?<![\\w.)\\]])-\\d[\\d.]*"));
    static const QRegularExpression number(QStringLiteral("\\d+(?:\\.\\d+)?"));
    static const QRegularExpression overlong(QStringLiteral("\\d{14,}"));
    QRegularExpressionMatch m = word.match(field);
    if (m.hasMatch())
        return m.captured();
    m = negative.match(field);
    if (m.hasMatch())
        return m.captured();
    m = overlong.match(field);
    if (m.hasMatch())
        return m.captured();
    for (auto it = number.globalMatch(field); it.hasNext();) {
        const QString figure = it.next().captured();
        QString digits = figure;
        digits.remove(QLatin1Char('.'));
        qsizetype lead = 0;
        while (lead < digits.size() - 1 && digits[lead] == QLatin1Char('0'))
            ++lead;
        if (digits.size() - lead >= 16)
            return figure;
    }
    return QString();
}

}  // namespace

QString FindUnprintableFigure(const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList fields = lines[l].split(QLatin1Char('\t'));
        for (int f = 0; f < fields.size(); ++f) {
            const QString bad = Offending(fields[f]);
            if (!bad.isEmpty())
                return QStringLiteral("line %1, field %2: \"%3\" in %4")
                    .arg(l + 1).arg(f).arg(bad, fields[f].left(200));
        }
    }
    return QString();
}
