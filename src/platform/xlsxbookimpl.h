#pragma once
// Internals of Book and Sheet, shared by the files of the workbook layer.
#include "xlsxbook.h"
#include "xlsxpackage.h"
#include "xlsxutil.h"

#include <cstdint>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace xlsx {

namespace ns {
inline constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPkgRel = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kCt = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kXdr = "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
inline constexpr const char* kA = "http://schemas.openxmlformats.org/drawingml/2006/main";
}  // namespace ns

namespace reltype {
inline constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kWorksheet = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kStyles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kDrawing = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char* kImage = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
}  // namespace reltype

// Does a relationship type end with "/<suffix>"? (Transitional and strict types share suffixes.)
bool RelTypeIs(const char* type, std::string_view suffix);

struct XmlPart
{
    pugi::xml_document doc;
    bool dirty = false;
    size_t sourceSize = 0;  // to reserve when serializing
    qint64 elements = 0;    // start tags of the source
};

struct CellRef
{
    int col;
    pugi::xml_node node;
};

struct RowRef
{
    int row;
    pugi::xml_node node;
    std::vector<CellRef> cells;  // sorted by col
};

}  // namespace xlsx

struct Sheet::Impl
{
    explicit Impl(Book::Impl* b) : facade(this), book(b) {}

    Sheet facade;
    Book::Impl* book;
    pugi::xml_node sheetEl;  // <sheet> in workbook.xml
    std::string path;        // the sheet's part
    xlsx::XmlPart* xml = nullptr;
    bool isWorksheet = false;
    std::string prefix;      // element prefix of the worksheet ("" or "x:")
    pugi::xml_node root;
    pugi::xml_node sheetData;
    std::vector<xlsx::RowRef> rows;  // sorted by row
    // A worksheet's part may be dropped from memory (xml null) and parsed again when used.
    qint64 cells = 0;          // cells indexed
    size_t cost = 0;           // estimated memory while parsed
    std::uint64_t lastUse = 0;
    bool protectedWhenDropped = false;
    // Whether the sheet may hold formulas (in cells, validations, conditional formats or
    // hyperlinks), as indexed: the program writes none, so a sheet without them is left alone
    // (and not parsed again) when formulas follow a renamed, deleted or shifted sheet.
    bool mayHoldFormulas = true;
    bool protectedNow() const;  // parsed sheets only

    QString name() const;
    // Before a public operation: parses the part when it is not in memory, and drops other
    // sheets when those in memory exceed the budget. False when it cannot be parsed.
    bool use();
    // Builds the row/cell index; false on a damaged sheet.
    bool index(QString* error);
    void markDirty();
    std::string el(std::string_view local) const { return prefix + std::string(local); }

    // Lookup (1-based).
    const xlsx::RowRef* findRow(int row) const;
    pugi::xml_node findCell(int row, int col) const;
    // Finds or creates the cell node.
    pugi::xml_node cellForWrite(int row, int col);
    pugi::xml_node ensureSheetData();
    pugi::xml_node ensureChild(std::string_view local);

    // Before the part is serialized: dimension and row spans.
    void finalize();

    bool shift(const xlsx::ShiftEdit& e);
    void shiftCells(const xlsx::ShiftEdit& e);
    void shiftSheetParts(const xlsx::ShiftEdit& e);
    void shiftDrawing(const xlsx::ShiftEdit& e);
    void shiftDefinedNames(const xlsx::ShiftEdit& e);
    void shiftSharedMasters(const xlsx::ShiftEdit& e);
    void shiftComments(const xlsx::ShiftEdit& e);
    void shiftTables(const xlsx::ShiftEdit& e);
};

struct Book::Impl
{
    Impl() = default;
    ~Impl();

    xlsx::Package pkg;
    LoadResult lastResult = LoadResult::Ok;
    QString error;
    // A file that exists but could not be loaded: save() refuses to write over it, whatever
    // name (symbolic or hard link) the save uses.
    QString unreadablePath;
    bool unreadableIdKnown = false;
    quint64 unreadableDev = 0, unreadableIno = 0;

