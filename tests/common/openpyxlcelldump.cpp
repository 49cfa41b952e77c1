#include "common/openpyxlcelldump.h"

PythonResult OpenpyxlCellDump(const QString& path)
{
    static const char* const kDumpSheets = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets[:9]:
    print('#', ws.title)
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None:
                print(c.coordinate, repr(c.value))
)";
    return RunPython(QString::fromUtf8(kDumpSheets), {path});
}
