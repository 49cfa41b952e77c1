#include "fault/core/faultvalues.h"

#include "app/core/calcutil.h"
#include "platform/prompt.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <string>

namespace fault {

double ReadFaultNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string s;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            s.push_back('-');
        ++i;
    }
    const auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    bool digits = false;
    while (isDigit(i)) {
        s.push_back(char(text[i].unicode()));
        digits = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        std::string frac;
        qsizetype k = i + 1;
        while (isDigit(k))
            frac.push_back(char(text[k++].unicode()));
        if (digits || !frac.empty()) {
            s.push_back('.');
            s += frac;
            digits = true;
            i = k;
        }
    }
    if (!digits)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype k = i + 1;
        std::string exp = "e";
        if (k < n && (text[k] == u'+' || text[k] == u'-'))
            exp.push_back(char(text[k++].unicode()));
        if (isDigit(k)) {
            while (isDigit(k))
                exp.push_back(char(text[k++].unicode()));
            s += exp;
        }
    }
    double v = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v))
        return 0.0;
    return v;
}

double ReadImpedance(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t == u"-")
        return kNaN;
    return ReadFaultNumber(t);
}

QString FormatFaultNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    return FormatFixed(value, decimals);
}

QString FormatBusValue(double value, int decimals)
{
    if (!std::isfinite(value))
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
