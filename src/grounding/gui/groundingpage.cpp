#include "grounding/gui/groundingpage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

CGroundingPage::CGroundingPage(QWidget* parent) : QWidget(parent), m_units(DialogFont())
{
    setFont(DialogFont());
}

QLineEdit* CGroundingPage::Box(int id) const
{
    return findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

QComboBox* CGroundingPage::Combo(int id) const
{
    return findChild<QComboBox*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

QString CGroundingPage::Text(int id) const
{
    if (QLineEdit* e = Box(id))
        return e->text();
    if (QComboBox* c = Combo(id))
        return c->currentText();
    return QString();
}

void CGroundingPage::SetText(int id, const QString& text)
{
    if (QLineEdit* e = Box(id)) {
        e->setText(text);
        e->setCursorPosition(0);
    }
}

QList<QPair<int, QString>> CGroundingPage::Texts() const
{
    QList<QPair<int, QString>> texts;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        bool ok = false;
        const int id = w->objectName().toInt(&ok);
        if (ok && (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)))
            texts.append({id, Text(id)});
    }
    return texts;
}

QLabel* CGroundingPage::AddLabel(const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(m_units.Rect(x, y, w, h));
    return label;
}

QLabel* CGroundingPage::AddHeading(const QString& text, int x, int y, int w)
{
    QLabel* label = AddLabel(text, x, y, w, 11);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLineEdit* CGroundingPage::AddBox(int id, int x, int y, int w, bool enabled)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::number(id));
    box->setGeometry(m_units.Rect(x, y, w, 11));
    box->setAlignment(Qt::AlignRight);
    box->setEnabled(enabled);
    return box;
}

QLineEdit* CGroundingPage::AddRow(int id, const QString& label, const QString& unit, int x, int y,
                                  int labelWidth, int boxWidth, bool enabled)
{
    AddLabel(label, x, y + 1, labelWidth - 2);
    QLineEdit* box = AddBox(id, x + labelWidth, y, boxWidth, enabled);
    if (!unit.isEmpty())
        AddLabel(unit, x + labelWidth + boxWidth + 3, y + 1, 40);
    return box;
}

QComboBox* CGroundingPage::AddCombo(int id, int x, int y, int w, bool enabled)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::number(id));
    combo->setGeometry(m_units.Rect(x, y, w, 12));
    combo->setEnabled(enabled);
    return combo;
}

CFormulaPicture* CGroundingPage::AddFormula(FormulaNode formula, int x, int y, int w, int h)
{
    auto* picture = new CFormulaPicture(std::move(formula), this);
    picture->setGeometry(m_units.Rect(x, y, w, h));
    return picture;
}
