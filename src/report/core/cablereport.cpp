#include "report/core/cablereport.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cablesizing.h"
#include "platform/xlsxbook.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace {

// Report column offset within a page and the cable-row column it copies (0..45; +0 is the
// row number, +44 and +45 the two halves of column 111).
constexpr std::array<int, 43> kSourceColumns = {
    2,  3,  4,  5,  6,  8,  9,  10, 13, 23, 24,  30,  32,  42,  45,  47,  50,  51,  54,  57,  59, 60,
    61, 67, 68, 69, 70, 71, 80, 85, 86, 90, 91, 96, 97, 102, 103, 105, 106, 107, 108, 109, 110};

const QString kLabel = QStringLiteral("케이블&차단기");

// ISMIN and ISMAX, the two fault currents of a row.
constexpr int kIsMinColumn = 51;
constexpr int kIsMaxColumn = 103;
// The results the calculation always writes: the cable number and the selected size.
constexpr int kCableNumberColumn = 1;
constexpr int kSelectedSizeColumn = 60;

// The two voltage drops a row is checked on: its limit, its figure and the size it was
// computed at (the size is the cell the page prints under the drop's caption).
struct DropCheck
{
    int alarm;  // the code CheckCableAlarms gives for the drop over its limit
    int limitColumn, pctColumn, sizeColumn;
    const char* name;
};
constexpr DropCheck kDropChecks[] = {
    {8, 48, 49, 50, "SVD%"},
    {1, 55, 56, 57, "SMSVD%"},
};
// What follows the size of a drop over its limit, as the panel-board sheet's "SVD Chk".
const QString kDropMark = QStringLiteral("Chk");

// A fault current in kA as the report prints both of them: two decimals and the unit. Any
// other text ("-", empty, a text that is not a figure) is printed as it stands.
QString FaultCurrentText(const QString& text)
{
    QString t = text.trimmed();
    if (t.endsWith(QLatin1String("kA"), Qt::CaseInsensitive))
        t.chop(2);
    double v = 0.0;
    if (!ReadValue(t, &v))
        return text;
    return FormatFixed(v, 2) + QStringLiteral("kA");
}

// Up to twenty entries joined by commas, and how many more there are.
QString ShortList(const QStringList& items)
{
    constexpr int kShown = 20;
    if (items.size() <= kShown)
        return items.join(QStringLiteral(", "));
    return items.mid(0, kShown).join(QStringLiteral(", ")) +
           QStringLiteral(" 외 %1개").arg(items.size() - kShown);
}

void WritePageHeader(Sheet& sheet, int page, int pictureId, const QString& revision,
                     const ProjectScreenTexts& project)
{
    const int c = kCablePageColumns * page;
    PlaceLogo(sheet, c, kCableLogoColumns, pictureId);
    sheet.writeStr(0, c + 41, revision);
    sheet.writeStr(1, c + 2, project.projectName);
    sheet.writeStr(1, c + 41, project.date);
}

// A stored row the calculation has been through: it has its cable number and selected size.
bool IsComputedCableRow(const std::array<QString, 112>& row)
{
    return !row[kCableNumberColumn].isEmpty() && !row[kSelectedSizeColumn].isEmpty();
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
    QStringList notComputed;
    // Per drop: "<No.>: <figure> > <limit>" of every row over its limit.
    std::array<QStringList, std::size(kDropChecks)> overLimit;
    {
        companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::CableWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        const Sheet* cables = wb.ok() ? wb.sheet(0) : nullptr;
        if (cables) {
            // An empty schedule still prints its one page with the header.
            WritePageHeader(sheet, pages++, pictureId, revision, project);
            std::array<QString, 112> row;
            int r = 0;
            for (; r < kCableReportMaxRows; ++r) {
                companion::ReadRow(*cables, r, row);
                // The rows the cable screen lists: up to the first without a number. A row the
                // calculation has not reached yet is printed too, and named below.
                if (row[0].isEmpty())
                    break;
                // A page is started only for a row that is there: no page of a header alone.
                if (r > 0 && r % kCableRowsPerPage == 0)
                    WritePageHeader(sheet, pages++, pictureId, revision, project);
                if (!IsComputedCableRow(row))
                    notComputed << QString::number(r + 1);
                // A drop over its limit, as the cable screen warns of it: its size cell is
                // marked and the row is named below with its figures.
                const std::vector<int> alarms = CheckCableAlarms(row);
                std::array<bool, std::size(kDropChecks)> over{};
                for (size_t d = 0; d < std::size(kDropChecks); ++d) {
                    const DropCheck& check = kDropChecks[d];
                    over[d] = std::find(alarms.begin(), alarms.end(), check.alarm) != alarms.end();
                    if (over[d])
                        overLimit[d] << QStringLiteral("%1: %2 > %3")
                                            .arg(r + 1)
                                            .arg(row[size_t(check.pctColumn)], row[size_t(check.limitColumn)]);
                }
                const int c = kCablePageColumns * (r / kCableRowsPerPage);
                const int sheetRow = r % kCableRowsPerPage + 6;
                sheet.writeStr(sheetRow, c, QString::number(r + 1));
                for (int k = 0; k < int(kSourceColumns.size()); ++k) {
                    const int source = kSourceColumns[size_t(k)];
                    QString text = row[size_t(source)];
                    if (source == kIsMinColumn || source == kIsMaxColumn)
                        text = FaultCurrentText(text);
                    for (size_t d = 0; d < std::size(kDropChecks); ++d)
                        if (over[d] && source == kDropChecks[d].sizeColumn)
                            text = text.isEmpty() ? kDropMark : text + QLatin1Char(' ') + kDropMark;
                    sheet.writeStr(sheetRow, c + 1 + k, text);
                }
                const QString& conduit = row[111];
                const qsizetype bar = conduit.indexOf(QLatin1Char('|'));
                sheet.writeStr(sheetRow, c + 44, bar < 0 ? QString() : conduit.left(bar));
                sheet.writeStr(sheetRow, c + 45, bar < 0 ? conduit : conduit.mid(bar + 1));
            }
            rowsLeftOut = r == kCableReportMaxRows &&
                          !companion::CellText(*cables, kCableReportMaxRows, 0).isEmpty();
        }
    }

    // Pages beyond the template's blocks carry none of its frames or formats; rows beyond the
    // report's limit are not printed; rows without results print with empty cells. None of it
    // passes without a word.
    if (pages > kCableTemplatePages)
        host.ReportWarning(QStringLiteral("%1: %2쪽부터 서식 없이 출력").arg(kLabel).arg(kCableTemplatePages + 1));
    if (rowsLeftOut)
        host.ReportWarning(
            QStringLiteral("%1: %2개를 넘는 케이블은 출력하지 않음").arg(kLabel).arg(kCableReportMaxRows));
    for (size_t d = 0; d < std::size(kDropChecks); ++d)
        if (!overLimit[d].isEmpty())
            host.ReportWarning(QStringLiteral("%1: %2 계산값이 기준값을 초과하는 케이블 %3개 (No. %4), %2 칸에 %5 표시")
                                   .arg(kLabel, QLatin1String(kDropChecks[d].name))
                                   .arg(overLimit[d].size())
                                   .arg(ShortList(overLimit[d]), kDropMark));
    if (!notComputed.isEmpty())
        host.ReportWarning(QStringLiteral("%1: 계산되지 않은 케이블 %2개 (No. %3) - 계산 후 다시 출력하십시오")
                               .arg(kLabel)
                               .arg(notComputed.size())
                               .arg(ShortList(notComputed)));

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
                             theApp.ScreenView(Screen::Cable) != nullptr);
}
