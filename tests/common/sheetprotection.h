#pragma once
// The protection of workbook sheets as openpyxl, an independent reader, sees it.
#include <QStringList>

// One line a workbook: the protection of each of its sheets joined by commas ("True,False");
// a single "python failed: ..." line when openpyxl could not read them.
QStringList SheetProtection(const QStringList& paths);
