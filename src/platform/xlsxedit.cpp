// Row and column edits (everything that refers to a row or column moves with it) and pictures.
#include "xlsxbookimpl.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <tuple>
#include <cmath>
#include <cstring>

using namespace xlsx;

namespace {

constexpr const char* kCtDrawing = "application/vnd.openxmlformats-officedocument.drawing+xml";

constexpr long long kEmuPerPixel = 9525;

int toInt(const char* s, int fallback = 0)
{
    if (!s || !*s)
        return fallback;
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);  // integers only: locale has no say here
    if (end == s || v < -(1L << 30) || v > (1L << 30))
        return fallback;
    return int(v);
}

double toDouble(const char* s, double fallback)
{
    if (!s || !*s)
        return fallback;
    double v = 0;
    const auto r = std::from_chars(s, s + std::strlen(s), v);
    return r.ec == std::errc() && std::isfinite(v) ? v : fallback;
}

void setInt(pugi::xml_node n, const char* attr, long long v)
{
    pugi::xml_attribute a = n.attribute(attr);
    if (!a)
        a = n.append_attribute(attr);
    a.set_value(v);
}

// Removes every child element named `local` whose reference (attribute `attr`) an edit removes,
// shifting the others.
void shiftRefChildren(pugi::xml_node parent, std::string_view local, const char* attr, const ShiftEdit& e,
                      bool sqref)
{
    for (pugi::xml_node c = parent.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsLocal(c, local)) {
            pugi::xml_attribute a = c.attribute(attr);
            if (a) {
                std::string ref = a.value();
                bool keep = true;
                if (sqref) {
                    ref = ShiftSqref(e, ref);
                    keep = !ref.empty();
                } else {
                    keep = ShiftRef(e, &ref);
                }
                if (keep)
                    a.set_value(ref.c_str());
                else
                    parent.remove_child(c);
            }
        }
        c = next;
    }
}

