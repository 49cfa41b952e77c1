// Workbook layer speed: load a 1000-row x 112-column text sheet, change one row, save. The same
// job done by openpyxl in the same run is the yardstick.
#include "platform/xlsxbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRows = 1000;
constexpr int kCols = 112;
constexpr int kRuns = 9;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const char* kOpenpyxl = R"PY(
import sys, time, openpyxl
src, dst, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
times = []
for i in range(runs):
    t0 = time.perf_counter()
    wb = openpyxl.load_workbook(src)
    ws = wb.worksheets[0]
    for c in range(1, 113):
        ws.cell(row=501, column=c, value="changed %d" % c)
    wb.save(dst)
    times.append((time.perf_counter() - t0) * 1000)
times.sort()
print("%.1f" % times[len(times) // 2])
)PY";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("big.xlsx"));
    const QString dst = dir.filePath(QStringLiteral("big-out.xlsx"));
    {
        Book b;
        Sheet* s = b.addSheet(QStringLiteral("Cables"));
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                s->writeStr(r, c, QStringLiteral("R%1C%2 케이블").arg(r).arg(c));
        if (!b.save(src)) {
            std::fprintf(stderr, "cannot write the test workbook\n");
            return 1;
        }
    }
    std::printf("workbook: %d rows x %d text columns, %lld bytes\n", kRows, kCols,
                static_cast<long long>(QFileInfo(src).size()));

    std::vector<double> total, load, save;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        Book b;
        if (!b.load(src))
            return 1;
        const double tLoad = double(t.nsecsElapsed()) / 1e6;
        Sheet* s = b.getSheet(0);
        for (int c = 0; c < kCols; ++c)
            s->writeStr(500, c, QStringLiteral("changed %1").arg(c));
        const double tEdit = double(t.nsecsElapsed()) / 1e6;
        if (!b.save(dst))
            return 1;
        const double tAll = double(t.nsecsElapsed()) / 1e6;
        load.push_back(tLoad);
        save.push_back(tAll - tEdit);
        total.push_back(tAll);
    }
    const double ours = median(total);
    std::printf("Book: load %.1f ms, save %.1f ms, load + change one row + save %.1f ms (median of %d)\n",
                median(load), median(save), ours, kRuns);

    QProcess py;
    const QString python =
        QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3") : QStringLiteral("python3");
    py.start(python, {QStringLiteral("-c"), QString::fromUtf8(kOpenpyxl), src,
                      dir.filePath(QStringLiteral("py-out.xlsx")), QStringLiteral("3")});
    if (!py.waitForFinished(300000) || py.exitCode() != 0) {
        std::printf("openpyxl: not available (%s)\n", py.readAllStandardError().constData());
        return 0;
    }
    const double theirs = py.readAllStandardOutput().trimmed().toDouble();
    std::printf("openpyxl: load + change one row + save %.1f ms (median of 3)\n", theirs);
    if (ours > 0)
        std::printf("ratio: %.1fx faster than openpyxl\n", theirs / ours);
    return 0;
}
