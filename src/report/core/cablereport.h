#pragma once
// The cable and breaker report sheet: the stored rows of the cable schedule ("_40", sheet 0)
// as the cable screen lists them (up to the first row without a number), 48 cables a page,
// pages of 46 columns side by side. A row whose running (SVD%) or starting (SMSVD%) voltage
// drop is over its limit has " Chk" after the size printed under that drop's caption, and is
// named with its figures among the run's warnings.
#include "report/core/reportwriter.h"

#include <QString>

class Sheet;

constexpr int kCablePageColumns = 46;
constexpr int kCableRowsPerPage = 48;
constexpr int kCableTemplatePages = 10;
constexpr int kCableReportMaxRows = 1000;
constexpr int kCableLogoColumns = 5;  // the header band's logo cells

// Fills the sheet from the project's cable workbook and removes the template pages left
// empty. Writes nothing when the cable screen does not exist (`screenExists` false).
void WriteCableScheduleReport(Sheet& sheet, int pictureId, const QString& revision, ReportHost& host,
                              bool screenExists);

class CableScheduleReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