void updateCount(pugi::xml_node parent, std::string_view local)
{
    int n = 0;
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (IsLocal(c, local))
            ++n;
    if (pugi::xml_attribute a = parent.attribute("count"))
        a.set_value(n);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Row and column edits

void Sheet::Impl::shiftCells(const ShiftEdit& e)
{
    const QString sheetName = name();
    std::vector<RowRef> kept;
    kept.reserve(rows.size());
    for (RowRef& r : rows) {
        if (e.axisIsRow) {
            int row = r.row;
            if (!ShiftIndex(e, &row)) {
                sheetData.remove_child(r.node);
                continue;
            }
            if (row != r.row) {
                r.row = row;
                r.node.attribute("r").set_value(row);
                for (CellRef& c : r.cells)
                    c.node.attribute("r").set_value(CellName(c.col, row).c_str());
            }
        } else {
            std::vector<CellRef> cells;
            cells.reserve(r.cells.size());
            for (CellRef& c : r.cells) {
                int col = c.col;
                if (!ShiftIndex(e, &col)) {
                    r.node.remove_child(c.node);
                    continue;
                }
                if (col != c.col) {
                    c.col = col;
                    c.node.attribute("r").set_value(CellName(col, r.row).c_str());
                }
                cells.push_back(c);
            }
            r.cells = std::move(cells);
        }
        kept.push_back(std::move(r));
    }
    rows = std::move(kept);

    // Formulas on this sheet follow the cells they name.
    for (RowRef& r : rows) {
        for (CellRef& c : r.cells) {
            pugi::xml_node f = Child(c.node, "f");
            if (!f)
                continue;
            bool gone = false;
            const std::string text = f.text().get();
            if (!text.empty()) {
                const std::string shifted = ShiftFormulaRefs(e, text, sheetName, true, false, &gone);
                if (shifted != text)
                    f.text().set(shifted.c_str());
            }
            if (pugi::xml_attribute ref = f.attribute("ref")) {
                std::string v = ref.value();
                if (ShiftRef(e, &v))
                    ref.set_value(v.c_str());
            }
        }
    }
}

void Sheet::Impl::shiftSheetParts(const ShiftEdit& e)
{
    // Merged ranges: removed with their cells, shrunk when partly removed; a merge left with
    // one cell is no merge at all.
    if (pugi::xml_node mc = Child(root, "mergeCells")) {
        for (pugi::xml_node c = mc.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            if (IsLocal(c, "mergeCell")) {
                std::string ref = c.attribute("ref").value();
                if (!ShiftRef(e, &ref) || ref.find(':') == std::string::npos) {
                    mc.remove_child(c);
                } else {
                    const size_t colon = ref.find(':');
                    if (ref.substr(0, colon) == ref.substr(colon + 1))
                        mc.remove_child(c);
                    else
                        c.attribute("ref").set_value(ref.c_str());
                }
            }
            c = next;
        }
        updateCount(mc, "mergeCell");
        if (!Child(mc, "mergeCell"))
            root.remove_child(mc);
    }
    // Column widths and styles.
    if (!e.axisIsRow) {
        if (pugi::xml_node cols = Child(root, "cols")) {
            for (pugi::xml_node c = cols.first_child(); c;) {
                pugi::xml_node next = c.next_sibling();
                if (IsLocal(c, "col")) {
                    int lo = std::max(1, toInt(c.attribute("min").value(), 1));
                    int hi = std::max(lo, std::min(kMaxCols, toInt(c.attribute("max").value(), lo)));
                    if (ShiftSpan(e, &lo, &hi)) {
                        setInt(c, "min", lo);
                        setInt(c, "max", hi);
                    } else {
                        cols.remove_child(c);
                    }
                }
                c = next;
            }
            if (!Child(cols, "col"))
                root.remove_child(cols);
        }
    }
    // Manual page breaks: a break sits after row (column) `id`.
    if (pugi::xml_node br = Child(root, e.axisIsRow ? "rowBreaks" : "colBreaks")) {
        for (pugi::xml_node c = br.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            if (IsLocal(c, "brk")) {
                int id = toInt(c.attribute("id").value(), 0);
                if (id >= 1 && ShiftIndex(e, &id))
                    setInt(c, "id", id);
                else if (id >= 1)
                    br.remove_child(c);
            }
            c = next;
        }
        int n = 0, manual = 0;
        for (pugi::xml_node c = br.first_child(); c; c = c.next_sibling())
            if (IsLocal(c, "brk")) {
                ++n;
                const char* man = c.attribute("man").value();
                if (!std::strcmp(man, "1") || !std::strcmp(man, "true"))
                    ++manual;
            }
        if (n == 0) {
            root.remove_child(br);
        } else {
            if (br.attribute("count"))
                setInt(br, "count", n);
            if (br.attribute("manualBreakCount"))
                setInt(br, "manualBreakCount", manual);
        }
    }
    // Ranges that other features hang on.
    for (pugi::xml_node c = root.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsLocal(c, "conditionalFormatting")) {
            const std::string s = ShiftSqref(e, c.attribute("sqref").value());
            if (s.empty())
                root.remove_child(c);
            else
                c.attribute("sqref").set_value(s.c_str());
        } else if (IsLocal(c, "dataValidations")) {
            shiftRefChildren(c, "dataValidation", "sqref", e, true);
            updateCount(c, "dataValidation");
            if (!Child(c, "dataValidation"))
                root.remove_child(c);
        } else if (IsLocal(c, "hyperlinks")) {
            shiftRefChildren(c, "hyperlink", "ref", e, false);
            if (!Child(c, "hyperlink"))
                root.remove_child(c);
        } else if (IsLocal(c, "autoFilter")) {
            std::string ref = c.attribute("ref").value();
            if (ShiftRef(e, &ref))
                c.attribute("ref").set_value(ref.c_str());
            else
                root.remove_child(c);
        } else if (IsLocal(c, "sheetViews")) {
            for (pugi::xml_node v = Child(c, "sheetView"); v; v = v.next_sibling()) {
                for (pugi::xml_node s = v.first_child(); s; s = s.next_sibling()) {
                    if (!IsLocal(s, "selection"))
                        continue;
                    std::string ac = s.attribute("activeCell").value();
                    std::string sq = s.attribute("sqref").value();
                    if (!ac.empty() && !ShiftRef(e, &ac))
                        ac = "A1";
                    sq = sq.empty() ? sq : ShiftSqref(e, sq);
                    if (!ac.empty())
                        s.attribute("activeCell").set_value(ac.c_str());
                    if (s.attribute("sqref"))
                        s.attribute("sqref").set_value(sq.empty() ? (ac.empty() ? "A1" : ac.c_str()) : sq.c_str());
                }
            }
        }
        c = next;
    }
}

