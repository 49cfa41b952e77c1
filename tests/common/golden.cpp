#include "golden.h"

#include "testsupport.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

QString GoldenDifference(const QString& output, const QString& goldenPath)
{
    if (qEnvironmentVariableIsSet("SEVRIN_UPDATE_GOLDEN") && !WriteFile(goldenPath, output.toUtf8()))
        return QStringLiteral("cannot rewrite %1").arg(goldenPath);
    if (!QFile::exists(goldenPath))
        return QStringLiteral("no golden file %1").arg(goldenPath);
    const QString expected = QString::fromUtf8(ReadFile(goldenPath));
    if (output == expected)
        return QString();
    const QStringList got = output.split(QLatin1Char('\n'));
    const QStringList want = expected.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i) {
        const QStringList g = got[i].split(QLatin1Char('\t'));
        const QStringList w = want[i].split(QLatin1Char('\t'));
        for (qsizetype c = 0; c < std::max(g.size(), w.size()); ++c) {
            const QString gc = c < g.size() ? g[c] : QStringLiteral("(none)");
            const QString wc = c < w.size() ? w[c] : QStringLiteral("(none)");
            if (gc != wc)
                return QStringLiteral("%1: line %2 field %3: got \"%4\", expected \"%5\"")
                    .arg(goldenPath).arg(i + 1).arg(c).arg(gc, wc);
        }
    }
    return QStringLiteral("%1: %2 lines, expected %3").arg(goldenPath).arg(got.size()).arg(want.size());
}
