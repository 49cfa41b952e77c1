#pragma once
// The bus pages of the fault-current screen: the incoming bus, and per transformer its
// secondary bus and the downstream buses kept in its bus workbook ("_851".."_855"), one
// sheet (bus page) per bus. A transformer column shows 25 of its 100 pages at once.
#include "fault/core/busfault.h"

#include <QStringList>

#include <array>

class CSevrinApp;

namespace fault {

inline constexpr int kTransformers = 5;
inline constexpr int kBusPagesPerWorkbook = 100;  // sheets of a bus workbook
inline constexpr int kBusCellsPerPage = 25;
inline constexpr int kBusColumnPages = kBusPagesPerWorkbook / kBusCellsPerPage;

struct BusColumn
{
    int TransformerIndex = 0;
    BusView TransformerCell;                       // the secondary bus
    std::array<BusView, kBusCellsPerPage> Cells;   // the downstream buses of the page shown
    int Page = 0;                                  // 0..3, the page shown
};

class FaultBusPages
{
public:
    FaultBusPages();

    BusView Incoming;
    std::array<BusColumn, kTransformers> Columns;
};

// The workbooks of the fault calculation with a list that holds more rows than the
// kMaxListRows it takes: "_80" for its distribution lines, incoming cables, motors and feeder
// cables, a bus workbook for the cables of one of its bus pages. The rows past the limit take
// no part in the calculation and stay in the file. Missing and unreadable workbooks are not
// listed.
QStringList FaultWorkbooksBeyondLimit(const CSevrinApp& app);
// Transformer tr's bus workbook, alone.
bool BusPagesBeyondLimit(const CSevrinApp& app, int tr);

// "TR-1".."TR-4" give 0..3, any other text 4.
int BusTransformerIndex(const QString& transformerName);

// What kept the bus pages or a fault calculation from their files. The screen turns it into
// one message, the driver into one line.
struct [[nodiscard]] FaultStoreOutcome
{
    QStringList unreadable;  // workbooks that exist but cannot be read: nothing was written
    QStringList unsaved;     // workbooks that did not take their changes

    bool ok() const { return unreadable.isEmpty() && unsaved.isEmpty(); }
    void addUnreadable(const QString& path);
    void addUnsaved(const QString& path);
    void addUnsaved(const QStringList& paths);
    void add(const FaultStoreOutcome& other);
};

// The workbooks a fault calculation reads ("_80" and the five bus workbooks) that exist but
// cannot be read. A missing one is no fault: the calculation creates it.
QStringList UnreadableFaultInputs(const CSevrinApp& app);

// The message for an outcome that is not ok(); `run` when it stopped a calculation.
QString FaultStoreMessage(const FaultStoreOutcome& outcome, bool run);

// After a project load: the incoming bus emptied, every column from the transformer rows of
// the fault-current data workbook and its bus workbook (created with 100 empty pages when
// missing, padded to 100 pages when shorter); each column shows page 0. Nothing is computed.
// While a workbook of the calculation cannot be read, the others are read as they are and
// nothing is created; the outcome names the bus workbooks among them.
FaultStoreOutcome LoadFaultBusData(CSevrinApp& app, FaultBusPages& pages);

// Fills the 25 bus cells of the column with page `page` (0..3) of transformer tr's workbook.
// A workbook that cannot be loaded leaves the cells as they are (false).
bool LoadBusLayout(CSevrinApp& app, BusColumn& column, int tr, int page);

// Recomputes the transformer's secondary bus and every named bus of its workbook (an empty
// page in between does not stop it); the column shows the page it showed before.
FaultStoreOutcome RecalcBusColumn(CSevrinApp& app, BusColumn& column);

// The incoming bus, then every transformer column; the bus workbooks are saved once.
FaultStoreOutcome RecalcAllBuses(CSevrinApp& app, FaultBusPages& pages);

// After confirmation, an empty bus page at sheet s (the buses from s on move one page down) /
// deletes the bus page s (the buses after it move one page up); then reloads the page shown.
// An insertion is refused while the last page holds a bus, which it would otherwise move.
bool InsertBusCell(CSevrinApp& app, BusColumn& column, int s);
bool DeleteBusCell(CSevrinApp& app, BusColumn& column, int s);

// Writes transformer k's results into its column: the two upstream rows of the transformer
// cell (R90, R20, R250, X), its RST250 and XST-MIN fields, and RB/XB into every cell.
void ShowTransformerFaultResult(FaultBusPages& pages, int k, double rref90, double rref20,
                                double rref250, double xref, double rt90, double rt20,
                                double rt250, double xt, double rb, double xb);

// A transformer's voltage and NGR into every cell of its column.
void PropagateTransformerHeader(FaultBusPages& pages, int n, const QString& voltage,
                                const QString& ngr);

}  // namespace fault
