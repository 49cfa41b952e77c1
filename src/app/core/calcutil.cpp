#include "app/core/calcutil.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

double AddIgnoringNoValue(double a, double b)
{
    if (IsNoValue(a))
        a = 0.0;
    if (IsNoValue(b))
        b = 0.0;
    return a + b;
}

double MultiplyIgnoringNoValue(double a, double b)
{
    if (IsNoValue(a))
        a = 1.0;
    if (IsNoValue(b))
        b = 1.0;
    return a * b;
}

namespace {

double MaxOf(std::initializer_list<double> values)
{
    auto it = values.begin();
    double best = *it;
    for (++it; it != values.end(); ++it) {
        if (*it > best)
            best = *it;
    }
    return best;
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

double GetMaxOf2(double a, double b)
{
    return MaxOf({a, b});
}

double GetMaxOf4(double a, double b, double c, double d)
{
    return MaxOf({a, b, c, d});
}

double GetMaxOf6(double a, double b, double c, double d, double e, double f)
{
    return MaxOf({a, b, c, d, e, f});
}

double GetMaxOf8(double a, double b, double c, double d, double e, double f, double g, double h)
{
    return MaxOf({a, b, c, d, e, f, g, h});
}

namespace {

// Plain decimals ("123.45", "-0.5") are by far the most common table texts. With at most 15
// digits the digits form an exact integer and 10^k (k <= 22) is exact too, so one division
// gives the correctly rounded value, the same as the full conversion. Anything else (an
// exponent, more digits, a text after the number that might continue it) goes the long way.
bool ReadPlainDecimal(QStringView text, double* out)
{
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char16_t* p = reinterpret_cast<const char16_t*>(text.data());
    const char16_t* end = p + text.size();
    bool negative = false;
    if (p < end && (*p == u'-' || *p == u'+')) {
        negative = *p == u'-';
        ++p;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1;  // digits after the point, -1 before a point
    for (; p < end; ++p) {
        const char16_t c = *p;
        if (c >= u'0' && c <= u'9') {
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + std::uint64_t(c - u'0');
            if (fraction >= 0)
                ++fraction;
        } else if (c == u'.' && fraction < 0) {
            fraction = 0;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    double v = double(mantissa);
    if (fraction > 0)
        v /= kPow10[fraction];
    *out = negative ? -v : v;
    return true;
}

}  // namespace

double ReadNumber(QStringView text)
{
    double fast = 0.0;
    if (ReadPlainDecimal(text, &fast))
        return fast;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsSpace(text[i].unicode()))
        ++i;
    // Copy the ASCII run that can belong to a number; anything else ends it.
    char buf[128];
    int len = 0;
    for (; i < n && len < int(sizeof buf); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80 || c <= 0x20)
            break;
        buf[len++] = char(c);
    }
    const char* p = buf;
    const char* end = buf + len;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    double value = 0.0;
    std::from_chars_result r{};
    if (end - p >= 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        std::isxdigit(static_cast<unsigned char>(p[2]))) {
        r = std::from_chars(p + 2, end, value, std::chars_format::hex);
    } else {
        r = std::from_chars(p, end, value, std::chars_format::general);
    }
    if (r.ec == std::errc::result_out_of_range) {
        // strtod gives HUGE_VAL on overflow and 0 on underflow; tell them apart by the exponent.
        const char* e = p;
        while (e < r.ptr && *e != 'e' && *e != 'E')
            ++e;
        const bool tiny = e < r.ptr && e + 1 < r.ptr && e[1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (r.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

double ParseCellValue(QStringView text)
{
    if (text.isEmpty())
        return 0.0;
    if (text == u"-")
        return 1.0;
    return ReadNumber(text);
}

QString FormatFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 17)
        decimals = 17;
    // Fixed notation of the largest double needs 309 digits before the point.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return QString();
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString FormatValue(double value, int decimals, const QString& unit, const QString& fallback)
{
    if (IsNoValue(value))
        return fallback;
    if (decimals < 0 || decimals > 7)
        decimals = 8;
    return FormatFixed(value, decimals) + unit;
}
