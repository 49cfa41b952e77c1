#pragma once
// Base of the design-condition pages: a page that fills its screen's frame, with fixed texts,
// option combos and edits placed in dialog units.
#include "app/gui/formview.h"

#include <span>

#include "app/gui/formulapicture.h"

class QComboBox;
class QLabel;
class QLineEdit;

// Selects a stored option index without firing change handlers; an index outside the combo's
// list (an older or hand-edited project file) shows the first option, an empty combo none.
void SelectStoredIndex(QComboBox* combo, int index);

class CDesignPage : public CFormView
{
    Q_OBJECT

public:
    explicit CDesignPage(QWidget* parent = nullptr);

protected:
    QLabel* AddLabel(const QString& text, int x, int y, int w, int h = 12);
    // A boxed table cell, centred.
    QLabel* AddCell(const QString& text, int x, int y, int w, int h = 12);
    QComboBox* AddCombo(int id, const QStringList& items, int x, int y, int w = 50);
    QLineEdit* AddEdit(int id, int x, int y, int w = 50);
    // A formula drawn in a framed box; `name` is its object name.
    CFormulaPicture* AddFormula(const QString& name, FormulaNode formula, int x, int y, int w,
                                int h);

    // Option texts: each value with `decimals` decimals, followed by `unit`.
    static QStringList OptionTexts(std::span<const double> options, int decimals,
                                   const QString& unit = QString());
};
