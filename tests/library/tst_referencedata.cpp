// The shipped reference workbooks (LIB/lib_v3p4.xlsx and LIB/breaker_v3p4.xlsx), read back by an
// independent reader (openpyxl): every table at its anchor with its entry count and cell kinds,
// keys ascending with the bucket steps the lookups need, sizes that agree between the tables that
// share them, spot values of the standards, and maker sheets that the program's own save leaves
// unchanged.
#include "common/testpaths.h"
#include "common/testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// Where each table lies and how its cells are read: t text, n number, d number or "-".
// `across` tables lay their entries along one row.
struct TableCheck
{
    const char* name;
    int sheet;
    const char* firstCell;
    int entries;
    const char* kinds;
    bool across = false;
};

const TableCheck kTables[] = {
    {"LineImpedanceTable", 0, "A7", 92, "ttttttnnnnt"},
    {"CableTypeLegend", 0, "M5", 12, "ttt"},
    {"HvMultiCoreThreshold", 0, "W7", 1, "n"},
    {"HvCableImpedanceTable", 0, "Q10", 11, "nnnnn"},
    {"LvMultiCoreThreshold", 0, "AL7", 1, "n"},
    {"CBLIMP", 0, "AB11", 16, "nnnnnnnnn"},
    {"FR8IMP", 0, "AB38", 16, "nnnnnnnnn"},
    {"HFIXIMP", 0, "AB63", 16, "nnnnn"},
    {"AmpacityMultiCoreThreshold", 0, "BG6", 1, "n"},
    {"InstallationMethodFactors", 0, "BH8", 4, "n", true},
    {"XlpeAmpacityTable", 0, "AS12", 16, "ddddddddddddd"},
    {"AmbientTemperature", 0, "AZ75", 1, "n"},
    {"AmbientTemperatureFactor", 0, "AZ76", 1, "n"},
    {"HfixAmpacityTable", 0, "AS80", 16, "nnnnn"},
    {"TRAYDF", 0, "BU10", 6, "nnnnnnnnn"},
    {"TDF", 0, "BT22", 11, "n", true},
    {"UGTDF", 0, "BT29", 11, "n", true},
    {"UGDF", 0, "BT36", 7, "n", true},
    {"UGDDF", 0, "BT44", 4, "n", true},
    {"MCB", 1, "B9", 8, "nnntnt"},
    {"MCB extension", 1, "J9", 8, "nnnn"},
    {"RCBO", 1, "P9", 8, "nnntnt"},
    {"RCBO extension", 1, "X9", 8, "nnnn"},
    {"MCCB2", 1, "AD8", 10, "nnnnnt"},
    {"MCCB2 extension", 1, "AL8", 10, "nnnn"},
    {"MCCB3", 1, "AD21", 16, "nnnnnt"},
    {"MCCB3 extension", 1, "AL21", 16, "nnnn"},
    {"CBR", 1, "AS8", 16, "nnnnnt"},
    {"CBR extension", 1, "BA8", 16, "nnnn"},
    {"FCVSQ", 2, "B11", 16, "nnnnnnnnn"},
    {"FCVOD", 2, "M11", 16, "nnnnnnnnnn"},
    {"FR8SQ", 2, "Y11", 16, "nnnnnnnnn"},
    {"FR8OD", 2, "AJ11", 16, "nnnnnnnnnn"},
    {"HfixDiameterTable", 2, "AV11", 16, "nnn"},
    {"FGVSEC", 2, "BA11", 16, "nnn"},
    {"GV", 2, "BE11", 16, "nn"},
    {"CD", 2, "BJ10", 5, "nnnnnn"},
    {"HiConduitTable", 2, "BR10", 9, "nnnnnn"},
    {"ST", 2, "BZ10", 9, "nnnnnn"},
    {"FEP", 2, "CH10", 10, "nnnnnn"},
    {"FCVW", 2, "CP9", 16, "nnnnnnnnn"},
    {"FR8W", 2, "DA9", 16, "nnnnnnnnn"},
    {"FGVW", 2, "DL9", 16, "nnn"},
    {"TRAY", 2, "DQ9", 10, "nnnnn"},
    {"TR", 3, "A7", 19, "nn"},
    {"TRIMP", 3, "D7", 19, "nnn"},
    {"GEN", 4, "A8", 28, "nnnn"},
    {"MotorTable1", 5, "B6", 5, "tttnnnntndddnnttttn"},
    {"MotorTable2", 5, "W6", 95, "tttnnnntndddnnttttn"},
    {"MotorTable3", 5, "AR6", 16, "tttnnnntndddnnttttt"},
    {"CurrentLimitingFuseTable", 6, "A7", 15, "nt"},
    {"MofCtTable", 6, "D7", 10, "ntt"},
    {"CtRatioTable", 6, "H7", 26, "nt"},
    {"AcbRatioTable", 6, "K7", 11, "nt"},
    {"ProtectiveConductorTable", 6, "N7", 16, "nn"},
    {"PowerCapacitorTable", 6, "Q8", 13, "ntttt"},
    {"NonLimitingFuseTable", 6, "W7", 16, "nn"},
    {"ConductorMaterialTable", 7, "A8", 9, "tnnnnnn"},
    {"GroundConductorSizeTable", 7, "I8", 16, "nn"},
    {"GroundRodTable", 7, "L8", 11, "tnt"},
    {"GroundConductorDiameterTable", 7, "P8", 11, "nn"},
    {"DwellingDemandFactorTable", 8, "A8", 37, "nnnn"},
    {"ElevatorDemandFactorTable", 8, "G8", 60, "nnn"},
};

