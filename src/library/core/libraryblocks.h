#pragma once
// Reference-data blocks held by theApp (tables loaded from the library workbook).
// CSevrinApp derives from LibraryBlocks so each block is a member of theApp.
//
// Every cell is a text; numbers are held as the text the loader printed and are parsed where
// they are used. Rows and columns count from 0 (column 0 is the sheet's column A).
//
// Table kinds:
//  - LibTable: entries (sheet rows from FirstRow) by properties (sheet columns from FirstCol),
//    a fixed capacity and an entry count. Cell(e, p) is sheet cell (FirstRow + e, FirstCol + p).
//  - LibColumns: more properties of the same entries as the LibTable it continues (its Base):
//    either further sheet columns or rows computed in memory; it shares the base's count.
//  - LibRow: N cells along one sheet row. LibCell: one cell. LibGrid: a 50 x 50 grid with a
//    used extent (columns, rows).
// Reading outside a table gives empty text; writing outside goes nowhere.
#include <QString>

#include <array>
#include <vector>

// Cells stored property by property: Capacity cells of property 0, then of property 1, ...
class LibCells
{
public:
    LibCells(int capacity, int properties);
    LibCells(const LibCells&) = delete;
    LibCells& operator=(const LibCells&) = delete;

    int capacity() const { return m_capacity; }
    int properties() const { return m_properties; }
    bool contains(int entry, int prop) const
    {
        return entry >= 0 && entry < m_capacity && prop >= 0 && prop < m_properties;
    }
    // The cell of an entry and property; outside the table a scratch text that nothing keeps.
    QString& Cell(int entry, int prop) { return contains(entry, prop) ? m_cells[at(entry, prop)] : Scratch(); }
    const QString& Cell(int entry, int prop) const { return contains(entry, prop) ? m_cells[at(entry, prop)] : Empty(); }
    // What a write outside a table goes to, and what a read outside it gives.
    static QString& Scratch();
    static const QString& Empty();

private:
    std::size_t at(int entry, int prop) const { return std::size_t(prop) * std::size_t(m_capacity) + std::size_t(entry); }

    int m_capacity;
    int m_properties;
    std::vector<QString> m_cells;
};

class LibTable : public LibCells
{
public:
    LibTable(int firstCol, int firstRow, int capacity, int properties, int count = -1);

    int FirstCol;
    int FirstRow;
    int Count;  // entries in use; equals the capacity for the library workbook's tables
};

class LibColumns : public LibCells
{
public:
    LibColumns(const LibTable& base, int firstCol, int firstRow, int properties);

    int count() const { return m_base->Count; }
    const LibTable& base() const { return *m_base; }

    int FirstCol;
    int FirstRow;

private:
    const LibTable* m_base;
};

class LibRow
{
public:
    LibRow(int firstCol, int row, int size);
    LibRow(const LibRow&) = delete;
    LibRow& operator=(const LibRow&) = delete;

    int size() const { return int(m_cells.size()); }
    QString& Cell(int i) { return i >= 0 && i < size() ? m_cells[std::size_t(i)] : LibCells::Scratch(); }
    const QString& Cell(int i) const { return i >= 0 && i < size() ? m_cells[std::size_t(i)] : LibCells::Empty(); }

    int FirstCol;
    int Row;

private:
    std::vector<QString> m_cells;
};

struct LibCell
{
    LibCell(int col, int row) : Col(col), Row(row) {}
    LibCell(const LibCell&) = delete;
    LibCell& operator=(const LibCell&) = delete;

    int Col;
    int Row;
    QString Value;
};

class LibGrid
{
public:
    static constexpr int Size = 50;

    LibGrid(int firstCol, int firstRow);
    LibGrid(const LibGrid&) = delete;
    LibGrid& operator=(const LibGrid&) = delete;

    // Cell (column, row); outside 50 x 50 a scratch text that nothing keeps.
    QString& Cell(int col, int row) { return inside(col, row) ? m_cells[at(col, row)] : LibCells::Scratch(); }
    const QString& Cell(int col, int row) const { return inside(col, row) ? m_cells[at(col, row)] : LibCells::Empty(); }

