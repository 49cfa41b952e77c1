// Named-table lookups over the reference tables, and the few searches that go with them.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/core/libraryio.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>

namespace {

// Two numbers read from table texts are the same figure (texts print at most a few decimals).
bool SameNumber(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

struct Source
{
    const LibCells* cells;
    int count;
};
using SourceFn = Source (*)(const CSevrinApp&);

enum class KeyKind : std::uint8_t {
    Prop,     // the key column is a property of the table
    Ordinal,  // entry i is keyed i + 1
    Bucket,   // "0.01", then each previous entry's property 0 plus 0.01
};

struct VTable
{
    SourceFn source;
    KeyKind keyKind;
    int keyProp;
    int valueOffset;  // value property = column + valueOffset ...
    int fixedValue;   // ... unless this is 0 or more
    int makerSheet;   // maker sheet of the breaker workbook to load first, or -1
};

Source Of(const LibTable& t)
{
    return {&t, t.Count};
}

Source Of(const LibColumns& c)
{
    return {&c, c.count()};
}

// The table a name searches, as a block of theApp and a table of that block.
template <auto Block, auto Table>
Source From(const CSevrinApp& a)
{
    return Of((a.*Block).*Table);
}

constexpr auto kCable = &LibraryBlocks::CableLibBlock;
constexpr auto kBreaker = &LibraryBlocks::BreakerLibBlock;
constexpr auto kDimension = &LibraryBlocks::CableDimensionLibBlock;
constexpr auto kTransformer = &LibraryBlocks::TransformerLibBlock;
constexpr auto kGenerator = &LibraryBlocks::GeneratorLibBlock;

const QHash<QString, VTable>& VTables()
{
    static const QHash<QString, VTable> tables = [] {
        QHash<QString, VTable> h;
        const auto prop = [&](std::initializer_list<const char*> names, SourceFn src, int key,
                              int offset) {
            for (const char* n : names)
                h.insert(QLatin1String(n), VTable{src, KeyKind::Prop, key, offset, -1, -1});
        };
        const auto fixed = [&](const char* name, SourceFn src, int key, int value) {
            h.insert(QLatin1String(name), VTable{src, KeyKind::Prop, key, 0, value, -1});
        };
        // Applied impedances sit after the read ones: column 2..5 -> properties 10..13.
        prop({"CBLIMP", "CABLEZ", "CBLRX"}, From<kCable, &CableLibBlockT::CBLIMP>, 0, 8);
        prop({"FR8IMP"}, From<kCable, &CableLibBlockT::FR8IMP>, 0, -1);
        prop({"HFIXIMP", "HFIX"}, From<kCable, &CableLibBlockT::HFIXIMP>, 0, -1);
        prop({"CABLE1A"}, From<kCable, &CableLibBlockT::CABLE1A>, 0, -1);
        prop({"CABLE1B"}, From<kCable, &CableLibBlockT::CABLE1B>, 0, -1);
        prop({"CABLE1D"}, From<kCable, &CableLibBlockT::CABLE1D>, 0, -1);
        prop({"CABLE1E"}, From<kCable, &CableLibBlockT::CABLE1E>, 0, -1);
        prop({"CABLE3A"}, From<kCable, &CableLibBlockT::CABLE3A>, 0, -1);
        prop({"CABLE3B"}, From<kCable, &CableLibBlockT::CABLE3B>, 0, -1);
        prop({"CABLE3D"}, From<kCable, &CableLibBlockT::CABLE3D>, 0, -1);
        prop({"CABLE3E"}, From<kCable, &CableLibBlockT::CABLE3E>, 0, -1);
        prop({"HFIXSQ"}, From<kCable, &CableLibBlockT::HFIXSQ>, 0, -1);
        prop({"HFIXAC"}, From<kCable, &CableLibBlockT::HFIXSQ>, 1, 0);
        prop({"HFIX2A"}, From<kCable, &CableLibBlockT::HFIXSQ>, 6, 5);
        prop({"HFIX2B"}, From<kCable, &CableLibBlockT::HFIXSQ>, 8, 7);
        prop({"HFIX3A"}, From<kCable, &CableLibBlockT::HFIXSQ>, 10, 9);
        prop({"HFIX3B"}, From<kCable, &CableLibBlockT::HFIXSQ>, 12, 11);
        h.insert(QStringLiteral("TRAYDF"),
                 VTable{From<kCable, &CableLibBlockT::TRAYDF>, KeyKind::Ordinal, 0, -2, -1, -1});
        prop({"MCB"}, From<kBreaker, &BreakerLibBlockT::MCBExt>, 0, -1);
        prop({"MCBAF"}, From<kBreaker, &BreakerLibBlockT::MCBExt>, 1, 0);
        prop({"RCBO"}, From<kBreaker, &BreakerLibBlockT::RCBOExt>, 0, -1);
        prop({"RCBOAF"}, From<kBreaker, &BreakerLibBlockT::RCBOExt>, 1, 0);
        prop({"MCCB2"}, From<kBreaker, &BreakerLibBlockT::MCCB2Ext>, 0, -1);
        prop({"MCCB2AF"}, From<kBreaker, &BreakerLibBlockT::MCCB2Ext>, 1, 0);
        prop({"MCCB3", "CB"}, From<kBreaker, &BreakerLibBlockT::MCCB3Ext>, 0, -1);
        prop({"MCCB3AF"}, From<kBreaker, &BreakerLibBlockT::MCCB3Ext>, 1, 0);
        prop({"CBR"}, From<kBreaker, &BreakerLibBlockT::CBRExt>, 0, -1);
        prop({"CBRAF"}, From<kBreaker, &BreakerLibBlockT::CBRExt>, 1, 0);
        prop({"CABLESQ"}, From<kCable, &CableLibBlockT::CABLESQ>, 0, -1);
        prop({"CABLEC"}, From<kCable, &CableLibBlockT::CABLEC>, 0, -1);
        const char* ratingNames[] = {"LSMAT", "LSSAT", "HGMAT", "USERAT"};
        const char* frameNames[] = {"LSMAF", "LSSAF", "HGMAF", "USERAF"};
        for (int sheet = 0; sheet < 4; ++sheet) {
            h.insert(QLatin1String(ratingNames[sheet]),
                     VTable{From<kBreaker, &BreakerLibBlockT::MakerRatingTable>, KeyKind::Bucket, 0, -2,
                            -1, sheet});
            h.insert(QLatin1String(frameNames[sheet]),
                     VTable{From<kBreaker, &BreakerLibBlockT::MakerFrameTable>, KeyKind::Bucket, 0, -2, -1,
                            sheet});
        }
        prop({"FCVSQ"}, From<kDimension, &CableDimensionLibBlockT::FCVSQ>, 0, -1);
        prop({"FR8SQ"}, From<kDimension, &CableDimensionLibBlockT::FR8SQ>, 0, -1);
        prop({"FGVSEC", "GVSQ"}, From<kDimension, &CableDimensionLibBlockT::FGVSEC>, 0, -1);
        prop({"GV"}, From<kDimension, &CableDimensionLibBlockT::GV>, 0, -1);
        prop({"FGVW"}, From<kDimension, &CableDimensionLibBlockT::FGVW>, 0, -1);
        // Conduits are keyed on their fourth column, the allowed cable area.
        prop({"ST"}, From<kDimension, &CableDimensionLibBlockT::ST>, 3, 2);
        prop({"CD"}, From<kDimension, &CableDimensionLibBlockT::CD>, 3, 2);
        prop({"FEP"}, From<kDimension, &CableDimensionLibBlockT::FEP>, 3, 2);
        prop({"TRAY"}, From<kDimension, &CableDimensionLibBlockT::TRAY>, 0, -1);
        prop({"TRAYW"}, From<kDimension, &CableDimensionLibBlockT::TRAY>, 1, 0);
        fixed("TR", From<kTransformer, &TransformerLibBlockT::TR>, 0, 1);
        prop({"TRIMP"}, From<kTransformer, &TransformerLibBlockT::TRIMP>, 0, -1);
        fixed("GEN", From<kGenerator, &GeneratorLibBlockT::GEN>, 0, 1);
        fixed("GEN_2", From<kGenerator, &GeneratorLibBlockT::GEN>, 2, 3);
        return h;
    }();
    return tables;
}

double EntryKey(const VTable& t, const Source& src, int entry)
{
    switch (t.keyKind) {
    case KeyKind::Prop:
        return ReadLeadingNumber(src.cells->Cell(entry, t.keyProp));
    case KeyKind::Ordinal:
        return entry + 1;
    case KeyKind::Bucket:
        if (entry == 0)
            return 0.01;
        // Printed and read back, as stored bucket keys are, so both kinds round alike.
        return ReadLeadingNumber(FormatFixed(ReadLeadingNumber(src.cells->Cell(entry - 1, 0)) + 0.01, 2));
    }
    return 0.0;
}

}  // namespace

double CSevrinApp::VLookup(double value, const QString& table, int column)
{
    const auto& tables = VTables();
    const auto it = tables.constFind(table);
    if (it == tables.cend()) {
        Prompt::Message(
            QCoreApplication::translate("Library", "VLOOKUP %1 Table을 지원하지 않습니다.!!!").arg(table));
        return NO_VALUE;
    }
    const VTable& t = *it;
    if (t.makerSheet >= 0)
        LoadBreakerWorkbook(false, t.makerSheet);

    const Source src = t.source(*this);
    const int n = std::min(src.count, src.cells->capacity());
    if (n <= 0)
        return NO_VALUE;

    // Floor match: the entry with the largest key not above the value; the first entry below
    // every key (and for NO_VALUE), the last above every key. Keys are in ascending order.
    int chosen = IsNoValue(value) ? 0 : n - 1;
    for (int i = 0; i < n && !IsNoValue(value); ++i) {
        const double key = EntryKey(t, src, i);
        if (key >= value) {
            chosen = (key > value && i > 0) ? i - 1 : i;
            break;
        }
    }

    const int prop = t.fixedValue >= 0 ? t.fixedValue : column + t.valueOffset;
    const QString& text = src.cells->Cell(chosen, prop);  // empty outside the table
    if (text.isEmpty() || text == QLatin1String("-"))
        return NO_VALUE;
    return ReadLeadingNumber(text);
}

double CSevrinApp::HLookup(double value, const QString& table)
{
    static const double tdf[] = {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70};
    static const double ugtdf[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    static const double ugdf[] = {0.5, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0};
    static const double ugddf[] = {0.6, 0.8, 1.0, 1.2};

    const LibRow* row = nullptr;
    const double* keys = nullptr;
    int keyCount = 0;
    if (table == QLatin1String("TDF")) {
        row = &CableLibBlock.TDF;
        keys = tdf;
        keyCount = int(std::size(tdf));
    } else if (table == QLatin1String("UGTDF") || table == QLatin1String("UGTHD")) {
        row = &CableLibBlock.UGTDF;
        keys = ugtdf;
        keyCount = int(std::size(ugtdf));
    } else if (table == QLatin1String("UGDF")) {
        row = &CableLibBlock.UGDF;
        keys = ugdf;
        keyCount = int(std::size(ugdf));
    } else if (table == QLatin1String("UGDDF")) {
        row = &CableLibBlock.UGDDF;
        keys = ugddf;
        keyCount = int(std::size(ugddf));
    } else {
        Prompt::Message(
            QCoreApplication::translate("Library", "HLOOKUP %1 Table을 지원하지 않습니다.!!!").arg(table));
        return NO_VALUE;
    }
    for (int i = 0; i < keyCount; ++i) {
        if (SameNumber(value, keys[i]))
            return ReadLeadingNumber(row->Cell(i));
    }
    return NO_VALUE;
}

QString CSevrinApp::GetBreakerDelta(const QString& maker, int rating, int time,
                                    const QString& fallback)
{
    int sheet = -1;
    if (maker == QLatin1String("LSM"))
        sheet = 0;
    else if (maker == QLatin1String("LSS"))
        sheet = 1;
    else if (maker == QLatin1String("HG"))
        sheet = 2;
    else if (maker == QLatin1String("USERT"))
        sheet = 3;
    if (sheet < 0)
        return fallback;

    LoadBreakerWorkbook(false, sheet);

    int prop = 0;
    switch (time) {
    case 4: prop = 1; break;
    case 6: prop = 2; break;
    case 10: prop = 3; break;
    case 15: prop = 4; break;
    case 20: prop = 5; break;
    default: return fallback;
    }

    const LibTable& t = BreakerLibBlock.MakerRatingTable;
    const int n = std::min(t.Count, t.capacity());
    for (int e = 0; e < n; ++e) {
        const double at = std::trunc(ReadLeadingNumber(t.Cell(e, 0)));
        if (std::isfinite(at) && SameNumber(at, rating))
            return t.Cell(e, prop);
    }
    return fallback;
}

namespace {

const LibTable* DimensionTable(const CSevrinApp& a, QStringView name)
{
    const CableDimensionLibBlockT& b = a.CableDimensionLibBlock;
    if (name == u"FCVOD")
        return &b.FCVOD;
    if (name == u"FR8OD")
        return &b.FR8OD;
    if (name == u"FCVW")
        return &b.FCVW;
    if (name == u"FR8W")
        return &b.FR8W;
    return nullptr;
}

}  // namespace

double CSevrinApp::LookupCableDimension(const QString& table, int entry, int core)
{
    const LibTable* t = DimensionTable(*this, table);
    // The callers pass the size count or kNoDimensionIndex when a size or core count is not in
    // the table.
    if (!t || entry < 0 || entry >= t->Count || core < 0 || core > 3)
        return NO_VALUE;
    return ReadLeadingNumber(t->Cell(entry, core + 1));
}

int CSevrinApp::FindCableDimensionIndex(double value, const QString& name)
{
    const QStringView n(name);
    if (n.endsWith(u"SQ")) {
        if (const LibTable* t = DimensionTable(*this, n.chopped(2))) {
            for (int e = 0; e < t->Count; ++e) {
                if (SameNumber(ReadLeadingNumber(t->Cell(e, 0)), value))
                    return e;
            }
            return t->Count;
        }
    } else if (n.endsWith(u"C")) {
        if (DimensionTable(*this, n.chopped(1))) {
            if (value > 0 && value < 5)
                return int(value - 1);  // truncated toward zero: 1..4 cores -> 0..3
            return kNoDimensionIndex;
        }
    }
    return kNoDimensionIndex;
}

bool CSevrinApp::FindCableColumn(const QString& key1, const QString& key2,
                                 std::array<QString, 11>& out)
{
    const LibTable& t = CableLibBlock.LineImpedanceTable;
    for (int e = 0; e < t.Count; ++e) {
        if (t.Cell(e, 0) == key1 && t.Cell(e, 3) == key2) {
            for (int p = 0; p < 11; ++p)
                out[std::size_t(p)] = t.Cell(e, p);
            return true;
        }
    }
    return false;
}

void CSevrinApp::FindCableScheduleRow(const QString& key, std::array<QString, 4>& out)
{
    for (QString& s : out)
        s.clear();
    const QString path = CompanionPath(CableWorkbook);

    Book book;
    if (!book.load(path))
        return;
    const Sheet* sheet = book.getSheet(0);
    if (!sheet)
        return;
    std::array<QString, 112>& row = CableScheduleBlock.CableRow;
    for (int r = 0; r < 1000; ++r) {
        for (int c = 0; c < 112; ++c)
            row[std::size_t(c)] = sheet->readText(r, c).value_or(QString());
        if (row[3] == key) {
            out[0] = row[91];
            out[1] = row[96];
            out[2] = row[97];
            out[3] = row[102];
            return;
        }
        if (row[0].isEmpty())
            return;
    }
}