void Sheet::Impl::shiftDrawing(const ShiftEdit& e)
{
    pugi::xml_node dr = Child(root, "drawing");
    if (!dr)
        return;
    const char* rid = "";
    for (pugi::xml_attribute a = dr.first_attribute(); a; a = a.next_attribute())
        if (LocalName(a.name()) == "id")
            rid = a.value();
    const std::string target = book->relTarget(path, rid);
    XmlPart* dp = target.empty() ? nullptr : book->part(target);
    if (!dp)
        return;
    pugi::xml_node wsDr = dp->doc.document_element();
    auto readMarker = [](pugi::xml_node m, int* col, int* row, long long* colOff, long long* rowOff) {
        *col = toInt(Child(m, "col").text().get(), 0);
        *row = toInt(Child(m, "row").text().get(), 0);
        *colOff = Child(m, "colOff").text().as_llong(0);
        *rowOff = Child(m, "rowOff").text().as_llong(0);
    };
    auto writeMarker = [](pugi::xml_node m, int col, int row, long long colOff, long long rowOff) {
        Child(m, "col").text().set(col);
        Child(m, "row").text().set(row);
        Child(m, "colOff").text().set(colOff);
        Child(m, "rowOff").text().set(rowOff);
    };
    bool changed = false;
    for (pugi::xml_node a = wsDr.first_child(); a;) {
        pugi::xml_node next = a.next_sibling();
        const bool two = IsLocal(a, "twoCellAnchor");
        const bool one = IsLocal(a, "oneCellAnchor");
        pugi::xml_node from = Child(a, "from");
        if ((two || one) && from) {
            int fc, fr;
            long long fco, fro;
            readMarker(from, &fc, &fr, &fco, &fro);
            int lo = (e.axisIsRow ? fr : fc) + 1;
            int hi = lo;
            long long loOff = e.axisIsRow ? fro : fco;
            pugi::xml_node to = two ? Child(a, "to") : pugi::xml_node();
            int tc = 0, tr = 0;
            long long tco = 0, tro = 0;
            long long hiOff = 0;
            if (to) {
                readMarker(to, &tc, &tr, &tco, &tro);
                hi = std::max(lo, (e.axisIsRow ? tr : tc) + 1);
                hiOff = e.axisIsRow ? tro : tco;
            }
            const int oldLo = lo, oldHi = hi;
            if (!ShiftSpan(e, &lo, &hi)) {
                wsDr.remove_child(a);  // the picture's cells are gone
                changed = true;
                a = next;
                continue;
            }
            // An end that fell into the removed range lands on the edge of what is left.
            if (e.remove && oldLo >= e.first && oldLo <= e.last)
                loOff = 0;
            if (e.remove && oldHi >= e.first && oldHi <= e.last)
                hiOff = 0;
            if (e.axisIsRow) {
                fr = lo - 1;
                fro = loOff;
                tr = hi - 1;
                tro = hiOff;
            } else {
                fc = lo - 1;
                fco = loOff;
                tc = hi - 1;
                tco = hiOff;
            }
            writeMarker(from, fc, fr, fco, fro);
            if (to)
                writeMarker(to, tc, tr, tco, tro);
            changed = true;
        }
        a = next;
    }
    if (changed)
        dp->dirty = true;
}

void Sheet::Impl::shiftDefinedNames(const ShiftEdit& e)
{
    pugi::xml_node dn = book->definedNamesEl(false);
    const QString me = name();
    if (dn) {
        for (pugi::xml_node c = dn.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            const std::string f = c.text().get();
            if (FormulaMentionsSheet(f, me)) {
                bool gone = false;
                const std::string shifted = ShiftFormulaRefs(e, f, me, false, true, &gone);
                if (gone)
                    dn.remove_child(c);
                else if (shifted != f)
                    c.text().set(shifted.c_str());
                book->workbook->dirty = true;
            }
            c = next;
        }
        if (!dn.first_child())
            dn.parent().remove_child(dn);
    }
    // Formulas on other sheets that name this one.
    for (auto& s : book->sheets) {
        if (s.get() == this || !s->isWorksheet || !s->mayHoldFormulas || !book->loadSheet(s.get()))
            continue;
        for (RowRef& r : s->rows)
            for (CellRef& c : r.cells) {
                pugi::xml_node f = Child(c.node, "f");
                if (!f)
                    continue;
                const std::string text = f.text().get();
                if (text.empty() || !FormulaMentionsSheet(text, me))
                    continue;
                bool gone = false;
                f.text().set(ShiftFormulaRefs(e, text, me, false, false, &gone).c_str());
                s->markDirty();
            }
    }
}

