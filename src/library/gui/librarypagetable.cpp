#include "librarypagetable.h"

#include "library/core/libraryblocks.h"

#include <algorithm>
#include <cstring>

namespace {

using Cols = std::vector<LibColumnDesc>;
constexpr LibStaticStyle VC = LibStaticStyle::VCentered;
constexpr LibStaticStyle LE = LibStaticStyle::LabelBeforeEdit;

// The six columns of a breaker table's main part ("P" ... "비고").
Cols BreakerMainColumns(int width)
{
    return {{"P", "", width, 0},           {"AT", "", width, 1},       {"AF", "", width, 2},
            {"TYPE", "", width, 3},        {"kA(KECG)", "", width, 4}, {"비고", "", 100, 5}};
}

// The four extension columns the breaker lookups read.
Cols BreakerExtColumns()
{
    return {{"DD", "", 70, 0}, {"AT", "", 70, 1}, {"AF", "", 70, 2}, {"kA(KECG)", "", 70, 3}};
}

// Size, then R and X single-phase and three-phase of one cable kind.
Cols ImpedanceColumns(int sizeWidth, int p1, const char* threePhase)
{
    return {{"[㎟]", "단면적", sizeWidth, 0},
            {"R", "단상", 80, p1},
            {"X", "단상", 80, p1 + 1},
            {"R", threePhase, 80, p1 + 2},
            {"X", threePhase, 80, p1 + 3}};
}

// The XLPE ampacity lists of one core group: size, four methods and a hairline column.
Cols AmpacityColumns(const char* a, const char* b, int p1)
{
    return {{"[[㎟]", "단면적", 58, 0}, {"A", a, 55, p1},     {"B", b, 55, p1 + 1},
            {"D", "D1", 55, p1 + 2},    {"E", "F", 55, p1 + 3}, {"", "", 1, kNoCell}};
}

// Four methods of the derived size tables: lookup keys, derated current, size per method.
Cols MethodTableColumns()
{
    Cols cols;
    const char* methods[4] = {"A", "B", "D", "E"};
    for (int slot = 0; slot < 4; ++slot) {
        cols.push_back({"DD", methods[slot], 60, 0, slot});
        cols.push_back({"전류", methods[slot], 60, 1, slot});
        cols.push_back({"SQ", methods[slot], 60, 2, slot});
    }
    return cols;
}

// Methods A, B, D, E under one group caption, from property p1 on.
void AppendMethods(Cols& cols, const char* group, int width, int p1)
{
    const char* methods[4] = {"A", "B", "D", "E"};
    for (int i = 0; i < 4; ++i)
        cols.push_back({methods[i], group, width, p1 + i});
}

// One factor row: "보정계수" under the unit caption, then one column per key.
Cols FactorRowColumns(const char* unit, std::vector<const char*> keys)
{
    Cols cols{{unit, "", 80, kRowLabel}};
    for (int i = 0; i < int(keys.size()); ++i)
        cols.push_back({keys[size_t(i)], "", 80, i});
    return cols;
}

// Outer diameter and section of 1- to 4-core cables.
Cols CableSectionColumns()
{
    Cols cols{{"[㎟]", "단면적", 70, 0}};
    const char* cores[4] = {"1C", "2C", "3C", "4C"};
    for (int k = 0; k < 4; ++k) {
        cols.push_back({"외경[mm]", cores[k], 70, 2 * k + 1});
        cols.push_back({"단면적[㎟]", cores[k], 70, 2 * k + 2});
    }
    return cols;
}

// The outer-diameter conversion table.
Cols CableConversionColumns()
{
    return {{"[mm]", "외경", 70, 0}, {"1", "Core", 70, 1},   {"2", "Core", 70, 2},
            {"3", "Core", 70, 3},    {"4", "Core", 70, 4},   {"[㎟]", "단면적", 70, 5},
            {"1", "Core", 70, 6},    {"2", "Core", 70, 7},   {"3", "Core", 70, 8},
            {"4", "Core", 70, 9}};
}

Cols ConduitColumns(const char* firstCaption)
{
    return {{firstCaption, "", 80, 0}, {"[mm]", "내경", 80, 1}, {"[㎟]", "단면적", 80, 2},
            {"DD", "", 80, 3},         {"[㎟]", "32%", 80, 4}, {"CD호칭", "", 80, 5}};
}

Cols CableWeightColumns()
{
    return {{"[㎟]", "단면적", 80, 0},      {"1C", "단위중량(kg/m)", 80, 1},
            {"2C", "단위중량(kg/m)", 80, 2}, {"3C", "단위중량(kg/m)", 80, 3},
            {"4C", "단위중량(kg/m)", 80, 4}, {"1C", "중량(kg/m)", 80, 5},
            {"2C", "중량(kg/m)", 80, 6},     {"3C", "중량(kg/m)", 80, 7},
            {"4C", "중량(kg/m)", 80, 8}};
}

// A list of one table's entries.
LibListDesc Table(int id, int x, int y, int w, int h, int headerHeight, const char* table, Cols cols,
                  bool scrollBars = true)
{
    return {id, x, y, w, h, headerHeight, scrollBars, LibRowKind::Entries, {table}, std::move(cols)};
}

std::vector<LibPageDesc> BuildPages()
{
    const char* rTemp = "(R 기준온도 : 90℃, X 기준주파수 : 60Hz)";
    std::vector<LibPageDesc> pages;

    // 0: distribution-line impedances.
    pages.push_back(
        {0, "lineImpedance", false,
         {{1261, "□ 계통 배전선로 임피던스 데이터", 6, 7, 152, 8}},
         {},
         {{1105, "케이블 타입 도움말", 789, 7, 70, 16, true}},
         {Table(1099, 7, 25, 852, 443, 40, "LineImpedanceTable",
                {{"선종", "전압선", 100, 0},
                 {"전압선 종류", "전압선", 250, 1},
                 {"전압선 규격", "전압선", 100, 2},
                 {"선종", "중성선", 100, 3},
                 {"중성선 종류", "중성선", 250, 4},
                 {"중성선 규격", "중성선", 100, 5},
                 {"정상임피던스", "임피던스 (%/km, 100MVA기준)", 100, 6},
                 {"정상리액턴스", "임피던스 (%/km, 100MVA기준)", 100, 7},
                 {"영상임피던스", "임피던스 (%/km, 100MVA기준)", 100, 8},
                 {"영상리액턴스", "임피던스 (%/km, 100MVA기준)", 100, 9},
                 {"공사방법", "", 160, 10}})}});

    // 1: 6/10 kV cable impedances and the applied pair.
    pages.push_back(
        {1, "hvCableImpedance", true,
         {{0, "고압 케이블 임피던스", 7, 7, 236, 8},
          {0, "□ 6/10kV CABLE 임피던스 (F-CV, (LS-)HFCO, CV, CE  )", 7, 21, 236, 8},
          {0, rTemp, 7, 35, 236, 8},
          {1161, "다심 케이블  :", 251, 41, 46, 14, LE},
          {0, "㎟ 미만 적용", 342, 41, 50, 14, VC}},
         {{1156, "HvMultiCoreThreshold", 298, 41, 40, 14}},
         {{1008, "변경", 394, 41, 38, 14}},
         {Table(1136, 7, 52, 236, 343, 40, "HvCableImpedanceTable",
                {{"[㎟]", "단면적", 90, 0},
                 {"R", "단심케이블(Ω/km)", 80, 1},
                 {"X", "단심케이블(Ω/km)", 80, 2},
                 {"R", "다심케이블(Ω/km)", 80, 3},
                 {"X", "다심케이블(Ω/km)", 80, 4}},
                false),
          Table(1137, 251, 61, 183, 334, 20, "HvCableImpedanceTable",
                {{"", "", 90, 0}, {"R(Ω/km)", "", 80, 6}, {"X(Ω/km)", "", 80, 7}}, false)}});

    // 2: 0.6/1 kV cable impedances, single-core, multi-core and applied.
    pages.push_back(
        {2, "lvCableImpedance", true,
         {{0, "저압 케이블 임피던스", 7, 8, 264, 8},
          {0, "□  0.6/1kV CABLE 임피던스 (CV, CE, F-CV, TFR-CV, HFCO)", 7, 21, 264, 8},
          {0, rTemp, 7, 35, 264, 8},
          {0, "○ 단심케이블(Ω/km)", 7, 51, 264, 8},
          {0, "○ 다심케이블(Ω/km)", 280, 52, 264, 8},
          {1162, "다심 케이블  :", 555, 46, 38, 15, LE},
          {0, "㎟ 미만 적용", 643, 46, 38, 15, VC}},
         {{1157, "LvMultiCoreThreshold", 600, 46, 38, 14}},
         {{1174, "변경", 686, 46, 38, 14}},
         {Table(1137, 7, 67, 264, 328, 40, "CBLIMP", ImpedanceColumns(80, 1, "3상 평형배치")),
          Table(1138, 280, 67, 264, 328, 40, "CBLIMP", ImpedanceColumns(80, 5, "3상 평형배치")),
          Table(1139, 553, 67, 264, 328, 40, "CBLIMP",
                {{"", "", 80, 0},
                 {"R", "단상", 80, 10},
                 {"X", "단상", 80, 11},
                 {"R", "3상", 80, 12},
                 {"X", "3상", 80, 13}})}});

    // 3: the FR-8 family.
    pages.push_back({3, "fr8CableImpedance", false,
                     {{0, "저압 케이블 임피던스", 7, 7, 239, 8},
                      {0, "□ 0.6/1kV CABLE 임피던스 (FR-8, F-FR-8, TFR-8, NFR-8)", 7, 21, 239, 8},
                      {0, "(출처 : KECG 1702-2019 표 5-7)", 7, 35, 239, 8},
                      {0, rTemp, 7, 49, 239, 8},
                      {0, "○ 단심케이블(Ω/km)", 7, 66, 239, 8},
                      {0, "○ 다심케이블(Ω/km)", 250, 67, 239, 8}},
                     {},
                     {},
                     {Table(1138, 7, 80, 239, 315, 40, "FR8IMP", ImpedanceColumns(95, 1, "3상 평형배치"),
                            false),
                      Table(1139, 250, 80, 239, 315, 40, "FR8IMP", ImpedanceColumns(95, 5, "3상 평형배치"),
                            false)}});

    // 4: HFIX wires.
    pages.push_back({4, "hfixImpedance", false,
                     {{0, "저압 케이블 임피던스", 7, 7, 239, 8},
                      {0, "□ 450/750V HFIX 임피던스 ", 7, 21, 239, 8},
                      {0, "(출처 : KECG 1702-2019 표 5-13)", 7, 35, 239, 8},
                      {0, rTemp, 7, 49, 239, 8},
                      {0, "○ 단심케이블(Ω/km)", 7, 66, 239, 8}},
                     {},
                     {},
                     {Table(1139, 7, 80, 239, 315, 40, "HFIXIMP", ImpedanceColumns(95, 1, "3상 평형배치"),
                            false)}});

    // 5: XLPE allowable currents, the method factors and the applied currents.
    {
        Cols applied{{"DD", " ", 64, 0}, {"", "", 64, 1}};
        AppendMethods(applied, "단상", 60, 2);
        AppendMethods(applied, "삼상", 60, 6);
        pages.push_back(
            {5, "allowableCurrent", true,
             {{0, "□ XLPE 절연 Cu 도체의 허용전류", 7, 7, 160, 8},
              {0, "(출처 : KS C IEC 60364-5-52 표. B.52.1~B.52.13)", 7, 23, 160, 8},
              {0, "(기준주위온도 : 기중 30℃, 지중 20℃)", 7, 39, 160, 8},
              {0, "○ 1C", 7, 58, 160, 8},
              {0, "○ 2C", 176, 58, 160, 8},
              {0, "○ 3C/4C", 345, 58, 160, 8},
              {1161, "다심 케이블  :", 515, 23, 44, 15, LE},
              {0, "㎟ 미만 적용", 609, 22, 43, 15, VC}},
             {{1170, "AmpacityMultiCoreThreshold", 563, 24, 40, 14}},
             {{1173, "변경", 661, 24, 38, 14}},
             {{1136, 514, 42, 185, 28, 20, false, LibRowKind::FactorRow, {"InstallationMethodFactors"},
               {{"공사방법", "", 80, kRowLabel},
                {"A1,2", "", 60, 0},
                {"B1,2", "", 60, 1},
                {"D1", "", 60, 2},
                {"E,F", "", 63, 3}}},
              Table(1171, 7, 75, 160, 320, 40, "XlpeAmpacityTable", AmpacityColumns("A1", "B1", 1), false),
              Table(1172, 176, 75, 160, 320, 40, "XlpeAmpacityTable", AmpacityColumns("A2", "B2", 5), false),
              Table(1174, 345, 75, 160, 320, 40, "XlpeAmpacityTable", AmpacityColumns("A1", "B1", 9), false),
              Table(1175, 514, 75, 349, 320, 40, "CABLESQ", applied, false)}});
    }

    // 6: the derived size tables per method, single- and three-phase.
    pages.push_back({6, "methodCurrent", true,
                     {{0, "도체허용전류 ", 7, 7, 425, 8},
                      {0, "□  XLPE 절연 Cu 도체의 허용전류 (설계조건의 포설기준 적용)", 7, 22, 425, 8},
                      {0, "○ 단상", 7, 37, 425, 8},
                      {0, "○ 3상", 438, 38, 425, 8}},
                     {},
                     {},
                     {{1140, 7, 51, 425, 344, 40, true, LibRowKind::Entries,
                       {"CABLE1A", "CABLE1B", "CABLE1D", "CABLE1E"}, MethodTableColumns()},
                      {1141, 438, 51, 425, 344, 40, true, LibRowKind::Entries,
                       {"CABLE3A", "CABLE3B", "CABLE3D", "CABLE3E"}, MethodTableColumns()}}});

    // 7: derated currents by size.
    {
        Cols derated{{"DD", " ", 60, 0}};
        AppendMethods(derated, "단상", 60, 1);
        AppendMethods(derated, "3상", 60, 5);
        pages.push_back({7, "deratedCurrent", true,
                         {{0, "도체허용전류 ", 7, 7, 431, 8},
                          {0, "□  XLPE 절연 Cu 도체의 허용전류 (설계조건의 포설기준 적용)", 7, 22, 431, 8}},
                         {},
                         {},
                         {Table(1141, 7, 40, 431, 355, 40, "CABLEC", derated)}});
    }

    // 8: HFIX ampacities and the derated HFIX tables.
    pages.push_back({8, "hfixTemperatureCurrent", true,
                     {{0, "도체허용전류 ", 7, 7, 207, 8},
                      {0, "(기준주위온도 : 기중 30℃, 지중 20℃)", 7, 21, 207, 8},
                      {0, "주위온도", 7, 36, 24, 8},
                      {0, "TDF(℃,)", 7, 53, 29, 8}},
                     {{1159, "AmbientTemperature", 54, 35, 40, 14},
                      {1160, "AmbientTemperatureFactor", 54, 51, 40, 14}},
                     {{1175, "변경", 98, 51, 38, 14}},
                     {{1142, 7, 75, 856, 320, 40, true, LibRowKind::Entries, {"HfixAmpacityTable", "HFIXSQ"},
                       {{"공사방법", "단면적[㎟]", 80, 0},
                        {"A1", "2개부하도체", 60, 1},
                        {"B1", "2개부하도체", 60, 2},
                        {"A1", "3개부하도체", 60, 3},
                        {"B1", "3개부하도체", 60, 4},
                        {"DD", " ", 60, 0, 1},
                        {"공사방법", "단면적[㎟", 80, 1, 1},
                        {"A1", "2개부하도체", 60, 2, 1},
                        {"B1", "2개부하도체", 60, 3, 1},
                        {"A1", "3개부하도체", 60, 4, 1},
                        {"B1", "3개부하도체", 60, 5, 1},
                        {"A1(DD)", "2개부하도체", 60, 6, 1},
                        {"A1(SQ)", "2개부하도체", 60, 7, 1},
                        {"B1(DD)", "2개부하도체", 60, 8, 1},
                        {"B1(SQ)", "2개부하도체", 60, 9, 1},
                        {"A1(DD)", "3개부하도체", 60, 10, 1},
                        {"A1(SQ)", "3개부하도체", 60, 11, 1},
                        {"B1(DD)", "3개부하도체", 60, 12, 1},
                        {"B1(SQ)", "3개부하도체", 60, 13, 1}}}}});

    // 9: correction factors.
    {
        Cols tray{{"단수", "트레이", 80, kRowNumber}};
        const char* circuits[9] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (int i = 0; i < 9; ++i)
            tray.push_back({circuits[i], "회로, 다심케이블 수", 80, i});
        auto factorRow = [](int id, int y, const char* row, Cols cols) {
            return LibListDesc{id, 7, y, 583, 32, 20, true, LibRowKind::FactorRow, {row}, std::move(cols)};
        };
        const char* source = "(출처 : KS C IEC 60364-5-52 표 B.52.14~15)";
        pages.push_back(
            {9, "correctionFactors", false,
             {{0, "□ 기중개방의 다심케이블의 집합에 대한 보정계수", 7, 7, 583, 8},
              {0, "(출처 : KECG 1701-2019 표 4.0-1)", 7, 21, 583, 8},
              {0, "□  XLPE 절연 기중 주위온도 보정계수 (30℃ 기준)", 7, 152, 583, 8},
              {0, source, 7, 166, 583, 8},
              {0, "□  XLPE 절연 지중 주위온도 보정계수 (20℃ 기준)", 7, 218, 583, 8},
              {0, source, 7, 232, 583, 8},
              {0, "□ 토양 열저항률 보정계수 (2.5[K·m/w]기준)", 7, 284, 583, 8},
              {0, "(출처 : KECG 1701-2019 표 4.8)", 7, 298, 583, 8},
              {0, "□ 지중매설깊이에 대한 보정계수 (기준 0.8m)", 7, 350, 583, 8},
              {0, "(출처 : KECG 1701-2019 표 4.8)", 7, 364, 583, 8}},
             {},
             {},
             {Table(1143, 7, 35, 583, 103, 40, "TRAYDF", tray),
              factorRow(1144, 180, "TDF",
                        FactorRowColumns("[℃]", {"20", "25", "30", "35", "40", "45", "50", "55", "60",
                                                 "65", "70"})),
              factorRow(1145, 246, "UGTDF",
                        FactorRowColumns("[℃]", {"10", "15", "20", "25", "30", "35", "40", "45", "50",
                                                 "55", "60"})),
              factorRow(1148, 312, "UGDF",
                        FactorRowColumns("[K·m/w]", {"0.5", "0.7", "1.0", "1.5", "2.0", "2.5", "3.0"})),
              factorRow(1149, 378, "UGDDF", FactorRowColumns("[m]", {"0.6", "0.8", "1.0", "1.2"}))}});
    }

    // 10: MCB and RCBO.
    pages.push_back({10, "mcbRcbo", false,
                     {{0, "차단기 특성자료", 7, 7, 363, 8},
                      {0, "1. 주택용 차단기 (MCB)", 7, 22, 363, 8},
                      {0, "2. 주택용 누전차단기 (RCBO)", 7, 201, 363, 8}},
                     {},
                     {},
                     {Table(1170, 7, 39, 363, 148, 20, "MCB", BreakerMainColumns(70)),
                      Table(1167, 381, 39, 363, 148, 20, "MCBExt", BreakerExtColumns()),
                      Table(1168, 7, 219, 363, 148, 20, "RCBO", BreakerMainColumns(70)),
                      Table(1169, 381, 219, 363, 148, 20, "RCBOExt", BreakerExtColumns())}});

    // 11: MCCB.
    pages.push_back({11, "mccb", false,
                     {{0, "□ 산업용 차단기 (MCCB)", 7, 7, 363, 8}},
                     {},
                     {},
                     {Table(1145, 7, 23, 363, 151, 20, "MCCB2", BreakerMainColumns(80)),
                      Table(1146, 383, 23, 363, 151, 20, "MCCB2Ext", BreakerExtColumns()),
                      Table(1147, 7, 188, 363, 207, 20, "MCCB3", BreakerMainColumns(80)),
                      Table(1148, 383, 188, 363, 207, 20, "MCCB3Ext", BreakerExtColumns())}});

    // 12: CBR.
    pages.push_back({12, "cbr", false,
                     {{0, "□ 산업용 누전차단기 (CBR)", 7, 7, 357, 8}},
                     {},
                     {},
                     {Table(1146, 7, 25, 357, 224, 20, "CBR", BreakerMainColumns(80)),
                      Table(1147, 373, 25, 344, 224, 20, "CBRExt", BreakerExtColumns())}});

    // 13: a maker's operating multiples; the matrix list gets its columns from each fill.
    pages.push_back({13, "breakerMaker", false,
                     {{0, "차단기 규약동작배율", 7, 7, 224, 8}, {0, "제조사", 7, 24, 18, 8}},
                     {},
                     {},
                     {Table(1147, 7, 44, 224, 351, 40, "MakerRatingTable",
                            {{"AT", "", 60, 0},
                             {"4", "δ", 60, 1},
                             {"6", "δ", 60, 2},
                             {"10", "δ", 60, 3},
                             {"15", "δ", 60, 4},
                             {"20", "δ", 60, 5}}),
                      Table(1148, 238, 44, 117, 351, 40, "MakerFrameTable",
                            {{"AF", "", 60, 0}, {"kA", "", 60, 1}, {"TYPE", "", 60, 2}}),
                      {1149, 362, 44, 501, 351, 40, true, LibRowKind::None, {}, {}}}});

    // 14 to 19: dimensions, conduits, weights.
    pages.push_back({14, "cvOuterDiameter", false,
                     {{0, "□  0.6/1 kV CV 및 CE Cable의 완성외경 및 단면적", 7, 7, 401, 8},
                      {0, "(출처 : KECG 1702-2019 표 5-23)", 7, 23, 401, 8},
                      {0, "1) 0.6/1 kV CV 및 CE Cable의 완성외경 및 단면적 변환", 415, 38, 448, 8}},
                     {},
                     {},
                     {Table(1134, 7, 55, 401, 340, 40, "FCVSQ", CableSectionColumns()),
                      Table(1135, 415, 55, 448, 340, 40, "FCVOD", CableConversionColumns())}});
    pages.push_back({15, "fr8OuterDiameter", false,
                     {{0, "□  0.6/1 kV F-FR-8 Cable의 완성외경 및 단면적", 7, 7, 401, 8},
                      {0, "(출처 : KECG 1702-2019 표 5-25)", 7, 22, 401, 8},
                      {0, "1) 0.6/1 kV F-FR-8 Cable의 완성외경 및 단면적 변환", 415, 38, 448, 8}},
                     {},
                     {},
                     {Table(1151, 7, 55, 401, 340, 40, "FR8SQ", CableSectionColumns()),
                      Table(1152, 415, 55, 448, 340, 40, "FR8OD", CableConversionColumns())}});
    pages.push_back({16, "wireOuterDiameter", false,
                     {{0, "□  450/750 V 절연전선의 완성외경 및 단면적", 7, 7, 260, 8},
                      {0, "(출처 : KECG 1702-2019 표 5-26)", 7, 22, 260, 8},
                      {0, "12. 0.6/1 kV F-GV Cable의 완성외경 및 단면적 및 적용기준", 275, 22, 213, 8}},
                     {},
                     {},
                     {Table(1152, 7, 38, 260, 357, 40, "HfixDiameterTable",
                            {{"[㎟]", "단면적", 80, 0}, {"외경[mm]", "HFIX", 80, 1}, {"단면적[㎟]", "HFIX", 80, 2}}),
                      Table(1153, 275, 38, 213, 357, 40, "FGVSEC",
                            {{"[㎟]", "단면적", 80, 0},
                             {"[mm]", "외경", 80, 1},
                             {"[㎟]", "단면적", 80, 2},
                             {"", "", 1, kNoCell}}),
                      Table(1154, 494, 38, 213, 357, 40, "GV",
                            {{"단면적[㎟]", "상도체", 80, 0}, {"단면적[㎟]", "접지선", 80, 1}, {"", "", 1, kNoCell}})}});
    pages.push_back({17, "conduit", false,
                     {{0, "□ CD 전선관 ", 7, 7, 418, 8},
                      {0, "(CD 출처 : KS C 8456)", 7, 20, 418, 8},
                      {0, "□ HI(HI-VE) 전선관 ", 7, 208, 418, 8},
                      {0, "", 435, 7, 1, 388, LibStaticStyle::VerticalLine},
                      {0, "□ STEEL 전선관 ", 445, 7, 418, 8},
                      {0, "(ST(STEEL) 출처 : KS C 8401)", 445, 20, 418, 8},
                      {0, "□ FEP 전선관 ", 445, 208, 418, 8},
                      {0, "(FEP 출처 : KS C 8455)", 445, 221, 418, 8}},
                     {},
                     {},
                     {Table(1153, 7, 41, 418, 149, 40, "CD", ConduitColumns("CD호칭")),
                      Table(1154, 7, 246, 418, 149, 40, "HiConduitTable", ConduitColumns("CD호칭")),
                      Table(1155, 445, 41, 418, 149, 40, "ST", ConduitColumns("CD호칭")),
                      Table(1156, 445, 246, 418, 149, 40, "FEP", ConduitColumns("ST호칭"))}});
    pages.push_back({18, "cableWeight", false,
                     {{0, "도체 및 트레이 중량", 7, 7, 418, 8},
                      {0, "□ 0.6/1 kV F-CV Cable의 도체중량(kg/m)", 7, 22, 418, 8},
                      {0, "□ 0.6/1 kV FR-8 Cable의 도체중량(kg/m)", 445, 24, 418, 8}},
                     {},
                     {},
                     {Table(1154, 7, 39, 418, 356, 40, "FCVW", CableWeightColumns()),
                      Table(1155, 445, 39, 418, 356, 40, "FR8W", CableWeightColumns())}});
    pages.push_back({19, "trayWeight", false,
                     {{0, "□  0.6/1 kV F-GV의 도체중량(kg/m)", 7, 7, 185, 8},
                      {0, "□ Cable Tray의 중량(kg/m)", 203, 7, 285, 8}},
                     {},
                     {},
                     {Table(1155, 7, 23, 185, 372, 40, "FGVW",
                            {{"[㎟]", "단면적", 80, 0},
                             {"1C", "단위중량(kg/m)", 100, 1},
                             {"1C", "중량(kg/m)", 100, 2},
                             {"", "", 1, kNoCell}}),
                      Table(1156, 203, 23, 285, 372, 40, "TRAY",
                            {{"DD", "", 80, 0},
                             {"[mm]", "WIDE", 80, 1},
                             {"[kg/m]", "BW", 80, 2},
                             {"[kg/m]", "CW", 80, 3},
                             {"[kg/3m]", "BW", 80, 4},
                             {"", "", 1, kNoCell}})}});

    // 20 to 22: transformers, generators, motors.
    pages.push_back({20, "transformerData", false,
                     {{0, "□ 변압기 규격", 7, 7, 124, 8},
                      {0, "□ 변압기 용량별 임피던스(출처 : KECG 1702-2019 156p)", 138, 7, 246, 8}},
                     {},
                     {},
                     {Table(1135, 7, 19, 124, 376, 20, "TR", {{"변압기용량", "", 80, 0}, {"변압기용량", "", 80, 1}}),
                      Table(1136, 137, 19, 169, 376, 20, "TRIMP",
                            {{"kVA", "", 80, 0}, {"%Z", "", 80, 1}, {"X/R", "", 80, 2}})}});
    pages.push_back({21, "generatorData", false,
                     {{0, "□ 발전기 규격", 7, 7, 196, 8}},
                     {},
                     {},
                     {Table(1130, 7, 21, 197, 374, 20, "GEN",
                            {{"KW", "", 80, 0}, {"KW", "", 80, 1}, {"KW", "", 80, 2}, {"KVA", "", 80, 3}})}});
    pages.push_back({22, "motorData", false,
                     {{0, "전동기 특성자료", 7, 7, 113, 8}},
                     {},
                     {},
                     {{1129, 7, 22, 856, 448, 40, true, LibRowKind::EntriesInTurn, {"MotorTable1", "MotorTable2"},
                       {{"DD", "", 90, 0},
                        {"[kW]", "정격출력", 70, 1},
                        {"P", "상수", 70, 2},
                        {"kV", "전압", 70, 3},
                        {"η", "효율", 70, 4},
                        {"cosθ", "역률", 70, 5},
                        {"IB [A]", "설계전류", 70, 6},
                        {"기동방식", "", 70, 7},
                        {"β", "기동배율", 70, 8},
                        {"C", "기동계수", 70, 9},
                        {"λ", "전류제한", 70, 10},
                        {"k", "전류배율", 70, 11},
                        {"IMS [A]", "기동전류", 70, 12},
                        {"II [A]", "기동돌입전류", 90, 13},
                        {"tm [sec]", "기동시간", 70, 14},
                        {"CT", "", 70, 15},
                        {"uF", "콘덴서", 70, 16},
                        {"[mm]", "UNIT SIZE", 90, 17},
                        {"[kVA]", "기동입력", 90, 18},
                        {"", "", 1, kNoCell}}}}});

    // Switchgear: built and filled like the others, never shown.
    pages.push_back({-1, "switchgearData", false,
                     {{0, "수배전반 특성자료", 7, 7, 49, 8},
                      {0, "□ 한류형 PF", 7, 22, 127, 8},
                      {0, "□ MOF", 138, 22, 163, 8},
                      {0, "□ 변류기", 307, 21, 115, 8},
                      {0, "□ ACB", 428, 22, 115, 8},
                      {0, "□ 보호도체", 549, 21, 115, 8},
                      {0, "□ 비한류형 PF ", 670, 21, 115, 8},
                      {0, "□ 전력용 콘덴서 용량", 7, 218, 294, 8}},
                     {},
                     {},
                     {Table(1128, 7, 37, 127, 173, 20, "CurrentLimitingFuseTable",
                            {{"전류", "", 80, 0}, {"한류형 PF", "", 100, 1}}),
                      Table(1129, 138, 37, 163, 173, 20, "MofCtTable",
                            {{"전류", "", 80, 0}, {"MOF CT", "", 80, 1}, {"과전류강도", "", 100, 2}}),
                      Table(1130, 307, 36, 115, 359, 20, "CtRatioTable", {{"전류", "", 80, 0}, {"CT비", "", 80, 1}}),
                      Table(1134, 428, 36, 115, 359, 20, "AcbRatioTable",
                            {{"전류", "", 80, 0}, {"ACB비", "", 80, 1}}),
                      Table(1135, 549, 36, 115, 359, 20, "ProtectiveConductorTable",
                            {{"DD", "", 80, 0}, {"보호도체", "", 100, 1}}),
                      Table(1136, 7, 233, 294, 162, 40, "PowerCapacitorTable",
                            {{"전력용콘덴서", "", 80, 0},
                             {"KVA", "380V 3상 60Hz", 100, 1},
                             {"uF", "380V 3상 60Hz", 100, 2},
                             {"정격 전류(A)", "콘덴서", 100, 3},
                             {"용량(A)", "개폐기", 100, 4}}),
                      Table(1137, 670, 36, 115, 359, 20, "NonLimitingFuseTable",
                            {{"전류", "", 80, 0}, {"비한류형PF", "", 100, 1}})}});

    // 23: grounding data.
    pages.push_back({23, "groundingData", false,
                     {{0, "□ IEEE 규격에 사용된 접지도체 재료의 물리적 상수", 7, 7, 460, 8},
                      {0, "접지선 도체 굵기", 475, 7, 133, 8},
                      {0, "□ 접지봉 지름 및 길이", 7, 176, 258, 8},
                      {0, "□ 도체 사이즈에 따른 지름", 276, 179, 194, 8}},
                     {},
                     {},
                     {Table(1127, 7, 23, 460, 144, 20, "ConductorMaterialTable",
                            {{"도체재료", "", 200, 0},
                             {"도전률[%]", "", 100, 1},
                             {"αr(at 20[℃]", "", 100, 2},
                             {"Ko (at 0[℃])", "", 100, 3},
                             {"용융온도 [℃]", "", 100, 4},
                             {"ρr [μΩ·cm]", "", 100, 5},
                             {"TCAP [J/(㎤·℃)]", "", 100, 6}}),
                      Table(1128, 475, 23, 133, 372, 20, "GroundConductorSizeTable",
                            {{"도체 굵기", "", 80, 0}, {"도체 굵기", "", 80, 1}}),
                      Table(1130, 7, 194, 258, 201, 20, "GroundRodTable",
                            {{"Rod Dia [mm]", "", 150, 0}, {"Length [M]", "", 150, 1}, {"", "", 80, 2}}),
                      Table(1129, 273, 194, 194, 201, 20, "GroundConductorDiameterTable",
                            {{"Size", "", 80, 0}, {"OD[mm]", "", 80, 1}})}});

    // 24: demand factors; no button leads here.
    pages.push_back({24, "demandFactor", false,
                     {{0, "□ 세대 수용률", 7, 7, 212, 8}, {0, "□ 승강기 수용률", 226, 7, 166, 8}},
                     {},
                     {},
                     {Table(1100, 7, 20, 212, 375, 20, "DwellingDemandFactorTable",
                            {{"DD", "", 80, 0}, {"호수", "", 80, 1}, {"수용률", "", 80, 2}, {"수용률%", "", 80, 3}}),
                      Table(1101, 226, 20, 166, 375, 20, "ElevatorDemandFactorTable",
                            {{"대수", "", 80, 0}, {"수용률", "", 80, 1}, {"수용률%)", "", 80, 2}})}});
    return pages;
}

}  // namespace

