#pragma once
// The companion-workbook suffixes of a project as the program folder's configuration gives
// them, by role: "_10" MCC, "_20" panel boards, "_40" cables, "_50" trays, "_30"
// transformers, "_60" generator, "_80" fault current, "_851".."_855" bus pages.
#include <QString>
#include <array>

inline std::array<QString, 12> StandardCompanionSuffixes()
{
    return {"_10.xlsx", "_20.xlsx",  "_40.xlsx",  "_50.xlsx",  "_30.xlsx",  "_60.xlsx",
            "_80.xlsx", "_851.xlsx", "_852.xlsx", "_853.xlsx", "_854.xlsx", "_855.xlsx"};
}