void Sheet::Impl::shiftSharedMasters(const ShiftEdit& e)
{
    // A shared formula's text lives on its master cell only. When the master goes, its first
    // remaining dependent takes the formula over (moved to its own position), as the master of
    // the others or, alone, as a plain formula.
    struct Group
    {
        std::string text;
        int row = 0, col = 0;
        std::vector<std::tuple<int, int, pugi::xml_node>> deps;  // row, col, <f>, in sheet order
    };
    std::map<std::string, Group> lost;
    auto removed = [&](int row, int col) {
        const int i = e.axisIsRow ? row : col;
        return i >= e.first && i <= e.last;
    };
    auto sharedF = [](pugi::xml_node c) {
        pugi::xml_node f = c.first_child();
        return f && IsLocal(f, "f") && std::strcmp(f.attribute("t").value(), "shared") == 0 ? f : pugi::xml_node();
    };
    for (RowRef& r : rows)
        for (CellRef& c : r.cells)
            if (pugi::xml_node f = sharedF(c.node); f && f.attribute("ref") && removed(r.row, c.col))
                lost[f.attribute("si").value()] = Group{f.text().get(), r.row, c.col, {}};
    if (lost.empty())
        return;
    for (RowRef& r : rows)
        for (CellRef& c : r.cells)
            if (pugi::xml_node f = sharedF(c.node); f && !f.attribute("ref") && !removed(r.row, c.col)) {
                auto it = lost.find(f.attribute("si").value());
                if (it != lost.end())
                    it->second.deps.emplace_back(r.row, c.col, f);
            }
    for (auto& [si, g] : lost) {
        if (g.deps.empty())
            continue;
        const auto [r1, c1, f1] = g.deps.front();
        int top = r1, left = c1, bottom = r1, right = c1;
        for (const auto& [r, c, f] : g.deps) {
            top = std::min(top, r);
            left = std::min(left, c);
            bottom = std::max(bottom, r);
            right = std::max(right, c);
        }
        // Spreadsheet programs expect the master at the top left of its range.
        const bool regroup = g.deps.size() > 1 && top == r1 && left == c1;
        for (auto [r, c, f] : g.deps) {
            if (regroup && f != f1)
                continue;
            f.text().set(OffsetFormulaRefs(g.text, c - g.col, r - g.row).c_str());
            if (regroup) {
                f.append_attribute("ref") = (CellName(left, top) + ":" + CellName(right, bottom)).c_str();
            } else {
                f.remove_attribute("t");
                f.remove_attribute("si");
            }
        }
    }
}

namespace {

// The first relationship of a part with the given type suffix, resolved; "" when none.
std::vector<std::string> relTargetsOfType(Book::Impl* book, const std::string& source, std::string_view type)
{
    std::vector<std::string> out;
    XmlPart* r = book->rels(source, false);
    if (!r)
        return out;
    for (pugi::xml_node c = r->doc.document_element().first_child(); c; c = c.next_sibling())
        if (IsLocal(c, "Relationship") && RelTypeIs(c.attribute("Type").value(), type) &&
            std::strcmp(c.attribute("TargetMode").value(), "External") != 0)
            out.push_back(ResolveTarget(source, c.attribute("Target").value()));
    return out;
}

}  // namespace

void Sheet::Impl::shiftComments(const ShiftEdit& e)
{
    // Notes: the comments part names their cells; the legacy drawing places their boxes.
    for (const std::string& target : relTargetsOfType(book, path, "comments")) {
        XmlPart* cp = book->part(target);
        if (!cp)
            continue;
        pugi::xml_node list = Child(cp->doc.document_element(), "commentList");
        for (pugi::xml_node c = list.first_child(); c;) {
            pugi::xml_node next = c.next_sibling();
            if (IsLocal(c, "comment")) {
                std::string ref = c.attribute("ref").value();
                const std::string before = ref;
                if (!ShiftRef(e, &ref)) {
                    list.remove_child(c);
                    cp->dirty = true;
                } else if (ref != before) {
                    c.attribute("ref").set_value(ref.c_str());
                    cp->dirty = true;
                }
            }
            c = next;
        }
    }
    for (const std::string& target : relTargetsOfType(book, path, "vmlDrawing")) {
        XmlPart* vp = book->part(target);
        if (!vp)
            continue;  // legacy drawings are not always well-formed XML: left as they are
        for (pugi::xpath_node xn : vp->doc.select_nodes("//*[local-name()='ClientData']")) {
            pugi::xml_node cd = xn.node();
            if (std::strcmp(cd.attribute("ObjectType").value(), "Note") != 0)
                continue;
            pugi::xml_node idx = Child(cd, e.axisIsRow ? "Row" : "Column");
            if (!idx)
                continue;
            int i = toInt(idx.text().get(), -1) + 1;
            if (i < 1)
                continue;
            if (!ShiftIndex(e, &i)) {
                pugi::xml_node shape = cd.parent();
                shape.parent().remove_child(shape);
                vp->dirty = true;
                continue;
            }
            idx.text().set(i - 1);
            // "LeftColumn, LeftOffset, TopRow, TopOffset, RightColumn, RightOffset, BottomRow, BottomOffset"
            if (pugi::xml_node anchor = Child(cd, "Anchor")) {
                const QStringList v = QString::fromUtf8(anchor.text().get()).split(QLatin1Char(','));
                if (v.size() == 8) {
                    std::vector<int> n;
                    for (const QString& x : v)
                        n.push_back(x.trimmed().toInt());
                    const int a = e.axisIsRow ? 2 : 0, b = e.axisIsRow ? 6 : 4;
                    int lo = n[size_t(a)] + 1, hi = std::max(lo, n[size_t(b)] + 1);
                    if (ShiftSpan(e, &lo, &hi)) {
                        n[size_t(a)] = lo - 1;
                        n[size_t(b)] = hi - 1;
                    }
                    std::string text;
                    for (size_t k = 0; k < n.size(); ++k)
                        text += (k ? ", " : "") + std::to_string(n[k]);
                    anchor.text().set(text.c_str());
                }
            }
            vp->dirty = true;
        }
    }
}

