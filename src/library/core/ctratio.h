#pragma once
// Choice of a current transformer from the library's ratio table.
#include <QString>

class LibTable;

// For a current x: at the first entry whose primary (property 0) exceeds x, the label
// (property 1) of the entry before it, or of entry 0 when it is the first, followed by "/5";
// empty when no entry exceeds x. The same rule serves motors and panels.
QString ChooseCtRatio(const LibTable& table, double current);
