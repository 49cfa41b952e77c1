#pragma once
// CHeaderCtrlEx: the two-level list header.
//
// A horizontal QHeaderView that paints itself completely: background, a band of group captions
// centred over runs of adjacent columns that share the same non-empty group caption, below it
// each column's own caption (from the model's headerData, split at "\n" into stacked lines),
// the grey/white dividing line under a group caption, raised separators at the column edges and
// a raised frame around the whole header.
//
// The header keeps one group caption per column (logical index). It keeps them in step with
// the model: columns inserted get empty group captions, columns removed take theirs away, a
// model reset pads or truncates the list to the new column count.
//
// No off-screen drawing surface is needed against flicker: Qt widgets are double-buffered.
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A run of adjacent columns under one group caption.
struct HeaderGroup
{
    int firstColumn = 0;
    int columnCount = 1;
    QString caption;
    bool operator==(const HeaderGroup& o) const = default;
};

// The colours every list owner sets: light grey background, black text.
inline QColor HeaderStandardBkColor() { return QColor(211, 211, 211); }
inline QColor HeaderStandardTextColor() { return QColor(0, 0, 0); }
// The header caption font ("굴림체", height 12, bold): NanumGothic Bold, whose decimal point
// stays a point at that size (the bold fixed-pitch stand-in draws it with a tail).
QFont ReportHeaderFont();
// The list font, 9 pt: the fixed-pitch Korean NanumGothicCoding, with a plain decimal point.
QFont ReportListFont();

class CHeaderCtrlEx : public QHeaderView
{
    Q_OBJECT
public:
    explicit CHeaderCtrlEx(QWidget* parent = nullptr);
    ~CHeaderCtrlEx() override;

    // --- Header operations --------------------------------------------------------------------
    // Background and text colours; initially the palette's button and button-text colours.
    void SetHeaderBkColor(const QColor& c);
    void SetHeaderTextColor(const QColor& c);
    QColor HeaderBkColor() const { return m_bkColor; }
    QColor HeaderTextColor() const { return m_textColor; }
    // The header height in pixels the owners pass (40 for a two-line header, 20 for one line).
    // The header is never lower than its content needs (see headerHeight()).
    void SetHeaderFontHeight(int height);
    int HeaderFontHeight() const { return m_nominalHeight; }
    // Group caption of an existing column (logical index). A column at or beyond the column
    // count is rejected (returns false, with a warning). An empty caption means "no group": the
    // column's caption uses the whole height. A single blank is not empty.
    bool SetGroupCaption(int column, const QString& caption);
    // Font for the captions. Without one the widget's own font is used (the default GUI
    // font). ClearHeaderFont() detaches it.
    void SetHeaderFont(const QFont& font);
    void ClearHeaderFont();
    bool HasHeaderFont() const { return m_headerFont.has_value(); }
    QFont CaptionFont() const;

    // --- Convenience for callers -------------------------------------------------------------
    QString GroupCaption(int column) const;
    const QStringList& GroupCaptions() const { return m_groups; }
    // Sets all group captions: columns not covered by a run get an empty caption. Runs reaching
    // beyond the column count are cut at the last column.
    void setGroups(const QList<HeaderGroup>& groups);
    // Sets the captions column by column (missing entries become empty; extra ones are dropped).
    void setGroupCaptions(const QStringList& captions);
    // The runs of adjacent columns (logical order) that share the same non-empty group caption.
    QList<HeaderGroup> groupRuns() const;
    // Runs computed from a list of per-column captions (the rule the header paints by).
    static QList<HeaderGroup> ComputeRuns(const QStringList& captions);

    // The height the header takes: the larger of the owner's height and what the content needs
    // (one text line for the group band when any column has a group caption, plus the most
    // lines of a column caption). Without an owner's height: the content's height.
    int headerHeight() const;
    // The y where the group band ends (the "middle"), for a header of height h.
    int bandBottom(int h) const;

    // The narrowest section that shows every line of the column's caption whole, and the
    // narrowest run that shows a group caption whole (the text's width and its margins).
    int CaptionFittingWidth(int logicalIndex) const;
    int GroupFittingWidth(const QString& caption) const;
    // The caption (group caption in the group band) a point of the header shows, and whether
    // it is drawn cut; empty where there is none.
    QString CaptionAt(const QPoint& pos, bool* cut = nullptr) const;

    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

protected:
    // A caption drawn cut shows its whole text as a tool tip.
    bool viewportEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Draws one column caption in rect (DrawItem).
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void onColumnsInserted(const QModelIndex& parent, int first, int last);
    void onColumnsRemoved(const QModelIndex& parent, int first, int last);
    void onColumnsMoved(const QModelIndex& parent, int start, int end, const QModelIndex& dest, int column);
    void onModelReset();
    void onHeaderDataChanged(Qt::Orientation o, int first, int last);
    void syncGroupCount();
    void contentChanged();  // height may change; repaint
    int lineHeight() const;
    int maxLines(bool underGroup) const;
    void computeLines() const;
    QStringList captionLines(int logicalIndex) const;
    void drawGroup(QPainter& p, const QString& caption, const QRect& r) const;

    QStringList m_groups;              // one per column, logical order
    std::optional<QFont> m_headerFont; // attached caption font
    QColor m_textColor;
    QColor m_bkColor;
    int m_nominalHeight = 0;           // 0: not set
    int m_lastHeight = -1;
    // Caption line counts, recomputed after any change of captions, groups or font.
    mutable bool m_linesValid = false;
    mutable int m_linesUnderGroup = 0;
    mutable int m_linesNoGroup = 0;
    mutable int m_lineHeight = 0;
    QList<QMetaObject::Connection> m_modelConnections;
};
