#pragma once
// Cable-tray fill and weight: each cable row gets its outer diameter, occupied width and unit
// weight from the cable dimension tables (F-CV, FR-8; F-GV for the earth conductors), and a
// tray sums its rows, takes its width from the tray table for the required width (sum of cable
// widths times the margin) and gives its occupancy and its cable, tray, cover and total weight
// per metre. Plain functions: the tray screen, the recalculation driver and tests call them.
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// One tray row, cable or PE: No., 용도, FROM, TO, VOLT, TYPE, SQ, CORE, LINE, 외경, 점유폭,
// 단위중량, 비고.
inline constexpr int kTrayColumnCount = 13;
using TrayRow = std::array<QString, kTrayColumnCount>;
// Rows read per sheet, as every reader of the tray workbook stops.
inline constexpr int kTrayRowLimit = 1000;
// Trays read from a workbook (two sheets each).
inline constexpr int kTrayListLimit = 1000;
// Tray sheet t keeps its rows from this sheet row on.
inline constexpr int kFirstTrayRow = 8;

// The reference lookups the tray calculation needs. AppTrayLookup serves them from theApp;
// tests may supply their own tables.
class TrayLookup
{
public:
    virtual ~TrayLookup() = default;
    // Floor match on a named table ("FGVSEC", "FGVW", "TRAY", "TRAYW"); NO_VALUE if missing.
    virtual double VLookup(double value, const QString& table, int column) = 0;
    // Diameter or weight ("FCVOD", "FR8OD", "FCVW", "FR8W") at a size entry and core index.
    virtual double LookupCableDimension(const QString& table, int entry, int core) = 0;
    // Size entry ("...SQ") or core index ("...C") for LookupCableDimension.
    virtual int FindCableDimensionIndex(double value, const QString& name) = 0;
};

// Computes a cable row in place: columns 6..8 get their units ("㎟", "C", "L"), 9..11 the
// diameter, width and weight ("-" where the tables give nothing), 12 is emptied.
void CalcTrayCableRow(TrayRow& row, TrayLookup& lookup);
// The same for an earth-conductor (F-GV) row; its core count is not used.
void CalcTrayPeRow(TrayRow& row, TrayLookup& lookup);

// The four tray choices and the texts their combo boxes list.
struct TrayChoices
{
    QString height;  // "H100", "H150": recorded with the results only
    QString margin;  // "1.0" .. "1.5"
    QString type;    // "Ladder", "Dust"
    QString cover;   // "적용", "미적용"
};
const QStringList& TrayHeightItems();
const QStringList& TrayMarginItems();
const QStringList& TrayTypeItems();
const QStringList& TrayCoverItems();
// The stored selection index of a choice ("%d"): an empty text or one outside the list
// selects the first item.
int TrayChoiceIndex(const QString& stored, const QStringList& items);
// The choices that stored indexes (height, margin, type, cover) select.
TrayChoices TrayChoicesFromIndexes(const std::array<QString, 4>& indexes);

struct TrayResult
{
    double widthSum = 0;     // ΣB of the cable rows
    double weightSum = 0;    // ΣG of cable and PE rows
    double width = 0;        // tray width W from the tray table (NO_VALUE when none)
    double occupancy = 0;    // ΣB / W x 100 (NO_VALUE when W gives no value or 0)
    double cableWeight = 0;
    double trayWeight = 0;
    double coverWeight = 0;  // NO_VALUE without a cover
    double totalWeight = 0;
    // Over 100 % fill: the tray needs another tray beside it (design warning 5).
    bool overfilled = false;
    // The eight result fields as the screen shows them.
    QString widthSumText, weightSumText, widthText, occupancyText;
    QString cableWeightText, trayWeightText, coverWeightText, totalWeightText;
};

// The width and weight sums of one tray's stored rows, for the tray screen and the report
// alike: cable rows add width and weight, PE rows weight only; a cell that is empty, "-", no
// number or not positive adds nothing. A sum beyond any real tray is NO_VALUE.
struct TraySums
{
    double width = 0;   // ΣB
    double weight = 0;  // ΣG
};
TraySums SumTrayRows(const std::vector<TrayRow>& cables, const std::vector<TrayRow>& pes);
// A sum as the screen shows it and the report prints it: two decimals, "-" for NO_VALUE.
QString TraySumText(double sum);

// Sums the stored rows of one tray (SumTrayRows) and sizes it.
TrayResult CalcTray(const std::vector<TrayRow>& cables, const std::vector<TrayRow>& pes,
                    const TrayChoices& choices, TrayLookup& lookup);

// The ten result texts a tray stores and the report prints: height, margin, "W%.0f" of the
// width field ("W-" without a width), occupancy, cable, tray, cover and total weight, type,
// cover.
std::array<QString, 10> MakeTraySpecText(const TrayChoices& choices, const TrayResult& result);

// A stored cell without its unit at the end ("mm" and the older "m" alike for a length), for
// the shared quantity reader ("16.80mm" and a stored "16.80m" both give "16.80").
QStringView TrayCellWithoutUnit(const QString& text, const QString& unit);

// Whether a tray may take a name: both of its sheets (the name, and the name followed by "_")
// must be valid sheet names, and neither may equal, ignoring case, a sheet of the other trays
// (`others`: their names). A tray "A_" beside a tray "A" would need a second sheet "A_".
enum class TrayNameCheck { Ok, Invalid, Taken };
TrayNameCheck CheckTrayName(const QString& name, const QStringList& others);
