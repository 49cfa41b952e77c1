#pragma once
// Where the build and the checkout lie. The absolute paths enter one translation unit only
// (testpaths.cpp), so every other test file compiles to the same object in any checkout folder
// and clones in different folders share the compiler cache.
#include <QString>

QString SourceDir();    // the checkout
QString TestDataDir();  // the checkout's tests folder (fixtures, golden files, scripts)
QString ProgramDir();   // the build's program folder (LIB, FORM, the program)
QString CalcExe();      // the recalculation driver sevrin-calc
QString ProgramExe();   // the program itself
