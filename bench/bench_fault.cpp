// "계산" of the fault-current screen on a big project: 5 transformers with 2 motors each,
// 100 buses per transformer (every page of every bus workbook in use, two cables per bus) and
// 1000 feeder cables in the data workbook. Target: the whole calculation under 1 s.
#include "benchcheck.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "platform/xlsxbook.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-56s %9.1f ms  (target < %.0f ms)%s\n", what, ms, targetMs,
                ms < targetMs ? "" : "  OVER");
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    auto app = std::make_unique<CSevrinApp>();
    CSevrinApp& a = *app;
    a.ProjectPathTable.CompanionSuffixTable = BenchCompanionSuffixes();
    a.ProjectPathTable.CurrentProjectPath = dir.filePath("BIG.pro");
    LibTable& trimp = a.TransformerLibBlock.TRIMP;
    trimp.Cell(0, 0) = "1000";
    trimp.Cell(0, 1) = "5";
    trimp.Cell(0, 2) = "6";
    trimp.Count = 1;
    LibTable& cbl = a.CableLibBlock.CBLIMP;
    const double sizes[4] = {35, 70, 120, 240};
    for (int e = 0; e < 4; ++e) {
        cbl.Cell(e, 0) = QString::number(sizes[e]);
        cbl.Cell(e, 12) = QString::number(23.52 / sizes[e], 'f', 6);
        cbl.Cell(e, 13) = "0.080";
    }
    cbl.Count = 4;
    a.FaultCurrentBlock.UtilityInput = {"S/S", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    a.FaultCurrentBlock.FaultConditionText = {"0.00393", "90", "20", "0.00393", "250", "20",
                                             "1.1", "0.95", "1.1", "1", "1.1", "1"};

    QElapsedTimer t;
    t.start();
    {
        CompanionBatch batch;
        fault::FillFaultList(a, fault::LineSheet);
        for (int k = 0; k < fault::kTransformers; ++k) {
            auto& row = a.FaultCurrentBlock.TransformerImpedanceRow;
            row = {};
            row[1] = "1000";
            row[2] = "5";
            row[4] = "0.38";
            row[7] = "0";
            fault::CalcTransformerImpedance(a, row, 2.0, 20.0);
            Require(a.WriteFaultDataRow(fault::TransformerSheet, k, false), "WriteFaultDataRow");
            for (int m = 0; m < 2; ++m) {
                auto& motor = a.FaultCurrentBlock.FaultMotorRow;
                motor = {};
                motor[0] = QString::number(m + 1);
                motor[3] = "55";
                motor[4] = "65.79";
                motor[6] = "0.38";
                motor[9] = "6.5";
                motor[10] = "4";
                motor[11] = "2.5";
                fault::CalcMotorImpedance(motor);
                Require(a.WriteFaultDataRow(fault::FirstMotorSheet + k, m, false), "WriteFaultDataRow");
            }
        }
        a.FaultCurrentBlock.FaultCableCount = 0;
        for (int i = 0; i < 1000; ++i) {
            fault::CableRowInputs c{QStringLiteral("MCC-%1").arg(i % 100), QStringLiteral("LOAD-%1").arg(i),
                                    QString::number(10 + i % 90), "FCV",
                                    QString::number(sizes[i % 4]), "1", "4", "35", "1"};
            Require(bool(fault::AddFaultCableRow(a, c, 0.7843, 1.4931)), "AddFaultCableRow");
        }
        Require(batch.finish(), "finish");
    }
    fault::FaultBusPages pages;
    // Creates the five bus workbooks.
    Require(fault::LoadFaultBusData(a, pages).ok(), "LoadFaultBusData");
    {
        CompanionBatch batch;
        auto& bus = a.FaultCurrentBlock.BusRow;
        for (int k = 0; k < fault::kTransformers; ++k) {
            for (int s = 0; s < fault::kBusPagesPerWorkbook; ++s) {
                for (int r = 0; r < 2; ++r) {
                    a.ReadFaultDataRow(fault::CableSheet, (k * 200 + s * 2 + r) % 1000);
                    for (int c = 0; c < 16; ++c)
                        bus[std::size_t(c)] = a.FaultCurrentBlock.FaultCableRow[std::size_t(c + 1)];
                    bus[16] = QStringLiteral("BUS-%1-%2").arg(k + 1).arg(s + 1);
                    bus[17] = "0.38";
                    bus[18] = QStringLiteral("TR-%1").arg(k + 1);
                    bus[19] = "0";
                    Require(a.WriteBusRow(k, s, r), "WriteBusRow");
                }
            }
        }
        Require(batch.finish(), "finish");
    }
    std::printf("set-up (1000 cables, 500 buses with 1000 bus rows)        %9.1f ms\n", Ms(t));

    companion::DropCache();
    t.restart();
    Require(fault::LoadFaultBusData(a, pages).ok(), "LoadFaultBusData");
    Report("project load: five bus workbooks (cold)", Ms(t), 1000);

    companion::DropCache();
    t.restart();
    Require(fault::CalcFaultCurrent(a, pages).ok(), "CalcFaultCurrent");
    Report("\"계산\": 5 transformers x 100 buses (cold workbooks)", Ms(t), 1000);

    t.restart();
    Require(fault::CalcFaultCurrent(a, pages).ok(), "CalcFaultCurrent");
    Report("\"계산\" again (workbooks cached)", Ms(t), 1000);

    double mn = 0, mx = 0;
    const bool found = a.FindBusFaultValues(4, "BUS-5-100", mn, mx);
    std::printf("check: BUS-5-100 %s, Ib(IF-MAX) %.3f kA, Ib(IF-MIN) %.3f kA\n",
                found ? "found" : "MISSING", mx, mn);
    return found && mx > 0 ? 0 : 1;
}
