// libFuzzer target for the workbook loader: whatever the bytes, loading must fail cleanly or
// give a book that can be read, edited, saved and loaded again.
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <zip.h>

namespace {

const QString& workDir()
{
    static const QString dir = [] {
        const QString d = QDir::tempPath() + QStringLiteral("/fuzz_xlsxload_%1").arg(::getpid());
        QDir().mkpath(d);
        return d;
    }();
    return dir;
}

// Mutated zip bytes rarely get past the CRC checks, so most inputs go in as one part of an
// otherwise valid package: a first byte of 1, 2 or 3 makes the rest the sheet, the workbook or
// the shared-string table. Anything else (a zip starts with 'P') is the whole file.
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
    "Target=\"sharedStrings.xml\"/></Relationships>";
const char* kSheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>2</v></c></row></sheetData>"
    "<mergeCells><mergeCell ref=\"A2:C3\"/></mergeCells></worksheet>";
const char* kShared =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si></sst>";

bool writeInput(const QString& path, const uint8_t* data, size_t size)
{
    const int mode = size > 0 && data[0] >= 1 && data[0] <= 3 ? data[0] : 0;
    if (mode == 0) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
        return true;
    }
    const std::string part(reinterpret_cast<const char*>(data) + 1, size - 1);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString in = workDir() + QStringLiteral("/in.xlsx");
    const QString out = workDir() + QStringLiteral("/out.xlsx");
    if (!writeInput(in, data, size))
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
            }
        (void)s->protect();
    }
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
    if (!book.save(out))
        return 0;
    // What we saved from a loadable book must load again, with the edits in it.
    Book again;
    if (!again.load(out) || again.sheetCount() != book.sheetCount()) {
        std::fprintf(stderr, "saved book does not load again: %s\n", qPrintable(again.errorMessage()));
        std::abort();
    }
    return 0;
}
