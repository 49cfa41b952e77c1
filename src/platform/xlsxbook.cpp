#include "xlsxbook.h"

#include "xlsxbookimpl.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

using namespace xlsx;

namespace {

constexpr const char* kCtWorksheet = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

// Sheets that are not worksheets: kept as they are, without cells.
bool isOtherSheetType(const std::string& ct)
{
    return ct == "application/vnd.openxmlformats-officedocument.spreadsheetml.chartsheet+xml" ||
           ct == "application/vnd.openxmlformats-officedocument.spreadsheetml.dialogsheet+xml" ||
           ct == "application/vnd.ms-excel.macrosheet+xml" || ct == "application/vnd.ms-excel.intlmacrosheet+xml";
}

constexpr const char* kNewContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

constexpr const char* kNewRootRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "</Relationships>";

constexpr const char* kNewWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView/></bookViews><sheets/></workbook>";

constexpr const char* kNewWorkbookRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

// The smallest style sheet that spreadsheet programs accept without repairing the file.
constexpr const char* kNewStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

constexpr const char* kNewSheet =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
    "<sheetFormatPr defaultRowHeight=\"15\"/><sheetData/>"
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
    "</worksheet>";

// Child order of a worksheet (CT_Worksheet).
constexpr const char* kWorksheetOrder[] = {
    "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
    "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState", "dataConsolidate",
    "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting", "dataValidations",
    "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",
    "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing", "legacyDrawing",
    "legacyDrawingHF", "drawingHF", "picture", "oleObjects", "controls", "webPublishItems", "tableParts",
    "extLst"};

// Child order of a workbook (CT_Workbook).
constexpr const char* kWorkbookOrder[] = {
    "fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews", "sheets",
    "functionGroups", "externalReferences", "definedNames", "calcPr", "oleSize", "customWorkbookViews",
    "pivotCaches", "smartTagPr", "smartTagTypes", "webPublishing", "fileRecoveryPr", "webPublishObjects",
    "extLst"};

bool parseInt(const char* s, int maxValue, int* out)
{
    if (!s || !*s)
        return false;
    long long v = 0;
    int digits = 0;
    for (; *s; ++s) {
        if (*s < '0' || *s > '9' || ++digits > 10)
            return false;
        v = v * 10 + (*s - '0');
    }
    if (v > maxValue)
        return false;
    *out = int(v);
    return true;
}

// Start tags in an XML text: an upper bound of the elements a parse builds.
qint64 countStartTags(const char* data, size_t size, qint64 stopAbove)
{
    qint64 n = 0;
    const char* p = data;
    const char* end = p + size;
    while ((p = static_cast<const char*>(std::memchr(p, '<', size_t(end - p)))) != nullptr) {
        ++p;
        if (p < end && *p != '/' && *p != '?' && *p != '!' && ++n > stopAbove)
            break;
    }
    return n;
}

// A file's identity (device and inode, links followed); false when it does not exist.
bool fileIdentity(const QString& path, quint64* dev, quint64* ino)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    *dev = quint64(st.st_dev);
    *ino = quint64(st.st_ino);
    return true;
}

// The path with links resolved when the file exists.
QString canonicalPath(const QString& path)
{
    const QFileInfo fi(path);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? fi.absoluteFilePath() : c;
}

std::string toUtf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

// Text of a rich or plain string item (<si> or <is>): its own <t> and the <t> of each run;
// phonetic runs (<rPh>) are not part of the text.
QString richText(pugi::xml_node item)
{
    std::string all;
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (IsLocal(c, "t")) {
            all += c.text().get();
        } else if (IsLocal(c, "r")) {
            pugi::xml_node t = Child(c, "t");
            if (t)
                all += t.text().get();
        }
    }
    return DecodeCellText(all.c_str());
}

bool needsPreserve(const std::string& s)
{
    if (s.empty())
        return false;
    auto ws = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return ws(s.front()) || ws(s.back()) || s.find('\n') != std::string::npos || s.find("  ") != std::string::npos;
}

// The r:id of an element (any prefixed attribute named "id").
const char* relIdOf(pugi::xml_node n)
{
    for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
        const char* name = a.name();
        const char* colon = std::strchr(name, ':');
        if (colon && std::strcmp(colon + 1, "id") == 0)
            return a.value();
    }
    return "";
}

// Prefix bound to the relationships namespace on an element, declaring "r" when there is none.
std::string relPrefix(pugi::xml_node root)
{
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view name(a.name());
        if (name.substr(0, 6) == "xmlns:" && IsNcName(name.substr(6)) &&
            (std::strcmp(a.value(), ns::kRel) == 0 ||
             std::strcmp(a.value(), "http://purl.oclc.org/ooxml/officeDocument/relationships") == 0))
            return std::string(name.substr(6));
    }
    std::string p = "r";
    for (int i = 1; root.attribute(("xmlns:" + p).c_str()); ++i)
        p = "r" + std::to_string(i);
    root.append_attribute(("xmlns:" + p).c_str()) = ns::kRel;
    return p;
}

}  // namespace

bool xlsx::RelTypeIs(const char* type, std::string_view suffix)
{
    const std::string_view t(type);
    return t.size() > suffix.size() && t.substr(t.size() - suffix.size()) == suffix &&
           t[t.size() - suffix.size() - 1] == '/';
}

