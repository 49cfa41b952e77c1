// Filling and laying out a 1000-row × 112-column report list (the cable schedule's size).
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_listfill_gui
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <cstdio>
#include <vector>

#include "app/gui/rowlistmodel.h"

namespace {

constexpr int kRows = 1000;
constexpr int kCols = 112;

QList<ReportColumn> Columns()
{
    QList<ReportColumn> cols;
    for (int c = 0; c < kCols; ++c)
        cols.append(ReportColumn{c % 5 == 1 ? QStringLiteral("두 줄\n[%1]").arg(c) : QStringLiteral("열 %1").arg(c),
                                 (c / 8) % 2 ? QStringLiteral("그룹 %1").arg(c / 8) : QString(), 60});
    return cols;
}

std::vector<QStringList> Rows(int salt)
{
    std::vector<QStringList> rows(kRows);
    for (int r = 0; r < kRows; ++r) {
        rows[r].reserve(kCols);
        for (int c = 0; c < kCols; ++c)
            rows[r].append(QString::number((r + salt) * 0.37 + c, 'f', 2));
    }
    return rows;
}

double Ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ReportListView list(nullptr, 40);
    list.setReportColumns(Columns());
    list.resize(1400, 800);
    list.show();
    QApplication::processEvents();

    for (int round = 0; round < 3; ++round) {
        QElapsedTimer b;
        b.start();
        std::vector<QStringList> rows = Rows(round);  // the caller's texts
        const double build = Ms(b);
        QElapsedTimer t;
        t.start();
        list.rows()->setRows(std::move(rows));
        const double fill = Ms(t);
        QApplication::processEvents();  // layout and first paint
        list.viewport()->repaint();
        list.horizontalHeader()->viewport()->repaint();
        const double laidOut = Ms(t);
        list.scrollToBottom();
        list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum());
        list.viewport()->repaint();
        list.horizontalHeader()->viewport()->repaint();
        const double scrolled = Ms(t);
        std::printf("round %d: %d x %d  texts built %.1f ms; setRows %.1f ms, laid out and painted %.1f ms, "
                    "scrolled to the far corner and painted %.1f ms\n",
                    round, list.rows()->rowCount(), list.rows()->columnCount(), build, fill, laidOut, scrolled);
    }

    // Row by row, as a screen that appends one row at a time would.
    {
        std::vector<QStringList> rows = Rows(7);
        list.rows()->clear();
        QElapsedTimer t;
        t.start();
        for (const QStringList& r : rows)
            list.rows()->appendRow(r);
        QApplication::processEvents();
        list.viewport()->repaint();
        std::printf("appendRow x %d, laid out and painted: %.1f ms\n", kRows, Ms(t));
    }
    // Cell by cell into existing rows.
    {
        QElapsedTimer t;
        t.start();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                list.rows()->setCell(r, c, QStringLiteral("x"));
        QApplication::processEvents();
        list.viewport()->repaint();
        std::printf("setCell x %d, laid out and painted: %.1f ms\n", kRows * kCols, Ms(t));
    }
    return 0;
}
