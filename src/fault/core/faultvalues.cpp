#include "fault/core/faultvalues.h"

#include "app/core/calcutil.h"
#include "platform/prompt.h"

#include <QCoreApplication>

#include <cmath>

namespace fault {

QString FormatFaultNumber(double value, int decimals)
{
    if (!IsPrintable(value))
        return QStringLiteral("-");
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return FormatFixed(value, decimals);
}

QString FormatBusValue(double value, int decimals)
{
    if (!IsPrintable(value))
        return QString();
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return FormatValue(value, decimals, QString(), QString());
}

QString ListFullMessage()
{
    return QCoreApplication::translate("Fault", "목록에는 %1개까지 입력할 수 있습니다.!!!")
        .arg(kMaxListRows);
}

bool CheckListRoom(int count)
{
    if (count < kMaxListRows)
        return true;
    Prompt::Message(ListFullMessage());
    return false;
}

}  // namespace fault
