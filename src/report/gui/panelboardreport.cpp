#include "report/gui/panelboardreport.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/boardsheetpage.h"
#include "platform/xlsxbook.h"
#include "report/core/guithread.h"

#include <QLineEdit>

namespace {

const QString kLabel = QStringLiteral("부하");
constexpr int kDesignPages = 3;
constexpr int kPageColumns = 28;
constexpr int kFirstBoardColumn = kDesignPages * kPageColumns;
constexpr int kTemplateBoards = 50;
constexpr int kFirstCircuitRow = 6;

struct DesignCell
{
    int row, col, page, id;
};

// Sheet cell and the design page (0..3) and control it copies.
constexpr DesignCell kDesignCells[] = {
    // Installation conditions and correction factors.
    {38, 7, 0, 1105}, {38, 13, 0, 1180}, {39, 7, 0, 1106}, {39, 13, 0, 1181}, {44, 7, 0, 1108},
    {44, 13, 0, 1182}, {48, 7, 0, 1110}, {49, 7, 0, 1183}, {48, 13, 0, 1113}, {49, 13, 0, 1184},
    {53, 7, 0, 1185}, {53, 10, 0, 1186}, {53, 13, 0, 1187}, {53, 16, 0, 1188},
    // Conductor-size criteria.
    {19, 34, 1, 1181}, {20, 34, 1, 1182}, {26, 34, 1, 1184}, {27, 34, 1, 1185}, {34, 34, 1, 1186},
    {34, 37, 1, 1187}, {34, 40, 1, 1189}, {35, 37, 1, 1188}, {35, 40, 1, 1190}, {44, 35, 1, 1183},
    {45, 37, 1, 1191}, {46, 33, 1, 1192},
    // Motor starting.
    {57, 35, 2, 1037}, {58, 34, 2, 1193}, {59, 34, 2, 1195}, {68, 33, 2, 1194},
    // Breaker rating.
    {15, 62, 3, 1163}, {24, 63, 3, 1164}, {27, 61, 3, 1008}, {38, 63, 3, 1165},
};

void WriteHeader(Sheet& sheet, int c, int pictureId, const QString& revision,
                 const ProjectScreenTexts& project)
{
    PlaceLogo(sheet, c, 6, pictureId);  // the header band's logo cells
    sheet.writeStr(0, c + 26, revision);
    sheet.writeStr(1, c + 2, project.projectName);
    sheet.writeStr(1, c + 26, project.date);
}

// The design pages as the screen shows them after its stored conditions are refilled.
void ReadDesignPages(CBoardScreen& screen, int boardIndex, PanelBoardDesignTexts& design)
{
    screen.RefreshPanelBoardPages(boardIndex);
    for (const DesignCell& d : kDesignCells)
        design.pages[std::size_t(d.page)].insert(d.id, screen.DesignControlText(d.page, d.id));
}

// The design conditions of a project without boards, taken as a board's "계산" takes them
// (the pages' edits stored and applied, so nothing typed is lost); on the GUI thread.
bool ReadDesignConditions(PanelBoardDesignTexts& design)
{
    CBoardScreen* screen = TheScreen<CBoardScreen>();
    if (!screen)
        return false;
    screen->StorePanelBoardDesignConditions();
    screen->ApplyPanelBoardDesignConditions();
    ReadDesignPages(*screen, 0, design);
    return true;
}

// The screen's "계산" for board i and what it then shows; on the GUI thread.
bool RecalcBoard(int i, bool first, PanelBoardReportPage& page, PanelBoardDesignTexts& design)
{
    CBoardScreen* screen = TheScreen<CBoardScreen>();
    if (!screen)
        return false;
    CBoardSheetPage* sheet = screen->BoardPage();
    screen->SetPanelBoardPageIndex(4);
    screen->ShowPanelBoardPage(4);
    sheet->SelectPanelBoard(i);
    screen->StorePanelBoardDesignConditions();
    screen->ApplyPanelBoardDesignConditions();
    sheet->CalcPanelBoard(sheet->BoardIndex());
    if (first)
        ReadDesignPages(*screen, sheet->BoardIndex(), design);
    page.boardRow = sheet->BoardList()->rows()->row(i);
    const RowListModel* circuits = sheet->CircuitList()->rows();
    page.circuits.clear();
    for (int r = 0; r < circuits->rowCount(); ++r)
        page.circuits.push_back(circuits->row(r));
    for (int item = 0; item < 18; ++item)
        page.totals[std::size_t(item)] = sheet->TotalText(item);
    page.demandFactor = sheet->DemandFactorEdit()->text();
    page.breakerKind = sheet->BreakerKindText();
    page.maxFault = sheet->MaxFaultText();
    page.minFault = sheet->MinFaultText();
    page.branchDropLimit = theApp.CabinetSizingBlock.BranchDropPct();
    return true;
}

// The 비고 of a circuit: a running voltage drop above the branch limit is an item to check.
// A drop or a limit that is no figure (or a limit of 0, not set) decides nothing.
QString CircuitRemark(const QStringList& cells, const QString& limitText)
{
    const QString remark = cells.value(59);
    double drop = 0.0, limit = 0.0;
    if (!ReadValue(cells.value(28), &drop) || !ReadValue(limitText, &limit) || !(limit > 0.0) ||
        !(drop > limit))
        return remark;
    const QString check = QStringLiteral("SVD Chk");
    return remark.isEmpty() ? check : remark + QLatin1Char(' ') + check;
}

}  // namespace

