#include "app/gui/rowlistmodel.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

// --- RowListModel -------------------------------------------------------------------------

RowListModel::RowListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

QStringList RowListModel::normalized(QStringList cells) const
{
    const qsizetype n = m_columns.size();
    if (cells.size() > n)
        cells.resize(n);
    else
        while (cells.size() < n)
            cells.append(QString());
    return cells;
}

void RowListModel::setColumns(const QList<ReportColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    for (QStringList& r : m_rows)
        r = normalized(std::move(r));
    endResetModel();
}

void RowListModel::setColumns(const QStringList& captions, const QList<int>& widths, Qt::Alignment alignment)
{
    QList<ReportColumn> cols;
    cols.reserve(captions.size());
    for (qsizetype i = 0; i < captions.size(); ++i)
        cols.append(ReportColumn{captions[i], QString(), widths.value(i, 80), alignment});
    setColumns(cols);
}

void RowListModel::insertColumn(int at, const ReportColumn& column)
{
    at = std::clamp(at, 0, int(m_columns.size()));
    beginInsertColumns(QModelIndex(), at, at);
    m_columns.insert(at, column);
    for (QStringList& r : m_rows)
        r.insert(at, QString());
    endInsertColumns();
}

bool RowListModel::setColumnCaption(int c, const QString& caption)
{
    if (c < 0 || c >= m_columns.size())
        return false;
    m_columns[c].caption = caption;
    emit headerDataChanged(Qt::Horizontal, c, c);
    return true;
}

bool RowListModel::setColumnWidthHint(int c, int width)
{
    if (c < 0 || c >= m_columns.size())
        return false;
    m_columns[c].width = width;
    emit headerDataChanged(Qt::Horizontal, c, c);
    return true;
}

bool RowListModel::setColumnAlignment(int c, Qt::Alignment alignment)
{
    if (c < 0 || c >= m_columns.size())
        return false;
    m_columns[c].alignment = alignment;
    emit headerDataChanged(Qt::Horizontal, c, c);
    if (!m_rows.empty())
        emit dataChanged(index(0, c), index(int(m_rows.size()) - 1, c), {Qt::TextAlignmentRole});
    return true;
}

void RowListModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int RowListModel::appendRow(const QStringList& cells)
{
    return insertRow(int(m_rows.size()), cells);
}

int RowListModel::insertRow(int row, const QStringList& cells)
{
    row = std::clamp(row, 0, int(m_rows.size()));
    beginInsertRows(QModelIndex(), row, row);
    m_rows.insert(m_rows.begin() + row, normalized(cells));
    endInsertRows();
    return row;
}

bool RowListModel::setRow(int row, const QStringList& cells)
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    m_rows[row] = normalized(cells);
    if (!m_columns.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1), {Qt::DisplayRole});
    return true;
}

bool RowListModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= m_columns.size())
        return false;
    m_rows[row][column] = text;
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
    return true;
}

void RowListModel::renumberFrom(int row)
{
    const int first = std::max(row, 0);
    if (first >= int(m_rows.size()) || m_columns.isEmpty())
        return;
    for (int r = first; r < int(m_rows.size()); ++r)
        m_rows[r][0] = QString::number(r + 1);
    emit dataChanged(index(first, 0), index(int(m_rows.size()) - 1, 0), {Qt::DisplayRole});
}

QString RowListModel::text(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return QString();
    return m_rows[row].value(column);
}

QStringList RowListModel::row(int r) const
{
    if (r < 0 || r >= int(m_rows.size()))
        return {};
    return m_rows[r];
}

void RowListModel::setRows(std::vector<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    const qsizetype n = m_columns.size();
    for (QStringList& r : m_rows)
        if (r.size() != n)
            r = normalized(std::move(r));
    endResetModel();
}

void RowListModel::setRowCount(int n)
{
    n = std::max(0, n);
    const int cur = int(m_rows.size());
    if (n > cur)
        insertRows(cur, n - cur);
    else if (n < cur)
        removeRows(n, cur - n);
}

int RowListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RowListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int r = index.row();
    const int c = index.column();
    if (r >= int(m_rows.size()) || c >= m_columns.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows[r][c];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[c].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool RowListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    return setCell(index.row(), index.column(), value.toString());
}

QVariant RowListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    const ReportColumn& c = m_columns[section];
    switch (role) {
    case Qt::DisplayRole:
        return c.caption;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
    case WidthHintRole:
        return c.width;
    default:
        return {};
    }
}

bool RowListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal)
        return false;
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return setColumnCaption(section, value.toString());
    if (role == WidthHintRole)
        return setColumnWidthHint(section, value.toInt());
    if (role == Qt::TextAlignmentRole)
        return setColumnAlignment(section, Qt::Alignment(value.toInt()) & Qt::AlignHorizontal_Mask);
    return false;
}

