#pragma once
// What the report driver needs of the screens, and the interface of the sheet writers.
//
// The driver and the writers run on the report worker. Everything they read from or do to a
// widget goes through ReportHost, whose implementation (the report dialog) carries each call
// over to the GUI thread and hands back plain texts.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Sheet;

// The project screen's texts at the moment of writing.
struct ProjectScreenTexts
{
    QString projectName;  // "프로젝트명" (edit 1027)
    QString date;         // "일자" (edit 1043)
    std::vector<QStringList> issueRows;  // the issue-status list (1013), six cells a row
};

class ReportHost
{
public:
    virtual ~ReportHost() = default;
    // The progress line: "<text>-<number>".
    virtual void SetOutputProgress(const QString& text, int number) = 0;
    // Something the reader of the report must know (rows left out, pages without the
    // template's format, rows not computed). The driver gathers a run's warnings and shows
    // them together when the run ends.
    virtual void ReportWarning(const QString& text) = 0;
    // False when the project screen does not exist.
    virtual bool ReadProjectScreen(ProjectScreenTexts& out) = 0;
};

// One sheet to fill.
struct ReportSheetJob
{
    Sheet* sheet = nullptr;
    int templateSheet = 0;   // 1..13, the sheet's index in the report template
    int transformer = -1;    // 0..4 for the bus sheets of the fault-current report, else -1
    int pictureId = -1;      // the logo, -1 when there is none
    QString revision;        // "Rev." or "Rev.<n>"
    ReportHost* host = nullptr;
    // Set by a writer whose sheet has nothing to print (a bus sheet of a transformer that is
    // not in use): the driver leaves the sheet out of the report, as a writer removes the page
    // blocks it does not fill.
    bool* unused = nullptr;
};

// The logo of a page: as large as it fits in the header band's logo cells (row 0, `columns`
// columns from the page's first column `firstColumn`), keeping its proportions, so it never
// covers the page frame or the next page. Nothing without a picture (pictureId < 0).
void PlaceLogo(Sheet& sheet, int firstColumn, int columns, int pictureId);

// The writer of one report (report index 1..8). The fault-current writer is called for its
// own sheet (transformer -1) and then once per bus sheet (transformer 0..4).
class ReportSheetWriter
{
public:
    virtual ~ReportSheetWriter() = default;
    virtual void WriteSheet(const ReportSheetJob& job) = 0;
};

// The writers the program has, by report index (0, the cover, is the driver's own). A report
// without a writer cannot be output: the driver leaves its sheets out and says so.
void SetReportSheetWriter(int report, std::shared_ptr<ReportSheetWriter> writer);
std::shared_ptr<ReportSheetWriter> ReportSheetWriterFor(int report);
void ClearReportSheetWriters();
