#include "app/core/calcutil.h"

#include "app/core/sevrin.h"
#include "platform/prompt.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
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
    double best = NO_VALUE;
    for (const double v : values) {
        if (!IsNoValue(v) && (IsNoValue(best) || v > best))
            best = v;
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

double ReadLeadingNumber(QStringView text)
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
        if (p < end && (*p == '+' || *p == '-'))
            return 0.0;  // one sign only, as strtod reads it
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

bool ReadValue(QStringView text, double* out)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && IsSpace(text[b].unicode()))
        ++b;
    while (e > b && IsSpace(text[e - 1].unicode()))
        --e;
    const QStringView t = text.mid(b, e - b);
    if (t.isEmpty() || t.size() > 64)
        return false;
    // Only the characters of a plain decimal number: this rules out "nan", "inf", hexadecimal,
    // a decimal comma and trailing units before any conversion is tried.
    char buf[65];
    int len = 0;
    for (const QChar qc : t) {
        const char16_t c = qc.unicode();
        const bool ok = (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' ||
                        c == u'e' || c == u'E';
        if (!ok)
            return false;
        buf[len++] = char(c);
    }
    const char* p = buf;
    const char* end = buf + len;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (p == end || !(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.'))
        return false;
    double value = 0.0;
    const auto r = std::from_chars(p, end, value, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != end)
        return false;
    if (negative)
        value = -value;
    if (!IsPrintable(value))
        return false;
    *out = value;
    return true;
}

bool IsPrintable(double v)
{
    return std::isfinite(v) && std::fabs(v) <= MAX_QUANTITY;
}

namespace {

// True when the value lies exactly halfway between two numbers of `decimals` decimals. Such a
// value is m / 2^(decimals + 1) with m odd (5^decimals divides the numerator of the decimal
// half), so scaling by that power of two, which is exact, gives an odd integer.
bool IsExactHalf(double value, int decimals)
{
    const double scaled = std::ldexp(std::fabs(value), decimals + 1);
    return std::isfinite(scaled) && scaled < 0x1p63 && std::floor(scaled) == scaled &&
           std::fmod(scaled, 2.0) == 1.0;
}

// Adds one unit in the last place to the magnitude of a fixed-notation number ("2" -> "3",
// "-9.99" -> "-10.00").
void StepAwayFromZero(std::string& text)
{
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    for (std::size_t i = text.size(); i-- > first;) {
        if (text[i] == '.')
            continue;
        if (text[i] != '9') {
            ++text[i];
            return;
        }
        text[i] = '0';
    }
    text.insert(first, 1, '1');
}

}  // namespace

QString FormatFixed(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 17)
        decimals = 17;
    // Digits past the 15th are the noise of binary arithmetic, never shown.
    decimals = DecimalsWithinPrecision(value, decimals);
    // Fixed notation of the largest double needs 309 digits before the point.
    char buf[400];
    if (IsExactHalf(value, decimals)) {
        // The exact text ends in the 5 one place further; cut it off and step the magnitude up,
        // so a half rounds away from zero ("2.5" -> "3", "0.125" -> "0.13").
        const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed,
                                     decimals + 1);
        if (r.ec != std::errc())
            return QString();
        std::string text(buf, std::size_t(r.ptr - buf) - 1);
        if (decimals == 0)
            text.pop_back();  // the point
        StepAwayFromZero(text);
        return QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return QString();
    return QString::fromLatin1(buf, r.ptr - buf);
}

int DecimalsWithinPrecision(double value, int decimals)
{
    constexpr int kDigits = 15;
    const double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude) || magnitude < 1.0)
        return decimals;
    const int whole = int(std::floor(std::log10(magnitude))) + 1;
    return std::clamp(kDigits - whole, 0, std::max(decimals, 0));
}