void Sheet::Impl::shiftTables(const ShiftEdit& e)
{
    pugi::xml_node parts = Child(root, "tableParts");
    if (!parts)
        return;
    for (pugi::xml_node tp = parts.first_child(); tp;) {
        pugi::xml_node next = tp.next_sibling();
        const char* rid = "";
        for (pugi::xml_attribute a = tp.first_attribute(); a; a = a.next_attribute())
            if (LocalName(a.name()) == "id")
                rid = a.value();
        const std::string target = IsLocal(tp, "tablePart") ? book->relTarget(path, rid) : std::string();
        XmlPart* t = target.empty() ? nullptr : book->part(target);
        if (!t) {
            tp = next;
            continue;
        }
        pugi::xml_node table = t->doc.document_element();
        std::string ref = table.attribute("ref").value();
        int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
        const size_t colon = ref.find(':');
        const bool parsed = colon != std::string::npos && ParseCellRef(ref.substr(0, colon), &c1, &r1) &&
                            ParseCellRef(ref.substr(colon + 1), &c2, &r2);
        const bool hasHeader = table.attribute("headerRowCount").as_int(1) != 0;
        // A table goes with its cells, and with its header row (its column names).
        bool keep = parsed && ShiftRef(e, &ref);
        if (keep && e.axisIsRow && e.remove && hasHeader && r1 >= e.first && r1 <= e.last)
            keep = false;
        if (!keep && parsed) {
            parts.remove_child(tp);
            book->removeRelsTo(path, book->pkg.resolve(target));
            book->deleteSheetParts(book->pkg.resolve(target));
            tp = next;
            continue;
        }
        if (!parsed) {
            tp = next;
            continue;
        }
        table.attribute("ref").set_value(ref.c_str());
        for (pugi::xml_node c = table.first_child(); c; c = c.next_sibling()) {
            if (IsLocal(c, "autoFilter") || IsLocal(c, "sortState")) {
                std::string r = c.attribute("ref").value();
                if (ShiftRef(e, &r))
                    c.attribute("ref").set_value(r.c_str());
                if (pugi::xml_node ss = Child(c, "sortState")) {
                    std::string sr = ss.attribute("ref").value();
                    if (ShiftRef(e, &sr))
                        ss.attribute("ref").set_value(sr.c_str());
                }
            } else if (IsLocal(c, "tableColumns") && !e.axisIsRow && e.remove) {
                // The n-th column of the table is the n-th column of its range.
                int col = c1;
                for (pugi::xml_node tc = c.first_child(); tc;) {
                    pugi::xml_node nextCol = tc.next_sibling();
                    if (IsLocal(tc, "tableColumn")) {
                        if (col >= e.first && col <= e.last)
                            c.remove_child(tc);
                        ++col;
                    }
                    tc = nextCol;
                }
                updateCount(c, "tableColumn");
            }
        }
        t->dirty = true;
        tp = next;
    }
    updateCount(parts, "tablePart");
    if (!Child(parts, "tablePart"))
        root.remove_child(parts);
}

bool Sheet::Impl::shift(const ShiftEdit& e)
{
    const int limit = e.axisIsRow ? kMaxRows : kMaxCols;
    if (!isWorksheet || e.first < 1 || e.last < e.first || e.last > limit || !use())
        return false;
    if (sheetData && e.remove)
        shiftSharedMasters(e);
    if (sheetData)
        shiftCells(e);
    shiftSheetParts(e);
    shiftComments(e);
    shiftTables(e);
    shiftDrawing(e);
    shiftDefinedNames(e);
    markDirty();
    return true;
}

bool Sheet::insertRow(int rowFirst, int rowLast)
{
    ShiftEdit e;
    e.axisIsRow = true;
    e.remove = false;
    e.first = rowFirst + 1;
    e.last = rowLast + 1;
    return d->shift(e);
}

