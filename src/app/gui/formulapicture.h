#pragma once
// A formula drawn with QPainter: fractions, square roots, sub- and superscripts laid out the
// way a printed formula is, so a page shows each formula beside its values without
// any image file.
#include <QString>
#include <QWidget>
#include <vector>

struct FormulaNode
{
    enum Kind { Text, Row, Fraction, Root, Sub, Sup };
    Kind kind = Text;
    QString text;
    std::vector<FormulaNode> parts;
};

namespace Fx {
FormulaNode T(const QString& text);                       // plain text
FormulaNode R(std::vector<FormulaNode> parts);            // a row
FormulaNode F(FormulaNode numerator, FormulaNode denominator);
FormulaNode Sqrt(FormulaNode inner);
FormulaNode Sub(const QString& text);                     // subscript
FormulaNode Sup(FormulaNode inner);                       // superscript
}  // namespace Fx

class CFormulaPicture : public QWidget
{
    Q_OBJECT
public:
    explicit CFormulaPicture(FormulaNode formula, QWidget* parent = nullptr);

    const FormulaNode& Formula() const { return m_formula; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FormulaNode m_formula;
};
