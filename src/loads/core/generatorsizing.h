#pragma once
// Standby generator capacity, for the loads fed during a power outage and during a fire:
//
//   GP ≥ [ ΣP + (ΣPm − PL) · a + PL · a · c ] · k   [kVA]
//
// ΣP: demand of the loads other than motors [kVA]; ΣPm: motor demand [kW]; PL: the largest
// motor [kW]; a: input kVA per kW of motor (1.38 high efficiency, 1.45 standard); c: starting
// factor of the largest motor (DOL 6, Y-D 2, inverter 1.5, reactor 3 / 3.9 / 4.8 for the
// 50 / 65 / 80 % tap); k: the generator's allowable voltage-drop factor (1.07 to 1.13). The
// output in kW is 0.8 · GP; the larger case picks the rating.
//
// A case whose factor a, c or k is not a positive number has no GP ("-"), and without both
// GPs no rating is chosen: an empty factor never sizes a generator.
#include "loads/core/transformersizing.h"

#include <QString>

#include <array>
#include <vector>

class CSevrinApp;

using GeneratorLoadRowT = std::array<QString, 14>;

namespace gencol {
constexpr int kNumber = 0, kPanel = 1, kEquipment = 2, kTag = 3, kType = 4, kKw = 5, kKva = 6,
              kStart = 7, kOutagePct = 8, kOutageKw = 9, kOutageKva = 10, kFirePct = 11,
              kFireKw = 12, kFireKva = 13;
}

// Columns 9, 10, 12 and 13 from the kW and kVA columns and the two demand factors ("%.3f");
// an empty demand factor leaves its two columns empty; a capacity or a demand factor that is
// no number in its range gives "-".
void CalcGeneratorLoadDemand(GeneratorLoadRowT& row);

// The capacity check of a typed row: exactly one of kW and kVA. The message when it fails.
bool ValidateGeneratorLoadCapacity(const QString& kw, const QString& kva, QString* message);
// The whole input check of a typed row: the capacity check, the capacity given a number above
// 0, each demand factor given a number of at least 0 (empty leaves the load out of that case).
// The message, naming the field, when it fails.
bool ValidateGeneratorLoadInput(const QString& kw, const QString& kva, const QString& outagePct,
                                const QString& firePct, QString* message);

// A factor text as the driver echoes it: itself when it is a number above 0, "-" otherwise.
QString GeneratorFactorText(const QString& text);

struct GeneratorFactors
{
    QString a, c, k;  // as shown: the combo text of a, the edit texts of c and k
};

struct GeneratorCase
{
    // "%.3f" totals over the rows (empty when there are no rows); the formula takes these.
    QString kwSum, kvaSum, maxKw;
    double gp = 0, output = 0;  // NaN when undefined
    bool defined = false;
    QString gpText;      // "%.0f" or "-"
    QString outputText;  // "%.1f" or "-"
};

struct GeneratorCapacity
{
    bool hasRows = false;
    GeneratorCase outage, fire;
    double rating = 0, ratingKva = 0;  // NO_VALUE when not chosen
    std::array<QString, 3> summary;    // controls 1526, 1527, 1528
    std::array<QString, 2> gpLine;     // 1524 (outage), 1525 (fire)
    std::array<QString, 6> hidden;     // 1539, 1541, 1542, 1543, 1544, 1545
};

// The generator's figures from its stored rows; `gen` and `gen2` are the "GEN" (kW -> rating)
// and "GEN_2" (rating -> kVA) tables.
GeneratorCapacity CalcGeneratorOutput(const std::vector<GeneratorLoadRowT>& rows,
                                      const GeneratorFactors& outage, const GeneratorFactors& fire,
                                      const RatingLookup& gen, const RatingLookup& gen2);

// How many rows the generator's load list takes; the screen adds no row past it.
inline constexpr int kMaxGeneratorLoadRows = 1000;

// The stored rows of "_60" up to the first row with an empty number (at most 1000).
std::vector<GeneratorLoadRowT> ReadGeneratorLoadRows(CSevrinApp& app);
// True when "_60" holds a row past the 1000 that the list takes.
bool GeneratorLoadRowsBeyondLimit(CSevrinApp& app);
RatingLookup GeneratorRatingLookup(CSevrinApp& app);     // "GEN"
RatingLookup GeneratorApparentLookup(CSevrinApp& app);  // "GEN_2"

// The factor texts the result page shows for the stored factor members: index 0 "1.38",
// 1 "1.45", anything else empty.
QString GeneratorInputFactorText(int index);
// Outage and fire factors of the generator block (StoreGeneratorInputs fills it).
GeneratorFactors GeneratorOutageFactors(const CSevrinApp& app);
GeneratorFactors GeneratorFireFactors(const CSevrinApp& app);

// The rows "부하 정보 불러오기" appends: every load of every motor-control-centre panel
// marked "O" for the standby generator, then every panel board marked "O".
struct GeneratorImport
{
    std::vector<GeneratorLoadRowT> rows;  // numbered from firstNumber
    int mccLoads = 0;
    int boards = 0;
};
GeneratorLoadRowT GeneratorRowFromMccLoad(const QString& panel, const std::array<QString, 40>& load,
                                          int number);
// A board's demand load is kept in kVA and goes into the kVA column as it is.
GeneratorLoadRowT GeneratorRowFromBoard(const std::array<QString, 13>& board, int number);
// Reads "_10" and "_20" through the stores; nothing is written.
GeneratorImport BuildGeneratorImport(CSevrinApp& app, int firstNumber);
