#include "report/gui/busfaultreportwriter.h"

#include "app/core/sevrin.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/buspage.h"
#include "report/core/busfaultreport.h"
#include "report/core/guithread.h"

void BusFaultReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host || job.transformer < 0 || job.transformer > 4)
        return;
    if (!theApp.ScreenView(Screen::FaultCurrent))
        return;
    job.host->SetOutputProgress(QStringLiteral("고장전류"), job.transformer);
    // The buses as the fault-current sheet's writer has just recomputed and stored them.
    const int t = job.transformer;
    const BusFaultReportTexts texts = CallOnGuiThread([t] {
        CFaultScreen* screen = TheScreen<CFaultScreen>();
        return screen ? screen->BusPage()->ReadBusFaultReport(t) : BusFaultReportTexts{};
    });
    if (!texts.available)
        return;
    // A transformer that is not in use (no secondary voltage, no bus) has nothing to print:
    // its sheet goes, as the pages no bus needs go.
    if (!IsBusSheetInUse(texts)) {
        if (job.unused)
            *job.unused = true;
        return;
    }
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    WriteBusFaultSheet(*job.sheet, t, texts, job.pictureId, job.revision, project, *job.host);
}
