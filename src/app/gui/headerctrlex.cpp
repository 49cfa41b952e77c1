#include "app/gui/headerctrlex.h"

#include "app/gui/dialogunits.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QtGlobal>

namespace {

// Captions are drawn this many pixels narrower than their section or run.
constexpr int kCaptionMargin = 4;

}  // namespace

// Stand-ins for the Windows fonts must draw a plain decimal point at these sizes, not one with
// a tail that reads as a comma ("0,9272"). The captions are bold: NanumGothicCoding Bold has
// that tail, so they keep NanumGothic Bold.
QFont ReportHeaderFont()
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setPixelSize(12);
    f.setBold(true);
    return f;
}

// The list cells: the fixed-pitch Korean font (굴림체), so that the digits of a column line up.
QFont ReportListFont()
{
    QFont f(MapFontFamily(QStringLiteral("굴림체")));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(9);
    return f;
}

CHeaderCtrlEx::CHeaderCtrlEx(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    m_textColor = palette().color(QPalette::ButtonText);
    m_bkColor = palette().color(QPalette::Button);
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignCenter);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(0);
}

CHeaderCtrlEx::~CHeaderCtrlEx() = default;

void CHeaderCtrlEx::SetHeaderBkColor(const QColor& c)
{
    m_bkColor = c;
    viewport()->update();
}

void CHeaderCtrlEx::SetHeaderTextColor(const QColor& c)
{
    m_textColor = c;
    viewport()->update();
}

void CHeaderCtrlEx::SetHeaderFontHeight(int height)
{
    m_nominalHeight = qMax(0, height);
    contentChanged();
}

bool CHeaderCtrlEx::SetGroupCaption(int column, const QString& caption)
{
    if (column < 0 || column >= m_groups.size()) {
        qWarning("CHeaderCtrlEx::SetGroupCaption: column %d outside 0..%lld", column,
                 static_cast<long long>(m_groups.size()) - 1);
        return false;
    }
    if (m_groups[column] == caption)
        return true;
    m_groups[column] = caption;
    contentChanged();
    return true;
}

void CHeaderCtrlEx::SetHeaderFont(const QFont& font)
{
    m_headerFont = font;
    contentChanged();
}

void CHeaderCtrlEx::ClearHeaderFont()
{
    m_headerFont.reset();
    contentChanged();
}

QFont CHeaderCtrlEx::CaptionFont() const
{
    return m_headerFont ? *m_headerFont : font();
}

QString CHeaderCtrlEx::GroupCaption(int column) const
{
    return m_groups.value(column);
}

void CHeaderCtrlEx::setGroups(const QList<HeaderGroup>& groups)
{
    for (QString& g : m_groups)
        g.clear();
    for (const HeaderGroup& run : groups) {
        const int first = qMax(0, run.firstColumn);
        const int end = qMin<qsizetype>(m_groups.size(), qsizetype(run.firstColumn) + run.columnCount);
        for (int c = first; c < end; ++c)
            m_groups[c] = run.caption;
    }
    contentChanged();
}

void CHeaderCtrlEx::setGroupCaptions(const QStringList& captions)
{
    for (qsizetype c = 0; c < m_groups.size(); ++c)
        m_groups[c] = captions.value(c);
    contentChanged();
}

QList<HeaderGroup> CHeaderCtrlEx::ComputeRuns(const QStringList& captions)
{
    QList<HeaderGroup> runs;
    for (qsizetype c = 0; c < captions.size(); ++c) {
        const QString& g = captions[c];
        if (g.isEmpty())
            continue;
        if (!runs.isEmpty() && runs.last().caption == g
            && runs.last().firstColumn + runs.last().columnCount == c)
            ++runs.last().columnCount;
        else
            runs.append(HeaderGroup{int(c), 1, g});
    }
    return runs;
}

QList<HeaderGroup> CHeaderCtrlEx::groupRuns() const
{
    return ComputeRuns(m_groups);
}

