// CHeaderCtrlEx and the shared list model RowListModel / ReportListView.
#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QFontMetrics>
#include <QTest>

#include "app/gui/headerctrlex.h"
#include "app/gui/rowlistmodel.h"

namespace {

const QRgb kBk = qRgb(211, 211, 211);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);

QList<ReportColumn> Columns(int n)
{
    QList<ReportColumn> cols;
    for (int i = 0; i < n; ++i)
        cols.append(ReportColumn{QStringLiteral("C%1").arg(i), QString(), 60});
    return cols;
}

// Dark (text) pixels inside rect.
int DarkPixels(const QImage& img, const QRect& rect)
{
    int n = 0;
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 110)
                ++n;
    return n;
}

QString Rgb(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

#define COMPARE_RGB(img, x, y, expected) \
    QCOMPARE(Rgb((img).pixel((x), (y)) & 0xffffff), Rgb((expected) & 0xffffff))

}  // namespace

class TestHeaderCtrlEx : public QObject
{
    Q_OBJECT
private slots:
    void computeRuns();
    void runsFollowColumnInsertAndRemove();
    void groupsSurviveRowResetAndFollowColumnReset();
    void setGroupCaptionRejectsMissingColumn();
    void heights();
    void paintsBandCaptionsAndFrame();
    void twoLineCaptionUnderGroupGrowsHeader();
    void emptyHeaderPaintsBackgroundOnly();
    void modelRowOperations();
    void modelColumnsAndHeaderData();
    void selectionMark();
    void bigListFillsAndLaysOut();
    void captionsAreReadWhole_data();
    void captionsAreReadWhole();
    void cutCaptionNamesItsWholeText();
    void widensToLongFigures();
};

void TestHeaderCtrlEx::computeRuns()
{
    const QStringList g{"", "A", "A", "A", "B", "A", "A", "", " ", " "};
    const QList<HeaderGroup> runs = CHeaderCtrlEx::ComputeRuns(g);
    const QList<HeaderGroup> expected{{1, 3, "A"}, {4, 1, "B"}, {5, 2, "A"}, {8, 2, " "}};
    QCOMPARE(runs, expected);
    QVERIFY(CHeaderCtrlEx::ComputeRuns({}).isEmpty());
    QVERIFY(CHeaderCtrlEx::ComputeRuns({"", ""}).isEmpty());
    // A run reaching the last column.
    QCOMPARE(CHeaderCtrlEx::ComputeRuns({"", "X", "Y"}), (QList<HeaderGroup>{{1, 1, "X"}, {2, 1, "Y"}}));
}

void TestHeaderCtrlEx::runsFollowColumnInsertAndRemove()
{
    ReportListView list;
    RowListModel* m = list.rows();
    CHeaderCtrlEx* h = list.header();
    list.setReportColumns(Columns(8));
    m->appendRow({"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7"});
    h->setGroups({{2, 3, "G"}, {6, 2, "H"}});
    QCOMPARE(h->GroupCaptions(), (QStringList{"", "", "G", "G", "G", "", "H", "H"}));
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 3, "G"}, {6, 2, "H"}}));

    // Before the runs: both shift right by one; the new column has no group caption.
    m->insertColumn(1, ReportColumn{"new", "", 40});
    QCOMPARE(h->GroupCaptions().size(), 9);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{3, 3, "G"}, {7, 2, "H"}}));
    QCOMPARE(m->text(0, 1), QString());
    QCOMPARE(m->text(0, 2), QStringLiteral("a1"));
    QCOMPARE(h->sectionSize(1), 40);  // the inserted column takes its width hint
    QCOMPARE(h->sectionSize(2), 60);
    // Removing it shifts them back.
    m->removeColumn(1);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 3, "G"}, {6, 2, "H"}}));

    // Inside a run (the new column gets an empty group caption, splitting the run).
    m->insertColumn(3, ReportColumn{"mid", "", 40});
    QCOMPARE(h->GroupCaptions(), (QStringList{"", "", "G", "", "G", "G", "", "H", "H"}));
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 1, "G"}, {4, 2, "G"}, {7, 2, "H"}}));
    // The caller gives it the run's caption: one run again.
    QVERIFY(h->SetGroupCaption(3, "G"));
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 4, "G"}, {7, 2, "H"}}));
    // Removing a column inside the run shrinks it.
    m->removeColumn(3);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 3, "G"}, {6, 2, "H"}}));
    m->removeColumn(2);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 2, "G"}, {5, 2, "H"}}));
    QCOMPARE(m->row(0), (QStringList{"a0", "a1", "a3", "a4", "a5", "a6", "a7"}));

    // After the runs: nothing moves.
    m->appendColumn(ReportColumn{"end", "", 40});
    QCOMPARE(h->GroupCaptions().size(), 8);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 2, "G"}, {5, 2, "H"}}));
    m->removeColumn(7);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 2, "G"}, {5, 2, "H"}}));

    // Removing a whole run (several columns at once) takes it away.
    m->removeColumns(5, 2);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{2, 2, "G"}}));
    QCOMPARE(h->GroupCaptions().size(), m->columnCount());
    // Inserting several columns at once before the run.
    m->insertColumns(0, 3);
    QCOMPARE(h->groupRuns(), (QList<HeaderGroup>{{5, 2, "G"}}));
    QCOMPARE(h->GroupCaptions().size(), m->columnCount());
}

