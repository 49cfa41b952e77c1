// Start-up load of the library workbook's sheets 0 to 8 into the reference tables.
#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "library/core/libraryio.h"
#include "platform/xlsxbook.h"

#include <initializer_list>

using libio::Read;

namespace {

// Whether any cell read so far held a value: a workbook that opens but holds none of the
// library's tables (a stray workbook with one empty sheet) is no library.
bool g_sawLibraryCell = false;

QString ReadLibraryCell(const Sheet& sheet, int row, int col, Read how)
{
    if (!g_sawLibraryCell) {
        const std::optional<QString> text = sheet.readStr(row, col);
        g_sawLibraryCell = (text && !text->isEmpty()) || sheet.readNum(row, col) != 0.0;
    }
    return libio::ReadCell(sheet, row, col, how);
}

// Reads `count` entries of a table from its anchor, each property by its own rule.
void ReadEntries(const Sheet& sheet, LibCells& cells, int firstCol, int firstRow, int count,
                 std::initializer_list<Read> rules)
{
    for (int e = 0; e < count; ++e) {
        int p = 0;
        for (Read how : rules) {
            cells.Cell(e, p) = ReadLibraryCell(sheet, firstRow + e, firstCol + p, how);
            ++p;
        }
    }
}

void ReadTable(const Sheet& sheet, LibTable& t, std::initializer_list<Read> rules)
{
    ReadEntries(sheet, t, t.FirstCol, t.FirstRow, t.Count, rules);
}

// Every property read by the same rule.
void ReadTableAll(const Sheet& sheet, LibTable& t, Read how)
{
    for (int e = 0; e < t.Count; ++e) {
        for (int p = 0; p < t.properties(); ++p)
            t.Cell(e, p) = ReadLibraryCell(sheet, t.FirstRow + e, t.FirstCol + p, how);
    }
}

void ReadLibCell(const Sheet& sheet, LibCell& c, Read how)
{
    c.Value = ReadLibraryCell(sheet, c.Row, c.Col, how);
}

void ReadLibRow(const Sheet& sheet, LibRow& r, Read how)
{
    for (int i = 0; i < r.size(); ++i)
        r.Cell(i) = ReadLibraryCell(sheet, r.Row, r.FirstCol + i, how);
}

// A breaker table and its four-column extension on the same rows.
// The miniature breakers (MCB, RCBO) name their type as text, the moulded-case ones as a number.
void ReadBreakerTable(const Sheet& sheet, LibTable& t, LibColumns& ext, Read type)
{
    for (int e = 0; e < t.Count; ++e) {
        const int row = t.FirstRow + e;
        const Read rules[6] = {Read::F0, Read::F0, Read::F0, type, Read::F2, Read::Text};
        for (int p = 0; p < 6; ++p)
            t.Cell(e, p) = ReadLibraryCell(sheet, row, t.FirstCol + p, rules[p]);
        const Read extRules[4] = {Read::F2, Read::F0, Read::F0, Read::F2};
        for (int p = 0; p < 4; ++p)
            ext.Cell(e, p) = ReadLibraryCell(sheet, row, ext.FirstCol + p, extRules[p]);
    }
}

void ReadMotorTable(const Sheet& sheet, LibTable& t, Read startingInput)
{
    ReadTable(sheet, t,
              {Read::Text, Read::Text, Read::Text, Read::F2, Read::F3, Read::F3, Read::F2,
               Read::Text, Read::F1, Read::DashF2, Read::DashF2, Read::DashF2, Read::F0,
               Read::F0, Read::Text, Read::Text, Read::Text, Read::Text, startingInput});
}

}  // namespace