const std::vector<LibPageDesc>& LibraryPageTable()
{
    static const std::vector<LibPageDesc> pages = BuildPages();
    return pages;
}

const LibPageDesc* FindLibraryPage(const char* key)
{
    for (const LibPageDesc& page : LibraryPageTable())
        if (std::strcmp(page.key, key) == 0)
            return &page;
    return nullptr;
}

const LibCells* FindLibCells(const LibraryBlocks& b, const char* name, int* count)
{
    struct Entry
    {
        const char* name;
        const LibTable* table;
        const LibColumns* columns;
    };
    const CableLibBlockT& c = b.CableLibBlock;
    const BreakerLibBlockT& br = b.BreakerLibBlock;
    const CableDimensionLibBlockT& d = b.CableDimensionLibBlock;
    const SwitchgearLibBlockT& s = b.SwitchgearLibBlock;
    const GroundingLibBlockT& g = b.GroundingLibBlock;
    const Entry entries[] = {
        {"LineImpedanceTable", &c.LineImpedanceTable, nullptr},
        {"CableTypeLegend", &c.CableTypeLegend, nullptr},
        {"HvCableImpedanceTable", &c.HvCableImpedanceTable, nullptr},
        {"CBLIMP", &c.CBLIMP, nullptr},
        {"FR8IMP", &c.FR8IMP, nullptr},
        {"HFIXIMP", &c.HFIXIMP, nullptr},
        {"XlpeAmpacityTable", &c.XlpeAmpacityTable, nullptr},
        {"CABLESQ", nullptr, &c.CABLESQ},
        {"CABLE1A", nullptr, &c.CABLE1A},
        {"CABLE1B", nullptr, &c.CABLE1B},
        {"CABLE1D", nullptr, &c.CABLE1D},
        {"CABLE1E", nullptr, &c.CABLE1E},
        {"CABLE3A", nullptr, &c.CABLE3A},
        {"CABLE3B", nullptr, &c.CABLE3B},
        {"CABLE3D", nullptr, &c.CABLE3D},
        {"CABLE3E", nullptr, &c.CABLE3E},
        {"CABLEC", nullptr, &c.CABLEC},
        {"HfixAmpacityTable", &c.HfixAmpacityTable, nullptr},
        {"HFIXSQ", nullptr, &c.HFIXSQ},
        {"TRAYDF", &c.TRAYDF, nullptr},
        {"MCB", &br.MCB, nullptr},
        {"MCBExt", nullptr, &br.MCBExt},
        {"RCBO", &br.RCBO, nullptr},
        {"RCBOExt", nullptr, &br.RCBOExt},
        {"MCCB2", &br.MCCB2, nullptr},
        {"MCCB2Ext", nullptr, &br.MCCB2Ext},
        {"MCCB3", &br.MCCB3, nullptr},
        {"MCCB3Ext", nullptr, &br.MCCB3Ext},
        {"CBR", &br.CBR, nullptr},
        {"CBRExt", nullptr, &br.CBRExt},
        {"MakerRatingTable", &br.MakerRatingTable, nullptr},
        {"MakerFrameTable", &br.MakerFrameTable, nullptr},
        {"FCVSQ", &d.FCVSQ, nullptr},
        {"FCVOD", &d.FCVOD, nullptr},
        {"FR8SQ", &d.FR8SQ, nullptr},
        {"FR8OD", &d.FR8OD, nullptr},
        {"HfixDiameterTable", &d.HfixDiameterTable, nullptr},
        {"FGVSEC", &d.FGVSEC, nullptr},
        {"GV", &d.GV, nullptr},
        {"CD", &d.CD, nullptr},
        {"HiConduitTable", &d.HiConduitTable, nullptr},
        {"ST", &d.ST, nullptr},
        {"FEP", &d.FEP, nullptr},
        {"FCVW", &d.FCVW, nullptr},
        {"FR8W", &d.FR8W, nullptr},
        {"FGVW", &d.FGVW, nullptr},
        {"TRAY", &d.TRAY, nullptr},
        {"TR", &b.TransformerLibBlock.TR, nullptr},
        {"TRIMP", &b.TransformerLibBlock.TRIMP, nullptr},
        {"GEN", &b.GeneratorLibBlock.GEN, nullptr},
        {"MotorTable1", &b.MotorLibBlock.MotorTable1, nullptr},
        {"MotorTable2", &b.MotorLibBlock.MotorTable2, nullptr},
        {"CurrentLimitingFuseTable", &s.CurrentLimitingFuseTable, nullptr},
        {"MofCtTable", &s.MofCtTable, nullptr},
        {"CtRatioTable", &s.CtRatioTable, nullptr},
        {"AcbRatioTable", &s.AcbRatioTable, nullptr},
        {"ProtectiveConductorTable", &s.ProtectiveConductorTable, nullptr},
        {"PowerCapacitorTable", &s.PowerCapacitorTable, nullptr},
        {"NonLimitingFuseTable", &s.NonLimitingFuseTable, nullptr},
        {"ConductorMaterialTable", &g.ConductorMaterialTable, nullptr},
        {"GroundConductorSizeTable", &g.GroundConductorSizeTable, nullptr},
        {"GroundRodTable", &g.GroundRodTable, nullptr},
        {"GroundConductorDiameterTable", &g.GroundConductorDiameterTable, nullptr},
        {"DwellingDemandFactorTable", &b.DemandFactorLibBlock.DwellingDemandFactorTable, nullptr},
        {"ElevatorDemandFactorTable", &b.DemandFactorLibBlock.ElevatorDemandFactorTable, nullptr},
    };
    for (const Entry& e : entries) {
        if (std::strcmp(e.name, name) != 0)
            continue;
        if (e.table) {
            if (count)  // a loaded count never reaches beyond the cells
                *count = std::clamp(e.table->Count, 0, e.table->capacity());
            return e.table;
        }
        if (count)
            *count = std::clamp(e.columns->count(), 0, e.columns->capacity());
        return e.columns;
    }
    if (count)
        *count = 0;
    return nullptr;
}