// Value checks on the library workbook: (name, sheet, cell range, expectation, argument).
// ascending / descending: strictly, along the range; bucket: the range is 0.01 (or the step given
// after the other range) then each previous value of the other range plus that step; same: equal
// to the other range cell by cell; greater: above the other range cell by cell; equals: the
// values listed; near: each value within 0.5 % of the one listed; empty: no value at all.
struct ValueCheck
{
    const char* name;
    int sheet;
    const char* range;
    const char* expect;
    const char* arg;
};

const ValueCheck kValues[] = {
    // keys ascending
    {"XLPE sizes ascending", 0, "AS12:AS27", "ascending", ""},
    {"HV cable sizes ascending", 0, "Q10:Q20", "ascending", ""},
    {"TRAYDF falls with the number of circuits", 0, "BU10:CC10", "descending", ""},
    {"TR ratings ascending", 3, "B7:B25", "ascending", ""},
    {"TRIMP ratings ascending", 3, "D7:D25", "ascending", ""},
    {"GEN ratings ascending", 4, "B8:B35", "ascending", ""},
    {"CT limits ascending", 6, "H7:H32", "ascending", ""},
    {"ACB limits ascending", 6, "K7:K17", "ascending", ""},
    {"ground conductor limits ascending", 7, "I8:I23", "ascending", ""},
    {"ground conductor sizes ascending", 7, "J8:J23", "ascending", ""},
    {"ground conductor diameters by size ascending", 7, "P8:P18", "ascending", ""},
    {"MCCB3 ratings ascending", 1, "AM21:AM36", "ascending", ""},
    // bucket keys that the floor-match lookups turn into "first entry that reaches the value"
    {"MCB key buckets", 1, "J9:J16", "bucket", "K9:K16"},
    {"RCBO key buckets", 1, "X9:X16", "bucket", "Y9:Y16"},
    {"MCCB2 key buckets", 1, "AL8:AL17", "bucket", "AM8:AM17"},
    {"MCCB3 key buckets", 1, "AL21:AL36", "bucket", "AM21:AM36"},
    {"CBR key buckets", 1, "BA8:BA23", "bucket", "BB8:BB23"},
    {"CD conduit key buckets", 2, "BM10:BM14", "bucket", "BN10:BN14"},
    {"HI conduit key buckets", 2, "BU10:BU18", "bucket", "BV10:BV18"},
    {"ST conduit key buckets", 2, "CC10:CC18", "bucket", "CD10:CD18"},
    {"FEP conduit key buckets", 2, "CK10:CK19", "bucket", "CL10:CL19"},
    {"tray key buckets", 2, "DQ9:DQ18", "bucket", "DR9:DR18;0.1"},
    {"conduit allowed area is 32 %", 2, "BN10:BN14", "ratio", "BL10:BL14;0.32"},
    // sizes shared between tables
    {"CBLIMP sizes", 0, "AB11:AB26", "same", "AS12:AS27"},
    {"FR8IMP sizes", 0, "AB38:AB53", "same", "AS12:AS27"},
    {"HFIXIMP sizes", 0, "AB63:AB78", "same", "AS12:AS27"},
    {"HFIX ampacity sizes", 0, "AS80:AS95", "same", "AS12:AS27"},
    {"conductor sizes", 0, "AS12:AS27", "equals",
     "1.5,2.5,4,6,10,16,25,35,50,70,95,120,150,185,240,300"},
    {"FCVSQ sizes", 2, "B11:B26", "equals", "1.5,2.5,4,6,10,16,25,35,50,70,95,120,150,185,240,300"},
    {"FCVOD sizes", 2, "M11:M26", "same", "B11:B26"},
    {"FR8SQ sizes", 2, "Y11:Y26", "same", "B11:B26"},
    {"FR8OD sizes", 2, "AJ11:AJ26", "same", "B11:B26"},
    {"HFIX diameter sizes", 2, "AV11:AV26", "same", "B11:B26"},
    {"FGVSEC sizes", 2, "BA11:BA26", "same", "B11:B26"},
    {"GV sizes", 2, "BE11:BE26", "same", "B11:B26"},
    {"FCVW sizes", 2, "CP9:CP24", "same", "B11:B26"},
    {"FR8W sizes", 2, "DA9:DA24", "same", "B11:B26"},
    {"FGVW sizes", 2, "DL9:DL24", "same", "B11:B26"},
    {"protective conductor sizes", 6, "N7:N22", "same", "2!B11:B26"},
    {"cable dimension sizes as ampacity sizes", 2, "B11:B26", "same", "0!AS12:AS27"},
    {"protective conductors as GV", 6, "O7:O22", "equals",
     "1.5,2.5,4,6,10,16,16,16,25,35,50,70,95,95,120,150"},
    {"transformer impedance ratings", 3, "D7:D25", "same", "B7:B25"},
    {"generator kW of GEN_2", 4, "C8:C35", "same", "B8:B35"},
    // IEC 60364-5-54 Table 54.2: PE 16 for 16, 16 for 35, 50 for 95
    {"PE by phase size", 2, "BF11:BF26", "equals", "1.5,2.5,4,6,10,16,16,16,25,35,50,70,95,95,120,150"},
    // IEC 60364-5-52 correction factors
    {"air 20..70 °C, 1.00 at 30 °C", 0, "BT22:CD22", "equals",
     "1.08,1.04,1.00,0.96,0.91,0.87,0.82,0.76,0.71,0.65,0.58"},
    {"air factor falls with temperature", 0, "BT22:CD22", "descending", ""},
    {"ground 10..60 °C, 1.00 at 20 °C", 0, "BT29:CD29", "equals",
     "1.07,1.04,1.00,0.96,0.93,0.89,0.85,0.80,0.76,0.71,0.65"},
    {"soil resistivity, 1.00 at 2.5 K·m/W", 0, "BT36:BZ36", "equals", "1.28,1.20,1.18,1.10,1.05,1.00,0.96"},
    {"soil factor falls with resistivity", 0, "BT36:BZ36", "descending", ""},
    {"one tray, B.52.20", 0, "BU10:CC10", "equals", "1,0.88,0.82,0.79,0.78,0.76,0.75,0.74,0.73"},
    {"six trays, B.52.20", 0, "BU15:CC15", "equals", "1,0.84,0.77,0.73,0.71,0.68,0.67,0.65,0.64"},
    {"default ambient 30 °C and its factor", 0, "AZ75:AZ76", "equals", "30,1"},
    // ampacities: E above B above A for every size and cable kind
    {"single-core E above B", 0, "AW12:AW27", "greater", "AU12:AU27"},
    {"single-core B above A", 0, "AU12:AU27", "greater", "AT12:AT27"},
    {"two-core E above B", 0, "BA12:BA27", "greater", "AY12:AY27"},
    {"two-core B above A", 0, "AY12:AY27", "greater", "AX12:AX27"},
    {"three-core E above B", 0, "BE12:BE27", "greater", "BC12:BC27"},
    {"three-core B above A", 0, "BC12:BC27", "greater", "BB12:BB27"},
    {"two loaded conductors carry more than three", 0, "AX12:AX27", "greater", "BB12:BB27"},
    {"B.52.5 A1, three loaded", 0, "AT12:AT27", "equals",
     "17,23,31,40,54,73,95,117,141,179,216,249,285,324,380,435"},
    {"B.52.12 E, three-core", 0, "BE12:BE27", "equals",
     "23,32,42,54,75,100,127,158,192,246,298,346,399,456,538,621"},
    {"B.52.3 B1 of HFIX, two loaded", 0, "AU80:AU95", "equals",
     "23,31,42,54,75,100,133,164,198,253,306,354,393,449,528,603"},
    // Method B from 150 mm2 up, IEC 60364-5-52:2009 (KS C IEC 60364-5-52), XLPE copper; earlier
    // editions gave up to 7.6 % more. Rows 150, 185, 240, 300 mm2.
    // Table B.52.5, B1, three loaded conductors: 342, 384, 450, 514
    {"B.52.5 B1 single-core, 150..300 mm2", 0, "AU24:AU27", "equals", "342,384,450,514"},
    {"B.52.5 B1 of HFIX, three loaded, 150..300 mm2", 0, "AW92:AW95", "equals", "342,384,450,514"},
    // Table B.52.3, B2, two loaded conductors: 334, 384, 459, 532
    {"B.52.3 B2 two-core, 150..300 mm2", 0, "AY24:AY27", "equals", "334,384,459,532"},
    // Table B.52.5, B2, three loaded conductors: 300, 340, 398, 455
    {"B.52.5 B2 three-core, 150..300 mm2", 0, "BC24:BC27", "equals", "300,340,398,455"},
    // One cell of each further column, IEC 60364-5-52:2009 at 95 mm2 (row 22), copper, XLPE:
    // Table B.52.3 column 3 (A2, two loaded) 220 A; column 7 (D1) 239 A
    {"B.52.3 A2, two-core, 95 mm2", 0, "AX22", "equals", "220"},
    {"B.52.3 D1, two-core, 95 mm2", 0, "AZ22", "equals", "239"},
    // Table B.52.5 column 3 (A2, three loaded) 197 A; column 7 (D1) 197 A
    {"B.52.5 A2, three-core, 95 mm2", 0, "BB22", "equals", "197"},
    {"B.52.5 D1, single-core, 95 mm2", 0, "AV22", "equals", "197"},
    // Table B.52.12 column 2 (E, two-core) 352 A; column 5 (F, single-core trefoil) 328 A, and
    // 240 mm2 (row 26) 607 A
    {"B.52.12 E, two-core, 95 mm2", 0, "BA22", "equals", "352"},
    {"B.52.12 F trefoil, 95 and 240 mm2", 0, "AW22:AW26", "equals", "328,383,444,510,607"},
    // HFIX 4 mm2 (row 82): Table B.52.3 column 2 (A1, two loaded) 35 A, Table B.52.5 column 2
    // (A1, three loaded) 31 A
    {"B.52.3 / B.52.5 A1 of HFIX, 4 mm2", 0, "AT82:AV82", "equals", "35,42,31"},
    // IEC 60228 resistance at 20 °C taken to 90 °C (10 mm2: 1.83 Ω/km, 240 mm2 with skin effect)
    {"CBLIMP R at 90 °C, 10 mm2", 0, "AC15", "near", "2.3334"},
    {"CBLIMP R rises with skin effect, 240 mm2", 0, "AC25", "greater", "AC25;0.0961"},
    {"HFIXIMP R at 90 °C, 2.5 mm2", 0, "AC64", "near", "9.4485"},
    {"resistance falls with size", 0, "AC11:AC26", "descending", ""},
    // IEEE Std 80-2000 Table 1, annealed copper and stainless steel 304
    {"annealed copper constants", 7, "B8:G8", "equals", "100,0.00393,234,1083,1.72,3.42"},
    {"stainless 304 constants", 7, "B16:G16", "equals", "2.4,0.0013,749,1400,72,4.03"},
    // IEEE Std 80-2000 Table 1, aluminium EC grade: 61 %, 0.00403, 228, 657 °C, 2.86, 2.56
    {"aluminium EC grade constants", 7, "B10:G10", "equals", "61,0.00403,228,657,2.86,2.56"},
    // IEC 60228 nominal cross-sections from 2.5 to 400 mm2
    {"ground conductor standard sizes", 7, "J8:J23", "equals",
     "2.5,4,6,10,16,25,35,50,70,95,120,150,185,240,300,400"},
    // NFPA 70 Table 220.84: 11 dwelling units 42 %, 21 units 37 %, 62 and more 23 %
    {"dwelling demand, 11 units", 8, "C18", "equals", "42"},
    {"dwelling demand, 21 units", 8, "C28", "equals", "37"},
    {"dwelling demand, 62 units", 8, "C44", "equals", "23"},
    // NFPA 70 Table 620.14: 5 elevators 0.82, 10 and more 0.72
    {"elevator demand, 5 units", 8, "I12", "equals", "0.82"},
    {"elevator demand, 10 units", 8, "I17", "equals", "0.72"},
    // IEC 60034-30-1 IE3, 60 Hz, 4 poles: 5.5 kW 91.7 %, 11 kW 92.4 %
    {"IE3 efficiency, 5.5 kW", 5, "AA26", "equals", "0.917"},
    {"IE3 efficiency, 11 kW", 5, "AA36", "equals", "0.924"},
    // IEC 60076-5 Table 1
    {"transformer %Z", 3, "E7:E25", "equals", "4,4,4,4,4,4,4,4,4,5,5,5,6,6,6,7,7,7,7"},
    {"generator kVA = kW / 0.8", 4, "D8:D35", "ratio", "B8:B35;1.25"},
    {"user motor sheet empty", 9, "A1:Z200", "empty", ""},
};

