#pragma once
// Small pieces shared by the workbook layer: cell references, part paths, XML helpers, and the
// reference shifting used when rows or columns are inserted or removed.
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace xlsx {

constexpr int kMaxRows = 1048576;  // 1-based rows 1..kMaxRows
constexpr int kMaxCols = 16384;    // 1-based columns 1..kMaxCols (A..XFD)

// "AB12" -> col 28, row 12 (1-based). Either part may be absent when the pointer is null
// (row-only or column-only references); `$` signs are accepted. False on anything else or
// on numbers beyond the sheet's limits.
bool ParseCellRef(std::string_view s, int* col, int* row);
std::string ColName(int col);            // 1 -> "A"
std::string CellName(int col, int row);  // (1,1) -> "A1"

// Local name of an element or attribute name ("x:c" -> "c").
inline std::string_view LocalName(const char* name)
{
    std::string_view v(name);
    const size_t p = v.find(':');
    return p == std::string_view::npos ? v : v.substr(p + 1);
}
inline bool IsLocal(const pugi::xml_node& n, std::string_view local)
{
    return n.type() == pugi::node_element && LocalName(n.name()) == local;
}
// First child element with the local name.
pugi::xml_node Child(pugi::xml_node parent, std::string_view local);
// Is this a plain XML name without a colon (a usable namespace prefix)?
bool IsNcName(std::string_view s);
// The prefix ("x:" or "") of an element.
std::string PrefixOf(pugi::xml_node n);

// Inserts a new child element named prefix+local into parent so that the children stay in the
// order listed in `order` (local names); unknown existing children are kept where they are.
pugi::xml_node InsertOrdered(pugi::xml_node parent, std::string_view local, const std::string& prefix,
                             const char* const* order, size_t orderCount);

// Part path helpers (zip entry names have no leading slash).
std::string PartDir(const std::string& part);         // "xl/worksheets/sheet1.xml" -> "xl/worksheets/"
std::string RelsPathOf(const std::string& part);      // -> "xl/worksheets/_rels/sheet1.xml.rels"
std::string ResolveTarget(const std::string& sourcePart, const std::string& target);
std::string RelativeTarget(const std::string& fromPart, const std::string& toPart);

// Parses XML the way the layer needs it (declaration kept, whitespace-only text kept when it
// is an element's only content). An element's leading text is held in the element itself (no
// separate text node: a large sheet is mostly <v> and <t> with one text each), so text is read
// and written through xml_text, never as a child node. False on malformed XML.
bool ParseXml(pugi::xml_document& doc, const QByteArray& data);
// The same over a block from pugi::get_memory_allocation_function(), parsed where it lies: the
// document takes the block over (names and texts point into it) and frees it, also on failure.
bool ParseXmlInPlace(pugi::xml_document& doc, char* data, size_t size);
// Appends the document's XML (with a declaration) to `out`.
void SerializeXml(const pugi::xml_document& doc, std::string* out);

// Cell text escapes of the format: control characters are written as _xHHHH_.
std::string EncodeCellText(const QString& text);
QString DecodeCellText(const char* utf8);

// Reference shifting for row/column edits. `axisIsRow` selects rows or columns; the edit removes
// [first, last] (count = last-first+1) when `remove`, or inserts `count` before `first`.
struct ShiftEdit
{
    bool axisIsRow = true;
    bool remove = false;
    int first = 1;  // 1-based
    int last = 1;
    int count() const { return last - first + 1; }
};
// Shifts a single index; returns false when it falls inside a removed range.
bool ShiftIndex(const ShiftEdit& e, int* idx);
// Shifts an area [lo, hi] on the edit's axis. False when it is removed entirely; a partly removed
// area shrinks.
bool ShiftSpan(const ShiftEdit& e, int* lo, int* hi);
// Shifts a reference like "A1", "$A$1:$C$4", "A:C", "1:3". False when removed entirely.
bool ShiftRef(const ShiftEdit& e, std::string* ref);
// Shifts a space-separated list of references (sqref); empty result when everything is removed.
std::string ShiftSqref(const ShiftEdit& e, const std::string& sqref);
// Shifts every reference in a formula that names `sheetName` (quoted or not, ignoring case), and
// the references without a sheet when `unprefixedIsSheet` (a cell formula on that sheet).
// Removed references become #REF!; with `dropUnionPieces` (defined names such as a print area)
// a removed piece of a top-level union is dropped instead. *allGone: nothing remains.
std::string ShiftFormulaRefs(const ShiftEdit& e, const std::string& formula, const QString& sheetName,
                             bool unprefixedIsSheet, bool dropUnionPieces, bool* allGone);
// Does the formula mention the sheet? Rewrites its name when `newName` is given.
bool FormulaMentionsSheet(const std::string& formula, const QString& sheetName);
std::string RenameSheetInFormula(const std::string& formula, const QString& oldName, const QString& newName);
std::string QuoteSheetName(const QString& name);
// References to the sheet (also as an end of a 3-D reference) become #REF!: the sheet is gone.
std::string SheetGoneInFormula(const std::string& formula, const QString& sheetName);
// Moves the relative parts of every reference by (dCol, dRow): the formula of a shared formula's
// master as seen from another cell of the group. What falls off the sheet becomes #REF!.
std::string OffsetFormulaRefs(const std::string& formula, int dCol, int dRow);

}  // namespace xlsx