void CSevrinApp::LoadLibraryWorkbook()
{
    Book book;
    const QString& path = ProjectPathTable.LibWorkbookPath;
    if (!book.load(path))
        libio::ExitWorkbookNotFound(path);
    g_sawLibraryCell = false;

    if (const Sheet* s = book.getSheet(0)) {
        CableLibBlockT& b = CableLibBlock;
        ReadTable(*s, b.LineImpedanceTable,
                  {Read::Text, Read::Text, Read::Text, Read::Text, Read::Text, Read::Text, Read::F4,
                   Read::F4, Read::F4, Read::F4, Read::Text});
        ReadTableAll(*s, b.CableTypeLegend, Read::Text);
        ReadLibCell(*s, b.HvMultiCoreThreshold, Read::F0);
        ReadTable(*s, b.HvCableImpedanceTable, {Read::F0, Read::F4, Read::F4, Read::F4, Read::F4});
        ApplySingleCoreThreshold(QuantityOr(b.HvMultiCoreThreshold.Value, QuantitySign::Any, 0.0));
        ReadLibCell(*s, b.LvMultiCoreThreshold, Read::F0);
        ReadTable(*s, b.CBLIMP,
                  {Read::F1, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4,
                   Read::F4});
        ApplyImpedanceThreshold(QuantityOr(b.LvMultiCoreThreshold.Value, QuantitySign::Any, 0.0));
        ReadTable(*s, b.FR8IMP,
                  {Read::F1, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4, Read::F4,
                   Read::F4});
        ReadTable(*s, b.HFIXIMP, {Read::F1, Read::F4, Read::F4, Read::F4, Read::F4});
        ReadLibCell(*s, b.AmpacityMultiCoreThreshold, Read::F0);
        ReadLibRow(*s, b.InstallationMethodFactors, Read::F2);
        ReadTableAll(*s, b.XlpeAmpacityTable, Read::DashF2);
        const LibRow& f = b.InstallationMethodFactors;
        BuildAmpacityTables(QuantityOr(b.AmpacityMultiCoreThreshold.Value, QuantitySign::Any, 0.0), QuantityOr(f.Cell(0), QuantitySign::Any, 0.0),
                            QuantityOr(f.Cell(1), QuantitySign::Any, 0.0), QuantityOr(f.Cell(2), QuantitySign::Any, 0.0), QuantityOr(f.Cell(3), QuantitySign::Any, 0.0));
        ReadLibCell(*s, b.AmbientTemperature, Read::F0);
        ReadLibCell(*s, b.AmbientTemperatureFactor, Read::F2);
        ReadTableAll(*s, b.HfixAmpacityTable, Read::F2);
        ReadTable(*s, b.TRAYDF,
                  {Read::F0, Read::F2, Read::F2, Read::F2, Read::F2, Read::F2, Read::F2, Read::F2,
                   Read::F2});
        ReadLibRow(*s, b.TDF, Read::F2);
        ReadLibRow(*s, b.UGTDF, Read::F2);
        ReadLibRow(*s, b.UGDF, Read::F2);
        ReadLibRow(*s, b.UGDDF, Read::F2);
        BuildDeratedHfixTables(QuantityOr(b.AmbientTemperature.Value, QuantitySign::Any, 0.0));
    }

    if (const Sheet* s = book.getSheet(1)) {
        BreakerLibBlockT& b = BreakerLibBlock;
        ReadBreakerTable(*s, b.MCB, b.MCBExt, Read::Text);
        ReadBreakerTable(*s, b.RCBO, b.RCBOExt, Read::Text);
        ReadBreakerTable(*s, b.MCCB2, b.MCCB2Ext, Read::F0);
        ReadBreakerTable(*s, b.MCCB3, b.MCCB3Ext, Read::F0);
        ReadBreakerTable(*s, b.CBR, b.CBRExt, Read::F0);
    }

    if (const Sheet* s = book.getSheet(2)) {
        CableDimensionLibBlockT& b = CableDimensionLibBlock;
        const std::initializer_list<Read> conduit = {Read::F0, Read::F0, Read::F2,
                                                     Read::F2, Read::F2, Read::F0};
        const std::initializer_list<Read> weight = {Read::F2, Read::F2, Read::F2, Read::F2, Read::F2,
                                                    Read::F0, Read::F0, Read::F0, Read::F0};
        ReadTableAll(*s, b.FCVSQ, Read::F2);
        ReadTableAll(*s, b.FCVOD, Read::F2);
        ReadTableAll(*s, b.FR8SQ, Read::F2);
        ReadTableAll(*s, b.FR8OD, Read::F2);
        ReadTableAll(*s, b.HfixDiameterTable, Read::F2);
        ReadTableAll(*s, b.FGVSEC, Read::F2);
        ReadTableAll(*s, b.GV, Read::F2);
        ReadTable(*s, b.CD, conduit);
        ReadTable(*s, b.HiConduitTable, conduit);
        ReadTable(*s, b.ST, conduit);
        ReadTable(*s, b.FEP, conduit);
        ReadTable(*s, b.FCVW, weight);
        ReadTable(*s, b.FR8W, weight);
        ReadTable(*s, b.FGVW, {Read::F1, Read::F2, Read::F0});
        ReadTable(*s, b.TRAY, {Read::F1, Read::F0, Read::F1, Read::F1, Read::F1});
    }

    if (const Sheet* s = book.getSheet(3)) {
        ReadTable(*s, TransformerLibBlock.TR, {Read::F0Dash, Read::F0});
        ReadTable(*s, TransformerLibBlock.TRIMP, {Read::F0, Read::F1, Read::F2});
    }

    if (const Sheet* s = book.getSheet(4))
        ReadTable(*s, GeneratorLibBlock.GEN, {Read::F0, Read::F0, Read::F0, Read::F1});

    // The motor tables' CT ratios come from sheet 6, so it is read before sheet 5.
    if (const Sheet* s = book.getSheet(6)) {
        SwitchgearLibBlockT& b = SwitchgearLibBlock;
        ReadTable(*s, b.CurrentLimitingFuseTable, {Read::F2, Read::Text});
        ReadTable(*s, b.MofCtTable, {Read::F2, Read::Text, Read::Text});
        ReadTable(*s, b.CtRatioTable, {Read::F2, Read::Text});
        ReadTable(*s, b.AcbRatioTable, {Read::F2, Read::Text});
        ReadTable(*s, b.ProtectiveConductorTable, {Read::F2, Read::F2});
        ReadTable(*s, b.PowerCapacitorTable, {Read::F2, Read::Text, Read::Text, Read::Text, Read::Text});
        ReadTable(*s, b.NonLimitingFuseTable, {Read::F2, Read::F2});
    }

    if (const Sheet* s = book.getSheet(5)) {
        ReadMotorTable(*s, MotorLibBlock.MotorTable1, Read::F2);
        ReadMotorTable(*s, MotorLibBlock.MotorTable2, Read::F2);
        ReadMotorTable(*s, MotorLibBlock.MotorTable3, Read::Text);
    }

    if (const Sheet* s = book.getSheet(7)) {
        GroundingLibBlockT& b = GroundingLibBlock;
        ReadTable(*s, b.ConductorMaterialTable,
                  {Read::Text, Read::F1, Read::F6, Read::F0, Read::F1, Read::F4, Read::F4});
        ReadTable(*s, b.GroundConductorSizeTable, {Read::F1, Read::F1});
        ReadTable(*s, b.GroundRodTable, {Read::Text, Read::F1, Read::Text});
        ReadTable(*s, b.GroundConductorDiameterTable, {Read::F0, Read::F2});
    }

    if (const Sheet* s = book.getSheet(8)) {
        ReadTable(*s, DemandFactorLibBlock.DwellingDemandFactorTable,
                  {Read::F1, Read::F0, Read::F0, Read::F2});
        ReadTable(*s, DemandFactorLibBlock.ElevatorDemandFactorTable, {Read::F0, Read::F0, Read::F2});
    }

    book.release();
    if (!g_sawLibraryCell)
        libio::ExitWorkbookNotFound(path);
}
