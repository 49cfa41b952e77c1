#pragma once
// The tray calculation over the program's own data: the reference library of an application
// object as its lookups, and the project's tray workbook "_50" as the rows it sums.
#include "cable/core/traysizing.h"

#include <QString>

#include <array>
#include <vector>

class CSevrinApp;

class AppTrayLookup : public TrayLookup
{
public:
    explicit AppTrayLookup(CSevrinApp& app) : m_app(app) {}
    double VLookup(double value, const QString& table, int column) override;
    double LookupCableDimension(const QString& table, int entry, int core) override;
    int FindCableDimensionIndex(double value, const QString& name) override;

private:
    CSevrinApp& m_app;
};

// Rows of one tray sheet from row 8 down to the first row whose column 0 is empty, at most
// kTrayRowLimit; a missing workbook or sheet gives none.
struct TrayRows
{
    std::vector<TrayRow> cables;  // sheet 2t
    std::vector<TrayRow> pes;     // sheet 2t + 1
    // A sheet holds more rows than the list takes: the rows past the limit are not summed
    // (and stay in the file).
    bool beyondLimit = false;
};
TrayRows ReadTrayRows(CSevrinApp& app, int tray);

// One stored tray as the workbook holds it.
struct StoredTray
{
    QString name;                     // sheet 2t's name
    std::array<QString, 3> header;    // installation location, FROM, TO
    std::array<QString, 4> choices;   // stored selection indexes: height, margin, type, cover
    std::array<QString, 10> results;  // the stored result texts
    TrayRows rows;
};

// Every tray of the project's tray workbook in list order (sheet pairs), read in one pass, at
// most kTrayListLimit; `moreTrays`, when given, tells whether the workbook holds trays past
// that. False when the workbook exists but cannot be read; a missing workbook gives no trays.
bool ReadStoredTrays(CSevrinApp& app, std::vector<StoredTray>& trays, bool* moreTrays = nullptr);

// True when the tray workbook holds trays past the kTrayListLimit the tray list takes.
bool TraysBeyondLimit(CSevrinApp& app);

// A tray recomputed from its stored rows and stored choices, as "반영하기" would leave it.
struct TrayOutcome
{
    TrayChoices choices;
    TrayResult result;
    std::array<QString, 10> texts;
};
TrayOutcome RecalcStoredTray(const StoredTray& tray, TrayLookup& lookup);