QString ChecksJson()
{
    QJsonArray tables;
    for (const TableCheck& t : kTables)
        tables.append(QJsonObject{{"name", t.name},
                                  {"sheet", t.sheet},
                                  {"first", t.firstCell},
                                  {"entries", t.entries},
                                  {"kinds", t.kinds},
                                  {"across", t.across}});
    QJsonArray values;
    for (const ValueCheck& v : kValues)
        values.append(QJsonObject{{"name", v.name},
                                  {"sheet", v.sheet},
                                  {"range", v.range},
                                  {"expect", v.expect},
                                  {"arg", v.arg}});
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"tables", tables}, {"values", values}}).toJson(QJsonDocument::Compact));
}

// Evaluates every check and prints {name: "" when it holds, else what is wrong}.
const char* kScript = R"PY(
import json, sys
import openpyxl
from openpyxl.utils import range_boundaries, coordinate_to_tuple, get_column_letter

lib_path, breaker_path, checks = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])
out = {}
lib = openpyxl.load_workbook(lib_path)
brk = openpyxl.load_workbook(breaker_path)

def cells(ws, rng):
    c1, r1, c2, r2 = range_boundaries(rng)
    return [ws.cell(row=r, column=c) for r in range(r1, r2 + 1) for c in range(c1, c2 + 1)]

