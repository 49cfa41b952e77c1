#include "dialogunits.h"

#include <QFontMetrics>

namespace {

// Rounded a * b / c, as the Windows dialog manager scales.
int MulDivRound(int a, int b, int c)
{
    const long long n = (long long)a * b;
    return int(n >= 0 ? (n + c / 2) / c : (n - c / 2) / c);
}

}  // namespace

QString MapFontFamily(const QString& family)
{
    const QString f = family.trimmed();
    if (f == QStringLiteral("굴림") || f.compare(QStringLiteral("Gulim"), Qt::CaseInsensitive) == 0 ||
        f == QStringLiteral("돋움") || f.compare(QStringLiteral("Dotum"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NanumGothic");
    if (f == QStringLiteral("굴림체") || f.compare(QStringLiteral("GulimChe"), Qt::CaseInsensitive) == 0 ||
        f == QStringLiteral("돋움체") || f.compare(QStringLiteral("DotumChe"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NanumGothicCoding");
    if (f == QStringLiteral("바탕") || f.compare(QStringLiteral("Batang"), Qt::CaseInsensitive) == 0 ||
        f.compare(QStringLiteral("MS Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("NanumMyeongjo");
    return f;
}

QFont DialogFont(const QString& family, int pointSize)
{
    QFont font(MapFontFamily(family));
    font.setPointSize(pointSize);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    // The average width of the 52 Latin letters, rounded, as the dialog manager measures it.
    const int width =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (width / 26 + 1) / 2);
    m_baseY = qMax(1, fm.height());
}

int DialogUnits::X(int dlu) const
{
    return MulDivRound(dlu, m_baseX, 4);
}

int DialogUnits::Y(int dlu) const
{
    return MulDivRound(dlu, m_baseY, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}
