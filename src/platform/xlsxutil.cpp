#include "xlsxutil.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace xlsx {

bool ParseCellRef(std::string_view s, int* col, int* row)
{
    size_t i = 0;
    const size_t n = s.size();
    if (col) {
        if (i < n && s[i] == '$')
            ++i;
        int c = 0;
        size_t letters = 0;
        while (i < n && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z'))) {
            if (++letters > 3)
                return false;
            c = c * 26 + ((s[i] | 0x20) - 'a' + 1);
            ++i;
        }
        if (letters == 0 || c > kMaxCols)
            return false;
        *col = c;
    }
    if (row) {
        if (i < n && s[i] == '$')
            ++i;
        int r = 0;
        size_t digits = 0;
        while (i < n && s[i] >= '0' && s[i] <= '9') {
            if (++digits > 7)
                return false;
            r = r * 10 + (s[i] - '0');
            ++i;
        }
        if (digits == 0 || r < 1 || r > kMaxRows)
            return false;
        *row = r;
    }
    return i == n;
}

std::string ColName(int col)
{
    std::string r;
    while (col > 0) {
        const int m = (col - 1) % 26;
        r.insert(r.begin(), char('A' + m));
        col = (col - 1) / 26;
    }
    return r;
}

std::string CellName(int col, int row)
{
    return ColName(col) + std::to_string(row);
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (IsLocal(c, local))
            return c;
    return {};
}

bool IsNcName(std::string_view s)
{
    if (s.empty())
        return false;
    auto start = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; };
    if (!start(static_cast<unsigned char>(s[0])))
        return false;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (!start(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.')
            return false;
    }
    return true;
}

std::string PrefixOf(pugi::xml_node n)
{
    std::string_view v(n.name());
    const size_t p = v.find(':');
    return p == std::string_view::npos ? std::string() : std::string(v.substr(0, p + 1));
}

pugi::xml_node InsertOrdered(pugi::xml_node parent, std::string_view local, const std::string& prefix,
                             const char* const* order, size_t orderCount)
{
    auto rank = [&](std::string_view name) -> int {
        for (size_t i = 0; i < orderCount; ++i)
            if (name == order[i])
                return int(i);
        return -1;
    };
    const int mine = rank(local);
    const std::string full = prefix + std::string(local);
    if (mine >= 0) {
        for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element)
                continue;
            const int r = rank(LocalName(c.name()));
            if (r > mine)
                return parent.insert_child_before(full.c_str(), c);
        }
    }
    return parent.append_child(full.c_str());
}

std::string PartDir(const std::string& part)
{
    const size_t p = part.rfind('/');
    return p == std::string::npos ? std::string() : part.substr(0, p + 1);
}

std::string RelsPathOf(const std::string& part)
{
    const size_t p = part.rfind('/');
    if (p == std::string::npos)
        return "_rels/" + part + ".rels";
    return part.substr(0, p + 1) + "_rels/" + part.substr(p + 1) + ".rels";
}

static std::string normalizePath(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string seg = path.substr(start, end - start);
        if (seg == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        start = end + 1;
    }
    std::string r;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            r += '/';
        r += parts[i];
    }
    return r;
}

std::string ResolveTarget(const std::string& sourcePart, const std::string& target)
{
    if (!target.empty() && target[0] == '/')
        return normalizePath(target.substr(1));
    return normalizePath(PartDir(sourcePart) + target);
}

std::string RelativeTarget(const std::string& fromPart, const std::string& toPart)
{
    const std::string fromDir = PartDir(fromPart);
    // Common directory prefix.
    size_t common = 0;
    for (size_t i = 0; i < fromDir.size() && i < toPart.size() && fromDir[i] == toPart[i]; ++i)
        if (fromDir[i] == '/')
            common = i + 1;
    std::string r;
    for (size_t i = common; i < fromDir.size(); ++i)
        if (fromDir[i] == '/')
            r += "../";
    return r + toPart.substr(common);
}

