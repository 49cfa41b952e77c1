#include "formulacheck.h"

#include "app/gui/formulapicture.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

int InkOfImage(const QImage& img, const QRect& area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Dark(img.pixel(x, y)))
                ++ink;
    return ink;
}

QImage Rendered(QWidget* w)
{
    QImage img(w->size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w->render(&img);
    return img;
}

// The ink of one text drawn alone, black on white, antialiased.
int TextInk(const QString& text, const QFont& font)
{
    const QFontMetricsF fm(font);
    QImage img(int(fm.horizontalAdvance(text)) + 20, int(fm.height()) + 20, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(QPointF(10, 10 + fm.ascent()), text);
    }
    return InkOfImage(img, img.rect());
}

int ReferenceInk(const FormulaNode& n, const QFont& font)
{
    if (n.kind == FormulaNode::Text)
        return TextInk(n.text, font);
    QFont inner(font);
    if (n.kind == FormulaNode::Sub || n.kind == FormulaNode::Sup)
        inner.setPointSizeF(std::max(5.0, font.pointSizeF() * 0.72));
    int ink = 0;
    for (const FormulaNode& part : n.parts)
        ink += ReferenceInk(part, inner);
    return ink;
}

}  // namespace

int InkOf(QWidget* w)
{
    const QImage img = Rendered(w);
    return InkOfImage(img, img.rect());
}

QString FormulaPictureFault(CFormulaPicture* f)
{
    const QImage img = Rendered(f);
    if (img.width() < 6 || img.height() < 6)
        return QStringLiteral("a box of %1x%2 px").arg(img.width()).arg(img.height());
    // The ring of pixels just inside the frame (an antialiased line of one pixel on the
    // widget's edge darkens two rows of pixels).
    const QRect inside = img.rect().adjusted(2, 2, -2, -2);
    for (int x = inside.left(); x <= inside.right(); ++x)
        for (int y : {inside.top(), inside.bottom()})
            if (Dark(img.pixel(x, y)))
                return QStringLiteral("ink touches the frame at (%1, %2)").arg(x).arg(y);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x : {inside.left(), inside.right()})
            if (Dark(img.pixel(x, y)))
                return QStringLiteral("ink touches the frame at (%1, %2)").arg(x).arg(y);
    QFont font(f->font());
    font.setFamily(QStringLiteral("DejaVu Serif"));
    font.setItalic(false);
    font.setPointSizeF(std::max(9.0, f->font().pointSizeF() + 1));
    const int reference = ReferenceInk(f->Formula(), font);
    const int drawn = InkOfImage(img, inside);
    if (reference <= 0)
        return QStringLiteral("the formula has no text");
    if (drawn * 20 < reference * 17)
        return QStringLiteral("%1 dark pixels inside the frame, the texts alone make %2")
            .arg(drawn).arg(reference);
    return QString();
}
