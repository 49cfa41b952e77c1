#pragma once
// The cable engine over the program's own data: the reference library of theApp as its
// lookups, and the design conditions held in theApp's blocks.
#include "cable/core/cablesizing.h"

class CSevrinApp;

// Lookups through the library of an application object (normally theApp). One adapter serves
// one batch of rows: it remembers what it looked up, so the library must not change while it
// is in use.
class AppCableLookup : public CableLookup
{
public:
    explicit AppCableLookup(CSevrinApp& app);
    ~AppCableLookup() override;

    double VLookup(double value, const QString& table, int column) override;
    double HLookup(double value, const QString& table) override;
    QString GetBreakerDelta(const QString& maker, int rating, int time,
                            const QString& fallback) override;
    bool FindMotorData(double kW, const QString& startingMethod,
                       std::array<QString, 19>& fields) override;

private:
    struct Cache;
    CSevrinApp& m_app;
    Cache* m_cache;
};

// The design conditions as the engine reads them, from the panel-board and motor-control-
// centre blocks of the application (stored selections mapped through the design pages' option
// lists, a selection outside its list counting as the first option).
CableConditions CableConditionsFromApp(const CSevrinApp& app);

// Recomputes a stored row as the fault-current search does: automatic sizes, the starting
// method and fed-panel values from the row.
void RecalcStoredCableRow(CableRow& row, const CableConditions& cond, CableLookup& lookup);
