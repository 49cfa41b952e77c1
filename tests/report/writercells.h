#pragma once
// Reads writercells.txt: the cells the report sheet writers fill, per template sheet.
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <map>
#include <vector>

struct WriterCellRange
{
    int r1 = 0, r2 = 0, c1 = 0, c2 = 0;
    int colStep = 0, count = 1, rowStep = 0;
};

// By template sheet index; empty when the file cannot be read.
inline std::map<int, std::vector<WriterCellRange>> LoadWriterCells(const QString& path)
{
    std::map<int, std::vector<WriterCellRange>> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f2 = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f2.size() < 5)
            continue;
        WriterCellRange r;
        r.r1 = f2[1].toInt();
        r.r2 = f2[2].toInt();
        r.c1 = f2[3].toInt();
        r.c2 = f2[4].toInt();
        if (f2.size() >= 7) {
            r.colStep = f2[5].toInt();
            r.count = f2[6].toInt();
        }
        if (f2.size() >= 8)
            r.rowStep = f2[7].toInt();
        const QStringList sheets = f2[0].split(QLatin1Char('-'));
        const int first = sheets.first().toInt(), last = sheets.last().toInt();
        for (int s = first; s <= last; ++s)
            out[s].push_back(r);
    }
    return out;
}

// Calls fn(row, col) for every cell of the ranges; a range repeated across pages (a column
// step) only for its first `pages` pages.
inline void ForEachWriterCell(const std::vector<WriterCellRange>& ranges, int pages,
                              const std::function<void(int, int)>& fn)
{
    for (const WriterCellRange& g : ranges) {
        const int n = g.colStep > 0 ? std::min(g.count, pages) : g.count;
        for (int i = 0; i < n; ++i)
            for (int r = g.r1; r <= g.r2; ++r)
                for (int c = g.c1; c <= g.c2; ++c)
                    fn(r + i * g.rowStep, c + i * g.colStep);
    }
}

#include "platform/xlsxbook.h"
#include "report/core/reportwriter.h"

// A stand-in sheet writer that fills every cell a real writer fills (for its first `pages`
// pages) with a short text, and then removes the template pages it left empty, as the
// writers do. `removeFrom(pages)` gives the first and last column to remove (first < 0: none).
class CellFillWriter : public ReportSheetWriter
{
public:
    using Removal = std::function<std::pair<int, int>(int pages)>;
    CellFillWriter(std::map<int, std::vector<WriterCellRange>> cells, int pages = 1 << 20,
                   Removal removal = {})
        : m_cells(std::move(cells)), m_pages(pages), m_removal(std::move(removal))
    {
    }

    void WriteSheet(const ReportSheetJob& job) override
    {
        const auto it = m_cells.find(job.templateSheet);
        if (it == m_cells.end())
            return;
        Sheet* sheet = job.sheet;
        ForEachWriterCell(it->second, m_pages, [sheet](int r, int c) {
            sheet->writeStr(r, c, QString::number(r * 1000 + c));
        });
        if (m_removal) {
            const auto [first, last] = m_removal(m_pages);
            if (first >= 0 && first <= last)
                sheet->removeCol(first, last);
        }
    }

private:
    std::map<int, std::vector<WriterCellRange>> m_cells;
    int m_pages;
    Removal m_removal;
};

// A report host without screens: fixed project texts, progress ignored, warnings kept.
class FixedReportHost : public ReportHost
{
public:
    ProjectScreenTexts texts;
    bool hasProjectScreen = true;
    QStringList warnings;
    void SetOutputProgress(const QString&, int) override {}
    void ReportWarning(const QString& text) override { warnings << text; }
    bool ReadProjectScreen(ProjectScreenTexts& out) override
    {
        if (hasProjectScreen)
            out = texts;
        return hasProjectScreen;
    }
};
