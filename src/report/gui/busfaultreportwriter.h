#pragma once
// The writer of the five bus sheets of the fault-current report (jobs for transformers 0..4):
// takes what the bus page shows on the GUI thread in one call, writes on the worker. Writes
// nothing when the fault-current screen does not exist.
#include "report/core/reportwriter.h"

class BusFaultReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
