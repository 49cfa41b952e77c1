#pragma once
// The one check every test applies to text the program shows or prints: no figure that must
// not be trusted.
#include <QString>

// The first figure in `text` that no result may show, as "line L, field F: \"piece\" in
// <field>", or empty text when there is none. Offending are:
// - "nan" or "inf" in any spelling, also inside a field ("-nan", "infkA", "1.#INF");
// - a negative number: a minus right before a digit where no letter, digit, point, closing
//   bracket or parenthesis stands before it ("-5", "-0.3kA"; "TR-1", "E-16", "LN-1" are names);
// - a run of 14 or more digits (beyond any quantity the program accepts), or a number of 16 or
//   more significant digits (binary noise such as 0.30000000000000004 or 1234567.123456789).
// Lines split at '\n', fields at '\t'.
QString FindUnprintableFigure(const QString& text);
