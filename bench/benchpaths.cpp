#include "benchpaths.h"

QString BenchSourceDir()
{
    return QStringLiteral(SEVRIN_SOURCE_DIR);
}

QString BenchProgramDir()
{
    return QStringLiteral(SEVRIN_PROGRAM_DIR);
}

QString BenchCalcExe()
{
    return QStringLiteral(SEVRIN_CALC_EXE);
}