void TestHeaderCtrlEx::groupsSurviveRowResetAndFollowColumnReset()
{
    ReportListView list;
    list.setReportColumns({{"a", "G", 50}, {"b", "G", 50}, {"c", "", 70}});
    QCOMPARE(list.header()->groupRuns(), (QList<HeaderGroup>{{0, 2, "G"}}));
    QCOMPARE(list.header()->sectionSize(2), 70);
    list.rows()->setRows({{"1", "2", "3"}, {"4", "5", "6"}});
    list.rows()->clear();
    QCOMPARE(list.header()->groupRuns(), (QList<HeaderGroup>{{0, 2, "G"}}));
    QCOMPARE(list.header()->sectionSize(2), 70);  // a row reset keeps the widths
    // New columns through the model alone: the captions are padded or cut to the column count.
    list.rows()->setColumns(QStringList{"x", "y", "z", "w"});
    QCOMPARE(list.header()->GroupCaptions(), (QStringList{"G", "G", "", ""}));
    list.rows()->setColumns(QStringList{"x"});
    QCOMPARE(list.header()->GroupCaptions(), (QStringList{"G"}));
}

void TestHeaderCtrlEx::setGroupCaptionRejectsMissingColumn()
{
    ReportListView list;
    list.setReportColumns(Columns(2));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SetGroupCaption"));
    QVERIFY(!list.header()->SetGroupCaption(2, "X"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SetGroupCaption"));
    QVERIFY(!list.header()->SetGroupCaption(-1, "X"));
    QCOMPARE(list.header()->GroupCaptions(), (QStringList{"", ""}));
    // A header without a model has no columns.
    CHeaderCtrlEx bare;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SetGroupCaption"));
    QVERIFY(!bare.SetGroupCaption(0, "X"));
}

void TestHeaderCtrlEx::heights()
{
    ReportListView one(nullptr, 20);
    one.setReportColumns({{"REV.NO", "", 100}, {"일자", "", 160}});
    QCOMPARE(one.header()->sizeHint().height(), 20);

    ReportListView two(nullptr, 40);
    two.setReportColumns({{"[㎟]", "단면적", 80}, {"CBL.\nNo.", "", 80}});
    QCOMPARE(two.header()->sizeHint().height(), 40);
    QCOMPARE(two.header()->bandBottom(40), 20);
    two.resize(400, 200);
    two.show();
    QVERIFY(QTest::qWaitForWindowExposed(&two));
    QCOMPARE(two.header()->height(), 40);

    // Without an owner's height: the band plus the caption lines.
    ReportListView free(nullptr, 0);
    free.setReportColumns({{"a", "G", 80}, {"b\nc", "", 80}});
    const int lh = QFontMetrics(free.header()->CaptionFont()).height() + 2;
    QCOMPARE(free.header()->headerHeight(), 2 * lh + 1);
}

void TestHeaderCtrlEx::paintsBandCaptionsAndFrame()
{
    ReportListView list(nullptr, 40);
    list.setReportColumns({
        {"No.", "", 60},        // 0: no group, one line, full height
        {"R", "단상", 80},      // 1: run "단상" over 1..2
        {"X", "단상", 80},      // 2
        {"부하\n종류", "", 80},  // 3: no group, two lines over the whole height
        {"R", "3상", 80},       // 4: run "3상", last column
    });
    list.rows()->appendRow({"1", "0.1", "0.2", "M", "0.3"});
    list.resize(520, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    CHeaderCtrlEx* h = list.header();
    const QImage img = h->grab().toImage();
    QCOMPARE(img.height(), 40);
    if (qEnvironmentVariableIsSet("HEADER_SHOT_DIR"))
        list.grab().save(qEnvironmentVariable("HEADER_SHOT_DIR") + "/header_small.png");

    const int H = 40, mid = 20;
    auto left = [&](int c) { return h->sectionViewportPosition(c); };
    auto right = [&](int c) { return h->sectionViewportPosition(c) + h->sectionSize(c); };  // first pixel after

    // Background inside the group band, away from the caption text.
    COMPARE_RGB(img, left(1) + 4, 4, kBk);
    COMPARE_RGB(img, right(2) - 6, mid - 4, kBk);
    // Dividing line under the group band: grey over white, across each column of the run.
    COMPARE_RGB(img, left(1) + 10, mid - 1, kGrey);
    COMPARE_RGB(img, left(1) + 10, mid, kWhite);
    COMPARE_RGB(img, left(4) + 10, mid - 1, kGrey);
    // No dividing line over a column without group caption.
    COMPARE_RGB(img, left(0) + 3, mid - 1, kBk);
    // Inside the run: no separator in the band, a raised separator in the lower half.
    COMPARE_RGB(img, right(1) - 1, mid - 6, kBk);
    COMPARE_RGB(img, right(1), mid - 6, kBk);
    COMPARE_RGB(img, right(1) - 1, mid + 6, kGrey);
    COMPARE_RGB(img, right(1), mid + 6, kWhite);
    // At the run's end: a full-height separator, grey then white.
    COMPARE_RGB(img, right(2) - 1, 4, kGrey);
    COMPARE_RGB(img, right(2), 4, kWhite);
    COMPARE_RGB(img, right(2) - 1, H - 5, kGrey);
    // Frame: white top and left, grey bottom.
    COMPARE_RGB(img, 30, 0, kWhite);
    COMPARE_RGB(img, 0, 20, kWhite);
    COMPARE_RGB(img, 30, H - 1, kGrey);

    // Text: the group caption once in the band of the run, the column captions below it.
    QVERIFY(DarkPixels(img, QRect(left(1) + 2, 1, right(2) - left(1) - 4, mid - 2)) > 20);
    QVERIFY(DarkPixels(img, QRect(left(1) + 2, mid + 1, 76, H - mid - 2)) > 5);   // "R"
    QVERIFY(DarkPixels(img, QRect(left(4) + 2, 1, 76, mid - 2)) > 10);             // "3상"
    // The group caption is centred over the run, so it straddles the inner column edge.
    QVERIFY(DarkPixels(img, QRect(right(1) - 8, 1, 16, mid - 2)) > 5);
    // Two-line caption without a group: text in both halves of the whole height.
    QVERIFY(DarkPixels(img, QRect(left(3) + 2, 1, 76, mid - 2)) > 10);       // 부하
    QVERIFY(DarkPixels(img, QRect(left(3) + 2, mid + 1, 76, H - mid - 3)) > 10);  // 종류
    // One-line caption without a group: centred on the whole height (text across the middle).
    QVERIFY(DarkPixels(img, QRect(left(0) + 2, mid - 3, 56, 6)) > 3);
    // Nothing of the band over column 0.
    QCOMPARE(DarkPixels(img, QRect(left(0) + 2, 2, 56, 8)), 0);
}

void TestHeaderCtrlEx::twoLineCaptionUnderGroupGrowsHeader()
{
    ReportListView list(nullptr, 40);
    // "A\n\nB": empty pieces are dropped, two lines, not three.
    list.setReportColumns({{"상[P]\n\n선[W]", "전원방식", 120}, {"kV", "전원방식", 80}});
    CHeaderCtrlEx* h = list.header();
    const int lh = QFontMetrics(h->CaptionFont()).height() + 2;
    const int H = h->headerHeight();
    QCOMPARE(H, lh + 1 + 2 * lh);  // band + two readable lines, more than 40
    QVERIFY(H > 40);
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage img = h->grab().toImage();
    QCOMPARE(img.height(), H);
    const int mid = h->bandBottom(H);
    QCOMPARE(mid, H - 1 - 2 * lh);
    const int lower = H - mid - 1;
    QVERIFY(DarkPixels(img, QRect(2, 1, 116, mid - 2)) > 10);                         // 전원방식
    QVERIFY(DarkPixels(img, QRect(2, mid + 1, 116, lower / 2)) > 10);                 // 상[P]
    QVERIFY(DarkPixels(img, QRect(2, mid + 1 + lower / 2, 116, lower / 2 - 1)) > 10); // 선[W]
}

void TestHeaderCtrlEx::emptyHeaderPaintsBackgroundOnly()
{
    ReportListView list(nullptr, 20);
    list.resize(300, 100);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    // The view hides an empty header; paint it on its own at a given size.
    CHeaderCtrlEx* h = list.header();
    h->resize(300, 20);
    const QImage img = h->grab().toImage();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != (kBk & 0xffffff))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(Rgb(img.pixel(x, y)))));
}

