#pragma once
// The panel-board screen's calculation sheet: the panel boards and their branch circuits.
#include "app/gui/formview.h"

class QLineEdit;

class CSevrinPro22View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro22View(QWidget* parent = nullptr);

    static constexpr int DemandFactorEditId = 1455;

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    QLineEdit* DemandFactorEdit() const { return m_demandFactor; }
    // The board the sheet shows (its hidden board-index field, read as a signed integer).
    int BoardIndex() const;

    // Board list and circuits from the panel-board workbook, and the board calculation.
    void LoadPanelBoards();
    void LoadCircuits(int boardIndex);
    void CalcPanelBoard(int boardIndex);

private:
    QLineEdit* m_demandFactor = nullptr;
    QLineEdit* m_boardIndex = nullptr;
};