bool Sheet::removeRow(int rowFirst, int rowLast)
{
    ShiftEdit e;
    e.axisIsRow = true;
    e.remove = true;
    e.first = rowFirst + 1;
    e.last = rowLast + 1;
    return d->shift(e);
}

bool Sheet::removeCol(int colFirst, int colLast)
{
    ShiftEdit e;
    e.axisIsRow = false;
    e.remove = true;
    e.first = colFirst + 1;
    e.last = colLast + 1;
    return d->shift(e);
}

// ---------------------------------------------------------------------------------------------
// Pictures

namespace {

bool imageSize(const QByteArray& data, std::string* ext, int* w, int* h)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    if (n >= 24 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(p + 12, "IHDR", 4) == 0) {
        *ext = "png";
        *w = int((quint32(p[16]) << 24 | quint32(p[17]) << 16 | quint32(p[18]) << 8 | p[19]) & 0x7fffffff);
        *h = int((quint32(p[20]) << 24 | quint32(p[21]) << 16 | quint32(p[22]) << 8 | p[23]) & 0x7fffffff);
        return true;
    }
    if (n >= 4 && p[0] == 0xFF && p[1] == 0xD8) {
        // Walk the JPEG segments up to the frame header that carries the size.
        qsizetype i = 2;
        while (i + 4 <= n) {
            if (p[i] != 0xFF)
                return false;
            const unsigned char marker = p[i + 1];
            if (marker == 0xFF) {
                ++i;
                continue;
            }
            if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
                i += 2;
                continue;
            }
            const int len = p[i + 2] << 8 | p[i + 3];
            if (len < 2)
                return false;
            const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (sof) {
                if (i + 9 > n)
                    return false;
                *ext = "jpeg";
                *h = p[i + 5] << 8 | p[i + 6];
                *w = p[i + 7] << 8 | p[i + 8];
                return true;
            }
            i += 2 + len;
        }
    }
    return false;
}

// Prefix bound to a namespace on an element, declaring `want` when there is none.
std::string prefixFor(pugi::xml_node root, const char* uri, const char* want)
{
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view n(a.name());
        if (n.substr(0, 6) == "xmlns:" && IsNcName(n.substr(6)) && std::strcmp(a.value(), uri) == 0)
            return std::string(n.substr(6));
    }
    std::string p = want;
    for (int i = 1; root.attribute(("xmlns:" + p).c_str()); ++i)
        p = std::string(want) + std::to_string(i);
    root.append_attribute(("xmlns:" + p).c_str()) = uri;
    return p;
}

// Column widths and row heights in pixels, as the sheet declares them.
struct Geometry
{
    struct Span
    {
        int lo, hi, px;
    };
    std::vector<Span> cols;
    int defaultColPx = 64;
    int defaultRowPx = 20;
    const Sheet::Impl* sheet;

    // Width in characters (with padding) to pixels, for the 7-pixel digit of the default font.
    static int widthToPx(double w)
    {
        constexpr double mdw = 7;
        return int(std::floor((256 * w + std::floor(128 / mdw)) / 256 * mdw));
    }

    explicit Geometry(const Sheet::Impl* s) : sheet(s)
    {
        pugi::xml_node fmt = Child(s->root, "sheetFormatPr");
        if (fmt) {
            if (fmt.attribute("defaultColWidth"))
                defaultColPx = widthToPx(toDouble(fmt.attribute("defaultColWidth").value(), 9.140625));
            else if (fmt.attribute("baseColWidth"))
                defaultColPx = int(toDouble(fmt.attribute("baseColWidth").value(), 8) * 7 + 8);
            defaultRowPx = int(std::lround(toDouble(fmt.attribute("defaultRowHeight").value(), 15) * 96 / 72));
        }
        for (pugi::xml_node c = Child(Child(s->root, "cols"), "col"); c; c = c.next_sibling()) {
            if (!IsLocal(c, "col"))
                continue;
            Span sp;
            sp.lo = std::max(1, toInt(c.attribute("min").value(), 1));
            sp.hi = std::max(sp.lo, toInt(c.attribute("max").value(), sp.lo));
            const bool hidden = c.attribute("hidden").as_bool(false);
            sp.px = hidden ? 0 : (c.attribute("width") ? widthToPx(toDouble(c.attribute("width").value(), 9.140625))
                                                       : defaultColPx);
            cols.push_back(sp);
        }
    }
    int colPx(int col) const  // 1-based
    {
        for (const Span& s : cols)
            if (col >= s.lo && col <= s.hi)
                return s.px;
        return defaultColPx;
    }
    int rowPx(int row) const  // 1-based
    {
        const RowRef* r = sheet->findRow(row);
        if (r) {
            if (r->node.attribute("hidden").as_bool(false))
                return 0;
            if (pugi::xml_attribute ht = r->node.attribute("ht"))
                return int(std::lround(toDouble(ht.value(), 15) * 96 / 72));
        }
        return defaultRowPx;
    }
    // Moves a position (index, offset in pixels) forward until the offset lies inside its cell.
    static void normalize(int* index, long long* offset, int limit, const std::function<int(int)>& size)
    {
        while (*index < limit) {
            const int px = size(*index);
            if (*offset < px)
                break;
            *offset -= px;
            ++*index;
        }
    }
};

}  // namespace

