// Report output speed: a full report of a large project, every report chosen and every page
// of the template filled (480 cables, 50 panels, 50 boards, 30 trays, five transformers, 180
// generator loads, the fault-current pages and 100 buses on each of the five bus sheets, the
// grounding pages), through the report driver with stand-in sheet writers that fill exactly
// the writers' cells. The yardstick: openpyxl writing the same cells into the same template
// in the same run (load, write, remove the spare sheet, protect, save).
#include "benchpaths.h"
#include "../tests/report/writercells.h"

#include "app/core/sevrin.h"
#include "report/core/reportdriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 3;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const char* kOpenpyxl = R"PY(
import sys, time, openpyxl
src, cellsfile, dst = sys.argv[1], sys.argv[2], sys.argv[3]
cells = {}
for line in open(cellsfile, encoding="utf-8"):
    line = line.strip()
    if not line or line.startswith("#"):
        continue
    f = line.split()
    r1, r2, c1, c2 = map(int, f[1:5])
    colstep, count, rowstep = 0, 1, 0
    if len(f) >= 7:
        colstep, count = int(f[5]), int(f[6])
    if len(f) >= 8:
        rowstep = int(f[7])
    lo, _, hi = f[0].partition("-")
    for s in range(int(lo), int(hi or lo) + 1):
        lst = cells.setdefault(s, [])
        for i in range(count):
            for r in range(r1, r2 + 1):
                for c in range(c1, c2 + 1):
                    lst.append((r + i * rowstep, c + i * colstep))
t0 = time.perf_counter()
wb = openpyxl.load_workbook(src)
t1 = time.perf_counter()
n = 0
for s, lst in cells.items():
    ws = wb.worksheets[s]
    for r, c in lst:
        ws.cell(row=r + 1, column=c + 1, value=str(r * 1000 + c))
        n += 1
wb.remove(wb.worksheets[-1])
for ws in wb.worksheets:
    ws.protection.sheet = True
t2 = time.perf_counter()
wb.save(dst)
t3 = time.perf_counter()
print("%d %.0f %.0f %.0f %.0f" % (n, (t1 - t0) * 1000, (t2 - t1) * 1000, (t3 - t2) * 1000, (t3 - t0) * 1000))
)PY";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString form = BenchProgramDir() + QStringLiteral("/FORM/form.xlsx");
    const QString cellsFile = BenchSourceDir() + QStringLiteral("/tests/report/writercells.txt");
    if (!QFileInfo::exists(form)) {
        std::fprintf(stderr, "no template at %s (build first)\n", qPrintable(form));
        return 1;
    }
    const auto cells = LoadWriterCells(cellsFile);
    long cellCount = 0;
    for (const auto& [sheet, ranges] : cells)
        if (sheet > 0)
            ForEachWriterCell(ranges, 1 << 20, [&cellCount](int, int) { ++cellCount; });

    ClearReportSheetWriters();
    for (int r = 1; r < kReportCount; ++r)
        SetReportSheetWriter(r, std::make_shared<CellFillWriter>(cells));
    FixedReportHost host;
    host.texts.projectName = QStringLiteral("대형 플랜트 증설");
    host.texts.date = QStringLiteral("2026.12.11");
    for (int i = 0; i < 10; ++i)
        host.texts.issueRows.push_back({QString::number(i), QStringLiteral("2026.12.%1").arg(i + 1),
                                        QStringLiteral("실시설계"), QStringLiteral("설계"),
                                        QStringLiteral("검토"), QStringLiteral("승인")});
    ReportChoiceSet all;
    all.fill(1);
    theApp.ReportStopFlag = 0;

    QTemporaryDir dir;
    const QString report = dir.path() + QStringLiteral("/report.xlsx");
    std::vector<double> copyMs, driverMs;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        if (!CopyReportTemplate(form, report)) {
            std::fprintf(stderr, "cannot copy the template\n");
            return 1;
        }
        copyMs.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        const ReportRunResult result = WriteReportWorkbook(report, all, host, ReportRunSettings{});
        driverMs.push_back(t.nsecsElapsed() / 1e6);
        if (result != ReportRunResult::Saved) {
            std::fprintf(stderr, "the report run failed\n");
            return 1;
        }
    }
    const qint64 reportSize = QFileInfo(report).size();

    QProcess py;
    const QString dst = dir.path() + QStringLiteral("/openpyxl.xlsx");
    py.start(QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                   : QStringLiteral("python3"),
             {QStringLiteral("-c"), QString::fromUtf8(kOpenpyxl), form, cellsFile, dst});
    py.waitForFinished(600000);
    const QStringList f = QString::fromUtf8(py.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));

    std::printf("report output, full template (%lld bytes), every report chosen\n",
                static_cast<long long>(QFileInfo(form).size()));
    std::printf("  writer cells filled:           %ld (plus the cover's %d)\n", cellCount, 3 + 10 * 6);
    std::printf("  template copy:                 %.1f ms (median of %d)\n", Median(copyMs), kRuns);
    std::printf("  WriteReportWorkbook:           %.0f ms (median of %d; load, fill, keep, protect, save)\n",
                Median(driverMs), kRuns);
    std::printf("  report size:                   %lld bytes\n", static_cast<long long>(reportSize));
    if (f.size() == 5) {
        std::printf("  openpyxl, same cells:          %s ms (load %s, write %s, save %s; %s cells)\n",
                    qPrintable(f[4]), qPrintable(f[1]), qPrintable(f[2]), qPrintable(f[3]), qPrintable(f[0]));
        std::printf("  openpyxl / ours:               %.1f x\n", f[4].toDouble() / Median(driverMs));
    } else {
        std::printf("  openpyxl: not run (%s)\n", qPrintable(QString::fromUtf8(py.readAllStandardError()).left(200)));
    }
    return 0;
}
