#include "designpage.h"

#include "loads/core/designconditions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

void SelectStoredIndex(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->count() > 0 ? ClampOptionIndex(index, combo->count()) : -1);
}

CDesignPage::CDesignPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the frame it sits in.
    setMinimumSize(0, 0);
}

QLabel* CDesignPage::AddLabel(const QString& text, int x, int y, int w, int h)
{
    auto* l = new QLabel(text, this);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Place(l, 0, x, y, w, h);
    return l;
}

QLabel* CDesignPage::AddCell(const QString& text, int x, int y, int w, int h)
{
    QLabel* l = AddLabel(text, x, y, w, h);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    return l;
}

CFormulaPicture* CDesignPage::AddFormula(const QString& name, FormulaNode formula, int x, int y,
                                         int w, int h)
{
    AddCell(QString(), x, y, w, h);
    auto* f = new CFormulaPicture(std::move(formula), this);
    Place(f, 0, x + 1, y + 1, w - 2, h - 2);
    f->setObjectName(name);
    return f;
}

QComboBox* CDesignPage::AddCombo(int id, const QStringList& items, int x, int y, int w)
{
    auto* c = new QComboBox(this);
    c->addItems(items);
    Place(c, id, x, y, w, 13);
    return c;
}

QLineEdit* CDesignPage::AddEdit(int id, int x, int y, int w)
{
    auto* e = new QLineEdit(this);
    e->setAlignment(Qt::AlignCenter);
    Place(e, id, x, y, w, 12);
    return e;
}

QStringList CDesignPage::OptionTexts(std::span<const double> options, int decimals,
                                     const QString& unit)
{
    QStringList texts;
    for (double v : options)
        texts << QString::number(v, 'f', decimals) + unit;
    return texts;
}
