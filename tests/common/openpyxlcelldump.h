#pragma once
// Every cell of a workbook's first sheets as openpyxl, an independent reader, sees it.
#include "common/testsupport.h"

// Runs openpyxl over the workbook at `path`: for each of its first nine sheets a line
// "# <title>", then one line "<coordinate> <repr(value)>" for each cell that holds a value.
PythonResult OpenpyxlCellDump(const QString& path);
