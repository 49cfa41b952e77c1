#pragma once
// The projects the benches build: motor-control-centre panels of library motors, written as
// the program writes them.
#include "app/core/sevrin.h"
#include "loads/core/mccpanel.h"

#include <array>

// The companion-workbook suffixes of the program folder's configuration, by role.
std::array<QString, 12> BenchCompanionSuffixes();

// Load k of panel `panel`: the motors of the library in turn, every fifth a lighting load of
// 12 kVA, the tenth spare.
MccLoadRow BenchMccLoad(const LibTable& motors, int panel, int k);

// Panels MCC-1 .. MCC-<panels> of `loads` loads each (BenchMccLoad) on TR-1 at 0.38 kV, 3P4W,
// written into the current project's workbook in one batch; false when a panel or a row could
// not be written.
bool WriteBenchMccPanels(CSevrinApp& a, int panels, int loads);