namespace {

constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

constexpr const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

bool hasDeclaration(const pugi::xml_document& doc)
{
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_declaration)
            return true;
    return false;
}

template <class Out>
struct AppendWriter : pugi::xml_writer
{
    Out* out;
    void write(const void* data, size_t size) override { out->append(static_cast<const char*>(data), size); }
};

}  // namespace

bool ParseXml(pugi::xml_document& doc, const QByteArray& data)
{
    const pugi::xml_parse_result res =
        doc.load_buffer(data.constData(), size_t(data.size()), kParseOptions, pugi::encoding_auto);
    return bool(res) && doc.document_element();
}

bool ParseXmlInPlace(pugi::xml_document& doc, char* data, size_t size)
{
    const pugi::xml_parse_result res = doc.load_buffer_inplace_own(data, size, kParseOptions, pugi::encoding_auto);
    return bool(res) && doc.document_element();
}

void SerializeXml(const pugi::xml_document& doc, std::string* out)
{
    AppendWriter<std::string> w;
    w.out = out;
    if (!hasDeclaration(doc))
        out->append(kDeclaration);
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
}

static bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string EncodeCellText(const QString& text)
{
    std::string out;
    out.reserve(size_t(text.size()) + 8);
    const QByteArray u = text.toUtf8();
    const char* p = u.constData();
    const qsizetype n = u.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c < 0x20 && c != '\t' && c != '\n') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "_x%04X_", c);
            out += buf;
        } else if (c == '_' && i + 6 < n && p[i + 1] == 'x' && isHex(p[i + 2]) && isHex(p[i + 3]) &&
                   isHex(p[i + 4]) && isHex(p[i + 5]) && p[i + 6] == '_') {
            out += "_x005F_";  // a literal "_xHHHH_" must not read back as an escape
        } else if (c == 0xEF && i + 2 < n && static_cast<unsigned char>(p[i + 1]) == 0xBF &&
                   (static_cast<unsigned char>(p[i + 2]) == 0xBE || static_cast<unsigned char>(p[i + 2]) == 0xBF)) {
            out += static_cast<unsigned char>(p[i + 2]) == 0xBE ? "_xFFFE_" : "_xFFFF_";  // not XML characters
            i += 2;
        } else {
            out += char(c);
        }
    }
    return out;
}

QString DecodeCellText(const char* utf8)
{
    if (!std::strstr(utf8, "_x"))
        return QString::fromUtf8(utf8);
    std::string s(utf8);
    QString out;
    size_t i = 0;
    size_t plainFrom = 0;
    while ((i = s.find("_x", i)) != std::string::npos) {
        if (i + 6 < s.size() && isHex(s[i + 2]) && isHex(s[i + 3]) && isHex(s[i + 4]) && isHex(s[i + 5]) &&
            s[i + 6] == '_') {
            out += QString::fromUtf8(s.data() + plainFrom, qsizetype(i - plainFrom));
            const char16_t code = char16_t(std::stoi(s.substr(i + 2, 4), nullptr, 16));
            out += QChar(code);
            i += 7;
            plainFrom = i;
        } else {
            i += 2;
        }
    }
    out += QString::fromUtf8(s.data() + plainFrom, qsizetype(s.size() - plainFrom));
    return out;
}

// ---- reference shifting ----

bool ShiftIndex(const ShiftEdit& e, int* idx)
{
    const int limit = e.axisIsRow ? kMaxRows : kMaxCols;
    if (e.remove) {
        if (*idx < e.first)
            return true;
        if (*idx <= e.last)
            return false;
        *idx -= e.count();
        return true;
    }
    if (*idx >= e.first) {
        *idx += e.count();
        if (*idx > limit)
            return false;
    }
    return true;
}

