#pragma once
// The sheet names a workbook file holds.
#include <QStringList>

// The names of the sheets of the workbook at `path`, read by a fresh book (never the stores'
// cached copy); "<cannot load>" alone when the file does not load.
QStringList WorkbookSheetNames(const QString& path);
