#pragma once
// Transformer capacity: the totals of a transformer's load rows, the standard rating of the
// demand, and the optional check of the voltage dip when the largest motor starts.
//
// Rating of the demand: the demand in kVA rounded to a whole number, then the first standard
// rating not below it. Motor-start check (capacity PTR for an allowed dip ε with the
// transformer's %Z): the base load S = kVA − Pm runs at cosθ while the largest motor starts
// with K = Pm / (ηm · cosθm) · β · C kVA at cosθms, and the dip %Z · |S_start| / PTR must not
// exceed ε, so PTR = |(P1 + P2) + j(Q1 + Q2)| · %Z / ε. With that check the chosen capacity
// is the larger of the demand's rating and the PTR rating: the transformer must carry its load
// and start its largest motor.
//
// No figure that cannot be computed (a zero divisor, a power factor outside (0, 1], a
// negative, non-numeric, infinite or overflowing input) ever sizes a transformer: it is shown
// as "-" and so is the rating.
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <vector>

class CSevrinApp;

using TransformerLoadRowT = std::array<QString, 7>;
using TransformerRecordT = std::array<QString, 20>;

// The standard rating a table gives for a key (floor match), or NO_VALUE.
using RatingLookup = std::function<double(double)>;

// Columns of a transformer load row and fields of the transformer record (0-based).
namespace trcol {
constexpr int kNumber = 0, kPanel = 1, kDescription = 2, kConnectedVA = 3, kDemandPct = 4,
              kDemandVA = 5, kRemark = 6;
}
namespace trfield {
constexpr int kType = 0, kPrimary = 1, kSecondary = 2, kMotorOption = 3, kS = 4, kP1 = 5, kPm = 6,
              kCosM = 7, kBeta = 8, kSinMs = 9, kZ = 10, kEpsilon = 11, kCos = 12, kQ1 = 13,
              kEtaM = 14, kCosMs = 15, kC = 16, kP2 = 17, kQ2 = 18, kDecision = 19;
}

// A stored load text as the totals read it: "" and "-" count nothing (false), every letter
// "m" is removed and the rest read by the strict reader. A text that is then no number of at
// least 0 (nan, inf, 1e308, "12,5", a negative load) gives NaN, so the sum it enters is no
// value rather than silently short of that load.
bool ReadLoadText(QStringView text, double* value);

// Nearest whole number, halves away from zero (1.5 -> 2, 2.5 -> 3, -1.5 -> -2).
long long RoundHalfAway(double v);

// The smallest standard rating not below the demand: the table is looked up at the demand
// rounded up to a whole number (its keys are whole numbers: 0, then each rating + 1). NO_VALUE
// when the demand is negative or not printable, the table has no entry, or the demand lies
// above the largest rating.
double PickStandardRating(double demand, const RatingLookup& lookup);

// "%.Nf" of the value, "-" when it is not printable (IsPrintable) or is NO_VALUE.
QString FixedOrDash(double value, int decimals);

struct TransformerTotals
{
    double connectedVA = 0.0;  // ΣCL
    double demandVA = 0.0;     // ΣDL
    int rows = 0;
};
// How many load rows a transformer lists; the screen adds no row past it.
inline constexpr int kMaxTransformerLoadRows = 1000;

// Sums the rows in order (at most 1000).
TransformerTotals CalcTransformerTotals(const std::vector<TransformerLoadRowT>& rows);
// The stored rows of transformer tr (0..4) up to the first missing row, at most 1000.
std::vector<TransformerLoadRowT> ReadTransformerLoadRows(CSevrinApp& app, int tr);
// True when transformer tr's sheet holds a row past the 1000 that it lists.
bool TransformerLoadRowsBeyondLimit(CSevrinApp& app, int tr);

// The nine inputs of the largest-motor block, read strictly from their record fields (NaN for
// a field that holds no number).
struct TransformerMotorInputs
{
    double pm = 0, cosM = 0, beta = 0, z = 0, epsilon = 0, cos = 0, etaM = 0, cosMs = 0, c = 0;
};
TransformerMotorInputs ReadTransformerMotorInputs(const TransformerRecordT& record);

struct TransformerMotorBlock
{
    // Values (NaN where undefined) and the texts the page and the record show.
    double s = 0, p1 = 0, sinMs = 0, q1 = 0, k = 0, p2 = 0, q2 = 0, ptr = 0, ptrRating = 0;
    QString sText, p1Text, sinMsText, q1Text, p2Text, q2Text, ptrText, ptrRatingText;
    QString decision;
    bool defined = false;  // PTR and its rating could be computed
};
// demandKva: the whole kVA of the demand, NaN when it has none.
TransformerMotorBlock CalcTransformerMotorBlock(double demandKva, const TransformerMotorInputs& in,
                                                const RatingLookup& lookup);

struct TransformerCapacity
{
    TransformerTotals totals;
    bool demandDefined = false;  // the demand could be read and summed
    long long demandKva = 0;
    double rating = 0;  // NO_VALUE when there is none
    QString connectedText, demandFactorText, demandText, ratingText;  // hidden fields 1625..1628
    QString decision;                                                // field 1043
    bool motorOption = false;
    TransformerMotorBlock motor;  // only when motorOption
    QString capacityText;         // what an unlocked capacity field receives
};
TransformerCapacity CalcTransformerCapacityFigures(const TransformerTotals& totals,
                                                   bool motorOption,
                                                   const TransformerMotorInputs& inputs,
                                                   const RatingLookup& lookup);

// Puts the computed motor-block texts into record fields 5, 6, 10, 14, 18, 19 and 20.
void ApplyMotorBlockToRecord(const TransformerMotorBlock& block, TransformerRecordT& record);

// The "TR" table of the loaded library.
RatingLookup TransformerRatingLookup(CSevrinApp& app);

// A typed load row's demand: column 3 = connected VA, 4 = demand factor %, 5 = their product
// / 100 with no decimals ("-" when either is no number of at least 0), 6 = empty.
void CalcTransformerLoadDemand(TransformerLoadRowT& row, const QString& connectedVA,
                               const QString& demandPct);
// The input check of a typed load row: connected load and demand factor numbers of at least
// 0. The message naming the field refused; empty when both may be used.
QString CheckTransformerLoadInput(const QString& connectedVA, const QString& demandPct);

// The rows and the largest motor that "계통정보 불러오기" brings in for one transformer.
struct TransformerImport
{
    std::vector<TransformerLoadRowT> rows;  // numbered from firstNumber
    bool hasMotor = false;
    // Pm, cosθm, β, ηm, cosθms, C of the largest motor of the motor-control-centre panels;
    // for a soft-started or inverter-driven motor β is its current limit λ and C is 1.
    std::array<QString, 6> motor;
    int mccPanels = 0;
    int boards = 0;
};
// A motor-control-centre panel record (20 texts: name, six header texts, results): the
// panel's loads are kept in kVA and become VA.
TransformerLoadRowT TransformerRowFromMccPanel(const std::array<QString, 20>& panel, int number);
// A panel-board record (13 texts): the connected load is kept in VA, the demand in kVA.
TransformerLoadRowT TransformerRowFromBoard(const std::array<QString, 13>& board, int number);
// Reads "_10" and "_20" through the stores (the panel and board records of `app` are left
// holding the last sheet read); rows of panels and boards whose "FROM" equals trName exactly.
TransformerImport BuildTransformerImport(CSevrinApp& app, const QString& trName, int firstNumber);
