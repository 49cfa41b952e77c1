// Workbook layer speed and memory: load a sheet, change one cell, save. Four workloads: 1000 rows
// x 112 columns alternating numbers and short inline texts (as other programs write them; target
// 30 times faster than openpyxl); the same size of text; and both with 10,000 rows. The same
// job done by openpyxl is the yardstick, run after each of ours in turn, so that both see the
// same load of the machine. Peak memory, minor page faults and system time of one job are
// measured in a child process.
#include "platform/xlsxbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

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
src, dst = sys.argv[1], sys.argv[2]
t0 = time.perf_counter()
wb = openpyxl.load_workbook(src)
wb.worksheets[0].cell(row=501, column=1, value="changed")
wb.save(dst)
t = (time.perf_counter() - t0) * 1000
hwm = [l for l in open("/proc/self/status") if l.startswith("VmHWM:")][0].split()[1]
print("%.1f %s" % (t, hwm))
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

// One job: load, change one cell of row 501, save.
bool job(const QString& src, const QString& dst, Times* t)
{
    QElapsedTimer timer;
    timer.start();
    Book b;
    if (!b.load(src))
        return false;
    t->load = double(timer.nsecsElapsed()) / 1e6;
    Sheet* s = b.getSheet(0);
    s->writeStr(500, 0, QStringLiteral("changed"));
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

struct ChildFigures
{
    long peakKb = -1;
    long minorFaults = -1;
    double systemMs = -1;
};

// Runs one job in a child process of this program: its peak resident memory, minor page faults
// and system time, as the child measured them.
ChildFigures childFigures(const QString& self, const QString& src, const QString& dst)
{
    QProcess p;
    p.start(self, {QStringLiteral("--one"), src, dst});
    ChildFigures f;
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        return f;
    const QList<QByteArray> out = p.readAllStandardOutput().trimmed().split(' ');
    f.peakKb = out.value(0).toLong();
    f.minorFaults = out.value(1).toLong();
    f.systemMs = out.value(2).toDouble();
    return f;
}

// openpyxl's time of one job in ms (and its peak memory in kB); negative when it cannot run.
double openpyxlJob(const QString& src, const QString& dst, long* peakKb, QByteArray* error)
{
    QProcess py;
    py.start(python(), {QStringLiteral("-c"), QString::fromUtf8(kOpenpyxl), src, dst});
    if (!py.waitForFinished(600000) || py.exitCode() != 0) {
        *error = py.readAllStandardError();
        return -1;
    }
    const QList<QByteArray> out = py.readAllStandardOutput().trimmed().split(' ');
    *peakKb = out.value(1).toLong();
    return out.value(0).toDouble();
}

void workload(const char* title, const QString& self, const QTemporaryDir& dir, int rows, bool mixed, int runs)
{
    const QString src = dir.filePath(QStringLiteral("in-%1-%2.xlsx").arg(rows).arg(mixed));
    const QString dst = dir.filePath(QStringLiteral("out-%1-%2.xlsx").arg(rows).arg(mixed));
    const QString pyDst = dir.filePath(QStringLiteral("py-out.xlsx"));
    if (!makeSheet(src, rows, mixed)) {
        std::printf("%s: cannot write the test workbook\n", title);
        return;
    }
    std::printf("\n%s: %d rows x %d columns, %lld bytes\n", title, rows, kCols,
                static_cast<long long>(QFileInfo(src).size()));
    std::vector<double> load, save, total, theirs;
    long theirPeak = 0;
    QByteArray pyError;
    // Ours and openpyxl's in turn, each round on the machine as it is then.
    for (int i = 0; i < runs; ++i) {
        Times t;
        if (!job(src, dst, &t)) {
            std::printf("  Book: failed\n");
            return;
        }
        load.push_back(t.load);
        save.push_back(t.save);
        total.push_back(t.total);
        if (pyError.isEmpty()) {
            long peak = 0;
            const double ms = openpyxlJob(src, pyDst, &peak, &pyError);
            if (ms >= 0) {
                theirs.push_back(ms);
                theirPeak = std::max(theirPeak, peak);
            }
        }
        std::printf("  round %d: Book %.1f ms, openpyxl %s ms\n", i + 1, t.total,
                    theirs.size() == size_t(i + 1) ? qPrintable(QString::number(theirs.back(), 'f', 1)) : "-");
    }
    const double ours = median(total);
    const ChildFigures child = childFigures(self, src, dst);
    std::printf("  Book:     load %.1f ms, save %.1f ms, load + change one cell + save %.1f ms (median of %d; "
                "best %.1f)\n",
                median(load), median(save), ours, runs, *std::min_element(total.begin(), total.end()));
    std::printf("            one job in a process of its own: peak memory %.0f MB, %ld minor page faults, "
                "system time %.0f ms\n",
                double(child.peakKb) / 1024, child.minorFaults, child.systemMs);
    if (theirs.empty()) {
        std::printf("  openpyxl: not available (%s)\n", pyError.constData());
        return;
    }
    const double py = median(theirs);
    std::printf("  openpyxl: load + change one cell + save %.1f ms (median of %zu; best %.1f); peak memory %.0f MB\n",
                py, theirs.size(), *std::min_element(theirs.begin(), theirs.end()), double(theirPeak) / 1024);
    if (ours > 0 && child.peakKb > 0)
        std::printf("  ratio:    %.1fx faster than openpyxl (medians), %.2fx its peak memory\n", py / ours,
                    double(child.peakKb) / double(theirPeak));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--one") == 0) {
        // Child: one job, then its peak memory in kB, minor page faults and system time in ms.
        Times t;
        if (!job(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), &t))
            return 1;
        rusage ru{};
        getrusage(RUSAGE_SELF, &ru);
        std::printf("%ld %ld %.1f\n", peakKb(), ru.ru_minflt,
                    double(ru.ru_stime.tv_sec) * 1e3 + double(ru.ru_stime.tv_usec) / 1e3);
        return 0;
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    QTemporaryDir dir;
    workload("mixed sheet", self, dir, 1000, true, 9);
    workload("text sheet", self, dir, 1000, false, 5);
    workload("large text sheet", self, dir, 10000, false, 3);
    workload("large mixed sheet", self, dir, 10000, true, 3);
    return 0;
}
