// Workbook layer speed and memory: load a sheet, change one row, save. Three workloads: 1000 rows
// x 112 columns of text; the same size alternating numbers and short inline texts (as other
// programs write them); and that mixed sheet with 10,000 rows. The same job done by openpyxl in
// the same run is the yardstick. Peak memory is measured in a child process per job.
#include "platform/xlsxbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kCols = 112;

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
    del wb, ws
times.sort()
hwm = [l for l in open("/proc/self/status") if l.startswith("VmHWM:")][0].split()[1]
print("%.1f %s" % (times[len(times) // 2], hwm))
)PY";

QString python()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

bool makeSheet(const QString& path, int rows, bool mixed)
{
    Book b;
    Sheet* s = b.addSheet(QStringLiteral("Cables"));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            if (!mixed)
                s->writeStr(r, c, QStringLiteral("R%1C%2 케이블").arg(r).arg(c));
            else if (c % 2 == 0)
                s->writeNum(r, c, r * 0.25 + c * 1.5);
            else
                s->writeStr(r, c, QStringLiteral("T%1").arg((r + c) % 97));
        }
    return b.save(path);
}

struct Times
{
    double load = 0, save = 0, total = 0;
};

// One job: load, change row 501, save.
bool job(const QString& src, const QString& dst, Times* t)
{
    QElapsedTimer timer;
    timer.start();
    Book b;
    if (!b.load(src))
        return false;
    t->load = double(timer.nsecsElapsed()) / 1e6;
    Sheet* s = b.getSheet(0);
    for (int c = 0; c < kCols; ++c)
        s->writeStr(500, c, QStringLiteral("changed %1").arg(c));
    const double edited = double(timer.nsecsElapsed()) / 1e6;
    if (!b.save(dst))
        return false;
    t->total = double(timer.nsecsElapsed()) / 1e6;
    t->save = t->total - edited;
    return true;
}

// Peak resident memory of this process image in kB (VmHWM: unlike the rusage figure, it does not
// carry over the parent's memory through fork and exec).
long peakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Runs one job in a child process of this program; its peak resident memory in kB.
long childPeakKb(const QString& self, const QString& src, const QString& dst)
{
    QProcess p;
    p.start(self, {QStringLiteral("--one"), src, dst});
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().trimmed().toLong();
}

void workload(const char* title, const QString& self, const QTemporaryDir& dir, int rows, bool mixed, int runs,
              int pyRuns)
{
    const QString src = dir.filePath(QStringLiteral("in-%1-%2.xlsx").arg(rows).arg(mixed));
    const QString dst = dir.filePath(QStringLiteral("out-%1-%2.xlsx").arg(rows).arg(mixed));
    if (!makeSheet(src, rows, mixed)) {
        std::printf("%s: cannot write the test workbook\n", title);
        return;
    }
    std::printf("\n%s: %d rows x %d columns, %lld bytes\n", title, rows, kCols,
                static_cast<long long>(QFileInfo(src).size()));
    std::vector<double> load, save, total;
    for (int i = 0; i < runs; ++i) {
        Times t;
        if (!job(src, dst, &t)) {
            std::printf("  Book: failed\n");
            return;
        }
        load.push_back(t.load);
        save.push_back(t.save);
        total.push_back(t.total);
    }
    const double ours = median(total);
    const long ourPeak = childPeakKb(self, src, dst);
    std::printf("  Book:     load %.1f ms, save %.1f ms, load + change one row + save %.1f ms (median of %d); "
                "peak memory %.0f MB\n",
                median(load), median(save), ours, runs, double(ourPeak) / 1024);

    QProcess py;
    py.start(python(), {QStringLiteral("-c"), QString::fromUtf8(kOpenpyxl), src,
                        dir.filePath(QStringLiteral("py-out.xlsx")), QString::number(pyRuns)});
    if (!py.waitForFinished(600000) || py.exitCode() != 0) {
        std::printf("  openpyxl: not available (%s)\n", py.readAllStandardError().constData());
        return;
    }
    const QList<QByteArray> out = py.readAllStandardOutput().trimmed().split(' ');
    const double theirs = out.value(0).toDouble();
    const long theirPeak = out.value(1).toLong();
    std::printf("  openpyxl: load + change one row + save %.1f ms (median of %d); peak memory %.0f MB\n", theirs,
                pyRuns, double(theirPeak) / 1024);
    if (ours > 0 && ourPeak > 0)
        std::printf("  ratio:    %.1fx faster than openpyxl, %.2fx its peak memory\n", theirs / ours,
                    double(ourPeak) / double(theirPeak));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--one") == 0) {
        // Child: one job, then the peak memory in kB.
        Times t;
        if (!job(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), &t))
            return 1;
        std::printf("%ld\n", peakKb());
        return 0;
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    QTemporaryDir dir;
    workload("text sheet", self, dir, 1000, false, 9, 3);
    workload("mixed sheet", self, dir, 1000, true, 9, 3);
    workload("large mixed sheet", self, dir, 10000, true, 3, 1);
    return 0;
}
