#pragma once
// What every page of the grounding screen has in common: a child form in the screen's page
// frame, laid out in dialog units of "굴림" 9, whose boxes are found by identifier.
#include "app/gui/dialogunits.h"
#include "app/gui/formulapicture.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

class CGroundingPage : public QWidget
{
    Q_OBJECT
public:
    explicit CGroundingPage(QWidget* parent = nullptr);

    const DialogUnits& Units() const { return m_units; }

    // The text of box `id` (an edit or a combo box's shown text); empty when there is none.
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    QLineEdit* Box(int id) const;
    QComboBox* Combo(int id) const;
    // Every box and combo of the page with its identifier and its text.
    QList<QPair<int, QString>> Texts() const;

protected:
    QLabel* AddLabel(const QString& text, int x, int y, int w, int h = 10);
    QLabel* AddHeading(const QString& text, int x, int y, int w = 400);
    // A display box (disabled unless `enabled`).
    QLineEdit* AddBox(int id, int x, int y, int w = 50, bool enabled = false);
    // Label at x, box after `labelWidth`, unit after the box; returns the box.
    QLineEdit* AddRow(int id, const QString& label, const QString& unit, int x, int y, int labelWidth,
                      int boxWidth = 50, bool enabled = false);
    QComboBox* AddCombo(int id, int x, int y, int w, bool enabled);
    CFormulaPicture* AddFormula(FormulaNode formula, int x, int y, int w, int h);

private:
    DialogUnits m_units;
};
