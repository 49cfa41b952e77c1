#pragma once
// The motor-control-centre report sheet ("동력"): the motor design conditions on the first
// page (columns 0 to 23), then one page of 24 columns per panel, each filled with what the
// calculation sheet shows after selecting and recomputing the panel as "계산" does.
#include "report/core/reportwriter.h"

#include <QString>

class Sheet;
class CMccScreen;

constexpr int kMccPageColumns = 24;
constexpr int kMccTemplatePanels = 50;
constexpr int kMccLoadsPerPage = 30;

// Drives the screen panel by panel, fills the sheet and removes the panel pages left empty
// (also after a stop). A panel with more loads than a page holds gets a progress line.
void WriteMccReport(Sheet& sheet, CMccScreen& screen, int pictureId, const QString& revision,
                    ReportHost& host);

// Writes nothing when the motor-control-centre screen does not exist.
class MccReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
