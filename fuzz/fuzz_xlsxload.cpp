// libFuzzer target for the workbook layer: whatever the bytes, loading must fail cleanly or
// give a book that survives a short sequence of edits decoded from the input, saves, and loads
// again with the same sheets and cells.
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <zip.h>

namespace {

// One scratch folder for the whole run, removed when the process exits.
const QString& workDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/fuzz_xlsxload_XXXXXX"));
    static const QString path = dir.path();
    return path;
}

// Input layout. Mutated zip bytes rarely get past the CRC checks, so most inputs go in as one
// part of an otherwise valid package. Byte 0: 1, 2 or 3 makes the part the sheet, the workbook or
// the shared-string table; 4 makes it the whole file. Byte 1 is the number of edits (up to 8),
// three bytes each, then comes the part. Anything else (a zip starts with 'P') is a whole file
// edited by a fixed sequence.
struct Input
{
    int mode = 0;
    const uint8_t* edits = nullptr;
    size_t editCount = 0;
    const uint8_t* body = nullptr;
    size_t bodySize = 0;
};

Input decode(const uint8_t* data, size_t size)
{
    Input in;
    in.body = data;
    in.bodySize = size;
    if (size < 2 || data[0] < 1 || data[0] > 4)
        return in;
    in.mode = data[0];
    in.editCount = std::min<size_t>(data[1] % 9, (size - 2) / 3);
    in.edits = data + 2;
    in.body = data + 2 + 3 * in.editCount;
    in.bodySize = size - 2 - 3 * in.editCount;
    return in;
}
const char* kTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/></Types>";
const char* kRootRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const char* kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets><definedNames>"
    "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">S!$A$1:$C$9</definedName></definedNames></workbook>";
const char* kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"workbook.xml\"/></Relationships>";
const char* kSheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>2</v></c></row></sheetData>"
    "<mergeCells><mergeCell ref=\"A2:C3\"/></mergeCells></worksheet>";
const char* kShared =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si></sst>";

bool writeInput(const QString& path, const Input& in)
{
    const int mode = in.mode;
    if (mode == 0 || mode == 4) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(reinterpret_cast<const char*>(in.body), qint64(in.bodySize));
        return true;
    }
    const std::string part(reinterpret_cast<const char*>(in.body), in.bodySize);
    const std::pair<const char*, std::string> entries[] = {
        {"[Content_Types].xml", kTypes},
        {"_rels/.rels", kRootRels},
        {"xl/workbook.xml", mode == 2 ? part : std::string(kWorkbook)},
        {"xl/_rels/workbook.xml.rels", kWorkbookRels},
        {"xl/worksheets/sheet1.xml", mode == 1 ? part : std::string(kSheet)},
        {"xl/sharedStrings.xml", mode == 3 ? part : std::string(kShared)},
    };
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        return false;
    for (const auto& [name, text] : entries) {
        zip_source_t* src = zip_source_buffer(z, text.data(), text.size(), 0);
        if (!src || zip_file_add(z, name, src, 0) < 0) {
            zip_discard(z);
            return false;
        }
        zip_set_file_compression(z, zip_uint64_t(zip_name_locate(z, name, 0)), ZIP_CM_STORE, 0);
    }
    return zip_close(z) == 0;
}

// Applies one edit: operation in the low three bits of `op`, the sheet in the others.
void applyEdit(Book& book, uint8_t op, uint8_t a, uint8_t b)
{
    static const QString names[] = {QStringLiteral("S"), QStringLiteral("Renamed"), QStringLiteral("a/b"),
                                    QStringLiteral("'Q'"), QStringLiteral("시트 2")};
    const int n = book.sheetCount();
    Sheet* s = n > 0 ? book.getSheet((op >> 3) % n) : nullptr;
    const int first = a % 12;
    const int last = first + b % 4;
    switch (op & 7) {
    case 0: book.delSheet(a % (n + 1)); break;
    case 1: book.moveSheet(a % (n + 1), b % (n + 1)); break;
    case 2: if (s) s->insertRow(first, last); break;
    case 3: if (s) s->removeRow(first, last); break;
    case 4: if (s) s->removeCol(first, last); break;
    case 5: if (s) s->writeStr(a % 12, b % 12, QStringLiteral("e%1").arg(a)); break;
    case 6: if (s) s->setName(names[a % 5]); break;
    default:
        if (a % 2)
            book.addSheet(names[b % 5]);
        else if (s)
            s->writeNum(a % 12, b % 12, a * 0.5);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString in = workDir() + QStringLiteral("/in.xlsx");
    const QString out = workDir() + QStringLiteral("/out.xlsx");
    const Input input = decode(data, size);
    if (!writeInput(in, input))
        return 0;
    Book book;
    if (!book.load(in)) {
        if (book.lastLoadResult() != Book::LoadResult::Corrupt || book.sheetCount() != 0)
            std::abort();
        return 0;
    }
    const int sheets = book.sheetCount();
    for (int i = 0; i < sheets && i < 4; ++i) {
        Sheet* s = book.getSheet(i);
        (void)s->name();
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) {
                (void)s->readStr(r, c);
                (void)s->readNum(r, c);
                (void)s->readText(r, c);
            }
        (void)s->protect();
    }
    if (input.mode != 0) {
        for (size_t i = 0; i < input.editCount; ++i)
            applyEdit(book, input.edits[3 * i], input.edits[3 * i + 1], input.edits[3 * i + 2]);
    } else {
        if (Sheet* s = book.getSheet(0)) {
            s->writeStr(0, 0, QStringLiteral("fuzz"));
            s->writeNum(2, 3, 1.25);
            s->insertRow(1, 1);
            s->removeCol(1, 2);
            s->removeRow(0, 0);
            s->setProtect(!s->protect());
            s->setName(QStringLiteral("Renamed"));
        }
        if (sheets > 1)
            book.moveSheet(0, sheets - 1);
        book.addSheet(QStringLiteral("Added"));
    }
    if (!book.save(out))
        return 0;
    // What we saved from a loadable book must load again, with the edits in it.
    Book again;
    if (!again.load(out) || again.sheetCount() != book.sheetCount()) {
        std::fprintf(stderr, "saved book does not load again: %s\n", qPrintable(again.errorMessage()));
        std::abort();
    }
    for (int i = 0; i < again.sheetCount(); ++i) {
        const Sheet* was = book.getSheet(i);
        const Sheet* now = again.getSheet(i);
        if (now->name() != was->name()) {
            std::fprintf(stderr, "sheet %d comes back as \"%s\"\n", i, qPrintable(now->name()));
            std::abort();
        }
        // The cells the edits reach read the same from the saved file as from the edited book.
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 12; ++c)
                if (now->readStr(r, c) != was->readStr(r, c) || now->readNum(r, c) != was->readNum(r, c) ||
                    now->readText(r, c) != was->readText(r, c)) {
                    std::fprintf(stderr, "sheet %d cell (%d,%d) reads \"%s\", was \"%s\"\n", i, r, c,
                                 qPrintable(now->readText(r, c).value_or(QStringLiteral("<none>"))),
                                 qPrintable(was->readText(r, c).value_or(QStringLiteral("<none>"))));
                    std::abort();
                }
    }
    return 0;
}
