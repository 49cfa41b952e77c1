#include "benchproject.h"

#include "app/core/companionworkbook.h"

#include <algorithm>

std::array<QString, 12> BenchCompanionSuffixes()
{
    return {"_10.xlsx", "_20.xlsx",  "_40.xlsx",  "_50.xlsx",  "_30.xlsx",  "_60.xlsx",
            "_80.xlsx", "_851.xlsx", "_852.xlsx", "_853.xlsx", "_854.xlsx", "_855.xlsx"};
}

MccLoadRow BenchMccLoad(const LibTable& motors, int panel, int k)
{
    MccLoadRow row;
    row[MccCol::Name] = QStringLiteral("부하 %1").arg(k + 1);
    row[MccCol::Number] = QStringLiteral("M-%1-%2").arg(panel + 1).arg(k + 1);
    row[MccCol::Spare] = k % 10 == 9 ? QStringLiteral("Y") : QStringLiteral("N");
    row[MccCol::Phases] = QStringLiteral("3P");
    row[MccCol::DemandFactor] = QStringLiteral("0.8");
    const int e = (panel + k) % std::max(1, motors.Count);
    if (k % 5 == 4 || motors.Count == 0) {
        row[MccCol::Kind] = QStringLiteral("L1");
        row[MccCol::Kva] = QStringLiteral("12");
        row[MccCol::StartMethod] = QStringLiteral("-");
    } else {
        row[MccCol::Kind] = QStringLiteral("M");
        row[MccCol::Kw] = motors.Cell(e, 1);
        row[MccCol::StartMethod] = motors.Cell(e, 7);
    }
    return row;
}

bool WriteBenchMccPanels(CSevrinApp& a, int panels, int loads)
{
    auto& rec = a.MotorControlCenterBlock.MccPanelRecord;
    CompanionBatch batch;
    for (int p = 0; p < panels; ++p) {
        rec = {};
        rec[0] = QStringLiteral("MCC-%1").arg(p + 1);
        rec[3] = QStringLiteral("TR-1");
        rec[4] = QStringLiteral("0.38");
        rec[5] = QStringLiteral("3P4W");
        if (!a.AddMccPanelSheet())
            return false;
        for (int k = 0; k < loads; ++k) {
            a.MotorControlCenterBlock.MccLoadRow = BenchMccLoad(a.MotorLibBlock.MotorTable2, p, k);
            if (!a.WriteMccLoadRow(p, k, false))
                return false;
        }
    }
    return batch.finish();
}