void TestHeaderCtrlEx::modelRowOperations()
{
    RowListModel m;
    m.setColumns(QStringList{"a", "b", "c"}, {50, 60, 70});
    QCOMPARE(m.columnCount(), 3);
    QCOMPARE(m.appendRow({"0a", "0b", "0c"}), 0);
    QCOMPARE(m.appendRow({"1a"}), 1);                       // padded
    QCOMPARE(m.row(1), (QStringList{"1a", "", ""}));
    QCOMPARE(m.insertRow(0, {"xa", "xb", "xc", "extra"}), 0);  // cut to three cells
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.row(0), (QStringList{"xa", "xb", "xc"}));
    QCOMPARE(m.text(1, 1), QStringLiteral("0b"));
    QCOMPARE(m.insertRow(99, {"end"}), 3);                  // clamped to the end
    QVERIFY(m.setCell(2, 2, "1c"));
    QVERIFY(!m.setCell(2, 3, "x"));
    QVERIFY(!m.setCell(4, 0, "x"));
    QCOMPARE(m.text(2, 2), QStringLiteral("1c"));
    QCOMPARE(m.data(m.index(2, 2)).toString(), QStringLiteral("1c"));
    QVERIFY(m.setRow(3, {"e0", "e1", "e2"}));
    QVERIFY(!m.setRow(4, {"x"}));
    QVERIFY(m.removeRow(0));
    QVERIFY(!m.removeRow(3));
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.text(0, 0), QStringLiteral("0a"));
    QCOMPARE(m.text(1, 2), QStringLiteral("1c"));
    QCOMPARE(m.text(2, 1), QStringLiteral("e1"));
    QCOMPARE(m.text(5, 0), QString());
    m.setRowCount(5);
    QCOMPARE(m.rowCount(), 5);
    QCOMPARE(m.row(4), (QStringList{"", "", ""}));
    m.setRowCount(2);
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.text(1, 2), QStringLiteral("1c"));
    m.clear();
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(m.columnCount(), 3);
    QCOMPARE(m.data(m.index(0, 0)), QVariant());
}

