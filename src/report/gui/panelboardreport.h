#pragma once
// The panel-board report sheet ("부하"): three design-condition pages, then one page of 28
// columns per board with up to 71 circuits, copied from what the panel-board screen shows
// after selecting and recomputing each board as its own "계산" does.
#include "report/core/reportwriter.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class Sheet;

// What the screen shows for one board after its recalculation.
struct PanelBoardReportPage
{
    QStringList boardRow;                // the board list's nine texts
    std::vector<QStringList> circuits;   // every row of the circuit list
    std::array<QString, 18> totals;      // the totals fields as shown
    QString demandFactor;                // "수용률[%]"
    QString breakerKind;                 // the main breaker's "타입"
    QString maxFault;
    QString minFault;
    // The branch-circuit voltage-drop limit of the design conditions, "%" figure as stored: a
    // circuit whose SVD% is above it is marked "SVD Chk" in its 비고 cell (sizes do not change).
    QString branchDropLimit;
};

// The design pages' control texts by page (0 installation, 1 conductor size, 2 motor
// starting, 3 breaker rating) and identifier.
struct PanelBoardDesignTexts
{
    std::array<QHash<int, QString>, 4> pages;
    QString Text(int page, int id) const { return pages[std::size_t(page)].value(id); }
};

// At most this many circuits fit on a board page.
inline constexpr int kBoardReportCircuits = 71;

// The page writers, on texts only.
void WritePanelBoardDesignPages(Sheet& sheet, const PanelBoardDesignTexts& design, int pictureId,
                                const QString& revision, const ProjectScreenTexts& project);
void WritePanelBoardPage(Sheet& sheet, int board, const PanelBoardReportPage& page,
                         int pictureId, const QString& revision, const ProjectScreenTexts& project);
// Removes the board blocks from board `count` on.
void RemoveUnusedBoardPages(Sheet& sheet, int count);

// The report writer: drives the panel-board screen board by board; writes nothing when the
// screen does not exist. The design pages hold the project's conditions whether or not it has
// boards (the cable sheet is sized with them). Boards with more circuits than a page holds
// are named among the run's warnings.
class PanelBoardReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
