#include "report/core/trayreport.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/traysizing.h"
#include "platform/xlsxbook.h"

namespace {

const QString kLabel = QStringLiteral("케이블 트레이");

// Results block, rows 46..49: (report column, tray sheet column of row 0), three columns.
constexpr int kResultCells[3][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {3, 1, 11, 12}};
constexpr int kResultColumns[3] = {3, 8, 12};

// Rows of one tray sheet from row 8 down to the first row whose column 1 is empty.
std::vector<TrayRow> ReadRows(const Sheet* sheet)
{
    std::vector<TrayRow> rows;
    if (!sheet)
        return rows;
    TrayRow row;
    for (int k = 0; k < kTrayRowLimit; ++k) {
        companion::ReadRow(*sheet, k + kFirstTrayRow, row);
        if (row[1].isEmpty())
            break;
        rows.push_back(row);
    }
    return rows;
}

void WriteRow(Sheet& sheet, int c, int k, const TrayRow& row)
{
    const int r = k + 6;
    sheet.writeStr(r, c, QString::number(k + 1));
    sheet.writeStr(r, c + 1, row[1]);
    // Column +2 is the template's.
    for (int col = 2; col < kTrayColumnCount; ++col)
        sheet.writeStr(r, c + 1 + col, row[std::size_t(col)]);
}

}  // namespace

void WriteCableTrayReport(Sheet& sheet, int pictureId, const QString& revision, ReportHost& host,
                          bool screenExists)
{
    if (!screenExists)
        return;
    host.SetOutputProgress(kLabel, 0);
    ProjectScreenTexts project;
    host.ReadProjectScreen(project);

    int trays = 0;
    QStringList cut;  // trays with rows that did not fit on their page
    {
        companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::TrayWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        trays = wb.ok() ? wb.book().sheetCount() / 2 : 0;
        for (int t = 0; t < trays; ++t) {
            const int c = kTrayPageColumns * t;
            const Sheet* cableSheet = wb.sheet(2 * t);
            const std::vector<TrayRow> cables = ReadRows(cableSheet);
            const std::vector<TrayRow> pes = ReadRows(wb.sheet(2 * t + 1));

            // The sums are the tray's, over every stored row, as the screen sums them.
            const TraySums sums = SumTrayRows(cables, pes);

            // Cable rows first, then PE rows, as many as the page holds.
            int k = 0;
            for (const TrayRow& row : cables) {
                if (k == kTrayRowsPerPage)
                    break;
                WriteRow(sheet, c, k++, row);
            }
            for (const TrayRow& row : pes) {
                if (k == kTrayRowsPerPage)
                    break;
                WriteRow(sheet, c, k++, row);
            }
            if (std::size_t(k) < cables.size() + pes.size())
                cut << (cableSheet ? cableSheet->name() : QString::number(t + 1));

            PlaceLogo(sheet, c, 3, pictureId);  // the header band's logo cells
            sheet.writeStr(0, c + 12, revision);
            sheet.writeStr(1, c + 2, project.projectName);
            sheet.writeStr(1, c + 12, project.date);
            if (cableSheet) {
                sheet.writeStr(3, c + 2, companion::CellText(*cableSheet, 0, 0));
                sheet.writeStr(3, c + 4, cableSheet->name());
                sheet.writeStr(3, c + 8, companion::CellText(*cableSheet, 1, 0));
                sheet.writeStr(3, c + 12, companion::CellText(*cableSheet, 2, 0));
                for (int b = 0; b < 3; ++b)
                    for (int i = 0; i < 4; ++i)
                        sheet.writeStr(46 + i, c + kResultColumns[b],
                                       companion::CellText(*cableSheet, 0, kResultCells[b][i]));
            }
            sheet.writeStr(45, c + 11, TraySumText(sums.width));
            sheet.writeStr(45, c + 12, TraySumText(sums.weight));
        }
    }

    // Rows past a page's end and pages past the template's are reported, not dropped quietly.
    for (const QString& name : cut)
        host.ReportWarning(QStringLiteral("%1: %2 트레이는 %3개를 넘는 행을 출력하지 않음")
                               .arg(kLabel, name)
                               .arg(kTrayRowsPerPage));
    if (trays > kTrayTemplatePages)
        host.ReportWarning(QStringLiteral("%1: %2쪽부터 서식 없이 출력").arg(kLabel).arg(kTrayTemplatePages + 1));

    const int first = kTrayPageColumns * trays;
    const int last = kTrayPageColumns * kTrayTemplatePages;
    if (first <= last)
        sheet.removeCol(first, last);
}

void CableTrayReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host)
        return;
    WriteCableTrayReport(*job.sheet, job.pictureId, job.revision, *job.host,
                         theApp.ScreenView(Screen::Tray) != nullptr);
}
