#include "report/core/faultreport.h"
#include "app/core/quantity.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"
#include "platform/xlsxbook.h"

#include <algorithm>
#include <array>

namespace {

const QString kLabel = QStringLiteral("고장전류");

struct PageHeader
{
    int column;         // the page's first column
    int logoColumns;    // the header band's logo cells
    int revisionColumn; // also the date's
    int nameColumn;
};

void WriteHeader(Sheet& sheet, const PageHeader& h, int pictureId, const QString& revision,
                 const ProjectScreenTexts& project)
{
    PlaceLogo(sheet, h.column, h.logoColumns, pictureId);
    sheet.writeStr(0, h.revisionColumn, revision);
    sheet.writeStr(1, h.nameColumn, project.projectName);
    sheet.writeStr(1, h.revisionColumn, project.date);
}

// A conductor text "type|size" in two cells: before the first "|" at `before`, after it at
// `after`; without a "|" the whole text goes to `after`.
void WriteSplit(Sheet& sheet, int row, int before, int after, const QString& text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    sheet.writeStr(row, before, bar < 0 ? QString() : text.left(bar));
    sheet.writeStr(row, after, bar < 0 ? text : text.mid(bar + 1));
}

void WriteUtilityPage(Sheet& sheet, const FaultReportTexts& t)
{
    const auto field = [&t](int id) { return t.utility.value(id); };
    sheet.writeStr(6, 2, field(1640));
    for (int i = 0; i < 4; ++i) {
        // The utility's own values stand in the distance-applied columns too.
        sheet.writeStr(6, 5 + i, field(1641 + i));
        sheet.writeStr(6, 11 + i, field(1641 + i));
    }
    const int lines = std::min<int>(int(t.lines.size()), kFaultReportMaxLines);
    for (int i = 0; i < lines; ++i) {
        const QStringList& row = t.lines[std::size_t(i)];
        const int r = 11 + 2 * i;
        WriteSplit(sheet, r, 2, 4, row.value(1));
        WriteSplit(sheet, r + 1, 2, 4, row.value(2));
        for (int k = 0; k < 5; ++k) {
            sheet.writeStr(r, 5 + k, row.value(3 + k));
            sheet.writeStr(r, 11 + k, row.value(8 + k));
        }
        sheet.writeStr(r, 17, row.value(13));
        sheet.writeStr(r + 1, 15, row.value(14));
        sheet.writeStr(r + 1, 17, row.value(15));
    }
    if (!t.incomingCables.empty()) {
        const QStringList& row = t.incomingCables.front();
        WriteSplit(sheet, 33, 2, 4, row.value(1));
        for (int k = 0; k < 5; ++k) {
            sheet.writeStr(33, 5 + k, row.value(3 + k));
            sheet.writeStr(33, 11 + k, row.value(8 + k));
        }
        sheet.writeStr(33, 17, row.value(13));
    }
    for (int i = 0; i < 4; ++i)
        sheet.writeStr(39, 11 + i, field(1624 + i));
}

void WriteConversionPage(Sheet& sheet, const FaultReportTexts& t)
{
    const auto field = [&t](int id) { return t.conversion.value(id); };
    // %R1, %X1, %R0, %X0 of the substation, the lines, the incoming cables and the total.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            sheet.writeStr(7 + r, 20 + 2 * c, field(1072 + 4 * r + c));
    const int substationLeft[5] = {1052, 1056, 1057, 1058, 1059};
    const int substationRight[5] = {1053, 1060, 1061, 1062, 1063};
    const int totalLeft[5] = {1054, 1064, 1065, 1066, 1067};
    const int totalRight[5] = {1055, 1068, 1069, 1070, 1071};
    for (int i = 0; i < 5; ++i) {
        sheet.writeStr(13 + i, 21, field(substationLeft[i]));
        sheet.writeStr(13 + i, 26, field(substationRight[i]));
        sheet.writeStr(20 + i, 21, field(totalLeft[i]));
        sheet.writeStr(20 + i, 26, field(totalRight[i]));
    }
    // Eight rows per transformer: list columns (left at 34, right at 39; -1 none).
    const int left[8] = {1, 3, 5, 7, 8, 10, 12, 14};
    const int right[8] = {2, 4, 6, -1, 9, 11, 13, 15};
    for (int n = 0; n < 5; ++n) {
        const QStringList row = n < int(t.transformers.size()) ? t.transformers[std::size_t(n)]
                                                               : QStringList();
        const int b = 5 + 10 * n;
        for (int i = 0; i < 8; ++i) {
            sheet.writeStr(b + i, 34, row.value(left[i]));
            if (right[i] >= 0)
                sheet.writeStr(b + i, 39, row.value(right[i]));
        }
    }
}

// The rows of a list sheet end where the screen's list ends them: at the first row without a
// running number.
bool ReadListRow(const Sheet& s, int r, QString* cells, int count)
{
    companion::ReadCells(s, r, 0, cells, count);
    return !cells[0].isEmpty();
}

// Motor page of transformer k; returns the motors written.
int WriteMotorPage(Sheet& sheet, const Sheet* motors, int k, ReportHost& host)
{
    const int c = kFaultReportMotorPage + kFaultReportMotorPageColumns * k;
    sheet.writeStr(2, c, QStringLiteral("TR-%1 연계부하").arg(k + 1));
    if (!motors)
        return 0;
    std::array<QString, 27> row;
    std::array<double, 6> sums{};
    int count = 0;
    for (int r = 0; ReadListRow(*motors, r, row.data(), int(row.size())); ++r) {
        if (r >= kFaultReportMaxMotors) {
            // Motors left out count in no total either; the user is told.
            host.ReportWarning(QStringLiteral("%1: TR-%2 전동기 %3개를 넘는 행은 출력과 합계에서 제외")
                                   .arg(kLabel)
                                   .arg(k + 1)
                                   .arg(kFaultReportMaxMotors));
            break;
        }
        ++count;
        const int sr = r + 5;
        sheet.writeStr(sr, c, QString::number(r + 1));
        // Every cell but the running number (0) and the starting method (5).
        const int source[19] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 19, 20, 21, 23, 25};
        for (int i = 0; i < 19; ++i)
            sheet.writeStr(sr, c + 1 + i, row[std::size_t(source[i])]);
        const int reciprocals[6] = {14, 16, 18, 22, 24, 26};
        for (int i = 0; i < 6; ++i)
            sums[std::size_t(i)] += CellQuantity(row[std::size_t(reciprocals[i])], QuantitySign::Any, 0.0);
    }
    if (count == 0)
        return 0;
    const int totalColumns[6] = {12, 13, 14, 17, 18, 19};
    for (int i = 0; i < 6; ++i)
        sheet.writeStr(55, c + totalColumns[i], ParallelEquivalent(sums[std::size_t(i)]));
    return count;
}