void TestHeaderCtrlEx::modelColumnsAndHeaderData()
{
    RowListModel m;
    m.setColumns({{"REV.NO", "", 100}, {"용도", "", 500, Qt::AlignLeft}});
    QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("REV.NO"));
    QCOMPARE(m.headerData(1, Qt::Horizontal, RowListModel::WidthHintRole).toInt(), 500);
    m.appendRow({"0", "설계"});
    QCOMPARE(Qt::Alignment(m.data(m.index(0, 1), Qt::TextAlignmentRole).toInt()),
             Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(Qt::Alignment(m.data(m.index(0, 0), Qt::TextAlignmentRole).toInt()), Qt::Alignment(Qt::AlignCenter));
    QVERIFY(m.setColumnCaption(1, "목적"));
    QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("목적"));
    QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
    // Columns replaced: rows keep their first cells.
    m.setColumns(QStringList{"a", "b", "c"});
    QCOMPARE(m.row(0), (QStringList{"0", "설계", ""}));
}

void TestHeaderCtrlEx::selectionMark()
{
    ReportListView list;
    list.setReportColumns(Columns(2));
    for (int i = 0; i < 5; ++i)
        list.rows()->appendRow({QString::number(i), "x"});
    QCOMPARE(list.selectionMark(), -1);
    list.setSelectionMark(2);
    QCOMPARE(list.selectionMark(), 2);
    QCOMPARE(list.selectionModel()->selectedRows().size(), 1);
    list.rows()->removeRow(0);
    QCOMPARE(list.selectionMark(), 1);
    list.rows()->insertRow(0, {"n"});
    QCOMPARE(list.selectionMark(), 2);
    // The marked row removed: the mark stays on the row that follows; on the last row, none.
    list.rows()->removeRow(2);
    QCOMPARE(list.selectionMark(), 2);
    list.setSelectionMark(3);
    list.rows()->removeRow(3);
    QCOMPARE(list.selectionMark(), -1);
    list.setSelectionMark(1);
    list.setSelectionMark(-1);
    QCOMPARE(list.selectionMark(), -1);
    list.rows()->setRows({{"a", "b"}});
    QCOMPARE(list.selectionMark(), -1);
}