Qt::ItemFlags RowListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool RowListModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row > int(m_rows.size()))
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    m_rows.insert(m_rows.begin() + row, size_t(count), normalized({}));
    endInsertRows();
    return true;
}

bool RowListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || row < 0 || row + count > int(m_rows.size()))
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

bool RowListModel::insertColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || column < 0 || column > m_columns.size())
        return false;
    beginInsertColumns(QModelIndex(), column, column + count - 1);
    for (int i = 0; i < count; ++i)
        m_columns.insert(column, ReportColumn{});
    for (QStringList& r : m_rows)
        for (int i = 0; i < count; ++i)
            r.insert(column, QString());
    endInsertColumns();
    return true;
}

bool RowListModel::removeColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count < 1 || column < 0 || column + count > m_columns.size())
        return false;
    beginRemoveColumns(QModelIndex(), column, column + count - 1);
    m_columns.remove(column, count);
    for (QStringList& r : m_rows)
        r.remove(column, count);
    endRemoveColumns();
    return true;
}

// --- SetupReportList ----------------------------------------------------------------------

void SetupReportList(QTableView* view, CHeaderCtrlEx* header, int headerHeight)
{
    view->setFont(ReportListFont());
    if (header) {
        header->SetHeaderFont(ReportHeaderFont());
        header->SetHeaderFontHeight(headerHeight);
        header->SetHeaderBkColor(HeaderStandardBkColor());
        header->SetHeaderTextColor(HeaderStandardTextColor());
        view->setHorizontalHeader(header);
    }
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setGridStyle(Qt::SolidLine);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideRight);
    view->setCornerButtonEnabled(false);
    view->setSortingEnabled(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(view->font()).height() + 4);
    // Keep the selection visible when the list loses the focus.
    QPalette pal = view->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Mid, QColor(192, 192, 192));  // the grid line colour of the styles
    view->setPalette(pal);
    CutCellTextTips::InstallOn(view);
}

// --- ReportListView -----------------------------------------------------------------------

ReportListView::ReportListView(QWidget* parent, int headerHeight)
    : QTableView(parent)
{
    m_model = new RowListModel(this);
    m_header = new CHeaderCtrlEx(this);
    SetupReportList(this, m_header, headerHeight);
    setModel(m_model);
}

void ReportListView::setModel(QAbstractItemModel* model)
{
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    QTableView::setModel(model);
    m_mark = -1;
    if (!model)
        return;
    m_connections << connect(model, &QAbstractItemModel::modelReset, this, [this] { m_mark = -1; })
                  << connect(model, &QAbstractItemModel::rowsInserted, this,
                             [this](const QModelIndex& p, int first, int last) {
                                 if (!p.isValid() && m_mark >= first)
                                     m_mark += last - first + 1;
                             })
                  << connect(model, &QAbstractItemModel::rowsRemoved, this,
                             [this](const QModelIndex& p, int first, int last) {
                                 if (p.isValid() || m_mark < first)
                                     return;
                                 if (m_mark > last)
                                     m_mark -= last - first + 1;
                                 else  // the marked row went: the mark stays on the row that follows
                                     m_mark = first < this->model()->rowCount() ? first : -1;
                             })
                  << connect(model, &QAbstractItemModel::columnsInserted, this,
                             [this](const QModelIndex& p, int first, int last) {
                                 if (p.isValid())
                                     return;
                                 for (int c = first; c <= last; ++c) {
                                     const QVariant w = this->model()->headerData(c, Qt::Horizontal,
                                                                                  RowListModel::WidthHintRole);
                                     if (w.isValid())
                                         m_header->resizeSection(c, fittedWidth(c));
                                 }
                                 fitGroupCaptions();
                             })
                  << connect(model, &QAbstractItemModel::modelReset, this,
                             [this] { widenToContents(0, this->model()->rowCount() - 1); })
                  << connect(model, &QAbstractItemModel::rowsInserted, this,
                             [this](const QModelIndex& p, int first, int last) {
                                 if (!p.isValid())
                                     widenToContents(first, last);
                             })
                  << connect(model, &QAbstractItemModel::dataChanged, this,
                             [this](const QModelIndex& tl, const QModelIndex& br) {
                                 widenToContents(tl.row(), br.row());
                             })
                  << connect(this, &QAbstractItemView::pressed, this,
                             [this](const QModelIndex& i) { m_mark = i.row(); });
}

void ReportListView::keyPressEvent(QKeyEvent* e)
{
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(e);
    const QModelIndex after = currentIndex();
    if (after.isValid() && after != before)
        m_mark = after.row();
}