    std::map<std::string, std::unique_ptr<xlsx::XmlPart>> parts;  // parsed parts by entry name
    qint64 parsedBytes = 0;  // XML inflated so far: a zip bomb stops at a limit
    static constexpr qint64 kMaxParsedBytes = 512LL * 1024 * 1024;
    // What a load may build: XML elements in all parts (counted before parsing, so a bomb of
    // empty cells never becomes a tree) and cells in all sheets. A 10,000-row x 112-column
    // sheet is 1.1 million cells and about 3 million elements.
    qint64 parsedElements = 0;
    static constexpr qint64 kMaxElements = 10'000'000;
    qint64 indexedCells = 0;
    static constexpr qint64 kMaxCells = 3'000'000;
    std::string workbookPath;
    xlsx::XmlPart* workbook = nullptr;
    std::vector<std::unique_ptr<Sheet::Impl>> sheets;

    // Parsed worksheets take several times their XML in memory. While those in memory are
    // estimated above this budget, the least recently used ones are dropped (a changed one is
    // kept deflated in the package) and parsed again when used: a run over a project of a
    // thousand panel sheets holds a few hundred of them at a time.
    static constexpr size_t kSheetMemoryBudget = 16 * 1024 * 1024;
    static constexpr size_t kCostPerElement = 100;  // bytes of nodes, attributes and index
    size_t residentSheetCost = 0;
    std::uint64_t useClock = 0;
    // Parses and indexes a worksheet's part when it is not in memory (drops nothing).
    bool loadSheet(Sheet::Impl* s, QString* error = nullptr);
    void sheetLoaded(Sheet::Impl* s);
    // Drops a worksheet's parsed part; false when a changed one could not be kept.
    bool unloadSheet(Sheet::Impl* s);
    void forgetSheetCost(Sheet::Impl* s);
    void trimSheets(const Sheet::Impl* keep);

    // Shared strings: the part, and its <si> items indexed on first use.
    xlsx::XmlPart* sst = nullptr;
    std::vector<pugi::xml_node> sstItems;
    bool sstIndexed = false;

    bool sheetListChanged = false;
    bool cellsChanged = false;

    struct Picture
    {
        QByteArray data;
        std::string ext;   // "png" or "jpeg"
        int widthPx = 0, heightPx = 0;
        std::string part;  // media part once placed
    };
    std::vector<Picture> pictures;

    void reset();
    void createNew();
    bool loadStructure(QString* error);

    // Parsed access to a part; nullptr when missing or malformed.
    // `counted`: the part counts towards the load's limits (a part parsed again does not).
    xlsx::XmlPart* part(const std::string& name, QString* error = nullptr, bool counted = true);
    xlsx::XmlPart* newPart(const std::string& name, const char* xml);
    void removePart(const std::string& name);
    std::string uniquePartName(const std::string& stem, const std::string& ext) const;

    // Relationships of a part.
    xlsx::XmlPart* rels(const std::string& sourcePart, bool create);
    std::string addRel(const std::string& sourcePart, const char* type, const std::string& targetPart);
    pugi::xml_node findRel(const std::string& sourcePart, const std::string& id);
    std::string relTarget(const std::string& sourcePart, const std::string& id);
    void removeRelsTo(const std::string& sourcePart, const std::string& targetPart);

    // Content types.
    void addOverride(const std::string& part, const char* contentType);
    void removeOverride(const std::string& part);
    void ensureDefault(const char* ext, const char* contentType);
    std::string contentType(const std::string& part);

    // Workbook pieces.
    pugi::xml_node sheetsEl();
    pugi::xml_node definedNamesEl(bool create);
    std::string wbPrefix() const;
    void renumberLocalSheetIds(const std::vector<int>& oldToNew);  // -1 drops the name
    void updateAppXml();
    void dropCalcChain();
    void deleteSheetParts(const std::string& part);
    // Applies `edit` to every formula of every worksheet (cells, validations, conditional
    // formats, hyperlink locations) and to the defined names; `edit` returns its input when the
    // formula does not concern it.
    void rewriteFormulas(const std::function<std::string(const std::string&)>& edit);

    QString sharedString(int index);
    int sheetIndex(const Sheet::Impl* s) const;
    bool nameUsable(const QString& name, const Sheet::Impl* except) const;
    Sheet::Impl* createSheet(int index, const QString& name);

    bool save(const QString& path);
};
