#pragma once
// The generator screen's result page: the output-capacity formula drawn by us, its legend
// with the recommended starting factors, and the factors and results of the outage and fire
// cases.
#include "app/gui/formview.h"

class QComboBox;
class QLineEdit;

class CGeneratorResultPage : public CFormView
{
    Q_OBJECT

public:
    explicit CGeneratorResultPage(QWidget* parent = nullptr);

    QLineEdit* Edit(int id) const;
    QComboBox* Combo(int id) const;
    // Puts the placeholder texts into the five result lines.
    void ShowPlaceholders();
};