bool IsValidSheetName(const QString& name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return false;
    for (QChar c : name) {
        switch (c.unicode()) {
        case ':': case '\\': case '/': case '?': case '*': case '[': case ']':
            return false;
        default:
            // Control characters cannot be stored in the workbook's XML.
            if (c.unicode() < 0x20 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
                return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Book::Impl

Book::Impl::~Impl() = default;

void Book::Impl::reset()
{
    sheets.clear();
    parts.clear();
    residentSheetCost = 0;
    useClock = 0;
    parsedBytes = 0;
    parsedElements = 0;
    indexedCells = 0;
    pkg.clear();
    workbook = nullptr;
    workbookPath.clear();
    sst = nullptr;
    sstItems.clear();
    sstIndexed = false;
    sheetListChanged = false;
    cellsChanged = false;
    pictures.clear();
}

void Book::Impl::createNew()
{
    reset();
    newPart("[Content_Types].xml", kNewContentTypes);
    newPart("_rels/.rels", kNewRootRels);
    workbookPath = "xl/workbook.xml";
    workbook = newPart(workbookPath, kNewWorkbook);
    newPart("xl/_rels/workbook.xml.rels", kNewWorkbookRels);
    newPart("xl/styles.xml", kNewStyles);
}

XmlPart* Book::Impl::newPart(const std::string& name, const char* xml)
{
    auto p = std::make_unique<XmlPart>();
    ParseXml(p->doc, QByteArray(xml));
    p->dirty = true;
    XmlPart* raw = p.get();
    parts[name] = std::move(p);
    // Register the entry now so that uniquePartName sees it; the content is written at save.
    pkg.write(name, QByteArray());
    return raw;
}

void Book::Impl::removePart(const std::string& name)
{
    parts.erase(name);
    pkg.remove(name);
}

std::string Book::Impl::uniquePartName(const std::string& stem, const std::string& ext) const
{
    for (int i = 1;; ++i) {
        std::string n = stem + std::to_string(i) + ext;
        if (!pkg.has(n))
            return n;
    }
}

XmlPart* Book::Impl::part(const std::string& name, QString* err, bool counted)
{
    const std::string resolved = pkg.resolve(name);
    if (resolved.empty()) {
        if (err)
            *err = QStringLiteral("missing part %1").arg(QString::fromStdString(name));
        return nullptr;
    }
    auto it = parts.find(resolved);
    if (it != parts.end())
        return it->second.get();
    // The entry is inflated into one block that the parser takes over and parses where it lies:
    // no second copy of the part is ever made.
    char* data = nullptr;
    size_t size = 0;
    QString e;
    const Package::Allocator alloc{pugi::get_memory_allocation_function(), pugi::get_memory_deallocation_function()};
    const qint64 maxSize = counted ? std::min(Package::kMaxPartSize, kMaxParsedBytes - parsedBytes) : Package::kMaxPartSize;
    if (!pkg.read(resolved, alloc, &data, &size, &e, maxSize)) {
        if (err)
            *err = e;
        return nullptr;
    }
    // Count what the parse would build before building it: a few hundred kilobytes of empty
    // cells inflate to millions of elements.
    const qint64 elements = countStartTags(data, size, counted ? kMaxElements - parsedElements : kMaxElements);
    if ((counted ? parsedElements : 0) + elements > kMaxElements) {
        alloc.deallocate(data);
        if (err)
            *err = QStringLiteral("%1 has too many elements").arg(QString::fromStdString(resolved));
        return nullptr;
    }
    if (counted)
        parsedElements += elements;
    auto p = std::make_unique<XmlPart>();
    if (!ParseXmlInPlace(p->doc, data, size)) {
        if (err)
            *err = QStringLiteral("malformed XML in %1").arg(QString::fromStdString(resolved));
        return nullptr;
    }
    p->sourceSize = size;
    p->elements = elements;
    if (counted)
        parsedBytes += qint64(size);
    XmlPart* raw = p.get();
    parts[resolved] = std::move(p);
    return raw;
}

XmlPart* Book::Impl::rels(const std::string& sourcePart, bool create)
{
    const std::string path = RelsPathOf(sourcePart);
    if (XmlPart* p = part(path))
        return p;
    if (!create)
        return nullptr;
    return newPart(path,
                   "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                   "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>");
}

std::string Book::Impl::addRel(const std::string& sourcePart, const char* type, const std::string& targetPart)
{
    XmlPart* r = rels(sourcePart, true);
    pugi::xml_node root = r->doc.document_element();
    int maxId = 0;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        const char* id = c.attribute("Id").value();
        int n = 0;
        if (std::strncmp(id, "rId", 3) == 0 && parseInt(id + 3, 1 << 30, &n))
            maxId = std::max(maxId, n);
    }
    const std::string id = "rId" + std::to_string(maxId + 1);
    pugi::xml_node rel = root.append_child((PrefixOf(root) + "Relationship").c_str());
    rel.append_attribute("Id") = id.c_str();
    rel.append_attribute("Type") = type;
    rel.append_attribute("Target") = RelativeTarget(sourcePart, targetPart).c_str();
    r->dirty = true;
    return id;
}

pugi::xml_node Book::Impl::findRel(const std::string& sourcePart, const std::string& id)
{
    XmlPart* r = rels(sourcePart, false);
    if (!r)
        return {};
    for (pugi::xml_node c = r->doc.document_element().first_child(); c; c = c.next_sibling())
        if (IsLocal(c, "Relationship") && id == c.attribute("Id").value())
            return c;
    return {};
}

std::string Book::Impl::relTarget(const std::string& sourcePart, const std::string& id)
{
    pugi::xml_node rel = findRel(sourcePart, id);
    if (!rel || std::strcmp(rel.attribute("TargetMode").value(), "External") == 0)
        return {};
    return ResolveTarget(sourcePart, rel.attribute("Target").value());
}

void Book::Impl::removeRelsTo(const std::string& sourcePart, const std::string& targetPart)
{
    XmlPart* r = rels(sourcePart, false);
    if (!r)
        return;
    pugi::xml_node root = r->doc.document_element();
    for (pugi::xml_node c = root.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsLocal(c, "Relationship") && std::strcmp(c.attribute("TargetMode").value(), "External") != 0 &&
            ResolveTarget(sourcePart, c.attribute("Target").value()) == targetPart) {
            root.remove_child(c);
            r->dirty = true;
        }
        c = next;
    }
}

void Book::Impl::addOverride(const std::string& partName, const char* contentType)
{
    XmlPart* ct = part("[Content_Types].xml");
    if (!ct)
        return;
    pugi::xml_node root = ct->doc.document_element();
    const std::string name = "/" + partName;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling())
        if (IsLocal(c, "Override") && QString::fromUtf8(c.attribute("PartName").value())
                                              .compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0) {
            c.attribute("ContentType").set_value(contentType);
            ct->dirty = true;
            return;
        }
    pugi::xml_node o = root.append_child((PrefixOf(root) + "Override").c_str());
    o.append_attribute("PartName") = name.c_str();
    o.append_attribute("ContentType") = contentType;
    ct->dirty = true;
}

void Book::Impl::removeOverride(const std::string& partName)
{
    XmlPart* ct = part("[Content_Types].xml");
    if (!ct)
        return;
    pugi::xml_node root = ct->doc.document_element();
    const QString name = QString::fromStdString("/" + partName);
    for (pugi::xml_node c = root.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsLocal(c, "Override") &&
            QString::fromUtf8(c.attribute("PartName").value()).compare(name, Qt::CaseInsensitive) == 0) {
            root.remove_child(c);
            ct->dirty = true;
        }
        c = next;
    }
}

void Book::Impl::ensureDefault(const char* ext, const char* contentType)
{
    XmlPart* ct = part("[Content_Types].xml");
    if (!ct)
        return;
    pugi::xml_node root = ct->doc.document_element();
    pugi::xml_node firstOverride;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling()) {
        if (IsLocal(c, "Default") && QString::fromUtf8(c.attribute("Extension").value())
                                             .compare(QLatin1String(ext), Qt::CaseInsensitive) == 0)
            return;
        if (!firstOverride && IsLocal(c, "Override"))
            firstOverride = c;
    }
    const std::string name = PrefixOf(root) + "Default";
    pugi::xml_node d = firstOverride ? root.insert_child_before(name.c_str(), firstOverride)
                                     : root.append_child(name.c_str());
    d.append_attribute("Extension") = ext;
    d.append_attribute("ContentType") = contentType;
    ct->dirty = true;
}

std::string Book::Impl::contentType(const std::string& partName)
{
    XmlPart* ct = part("[Content_Types].xml");
    if (!ct)
        return {};
    const QString name = QString::fromStdString("/" + partName);
    const size_t slash = partName.rfind('/');
    const size_t dot = partName.rfind('.');
    const QString ext = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                            ? QString::fromStdString(partName.substr(dot + 1))
                            : QString();
    std::string byDefault;
    for (pugi::xml_node c = ct->doc.document_element().first_child(); c; c = c.next_sibling()) {
        if (IsLocal(c, "Override") &&
            QString::fromUtf8(c.attribute("PartName").value()).compare(name, Qt::CaseInsensitive) == 0)
            return c.attribute("ContentType").value();
        if (byDefault.empty() && IsLocal(c, "Default") && !ext.isEmpty() &&
            QString::fromUtf8(c.attribute("Extension").value()).compare(ext, Qt::CaseInsensitive) == 0)
            byDefault = c.attribute("ContentType").value();
    }
    return byDefault;
}

std::string Book::Impl::wbPrefix() const
{
    return PrefixOf(workbook->doc.document_element());
}