// --- Height -------------------------------------------------------------------------------

void CHeaderCtrlEx::computeLines() const
{
    if (m_linesValid)
        return;
    m_lineHeight = QFontMetrics(CaptionFont()).height() + 2;
    m_linesUnderGroup = 0;
    m_linesNoGroup = 0;
    for (qsizetype c = 0; c < m_groups.size(); ++c) {
        const int n = int(captionLines(int(c)).size());
        int& target = m_groups[c].isEmpty() ? m_linesNoGroup : m_linesUnderGroup;
        target = qMax(target, n);
    }
    m_linesValid = true;
}

int CHeaderCtrlEx::lineHeight() const
{
    computeLines();
    return m_lineHeight;
}

QStringList CHeaderCtrlEx::captionLines(int logicalIndex) const
{
    if (!model())
        return {};
    const QString text = model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int CHeaderCtrlEx::maxLines(bool underGroup) const
{
    computeLines();
    return underGroup ? m_linesUnderGroup : m_linesNoGroup;
}

int CHeaderCtrlEx::headerHeight() const
{
    const int lh = lineHeight();
    bool anyGroup = false;
    for (const QString& g : m_groups)
        anyGroup = anyGroup || !g.isEmpty();
    int needed = qMax(1, maxLines(false)) * lh;
    if (anyGroup)
        needed = qMax(needed, lh + 1 + qMax(1, maxLines(true)) * lh);
    return qMax(m_nominalHeight, needed);
}

int CHeaderCtrlEx::bandBottom(int h) const
{
    int mid = h / 2;
    const int lowerLines = qMax(1, maxLines(true));
    const int lowerNeeded = lowerLines * lineHeight();
    if (h - (mid + 1) < lowerNeeded)
        mid = h - 1 - lowerNeeded;
    return qMax(mid, qMin(h / 2, lineHeight()));
}

int CHeaderCtrlEx::CaptionFittingWidth(int logicalIndex) const
{
    const QFontMetrics fm(CaptionFont());
    int widest = 0;
    for (const QString& line : captionLines(logicalIndex))
        widest = qMax(widest, fm.horizontalAdvance(line));
    return widest == 0 ? 0 : widest + kCaptionMargin + 2;
}

int CHeaderCtrlEx::GroupFittingWidth(const QString& caption) const
{
    return caption.isEmpty() ? 0 : QFontMetrics(CaptionFont()).horizontalAdvance(caption) + kCaptionMargin + 2;
}

QString CHeaderCtrlEx::CaptionAt(const QPoint& pos, bool* cut) const
{
    if (cut)
        *cut = false;
    const int logical = logicalIndexAt(pos.x());
    if (logical < 0 || !model())
        return QString();
    const QString& group = m_groups.value(logical);
    if (!group.isEmpty() && pos.y() < bandBottom(viewport()->height())) {
        // The run of the group around this column, as painted.
        int width = 0;
        for (const HeaderGroup& run : groupRuns()) {
            if (logical < run.firstColumn || logical >= run.firstColumn + run.columnCount)
                continue;
            for (int c = run.firstColumn; c < run.firstColumn + run.columnCount; ++c)
                width += isSectionHidden(c) ? 0 : sectionSize(c);
        }
        if (cut)
            *cut = GroupFittingWidth(group) - 2 > width;
        return group;
    }
    const QStringList lines = captionLines(logical);
    if (cut)
        *cut = CaptionFittingWidth(logical) - 2 > sectionSize(logical);
    return lines.join(QLatin1Char(' '));
}

bool CHeaderCtrlEx::viewportEvent(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return QHeaderView::viewportEvent(e);
    auto* he = static_cast<QHelpEvent*>(e);
    bool cut = false;
    const QString caption = CaptionAt(he->pos(), &cut);
    if (cut)
        QToolTip::showText(he->globalPos(), caption, viewport());
    else
        QToolTip::hideText();
    return true;
}

QSize CHeaderCtrlEx::sizeHint() const
{
    return QSize(length(), headerHeight());
}

void CHeaderCtrlEx::contentChanged()
{
    m_linesValid = false;
    const int h = headerHeight();
    if (h != m_lastHeight) {
        m_lastHeight = h;
        updateGeometry();
        emit geometriesChanged();
    }
    viewport()->update();
}

// --- Keeping the group captions in step with the model ---------------------------------------

void CHeaderCtrlEx::setModel(QAbstractItemModel* m)
{
    for (const auto& c : std::as_const(m_modelConnections))
        disconnect(c);
    m_modelConnections.clear();
    QHeaderView::setModel(m);
    if (m) {
        m_modelConnections << connect(m, &QAbstractItemModel::columnsInserted, this, &CHeaderCtrlEx::onColumnsInserted)
                           << connect(m, &QAbstractItemModel::columnsRemoved, this, &CHeaderCtrlEx::onColumnsRemoved)
                           << connect(m, &QAbstractItemModel::columnsMoved, this, &CHeaderCtrlEx::onColumnsMoved)
                           << connect(m, &QAbstractItemModel::modelReset, this, &CHeaderCtrlEx::onModelReset)
                           << connect(m, &QAbstractItemModel::layoutChanged, this, &CHeaderCtrlEx::onModelReset)
                           << connect(m, &QAbstractItemModel::headerDataChanged, this, &CHeaderCtrlEx::onHeaderDataChanged);
    }
    syncGroupCount();
    contentChanged();
}

void CHeaderCtrlEx::syncGroupCount()
{
    const int n = model() ? model()->columnCount(rootIndex()) : 0;
    while (m_groups.size() < n)
        m_groups.append(QString());
    while (m_groups.size() > n)
        m_groups.removeLast();
}

void CHeaderCtrlEx::onColumnsInserted(const QModelIndex& parent, int first, int last)
{
    if (parent != rootIndex())
        return;
    first = qBound(0, first, int(m_groups.size()));
    for (int i = 0; i <= last - first; ++i)
        m_groups.insert(first, QString());
    syncGroupCount();
    contentChanged();
}

void CHeaderCtrlEx::onColumnsRemoved(const QModelIndex& parent, int first, int last)
{
    if (parent != rootIndex())
        return;
    first = qMax(0, first);
    last = qMin(last, int(m_groups.size()) - 1);
    if (last >= first)
        m_groups.remove(first, last - first + 1);
    syncGroupCount();
    contentChanged();
}

void CHeaderCtrlEx::onColumnsMoved(const QModelIndex& parent, int start, int end, const QModelIndex& dest, int column)
{
    if (parent != rootIndex() || dest != rootIndex())
        return;
    const QStringList moved = m_groups.mid(start, end - start + 1);
    m_groups.remove(start, moved.size());
    int at = column > start ? column - int(moved.size()) : column;
    at = qBound(0, at, int(m_groups.size()));
    for (qsizetype i = 0; i < moved.size(); ++i)
        m_groups.insert(at + i, moved[i]);
    syncGroupCount();
    contentChanged();
}

void CHeaderCtrlEx::onModelReset()
{
    syncGroupCount();
    contentChanged();
}

void CHeaderCtrlEx::onHeaderDataChanged(Qt::Orientation o, int, int)
{
    if (o == Qt::Horizontal)
        contentChanged();
}

void CHeaderCtrlEx::changeEvent(QEvent* e)
{
    QHeaderView::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        contentChanged();
}

// --- Painting (DrawHeaderGroups and DrawItem) ---------------------------------

void CHeaderCtrlEx::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    const QStringList lines = captionLines(logicalIndex);
    if (lines.isEmpty())
        return;
    QRect r = rect;
    if (!m_groups.value(logicalIndex).isEmpty())
        r.setTop(bandBottom(viewport()->height()) + 1);
    painter->save();
    painter->setFont(CaptionFont());
    painter->setPen(m_textColor);
    painter->setClipRect(rect.adjusted(1, 1, -2, -1), Qt::IntersectClip);
    const QFontMetrics fm(painter->font());
    const int n = int(lines.size());
    const int band = r.height() / n;
    const int textWidth = qMax(0, r.width() - kCaptionMargin);
    for (int k = 0; k < n; ++k) {
        const QRect lr(r.left(), r.top() + band * k, r.width(), band);
        painter->drawText(lr, Qt::AlignCenter | Qt::TextSingleLine,
                          fm.elidedText(lines[k], Qt::ElideRight, textWidth));
    }
    painter->restore();
}