def num(c):
    return c.value if c.data_type == 'n' and c.value is not None else None

# tables at their anchors with their entry counts and kinds
for t in checks['tables']:
    ws = lib.worksheets[t['sheet']]
    row, col = coordinate_to_tuple(t['first'])
    errs = []
    for e in range(t['entries']):
        for p, k in enumerate(t['kinds']):
            r, c = (row, col + e) if t['across'] else (row + e, col + p)
            cell = ws.cell(row=r, column=c)
            v = cell.value
            where = f"{get_column_letter(c)}{r}"
            if v is None or v == '':
                errs.append(f"{where} empty")
            elif k == 't' and not isinstance(v, str):
                errs.append(f"{where} is not text: {v!r}")
            elif k == 'n' and not isinstance(v, (int, float)):
                errs.append(f"{where} is not a number: {v!r}")
            elif k == 'd' and not (isinstance(v, (int, float)) or v == '-'):
                errs.append(f"{where} is neither a number nor '-': {v!r}")
    # the entry after the last one is not part of the table
    if t['entries'] > 1:
        r, c = (row, col + t['entries']) if t['across'] else (row + t['entries'], col)
        v = ws.cell(row=r, column=c).value
        if v not in (None, ''):
            errs.append(f"entry past the count holds {v!r} at {get_column_letter(c)}{r}")
    out[t['name']] = '; '.join(errs[:5])