pugi::xml_node Book::Impl::sheetsEl()
{
    pugi::xml_node root = workbook->doc.document_element();
    pugi::xml_node s = Child(root, "sheets");
    if (!s)
        s = InsertOrdered(root, "sheets", wbPrefix(), kWorkbookOrder, std::size(kWorkbookOrder));
    return s;
}

pugi::xml_node Book::Impl::definedNamesEl(bool create)
{
    pugi::xml_node root = workbook->doc.document_element();
    pugi::xml_node s = Child(root, "definedNames");
    if (!s && create)
        s = InsertOrdered(root, "definedNames", wbPrefix(), kWorkbookOrder, std::size(kWorkbookOrder));
    return s;
}

void Book::Impl::renumberLocalSheetIds(const std::vector<int>& oldToNew)
{
    pugi::xml_node dn = definedNamesEl(false);
    if (!dn)
        return;
    for (pugi::xml_node c = dn.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        pugi::xml_attribute a = c.attribute("localSheetId");
        int old = 0;
        if (a && parseInt(a.value(), 1 << 20, &old) && old < int(oldToNew.size())) {
            if (oldToNew[size_t(old)] < 0)
                dn.remove_child(c);
            else
                a.set_value(oldToNew[size_t(old)]);
        }
        c = next;
    }
    if (!dn.first_child())
        dn.parent().remove_child(dn);
    workbook->dirty = true;
}

void Book::Impl::updateAppXml()
{
    // The extended properties list the sheet titles; keep them in step with the workbook, or drop
    // them (they are optional) when their layout is not the plain one we know.
    XmlPart* app = part("docProps/app.xml");
    if (!app)
        return;
    pugi::xml_node root = app->doc.document_element();
    pugi::xml_node hp = Child(root, "HeadingPairs");
    pugi::xml_node tp = Child(root, "TitlesOfParts");
    if (!hp && !tp)
        return;
    app->dirty = true;
    QString label = QStringLiteral("Worksheets");
    std::string vtPrefix = "vt:";
    bool plain = false;
    if (hp && tp) {
        pugi::xml_node hv = Child(hp, "vector");
        pugi::xml_node tv = Child(tp, "vector");
        if (hv && tv) {
            vtPrefix = PrefixOf(hv);
            pugi::xml_node firstVariant = Child(hv, "variant");
            pugi::xml_node lp = firstVariant ? Child(firstVariant, "lpstr") : pugi::xml_node();
            if (lp) {
                label = QString::fromUtf8(lp.text().get());
                plain = true;
            }
        }
    }
    int worksheets = 0;
    for (const auto& s : sheets)
        if (s->isWorksheet)
            ++worksheets;
    // The properties are an unordered set: the new lists take the old ones' place.
    pugi::xml_node nhp;
    const std::string p = PrefixOf(root);
    if (plain && worksheets > 0 && worksheets == int(sheets.size()))
        nhp = root.insert_child_before((p + "HeadingPairs").c_str(), hp);
    if (hp)
        root.remove_child(hp);
    if (tp)
        root.remove_child(tp);
    if (!nhp)
        return;
    pugi::xml_node v = nhp.append_child((vtPrefix + "vector").c_str());
    v.append_attribute("size") = 2;
    v.append_attribute("baseType") = "variant";
    v.append_child((vtPrefix + "variant").c_str()).append_child((vtPrefix + "lpstr").c_str()).text().set(toUtf8(label).c_str());
    v.append_child((vtPrefix + "variant").c_str()).append_child((vtPrefix + "i4").c_str()).text().set(worksheets);
    pugi::xml_node ntp = root.insert_child_after((p + "TitlesOfParts").c_str(), nhp);
    pugi::xml_node tv = ntp.append_child((vtPrefix + "vector").c_str());
    tv.append_attribute("size") = worksheets;
    tv.append_attribute("baseType") = "lpstr";
    for (const auto& s : sheets)
        tv.append_child((vtPrefix + "lpstr").c_str()).text().set(toUtf8(s->name()).c_str());
}

void Book::Impl::dropCalcChain()
{
    XmlPart* r = rels(workbookPath, false);
    if (!r)
        return;
    pugi::xml_node root = r->doc.document_element();
    for (pugi::xml_node c = root.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsLocal(c, "Relationship") && RelTypeIs(c.attribute("Type").value(), "calcChain")) {
            const std::string target = ResolveTarget(workbookPath, c.attribute("Target").value());
            const std::string resolved = pkg.resolve(target);
            if (!resolved.empty())
                removePart(resolved);
            removeOverride(resolved.empty() ? target : resolved);
            root.remove_child(c);
            r->dirty = true;
        }
        c = next;
    }
}

void Book::Impl::deleteSheetParts(const std::string& partName)
{
    // The part, its relationships, and every part it refers to that nothing else refers to
    // (a sheet's drawing, the drawing's pictures when no other drawing shows them, ...).
    std::vector<std::string> targets;
    const std::string relsPath = RelsPathOf(partName);
    if (XmlPart* r = rels(partName, false)) {
        for (pugi::xml_node c = r->doc.document_element().first_child(); c; c = c.next_sibling()) {
            if (!IsLocal(c, "Relationship") || std::strcmp(c.attribute("TargetMode").value(), "External") == 0)
                continue;
            const std::string t = pkg.resolve(ResolveTarget(partName, c.attribute("Target").value()));
            if (!t.empty() && t != partName)
                targets.push_back(t);
        }
    }
    removePart(partName);
    removeOverride(partName);
    if (pkg.has(relsPath))
        removePart(pkg.resolve(relsPath));
    for (const std::string& t : targets) {
        if (!pkg.has(t))
            continue;
        bool referenced = false;
        for (const std::string& name : pkg.names()) {
            if (name.size() < 5 || name.compare(name.size() - 5, 5, ".rels") != 0)
                continue;
            // "dir/_rels/file.rels" describes "dir/file".
            const size_t r = name.rfind("_rels/");
            if (r == std::string::npos)
                continue;
            const std::string source = name.substr(0, r) + name.substr(r + 6, name.size() - r - 11);
            XmlPart* rp = part(name);
            if (!rp)
                continue;
            for (pugi::xml_node c = rp->doc.document_element().first_child(); c && !referenced; c = c.next_sibling())
                if (IsLocal(c, "Relationship") &&
                    std::strcmp(c.attribute("TargetMode").value(), "External") != 0 &&
                    pkg.resolve(ResolveTarget(source, c.attribute("Target").value())) == t)
                    referenced = true;
            if (referenced)
                break;
        }
        if (!referenced)
            deleteSheetParts(t);
    }
}

void Book::Impl::rewriteFormulas(const std::function<std::string(const std::string&)>& edit)
{
    auto apply = [&](pugi::xml_text t) {
        const std::string f = t.get();
        if (f.empty())
            return false;
        const std::string g = edit(f);
        if (g == f)
            return false;
        t.set(g.c_str());
        return true;
    };
    for (auto& s : sheets) {
        if (!s->isWorksheet || !s->mayHoldFormulas || !loadSheet(s.get()))
            continue;
        bool changed = false;
        for (RowRef& r : s->rows)
            for (CellRef& c : r.cells) {
                // The formula is a cell's first child when it has one.
                pugi::xml_node f = c.node.first_child();
                if (f && IsLocal(f, "f"))
                    changed |= apply(f.text());
            }
        for (pugi::xml_node c = s->root.first_child(); c; c = c.next_sibling()) {
            if (IsLocal(c, "sheetData"))
                continue;
            if (IsLocal(c, "dataValidations") || IsLocal(c, "conditionalFormatting")) {
                for (pugi::xpath_node n : c.select_nodes(".//*[local-name()='formula' or local-name()='formula1' or "
                                                       "local-name()='formula2']"))
                    changed |= apply(n.node().text());
            } else if (IsLocal(c, "hyperlinks")) {
                for (pugi::xml_node h = c.first_child(); h; h = h.next_sibling()) {
                    pugi::xml_attribute loc = h.attribute("location");
                    if (!loc)
                        continue;
                    const std::string f = loc.value();
                    const std::string g = edit(f);
                    if (g != f) {
                        loc.set_value(g.c_str());
                        changed = true;
                    }
                }
            }
        }
        if (changed)
            s->markDirty();
    }
    if (pugi::xml_node dn = definedNamesEl(false)) {
        bool changed = false;
        for (pugi::xml_node c = dn.first_child(); c; c = c.next_sibling())
            changed |= apply(c.text());
        if (changed)
            workbook->dirty = true;
    }
}