const LibRow* FindLibRow(const LibraryBlocks& b, const char* name)
{
    const CableLibBlockT& c = b.CableLibBlock;
    const std::pair<const char*, const LibRow*> rows[] = {
        {"InstallationMethodFactors", &c.InstallationMethodFactors},
        {"TDF", &c.TDF},
        {"UGTDF", &c.UGTDF},
        {"UGDF", &c.UGDF},
        {"UGDDF", &c.UGDDF},
    };
    for (const auto& [n, row] : rows)
        if (std::strcmp(n, name) == 0)
            return row;
    return nullptr;
}

const LibCell* FindLibCell(const LibraryBlocks& b, const char* name)
{
    const CableLibBlockT& c = b.CableLibBlock;
    const std::pair<const char*, const LibCell*> cells[] = {
        {"HvMultiCoreThreshold", &c.HvMultiCoreThreshold},
        {"LvMultiCoreThreshold", &c.LvMultiCoreThreshold},
        {"AmpacityMultiCoreThreshold", &c.AmpacityMultiCoreThreshold},
        {"AmbientTemperature", &c.AmbientTemperature},
        {"AmbientTemperatureFactor", &c.AmbientTemperatureFactor},
    };
    for (const auto& [n, cell] : cells)
        if (std::strcmp(n, name) == 0)
            return cell;
    return nullptr;
}
