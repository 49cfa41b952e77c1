#pragma once
// The transformer-capacity report sheet: one page of 13 columns for each of TR-1..TR-5 that
// has loads, copied from what the transformer screen shows after its "계산" on that
// transformer.
#include "report/core/reportwriter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class Sheet;

constexpr int kTransformerPageColumns = 13;
constexpr int kTransformerTemplatePages = 5;
constexpr int kTransformerReportLoads = 38;  // rows 7..44 of a page

// What the transformer screen shows for one transformer after "계산".
struct TransformerPageTexts
{
    QString name;       // 1601
    QString type;       // 1124
    QString primary;    // 1122
    QString secondary;  // 1603
    QString capacity;   // the screen's capacity field of this transformer (1035 + t)
    std::vector<QStringList> loads;  // the load list (1574), seven texts a row
    QString connected;  // 1625
    QString ratio;      // 1626
    QString demand;     // 1627
    bool motorOn = false;    // 1358
    QString motorRating;     // 1630
};

struct TransformerReportTexts
{
    bool available = false;  // false: the transformer screen does not exist
    std::array<TransformerPageTexts, 5> transformers;
};

// Selects and computes TR-1..TR-5 in turn on the transformer screen, as its "계산" does, and
// takes what it then shows: one blocking call on the GUI thread from any thread.
TransformerReportTexts RecalcTransformersForReport();

// Writes one page per transformer with loads and removes the template pages left over.
void WriteTransformerReport(Sheet& sheet, const TransformerReportTexts& texts, int pictureId,
                            const QString& revision, const ProjectScreenTexts& project,
                            ReportHost& host);

class TransformerReportWriter : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override;
};