void ReportListView::setReportColumns(const QList<ReportColumn>& columns)
{
    m_model->setColumns(columns);
    QStringList groups;
    groups.reserve(columns.size());
    for (const ReportColumn& c : columns)
        groups.append(c.group);
    m_header->setGroupCaptions(groups);
    applyColumnWidths();
}

int ReportListView::fittedWidth(int c) const
{
    const QVariant w = model()->headerData(c, Qt::Horizontal, RowListModel::WidthHintRole);
    const int hint = std::max(0, w.toInt());
    // A width of 0 hides the column: it stays hidden.
    return hint == 0 ? 0 : std::max(hint, m_header->CaptionFittingWidth(c));
}

void ReportListView::fitGroupCaptions()
{
    for (const HeaderGroup& run : m_header->groupRuns()) {
        QList<int> shown;
        int width = 0;
        for (int c = run.firstColumn; c < run.firstColumn + run.columnCount; ++c) {
            if (m_header->sectionSize(c) > 0 && !isColumnHidden(c)) {
                shown.append(c);
                width += m_header->sectionSize(c);
            }
        }
        const int missing = m_header->GroupFittingWidth(run.caption) - width;
        if (shown.isEmpty() || missing <= 0)
            continue;
        // Spread over the run's shown columns, the remainder to the last.
        const int each = missing / int(shown.size());
        for (int c : shown)
            m_header->resizeSection(c, m_header->sectionSize(c) + each);
        m_header->resizeSection(shown.last(),
                                m_header->sectionSize(shown.last()) + missing - each * int(shown.size()));
    }
}

void ReportListView::applyColumnWidths()
{
    QAbstractItemModel* m = model();
    if (!m)
        return;
    for (int c = 0; c < m->columnCount(); ++c) {
        const QVariant w = m->headerData(c, Qt::Horizontal, RowListModel::WidthHintRole);
        if (w.isValid())
            m_header->resizeSection(c, fittedWidth(c));
    }
    fitGroupCaptions();
    widenToContents(0, m->rowCount() - 1);
}

void ReportListView::setWidenToContents(bool on)
{
    m_widenToContents = on;
    if (on && model())
        widenToContents(0, model()->rowCount() - 1);
}

void ReportListView::widenToContents(int firstRow, int lastRow)
{
    QAbstractItemModel* m = model();
    if (!m_widenToContents || !m || firstRow < 0 || lastRow < firstRow)
        return;
    const QFontMetrics fm(font());
    // The item delegate keeps this margin on either side of a cell's text.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    for (int c = 0; c < m->columnCount(); ++c) {
        if (isColumnHidden(c) || m_header->sectionSize(c) == 0)
            continue;
        int widest = 0;
        for (int r = firstRow; r <= lastRow && r < m->rowCount(); ++r)
            widest = std::max(widest, fm.horizontalAdvance(m->index(r, c).data(Qt::DisplayRole).toString()));
        const int needed = widest + 2 * margin + 2;
        if (needed > m_header->sectionSize(c))
            m_header->resizeSection(c, needed);
    }
}

void ReportListView::setRowHeight(int pixels)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, pixels));
}

int ReportListView::rowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void ReportListView::setSelectionMark(int r)
{
    if (!model() || r < 0 || r >= model()->rowCount()) {
        m_mark = -1;
        return;
    }
    setCurrentIndex(model()->index(r, 0));
    selectRow(r);
    m_mark = r;
}

// --- CutCellTextTips ---------------------------------------------------------------------

CutCellTextTips::CutCellTextTips(QAbstractItemView* view) : QObject(view), m_view(view)
{
    view->viewport()->installEventFilter(this);
}

void CutCellTextTips::InstallOn(QAbstractItemView* view)
{
    if (!view->findChild<CutCellTextTips*>(QString(), Qt::FindDirectChildrenOnly))
        new CutCellTextTips(view);
}

bool CutCellTextTips::IsCut(const QAbstractItemView* view, const QModelIndex& index)
{
    const QString text = index.isValid() ? index.data(Qt::DisplayRole).toString() : QString();
    if (text.isEmpty())
        return false;
    const QVariant fontData = index.data(Qt::FontRole);
    const QFont font = fontData.isValid() ? fontData.value<QFont>() : view->font();
    // The item delegate keeps this margin on either side of a cell's text.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(line));
    return widest > view->visualRect(index).width() - 2 * margin;
}

bool CutCellTextTips::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::ToolTip || watched != m_view->viewport())
        return QObject::eventFilter(watched, e);
    auto* he = static_cast<QHelpEvent*>(e);
    const QModelIndex i = m_view->indexAt(he->pos());
    if (IsCut(m_view, i))
        QToolTip::showText(he->globalPos(), i.data(Qt::DisplayRole).toString(), m_view->viewport(),
                           m_view->visualRect(i));
    else
        QToolTip::hideText();
    return true;
}
