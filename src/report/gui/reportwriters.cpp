#include "report/gui/reportwriters.h"

#include "report/core/cablereport.h"
#include "report/core/reportwriter.h"
#include "report/core/trayreport.h"
#include "report/gui/busfaultreportwriter.h"
#include "report/gui/faultreportwriter.h"
#include "report/gui/generatorreport.h"
#include "report/gui/groundingreport.h"
#include "report/gui/mccreport.h"
#include "report/gui/panelboardreport.h"
#include "report/gui/transformerreport.h"

#include <memory>

void RegisterReportSheetWriters()
{
    const auto add = [](int report, std::shared_ptr<ReportSheetWriter> writer) {
        if (!ReportSheetWriterFor(report))
            SetReportSheetWriter(report, std::move(writer));
    };
    add(1, std::make_shared<MccReportWriter>());
    add(2, std::make_shared<PanelBoardReportWriter>());
    add(3, std::make_shared<CableScheduleReportWriter>());
    add(4, std::make_shared<CableTrayReportWriter>());
    add(5, std::make_shared<TransformerReportWriter>());
    add(6, std::make_shared<GeneratorReportWriter>());
    add(7, std::make_shared<FaultCurrentReportWriter>(std::make_shared<BusFaultReportWriter>()));
    add(8, std::make_shared<GroundingReportWriter>());
}
