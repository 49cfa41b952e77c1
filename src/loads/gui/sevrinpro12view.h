#pragma once
// The motor-control-centre screen's calculation sheet: the panels and their loads.
#include "app/gui/formview.h"

class QLineEdit;

class CSevrinPro12View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro12View(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    // The position in the panel list of the panel the sheet shows (its hidden position
    // field, read as a signed integer).
    int PanelPosition() const;

    // Panel list and load rows from the motor-control-centre workbook, and the panel totals.
    void LoadMccPanels();
    void LoadMccLoads(int panelPosition);
    void CalcMccPanel(int panelPosition);

private:
    QLineEdit* m_position = nullptr;
};