def values(ws, rng):
    return [c.value for c in cells(ws, rng)]

for v in checks['values']:
    ws = lib.worksheets[v['sheet']]
    got = values(ws, v['range'])
    arg, exp, err = v['arg'], v['expect'], ''
    try:
        if exp == 'empty':
            filled = [c.coordinate for c in cells(ws, v['range']) if c.value not in (None, '')]
            err = f"holds values at {filled[:5]}" if filled else ''
        elif any(not isinstance(x, (int, float)) for x in got):
            err = f"not all numbers: {got}"
        elif exp in ('ascending', 'descending'):
            bad = [i for i in range(1, len(got))
                   if (got[i] <= got[i - 1] if exp == 'ascending' else got[i] >= got[i - 1])]
            err = f"not {exp} at {bad}: {got}" if bad else ''
        elif exp == 'equals':
            want = [float(x) for x in arg.split(',')]
            err = '' if len(want) == len(got) and all(abs(a - b) < 1e-9 for a, b in zip(got, want)) \
                else f"{got} != {want}"
        elif exp == 'near':
            want = [float(x) for x in arg.split(',')]
            err = '' if all(abs(a - b) <= 0.005 * abs(b) for a, b in zip(got, want)) else f"{got} !~ {want}"
        elif exp in ('same', 'greater', 'bucket', 'ratio'):
            parts = arg.split(';')
            src_ws, src_rng = ws, parts[0]
            if '!' in src_rng:  # "2!B11:B26": a range of another sheet
                idx, src_rng = src_rng.split('!')
                src_ws = lib.worksheets[int(idx)]
            try:
                other = values(src_ws, src_rng)
            except Exception:
                other = []
            factor = float(parts[1]) if len(parts) > 1 else None
            if exp == 'greater' and factor is not None:  # the range above a constant
                other = [factor] * len(got)
            if len(other) != len(got):
                err = f"ranges differ in size: {len(got)} and {len(other)}"
            elif exp == 'same':
                err = '' if got == other else f"{got} != {other}"
            elif exp == 'greater':
                bad = [i for i in range(len(got)) if not got[i] > other[i]]
                err = f"not above at {bad}: {got} vs {other}" if bad else ''
            elif exp == 'ratio':
                bad = [i for i in range(len(got)) if abs(got[i] - other[i] * factor) > 0.011]
                err = f"not {factor} times at {bad}" if bad else ''
            else:
                step = factor or 0.01
                want = [step] + [round(x + step, 6) for x in other[:-1]]
                err = '' if all(abs(a - b) < 1e-6 for a, b in zip(got, want)) else f"{got} != {want}"
        else:
            err = f"unknown expectation {exp}"
    except Exception as e:
        err = f"check failed: {e}"
    out[v['name']] = err