QString FormatValue(double value, int decimals, const QString& unit, const QString& fallback)
{
    if (IsNoValue(value))
        return fallback;
    if (decimals < 0 || decimals > 7)
        decimals = 8;
    return FormatFixed(value, decimals) + unit;
}

// ---- motor data ---------------------------------------------------------------------------

namespace {

// Rated outputs are compared as numbers: a cell "7.50" is the motor of 7.5 kW. The tolerance
// only absorbs the last bit of a value that went through arithmetic on its way here.
bool SameRating(const QString& cell, double ratedOutput)
{
    if (cell.isEmpty())
        return false;
    const double v = ReadLeadingNumber(cell);
    return std::fabs(v - ratedOutput) <= 1e-9 * std::max(1.0, std::fabs(ratedOutput));
}

bool FindInTable(const LibTable& table, double ratedOutput, const QString& startingMethod,
                 std::array<QString, 19>& fields)
{
    for (int e = 0; e < table.Count && e < table.capacity(); ++e) {
        if (SameRating(table.Cell(e, 1), ratedOutput) && table.Cell(e, 7) == startingMethod) {
            for (int p = 0; p < 19; ++p)
                fields[std::size_t(p)] = table.Cell(e, p);
            return true;
        }
    }
    return false;
}

}  // namespace

bool CSevrinApp::FindMotorData(double ratedOutput, const QString& startingMethod,
                               std::array<QString, 19>& fields)
{
    // The user's own motors win over the library's.
    const auto& user = MotorControlCenterBlock.UserMotorRow;
    for (int i = 0; i < MotorControlCenterBlock.UserMotorCount; ++i) {
        if (!ReadUserLibraryRow(i))
            continue;
        if (SameRating(user[1], ratedOutput) && user[7] == startingMethod) {
            // Field 0 is the caller's (the row number of its own list).
            for (int f = 1; f < 19; ++f)
                fields[std::size_t(f)] = user[std::size_t(f)];
            return true;
        }
    }
    return FindInTable(MotorLibBlock.MotorTable2, ratedOutput, startingMethod, fields) ||
           FindInTable(MotorLibBlock.MotorTable1, ratedOutput, startingMethod, fields);
}

// ---- design warnings ----------------------------------------------------------------------

void CSevrinApp::ShowCalcWarning(int code)
{
    static const char16_t* const kTexts[] = {
        u"전원방식이 단상인 분전반입니다.\n분전반 전원방식을 확인하시기 바랍니다.",
        u"SVD% 계산값이 기준값을 초과 합니다.\n아래의 수동입력을 통해 도체를 재선정하시기 바랍니다.",
        u"AT값이 도체선정의 IZ값보다 큽니다.\n도체 선정값을 확인하시기 바랍니다.",
        u"차단기 순시동작시간(tN)이 허용온도 도달시간(tZ)보다 큽니다.\n도체 선정값을 확인하시기 바랍니다.",
        u"차단기 kA보다 고장전류 계산값(ISMAX)이 더 큽니다.\n차단기 선정값을 확인하시기 바랍니다.",
        u"케이블 점유율이 100%를 초가하였습니다.\n트레이를 추가해 주시기 바랍니다.",
        u"부하종류가 'M' 이 아닐 경우, 기동 방식을 '\u2013'로 선택하기 바랍니다.",
        u"ISMIN[kA] 값이 없거나 \u201C0\u201D입니다. 값을 입력하시기 바랍니다.",
        u"운전 중 전압강하(SVD%) 계산값이 허용전압강하를 초과 합니다.\n전압강하로는 도체를 올리지 않으므로, 아래의 수동입력을 통해 도체를 재선정하시기 바랍니다.",
    };
    const unsigned index = static_cast<unsigned>(code);
    const QString text = index < std::size(kTexts) ? QString::fromUtf16(kTexts[index])
                                                   : QStringLiteral("알람 정의가 없습니다. !!!");
    Prompt::Message(text, Prompt::Buttons::Ok, Prompt::Icon::Exclamation);
}
