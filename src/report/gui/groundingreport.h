#pragma once
// The grounding report sheet: seven pages of 50 columns, copied from what the grounding
// screen shows after recomputing as its "계산" does.
#include "grounding/gui/groundingscreen.h"
#include "report/core/reportwriter.h"

#include <QString>

class Sheet;

// The verdict on the ground potential rise, from the two texts as the voltage page shows them
// (two decimals). A text that is not a number ("-", empty) cannot prove the grid safe.
QString GroundPotentialRiseVerdict(const QString& touchPermissible, const QString& rise);

// Writes the seven pages from a snapshot of the grounding pages.
void WriteGroundingSheet(Sheet& sheet, const GroundingReportTexts& texts, int pictureId,
                         const QString& revision, const ProjectScreenTexts& project);

// The report writer: takes the snapshot on the GUI thread, writes on the worker. Writes
// nothing when the grounding screen does not exist.
class GroundingReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
