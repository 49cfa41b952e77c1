#include "cable/core/cableapp.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"

#include <QHash>

#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

// The value at a stored selection of a fixed option list; NO_VALUE outside the list.
template <std::size_t N>
double Option(const double (&values)[N], int index)
{
    return index >= 0 && std::size_t(index) < N ? values[index] : NO_VALUE;
}

// An edit of the design pages: its leading number (empty or non-numeric text gives 0).
double EditValue(const QString& text)
{
    const double v = ReadNumber(text);
    return std::isfinite(v) ? v : 0.0;
}

struct LookupKey
{
    const void* table;  // the interned name
    int column;
    std::uint64_t valueBits;
    bool operator==(const LookupKey&) const = default;
};

struct LookupKeyHash
{
    std::size_t operator()(const LookupKey& k) const noexcept
    {
        std::size_t h = std::hash<const void*>()(k.table);
        h ^= std::hash<std::uint64_t>()(k.valueBits) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        return h ^ (std::size_t(k.column) * 0x100000001b3ULL);
    }
};

std::uint64_t Bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

}  // namespace

// Results already looked up in this batch: the library's tables do not change meanwhile, so a
// repeated question gets the same answer without another pass over the table (and without
// reloading a maker's breaker sheet, which every maker-table lookup does).
struct AppCableLookup::Cache
{
    QHash<QString, int> names;  // table name -> slot, so keys compare by number
    std::unordered_map<LookupKey, double, LookupKeyHash> vlookups;
    std::unordered_map<LookupKey, double, LookupKeyHash> hlookups;
    std::unordered_map<LookupKey, QString, LookupKeyHash> deltas;

    const void* Intern(const QString& name)
    {
        auto it = names.find(name);
        if (it == names.end())
            it = names.insert(name, int(names.size()) + 1);
        return reinterpret_cast<const void*>(std::uintptr_t(it.value()));
    }
};

AppCableLookup::AppCableLookup(CSevrinApp& app) : m_app(app), m_cache(new Cache) {}

AppCableLookup::~AppCableLookup()
{
    delete m_cache;
}

double AppCableLookup::VLookup(double value, const QString& table, int column)
{
    const LookupKey key{m_cache->Intern(table), column, Bits(value)};
    const auto it = m_cache->vlookups.find(key);
    if (it != m_cache->vlookups.end())
        return it->second;
    const double v = m_app.VLookup(value, table, column);
    m_cache->vlookups.emplace(key, v);
    return v;
}

double AppCableLookup::HLookup(double value, const QString& table)
{
    const LookupKey key{m_cache->Intern(table), 0, Bits(value)};
    const auto it = m_cache->hlookups.find(key);
    if (it != m_cache->hlookups.end())
        return it->second;
    const double v = m_app.HLookup(value, table);
    m_cache->hlookups.emplace(key, v);
    return v;
}

QString AppCableLookup::GetBreakerDelta(const QString& maker, int rating, int time,
                                        const QString& fallback)
{
    // The fallback is part of the answer, so it is part of the key.
    const LookupKey key{m_cache->Intern(maker + QLatin1Char('\t') + fallback), time,
                        std::uint64_t(std::int64_t(rating))};
    const auto it = m_cache->deltas.find(key);
    if (it != m_cache->deltas.end())
        return it->second;
    QString v = m_app.GetBreakerDelta(maker, rating, time, fallback);
    m_cache->deltas.emplace(key, v);
    return v;
}

bool AppCableLookup::FindMotorData(double kW, const QString& startingMethod,
                                   std::array<QString, 19>& fields)
{
    return m_app.FindMotorData(kW, startingMethod, fields);
}

CableConditions CableConditionsFromApp(const CSevrinApp& app)
{
    static const double kAir[] = {20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70};
    static const double kGround[] = {10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    static const double kTiers[] = {1, 2, 3, 4, 5, 6};
    static const double kSoil[] = {0.5, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0};
    static const double kDepth[] = {0.6, 0.8, 1.2};
    static const double kThreshold[] = {16, 25, 35, 50, 70, 95, 120, 150, 185, 240};
    static const double kTripTime[] = {0.01, 0.02, 0.03, 0.04, 0.05};
    static const double kStartPf[] = {0.1, 0.15, 0.2, 0.25, 0.3};
    static const double kInrush[] = {1.3, 1.4, 1.5};
    static const double kStartTime[] = {4, 6, 10, 15, 20};

    const auto& b = app.CabinetSizingBlock;
    const auto& m = app.MotorControlCenterBlock;
    CableConditions c;
    c.airAmbient = Option(kAir, b.InstallConditionIndex[0]);
    c.groundAmbient = Option(kGround, b.InstallConditionIndex[1]);
    c.trayTiers = Option(kTiers, b.InstallConditionIndex[2]);
    c.soilResistivity = Option(kSoil, b.InstallConditionIndex[3]);
    c.burialDepth = Option(kDepth, b.InstallConditionIndex[4]);
    c.singleCoreThreshold = Option(kThreshold, b.ConductorCriteriaIndex[0]);
    c.conductorTripTime = Option(kTripTime, b.ConductorCriteriaIndex[2]);
    c.loadPowerFactor = EditValue(b.ConductorCriteriaText[0]);
    c.loadEfficiency = EditValue(b.ConductorCriteriaText[1]);
    c.feederDropPct = EditValue(b.ConductorCriteriaText[2]);
    c.branchDropPct = EditValue(b.ConductorCriteriaText[3]);
    c.motorBranchDropPct = EditValue(b.ConductorCriteriaText[4]);
    c.conductorMarginFactor = EditValue(b.ConductorCriteriaText[6]);
    c.motorStartPowerFactor = Option(kStartPf, b.MotorStartCriteriaIndex);
    c.motorFeederStartDropPct = EditValue(b.MotorStartCriteriaText[0]);
    c.motorStartDropPct = EditValue(b.MotorStartCriteriaText[1]);
    c.motorStartMarginFactor = EditValue(b.MotorStartCriteriaText[2]);
    c.inrushMultiple = Option(kInrush, b.BreakerCriteriaIndex[1]);
    c.breakerTripTime = Option(kTripTime, b.BreakerCriteriaIndex[2]);
    c.inrushMarginFactor = EditValue(b.BreakerCriteriaText[0]);
    c.mccInrushMultiple = Option(kInrush, m.MccConditionIndex[3]);
    c.mccSoftStarterTime = Option(kStartTime, m.MccConditionIndex[7]);
    c.mccInverterTime = Option(kStartTime, m.MccConditionIndex[8]);
    c.mccStartPowerFactor = Option(kStartPf, m.MccConditionIndex[9]);
    return c;
}

void RecalcStoredCableRow(CableRow& row, const CableConditions& cond, CableLookup& lookup)
{
    CalcCableAndBreaker(row, false, true, cond, CableFormExtras{}, lookup);
}