int Book::addPicture(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024 * 1024)
        return -1;
    return addPicture(f.readAll());
}

int Book::addPicture(const QByteArray& imageData)
{
    Impl::Picture pic;
    if (!imageSize(imageData, &pic.ext, &pic.widthPx, &pic.heightPx))
        return -1;
    pic.data = imageData;
    d->pictures.push_back(std::move(pic));
    return int(d->pictures.size()) - 1;
}

bool Sheet::setPictureInRange(int row1, int col1, int row2, int col2, int pictureId, int margin,
                              bool centre)
{
    Book::Impl* b = d->book;
    if (!d->isWorksheet || pictureId < 0 || pictureId >= int(b->pictures.size()) || row1 < 0 || col1 < 0 ||
        row2 < row1 || col2 < col1 || row2 >= kMaxRows || col2 >= kMaxCols || margin < 0 || !d->use())
        return false;
    const Book::Impl::Picture& pic = b->pictures[size_t(pictureId)];
    if (pic.widthPx <= 0 || pic.heightPx <= 0)
        return false;
    const Geometry g(d);
    long long boxW = 0, boxH = 0;
    for (int c = col1; c <= col2; ++c)
        boxW += g.colPx(c + 1);
    for (int r = row1; r <= row2; ++r)
        boxH += g.rowPx(r + 1);
    boxW -= 2LL * margin;
    boxH -= 2LL * margin;
    if (boxW <= 0 || boxH <= 0)
        return false;
    // Whole pixels, the nearest to the true proportions, never more than the range holds.
    const double scale = std::min(double(boxW) / pic.widthPx, double(boxH) / pic.heightPx);
    const int w = int(std::clamp<long long>(std::llround(pic.widthPx * scale), 1, boxW));
    const int h = int(std::clamp<long long>(std::llround(pic.heightPx * scale), 1, boxH));
    const int offsetX = margin + (centre ? int((boxW - w) / 2) : 0);
    const int offsetY = margin + int((boxH - h) / 2);
    return setPicture2(row1, col1, pictureId, w, h, offsetX, offsetY);
}

