#pragma once
// Workbook layer over .xlsx packages (libzip + pugixml). A Book edits the package in place:
// parts it does not touch are written back byte for byte.
// Text is written as inline strings; an empty text stays an empty text cell (openpyxl reads it
// as ""). A book may have no sheets at all: it saves with an empty sheet list and loads again.
// A Book is used by one thread at a time; Sheet pointers stay valid until their sheet is
// deleted or the book is loaded again or released. Parsed worksheets beyond a memory budget are
// dropped, least recently used first, and parsed again when used: a book of a thousand sheets
// holds a few hundred at a time.
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class Sheet;

// Spreadsheet sheet-name rules: 1..31 characters, none of : \ / ? * [ ],
// no leading or trailing apostrophe. Uniqueness (ignoring case) is checked by the Book.
bool IsValidSheetName(const QString& name);

class Book
{
public:
    enum class LoadResult { Ok, Missing, Corrupt };

    // A new, empty .xlsx book (no sheets).
    Book();
    ~Book();
    Book(const Book&) = delete;
    Book& operator=(const Book&) = delete;

    // Replaces the book's content with the file's. On failure the book is left empty and
    // lastLoadResult() tells a missing file from one that exists but cannot be read.
    bool load(const QString& path);
    LoadResult lastLoadResult() const;
    QString errorMessage() const;

    // Atomic: writes a temporary file in the same folder and renames it over the target.
    [[nodiscard]] bool save(const QString& path);
    // Drops all content; the book is empty afterwards (as after construction).
    void release();

    int sheetCount() const;
    Sheet* getSheet(int index);  // nullptr when out of range
    // nullptr (book unchanged) on an invalid name or one already used (ignoring case).
    Sheet* addSheet(const QString& name);
    Sheet* insertSheet(int index, const QString& name);  // index == sheetCount() appends
    bool moveSheet(int srcIndex, int dstIndex);           // the sheet ends at dstIndex
    bool delSheet(int index);
    // True when some sheet other than `except` already has this name (ignoring case).
    bool hasSheetName(const QString& name, const Sheet* except = nullptr) const;

    // Registers a PNG or JPEG picture; returns its id, or -1 when the file is missing or
    // is not a PNG/JPEG.
    int addPicture(const QString& path);
    int addPicture(const QByteArray& imageData);

    struct Impl;
    Impl* impl() const { return d.get(); }

private:
    std::unique_ptr<Impl> d;
};

class Sheet
{
public:
    QString name() const;
    bool setName(const QString& name);  // false (unchanged) on an invalid or duplicate name

    // std::nullopt: no cell, or a cell that is not text (number, boolean, error).
    // "" : an empty text cell. Shared strings, inline strings and formula string results read.
    std::optional<QString> readStr(int row, int col) const;
    // Any cell's value as text, whatever the cell's kind: text as readStr reads it; a number in
    // the shortest form that reads back as the same value (1 -> "1", 0.1 -> "0.1"; exponent
    // form below 1e-7 and from 1e21 on); a boolean as TRUE or FALSE; an error as its code
    // ("#N/A"); a formula as its cached value, "" when it has none. std::nullopt: no cell, or a
    // cell without a value (only a style). Locale-free. For stores whose texts a spreadsheet
    // program may have turned into numbers.
    std::optional<QString> readText(int row, int col) const;
    // The number of a number cell; 0 for anything else.
    double readNum(int row, int col) const;
    bool writeStr(int row, int col, const QString& value);
    bool writeNum(int row, int col, double value);

    // Inclusive ranges. Cells, merges, column widths, picture anchors, page breaks and defined
    // names (print area) move with the rows or columns.
    bool insertRow(int rowFirst, int rowLast);
    bool removeRow(int rowFirst, int rowLast);
    bool removeCol(int colFirst, int colLast);

    // Places picture `pictureId` at (row, col) plus an offset in pixels, with a size in pixels;
    // it moves and sizes with the cells.
    bool setPicture2(int row, int col, int pictureId, int width, int height, int offsetX = 0,
                     int offsetY = 0);
    // Places the picture as large as it fits inside the cells row1..row2 x col1..col2 (inclusive)
    // less `margin` pixels on every side, keeping its aspect ratio: centred vertically, and
    // horizontally too when `centre`, else at the left. False when the range leaves no room or
    // the picture is unknown.
    bool setPictureInRange(int row1, int col1, int row2, int col2, int pictureId, int margin = 3,
                           bool centre = false);

    // Sheet protection on (no password) or off.
    void setProtect(bool on);
    bool protect() const;

    struct Impl;
    explicit Sheet(Impl* impl) : d(impl) {}
    Impl* impl() const { return d; }

private:
    Impl* d;  // owned by the Book
};
