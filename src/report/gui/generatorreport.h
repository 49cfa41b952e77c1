#pragma once
// The generator-capacity report sheet: the result page (columns 0..9) and up to five load
// pages of 36 rows, 14 columns each, copied from what the generator screen shows after its
// "계산".
#include "report/core/reportwriter.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

class Sheet;

constexpr int kGeneratorLoadPageColumns = 14;
constexpr int kGeneratorLoadPageFirstColumn = 10;
constexpr int kGeneratorTemplateLoadPages = 10;
constexpr int kGeneratorRowsPerPage = 36;  // rows 6..41
constexpr int kGeneratorLoadPages = 5;

struct GeneratorReportTexts
{
    bool available = false;  // false: the generator screen does not exist
    std::map<int, QString> result;   // the result page's boxes by identifier
    std::vector<QStringList> loads;  // the load list (1547), fourteen texts a row
};

// Stores, computes and redisplays as the generator screen's "계산" does and takes what it then
// shows: one blocking call on the GUI thread from any thread.
GeneratorReportTexts RecalcGeneratorForReport();

// Writes the result page and the load pages and removes the template pages left over.
void WriteGeneratorReport(Sheet& sheet, const GeneratorReportTexts& texts, int pictureId,
                          const QString& revision, const ProjectScreenTexts& project,
                          ReportHost& host);

class GeneratorReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
