#pragma once
// The bus fault-current sheets of the fault-current report, one per transformer: page 0 holds
// the incoming 22.9 kV bus and the transformer's secondary bus, pages 1 and on the
// transformer's downstream buses, three to a page, in the order of their cells. Pages are 16
// columns wide; the pages no bus needs are removed, and the whole sheet of a transformer that
// is not in use.
#include "report/core/reportwriter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class Sheet;

// One bus as its view shows it.
struct BusReportBlock
{
    QString name, voltage, transformer, ngr;
    std::vector<QStringList> rows;     // the bus list, 16 cells a row
    std::array<QString, 15> results;   // Ik'' .. XGT in the order of a bus page's row 0
};

// What the report copies from the bus page for one transformer.
struct BusFaultReportTexts
{
    bool available = false;  // false when there is no fault-current screen
    BusReportBlock incoming;
    BusReportBlock transformerCell;
    std::vector<BusReportBlock> buses;  // the named buses of the transformer, in cell order
};

inline constexpr int kBusReportPageColumns = 16;
inline constexpr int kBusReportTemplatePages = 34;
inline constexpr int kBusReportBusesPerPage = 3;
inline constexpr int kBusReportBlockRows = 16;
inline constexpr int kBusReportLogoColumns = 4;  // the header band's logo cells
// List rows a bus block has room for: the two upstream rows and four cables.
inline constexpr int kBusReportListRows = 6;

// True when transformer t's sheet has something to print: the transformer is entered (its
// secondary bus has a voltage) or it feeds named buses.
bool IsBusSheetInUse(const BusFaultReportTexts& texts);

// Fills the sheet of transformer t (0..4) from the snapshot and removes the pages left empty.
// A bus list longer than a block and buses beyond the template's pages are reported on the
// progress line.
void WriteBusFaultSheet(Sheet& sheet, int transformer, const BusFaultReportTexts& texts,
                        int pictureId, const QString& revision, const ProjectScreenTexts& project,
                        ReportHost& host);