    int UsedCols = 0;
    int UsedRows = 0;
    int FirstCol;
    int FirstRow;

private:
    static bool inside(int col, int row) { return col >= 0 && col < Size && row >= 0 && row < Size; }
    static std::size_t at(int col, int row) { return std::size_t(row) * Size + std::size_t(col); }

    std::array<QString, Size * Size> m_cells;
};

// The sheet names of the breaker workbook, in sheet order.
struct LibNameList
{
    static constexpr int Capacity = 50;
    int Count = 0;
    std::array<QString, Capacity> Names;
};

// Sheet 0: line and cable impedances, ampacities, correction factors.
struct CableLibBlockT
{

    LibTable LineImpedanceTable{0, 6, 92, 11};
    LibTable CableTypeLegend{12, 4, 12, 3};
    LibCell HvMultiCoreThreshold{22, 6};
    // p0..p4 read; p5 empty; p6, p7 the applied R and X.
    LibTable HvCableImpedanceTable{16, 9, 11, 8};
    LibCell LvMultiCoreThreshold{37, 6};
    // p0..p8 read; p9 empty; p10..p13 the applied R/X single-phase, R/X three-phase.
    LibTable CBLIMP{27, 10, 16, 14};
    LibTable FR8IMP{27, 37, 16, 9};
    LibTable HFIXIMP{27, 62, 16, 5};
    LibCell AmpacityMultiCoreThreshold{58, 5};
    LibRow InstallationMethodFactors{59, 7, 4};  // methods A1,2, B1,2, D1, E,F
    LibTable XlpeAmpacityTable{44, 11, 16, 13};
    // Computed from XlpeAmpacityTable (never read from the workbook).
    LibColumns CABLESQ{XlpeAmpacityTable, 58, 11, 10};
    LibColumns CABLE1A{XlpeAmpacityTable, 44, 32, 3};
    LibColumns CABLE1B{XlpeAmpacityTable, 47, 32, 3};
    LibColumns CABLE1D{XlpeAmpacityTable, 50, 32, 3};
    LibColumns CABLE1E{XlpeAmpacityTable, 53, 32, 3};
    LibColumns CABLE3A{XlpeAmpacityTable, 56, 32, 3};
    LibColumns CABLE3B{XlpeAmpacityTable, 59, 32, 3};
    LibColumns CABLE3D{XlpeAmpacityTable, 62, 32, 3};
    LibColumns CABLE3E{XlpeAmpacityTable, 65, 32, 3};
    LibColumns CABLEC{XlpeAmpacityTable, 44, 54, 9};
    LibCell AmbientTemperature{51, 74};
    LibCell AmbientTemperatureFactor{51, 75};
    LibTable HfixAmpacityTable{44, 79, 16, 5};
    // The derived HFIX rows (lookup names HFIXSQ, HFIXAC, HFIX2A, HFIX2B, HFIX3A, HFIX3B).
    LibColumns HFIXSQ{HfixAmpacityTable, 55, 79, 14};
    LibTable TRAYDF{72, 9, 6, 9};
    LibRow TDF{71, 21, 11};    // 20, 25, ... 70 degC in air
    LibRow UGTDF{71, 28, 11};  // 10, 15, ... 60 degC in ground
    LibRow UGDF{71, 35, 7};    // soil thermal resistivity 0.5 ... 3.0 K.m/W
    LibRow UGDDF{71, 43, 4};   // burial depth 0.6 ... 1.2 m

    // CABLE1A, 1B, 1D, 1E, 3A, 3B, 3D, 3E by index 0..7.
    LibColumns& CableMethodTable(int k);
    const LibColumns& CableMethodTable(int k) const;
};

// Sheet 1 (the library's breaker tables) and the maker sheet of the breaker workbook loaded last.
struct BreakerLibBlockT
{

    // Each breaker table: six properties shown by the breaker pages, and an extension of four
    // (lookup key, rating AT, frame AF, breaking capacity kA) that the lookups use.
    LibTable MCB{1, 8, 8, 6};
    LibColumns MCBExt{MCB, 9, 8, 4};
    LibTable RCBO{15, 8, 8, 6};
    LibColumns RCBOExt{RCBO, 23, 8, 4};
    LibTable MCCB2{29, 7, 10, 6};
    LibColumns MCCB2Ext{MCCB2, 37, 7, 4};
    LibTable MCCB3{29, 20, 16, 6};
    LibColumns MCCB3Ext{MCCB3, 37, 20, 4};
    LibTable CBR{44, 7, 16, 6};
    LibColumns CBRExt{CBR, 52, 7, 4};

