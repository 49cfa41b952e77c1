#include "report/gui/faultreportwriter.h"

#include "app/core/sevrin.h"
#include "fault/gui/faultscreen.h"
#include "report/core/faultreport.h"
#include "report/core/guithread.h"

FaultCurrentReportWriter::FaultCurrentReportWriter(std::shared_ptr<ReportSheetWriter> busSheets)
    : m_busSheets(std::move(busSheets))
{
}

void FaultCurrentReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host)
        return;
    if (job.transformer >= 0) {
        if (m_busSheets)
            m_busSheets->WriteSheet(job);
        return;
    }
    if (!theApp.ScreenView(Screen::FaultCurrent))
        return;
    job.host->SetOutputProgress(QStringLiteral("고장전류"), 0);
    // One blocking call: the screen stores, recomputes and redisplays, and hands back what
    // its pages then show. The sheet is written here, on the worker.
    const FaultReportTexts texts = CallOnGuiThread([] {
        CFaultScreen* screen = TheScreen<CFaultScreen>();
        return screen ? screen->RecalcForReport() : FaultReportTexts{};
    });
    if (!texts.available)
        return;
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    WriteFaultCurrentSheet(*job.sheet, texts, job.pictureId, job.revision, project, *job.host);
}
