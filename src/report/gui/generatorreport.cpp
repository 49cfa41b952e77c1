#include "report/gui/generatorreport.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/gui/guicall.h"
#include "loads/gui/generatorscreen.h"
#include "loads/gui/generatorloadpage.h"
#include "loads/gui/generatorresultpage.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace {

const QString kLabel = QStringLiteral("발전기용량");

struct ResultCell
{
    int row, col, id;
};

// Result-page cell and the box of the formula page it copies: outage (rows 21..27), fire
// (rows 30..36), the two GP again and the chosen generator.
constexpr ResultCell kResultCells[] = {
    {21, 8, 1523}, {22, 8, 1529}, {23, 8, 1530}, {24, 8, 1554}, {25, 8, 1531}, {26, 8, 1532},
    {27, 5, 1539}, {30, 8, 1534}, {31, 8, 1535}, {32, 8, 1536}, {33, 8, 1555}, {34, 8, 1533},
    {35, 8, 1537}, {36, 5, 1541}, {38, 5, 1542}, {39, 5, 1543}, {41, 5, 1544}, {41, 7, 1545},
};

GeneratorReportTexts Snapshot(CGeneratorScreen* screen)
{
    GeneratorReportTexts s;
    s.available = true;
    const CGeneratorResultPage* page = screen->ResultPage();
    for (const ResultCell& cell : kResultCells) {
        if (const QComboBox* combo = page->Combo(cell.id))
            s.result[cell.id] = combo->currentText();
        else if (const QLineEdit* edit = page->Edit(cell.id))
            s.result[cell.id] = edit->text();
    }
    const RowListModel* rows = screen->LoadPage()->List()->rows();
    for (int r = 0; r < rows->rowCount(); ++r)
        s.loads.push_back(rows->row(r).mid(0, 14));
    return s;
}

}  // namespace

GeneratorReportTexts RecalcGeneratorForReport()
{
    CGeneratorScreen* screen = TheScreen<CGeneratorScreen>();
    if (!screen)
        return {};
    return CallOnGuiThread(screen, [screen] {
        screen->StoreGeneratorInputs();
        screen->CalcGeneratorCapacity();
        screen->ShowGeneratorInputs();
        return Snapshot(screen);
    });
}

void WriteGeneratorReport(Sheet& sheet, const GeneratorReportTexts& texts, int pictureId,
                          const QString& revision, const ProjectScreenTexts& project,
                          ReportHost& host)
{
    PlaceLogo(sheet, 0, 2, pictureId);  // the result page's logo cells
    sheet.writeStr(0, 9, revision);
    sheet.writeStr(1, 1, project.projectName);
    sheet.writeStr(1, 9, project.date);
    for (const ResultCell& cell : kResultCells) {
        const auto it = texts.result.find(cell.id);
        sheet.writeStr(cell.row, cell.col, it == texts.result.end() ? QString() : it->second);
    }

    constexpr int limit = kGeneratorRowsPerPage * kGeneratorLoadPages;
    const int total = int(texts.loads.size());
    const int n = std::min(total, limit);
    int pages = 0;
    for (int j = 0; j < n; ++j) {
        const int c = kGeneratorLoadPageFirstColumn + kGeneratorLoadPageColumns * (j / kGeneratorRowsPerPage);
        if (j % kGeneratorRowsPerPage == 0) {
            PlaceLogo(sheet, c, 3, pictureId);  // a load page's logo cells
            sheet.writeStr(0, c + 13, revision);
            sheet.writeStr(1, c + 2, project.projectName);
            sheet.writeStr(1, c + 13, project.date);
            ++pages;
        }
        const QStringList& row = texts.loads[std::size_t(j)];
        for (int k = 0; k < kGeneratorLoadPageColumns; ++k)
            sheet.writeStr(6 + j % kGeneratorRowsPerPage, c + k, row.value(k));
    }
    // The report has room for five pages of loads; the calculation above counts them all.
    if (total > limit)
        host.ReportWarning(QStringLiteral("%1: %2개를 넘는 부하는 출력하지 않음").arg(kLabel).arg(limit));

    const int first = kGeneratorLoadPageFirstColumn + kGeneratorLoadPageColumns * pages;
    const int last = kGeneratorLoadPageFirstColumn + kGeneratorLoadPageColumns * kGeneratorTemplateLoadPages;
    if (first <= last)
        sheet.removeCol(first, last);
}

void GeneratorReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host || !theApp.ScreenView(Screen::Generator))
        return;
    job.host->SetOutputProgress(kLabel, 0);
    const GeneratorReportTexts texts = RecalcGeneratorForReport();
    if (!texts.available)
        return;
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    WriteGeneratorReport(*job.sheet, texts, job.pictureId, job.revision, project, *job.host);
}