    LibNameList BreakerMakerList;
    LibTable MakerRatingTable{4, 2, 50, 6, 0};  // AT, then delta for 4, 6, 10, 15, 20 s
    LibTable MakerFrameTable{0, 2, 50, 3, 0};   // AF, kA, type
    LibGrid RatingFrameGrid{11, 1};
};

// Sheet 2: cable dimensions, conduits, weights, trays.
struct CableDimensionLibBlockT
{

    LibTable FCVSQ{1, 10, 16, 9};
    LibTable FCVOD{12, 10, 16, 10};
    LibTable FR8SQ{24, 10, 16, 9};
    LibTable FR8OD{35, 10, 16, 10};
    LibTable HfixDiameterTable{47, 10, 16, 3};
    LibTable FGVSEC{52, 10, 16, 3};
    LibTable GV{56, 10, 16, 2};
    LibTable CD{61, 9, 5, 6};
    LibTable HiConduitTable{69, 9, 9, 6};
    LibTable ST{77, 9, 9, 6};
    LibTable FEP{85, 9, 10, 6};
    LibTable FCVW{93, 8, 16, 9};
    LibTable FR8W{104, 8, 16, 9};
    LibTable FGVW{115, 8, 16, 3};
    LibTable TRAY{120, 8, 10, 5};
};

// Sheet 3.
struct TransformerLibBlockT
{

    LibTable TR{0, 6, 19, 2};
    LibTable TRIMP{3, 6, 19, 3};
};

// Sheet 4.
struct GeneratorLibBlockT
{

    LibTable GEN{0, 7, 28, 4};
};

// Sheet 5: motors, 19 fields per entry.
struct MotorLibBlockT
{
    static constexpr int Fields = 19;

    LibTable MotorTable1{1, 5, 5, Fields};
    LibTable MotorTable2{22, 5, 95, Fields};
    LibTable MotorTable3{43, 5, 16, Fields};
};

// Sheet 6.
struct SwitchgearLibBlockT
{

    LibTable CurrentLimitingFuseTable{0, 6, 15, 2};
    LibTable MofCtTable{3, 6, 10, 3};
    LibTable CtRatioTable{7, 6, 26, 2};
    LibTable AcbRatioTable{10, 6, 11, 2};
    LibTable ProtectiveConductorTable{13, 6, 16, 2};
    LibTable PowerCapacitorTable{16, 7, 13, 5};
    LibTable NonLimitingFuseTable{22, 6, 16, 2};
};

// Sheet 7.
struct GroundingLibBlockT
{

    LibTable ConductorMaterialTable{0, 7, 9, 7};
    LibTable GroundConductorSizeTable{8, 7, 16, 2};
    LibTable GroundRodTable{11, 7, 11, 3};
    LibTable GroundConductorDiameterTable{15, 7, 11, 2};
};

// Sheet 8.
struct DemandFactorLibBlockT
{

    LibTable DwellingDemandFactorTable{0, 7, 37, 4};
    LibTable ElevatorDemandFactorTable{6, 7, 60, 3};
};

struct LibraryBlocks
{
    CableLibBlockT CableLibBlock;                    // sheet 0
    BreakerLibBlockT BreakerLibBlock;                // sheet 1 and the breaker workbook
    CableDimensionLibBlockT CableDimensionLibBlock;  // sheet 2
    TransformerLibBlockT TransformerLibBlock;        // sheet 3
    GeneratorLibBlockT GeneratorLibBlock;            // sheet 4
    MotorLibBlockT MotorLibBlock;                    // sheet 5
    SwitchgearLibBlockT SwitchgearLibBlock;          // sheet 6
    GroundingLibBlockT GroundingLibBlock;            // sheet 7
    DemandFactorLibBlockT DemandFactorLibBlock;      // sheet 8
};
