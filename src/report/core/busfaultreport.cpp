#include "report/core/busfaultreport.h"

#include "platform/xlsxbook.h"

#include <algorithm>

namespace {

const QString kLabel = QStringLiteral("고장전류");

// Where a block's fifteen results go, relative to the block's first row and the page's first
// column, in the order of a bus page's row 0.
struct ResultCell
{
    int row, col;
};
constexpr ResultCell kResultCells[15] = {
    {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1},  // Ik'', Ib(IF-MAX), Ib(IF-MIN), IP, IG-MAX
    {10, 4}, {11, 4}, {12, 4}, {13, 4},           // K, CMAX, CMIN, IDC
    {10, 7}, {11, 7},                             // RST20, RST250
    {10, 11}, {11, 11},                           // XST-MAX, XST-MIN
    {10, 14}, {11, 14}};                          // RGT, XGT

void WritePageHeader(Sheet& sheet, int c, int pictureId, const QString& revision,
                     const ProjectScreenTexts& project)
{
    PlaceLogo(sheet, c, kBusReportLogoColumns, pictureId);
    sheet.writeStr(0, c + 14, revision);
    sheet.writeStr(1, c + 2, project.projectName);
    sheet.writeStr(1, c + 14, project.date);
}

// The rows of a bus list up to the first without a cable or equipment number.
int ListedRows(const BusReportBlock& b)
{
    int n = 0;
    while (n < int(b.rows.size()) && !b.rows[size_t(n)].value(0).isEmpty())
        ++n;
    return n;
}

// Writes one bus block at row r of the page beginning at column c; at most `maxRows` list rows.
void WriteBlock(Sheet& sheet, int r, int c, const BusReportBlock& b, int maxRows,
                bool withTransformer)
{
    sheet.writeStr(r, c + 1, b.name);
    sheet.writeStr(r, c + 5, b.voltage);
    if (withTransformer) {
        sheet.writeStr(r, c + 10, b.transformer);
        sheet.writeStr(r, c + 14, b.ngr);
    }
    const int rows = std::min(ListedRows(b), maxRows);
    for (int j = 0; j < rows; ++j) {
        const QStringList& row = b.rows[size_t(j)];
        for (int k = 0; k < kBusReportPageColumns; ++k)
            sheet.writeStr(r + 4 + j, c + k, row.value(k));
    }
    for (int i = 0; i < 15; ++i)
        sheet.writeStr(r + kResultCells[i].row, c + kResultCells[i].col, b.results[size_t(i)]);
}

}  // namespace

bool IsBusSheetInUse(const BusFaultReportTexts& texts)
{
    return !texts.transformerCell.voltage.trimmed().isEmpty() || !texts.buses.empty();
}

void WriteBusFaultSheet(Sheet& sheet, int transformer, const BusFaultReportTexts& texts,
                        int pictureId, const QString& revision, const ProjectScreenTexts& project,
                        ReportHost& host)
{
    const QString trName = QStringLiteral("TR-%1").arg(transformer + 1);
    WritePageHeader(sheet, 0, pictureId, revision, project);
    WriteBlock(sheet, 3, 0, texts.incoming, 1, false);
    WriteBlock(sheet, 3 + kBusReportBlockRows, 0, texts.transformerCell, 2, true);

    int pages = 1;
    for (size_t k = 0; k < texts.buses.size(); ++k) {
        const BusReportBlock& bus = texts.buses[k];
        const int slot = int(k) % kBusReportBusesPerPage;
        if (slot == 0)
            WritePageHeader(sheet, kBusReportPageColumns * pages++, pictureId, revision, project);
        const int c = kBusReportPageColumns * (pages - 1);
        WriteBlock(sheet, 3 + kBusReportBlockRows * slot, c, bus, kBusReportListRows, true);
        // A block has room for six list rows; the cables beyond are not dropped without a word.
        if (ListedRows(bus) > kBusReportListRows)
            host.ReportWarning(QStringLiteral("%1: %2 %3, %4행을 넘는 케이블은 출력하지 않음")
                                   .arg(kLabel, trName, bus.name)
                                   .arg(kBusReportListRows));
    }
    if (pages > kBusReportTemplatePages)
        host.ReportWarning(QStringLiteral("%1: %2 %3쪽부터 서식 없이 출력")
                               .arg(kLabel, trName)
                               .arg(kBusReportTemplatePages + 1));

    // The template's pages no bus needs, through the column after its last page.
    const int first = kBusReportPageColumns * pages;
    const int last = kBusReportPageColumns * kBusReportTemplatePages;
    if (first <= last)
        sheet.removeCol(first, last);
}