bool Book::Impl::loadStructure(QString* err)
{
    XmlPart* ct = part("[Content_Types].xml", err);
    if (!ct)
        return false;
    if (!IsLocal(ct->doc.document_element(), "Types")) {
        *err = QStringLiteral("bad content types");
        return false;
    }
    XmlPart* rootRels = part("_rels/.rels", err);
    if (!rootRels)
        return false;
    for (pugi::xml_node c = rootRels->doc.document_element().first_child(); c; c = c.next_sibling())
        if (IsLocal(c, "Relationship") && RelTypeIs(c.attribute("Type").value(), "officeDocument")) {
            workbookPath = ResolveTarget("", c.attribute("Target").value());
            break;
        }
    if (workbookPath.empty()) {
        *err = QStringLiteral("no workbook in the package");
        return false;
    }
    workbook = part(workbookPath, err);
    if (!workbook)
        return false;
    workbookPath = pkg.resolve(workbookPath);
    if (!IsLocal(workbook->doc.document_element(), "workbook")) {
        *err = QStringLiteral("the main part is not a workbook");
        return false;
    }
    pugi::xml_node sheetsNode = Child(workbook->doc.document_element(), "sheets");
    std::map<std::string, QString> owners;  // sheet part -> the sheet that has it
    for (pugi::xml_node s = sheetsNode.first_child(); s; s = s.next_sibling()) {
        if (!IsLocal(s, "sheet"))
            continue;
        const QString sheetName = QString::fromUtf8(s.attribute("name").value());
        const std::string target = relTarget(workbookPath, relIdOf(s));
        if (target.empty()) {
            *err = QStringLiteral("sheet \"%1\" has no part").arg(sheetName);
            return false;
        }
        const std::string path = pkg.resolve(target);
        if (path.empty()) {
            *err = QStringLiteral("missing part %1").arg(QString::fromStdString(target));
            return false;
        }
        // Every sheet owns its part: two entries sharing one would be edited and deleted twice.
        const auto [owner, fresh] = owners.emplace(path, sheetName);
        if (!fresh) {
            *err = QStringLiteral("sheets \"%1\" and \"%2\" share one part").arg(owner->second, sheetName);
            return false;
        }
        // Only sheet parts can be sheets (not the workbook, its styles or strings).
        const std::string ct = contentType(path);
        const bool worksheet = ct == kCtWorksheet;
        if (!worksheet && !isOtherSheetType(ct)) {
            *err = QStringLiteral("sheet \"%1\" is not a worksheet part").arg(sheetName);
            return false;
        }
        XmlPart* sp = part(path, err);
        if (!sp)
            return false;
        auto impl = std::make_unique<Sheet::Impl>(this);
        impl->sheetEl = s;
        impl->path = path;
        impl->xml = sp;
        if (!impl->index(err))
            return false;
        if (!worksheet) {
            impl->isWorksheet = false;  // a chart, dialog or macro sheet: kept, no cells
            impl->rows.clear();
        }
        Sheet::Impl* raw = impl.get();
        sheets.push_back(std::move(impl));
        sheetLoaded(raw);
        trimSheets(raw);
    }
    // Shared strings, when the workbook has them.
    if (XmlPart* wr = rels(workbookPath, false)) {
        for (pugi::xml_node c = wr->doc.document_element().first_child(); c; c = c.next_sibling())
            if (IsLocal(c, "Relationship") && RelTypeIs(c.attribute("Type").value(), "sharedStrings")) {
                const std::string target = ResolveTarget(workbookPath, c.attribute("Target").value());
                if (pkg.has(target)) {
                    sst = part(target, err);
                    if (!sst)
                        return false;
                }
                break;
            }
    }
    return true;
}

QString Book::Impl::sharedString(int index)
{
    if (!sst)
        return {};
    if (!sstIndexed) {
        sstIndexed = true;
        for (pugi::xml_node c = sst->doc.document_element().first_child(); c; c = c.next_sibling())
            if (IsLocal(c, "si"))
                sstItems.push_back(c);
    }
    if (index < 0 || index >= int(sstItems.size()))
        return {};
    return richText(sstItems[size_t(index)]);
}

int Book::Impl::sheetIndex(const Sheet::Impl* s) const
{
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i].get() == s)
            return int(i);
    return -1;
}

bool Book::Impl::nameUsable(const QString& name, const Sheet::Impl* except) const
{
    if (!IsValidSheetName(name))
        return false;
    for (const auto& s : sheets)
        if (s.get() != except && s->name().compare(name, Qt::CaseInsensitive) == 0)
            return false;
    return true;
}

namespace {

// The workbook view's active and first visible tab follow their sheets through sheet edits.
struct ActiveTabKeeper
{
    Book::Impl* b;
    pugi::xml_node view;
    Sheet::Impl* active = nullptr;
    int oldActive = 0;

    explicit ActiveTabKeeper(Book::Impl* book) : b(book)
    {
        pugi::xml_node bv = Child(b->workbook->doc.document_element(), "bookViews");
        view = Child(bv, "workbookView");
        int a = 0;
        if (view && parseInt(view.attribute("activeTab").value(), 1 << 20, &a) && a < int(b->sheets.size()))
            oldActive = a;
        if (oldActive < int(b->sheets.size()))
            active = b->sheets[size_t(oldActive)].get();
    }
    ~ActiveTabKeeper()
    {
        if (!view)
            return;
        const int n = int(b->sheets.size());
        int idx = active ? b->sheetIndex(active) : -1;
        if (idx < 0)
            idx = std::max(0, std::min(oldActive, n - 1));
        pugi::xml_attribute a = view.attribute("activeTab");
        if (idx != 0 || a) {
            if (!a)
                a = view.append_attribute("activeTab");
            a.set_value(idx);
        }
        int first = 0;
        pugi::xml_attribute f = view.attribute("firstSheet");
        if (f && parseInt(f.value(), 1 << 20, &first) && first >= n)
            f.set_value(std::max(0, n - 1));
    }
};

}  // namespace

