#include "testpaths.h"

QString SourceDir()
{
    return QStringLiteral(SEVRIN_SOURCE_DIR);
}

QString TestDataDir()
{
    return QStringLiteral(SEVRIN_TEST_DATA_DIR);
}

QString ProgramDir()
{
    return QStringLiteral(SEVRIN_PROGRAM_DIR);
}

QString CalcExe()
{
    return QStringLiteral(SEVRIN_CALC_EXE);
}

QString ProgramExe()
{
    return QStringLiteral(SEVRIN_EXE);
}
