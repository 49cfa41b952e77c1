#pragma once
// A small grounding library and a worked-example grid for the grounding tests.
//
// The library holds the cells as the workbook loader prints them (αr "%f", K0 "%.0f",
// ρr and TCAP "%.4f", sizes "%.1f", diameters "%.0f"/"%.2f"); the material constants are those
// of IEEE Std 80-2000 Table 1, the sizes the IEC 60228 series, the rods and the stranded
// copper diameters representative catalogue values.
#include "app/core/sevrin.h"

#include <QString>
#include <QStringList>

inline void FillGroundingFixtureLibrary(GroundingLibBlockT& lib)
{
    const QStringList materials[] = {
        {"연동선", "100.0", "0.003930", "234", "1083.0", "1.7200", "3.4200"},
        {"경동선", "97.0", "0.003810", "242", "1084.0", "1.7800", "3.4200"},
        {"알루미늄선", "61.0", "0.004030", "228", "657.0", "2.8600", "2.5600"},
        {"동복강선", "40.0", "0.003780", "245", "1084.0", "4.4000", "3.8500"},
        {"내식 알루미늄 #5005", "53.5", "0.003530", "263", "652.0", "3.2200", "2.6000"},
        {"내식 알루미늄 #6201", "52.5", "0.003470", "268", "654.0", "3.2800", "2.6000"},
        {"알루미늄 복강선", "20.3", "0.003600", "258", "657.0", "8.4800", "3.5800"},
        {"아연 도금 강선", "8.6", "0.003200", "293", "419.0", "20.1000", "3.9300"},
        {"스테인리스강 #304", "2.4", "0.001300", "749", "1400.0", "72.0000", "4.0300"},
    };
    for (int e = 0; e < 9; ++e)
        for (int p = 0; p < 7; ++p)
            lib.ConductorMaterialTable.Cell(e, p) = materials[e][p];
    const char* sizes[16][2] = {
        {"0.0", "2.5"},     {"2.6", "4.0"},     {"4.1", "6.0"},     {"6.1", "10.0"},
        {"10.1", "16.0"},   {"16.1", "25.0"},   {"25.1", "35.0"},   {"35.1", "50.0"},
        {"50.1", "70.0"},   {"70.1", "95.0"},   {"95.1", "120.0"},  {"120.1", "150.0"},
        {"150.1", "185.0"}, {"185.1", "240.0"}, {"240.1", "300.0"}, {"300.1", "400.0"},
    };
    for (int e = 0; e < 16; ++e)
        for (int p = 0; p < 2; ++p)
            lib.GroundConductorSizeTable.Cell(e, p) = QString::fromUtf8(sizes[e][p]);
    const char* rods[11][3] = {
        {"10Φ×1.0M", "1.0", "10"}, {"12Φ×1.0M", "1.0", "12"}, {"14Φ×1.0M", "1.0", "14"},
        {"14Φ×1.2M", "1.2", "14"}, {"14Φ×1.5M", "1.5", "14"}, {"14Φ×1.8M", "1.8", "14"},
        {"16Φ×1.5M", "1.5", "16"}, {"16Φ×1.8M", "1.8", "16"}, {"16Φ×2.4M", "2.4", "16"},
        {"18Φ×2.4M", "2.4", "18"}, {"20Φ×3.0M", "3.0", "20"},
    };
    for (int e = 0; e < 11; ++e)
        for (int p = 0; p < 3; ++p)
            lib.GroundRodTable.Cell(e, p) = QString::fromUtf8(rods[e][p]);
    const char* diameters[11][2] = {
        {"16", "5.10"},  {"25", "6.40"},  {"35", "7.60"},   {"50", "9.00"},
        {"70", "10.70"}, {"95", "12.60"}, {"120", "14.20"}, {"150", "15.80"},
        {"185", "17.60"}, {"240", "20.20"}, {"300", "22.60"},
    };
    for (int e = 0; e < 11; ++e)
        for (int p = 0; p < 2; ++p)
            lib.GroundConductorDiameterTable.Cell(e, p) = QString::fromUtf8(diameters[e][p]);
}

// The worked example: a 70 m × 70 m square grid of 11 × 11 conductors at 7 m spacing
// (Lc = 22 × 70 = 1540 m, Lp = 280 m), buried 0.5 m, with twenty 3 m rods of 20 mm, in
// uniform 400 Ω-m soil under a 0.102 m crushed-rock layer of 2500 Ω-m; a 3.18 kA fault of
// 0.5 s with a split factor of 0.6; annealed copper, final size 50 mm² (index 7).
inline void SetWorkedExampleInputs(CSevrinApp::GroundingDesignBlockT& b)
{
    b = CSevrinApp::GroundingDesignBlockT{};
    b.GroundingConditionIndex = {0, 0, 0};
    const QStringList t = {
        "3.18", "0.5", "1", "1083", "40", "0.5", "20Φ", "3.0", "20", "2500", "0.102", "0.6", "1540", "280",
        "70", "70", "7", "10", "0", "0", "0", "0", "400", "0", "0", "0", "0", "1.0",
    };
    for (int i = 0; i < 28; ++i)
        b.GroundingConditionInput[i] = t[i];
    b.ConductorSizeIndex[1] = 7;
}
