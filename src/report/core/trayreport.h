#pragma once
// The cable-tray report sheet: one page per tray of the tray workbook ("_50"), pages of 14
// columns side by side, the tray's cable rows and then its PE rows, their width and weight
// sums and the stored results.
#include "report/core/reportwriter.h"

#include <QString>

class Sheet;

constexpr int kTrayPageColumns = 14;
constexpr int kTrayRowsPerPage = 39;
constexpr int kTrayTemplatePages = 30;

// Fills the sheet from the project's tray workbook and removes the template pages left empty.
// Writes nothing when the tray screen does not exist (`screenExists` false).
void WriteCableTrayReport(Sheet& sheet, int pictureId, const QString& revision, ReportHost& host,
                          bool screenExists);

class CableTrayReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