void TestHeaderCtrlEx::bigListFillsAndLaysOut()
{
    constexpr int kRows = 1000, kCols = 112;
    ReportListView list(nullptr, 40);
    QList<ReportColumn> cols;
    for (int c = 0; c < kCols; ++c)
        cols.append(ReportColumn{c % 7 == 3 ? QStringLiteral("두 줄\n%1").arg(c) : QStringLiteral("열%1").arg(c),
                                 c >= 10 && c < 20 ? QStringLiteral("그룹") : QString(), 60});
    list.setReportColumns(cols);
    std::vector<QStringList> rows(kRows);
    for (int r = 0; r < kRows; ++r) {
        QStringList& cells = rows[r];
        cells.reserve(kCols);
        for (int c = 0; c < kCols; ++c)
            cells.append(QString::number(r * 1000 + c));
    }
    list.rows()->setRows(std::move(rows));
    list.resize(1200, 600);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCoreApplication::processEvents();
    QCOMPARE(list.model()->rowCount(), kRows);
    QCOMPARE(list.model()->columnCount(), kCols);
    QCOMPARE(list.header()->count(), kCols);
    QCOMPARE(list.rows()->text(0, 0), QStringLiteral("0"));
    QCOMPARE(list.rows()->text(999, 111), QStringLiteral("999111"));
    QCOMPARE(list.rows()->text(500, 57), QStringLiteral("500057"));
    QCOMPARE(list.header()->groupRuns(), (QList<HeaderGroup>{{10, 10, "그룹"}}));
    QCOMPARE(list.header()->length(), kCols * 60);
    // Uniform rows: the vertical extent is rows × row height.
    QCOMPARE(list.verticalHeader()->length(), kRows * list.rowHeight());
    QVERIFY(list.verticalScrollBar()->maximum() > 0);
    QVERIFY(list.horizontalScrollBar()->maximum() > 0);
    list.scrollTo(list.model()->index(999, 111));
    QCoreApplication::processEvents();
    QVERIFY(list.viewport()->rect().intersects(list.visualRect(list.model()->index(999, 111))));
}

QTEST_MAIN(TestHeaderCtrlEx)
#include "tst_headerctrlex.moc"

// The cable list's two-line separator caption and a group caption over narrow columns: the
// list widens them until every caption shows whole; a column of width 0 stays hidden.
void TestHeaderCtrlEx::captionsAreReadWhole_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("width");
    QTest::newRow("short caption keeps its width") << "N" << "" << 80;
    QTest::newRow("two-line caption") << QStringLiteral("도체단면적(S)선정\nKECG-1702") << "" << 80;
    QTest::newRow("group over two narrow columns") << "[kW]" << QStringLiteral("임피던스 (%/km, 100MVA기준)") << 40;
    QTest::newRow("long one-line caption") << QStringLiteral("차단기 정격선정 KECG-1702") << "" << 60;
}

