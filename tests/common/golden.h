#pragma once
// The golden-file comparison of the driver tests.
#include <QString>

// Compares `output` with the expected text in the file `goldenPath`: empty text when they are
// the same to the byte, else the first difference as "line L field F: got "…", expected "…""
// (lines split at '\n', fields at '\t'), or the line counts. With the environment variable
// SEVRIN_UPDATE_GOLDEN set, the file is first rewritten with `output` (check the new figures by
// hand before committing them).
QString GoldenDifference(const QString& output, const QString& goldenPath);
