#include "report/gui/mccreport.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccsheetpage.h"
#include "platform/profile.h"
#include "platform/xlsxbook.h"
#include "report/core/guithread.h"

#include <array>

namespace {

using P = CMccSheetPage;

const QString kLabel = QStringLiteral("동력");

// Load-list columns of a report row, in the order of the page's columns c .. c + 23.
constexpr std::array<int, 24> kLoadColumns = {0,  1,  2,  3,  4,  5,  7,  9,  10, 11, 12, 13,
                                              18, 19, 20, 22, 23, 27, 28, 29, 30, 31, 32, 33};

struct DesignCell
{
    int row, col, id;
};
// The design-conditions page: the reactor coefficient (12, 6) is the tap's text.
constexpr DesignCell kDesignCells[] = {
    {7, 6, 1426},  {11, 6, 1427}, {12, 6, 1427}, {15, 6, 1428}, {16, 6, 1430}, {18, 5, 1431},
    {30, 4, 1432}, {30, 5, 1433}, {30, 6, 1434}, {30, 7, 1435}, {30, 8, 1436}, {32, 5, 1437},
    {37, 7, 1438},
};

struct TotalsCell
{
    int row, offset, id;
};
// The totals area of a panel page (the starting kVA gets its unit below).
constexpr TotalsCell kTotalsCells[] = {
    {2, 20, P::IdMaxFault},       {3, 20, P::IdMinFault},     {36, 3, P::IdConnected},
    {37, 3, P::IdDemandPct},      {38, 3, P::IdDemand},       {36, 9, P::IdLineL1},
    {37, 9, P::IdLineL2},         {38, 9, P::IdLineL3},       {36, 13, P::IdMotorKw},
    {37, 13, P::IdMotorMethod},   {38, 14, P::IdMotorStartTime}, {36, 18, P::IdBreakerPoles},
    {36, 19, P::IdBreakerFrame},  {36, 20, P::IdBreakerTrip}, {37, 17, P::IdCt},
    {37, 21, P::IdBreakingKa},    {38, 17, P::IdCable},
};

void WritePageHeader(Sheet& sheet, int c, int pictureId, const QString& revision,
                     const ProjectScreenTexts& project)
{
    PlaceLogo(sheet, c, 4, pictureId);  // the header band's logo cells
    sheet.writeStr(0, c + 22, revision);
    sheet.writeStr(1, c + 1, project.projectName);
    sheet.writeStr(1, c + 22, project.date);
}

}  // namespace

void WriteMccReport(Sheet& sheet, CMccScreen& screen, int pictureId, const QString& revision,
                    ReportHost& host)
{
    CMccSheetPage* page = screen.LoadPage();
    ProjectScreenTexts project;
    host.ReadProjectScreen(project);
    WritePageHeader(sheet, 0, pictureId, revision, project);

    const int n = page->PanelCount();
    int pages = 0;
    // Each panel's "계산" stores its totals; in one batch the workbook is saved once, after
    // the last panel, instead of once per panel (a cost that grew with the square of the
    // panels).
    CompanionBatch batch;
    for (int i = 0; i < n; ++i) {
        host.SetOutputProgress(kLabel, i);
        if (theApp.ReportStopFlag.load() == 1)
            break;
        // The screen's own "계산" on the calculation sheet, for panel i.
        screen.SetMccPageIndex(1);
        screen.ShowMccPage(1);
        page->SelectMccPanel(i);
        screen.StoreMccDesignConditions();
        screen.SetReactorCoefficient();
        const int position = LeadingInt(page->FieldText(P::IdPosition));
        page->CalcMccPanel(position);
        screen.ApplyMccDesignConditions(position, false);

        if (i == 0)
            for (const DesignCell& d : kDesignCells)
                sheet.writeStr(d.row, d.col, screen.DesignControlText(d.id));

        const int c = kMccPageColumns * (i + 1);
        WritePageHeader(sheet, c, pictureId, revision, project);
        const QStringList panel = page->PanelRow(i);
        const QString supply = panel.value(6);
        sheet.writeStr(2, c + 1, panel.value(1));
        sheet.writeStr(2, c + 9, panel.value(2));
        sheet.writeStr(2, c + 15, panel.value(4));
        sheet.writeStr(3, c + 9, panel.value(7) == QLatin1String("X") ? QStringLiteral("일반부하")
                                                                       : QStringLiteral("비상부하"));
        sheet.writeStr(3, c + 15, supply.left(2));
        sheet.writeStr(3, c + 16, supply.right(2));
        sheet.writeStr(3, c + 17, panel.value(5) + QStringLiteral("kV"));
        for (const TotalsCell& t : kTotalsCells)
            sheet.writeStr(t.row, c + t.offset, page->FieldText(t.id));
        sheet.writeStr(38, c + 13, page->FieldText(P::IdMotorStartKva) + QStringLiteral("[kVA]"));

        const std::vector<QStringList> loads = page->LoadRows();
        const int shown = std::min<int>(int(loads.size()), kMccLoadsPerPage);
        for (int j = 0; j < shown; ++j)
            for (int k = 0; k < int(kLoadColumns.size()); ++k)
                sheet.writeStr(6 + j, c + k, loads[std::size_t(j)].value(kLoadColumns[std::size_t(k)]));
        // A page holds 30 loads: the rest is not printed, and the user is told so.
        if (int(loads.size()) > kMccLoadsPerPage)
            host.ReportWarning(QStringLiteral("%1: %2의 부하 %3개 중 %4개만 출력")
                                   .arg(kLabel, panel.value(1))
                                   .arg(loads.size())
                                   .arg(kMccLoadsPerPage));
        ++pages;
    }
    if (!batch.finish())
        GuiPrompt::Message(QObject::tr("동력 파일을 저장하지 못했습니다.\n%1")
                               .arg(theApp.CompanionPath(CSevrinApp::MccWorkbook)));
    if (n > kMccTemplatePanels)
        host.ReportWarning(
            QStringLiteral("%1: %2번째 분전반부터 서식 없이 출력").arg(kLabel).arg(kMccTemplatePanels + 1));

    const int first = kMccPageColumns * (pages + 1);
    const int last = kMccPageColumns * (kMccTemplatePanels + 1);
    if (first <= last)
        sheet.removeCol(first, last);
}

void MccReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host)
        return;
    CMccScreen* screen = TheScreen<CMccScreen>();
    if (!screen)
        return;
    WriteMccReport(*job.sheet, *screen, job.pictureId, job.revision, *job.host);
}
