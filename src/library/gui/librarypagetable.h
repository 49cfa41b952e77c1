#pragma once
// The library pages as data: one description per page (captions, edits, buttons, lists with
// their places in dialog units, column captions, group captions and widths in pixels, and the
// reference tables and properties each column shows). One generic page class (librarypage.h)
// builds and fills a page from its description.
//
// Texts are the source texts of the "CLibraryPage" translation context.
#include <vector>

class LibCells;
class LibRow;
struct LibCell;
struct LibraryBlocks;

// Where a list's rows come from.
enum class LibRowKind
{
    Entries,        // one row per entry of the first table (its entry count)
    EntriesInTurn,  // the entries of every table in turn, one running row number
    FactorRow,      // exactly one row: the cells of one LibRow
    None,           // filled by the page's own code
};

// Column contents other than a table property.
inline constexpr int kNoCell = -1;     // nothing (hairline columns)
inline constexpr int kRowNumber = -2;  // the row number 1, 2, ... written by the page
inline constexpr int kRowLabel = -3;   // the fixed text "보정계수"

struct LibColumnDesc
{
    const char* caption;
    const char* group;
    int width;     // pixels
    int prop;      // property (or LibRow cell) shown, or one of the k... values above
    int slot = 0;  // which of the list's tables
};

struct LibListDesc
{
    int id;
    int x, y, w, h;  // dialog units
    int headerHeight;
    bool scrollBars;
    LibRowKind rows;
    std::vector<const char*> tables;  // reference table names (slots)
    std::vector<LibColumnDesc> columns;
};

enum class LibStaticStyle
{
    Plain,
    VCentered,        // vertically centred
    LabelBeforeEdit,  // vertically centred, right-aligned against the edit it labels
    VerticalLine,
};

struct LibStaticDesc
{
    int id;  // 0 = none
    const char* text;
    int x, y, w, h;
    LibStaticStyle style = LibStaticStyle::Plain;
};

// A disabled edit that shows one LibCell's text.
struct LibEditDesc
{
    int id;
    const char* cell;
    int x, y, w, h;
};

struct LibButtonDesc
{
    int id;
    const char* caption;
    int x, y, w, h;
    bool hidden = false;
};

struct LibPageDesc
{
    int index;        // 0..24; -1 for the switchgear page, which nothing shows
    const char* key;  // the page's object name, by which the screen and tests find it
    bool refillWhenShown;
    std::vector<LibStaticDesc> statics;
    std::vector<LibEditDesc> edits;
    std::vector<LibButtonDesc> buttons;
    std::vector<LibListDesc> lists;
};

// The 26 pages in the screen's member order: cables, breakers, trays, transformers,
// generators, motors, switchgear, grounding, demand factors.
const std::vector<LibPageDesc>& LibraryPageTable();
// The description of a page by key; nullptr when there is none.
const LibPageDesc* FindLibraryPage(const char* key);

// Reference tables by name, for the descriptions. A LibColumns counts the entries of the
// table it continues. Unknown names give nullptr (and a count of 0).
const LibCells* FindLibCells(const LibraryBlocks& blocks, const char* name, int* count = nullptr);
const LibRow* FindLibRow(const LibraryBlocks& blocks, const char* name);
const LibCell* FindLibCell(const LibraryBlocks& blocks, const char* name);