void TestHeaderCtrlEx::captionsAreReadWhole()
{
    QFETCH(QString, caption);
    QFETCH(QString, group);
    QFETCH(int, width);
    ReportListView list(nullptr, 40);
    list.setReportColumns({{caption, group, width}, {caption, group, width}, {QStringLiteral("hidden"), group, 0}});
    list.resize(800, 200);
    const QFontMetrics fm(list.header()->CaptionFont());
    for (int c = 0; c < 2; ++c) {
        for (const QString& line : caption.split(QLatin1Char('\n')))
            QVERIFY2(fm.horizontalAdvance(line) + 4 <= list.columnWidth(c),
                     qPrintable(QStringLiteral("%1 in %2").arg(line).arg(list.columnWidth(c))));
        QVERIFY(list.columnWidth(c) >= width);
    }
    if (!group.isEmpty())
        QVERIFY(fm.horizontalAdvance(group) + 4 <= list.columnWidth(0) + list.columnWidth(1));
    if (caption == QLatin1String("N"))
        QCOMPARE(list.columnWidth(0), width);
    QCOMPARE(list.columnWidth(2), 0);
    // Whole captions need no tip.
    bool cut = true;
    list.header()->CaptionAt(QPoint(list.columnWidth(0) / 2, 35), &cut);
    QVERIFY(!cut);
}

// A column the user narrows cuts its captions: pointing at them names the whole text.
void TestHeaderCtrlEx::cutCaptionNamesItsWholeText()
{
    ReportListView list(nullptr, 40);
    const QString group = QStringLiteral("거리 적용 임피던스 (%, 100MVA기준)");
    list.setReportColumns({{QStringLiteral("선종\n전압선"), QString(), 100}, {"R1", group, 60}, {"X1", group, 60}});
    list.resize(800, 200);
    CHeaderCtrlEx* h = list.header();
    h->resizeSection(0, 20);
    h->resizeSection(1, 8);
    h->resizeSection(2, 8);
    bool cut = false;
    QCOMPARE(h->CaptionAt(QPoint(5, 30), &cut), QStringLiteral("선종 전압선"));
    QVERIFY(cut);
    QCOMPARE(h->CaptionAt(QPoint(23, 3), &cut), group);
    QVERIFY(cut);
    QCOMPARE(h->CaptionAt(QPoint(23, 35), &cut), QStringLiteral("R1"));
    QVERIFY(cut);
    QVERIFY(h->CaptionAt(QPoint(500, 30), &cut).isEmpty());  // beyond the columns
}

// Impedances with six decimals ("16.666667") in 60-pixel columns: the list widens each column
// to its widest text as rows come and change, never narrows it, and leaves hidden ones alone.
void TestHeaderCtrlEx::widensToLongFigures()
{
    ReportListView list(nullptr, 40);
    list.setReportColumns({{"%", "%ZM", 60}, {"μ", "", 60}, {"hidden", "", 0}});
    list.setWidenToContents(true);
    list.resize(800, 200);
    const QFontMetrics fm(list.font());
    list.rows()->appendRow({"16.666667", "0.8", "123456789012345"});
    QVERIFY(list.columnWidth(0) >= fm.horizontalAdvance(QStringLiteral("16.666667")));
    QCOMPARE(list.columnWidth(1), 60);
    QCOMPARE(list.columnWidth(2), 0);
    QModelIndex cell = list.model()->index(0, 1);
    list.rows()->setCell(0, 1, QStringLiteral("1234.567890123"));
    QVERIFY(list.columnWidth(1) >= fm.horizontalAdvance(QStringLiteral("1234.567890123")));
    QVERIFY(!CutCellTextTips::IsCut(&list, cell));
    QVERIFY(!CutCellTextTips::IsCut(&list, list.model()->index(0, 0)));
    // Shorter texts later leave the width.
    const int wide = list.columnWidth(0);
    list.rows()->setRows({{"1", "2", "3"}});
    QCOMPARE(list.columnWidth(0), wide);
}