# (rated output, starting method) unique across the three motor tables
pairs, errs = {}, []
ws = lib.worksheets[5]
for first, n in (('B6', 5), ('W6', 95), ('AR6', 16)):
    row, col = coordinate_to_tuple(first)
    for e in range(n):
        kw = ws.cell(row=row + e, column=col + 1).value
        m = ws.cell(row=row + e, column=col + 7).value
        key0 = ws.cell(row=row + e, column=col).value
        if key0 != f"{kw}{m}":
            errs.append(f"key {key0!r} is not {kw}{m}")
        k = (float(kw), m)
        if k in pairs:
            errs.append(f"{k} twice ({pairs[k]} and {first}+{e})")
        pairs[k] = f"{first}+{e}"
out['motor pairs unique'] = '; '.join(errs[:5])

# the motor rows hold what the program computes from their own inputs
errs = []
for first, n in (('B6', 5), ('W6', 95), ('AR6', 16)):
    row, col = coordinate_to_tuple(first)
    for e in range(n):
        f = [ws.cell(row=row + e, column=col + k).value for k in range(19)]
        kw, phases, v, eff, pf, ib, m = float(f[1]), f[2], f[3], f[4], f[5], f[6], f[7]
        want_v = 0.22 if phases == '2' else 0.38
        want_ib = kw / want_v / eff / pf if phases == '2' else kw / 3 ** 0.5 / want_v / eff / pf
        one = lambda x: 1.0 if x == '-' else x
        if m in ('S.S', 'INV'):
            ims = ii = want_ib * one(f[10])
        else:
            ims = want_ib * f[8] * one(f[9])
            ii = ims * one(f[11])
        if abs(v - want_v) > 1e-9 or abs(ib - want_ib) > 0.006 or abs(f[12] - ims) > 0.51 \
                or abs(f[13] - ii) > 0.51:
            errs.append(f"{f[0]}: V {v} IB {ib} IMS {f[12]} II {f[13]} against {want_v} {want_ib:.2f} {ims:.1f} {ii:.1f}")
        if not f[15].endswith('/5') or float(f[15][:-2]) < want_ib:
            errs.append(f"{f[0]}: CT {f[15]} below IB {want_ib:.1f}")
