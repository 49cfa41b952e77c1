// Start-up load of the reference workbooks and a burst of mixed named-table lookups, as the
// calculation screens issue them row after row.
// Targets: start-up load of both workbooks under 100 ms; 100,000 mixed lookups under 50 ms.
// Uses the shipped workbooks of the program folder (LIB/), or the test fixture when they are
// not built.
#include "benchpaths.h"
#include "../tests/library/libraryfixture.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/core/libraryio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::unique_ptr<CSevrinApp> NewApp(const QString& lib, const QString& breakers)
{
    auto app = std::make_unique<CSevrinApp>();
    app->ProjectPathTable.LibWorkbookPath = lib;
    app->ProjectPathTable.BreakerWorkbookPath = breakers;
    return app;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication qapp(argc, argv);
    QString lib = BenchProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    QString breakers = BenchProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    QTemporaryDir dir;
    if (!QFile::exists(lib) || !QFile::exists(breakers)) {
        lib = dir.filePath("lib_v3p4.xlsx");
        breakers = dir.filePath("breaker_v3p4.xlsx");
        if (!fixture::WriteLibrary(lib) || !fixture::WriteBreakers(breakers)) {
            std::fprintf(stderr, "cannot write the fixture workbooks\n");
            return 1;
        }
        std::printf("shipped workbooks not built: using the test fixture\n");
    }
    std::printf("library:  %s (%lld bytes)\nbreakers: %s (%lld bytes)\n", qPrintable(lib),
                QFile(lib).size(), qPrintable(breakers), QFile(breakers).size());

    // Start-up: the library loaded once, the breaker makers listed; every run on a fresh
    // application object and with the breaker cache dropped, as at a real start.
    std::vector<double> startup;
    for (int run = 0; run < 10; ++run) {
        auto app = NewApp(lib, breakers);
        libio::InvalidateBreakerCache();
        QElapsedTimer t;
        t.start();
        app->LoadLibraryWorkbook();
        app->LoadBreakerWorkbook(true, 0);
        startup.push_back(Ms(t));
    }
    std::printf("start-up load (library + breaker list): first %.1f ms, median of 10 %.1f ms "
                "(target < 100 ms)\n",
                startup.front(), Median(startup));

    auto app = NewApp(lib, breakers);
    app->LoadLibraryWorkbook();
    app->LoadBreakerWorkbook(true, 0);

    // A mix weighted like a cable row: ampacity and impedance lookups, breakers, conduits and
    // trays, correction factors, and the lookups of the project's breaker maker, which reload
    // its sheet every time (one maker per project, so the same sheet).
    struct Kind { const char* name; int column; double lo, hi; };
    const Kind kinds[] = {
        {"CABLE3B", 3, 1, 400},   {"CABLE1A", 3, 1, 300},  {"CABLESQ", 2, 1, 300},
        {"CABLEC", 6, 1, 300},    {"CABLEZ", 4, 1, 300},   {"HFIX2A", 2, 1, 100},
        {"MCCB3", 2, 1, 800},     {"MCCB3AF", 3, 15, 800}, {"MCB", 2, 1, 100},
        {"FCVSQ", 5, 1, 300},     {"ST", 3, 10, 3000},     {"TRAYDF", 10, 1, 6},
        {"TRAY", 2, 50, 1000},    {"TR", 2, 10, 3000},     {"TRIMP", 2, 50, 3000},
        {"LSMAT", 2, 5, 800},     {"LSMAF", 3, 30, 800},
    };
    const int kindCount = int(std::size(kinds));
    std::vector<QString> names;
    for (const Kind& k : kinds)
        names.push_back(QString::fromLatin1(k.name));
    const QString tdf = QStringLiteral("TDF");
    const QString maker = QStringLiteral("LSM");

    // Call i of kind k, the value swept over the kind's range.
    const auto call = [&](int k, int i) -> double {
        const double f = double((i * 7919) % 1000) / 1000.0;
        if (k < kindCount) {
            const Kind& kind = kinds[k];
            return app->VLookup(kind.lo + f * (kind.hi - kind.lo), names[std::size_t(k)], kind.column);
        }
        if (k == kindCount)
            return app->HLookup(20 + 5 * (i % 11), tdf);
        return ReadLeadingNumber(app->GetBreakerDelta(maker, 10 * (1 + i % 40), 6, QString()));
    };
    const int allKinds = kindCount + 2;

    constexpr int kLookups = 100000;
    double checksum = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < kLookups; ++i)
        checksum += call(i % allKinds, i);
    const double totalMs = Ms(total);
    std::printf("%d mixed lookups: %.1f ms, %.0f ns each (target < 50 ms; checksum %.3f)\n",
                kLookups, totalMs, totalMs * 1e6 / kLookups, checksum);

    // The same burst without the maker lookups, whose reload must ask the file system whether
    // the workbook changed (one system call each).
    total.restart();
    int plain = 0;
    for (int i = 0; plain < kLookups; ++i) {
        const int k = i % allKinds;
        if (k == kindCount + 1 || (k < kindCount && std::strncmp(kinds[k].name, "LSMA", 4) == 0))
            continue;
        checksum += call(k, i);
        ++plain;
    }
    std::printf("%d lookups of the same mix without the maker sheets: %.1f ms\n", kLookups, Ms(total));

    constexpr int kPerKind = 5000;
    for (int k = 0; k < allKinds; ++k) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kPerKind; ++i)
            checksum += call(k, i);
        const char* name = k < kindCount ? kinds[k].name : (k == kindCount ? "HLookup TDF" : "GetBreakerDelta");
        std::printf("  %-16s %7.0f ns per call\n", name, Ms(t) * 1e6 / kPerKind);
    }
    return checksum == 0 ? 1 : 0;
}
