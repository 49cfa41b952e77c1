// Tables derived from the loaded ones with the design conditions: the applied cable
// impedances (single- or multi-core by a size threshold), the applied and derated XLPE
// ampacities with their design-current lookups, and the derated HFIX ampacities.
// Each build rewrites its rows in full, so the result depends only on its inputs.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"

namespace {

// A lookup key one step above a limit, so that the floor match finds the first entry whose
// limit reaches the value.
QString NextKey(const QString& limit)
{
    return FormatFixed(ReadLeadingNumber(limit) + 0.01, 2);
}

}  // namespace

void CSevrinApp::ApplySingleCoreThreshold(double threshold)
{
    LibTable& t = CableLibBlock.HvCableImpedanceTable;
    for (int e = 0; e < t.Count; ++e) {
        // Sizes strictly below the threshold are multi-core cables.
        const bool multiCore = threshold > ReadLeadingNumber(t.Cell(e, 0));
        t.Cell(e, 6) = t.Cell(e, multiCore ? 3 : 1);
        t.Cell(e, 7) = t.Cell(e, multiCore ? 4 : 2);
    }
}

void CSevrinApp::ApplyImpedanceThreshold(double threshold)
{
    LibTable& t = CableLibBlock.CBLIMP;
    for (int e = 0; e < t.Count; ++e) {
        const bool multiCore = threshold > ReadLeadingNumber(t.Cell(e, 0));
        const int from = multiCore ? 5 : 1;
        for (int i = 0; i < 4; ++i)
            t.Cell(e, 10 + i) = t.Cell(e, from + i);
    }
}

void CSevrinApp::BuildAmpacityTables(double threshold, double factorA, double factorB,
                                     double factorD, double factorE)
{
    CableLibBlockT& b = CableLibBlock;
    const LibTable& src = b.XlpeAmpacityTable;
    LibColumns& sq = b.CABLESQ;
    const int n = src.Count;

    for (int e = 0; e < n; ++e) {
        sq.Cell(e, 0) = e == 0 ? QStringLiteral("0.01") : NextKey(src.Cell(e - 1, 0));
        sq.Cell(e, 1) = src.Cell(e, 0);
        // Below the threshold: two-core values for single-phase circuits, three- and four-core
        // values for three-phase; from the threshold up the single-core values for both.
        const bool multiCore = threshold > ReadLeadingNumber(src.Cell(e, 0));
        for (int m = 0; m < 4; ++m) {
            sq.Cell(e, 2 + m) = src.Cell(e, multiCore ? 5 + m : 1 + m);
            sq.Cell(e, 6 + m) = src.Cell(e, multiCore ? 9 + m : 1 + m);
        }
    }

    // 1A, 1B, 1D, 1E take CABLESQ rows 2..5, 3A..3E rows 6..9; methods A, B, D, E in turn.
    const double factors[4] = {factorA, factorB, factorD, factorE};
    for (int k = 0; k < 8; ++k) {
        LibColumns& t = b.CableMethodTable(k);
        const double factor = factors[k % 4];
        for (int e = 0; e < n; ++e) {
            t.Cell(e, 2) = src.Cell(e, 0);
            t.Cell(e, 1) = FormatFixed(ReadLeadingNumber(sq.Cell(e, 2 + k)) * factor, 2);
            t.Cell(e, 0) = e == 0 ? QStringLiteral("0.01") : NextKey(t.Cell(e - 1, 1));
        }
    }

    for (int e = 0; e < n; ++e) {
        b.CABLEC.Cell(e, 0) = src.Cell(e, 0);
        for (int k = 0; k < 8; ++k)
            b.CABLEC.Cell(e, 1 + k) = b.CableMethodTable(k).Cell(e, 1);
    }
}

double CSevrinApp::AppliedHfixTemperatureFactor(double ambientTemperature)
{
    const double factor = HLookup(ambientTemperature, QStringLiteral("TDF"));
    // A temperature that is not one of the tabulated 20..70 degC has no factor: keep the base
    // currents rather than multiplying them by the no-value marker.
    return IsNoValue(factor) ? 1.0 : factor;
}

void CSevrinApp::BuildDeratedHfixTables(double ambientTemperature)
{
    CableLibBlockT& b = CableLibBlock;
    const double factor = AppliedHfixTemperatureFactor(ambientTemperature);

    const LibTable& src = b.HfixAmpacityTable;
    LibColumns& d = b.HFIXSQ;
    for (int e = 0; e < src.Count; ++e) {
        d.Cell(e, 0) = e == 0 ? QStringLiteral("0.01") : NextKey(src.Cell(e - 1, 0));
        d.Cell(e, 1) = src.Cell(e, 0);
        for (int i = 0; i < 4; ++i)
            d.Cell(e, 2 + i) = FormatFixed(ReadLeadingNumber(src.Cell(e, 1 + i)) * factor, 2);
        // Per current: keys on the derated current, then the size it belongs to.
        for (int i = 0; i < 4; ++i) {
            const int keyRow = 6 + 2 * i;
            d.Cell(e, keyRow) = e == 0 ? QStringLiteral("0") : NextKey(d.Cell(e - 1, 2 + i));
            d.Cell(e, keyRow + 1) = src.Cell(e, 0);
        }
    }
}