bool ShiftSpan(const ShiftEdit& e, int* lo, int* hi)
{
    const int limit = e.axisIsRow ? kMaxRows : kMaxCols;
    if (e.remove) {
        const int n = e.count();
        if (*lo >= e.first && *hi <= e.last)
            return false;
        const int nlo = *lo < e.first ? *lo : (*lo > e.last ? *lo - n : e.first);
        const int nhi = *hi < e.first ? *hi : (*hi > e.last ? *hi - n : e.first - 1);
        *lo = nlo;
        *hi = nhi;
        return *lo <= *hi;
    }
    if (*lo >= e.first)
        *lo += e.count();
    if (*hi >= e.first)
        *hi += e.count();
    if (*lo > limit)
        return false;
    *hi = std::min(*hi, limit);
    return true;
}

namespace {

// One end of a reference: "$A$1", "A", "$3".
struct RefEnd
{
    bool colAbs = false, rowAbs = false;
    int col = 0, row = 0;  // 0 = absent
};

bool parseEnd(std::string_view s, RefEnd* r)
{
    size_t i = 0;
    const size_t n = s.size();
    if (i < n && s[i] == '$') {
        r->colAbs = true;
        ++i;
    }
    size_t letters = 0;
    int c = 0;
    while (i < n && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z'))) {
        if (++letters > 3)
            return false;
        c = c * 26 + ((s[i] | 0x20) - 'a' + 1);
        ++i;
    }
    if (letters == 0) {
        // A row-only end: the '$' we took was the row's.
        r->rowAbs = r->colAbs;
        r->colAbs = false;
    } else {
        if (c > kMaxCols)
            return false;
        r->col = c;
        if (i < n && s[i] == '$') {
            r->rowAbs = true;
            ++i;
        }
    }
    size_t digits = 0;
    int row = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
        if (++digits > 7)
            return false;
        row = row * 10 + (s[i] - '0');
        ++i;
    }
    if (digits) {
        if (row < 1 || row > kMaxRows)
            return false;
        r->row = row;
    } else if (r->rowAbs && letters) {
        return false;  // "A$" is not a reference
    }
    return i == n && (r->col || r->row);
}

std::string formatEnd(const RefEnd& r)
{
    std::string s;
    if (r.col) {
        if (r.colAbs)
            s += '$';
        s += ColName(r.col);
    }
    if (r.row) {
        if (r.rowAbs)
            s += '$';
        s += std::to_string(r.row);
    }
    return s;
}

}  // namespace

bool ShiftRef(const ShiftEdit& e, std::string* ref)
{
    const size_t colon = ref->find(':');
    RefEnd a, b;
    if (colon == std::string::npos) {
        if (!parseEnd(*ref, &a) || !a.col || !a.row)
            return true;  // not a reference we understand: leave it
        b = a;
    } else {
        if (!parseEnd(std::string_view(*ref).substr(0, colon), &a) ||
            !parseEnd(std::string_view(*ref).substr(colon + 1), &b))
            return true;
        if ((a.col == 0) != (b.col == 0) || (a.row == 0) != (b.row == 0))
            return true;
    }
    const bool hasAxis = e.axisIsRow ? a.row != 0 : a.col != 0;
    if (!hasAxis)
        return true;  // whole columns under a row edit (or whole rows under a column edit)
    int lo = e.axisIsRow ? a.row : a.col;
    int hi = e.axisIsRow ? b.row : b.col;
    if (lo > hi)
        std::swap(lo, hi);
    if (!ShiftSpan(e, &lo, &hi))
        return false;
    if (e.axisIsRow) {
        a.row = lo;
        b.row = hi;
    } else {
        a.col = lo;
        b.col = hi;
    }
    if (colon == std::string::npos && lo == hi)
        *ref = formatEnd(a);
    else
        *ref = formatEnd(a) + ":" + formatEnd(b);
    return true;
}

