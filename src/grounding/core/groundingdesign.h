#pragma once
// The grounding-grid design after IEEE Std 80-2000: conductor size, grid resistance
// (Schwarz, with Sverak for reference), tolerable and expected step and touch voltages and
// the ground potential rise, with their verdicts.
//
// Every result is written into the grounding block as text with a fixed number of decimals,
// and later steps read most of them back from that text, so a value is used as it is shown.
// A quantity that cannot be computed (zero area, spacing or resistivity, no matching row)
// is shown as GroundingUndefinedText(), never as "nan" or "inf"; it makes the verdicts
// "CHECK" and the sentence on the ground potential rise the unsafe one.
#include "app/core/sevrin.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

using GroundingDesignBlockT = CSevrinApp::GroundingDesignBlockT;

inline constexpr int kGroundingSummaryRows = 34;
using GroundingSummaryValues = std::array<QString, kGroundingSummaryRows>;

// The text of a result that is not a finite number.
QString GroundingUndefinedText();

// The final conductor sizes offered on the conductor-size page, in combo order.
const QStringList& GroundingFinalSizes();
// The kinds of grounding system (combo order) and the grid shapes (combo order).
const QStringList& GroundingSystemKinds();
const QStringList& GroundingGridShapes();
// The verdict sentences on the ground potential rise (two "%.2f" values: GPR, Etouch).
QString GroundingSafeSentence(const QString& gpr, const QString& etouch);
QString GroundingUnsafeSentence(const QString& gpr, const QString& etouch);

// The verdicts on the voltages: the sentence on the ground potential rise, the touch and the
// step verdict ("OK" or "CHECK"). rg and gpr as shown (two decimals), etouch unrounded, em as
// shown, estepWhole and esWhole read back from their whole-volt texts. Equal values are not
// "OK"; a GPR equal to Etouch is safe. Any value that is not a finite number, or a resistance
// that is not positive, gives "CHECK" twice and the unsafe sentence.
struct GroundingVerdicts
{
    QString sentence;
    QString touch;
    QString step;
};
GroundingVerdicts JudgeGroundingVoltages(double rg, double gpr, double etouch, double em,
                                         double estepWhole, double esWhole);

// Copies the design inputs over the copies the result pages keep, so one calculation uses one
// value of each (the last step of storing the inputs), and takes the material name the
// conductor-size page shows for the material index.
void ApplyGroundingDesignInputs(GroundingDesignBlockT& b, const GroundingLibBlockT& lib);

// The copies the result pages make inside the block when they are shown (Lx, Ly, Lc, the
// shape index, D).
void ApplyGroundingDisplayCopies(GroundingDesignBlockT& b);

// The final-size index that matches a standard size text exactly; 0 when none does.
int GroundingFinalSizeIndexOf(const QString& standardSize);

// The whole calculation over the block's inputs and the grounding tables; writes every result
// group of the block and returns the value column of the summary table.
//
// The final conductor size is settled before the conductor diameter is computed: when the
// standard size changed from the one the block held, the final size follows it; otherwise the
// chosen final-size index stays. Material, final-size and shape indexes outside their lists
// are taken as 0 and written back.
GroundingSummaryValues CalcGroundingDesign(GroundingDesignBlockT& b, const GroundingLibBlockT& lib);

// The summary values of the results the block holds (the last step of the calculation).
GroundingSummaryValues BuildGroundingSummary(const GroundingDesignBlockT& b, const GroundingLibBlockT& lib);

// One written result field, for the recalculation driver and the tests.
struct GroundingResultField
{
    QString group;
    QString field;
    QString text;
};
// Every field the calculation writes, group by group in block order (fields nothing writes
// are left out).
std::vector<GroundingResultField> GroundingResultFields(const GroundingDesignBlockT& b);