void WriteCablePage(Sheet& sheet, const Sheet* cables, ReportHost& host)
{
    if (!cables)
        return;
    const int c = kFaultReportCablePage;
    std::array<QString, 17> row;
    for (int r = 0; ReadListRow(*cables, r, row.data(), int(row.size())); ++r) {
        if (r >= kFaultReportMaxCables) {
            host.ReportWarning(QStringLiteral("%1: %2개를 넘는 케이블은 출력하지 않음")
                                   .arg(kLabel)
                                   .arg(kFaultReportMaxCables));
            break;
        }
        sheet.writeStr(r + 6, c, QString::number(r + 1));
        for (int i = 1; i <= 16; ++i)
            sheet.writeStr(r + 6, c + i, row[std::size_t(i)]);
    }
}

}  // namespace

QString ParallelEquivalent(double sumOfReciprocals)
{
    if (sumOfReciprocals == 0.0)
        return QStringLiteral("0");
    return fault::FormatFaultNumber(1.0 / sumOfReciprocals, 6);
}

void WriteFaultCurrentSheet(Sheet& sheet, const FaultReportTexts& texts, int pictureId,
                            const QString& revision, const ProjectScreenTexts& project,
                            ReportHost& host)
{
    WriteHeader(sheet, {0, 3, 16, 2}, pictureId, revision, project);
    WriteUtilityPage(sheet, texts);
    WriteHeader(sheet, {18, 4, 39, 20}, pictureId, revision, project);
    WriteConversionPage(sheet, texts);
    if (int(texts.lines.size()) > kFaultReportMaxLines)
        host.ReportWarning(QStringLiteral("%1: %2개를 넘는 배전선로는 출력하지 않음")
                               .arg(kLabel)
                               .arg(kFaultReportMaxLines));
    if (int(texts.incomingCables.size()) > kFaultReportMaxIncomingCables)
        host.ReportWarning(QStringLiteral("%1: 첫 번째 외의 인입케이블은 출력하지 않음").arg(kLabel));

    std::array<int, 5> motors{};
    {
        // Read only: the workbook is never saved here. A workbook that cannot be read, or a
        // missing sheet, leaves the page with its header only.
        companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::FaultDataWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        for (int k = 0; k < 5; ++k) {
            const int c = kFaultReportMotorPage + kFaultReportMotorPageColumns * k;
            WriteHeader(sheet, {c, 4, c + 18, c + 2}, pictureId, revision, project);
            motors[std::size_t(k)] =
                WriteMotorPage(sheet, wb.ok() ? wb.sheet(fault::FirstMotorSheet + k) : nullptr, k, host);
        }
        const int c = kFaultReportCablePage;
        WriteHeader(sheet, {c, 4, c + 15, c + 2}, pictureId, revision, project);
        WriteCablePage(sheet, wb.ok() ? wb.sheet(fault::CableSheet) : nullptr, host);
    }
    // From TR-5 down, so the first columns of the pages still to be tested stay valid.
    for (int k = 4; k >= 0; --k) {
        if (motors[std::size_t(k)] > 0)
            continue;
        const int c = kFaultReportMotorPage + kFaultReportMotorPageColumns * k;
        sheet.removeCol(c, c + kFaultReportMotorPageColumns - 1);
    }
}
