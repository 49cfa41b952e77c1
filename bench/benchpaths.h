#pragma once
// Where the build and the checkout lie. The absolute paths enter one translation unit only
// (benchpaths.cpp), so every bench compiles to the same object in any checkout folder and
// clones in different folders share the compiler cache.
#include <QString>

QString BenchSourceDir();   // the checkout
QString BenchProgramDir();  // the build's program folder (LIB, FORM)
QString BenchCalcExe();     // the recalculation driver sevrin-calc
