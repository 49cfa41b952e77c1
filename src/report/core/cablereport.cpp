#include "report/core/cablereport.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <array>

namespace {

// Report column offset within a page and the cable-row column it copies (0..45; +0 is the
// row number, +44 and +45 the two halves of column 111).
constexpr std::array<int, 43> kSourceColumns = {
    2,  3,  4,  5,  6,  8,  9,  10, 13, 23, 24,  30,  32,  42,  45,  47,  50,  51,  54,  57,  59, 60,
    61, 67, 68, 69, 70, 71, 80, 85, 86, 90, 91, 96, 97, 102, 103, 105, 106, 107, 108, 109, 110};

const QString kLabel = QStringLiteral("케이블&차단기");

void WritePageHeader(Sheet& sheet, int page, int pictureId, const QString& revision,
                     const ProjectScreenTexts& project)
{
    const int c = kCablePageColumns * page;
    if (pictureId >= 0)
        sheet.setPicture2(0, c, pictureId, 132, 74, 3, 3);
    sheet.writeStr(0, c + 41, revision);
    sheet.writeStr(1, c + 2, project.projectName);
    sheet.writeStr(1, c + 41, project.date);
}

}  // namespace

void WriteCableScheduleReport(Sheet& sheet, int pictureId, const QString& revision, ReportHost& host,
                              bool screenExists)
{
    if (!screenExists)
        return;
    host.SetOutputProgress(kLabel, 0);
    ProjectScreenTexts project;
    host.ReadProjectScreen(project);

    int pages = 0;
    bool rowsLeftOut = false;
    {
        companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::CableWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        const Sheet* cables = wb.ok() ? wb.sheet(0) : nullptr;
        if (cables) {
            std::array<QString, 112> row;
            int r = 0;
            for (; r < kCableReportMaxRows; ++r) {
                if (r % kCableRowsPerPage == 0)
                    WritePageHeader(sheet, pages++, pictureId, revision, project);
                companion::ReadRow(*cables, r, row);
                if (row[1].isEmpty())
                    break;
                const int c = kCablePageColumns * (r / kCableRowsPerPage);
                const int sheetRow = r % kCableRowsPerPage + 6;
                sheet.writeStr(sheetRow, c, QString::number(r + 1));
                for (int k = 0; k < int(kSourceColumns.size()); ++k)
                    sheet.writeStr(sheetRow, c + 1 + k, row[size_t(kSourceColumns[size_t(k)])]);
                const QString& conduit = row[111];
                const qsizetype bar = conduit.indexOf(QLatin1Char('|'));
                sheet.writeStr(sheetRow, c + 44, bar < 0 ? QString() : conduit.left(bar));
                sheet.writeStr(sheetRow, c + 45, bar < 0 ? conduit : conduit.mid(bar + 1));
            }
            rowsLeftOut = r == kCableReportMaxRows &&
                          !companion::CellText(*cables, kCableReportMaxRows, 1).isEmpty();
        }
    }

    // Pages beyond the template's blocks carry none of its frames or formats; rows beyond the
    // report's limit are not printed. Neither is dropped without a word.
    if (pages > kCableTemplatePages)
        host.SetOutputProgress(
            QStringLiteral("%1: %2쪽부터 서식 없이 출력").arg(kLabel).arg(kCableTemplatePages + 1), pages);
    if (rowsLeftOut)
        host.SetOutputProgress(
            QStringLiteral("%1: %2개를 넘는 케이블은 출력하지 않음").arg(kLabel).arg(kCableReportMaxRows),
            kCableReportMaxRows);

    const int first = kCablePageColumns * pages;
    const int last = kCablePageColumns * kCableTemplatePages;
    if (first <= last)
        sheet.removeCol(first, last);
}

void CableScheduleReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host)
        return;
    WriteCableScheduleReport(*job.sheet, job.pictureId, job.revision, *job.host,
                             theApp.ScreenPointers.Pro40View != nullptr);
}