bool Sheet::setPicture2(int row, int col, int pictureId, int width, int height, int offsetX, int offsetY)
{
    Book::Impl* b = d->book;
    if (!d->isWorksheet || pictureId < 0 || pictureId >= int(b->pictures.size()) || row < 0 || col < 0 ||
        row >= kMaxRows || col >= kMaxCols || offsetX < 0 || offsetY < 0 || !d->use())
        return false;
    Book::Impl::Picture& pic = b->pictures[size_t(pictureId)];
    if (width <= 0)
        width = pic.widthPx;
    if (height <= 0)
        height = pic.heightPx;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
        return false;

    // The picture's bytes become a media part the first time it is placed.
    if (pic.part.empty()) {
        pic.part = b->uniquePartName("xl/media/image", "." + pic.ext);
        b->pkg.write(pic.part, pic.data);
        b->ensureDefault(pic.ext.c_str(), pic.ext == "png" ? "image/png" : "image/jpeg");
    }

    // The sheet's drawing, created when it has none.
    std::string drawingPath;
    if (pugi::xml_node dr = Child(d->root, "drawing")) {
        for (pugi::xml_attribute a = dr.first_attribute(); a; a = a.next_attribute())
            if (LocalName(a.name()) == "id")
                drawingPath = b->relTarget(d->path, a.value());
    }
    XmlPart* dp = drawingPath.empty() ? nullptr : b->part(drawingPath);
    if (!dp) {
        drawingPath = b->uniquePartName("xl/drawings/drawing", ".xml");
        dp = b->newPart(drawingPath,
                        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                        "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
                        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"/>");
        b->addOverride(drawingPath, kCtDrawing);
        const std::string rid = b->addRel(d->path, reltype::kDrawing, drawingPath);
        if (pugi::xml_node old = Child(d->root, "drawing"))
            d->root.remove_child(old);
        pugi::xml_node dr = d->ensureChild("drawing");
        dr.append_attribute((prefixFor(d->root, ns::kRel, "r") + ":id").c_str()) = rid.c_str();
    }
    pugi::xml_node wsDr = dp->doc.document_element();
    const std::string xdr = prefixFor(wsDr, ns::kXdr, "xdr") + ":";
    const std::string a = prefixFor(wsDr, ns::kA, "a") + ":";
    const std::string r = prefixFor(wsDr, ns::kRel, "r");

    // The drawing's relationship to the picture, shared by every placement of it.
    std::string embed;
    if (XmlPart* rels = b->rels(drawingPath, false)) {
        for (pugi::xml_node c = rels->doc.document_element().first_child(); c; c = c.next_sibling())
            if (IsLocal(c, "Relationship") && RelTypeIs(c.attribute("Type").value(), "image") &&
                ResolveTarget(drawingPath, c.attribute("Target").value()) == pic.part)
                embed = c.attribute("Id").value();
    }
    if (embed.empty())
        embed = b->addRel(drawingPath, reltype::kImage, pic.part);

    unsigned maxId = 1;
    for (pugi::xpath_node n : wsDr.select_nodes("//*[local-name()='cNvPr']"))
        maxId = std::max(maxId, n.node().attribute("id").as_uint(0));
    const unsigned id = maxId + 1;

    // Two-cell anchor: the picture moves and sizes with the cells under it.
    const Geometry g(d);
    int fc = col + 1, fr = row + 1;
    long long fco = offsetX, fro = offsetY;
    auto colSize = [&](int c) { return g.colPx(c); };
    auto rowSize = [&](int rr) { return g.rowPx(rr); };
    Geometry::normalize(&fc, &fco, kMaxCols, colSize);
    Geometry::normalize(&fr, &fro, kMaxRows, rowSize);
    int tc = fc, tr = fr;
    long long tco = fco + width, tro = fro + height;
    Geometry::normalize(&tc, &tco, kMaxCols, colSize);
    Geometry::normalize(&tr, &tro, kMaxRows, rowSize);

    pugi::xml_node anchor = wsDr.append_child((xdr + "twoCellAnchor").c_str());
    anchor.append_attribute("editAs") = "twoCell";
    auto marker = [&](const char* name, int c, long long co, int rr, long long ro) {
        pugi::xml_node m = anchor.append_child((xdr + name).c_str());
        m.append_child((xdr + "col").c_str()).text().set(c - 1);
        m.append_child((xdr + "colOff").c_str()).text().set(co * kEmuPerPixel);
        m.append_child((xdr + "row").c_str()).text().set(rr - 1);
        m.append_child((xdr + "rowOff").c_str()).text().set(ro * kEmuPerPixel);
    };
    marker("from", fc, fco, fr, fro);
    marker("to", tc, tco, tr, tro);
    pugi::xml_node picEl = anchor.append_child((xdr + "pic").c_str());
    pugi::xml_node nv = picEl.append_child((xdr + "nvPicPr").c_str());
    pugi::xml_node cNvPr = nv.append_child((xdr + "cNvPr").c_str());
    cNvPr.append_attribute("id") = id;
    cNvPr.append_attribute("name") = ("Picture " + std::to_string(id - 1)).c_str();
    nv.append_child((xdr + "cNvPicPr").c_str())
        .append_child((a + "picLocks").c_str())
        .append_attribute("noChangeAspect") = 1;
    pugi::xml_node fill = picEl.append_child((xdr + "blipFill").c_str());
    fill.append_child((a + "blip").c_str()).append_attribute((r + ":embed").c_str()) = embed.c_str();
    fill.append_child((a + "stretch").c_str()).append_child((a + "fillRect").c_str());
    pugi::xml_node sp = picEl.append_child((xdr + "spPr").c_str());
    pugi::xml_node xfrm = sp.append_child((a + "xfrm").c_str());
    pugi::xml_node off = xfrm.append_child((a + "off").c_str());
    off.append_attribute("x") = 0;
    off.append_attribute("y") = 0;
    pugi::xml_node ext = xfrm.append_child((a + "ext").c_str());
    ext.append_attribute("cx") = static_cast<long long>(width) * kEmuPerPixel;
    ext.append_attribute("cy") = static_cast<long long>(height) * kEmuPerPixel;
    pugi::xml_node geom = sp.append_child((a + "prstGeom").c_str());
    geom.append_attribute("prst") = "rect";
    geom.append_child((a + "avLst").c_str());
    anchor.append_child((xdr + "clientData").c_str());
    dp->dirty = true;
    d->xml->dirty = true;
    return true;
}
