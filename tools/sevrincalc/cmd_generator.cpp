// "generator": the generator screen's "계산" without a window, with the factors of the
// project file's "Generator_Sizing" section and the rows of "_60".
//
//   GEN  outage|fire  ΣPm[kW]  ΣP[kVA]  PL[kW]  a  c  k  GP[kVA]  output[kW]  summary line
// (a factor that is no number above 0 is printed "-", as it enters no formula)
//   GEN  selected     rating[kW]  rating[kVA]  summary line
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "loads/core/generatorsizing.h"

#include <QFileInfo>
#include <QStringList>

namespace {

int RunGenerator(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::GeneratorWorkbook);
    std::vector<GeneratorLoadRowT> rows;
    if (QFileInfo::exists(path)) {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "cannot read the generator workbook " << path << "\n";
            return 1;
        }
        rows = ReadGeneratorLoadRows(theApp);
        if (GeneratorLoadRowsBeyondLimit(theApp))
            WarnRowLimit(ctx, path, kMaxGeneratorLoadRows);
    }
    const GeneratorFactors outage = GeneratorOutageFactors(theApp);
    const GeneratorFactors fire = GeneratorFireFactors(theApp);
    const GeneratorCapacity cap = CalcGeneratorOutput(
        rows, outage, fire, GeneratorRatingLookup(theApp), GeneratorApparentLookup(theApp));

    auto line = [&](const char* name, const GeneratorCase& c, const GeneratorFactors& f,
                    const QString& summary) {
        WriteCalcLine(ctx.out, {QStringLiteral("GEN"), QString::fromLatin1(name), c.kwSum, c.kvaSum,
                                c.maxKw, GeneratorFactorText(f.a), GeneratorFactorText(f.c),
                                GeneratorFactorText(f.k), c.gpText, c.outputText, summary});
    };
    line("outage", cap.outage, outage, cap.summary[0]);
    line("fire", cap.fire, fire, cap.summary[1]);
    WriteCalcLine(ctx.out, {QStringLiteral("GEN"), QStringLiteral("selected"), cap.hidden[4],
                            cap.hidden[5], cap.summary[2]});
    return 0;
}

const CalcCommandRegistrar reg("generator", &RunGenerator);

}  // namespace
