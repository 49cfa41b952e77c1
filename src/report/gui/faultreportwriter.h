#pragma once
// The writer of the fault-current report (report 7): its own sheet from the fault-current
// screen, then the five bus sheets, which it hands to the bus-sheet writer when there is one.
#include "report/core/reportwriter.h"

#include <memory>

class FaultCurrentReportWriter : public ReportSheetWriter
{
public:
    // `busSheets` writes the sheets of transformers 0..4 (jobs with transformer >= 0).
    explicit FaultCurrentReportWriter(std::shared_ptr<ReportSheetWriter> busSheets = nullptr);

    void WriteSheet(const ReportSheetJob& job) override;

private:
    std::shared_ptr<ReportSheetWriter> m_busSheets;
};
