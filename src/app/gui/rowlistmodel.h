#pragma once
// The shared list model and report-view list of every screen (report-style list controls): rows of texts under column captions, shown in a QTableView with the two-level
// header CHeaderCtrlEx.
//
//   ReportListView* list = new ReportListView(parent);
//   list->setReportColumns({{"REV.NO", "", 100}, {"일자", "", 160}, ...});  // captions, groups, widths
//   list->header()->SetHeaderFontHeight(20);
//   list->rows()->appendRow({"0", "2024.01.01", ...});
//
// A screen that builds its own QTableView uses SetupReportList(view, header) and a RowListModel.
// Large lists are filled with RowListModel::setRows (one model reset).
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTableView>
#include <vector>

#include "app/gui/headerctrlex.h"

// One column of a report list: caption (may hold "\n" for a two-line caption), group caption
// (empty: none; handed to the header by ReportListView::setReportColumns), width in pixels and
// the alignment of the cells.
struct ReportColumn
{
    QString caption;
    QString group;
    int width = 80;
    Qt::Alignment alignment = Qt::AlignCenter;
};

class RowListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // headerData role that gives a column's width hint in pixels (int).
    static constexpr int WidthHintRole = Qt::UserRole + 1;

    explicit RowListModel(QObject* parent = nullptr);

    // --- Columns -----------------------------------------------------------------------------
    // Replaces all columns (one model reset). Rows stay, padded with empty cells or cut.
    void setColumns(const QList<ReportColumn>& columns);
    void setColumns(const QStringList& captions, const QList<int>& widths = {},
                    Qt::Alignment alignment = Qt::AlignCenter);
    const QList<ReportColumn>& columns() const { return m_columns; }
    ReportColumn column(int c) const { return m_columns.value(c); }
    // Inserts one column at (clamped) index at; every row gets an empty cell there.
    void insertColumn(int at, const ReportColumn& column);
    void appendColumn(const ReportColumn& column) { insertColumn(int(m_columns.size()), column); }
    using QAbstractTableModel::insertColumn;  // insertColumn(int): an empty column
    using QAbstractTableModel::removeColumn;  // removeColumn(int)
    bool setColumnCaption(int c, const QString& caption);
    bool setColumnWidthHint(int c, int width);
    bool setColumnAlignment(int c, Qt::Alignment alignment);
    int columnWidthHint(int c) const { return c >= 0 && c < m_columns.size() ? m_columns[c].width : 0; }

    // --- Rows --------------------------------------------------------------------------------
    // Each stored row has exactly columnCount() cells (shorter rows are padded, longer cut).
    void clear();                                   // all rows; the columns stay
    int appendRow(const QStringList& cells);        // returns the new row's index
    int insertRow(int row, const QStringList& cells);  // row clamped to 0..rowCount(); returns it
    using QAbstractTableModel::insertRow;           // insertRow(int): an empty row
    using QAbstractTableModel::removeRow;           // removeRow(int)
    bool setRow(int row, const QStringList& cells);
    bool setCell(int row, int column, const QString& text);
    // Writes the running numbers 1, 2, ... into column 0 from `row` to the last row.
    void renumberFrom(int row);
    QString text(int row, int column) const;        // empty outside the list
    QStringList row(int r) const;
    // Replaces all rows with one model reset (the way to fill large lists).
    void setRows(std::vector<QStringList> rows);
    void setRowCount(int n);                        // appends empty rows or removes from the end

    // --- QAbstractItemModel ------------------------------------------------------------------
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    QStringList normalized(QStringList cells) const;

    QList<ReportColumn> m_columns;
    std::vector<QStringList> m_rows;
};

// Info tips of a list: pointing at a cell whose column is too narrow for its text shows the
// whole text as a tool tip (a remark cut at the column's edge); a cell that shows its whole
// text gets none. Lives as a child of the view.
class CutCellTextTips : public QObject
{
    Q_OBJECT
public:
    static void InstallOn(QAbstractItemView* view);  // once per view
    // True when the view cannot show the cell's whole text in its column.
    static bool IsCut(const QAbstractItemView* view, const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit CutCellTextTips(QAbstractItemView* view);
    QAbstractItemView* m_view;
};

// Gives a QTableView the report-view style of our lists: whole-row single selection,
// grid lines, no vertical header, fixed uniform row height, no editing, the list font, and
// `header` (taken over by the view) as its horizontal header with the standard colours (light
// grey, black), the bold caption font and the given header height (20 or 40), and tips for cut
// cell texts.
void SetupReportList(QTableView* view, CHeaderCtrlEx* header, int headerHeight = 20);

// A QTableView with its own RowListModel and CHeaderCtrlEx, set up by SetupReportList.
// Also keeps the list's "selection mark": the row last clicked, moved to with the keyboard
// or given by setSelectionMark (-1: none),
// shifted when rows are inserted or removed before it; when the marked row itself is removed
// the mark stays on the row that follows it (-1 when none follows), as the list control's
// does; a model reset clears it.
class ReportListView : public QTableView
{
    Q_OBJECT
public:
    explicit ReportListView(QWidget* parent = nullptr, int headerHeight = 20);

    RowListModel* rows() const { return m_model; }
    CHeaderCtrlEx* header() const { return m_header; }

    // Columns of the model, their widths and the header's group captions, in one step.
    void setReportColumns(const QList<ReportColumn>& columns);
    // Sets the section widths from the model's width hints (columns inserted later get theirs
    // automatically; after RowListModel::setColumns call this, or use setReportColumns). A
    // shown column is never narrower than its caption, nor a run of columns than its group
    // caption: captions are read whole.
    void applyColumnWidths();
    // Lists of long computed figures: every shown column widens (never narrows) to the widest
    // text it holds, as rows come and change.
    void setWidenToContents(bool on);
    bool widensToContents() const { return m_widenToContents; }
    void setRowHeight(int pixels);
    int rowHeight() const;

    int selectionMark() const { return m_mark; }
    // Marks, selects and makes current row r; -1 (or a row outside the list) clears the mark
    // only, the way a list control's SetSelectionMark(-1) leaves the highlight alone.
    void setSelectionMark(int r);

    void setModel(QAbstractItemModel* model) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The width hint of column c, widened to its caption; 0 for a column not shown.
    int fittedWidth(int c) const;
    // Widens the runs whose group caption is wider than their columns.
    void fitGroupCaptions();
    void widenToContents(int firstRow, int lastRow);

    RowListModel* m_model = nullptr;
    CHeaderCtrlEx* m_header = nullptr;
    int m_mark = -1;
    bool m_widenToContents = false;
    QList<QMetaObject::Connection> m_connections;
};