void WritePanelBoardDesignPages(Sheet& sheet, const PanelBoardDesignTexts& design, int pictureId,
                                const QString& revision, const ProjectScreenTexts& project)
{
    for (int k = 0; k < kDesignPages; ++k)
        WriteHeader(sheet, k * kPageColumns, pictureId, revision, project);
    for (const DesignCell& d : kDesignCells)
        sheet.writeStr(d.row, d.col, design.Text(d.page, d.id));
    // Methods A, B, D with one circuit: no grouping factor.
    sheet.writeStr(43, 13, QStringLiteral("1.0"));
}

void WritePanelBoardPage(Sheet& sheet, int board, const PanelBoardReportPage& page, int pictureId,
                         const QString& revision, const ProjectScreenTexts& project)
{
    const int c = kFirstBoardColumn + kPageColumns * board;
    WriteHeader(sheet, c, pictureId, revision, project);
    const auto list = [&page](int col) { return page.boardRow.value(col); };
    sheet.writeStr(2, c + 2, list(1));
    sheet.writeStr(2, c + 9, list(2));
    sheet.writeStr(2, c + 17, list(4));
    sheet.writeStr(3, c + 9, list(7) == QLatin1String("X") ? QStringLiteral("일반부하")
                                                             : QStringLiteral("비상부하"));
    const QString supply = list(6);
    sheet.writeStr(3, c + 17, supply.left(2));
    sheet.writeStr(3, c + 19, supply.size() <= 2 ? supply : supply.right(2));
    sheet.writeStr(3, c + 21, list(5));
    sheet.writeStr(2, c + 26, page.maxFault);
    sheet.writeStr(3, c + 26, page.minFault);

    const int rows = std::min(int(page.circuits.size()), kBoardReportCircuits);
    for (int j = 0; j < rows; ++j) {
        const QStringList& cells = page.circuits[std::size_t(j)];
        const int r = kFirstCircuitRow + j;
        sheet.writeStr(r, c, cells.value(0));
        sheet.writeStr(r, c + 1, cells.value(1));
        for (int k = 0; k < 9; ++k)
            sheet.writeStr(r, c + 3 + k, cells.value(2 + k));
        const QString breaker = cells.value(11);
        const qsizetype bar = breaker.indexOf(QLatin1Char('|'));
        sheet.writeStr(r, c + 12, bar < 0 ? QString() : breaker.left(bar));
        sheet.writeStr(r, c + 13, bar < 0 ? breaker : breaker.mid(bar + 1));
        for (int k = 0; k < 9; ++k)
            sheet.writeStr(r, c + 14 + k, cells.value(12 + k));
        const int tail[4] = {22, 25, 28, 29};
        for (int k = 0; k < 4; ++k)
            sheet.writeStr(r, c + 23 + k, cells.value(tail[k]));
        sheet.writeStr(r, c + 27, CircuitRemark(cells, page.branchDropLimit));
    }

    const auto& t = page.totals;
    for (int p = 0; p < 3; ++p) {
        sheet.writeStr(77, c + 7 + p, t[std::size_t(p)]);
        sheet.writeStr(79, c + 7 + p, t[std::size_t(4 + p)]);
        sheet.writeStr(80, c + 7 + p, t[std::size_t(7 + p)]);
    }
    sheet.writeStr(78, c + 7, t[3]);
    sheet.writeStr(77, c + 14, page.demandFactor + QStringLiteral("%"));
    sheet.writeStr(78, c + 14, t[11]);
    sheet.writeStr(78, c + 21, t[12]);
    sheet.writeStr(79, c + 17, page.breakerKind);
    sheet.writeStr(79, c + 23, t[14]);
    sheet.writeStr(80, c + 14, QString(t[15]).remove(QStringLiteral("AF")));
    sheet.writeStr(80, c + 18, QString(t[16]).remove(QStringLiteral("AT")));
    sheet.writeStr(80, c + 21, QString(t[17]).remove(QStringLiteral("kA")));
}