void CHeaderCtrlEx::drawGroup(QPainter& p, const QString& caption, const QRect& r) const
{
    p.save();
    p.setFont(CaptionFont());
    p.setPen(m_textColor);
    p.setClipRect(r.adjusted(1, 1, -1, 0), Qt::IntersectClip);
    const QFontMetrics fm(p.font());
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine,
               fm.elidedText(caption, Qt::ElideRight, qMax(0, r.width() - kCaptionMargin)));
    p.restore();
}

void CHeaderCtrlEx::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    p.fillRect(e->rect(), m_bkColor);
    if (!model())
        return;

    // The shown columns in display order.
    QList<int> cols;
    cols.reserve(count());
    for (int v = 0; v < count(); ++v) {
        const int logical = logicalIndex(v);
        if (logical >= 0 && !isSectionHidden(logical))
            cols.append(logical);
    }
    if (cols.isEmpty())
        return;

    const int H = viewport()->height();
    const int mid = bandBottom(H);
    const QColor grey(128, 128, 128);
    const QColor white(255, 255, 255);
    auto hline = [&p](const QColor& c, int x1, int x2, int y) {
        if (x2 >= x1)
            p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
    };
    auto vline = [&p](const QColor& c, int x, int y1, int y2) {
        if (y2 >= y1)
            p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
    };

    QString openCaption;
    QRect openRect;
    int total = 0;
    for (qsizetype i = 0; i < cols.size(); ++i) {
        const int col = cols[i];
        const int x = sectionViewportPosition(col);
        const int w = sectionSize(col);
        const QRect colRect(x, 0, w, H);
        const QString& g = m_groups.value(col);

        paintSection(&p, colRect, col);

        if (!openCaption.isEmpty() && openCaption != g) {
            drawGroup(p, openCaption, QRect(openRect.left(), 0, openRect.width(), mid));
            openCaption.clear();
        }
        if (openCaption.isEmpty()) {
            openCaption = g;
            openRect = colRect;
        } else {
            openRect.setRight(colRect.right());
        }
        if (i == cols.size() - 1 && !openCaption.isEmpty()) {
            drawGroup(p, openCaption, QRect(openRect.left(), 0, openRect.width(), mid));
            openCaption.clear();
        }

        // Dividing line under a group caption.
        if (!g.isEmpty()) {
            hline(grey, x, x + w - 1, mid - 1);
            hline(white, x, x + w - 1, mid);
        }
        // Raised separator at the right edge: only the lower half inside a run.
        const int right = x + w;  // first pixel after the column
        const bool runGoesOn = !g.isEmpty() && i + 1 < cols.size() && m_groups.value(cols[i + 1]) == g;
        const int y1 = runGoesOn ? mid + 1 : 2;
        vline(grey, right - 1, y1, H - 3);
        vline(white, right, y1, H - 3);
        total += w;
    }

    // Raised frame around the client rectangle widened by 20 pixels to the right.
    if (total > 0) {
        const int W = viewport()->width() + 20;
        hline(white, 0, W - 2, 0);
        vline(white, 0, 0, H - 2);
        hline(grey, 0, W - 1, H - 1);
        vline(grey, W - 1, 0, H - 1);
    }
}
