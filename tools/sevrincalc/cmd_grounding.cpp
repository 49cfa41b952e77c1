// Grounding design, computed as an entry to the grounding screen does: the design inputs
// overwrite the page copies, the calculation runs, the result pages' copies are made.
//   SUMMARY <row 0..33> <value>
//   RESULT <group> <field> <text>
#include "calccommand.h"

#include "app/core/sevrin.h"
#include "grounding/core/groundingdesign.h"

namespace {

int RunGrounding(CalcContext& ctx)
{
    auto& block = theApp.GroundingDesignBlock;
    ApplyGroundingDesignInputs(block, theApp.GroundingLibBlock);
    const GroundingSummaryValues summary = CalcGroundingDesign(block, theApp.GroundingLibBlock);
    ApplyGroundingDisplayCopies(block);
    for (int row = 0; row < kGroundingSummaryRows; ++row)
        WriteCalcLine(ctx.out, {QStringLiteral("SUMMARY"), QString::number(row), summary[row]});
    for (const GroundingResultField& f : GroundingResultFields(block))
        WriteCalcLine(ctx.out, {QStringLiteral("RESULT"), f.group, f.field, f.text});
    return 0;
}

const CalcCommandRegistrar reg("grounding", &RunGrounding);

}  // namespace
