#pragma once
// One transformer's column on the bus page: a scrolling stack of the transformer's secondary
// bus and 25 downstream bus cells, which show one of the four pages of 25 bus pages of the
// transformer's bus workbook (page buttons "1" to "4"). Beside each bus cell "▲" deletes that
// bus (the buses below move up) and "▼" inserts an empty bus in its place (the buses from it on
// move down).
#include "fault/core/buspages.h"

#include <QScrollArea>

#include <array>

class CFormView;
class CBusCell;
class QRadioButton;

class CBusColumn : public QScrollArea
{
    Q_OBJECT

public:
    // The column shows `column`, which must outlive it.
    explicit CBusColumn(fault::BusColumn* column, QWidget* parent = nullptr);

    void OnInitialUpdate();
    // Creates the transformer cell and the 25 bus cells.
    void CreateBusCells();

    fault::BusColumn& Column() const { return *m_column; }
    CBusCell* TransformerCell() const { return m_transformerCell; }
    CBusCell* BusCell(int k) const;
    // The form inside the scroll area that holds the cells and buttons.
    CFormView* Form() const { return m_form; }

    // Puts every cell of the column into its controls and checks the button of the page the
    // cells show.
    void ShowColumn();

    // Fills the 25 bus cells with page `page` (0..3) of transformer tr's bus workbook; a
    // workbook that cannot be loaded leaves the cells as they are.
    void LoadBusLayout(int tr, int page);
    // After the user's confirmation: an empty bus page at sheet s / the bus page s deleted,
    // then the page shown is reloaded.
    void InsertBusCell(int s);
    void DeleteBusCell(int s);
    // Recomputes the transformer cell and every bus of the transformer.
    void RecalcBusColumn();

    // "TR-1".."TR-4" in the transformer cell give 0..3, anything else 4.
    int GetBusTransformerIndex() const;
    // The checked page button: "1" 0, "2" 1, "3" 2, otherwise 3.
    int GetBusPage() const;
    // Checks page button `page` (0..2, any other value "4") and returns `page`.
    int SelectBusPage(int page);

    // The distance between the tops of two cells, in pixels.
    int CellPitch() const;
    int ScrollPos() const;
    void ScrollBusColumnTo(int pos);

private:
    void OnPageButton();
    QRect CellRect(int i) const;  // i = 0 the transformer cell, 1..25 the bus cells

    fault::BusColumn* m_column;
    CFormView* m_form = nullptr;
    CBusCell* m_transformerCell = nullptr;
    std::array<CBusCell*, fault::kBusCellsPerPage> m_cells{};
    std::array<QRadioButton*, fault::kBusColumnPages> m_pageButtons{};
    int m_scrollPos = 0;
};
