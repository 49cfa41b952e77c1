#include "app/gui/formulapicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace Fx {
FormulaNode T(const QString& text)
{
    FormulaNode n;
    n.text = text;
    return n;
}
FormulaNode R(std::vector<FormulaNode> parts)
{
    FormulaNode n;
    n.kind = FormulaNode::Row;
    n.parts = std::move(parts);
    return n;
}
FormulaNode F(FormulaNode numerator, FormulaNode denominator)
{
    FormulaNode n;
    n.kind = FormulaNode::Fraction;
    n.parts = {std::move(numerator), std::move(denominator)};
    return n;
}
FormulaNode Sqrt(FormulaNode inner)
{
    FormulaNode n;
    n.kind = FormulaNode::Root;
    n.parts = {std::move(inner)};
    return n;
}
FormulaNode Sub(const QString& text)
{
    FormulaNode n;
    n.kind = FormulaNode::Sub;
    n.parts = {T(text)};
    return n;
}
FormulaNode Sup(FormulaNode inner)
{
    FormulaNode n;
    n.kind = FormulaNode::Sup;
    n.parts = {std::move(inner)};
    return n;
}
}  // namespace Fx

namespace {

struct Box
{
    qreal width = 0;
    qreal ascent = 0;   // above the baseline
    qreal descent = 0;  // below it
};

QFont Smaller(const QFont& f)
{
    QFont s(f);
    s.setPointSizeF(std::max(5.0, f.pointSizeF() * 0.72));
    return s;
}

// Lays out (and, with a painter, draws) a node with its baseline at y.
Box Layout(const FormulaNode& n, const QFont& font, QPainter* p, qreal x, qreal y)
{
    const QFontMetricsF fm(font);
    Box b;
    switch (n.kind) {
    case FormulaNode::Text:
        b.width = fm.horizontalAdvance(n.text);
        b.ascent = fm.ascent();
        b.descent = fm.descent();
        if (p) {
            p->setFont(font);
            p->drawText(QPointF(x, y), n.text);
        }
        break;
    case FormulaNode::Row:
        for (const FormulaNode& part : n.parts) {
            const Box c = Layout(part, font, p, x + b.width, y);
            b.width += c.width;
            b.ascent = std::max(b.ascent, c.ascent);
            b.descent = std::max(b.descent, c.descent);
        }
        break;
    case FormulaNode::Fraction: {
        const Box num = Layout(n.parts[0], font, nullptr, 0, 0);
        const Box den = Layout(n.parts[1], font, nullptr, 0, 0);
        const qreal pad = fm.averageCharWidth() * 0.4;
        const qreal axis = fm.xHeight() * 0.55;  // the fraction bar sits on the maths axis
        b.width = std::max(num.width, den.width) + 2 * pad;
        b.ascent = axis + 2 + num.ascent + num.descent;
        b.descent = -axis + 2 + den.ascent + den.descent;
        if (p) {
            const qreal bar = y - axis;
            Layout(n.parts[0], font, p, x + (b.width - num.width) / 2, bar - 2 - num.descent);
            Layout(n.parts[1], font, p, x + (b.width - den.width) / 2, bar + 2 + den.ascent);
            p->drawLine(QPointF(x + pad / 2, bar), QPointF(x + b.width - pad / 2, bar));
        }
        break;
    }
    case FormulaNode::Root: {
        const Box in = Layout(n.parts[0], font, nullptr, 0, 0);
        const qreal sign = fm.averageCharWidth() * 1.2;
        b.width = sign + in.width + 2;
        b.ascent = in.ascent + 3;
        b.descent = in.descent + 1;
        if (p) {
            Layout(n.parts[0], font, p, x + sign, y);
            const qreal top = y - b.ascent + 1;
            const qreal bottom = y + in.descent;
            const QPointF pts[] = {QPointF(x, y - in.ascent * 0.35), QPointF(x + sign * 0.35, y - in.ascent * 0.45),
                                   QPointF(x + sign * 0.65, bottom), QPointF(x + sign, top),
                                   QPointF(x + b.width, top)};
            p->drawPolyline(pts, 5);
        }
        break;
    }
    case FormulaNode::Sub:
    case FormulaNode::Sup: {
        const QFont small = Smaller(font);
        const Box in = Layout(n.parts[0], small, nullptr, 0, 0);
        const qreal shift = n.kind == FormulaNode::Sup ? -fm.ascent() * 0.45 : fm.descent() + 1;
        b.width = in.width + 1;
        b.ascent = std::max<qreal>(0, in.ascent - shift);
        b.descent = std::max<qreal>(0, in.descent + shift);
        if (p)
            Layout(n.parts[0], small, p, x, y + shift);
        break;
    }
    }
    return b;
}

QFont FormulaFont(const QFont& base)
{
    QFont f(base);
    f.setFamily(QStringLiteral("DejaVu Serif"));
    f.setItalic(false);
    f.setPointSizeF(std::max(9.0, base.pointSizeF() + 1));
    return f;
}

}  // namespace

CFormulaPicture::CFormulaPicture(FormulaNode formula, QWidget* parent)
    : QWidget(parent), m_formula(std::move(formula))
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QSize CFormulaPicture::sizeHint() const
{
    const Box b = Layout(m_formula, FormulaFont(font()), nullptr, 0, 0);
    return QSize(int(b.width) + 12, int(b.ascent + b.descent) + 10);
}

void CFormulaPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFont f = FormulaFont(font());
    const Box b = Layout(m_formula, f, nullptr, 0, 0);
    const qreal y = (height() - (b.ascent + b.descent)) / 2 + b.ascent;
    Layout(m_formula, f, &p, 6, y);
}