Sheet::Impl* Book::Impl::createSheet(int index, const QString& name)
{
    if (index < 0 || index > int(sheets.size()) || !nameUsable(name, nullptr))
        return nullptr;
    ActiveTabKeeper keeper(this);
    const std::string path = uniquePartName("xl/worksheets/sheet", ".xml");
    XmlPart* sp = newPart(path, kNewSheet);
    addOverride(path, kCtWorksheet);
    const std::string rid = addRel(workbookPath, reltype::kWorksheet, path);

    pugi::xml_node sheetsNode = sheetsEl();
    int maxId = 0;
    for (pugi::xml_node s = sheetsNode.first_child(); s; s = s.next_sibling()) {
        int id = 0;
        if (IsLocal(s, "sheet") && parseInt(s.attribute("sheetId").value(), 1 << 30, &id))
            maxId = std::max(maxId, id);
    }
    const std::string elName = wbPrefix() + "sheet";
    pugi::xml_node el = index < int(sheets.size())
                            ? sheetsNode.insert_child_before(elName.c_str(), sheets[size_t(index)]->sheetEl)
                            : sheetsNode.append_child(elName.c_str());
    el.append_attribute("name") = toUtf8(name).c_str();
    el.append_attribute("sheetId") = maxId + 1;
    const std::string rp = relPrefix(workbook->doc.document_element());
    el.append_attribute((rp + ":id").c_str()) = rid.c_str();

    auto impl = std::make_unique<Sheet::Impl>(this);
    impl->sheetEl = el;
    impl->path = path;
    impl->xml = sp;
    QString e;
    impl->index(&e);
    Sheet::Impl* raw = impl.get();
    sheetLoaded(raw);

    std::vector<int> oldToNew(sheets.size());
    for (size_t i = 0; i < sheets.size(); ++i)
        oldToNew[i] = int(i) < index ? int(i) : int(i) + 1;
    sheets.insert(sheets.begin() + index, std::move(impl));
    renumberLocalSheetIds(oldToNew);
    workbook->dirty = true;
    sheetListChanged = true;
    return raw;
}