out['motor rows computed'] = '; '.join(errs[:5])

# the line table's kinds are the legend's codes, each (phase, neutral) pair once
ws = lib.worksheets[0]
codes = [ws.cell(row=5 + e, column=13).value for e in range(12)]
errs, seen = [], set()
for e in range(92):
    p0, p3 = ws.cell(row=7 + e, column=1).value, ws.cell(row=7 + e, column=4).value
    if p0.split('-')[0] not in codes:
        errs.append(f"{p0}: kind not in the legend")
    if (p0, p3) in seen:
        errs.append(f"({p0}, {p3}) twice")
    seen.add((p0, p3))
unused = [c for c in codes if not any(k[0].split('-')[0] == c for k in seen)]
if unused:
    errs.append(f"legend codes without a line: {unused}")
out['line kinds and pairs'] = '; '.join(errs[:5])

# breaker workbook: the maker sheets in order, and a load followed by the program's save of each
# sheet writes exactly the cells that are there
out['breaker sheets'] = '' if brk.sheetnames == ['LS Metasol', 'LS Susol - TS', '현대 HGM', 'User'] \
    else f"sheets {brk.sheetnames}"
for i, ws in enumerate(brk.worksheets):
    errs = []
    def text(r, c):
        v = ws.cell(row=r + 1, column=c + 1).value
        return '' if v is None else (v if isinstance(v, str) else f"#number {v}")
    ratings, frames = [], []
    for f in range(50):
        at = text(2 + f, 4)
        if at == '':
            break
        ds = [ws.cell(row=3 + f, column=6 + k).value for k in range(5)]
        if any(not isinstance(d, (int, float)) for d in ds):
            errs.append(f"multiples of {at} are not numbers: {ds}")
            ds = [0 if not isinstance(d, (int, float)) else d for d in ds]
        ratings.append((at, [float(f"{d:.1f}") for d in ds]))
    for g in range(50):
        af = text(2 + g, 0)
        if af == '':
            break
        frames.append((af, text(2 + g, 1), text(2 + g, 2)))
    if not ratings or not frames:
        errs.append("no ratings or no frames")
    def fnum(x):
        try:
            return float(x)
        except ValueError:
            errs.append(f"{x!r} is not a number written as text")
            return 0.0
    ra = [fnum(r[0]) for r in ratings]
    fa = [fnum(f[0]) for f in frames]
    if ra != sorted(set(ra)) or fa != sorted(set(fa)):
        errs.append("ratings or frames not strictly ascending")
    if any(fnum(f[1]) <= 0 for f in frames):
        errs.append("a frame without breaking capacity")
    grid = {}
    for u in range(1, len(ratings) + 1):
        for t in range(1, len(frames) + 1):
            v = text(1 + u, 11 + t)
            grid[(t, u)] = '' if v == '-' else v
            if v not in ('', ratings[u - 1][0]):
                errs.append(f"grid cell of {ratings[u-1][0]} A in frame {frames[t-1][0]} holds {v!r}")
    for u in range(1, len(ratings) + 1):
        if not any(grid[(t, u)] for t in range(1, len(frames) + 1)):
            errs.append(f"no frame offers {ratings[u-1][0]} A")
    expect = {}
    for e, (at, ds) in enumerate(ratings):
        expect[(2 + e, 4)] = ('s', at)
        for k, d in enumerate(ds):
            expect[(2 + e, 5 + k)] = ('n', d)
    for e, fr in enumerate(frames):
        for k in range(3):
            expect[(2 + e, k)] = ('s', fr[k])
    for u in range(len(ratings) + 1):
        for t in range(len(frames) + 1):
            if u == 0 and t == 0:
                v = ''
            elif u == 0:
                v = frames[t - 1][0]
            elif t == 0:
                v = ratings[u - 1][0]
            else:
                v = grid[(t, u)]
            expect[(1 + u, 11 + t)] = ('s', v)
    actual = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None:
                continue
            actual[(c.row - 1, c.column - 1)] = ('s', c.value) if isinstance(c.value, str) else ('n', float(c.value))
    for k in sorted(set(expect) | set(actual)):
        a, x = actual.get(k), expect.get(k)
        if x is not None and x[0] == 's' and x[1] == '' and a is None:
            continue  # an empty text cell and no cell read alike
        if a != x:
            errs.append(f"cell {get_column_letter(k[1] + 1)}{k[0] + 1}: {a} after a save would be {x}")
    out[f"breaker sheet {i} round trip"] = '; '.join(errs[:5])

