// "transformers": the transformer screen's "계산" for TR-1 to TR-5 without a window. The
// largest-motor block runs when the stored record has its option set ("Y"), with the record's
// stored inputs, as the screen computes it from the fields it shows after a refill. Stored
// quantities of the record are printed through the strict reader ("-" for nonsense).
//
//   TR     n  <the record's 20 fields after the calculation>
//   TRCAP  n  ΣCL  DF  ΣDL  rating  decision  capacity text
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/core/quantity.h"
#include "loads/core/transformersizing.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// A record field as printed: the secondary voltage, the motor inputs and the motor results
// through the strict reader (one that is no number in its range prints "-"); the type,
// primary voltage, option and decision texts as they stand.
QString RecordField(const TransformerRecordT& record, int f)
{
    using namespace trfield;
    const QString& text = record[std::size_t(f)];
    switch (f) {
    case kSecondary:
    case kPm:
    case kCosM:
    case kBeta:
    case kZ:
    case kEpsilon:
    case kCos:
    case kEtaM:
    case kCosMs:
    case kC:
        return QuantityText(text, QuantitySign::Positive);
    case kS:
    case kP1:
    case kSinMs:
    case kQ1:
    case kP2:
    case kQ2:
        return QuantityText(text, QuantitySign::NonNegative);
    default:
        return text;
    }
}

int RunTransformers(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::TransformerWorkbook);
    // A project without "_30" has five empty transformers; the driver creates nothing.
    const bool exists = QFileInfo::exists(path);
    if (exists) {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "cannot read the transformer workbook " << path << "\n";
            return 1;
        }
    }
    const RatingLookup lookup = TransformerRatingLookup(theApp);
    for (int n = 0; n < 5; ++n) {
        TransformerRecordT& record = theApp.TransformerSizingBlock.TransformerRecord;
        record = TransformerRecordT{};
        if (exists && !theApp.ReadTransformerSheet(n))
            record = TransformerRecordT{};
        const std::vector<TransformerLoadRowT> rows =
            exists ? ReadTransformerLoadRows(theApp, n) : std::vector<TransformerLoadRowT>{};
        if (exists && TransformerLoadRowsBeyondLimit(theApp, n))
            WarnRowLimit(ctx, path, kMaxTransformerLoadRows);
        const bool motor = record[trfield::kMotorOption] == QLatin1String("Y");
        const TransformerCapacity cap = CalcTransformerCapacityFigures(
            CalcTransformerTotals(rows), motor, ReadTransformerMotorInputs(record), lookup);
        if (motor)
            ApplyMotorBlockToRecord(cap.motor, record);

        QStringList fields{QStringLiteral("TR"), QString::number(n + 1)};
        for (int f = 0; f < int(record.size()); ++f)
            fields << RecordField(record, f);
        WriteCalcLine(ctx.out, fields);
        WriteCalcLine(ctx.out, {QStringLiteral("TRCAP"), QString::number(n + 1), cap.connectedText,
                                cap.demandFactorText, cap.demandText, cap.ratingText, cap.decision,
                                cap.capacityText});
    }
    return 0;
}

const CalcCommandRegistrar reg("transformers", &RunTransformers);

}  // namespace
