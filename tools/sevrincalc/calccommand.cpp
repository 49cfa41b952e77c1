#include "calccommand.h"

#include "app/core/companionworkbook.h"

#include <QStringList>
#include <map>

namespace {

std::map<QString, CalcCommandFn>& Registry()
{
    static std::map<QString, CalcCommandFn> commands;
    return commands;
}

}  // namespace

CalcCommandRegistrar::CalcCommandRegistrar(const char* name, CalcCommandFn fn)
{
    Registry()[QString::fromLatin1(name)] = fn;
}

CalcCommandFn FindCalcCommand(const QString& name)
{
    const auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

QStringList CalcCommandNames()
{
    QStringList names;
    for (const auto& entry : Registry())
        names << entry.first;
    return names;
}

void WriteCalcLine(QTextStream& out, const QStringList& fields)
{
    QStringList clean;
    clean.reserve(fields.size());
    for (QString f : fields) {
        f.replace(QLatin1Char('\t'), QLatin1Char(' '));
        f.replace(QLatin1Char('\r'), QLatin1Char(' '));
        f.replace(QLatin1Char('\n'), QLatin1Char(' '));
        clean << f;
    }
    out << clean.join(QLatin1Char('\t')) << '\n';
}

void WarnRowLimit(CalcContext& ctx, const QString& workbookPath, int limit)
{
    // Repeats of one text (a workbook with several long lists) are said once.
    QString text = companion::RowLimitMessage(workbookPath, limit);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    ctx.err << text << '\n';
}
