#include "report/gui/groundingreport.h"

#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <QLocale>
#include <QRegularExpression>
#include <optional>

namespace {

struct CellSource
{
    int row, col, page, id;
};

// Sheet cell and the page box (page class number, box identifier) it copies.
constexpr CellSource kCells[] = {
    // Block 0: conductor size.
    {9, 35, 91, 1220}, {10, 35, 91, 1221}, {11, 35, 91, 1211}, {16, 6, 91, 1222}, {17, 35, 91, 1223},
    {18, 35, 91, 1030}, {19, 35, 91, 1031}, {20, 35, 91, 1032}, {21, 35, 91, 1033}, {22, 35, 91, 1034},
    {33, 35, 91, 1035}, {36, 35, 91, 1036}, {39, 16, 91, 1123},
    // Block 1: grid resistance inputs and factors.
    {5, 62, 92, 1041}, {9, 85, 92, 1040}, {13, 85, 92, 1212}, {14, 85, 92, 1213}, {15, 85, 92, 1214},
    {19, 85, 92, 1217}, {19, 89, 92, 1218}, {20, 85, 92, 1039}, {21, 85, 92, 1042}, {22, 85, 92, 1043},
    {26, 85, 92, 1215}, {27, 85, 92, 1216}, {31, 85, 92, 1224}, {32, 85, 92, 1225}, {33, 85, 92, 1226},
    {34, 85, 92, 1227}, {35, 85, 92, 1228}, {36, 85, 92, 1229},
    // Block 2: R1, R2, Rm, Rg.
    {6, 135, 92, 1230}, {11, 135, 92, 1031}, {16, 135, 92, 1033}, {22, 135, 92, 1035}, {27, 110, 92, 1038},
    // Block 3: safety-voltage conditions.
    {7, 178, 93, 1045}, {8, 178, 93, 1046}, {9, 178, 93, 1047}, {10, 178, 93, 1042}, {11, 178, 93, 1043},
    {16, 178, 93, 1048}, {20, 178, 93, 1051}, {21, 178, 93, 1052}, {22, 178, 93, 1053}, {23, 178, 93, 1049},
    {24, 178, 93, 1050}, {25, 178, 93, 1054}, {26, 178, 93, 1055}, {32, 178, 93, 1232}, {37, 168, 93, 1067},
    {38, 165, 93, 1233}, {39, 167, 93, 1238}, {40, 188, 93, 1069}, {41, 178, 93, 1070},
    // Block 4: step factors, permissible and expected voltages, the rise.
    {3, 217, 93, 1235}, {4, 221, 93, 1122}, {7, 228, 93, 1062}, {9, 228, 93, 1068}, {11, 228, 93, 1071},
    {20, 230, 95, 1058}, {25, 230, 95, 1059}, {33, 227, 95, 1059}, {30, 219, 95, 1060}, {33, 211, 95, 1060},
    {39, 221, 95, 1057}, {44, 221, 95, 1056},
    // Block 5: the comparison table and the average soil resistivity.
    {5, 261, 95, 1191}, {8, 261, 95, 1192}, {8, 270, 95, 1242}, {8, 277, 95, 1194}, {9, 261, 95, 1193},
    {9, 270, 95, 1243}, {9, 277, 95, 1195}, {15, 288, 97, 1246}, {16, 288, 97, 1247}, {17, 288, 97, 1248},
    {18, 288, 97, 1249}, {19, 288, 97, 1250}, {21, 288, 97, 1251}, {22, 288, 97, 1252}, {23, 288, 97, 1253},
    {24, 288, 97, 1254}, {25, 288, 97, 1255}, {27, 288, 97, 1256}, {29, 288, 97, 1257},
};

constexpr int kBlocks = 7;
constexpr int kBlockColumns = 50;
constexpr int kSummaryRows = 34;

// The decimal number a text starts with; none for "-", an empty text or anything else.
std::optional<double> LeadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(m.captured(1), &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

QString GroundPotentialRiseVerdict(const QString& touchPermissible, const QString& rise)
{
    const std::optional<double> touch = LeadingNumber(touchPermissible);
    const std::optional<double> gpr = LeadingNumber(rise);
    if (touch && gpr && !(*gpr > *touch))
        return QStringLiteral("낮으므로 안전하다.");
    return QStringLiteral("높으므로 위험하다.");
}

void WriteGroundingSheet(Sheet& sheet, const GroundingReportTexts& texts, int pictureId,
                         const QString& revision, const ProjectScreenTexts& project)
{
    for (int k = 0; k < kBlocks; ++k) {
        const int c = kBlockColumns * k;
        PlaceLogo(sheet, c, 6, pictureId);  // the header band's logo cells
        sheet.writeStr(0, c + 42, revision);
        sheet.writeStr(1, c + 7, project.projectName);
        sheet.writeStr(1, c + 42, project.date);
    }
    for (const CellSource& s : kCells)
        sheet.writeStr(s.row, s.col, texts.Text(s.page, s.id));
    sheet.writeStr(33, 238, GroundPotentialRiseVerdict(texts.Text(95, 1059), texts.Text(95, 1060)));
    for (int i = 0; i < kSummaryRows; ++i)
        sheet.writeStr(4 + i, 338, texts.summary.value(i));
}

void GroundingReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host)
        return;
    if (!theApp.ScreenView(Screen::Grounding))
        return;
    job.host->SetOutputProgress(QStringLiteral("접지"), 0);
    // One blocking call: the screen stores, recomputes and redisplays, and hands back what
    // its pages then show.
    const GroundingReportTexts texts = RecalcGroundingForReport();
    if (!texts.available)
        return;
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    WriteGroundingSheet(*job.sheet, texts, job.pictureId, job.revision, project);
}