std::string ShiftSqref(const ShiftEdit& e, const std::string& sqref)
{
    std::string out;
    size_t i = 0;
    while (i < sqref.size()) {
        while (i < sqref.size() && sqref[i] == ' ')
            ++i;
        size_t j = sqref.find(' ', i);
        if (j == std::string::npos)
            j = sqref.size();
        if (j > i) {
            std::string piece = sqref.substr(i, j - i);
            if (ShiftRef(e, &piece)) {
                if (!out.empty())
                    out += ' ';
                out += piece;
            }
        }
        i = j;
    }
    return out;
}

namespace {

bool isIdentChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '\\' || c >= 0x80;
}

bool isRefChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '$' || c == ':';
}

// A token of a formula: plain text, or a sheet-qualified reference.
struct Token
{
    std::string text;       // plain text, or the "Sheet!" prefix exactly as written
    bool isSheetRef = false;
    std::string sheetName;  // unquoted
    std::string ref;        // after the '!' (or the whole reference when unprefixed)
    bool comma = false;     // a top-level union separator
    bool unprefixed = false;
};

// Length of an unprefixed reference at f[i] ("A1", "$A$1:B$2", "A:C", "$1:$3"), 0 when there is
// none. Function names ("LOG10(") and longer names are not references.
size_t refLengthAt(const std::string& f, size_t i)
{
    const size_t n = f.size();
    if (i > 0 && (isIdentChar(static_cast<unsigned char>(f[i - 1])) || f[i - 1] == '$'))
        return 0;
    size_t k = i;
    while (k < n && isRefChar(f[k]))
        ++k;
    if (k == i)
        return 0;
    if (k < n && (f[k] == '(' || f[k] == '!' || isIdentChar(static_cast<unsigned char>(f[k]))))
        return 0;
    std::string cand = f.substr(i, k - i);
    const size_t colon = cand.find(':');
    if (colon != std::string::npos && cand.find(':', colon + 1) != std::string::npos)
        return 0;
    // Accept only what ShiftRef understands; row ranges need the colon (a bare number is a number).
    int col = 0, row = 0;
    if (colon == std::string::npos) {
        if (!ParseCellRef(cand, &col, &row))
            return 0;
        return k - i;
    }
    const std::string a = cand.substr(0, colon), b = cand.substr(colon + 1);
    const bool cells = ParseCellRef(a, &col, &row) && ParseCellRef(b, &col, &row);
    const bool cols = ParseCellRef(a, &col, nullptr) && ParseCellRef(b, &col, nullptr);
    const bool rows = ParseCellRef(a, nullptr, &row) && ParseCellRef(b, nullptr, &row);
    return cells || cols || rows ? k - i : 0;
}