print(json.dumps(out, ensure_ascii=False))
)PY";

} // namespace

class TestReferenceData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString lib = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
        const QString breaker = ProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
        QVERIFY2(QFile::exists(lib), qPrintable(lib + " was not generated"));
        QVERIFY2(QFile::exists(breaker), qPrintable(breaker + " was not generated"));
        const PythonResult r = RunPython(QString::fromUtf8(kScript), {lib, breaker, ChecksJson()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
        QVERIFY2(doc.isObject(), qPrintable(r.out + r.err));
        m_results = doc.object();
    }

    void tables_data() { addRows(kTables); }
    void tables() { verifyRow(); }

    void values_data() { addRows(kValues); }
    void values() { verifyRow(); }

    void workbookChecks_data()
    {
        QTest::addColumn<QString>("check");
        for (const char* name : {"motor pairs unique", "motor rows computed", "line kinds and pairs",
                                 "breaker sheets", "breaker sheet 0 round trip",
                                 "breaker sheet 1 round trip", "breaker sheet 2 round trip",
                                 "breaker sheet 3 round trip"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void workbookChecks() { verifyRow(); }

private:
    template <typename Rows> void addRows(const Rows& rows)
    {
        QTest::addColumn<QString>("check");
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromUtf8(row.name);
    }
    void verifyRow()
    {
        QFETCH(QString, check);
        QVERIFY2(m_results.contains(check), qPrintable(check + " was not evaluated"));
        const QString problem = m_results.value(check).toString();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    QJsonObject m_results;
};

QTEST_GUILESS_MAIN(TestReferenceData)
#include "tst_referencedata.moc"
