#include "common/sheetprotection.h"

#include "common/testsupport.h"

QStringList SheetProtection(const QStringList& paths)
{
    const PythonResult r = RunPython(QStringLiteral("import openpyxl,sys\n"
                                                    "for p in sys.argv[1:]:\n"
                                                    "    wb=openpyxl.load_workbook(p)\n"
                                                    "    print(','.join(str(ws.protection.sheet) for ws in wb.worksheets))\n"),
                                     paths);
    if (r.exitCode != 0)
        return {QStringLiteral("python failed: ") + r.err};
    return r.out.trimmed().split(QLatin1Char('\n'));
}
