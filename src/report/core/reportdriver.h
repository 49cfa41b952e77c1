#pragma once
// The report workbook driver: turns a fresh copy of the report template into the finished
// report (logo, sheet writers, sheet keeping, protection, save) and hands it on.
#include "report/core/reportwriter.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class Sheet;

// The nine reports, in the order of the choice bytes.
constexpr int kReportCount = 9;
// Report sheets of the template (the spare sheet after them is always removed).
constexpr int kReportSheetCount = 14;
using ReportChoiceSet = std::array<uint8_t, kReportCount>;

// The names shown in the report dialog, by report index.
QString ReportName(int report);

// What a run needs of the configuration and the project header.
struct ReportRunSettings
{
    QString rootPath;       // the program root
    QString ciFolder;       // logo folder under the root
    QString ci;             // the logo file name of the project header
    int printMode = 0;      // "Print": 0 keep, 1 open, 2 hand to "app", 3 PDF
    QString serverHost;     // empty: no PDF request
    quint16 serverPort = 9300;
    int pdfTimeoutMs = 120000;

    static ReportRunSettings FromApp();
};

enum class ReportRunResult {
    Saved,          // saved and kept (no hand-on asked for, or the user declined)
    HandedOn,       // saved and handed on
    Stopped,        // stopped by the user; the file is deleted
    Failed,         // the copy could not be loaded or saved; the file is deleted
    NothingToWrite  // no chosen report can be output; the file is deleted
};

// Which template sheets a run keeps: choices 0..7 for sheets 0..7, choice 7 for the bus
// sheets 8..12, choice 8 for sheet 13.
std::array<bool, kReportSheetCount> BuildSheetKeepTable(const ReportChoiceSet& choices);

// The report path of a run: <root>/<out>/<project file name without ".pro"><suffix>.xlsx.
// Every ".pro" is removed from the file name and its spaces become "_"; the folders are used
// as they are.
QString MakeReportOutputPath(const QString& projectPath, const QString& rootPath,
                             const QString& outFolder, const QString& dateTimeSuffix);

// Copies the template to the report path, replacing a file of that name. False when the
// template is missing, the output folder does not exist or the target cannot be written.
bool CopyReportTemplate(const QString& templatePath, const QString& reportPath);

// The message that ends a run: where the report was saved and the warnings the writers gave.
QString ReportRunSummary(const QString& reportPath, const QStringList& warnings);

// Fills, trims, protects and saves the report at `reportPath` and, by the print mode, hands
// it on after the confirmation "저장된 파일을 출력 합니다.". With print mode 0, or when a
// writer gave warnings, the summary above is shown first. Runs on the report worker.
ReportRunResult WriteReportWorkbook(const QString& reportPath, const ReportChoiceSet& choices,
                                    ReportHost& host, const ReportRunSettings& settings);

// The cover's logo area (rows and columns, inclusive): under "발주처", inside the page frame.
constexpr int kCoverLogoFirstRow = 45;
constexpr int kCoverLogoLastRow = 54;
constexpr int kCoverLogoFirstColumn = 2;
constexpr int kCoverLogoLastColumn = 10;

// Fills the cover sheet; returns the REV.NO of the last issue-status row ("" without a
// project screen or rows).
QString WriteCoverSheet(Sheet& cover, int pictureId, ReportHost& host);

// Hands a saved report on by the print mode. True when it was handed on.
bool OpenOutputFile(const QString& reportPath, int printMode, const ReportRunSettings& settings);
