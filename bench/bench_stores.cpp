// The cable schedule of a big project through the companion stores: 1000 cables of 112
// columns listed, one appended, all rewritten by one handler, and the fault-current search of
// every cable by its bus name over five bus workbooks of 100 pages.
// Targets: listing and appending under 0.1 s each, rewriting all rows under 1 s.
#include "benchcheck.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 1000;

void FillCable(std::array<QString, 112>& row, int r)
{
    for (int c = 0; c < 112; ++c)
        row[std::size_t(c)] = QString::number(r * 0.25 + c, 'f', 2);
    row[0] = QString::number(r + 1);
    row[1] = QStringLiteral("C-%1").arg(r, 4, 10, QLatin1Char('0'));
    row[2] = QStringLiteral("MCC-%1").arg(r % 40);
    // Every fourth cable feeds a motor-control-centre panel, the others a pump bus.
    row[3] = r % 4 == 0 ? QStringLiteral("MCC-%1").arg(r % 40) : QStringLiteral("펌프 %1").arg(r % 250);
}

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-52s %9.1f ms  (target < %.0f ms)%s\n", what, ms, targetMs,
                ms < targetMs ? "" : "  OVER");
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QDir(dir.path()).mkpath("P1");
    auto app = std::make_unique<CSevrinApp>();
    CSevrinApp& a = *app;
    a.ProjectPathTable.CompanionSuffixTable = BenchCompanionSuffixes();
    a.ProjectPathTable.CurrentProjectPath = dir.filePath("P1/P1.pro");
    auto& row = a.CableScheduleBlock.CableRow;

    // The schedule as a project brings it: one file of 1000 rows.
    QElapsedTimer t;
    t.start();
    {
        CompanionBatch batch;
        for (int r = 0; r < kRows; ++r) {
            FillCable(row, r);
            Require(a.WriteCableRow(r, false), "WriteCableRow");
        }
        if (!batch.finish())
            return 2;
    }
    const double build = Ms(t);
    const QString cablePath = a.CompanionPath(CSevrinApp::CableWorkbook);
    std::printf("cable schedule: %d rows x 112 columns, %lld bytes\n", kRows,
                QFileInfo(cablePath).size());
    Report("write 1000 rows in one handler (new file)", build, 1000);

    // Listing after the project is opened: the first read parses the file.
    companion::DropCache();
    t.restart();
    int listed = 0;
    while (a.ReadCableRow(listed))
        ++listed;
    Report("list 1000 rows, file not yet parsed", Ms(t), 100);
    t.restart();
    listed = 0;
    while (a.ReadCableRow(listed))
        ++listed;
    Report("list 1000 rows again", Ms(t), 100);
    if (listed != kRows)
        return 3;

    // One cable added by the user: written and saved before the handler returns.
    FillCable(row, kRows);
    t.restart();
    Require(a.WriteCableRow(kRows, false), "WriteCableRow");
    Report("append one row (saved)", Ms(t), 100);
    FillCable(row, kRows + 1);
    t.restart();
    Require(a.WriteCableRow(10, true), "WriteCableRow");
    Report("insert one row at 10 (saved)", Ms(t), 100);
    t.restart();
    Require(a.DeleteCableRow(10), "DeleteCableRow");
    Report("delete row 10 (saved)", Ms(t), 100);

    // A handler that recomputes and rewrites every cable.
    t.restart();
    {
        CompanionBatch batch;
        for (int r = 0; r < kRows; ++r) {
            a.ReadCableRow(r);
            row[60] = QString::number(r % 300);
            row[103] = QString::number(r * 0.01, 'f', 2);
            Require(a.WriteCableRow(r, false), "WriteCableRow");
        }
        Require(batch.finish(), "finish");
    }
    Report("rewrite all 1000 rows in one handler (saved)", Ms(t), 1000);

    // Bus workbooks of five transformers, 100 pages each; 25 named buses per transformer.
    for (int tr = 0; tr < 5; ++tr) {
        Book book;
        for (int p = 0; p < 100; ++p) {
            Sheet* s = book.addSheet(QString::number(p));
            if (p < 50) {
                const QString bus = p < 40 ? QStringLiteral("MCC-%1").arg(p)
                                           : QStringLiteral("펌프 %1 BUS").arg(tr * 50 + p);
                for (int r = 1; r <= 5; ++r)
                    for (int c = 0; c < 20; ++c)
                        s->writeStr(r, c, c == 16 ? bus : QString::number(c));
                s->writeStr(0, 1, QString::number(20 + tr));
                s->writeStr(0, 2, QString::number(10 + tr));
            }
        }
        Require(book.save(a.BusWorkbookPath(tr)), "save");
    }
    {
        CompanionBatch batch;
        for (int p = 0; p < 40; ++p) {
            a.MotorControlCenterBlock.MccPanelRecord[0] = QStringLiteral("MCC-%1").arg(p);
            Require(a.AddMccPanelSheet(), "AddMccPanelSheet");
        }
    }
    // The cable screen's search: the panel names once, then each cable by its "To".
    t.restart();
    a.CollectPanelNames();
    int matched = 0;
    {
        CompanionBatch batch;
        for (int r = 0; a.ReadCableRow(r); ++r) {
            double lo = -1, hi = -1;
            const QString to = row[3];
            for (int tr = 0; tr < 5; ++tr) {
                const bool hit = a.IsPanelName(to) ? a.FindBusFaultValues(tr, to, lo, hi)
                                                   : a.FindBusFaultValuesContaining(tr, to, lo, hi);
                if (hit) {
                    ++matched;
                    break;
                }
            }
            row[51] = QString::number(lo);
            row[103] = QString::number(hi);
            Require(a.WriteCableRow(r, false), "WriteCableRow");
        }
        Require(batch.finish(), "finish");
    }
    std::printf("bus search: %d of %d cables matched\n", matched, kRows + 1);
    Report("search 1000 cables by bus name and store (saved)", Ms(t), 1000);
    return 0;
}