bool Book::Impl::save(const QString& path)
{
    if (cellsChanged || sheetListChanged)
        dropCalcChain();
    for (auto& s : sheets)
        if (s->xml && s->xml->dirty)
            s->finalize();
    if (sheetListChanged)
        updateAppXml();
    // Each changed part is serialized when the archive writer deflates it, into one buffer
    // that the parts of this save share, and the archive goes straight into the file.
    for (auto& [name, p] : parts) {
        if (!p->dirty)
            continue;
        const XmlPart* part = p.get();
        pkg.write(name, [part](std::string* out) { SerializeXml(part->doc, out); },
                  p->sourceSize + p->sourceSize / 8);
        p->dirty = false;
    }
    sheetListChanged = false;
    cellsChanged = false;

    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        error = f.errorString();
        return false;
    }
    // A write the disk refuses (full, over quota) can wait in the device's buffer, and
    // commit() would then put a short file in place of the workbook: flush, and give up on
    // any error.
    QString e;
    if (!pkg.writeTo(&f, &e) || !f.flush()) {
        error = e.isEmpty() || f.error() != QFileDevice::NoError ? f.errorString() : e;
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        error = f.errorString();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Book

Book::Book() : d(std::make_unique<Impl>())
{
    d->createNew();
}

Book::~Book() = default;

bool Book::load(const QString& path)
{
    d->error.clear();
    d->unreadablePath.clear();
    d->unreadableIdKnown = false;
    const QFileInfo fi(path);
    if (!fi.exists()) {
        d->createNew();
        d->lastResult = LoadResult::Missing;
        d->error = QStringLiteral("file not found: %1").arg(path);
        return false;
    }
    auto fail = [&](const QString& why) {
        d->createNew();
        d->lastResult = LoadResult::Corrupt;
        d->error = why;
        d->unreadablePath = canonicalPath(path);
        d->unreadableIdKnown = fileIdentity(path, &d->unreadableDev, &d->unreadableIno);
        return false;
    };
    QFile f(path);
    if (fi.isDir() || !f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(path));
    if (f.size() > 1024LL * 1024 * 1024)
        return fail(QStringLiteral("file too large: %1").arg(path));
    QByteArray bytes = f.readAll();
    f.close();
    d->reset();
    QString e;
    if (!d->pkg.open(std::move(bytes), &e))
        return fail(e);
    if (!d->loadStructure(&e))
        return fail(e);
    d->lastResult = LoadResult::Ok;
    d->unreadablePath.clear();
    d->unreadableIdKnown = false;
    return true;
}

Book::LoadResult Book::lastLoadResult() const
{
    return d->lastResult;
}

QString Book::errorMessage() const
{
    return d->error;
}

bool Book::save(const QString& path)
{
    d->error.clear();
    quint64 dev = 0, ino = 0;
    const bool sameFile = !d->unreadablePath.isEmpty() &&
                          (canonicalPath(path) == d->unreadablePath ||
                           (d->unreadableIdKnown && fileIdentity(path, &dev, &ino) && dev == d->unreadableDev &&
                            ino == d->unreadableIno));
    if (sameFile) {
        // The empty book left by a failed load must never replace the user's damaged file.
        d->error = QStringLiteral("%1 could not be loaded; it is not overwritten").arg(path);
        return false;
    }
    return d->save(path);
}

void Book::release()
{
    d->unreadablePath.clear();
    d->unreadableIdKnown = false;
    d->createNew();
    d->lastResult = LoadResult::Ok;
    d->error.clear();
}

int Book::sheetCount() const
{
    return int(d->sheets.size());
}

Sheet* Book::getSheet(int index)
{
    if (index < 0 || index >= int(d->sheets.size()))
        return nullptr;
    return &d->sheets[size_t(index)]->facade;
}

Sheet* Book::addSheet(const QString& name)
{
    Sheet::Impl* s = d->createSheet(int(d->sheets.size()), name);
    return s ? &s->facade : nullptr;
}

Sheet* Book::insertSheet(int index, const QString& name)
{
    Sheet::Impl* s = d->createSheet(index, name);
    return s ? &s->facade : nullptr;
}

bool Book::moveSheet(int srcIndex, int dstIndex)
{
    const int n = int(d->sheets.size());
    if (srcIndex < 0 || srcIndex >= n || dstIndex < 0 || dstIndex >= n)
        return false;
    if (srcIndex == dstIndex)
        return true;
    ActiveTabKeeper keeper(d.get());
    pugi::xml_node parent = d->sheetsEl();
    pugi::xml_node moving = d->sheets[size_t(srcIndex)]->sheetEl;
    pugi::xml_node anchor = d->sheets[size_t(dstIndex)]->sheetEl;
    if (dstIndex > srcIndex)
        parent.insert_move_after(moving, anchor);
    else
        parent.insert_move_before(moving, anchor);
    std::vector<Sheet::Impl*> before;
    for (auto& s : d->sheets)
        before.push_back(s.get());
    auto item = std::move(d->sheets[size_t(srcIndex)]);
    d->sheets.erase(d->sheets.begin() + srcIndex);
    d->sheets.insert(d->sheets.begin() + dstIndex, std::move(item));
    std::vector<int> oldToNew(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        oldToNew[size_t(i)] = d->sheetIndex(before[size_t(i)]);
    d->renumberLocalSheetIds(oldToNew);
    d->workbook->dirty = true;
    d->sheetListChanged = true;
    return true;
}

bool Book::delSheet(int index)
{
    const int n = int(d->sheets.size());
    if (index < 0 || index >= n)
        return false;
    ActiveTabKeeper keeper(d.get());
    Sheet::Impl* s = d->sheets[size_t(index)].get();
    const QString name = s->name();
    const std::string relId = relIdOf(s->sheetEl);
    // Defined names of this sheet go; global names that point into it would only read #REF!.
    if (pugi::xml_node dn = d->definedNamesEl(false)) {
        for (pugi::xml_node c = dn.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            if (!c.attribute("localSheetId") && FormulaMentionsSheet(c.text().get(), name))
                dn.remove_child(c);
            c = next;
        }
    }
    std::vector<int> oldToNew(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        oldToNew[size_t(i)] = i < index ? i : (i == index ? -1 : i - 1);
    d->renumberLocalSheetIds(oldToNew);

    s->sheetEl.parent().remove_child(s->sheetEl);
    d->forgetSheetCost(s);
    const std::string path = s->path;
    auto gone = std::move(d->sheets[size_t(index)]);
    d->sheets.erase(d->sheets.begin() + index);
    // What still refers to the deleted sheet reads #REF!, as spreadsheet programs show it.
    d->rewriteFormulas([&](const std::string& f) {
        return FormulaMentionsSheet(f, name) ? SheetGoneInFormula(f, name) : f;
    });
    if (pugi::xml_node rel = d->findRel(d->workbookPath, relId)) {
        rel.parent().remove_child(rel);
        d->rels(d->workbookPath, false)->dirty = true;
    }
    d->deleteSheetParts(path);
    d->workbook->dirty = true;
    d->sheetListChanged = true;
    return true;
}

bool Book::hasSheetName(const QString& name, const Sheet* except) const
{
    for (const auto& s : d->sheets)
        if (&s->facade != except && s->name().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------
// Sheet::Impl

void Book::Impl::sheetLoaded(Sheet::Impl* s)
{
    if (!s->xml)
        return;
    s->cost = s->xml->sourceSize + size_t(s->xml->elements) * kCostPerElement;
    residentSheetCost += s->cost;
    s->lastUse = ++useClock;
}

void Book::Impl::forgetSheetCost(Sheet::Impl* s)
{
    if (s->xml)
        residentSheetCost -= std::min(residentSheetCost, s->cost);
    s->cost = 0;
}

bool Book::Impl::loadSheet(Sheet::Impl* s, QString* error)
{
    if (s->xml)
        return true;
    // Parsed before, within the load's limits: this parse counts towards none of them.
    XmlPart* p = part(s->path, error, false);
    if (!p)
        return false;
    s->xml = p;
    QString e;
    if (!s->index(error ? error : &e)) {
        s->rows = {};
        s->root = s->sheetData = {};
        s->xml = nullptr;
        parts.erase(s->path);
        return false;
    }
    sheetLoaded(s);
    return true;
}

bool Book::Impl::unloadSheet(Sheet::Impl* s)
{
    if (!s->xml)
        return true;
    // A changed sheet, or one whose entry a save left to be made from this part, is deflated
    // into the package before the part goes; an unchanged sheet costs nothing to drop.
    if (s->xml->dirty || pkg.isProduced(s->path)) {
        if (s->xml->dirty)
            s->finalize();
        const XmlPart* p = s->xml;
        if (!pkg.writeDeflated(s->path, [p](std::string* out) { SerializeXml(p->doc, out); },
                               p->sourceSize + p->sourceSize / 8))
            return false;
    }
    s->protectedWhenDropped = s->protectedNow();
    forgetSheetCost(s);
    indexedCells -= s->cells;
    s->cells = 0;
    s->rows = {};
    s->root = s->sheetData = {};
    s->xml = nullptr;
    parts.erase(s->path);
    return true;
}

void Book::Impl::trimSheets(const Sheet::Impl* keep)
{
    while (residentSheetCost > kSheetMemoryBudget) {
        Sheet::Impl* oldest = nullptr;
        for (auto& s : sheets)
            if (s.get() != keep && s->xml && s->isWorksheet && (!oldest || s->lastUse < oldest->lastUse))
                oldest = s.get();
        if (!oldest || !unloadSheet(oldest))
            return;
    }
}

bool Sheet::Impl::use()
{
    if (!book->loadSheet(this))
        return false;
    lastUse = ++book->useClock;
    book->trimSheets(this);
    return true;
}

QString Sheet::Impl::name() const
{
    return QString::fromUtf8(sheetEl.attribute("name").value());
}

void Sheet::Impl::markDirty()
{
    xml->dirty = true;
    book->cellsChanged = true;
}

bool Sheet::Impl::index(QString* error)
{
    rows.clear();
    book->indexedCells -= cells;
    cells = 0;
    root = xml->doc.document_element();
    prefix = PrefixOf(root);
    isWorksheet = IsLocal(root, "worksheet");
    mayHoldFormulas = false;
    if (!isWorksheet)
        return true;  // a chart sheet or dialog sheet: kept, but it has no cells
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling())
        if (IsLocal(c, "dataValidations") || IsLocal(c, "conditionalFormatting") || IsLocal(c, "hyperlinks"))
            mayHoldFormulas = true;
    sheetData = Child(root, "sheetData");
    if (!sheetData)
        return true;
    const QString where = QStringLiteral("sheet \"%1\": ").arg(name());
    int prevRow = 0;
    bool rowsOrdered = true;
    for (pugi::xml_node rn = sheetData.first_child(); rn; rn = rn.next_sibling()) {
        if (!IsLocal(rn, "row"))
            continue;
        RowRef rr;
        rr.node = rn;
        pugi::xml_attribute ra = rn.attribute("r");
        if (ra) {
            if (!parseInt(ra.value(), kMaxRows, &rr.row) || rr.row < 1) {
                *error = where + QStringLiteral("bad row number");
                return false;
            }
        } else {
            rr.row = prevRow + 1;
            if (rr.row > kMaxRows) {
                *error = where + QStringLiteral("too many rows");
                return false;
            }
            // Cells and rows are moved around later; an implicit position must become explicit.
            rn.append_attribute("r") = rr.row;
        }
        if (rr.row <= prevRow)
            rowsOrdered = false;
        int prevCol = 0;
        bool cellsOrdered = true;
        for (pugi::xml_node cn = rn.first_child(); cn; cn = cn.next_sibling()) {
            if (!IsLocal(cn, "c"))
                continue;
            CellRef cr{0, cn};
            pugi::xml_attribute ca = cn.attribute("r");
            if (ca) {
                int row = 0;
                if (!ParseCellRef(ca.value(), &cr.col, &row) || row != rr.row) {
                    *error = where + QStringLiteral("bad cell reference \"%1\"").arg(QString::fromUtf8(ca.value()));
                    return false;
                }
            } else {
                cr.col = prevCol + 1;
                if (cr.col > kMaxCols) {
                    *error = where + QStringLiteral("too many columns");
                    return false;
                }
                cn.append_attribute("r") = CellName(cr.col, rr.row).c_str();
            }
            if (cr.col <= prevCol)
                cellsOrdered = false;
            prevCol = cr.col;
            ++cells;
            if (!mayHoldFormulas && Child(cn, "f"))
                mayHoldFormulas = true;
            if (++book->indexedCells > Book::Impl::kMaxCells) {
                *error = where + QStringLiteral("too many cells");
                return false;
            }
            rr.cells.push_back(cr);
        }
        if (!cellsOrdered) {
            // Out of order or duplicated cells: sort them, the first of duplicates wins.
            std::stable_sort(rr.cells.begin(), rr.cells.end(),
                             [](const CellRef& a, const CellRef& b) { return a.col < b.col; });
            std::vector<CellRef> kept;
            for (const CellRef& c : rr.cells) {
                if (!kept.empty() && kept.back().col == c.col)
                    rn.remove_child(c.node);
                else
                    kept.push_back(c);
            }
            rr.cells = std::move(kept);
            pugi::xml_node firstOther;
            for (pugi::xml_node c = rn.first_child(); c; c = c.next_sibling())
                if (!IsLocal(c, "c")) {
                    firstOther = c;
                    break;
                }
            for (const CellRef& c : rr.cells) {
                if (firstOther)
                    rn.insert_move_before(c.node, firstOther);
                else
                    rn.append_move(c.node);
            }
        }
        prevRow = std::max(prevRow, rr.row);
        rows.push_back(std::move(rr));
    }
    if (!rowsOrdered) {
        std::stable_sort(rows.begin(), rows.end(), [](const RowRef& a, const RowRef& b) { return a.row < b.row; });
        std::vector<RowRef> kept;
        for (RowRef& r : rows) {
            if (!kept.empty() && kept.back().row == r.row) {
                // A duplicated row: its cells join the first one unless that has them already.
                RowRef& k = kept.back();
                for (const CellRef& c : r.cells) {
                    auto it = std::lower_bound(k.cells.begin(), k.cells.end(), c.col,
                                               [](const CellRef& a, int col) { return a.col < col; });
                    if (it != k.cells.end() && it->col == c.col)
                        continue;
                    pugi::xml_node moved = it == k.cells.end()
                                               ? (k.cells.empty() ? k.node.prepend_move(c.node)
                                                                  : k.node.insert_move_after(c.node, k.cells.back().node))
                                               : k.node.insert_move_before(c.node, it->node);
                    k.cells.insert(it, CellRef{c.col, moved});
                }
                sheetData.remove_child(r.node);
            } else {
                kept.push_back(std::move(r));
            }
        }
        rows = std::move(kept);
        for (const RowRef& r : rows)
            sheetData.append_move(r.node);
    }
    return true;
}

const RowRef* Sheet::Impl::findRow(int row) const
{
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const RowRef& a, int r) { return a.row < r; });
    return it != rows.end() && it->row == row ? &*it : nullptr;
}

pugi::xml_node Sheet::Impl::findCell(int row, int col) const
{
    const RowRef* r = findRow(row);
    if (!r)
        return {};
    auto it = std::lower_bound(r->cells.begin(), r->cells.end(), col,
                               [](const CellRef& a, int c) { return a.col < c; });
    return it != r->cells.end() && it->col == col ? it->node : pugi::xml_node();
}

pugi::xml_node Sheet::Impl::ensureChild(std::string_view local)
{
    pugi::xml_node n = Child(root, local);
    if (!n)
        n = InsertOrdered(root, local, prefix, kWorksheetOrder, std::size(kWorksheetOrder));
    return n;
}

pugi::xml_node Sheet::Impl::ensureSheetData()
{
    if (!sheetData)
        sheetData = ensureChild("sheetData");
    return sheetData;
}

pugi::xml_node Sheet::Impl::cellForWrite(int row, int col)
{
    ensureSheetData();
    auto it = std::lower_bound(rows.begin(), rows.end(), row, [](const RowRef& a, int r) { return a.row < r; });
    if (it == rows.end() || it->row != row) {
        const std::string rowName = el("row");
        pugi::xml_node rn = it == rows.end() ? sheetData.append_child(rowName.c_str())
                                             : sheetData.insert_child_before(rowName.c_str(), it->node);
        rn.append_attribute("r") = row;
        it = rows.insert(it, RowRef{row, rn, {}});
    }
    std::vector<CellRef>& cells = it->cells;
    auto ci = std::lower_bound(cells.begin(), cells.end(), col, [](const CellRef& a, int c) { return a.col < c; });
    if (ci != cells.end() && ci->col == col)
        return ci->node;
    const std::string cName = el("c");
    pugi::xml_node cn;
    if (ci != cells.end())
        cn = it->node.insert_child_before(cName.c_str(), ci->node);
    else if (!cells.empty())
        cn = it->node.insert_child_after(cName.c_str(), cells.back().node);
    else
        cn = it->node.prepend_child(cName.c_str());
    cn.append_attribute("r") = CellName(col, row).c_str();
    cells.insert(ci, CellRef{col, cn});
    return cn;
}

void Sheet::Impl::finalize()
{
    if (!isWorksheet)
        return;
    int minR = 0, maxR = 0, minC = 0, maxC = 0;
    for (RowRef& r : rows) {
        pugi::xml_attribute spans = r.node.attribute("spans");
        if (r.cells.empty()) {
            if (spans)
                r.node.remove_attribute(spans);
            continue;
        }
        const int lo = r.cells.front().col, hi = r.cells.back().col;
        if (spans)
            spans.set_value((std::to_string(lo) + ":" + std::to_string(hi)).c_str());
        if (!minR)
            minR = r.row;
        maxR = r.row;
        minC = minC ? std::min(minC, lo) : lo;
        maxC = std::max(maxC, hi);
    }
    pugi::xml_node dim = ensureChild("dimension");
    std::string ref = minR ? CellName(minC, minR) : std::string("A1");
    if (minR && (minR != maxR || minC != maxC))
        ref += ":" + CellName(maxC, maxR);
    if (pugi::xml_attribute a = dim.attribute("ref"))
        a.set_value(ref.c_str());
    else
        dim.append_attribute("ref") = ref.c_str();
}

// ---------------------------------------------------------------------------------------------
// Sheet

QString Sheet::name() const
{
    return d->name();
}

bool Sheet::setName(const QString& name)
{
    if (!d->book->nameUsable(name, d))
        return false;
    const QString old = d->name();
    if (old == name)
        return true;
    d->sheetEl.attribute("name").set_value(toUtf8(name).c_str());
    // Formulas on every sheet and defined names (print areas, print titles) name the sheet.
    d->book->rewriteFormulas([&](const std::string& f) {
        return FormulaMentionsSheet(f, old) ? RenameSheetInFormula(f, old, name) : f;
    });
    d->book->workbook->dirty = true;
    d->book->sheetListChanged = true;
    return true;
}

namespace {

bool isTextCell(const char* t)
{
    return std::strcmp(t, "inlineStr") == 0 || std::strcmp(t, "s") == 0 || std::strcmp(t, "str") == 0;
}

// The text of a text cell (inline string, shared string, formula string result); std::nullopt
// for a shared-string index the table does not have.
std::optional<QString> textOf(Book::Impl* book, pugi::xml_node c, const char* t)
{
    if (std::strcmp(t, "inlineStr") == 0) {
        pugi::xml_node is = Child(c, "is");
        return is ? richText(is) : QString();
    }
    if (std::strcmp(t, "s") == 0) {
        pugi::xml_node v = Child(c, "v");
        int idx = 0;
        if (!v || !parseInt(v.text().get(), 1 << 30, &idx) || !book->sst)
            return std::nullopt;
        book->sharedString(idx);  // indexes the table
        if (idx >= int(book->sstItems.size()))
            return std::nullopt;
        return book->sharedString(idx);
    }
    pugi::xml_node v = Child(c, "v");
    return v ? DecodeCellText(v.text().get()) : QString();
}

}  // namespace

std::optional<QString> Sheet::readStr(int row, int col) const
{
    if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxCols || !d->use())
        return std::nullopt;
    pugi::xml_node c = d->findCell(row + 1, col + 1);
    if (!c)
        return std::nullopt;
    const char* t = c.attribute("t").value();
    if (!isTextCell(t))
        return std::nullopt;
    return textOf(d->book, c, t);
}

namespace {

// The whole text as one finite number (blanks around it allowed, as some writers leave them).
bool parseWholeNumber(const char* text, double* out)
{
    const char* b = text;
    const char* e = text + std::strlen(text);
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (b < e && blank(*b))
        ++b;
    while (e > b && blank(e[-1]))
        --e;
    if (b < e && *b == '+')
        ++b;
    double v = 0;
    const auto res = std::from_chars(b, e, v);
    if (b == e || res.ec != std::errc() || res.ptr != e || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

// The shortest digits that read back as `v`; plain decimals over the range any quantity of the
// program has, so a figure reads as the program would have written it.
QString shortestNumber(double v)
{
    if (std::fpclassify(v) == FP_ZERO)
        return QStringLiteral("0");  // "-0" is nobody's figure
    const double a = std::fabs(v);
    const auto format = a >= 1e-7 && a < 1e21 ? std::chars_format::fixed : std::chars_format::scientific;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, format);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

}  // namespace

std::optional<QString> Sheet::readText(int row, int col) const
{
    if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxCols || !d->use())
        return std::nullopt;
    pugi::xml_node c = d->findCell(row + 1, col + 1);
    if (!c)
        return std::nullopt;
    const char* t = c.attribute("t").value();
    if (isTextCell(t))
        return textOf(d->book, c, t);
    pugi::xml_node v = Child(c, "v");
    if (!v) {
        // A formula never calculated has an empty result; a bare cell carries only a style.
        if (Child(c, "f"))
            return QString();
        return std::nullopt;
    }
    const char* text = v.text().get();
    if (std::strcmp(t, "b") == 0) {
        if (std::strcmp(text, "1") == 0 || std::strcmp(text, "true") == 0)
            return QStringLiteral("TRUE");
        if (std::strcmp(text, "0") == 0 || std::strcmp(text, "false") == 0)
            return QStringLiteral("FALSE");
    } else if (!*t || std::strcmp(t, "n") == 0) {
        double value = 0;
        if (parseWholeNumber(text, &value))
            return shortestNumber(value);
    }
    // An error code, an ISO date, or a value that is not what its kind says: as it stands, so
    // nothing is lost and a reader that wants a number refuses it.
    return DecodeCellText(text);
}

double Sheet::readNum(int row, int col) const
{
    if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxCols || !d->use())
        return 0;
    pugi::xml_node c = d->findCell(row + 1, col + 1);
    if (!c)
        return 0;
    const char* t = c.attribute("t").value();
    if (*t && std::strcmp(t, "n") != 0)
        return 0;
    const char* v = Child(c, "v").text().get();
    while (*v == ' ')
        ++v;
    if (*v == '+')
        ++v;
    double value = 0;
    const char* end = v + std::strlen(v);
    const auto res = std::from_chars(v, end, value);
    if (res.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

namespace {

bool isElementNamed(pugi::xml_node n, const std::string& name)
{
    return n.type() == pugi::node_element && name == n.name();
}

// The <t> of a cell that holds exactly <is><t>text</t></is> (no other children or attributes but
// the <t>'s xml:space), to take the new text: a row written again allocates nothing. Null when
// the cell holds anything else.
pugi::xml_node reusableInlineText(pugi::xml_node c, const std::string& isName, const std::string& tName)
{
    pugi::xml_node is = c.first_child();
    if (!is || is.next_sibling() || !isElementNamed(is, isName) || is.first_attribute() || *is.value())
        return {};
    pugi::xml_node t = is.first_child();
    if (!t || t.next_sibling() || !isElementNamed(t, tName))
        return {};
    for (pugi::xml_attribute a = t.first_attribute(); a; a = a.next_attribute())
        if (std::strcmp(a.name(), "xml:space") != 0)
            return {};
    pugi::xml_node text = t.first_child();
    if (text && (text.next_sibling() || text.type() != pugi::node_pcdata || *t.value()))
        return {};
    return t;
}

// The <v> of a cell that holds exactly <v>number</v>, to take a new number.
pugi::xml_node reusableValue(pugi::xml_node c, const std::string& vName)
{
    pugi::xml_node v = c.first_child();
    if (!v || v.next_sibling() || !isElementNamed(v, vName) || v.first_attribute())
        return {};
    pugi::xml_node text = v.first_child();
    if (text && (text.next_sibling() || text.type() != pugi::node_pcdata || *v.value()))
        return {};
    return v;
}

// Sets an element's only text; "" leaves it empty (<t/>).
void setOnlyText(pugi::xml_node n, const char* text)
{
    if (*text)
        n.text().set(text);
    else if (n.first_child())
        n.remove_children();
    else if (*n.value())
        n.text().set("");  // the parsed text held in the element itself: an empty one is none
}

}  // namespace

bool Sheet::writeStr(int row, int col, const QString& value)
{
    if (!d->isWorksheet || row < 0 || col < 0 || row >= kMaxRows || col >= kMaxCols || !d->use())
        return false;
    pugi::xml_node c = d->cellForWrite(row + 1, col + 1);
    if (pugi::xml_attribute t = c.attribute("t"))
        t.set_value("inlineStr");
    else
        c.append_attribute("t") = "inlineStr";
    const std::string text = EncodeCellText(value);
    const std::string isName = d->el("is"), tName = d->el("t");
    pugi::xml_node tn = reusableInlineText(c, isName, tName);
    if (!tn) {
        c.remove_children();
        tn = c.append_child(isName.c_str()).append_child(tName.c_str());
    }
    pugi::xml_attribute space = tn.attribute("xml:space");
    if (needsPreserve(text)) {
        if (space)
            space.set_value("preserve");
        else
            tn.append_attribute("xml:space") = "preserve";
    } else if (space) {
        tn.remove_attribute(space);
    }
    setOnlyText(tn, text.c_str());
    d->markDirty();
    return true;
}

bool Sheet::writeNum(int row, int col, double value)
{
    if (!d->isWorksheet || row < 0 || col < 0 || row >= kMaxRows || col >= kMaxCols || !std::isfinite(value) ||
        !d->use())
        return false;
    pugi::xml_node c = d->cellForWrite(row + 1, col + 1);
    if (pugi::xml_attribute t = c.attribute("t"))
        c.remove_attribute(t);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    *res.ptr = '\0';
    const std::string vName = d->el("v");
    pugi::xml_node v = reusableValue(c, vName);
    if (!v) {
        c.remove_children();
        v = c.append_child(vName.c_str());
    }
    setOnlyText(v, buf);
    d->markDirty();
    return true;
}

void Sheet::setProtect(bool on)
{
    if (!d->isWorksheet || !d->use())
        return;
    pugi::xml_node p = Child(d->root, "sheetProtection");
    if (!on) {
        if (p) {
            d->root.remove_child(p);
            d->xml->dirty = true;
        }
        return;
    }
    if (!p) {
        p = d->ensureChild("sheetProtection");
        p.append_attribute("sheet") = 1;
        p.append_attribute("objects") = 1;
        p.append_attribute("scenarios") = 1;
    } else {
        // On without a password: whatever hash the template carried is dropped.
        for (const char* a : {"password", "algorithmName", "hashValue", "saltValue", "spinCount"})
            p.remove_attribute(a);
        if (pugi::xml_attribute s = p.attribute("sheet"))
            s.set_value(1);
        else
            p.append_attribute("sheet") = 1;
    }
    d->xml->dirty = true;
}

bool Sheet::Impl::protectedNow() const
{
    pugi::xml_node p = Child(root, "sheetProtection");
    if (!p)
        return false;
    const char* s = p.attribute("sheet").value();
    return std::strcmp(s, "1") == 0 || std::strcmp(s, "true") == 0;
}

bool Sheet::protect() const
{
    if (!d->isWorksheet)
        return false;
    // A sheet dropped from memory remembers its protection: checking a whole workbook's
    // protection parses each sheet once.
    if (!d->xml)
        return d->protectedWhenDropped;
    return d->use() && d->protectedNow();
}
