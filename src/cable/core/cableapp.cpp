#include "cable/core/cableapp.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"

#include <QHash>

#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

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
    struct Motor
    {
        bool found;
        std::array<QString, 19> fields;
    };
    std::unordered_map<LookupKey, Motor, LookupKeyHash> motors;

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
    // The user's motor rows are read from the library workbook on every search: ask once.
    const LookupKey key{m_cache->Intern(QStringLiteral("motor\t") + startingMethod), 0, Bits(kW)};
    auto it = m_cache->motors.find(key);
    if (it == m_cache->motors.end()) {
        Cache::Motor m;
        m.found = m_app.FindMotorData(kW, startingMethod, m.fields);
        it = m_cache->motors.emplace(key, std::move(m)).first;
    }
    if (!it->second.found)
        return false;
    // A user row fills fields 1..18 only; field 0 stays the caller's.
    for (int f = 1; f < 19; ++f)
        fields[std::size_t(f)] = it->second.fields[std::size_t(f)];
    if (!it->second.fields[0].isEmpty())
        fields[0] = it->second.fields[0];
    return true;
}

CableConditions CableConditionsFromApp(const CSevrinApp& app)
{
    using namespace DesignOptions;
    const auto& b = app.CabinetSizingBlock;
    const PanelBoardDesignConditions pb = PanelBoardDesignConditionsOf(b);
    const MccDesignConditions mcc = MccDesignConditionsOf(app.MotorControlCenterBlock);
    const MotorParameters motor = BuildMotorParameters(mcc);

    CableConditions c;
    c.airAmbient = OptionValue(AirAmbient, pb.airAmbientIndex);
    c.groundAmbient = OptionValue(GroundAmbient, pb.groundAmbientIndex);
    c.trayTiers = OptionValue(TrayTiers, pb.trayTierIndex);
    c.soilResistivity = OptionValue(SoilResistivity, pb.soilResistivityIndex);
    c.burialDepth = OptionValue(BurialDepth, pb.burialDepthIndex);
    c.singleCoreThreshold = OptionValue(SingleCoreThreshold, pb.singleCoreThresholdIndex);
    // Conductor-size criteria: trip time t of SSC; load power factor, efficiency, allowed
    // drops (feeder, branch, motor branch), fault-current rating and the SSC margin.
    c.conductorTripTime = OptionValue(TripTime, b.ConductorCriteriaIndex[2]);
    c.loadPowerFactor = QuantityOr(b.ConductorCriteriaText[0], QuantitySign::Any, 0.0);
    c.loadEfficiency = QuantityOr(b.ConductorCriteriaText[1], QuantitySign::Any, 0.0);
    c.feederDropPct = QuantityOr(pb.feederDropPct, QuantitySign::Any, 0.0);
    c.branchDropPct = QuantityOr(pb.branchDropPct, QuantitySign::Any, 0.0);
    c.motorBranchDropPct = QuantityOr(pb.motorBranchDropPct, QuantitySign::Any, 0.0);
    c.conductorMarginFactor = QuantityOr(b.ConductorCriteriaText[6], QuantitySign::Any, 0.0);
    // Motor-starting criteria: cos(theta m), drops of motor feeders and single motors, margin.
    c.motorStartPowerFactor = OptionValue(StartPowerFactor, b.MotorStartCriteriaIndex);
    c.motorFeederStartDropPct = QuantityOr(b.MotorStartCriteriaText[0], QuantitySign::Any, 0.0);
    c.motorStartDropPct = QuantityOr(b.MotorStartCriteriaText[1], QuantitySign::Any, 0.0);
    c.motorStartMarginFactor = QuantityOr(b.MotorStartCriteriaText[2], QuantitySign::Any, 0.0);
    // Breaker criteria: maker (not used here), inrush multiple k, tN; inrush margin.
    c.inrushMultiple = OptionValue(InrushMultiple, b.BreakerCriteriaIndex[1]);
    c.breakerTripTime = OptionValue(TripTime, b.BreakerCriteriaIndex[2]);
    c.inrushMarginFactor = QuantityOr(b.BreakerCriteriaText[0], QuantitySign::Any, 0.0);
    c.mccInrushMultiple = motor.k;
    c.mccSoftStarterTime = motor.tmSoftStarter;
    c.mccInverterTime = motor.tmInverter;
    c.mccStartPowerFactor = MotorStartPowerFactor(mcc);
    return c;
}

void RecalcStoredCableRow(CableRow& row, const CableConditions& cond, CableLookup& lookup)
{
    CalcCableAndBreaker(row, false, true, cond, CableFormExtras{}, lookup);
}
