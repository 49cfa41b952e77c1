#pragma once
// The project of the driver tests that size cables: the fixture library (cablefixture.h) and
// the worked conditions.
#include "app/core/sevrin.h"
#include "cablefixture.h"
#include "common/driverproject.h"

namespace cablefixture {

// Points `app` at the fixture library already in the program folder's copy and stores the worked
// conditions in the project.
inline bool StoreWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    UseLibrary(app, where.root() + "/LIB");
    SetConditions(app);
    app.ProjectPathTable.CurrentProjectPath = where.project();
    return app.SaveMotorControlCenterSection(where.project()) &&
           app.SaveCabinetSizingSection(where.project());
}

}  // namespace cablefixture