std::vector<Token> tokenize(const std::string& f)
{
    std::vector<Token> out;
    auto plain = [&](const std::string& s) {
        if (out.empty() || out.back().isSheetRef || out.back().comma)
            out.push_back(Token{});
        out.back().text += s;
    };
    int depth = 0;
    size_t i = 0;
    const size_t n = f.size();
    while (i < n) {
        const char c = f[i];
        if (c == '"') {
            size_t j = i + 1;
            while (j < n) {
                if (f[j] == '"') {
                    if (j + 1 < n && f[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, n);
            plain(f.substr(i, j - i));
            i = j;
            continue;
        }
        if (const size_t len = (c == '$' || isIdentChar(static_cast<unsigned char>(c))) ? refLengthAt(f, i) : 0) {
            Token t;
            t.isSheetRef = true;
            t.unprefixed = true;
            t.ref = f.substr(i, len);
            out.push_back(std::move(t));
            i += len;
            continue;
        }
        if (c == '\'' || isIdentChar(static_cast<unsigned char>(c))) {
            size_t j = i;
            std::string name;
            if (c == '\'') {
                j = i + 1;
                while (j < n) {
                    if (f[j] == '\'') {
                        if (j + 1 < n && f[j + 1] == '\'') {
                            name += '\'';
                            j += 2;
                            continue;
                        }
                        break;
                    }
                    name += f[j++];
                }
                if (j < n)
                    ++j;  // closing quote
            } else {
                while (j < n && isIdentChar(static_cast<unsigned char>(f[j])))
                    ++j;
                // A 3-D reference "First:Last!A1".
                if (j + 1 < n && f[j] == ':' && isIdentChar(static_cast<unsigned char>(f[j + 1]))) {
                    size_t k = j + 1;
                    while (k < n && isIdentChar(static_cast<unsigned char>(f[k])))
                        ++k;
                    if (k < n && f[k] == '!')
                        j = k;
                }
                name = f.substr(i, j - i);
            }
            if (j < n && f[j] == '!') {
                Token t;
                t.isSheetRef = true;
                t.text = f.substr(i, j + 1 - i);
                t.sheetName = name;
                size_t k = j + 1;
                while (k < n && isRefChar(f[k]))
                    ++k;
                t.ref = f.substr(j + 1, k - j - 1);
                out.push_back(std::move(t));
                i = k;
            } else {
                plain(f.substr(i, j - i));
                i = j;
            }
            continue;
        }
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (c == ',' && depth == 0) {
            Token t;
            t.comma = true;
            t.text = ",";
            out.push_back(std::move(t));
        } else {
            plain(std::string(1, c));
        }
        ++i;
    }
    return out;
}

bool sameSheet(const std::string& utf8, const QString& name)
{
    return QString::fromUtf8(utf8).compare(name, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::string QuoteSheetName(const QString& name)
{
    const QByteArray u = name.toUtf8();
    bool simple = !u.isEmpty() && !(u[0] >= '0' && u[0] <= '9');
    for (char c : u)
        if (!isIdentChar(static_cast<unsigned char>(c)) || c == '\\' || c == '.')
            simple = false;
    // Names that read as a cell reference (A1, R1C1 style) or a boolean must be quoted.
    int col = 0, row = 0;
    if (simple && (ParseCellRef(u.toStdString(), &col, &row) || u.toUpper() == "TRUE" || u.toUpper() == "FALSE" ||
                   (u.size() >= 1 && (u[0] == 'R' || u[0] == 'r' || u[0] == 'C' || u[0] == 'c') &&
                    std::all_of(u.begin() + 1, u.end(), [](char ch) {
                        return (ch >= '0' && ch <= '9') || ch == 'C' || ch == 'c' || ch == 'R' || ch == 'r';
                    }))))
        simple = false;
    if (simple)
        return u.toStdString();
    std::string r = "'";
    for (char c : u) {
        if (c == '\'')
            r += "''";
        else
            r += c;
    }
    return r + "'";
}

std::string ShiftFormulaRefs(const ShiftEdit& e, const std::string& formula, const QString& sheetName,
                             bool unprefixedIsSheet, bool dropUnionPieces, bool* allGone)
{
    std::vector<Token> toks = tokenize(formula);
    // Group tokens into top-level pieces separated by commas.
    std::vector<std::vector<Token>> pieces(1);
    for (Token& t : toks) {
        if (t.comma)
            pieces.emplace_back();
        else
            pieces.back().push_back(std::move(t));
    }
    std::string out;
    bool any = false;
    for (auto& piece : pieces) {
        bool pieceGone = false;
        std::string text;
        for (Token& t : piece) {
            if (!t.isSheetRef) {
                text += t.text;
                continue;
            }
            const bool mine = t.unprefixed ? unprefixedIsSheet : sameSheet(t.sheetName, sheetName);
            if (!mine || t.ref.empty()) {
                text += t.text + t.ref;
                continue;
            }
            std::string ref = t.ref;
            if (ShiftRef(e, &ref)) {
                text += t.text + ref;
            } else {
                text += t.text + "#REF!";
                if (piece.size() == 1 && dropUnionPieces)
                    pieceGone = true;
            }
        }
        if (pieceGone)
            continue;
        if (any)
            out += ',';
        out += text;
        any = true;
    }
    *allGone = !any;
    return out;
}

bool FormulaMentionsSheet(const std::string& formula, const QString& sheetName)
{
    for (const Token& t : tokenize(formula)) {
        if (!t.isSheetRef || t.unprefixed)
            continue;
        // A 3-D reference "First:Last" mentions both ends.
        const QString name = QString::fromUtf8(t.sheetName);
        for (const QString& part : name.split(QLatin1Char(':')))
            if (part.compare(sheetName, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}

namespace {

// A sheet-name token with the sheet renamed: 3-D references ("First:Last") rename either end.
// Empty when the token does not name the sheet.
std::string renamedPrefix(const std::string& tokenSheet, const QString& oldName, const QString& newName)
{
    const QStringList ends = QString::fromUtf8(tokenSheet).split(QLatin1Char(':'));
    if (ends.size() > 2)
        return {};
    bool hit = false;
    QStringList out;
    for (const QString& end : ends) {
        if (end.compare(oldName, Qt::CaseInsensitive) == 0) {
            out << newName;
            hit = true;
        } else {
            out << end;
        }
    }
    if (!hit)
        return {};
    if (out.size() == 1)
        return QuoteSheetName(out[0]);
    const std::string a = QuoteSheetName(out[0]), b = QuoteSheetName(out[1]);
    if (a.front() != '\'' && b.front() != '\'')
        return a + ":" + b;
    QString both = out[0] + QLatin1Char(':') + out[1];
    both.replace(QLatin1Char('\''), QStringLiteral("''"));
    return "'" + both.toStdString() + "'";
}

}  // namespace

std::string RenameSheetInFormula(const std::string& formula, const QString& oldName, const QString& newName)
{
    std::string out;
    for (const Token& t : tokenize(formula)) {
        if (!t.isSheetRef || t.unprefixed) {
            out += t.text + t.ref;
            continue;
        }
        const std::string prefix = renamedPrefix(t.sheetName, oldName, newName);
        out += (prefix.empty() ? t.text : prefix + "!") + t.ref;
    }
    return out;
}

std::string SheetGoneInFormula(const std::string& formula, const QString& sheetName)
{
    std::string out;
    for (const Token& t : tokenize(formula)) {
        if (t.isSheetRef && !t.unprefixed && !renamedPrefix(t.sheetName, sheetName, sheetName).empty())
            out += "#REF!";
        else
            out += t.text + t.ref;
    }
    return out;
}

std::string OffsetFormulaRefs(const std::string& formula, int dCol, int dRow)
{
    std::string out;
    for (const Token& t : tokenize(formula)) {
        if (!t.isSheetRef || t.ref.empty()) {
            out += t.text + t.ref;
            continue;
        }
        const size_t colon = t.ref.find(':');
        std::string_view ends[2] = {std::string_view(t.ref).substr(0, colon), {}};
        const int count = colon == std::string::npos ? 1 : 2;
        if (count == 2)
            ends[1] = std::string_view(t.ref).substr(colon + 1);
        std::string moved;
        bool ok = true;
        for (int i = 0; i < count && ok; ++i) {
            RefEnd r;
            if (!parseEnd(ends[i], &r)) {
                moved.clear();
                break;  // not a reference we understand: leave it
            }
            if (r.col && !r.colAbs)
                r.col += dCol;
            if (r.row && !r.rowAbs)
                r.row += dRow;
            ok = (!r.col || (r.col >= 1 && r.col <= kMaxCols)) && (!r.row || (r.row >= 1 && r.row <= kMaxRows));
            if (i)
                moved += ':';
            moved += formatEnd(r);
        }
        if (!ok)
            out += t.text + "#REF!";
        else
            out += t.text + (moved.empty() ? t.ref : moved);
    }
    return out;
}

}  // namespace xlsx