void RemoveUnusedBoardPages(Sheet& sheet, int count)
{
    const int first = kFirstBoardColumn + kPageColumns * count;
    const int last = kFirstBoardColumn + kPageColumns * kTemplateBoards;
    if (first <= last)
        sheet.removeCol(first, last);
}

void PanelBoardReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host || !theApp.ScreenView(Screen::PanelBoard))
        return;
    const int n = CallOnGuiThread([] {
        CBoardScreen* screen = TheScreen<CBoardScreen>();
        return screen ? screen->BoardPage()->BoardList()->rows()->rowCount() : 0;
    });
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    // Each board's "계산" stores its results: saved once, after the last board.
    CompanionBatch batch;
    for (int i = 0; i < n; ++i) {
        job.host->SetOutputProgress(kLabel, i);
        if (theApp.ReportStopFlag.load() == 1)
            break;
        PanelBoardReportPage page;
        PanelBoardDesignTexts design;
        if (!CallOnGuiThread([&] { return RecalcBoard(i, i == 0, page, design); }))
            break;
        if (i == 0)
            WritePanelBoardDesignPages(*job.sheet, design, job.pictureId, job.revision, project);
        WritePanelBoardPage(*job.sheet, i, page, job.pictureId, job.revision, project);
        // A page holds 71 circuits; the rest are named rather than dropped without a word.
        if (int(page.circuits.size()) > kBoardReportCircuits)
            job.host->ReportWarning(QStringLiteral("%1 %2: %3개를 넘는 회로는 출력하지 않음")
                                        .arg(kLabel, page.boardRow.value(1))
                                        .arg(kBoardReportCircuits));
    }
    // The design pages state the conditions the cable sheet is sized with, so they are filled
    // with a project's conditions even when it has no board.
    if (n == 0) {
        job.host->SetOutputProgress(kLabel, 0);
        PanelBoardDesignTexts design;
        if (CallOnGuiThread([&] { return ReadDesignConditions(design); }))
            WritePanelBoardDesignPages(*job.sheet, design, job.pictureId, job.revision, project);
    }
    if (!batch.finish())
        GuiPrompt::Message(QObject::tr("분전반 파일을 저장하지 못했습니다.\n%1")
                               .arg(theApp.CompanionPath(CSevrinApp::PanelBoardWorkbook)));
    RemoveUnusedBoardPages(*job.sheet, n);
}
