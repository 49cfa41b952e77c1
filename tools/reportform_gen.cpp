// Builds the report template FORM/form.xlsx from its layout table (data/report/form.layout).
//
//   reportform_gen LAYOUT OUTPUT.xlsx
//
// Every page of a report sheet is a block of columns: captions and value cells with thin
// borders, a medium frame, a manual column break at its first column. One print scale per
// sheet fits its widest and tallest page on its paper (A4, or A3 where the sheet asks).
// Values are styled blank text cells; the template holds no formulas. Exit 1 with a message on a layout error (overlapping cells, a
// cell outside its page, an unknown entry).
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum class Role { None, Frame, Caption, Title, Value };

struct Cell
{
    Role role = Role::None;
    std::string text;
};

struct Region
{
    int r1, c1, r2, c2;
};

struct Kind
{
    std::string name;
    int cols = 0;
    int rows = 0;
    std::vector<std::pair<Region, double>> widths;  // columns c1..c2, width in characters
    std::vector<Cell> cells;                        // rows × cols
    std::vector<Region> merges;

    Cell& at(int r, int c) { return cells[size_t(r) * size_t(cols) + size_t(c)]; }
};

struct Placement
{
    Kind* kind;
    int first;
    int count;
};

struct SheetSpec
{
    std::string name;
    bool landscape = false;
    bool a3 = false;      // A3 paper instead of A4
    int scale = 0;        // a print scale asked for (percent); 0: the largest that fits
    double defaultRow = 15.0;
    std::map<int, double> rowHeights;
    std::vector<std::unique_ptr<Kind>> kinds;
    std::vector<Placement> places;
    SheetSpec* layoutOf = nullptr;  // a sheet that shares another's layout
};

[[noreturn]] void Fail(int line, const std::string& what)
{
    throw std::runtime_error("line " + std::to_string(line) + ": " + what);
}

std::string Trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return std::string();
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '|'))
        out.push_back(Trim(field));
    return out;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

int ToInt(const std::string& s, int line)
{
    try {
        size_t used = 0;
        const int v = std::stoi(s, &used);
        if (used != s.size())
            Fail(line, "not a whole number: " + s);
        return v;
    } catch (const std::logic_error&) {
        Fail(line, "not a whole number: " + s);
    }
}

double ToDouble(const std::string& s, int line)
{
    try {
        size_t used = 0;
        const double v = std::stod(s, &used);
        if (used != s.size())
            Fail(line, "not a number: " + s);
        return v;
    } catch (const std::logic_error&) {
        Fail(line, "not a number: " + s);
    }
}

// Marks a region of a kind; the text goes to its top-left cell.
void Put(Kind& k, Region g, Role role, const std::string& text, int line)
{
    if (g.r1 < 0 || g.c1 < 0 || g.r2 >= k.rows || g.c2 >= k.cols || g.r1 > g.r2 || g.c1 > g.c2)
        Fail(line, "region outside the page " + k.name);
    for (int r = g.r1; r <= g.r2; ++r)
        for (int c = g.c1; c <= g.c2; ++c)
            if (k.at(r, c).role != Role::None)
                Fail(line, "cell (" + std::to_string(r) + ", " + std::to_string(c) + ") of " + k.name +
                               " is already used");
    for (int r = g.r1; r <= g.r2; ++r)
        for (int c = g.c1; c <= g.c2; ++c)
            k.at(r, c).role = role;
    k.at(g.r1, g.c1).text = text;
    if (g.r1 != g.r2 || g.c1 != g.c2)
        k.merges.push_back(g);
}

struct Entry
{
    int line;
    std::vector<std::string> f;
};

void ApplyEntry(Kind& k, const Entry& e, int dr)
{
    const auto& f = e.f;
    const int line = e.line;
    auto need = [&](size_t n) {
        if (f.size() < n)
            Fail(line, "too few fields for " + f[0]);
    };
    auto I = [&](size_t i) { return ToInt(f[i], line); };
    const std::string& op = f[0];
    if (op == "cap" || op == "title") {
        need(6);
        Put(k, {I(1) + dr, I(2), I(3) + dr, I(4)}, op == "cap" ? Role::Caption : Role::Title,
            Unescape(f[5]), line);
    } else if (op == "val") {
        need(3);
        const int r1 = I(1) + dr, c1 = I(2);
        const int r2 = f.size() >= 5 ? I(3) + dr : r1;
        const int c2 = f.size() >= 5 ? I(4) : c1;
        Put(k, {r1, c1, r2, c2}, Role::Value, std::string(), line);
    } else if (op == "vals") {
        need(5);
        for (int r = I(1); r <= I(2); ++r)
            Put(k, {r + dr, I(3), r + dr, I(3) + I(4) - 1}, Role::Value, std::string(), line);
    } else if (op == "col") {
        need(8);
        const int c = I(5), span = I(6);
        Put(k, {I(1) + dr, c, I(2) + dr, c + span - 1}, Role::Caption, Unescape(f[7]), line);
        for (int r = I(3); r <= I(4); ++r)
            Put(k, {r + dr, c, r + dr, c + span - 1}, Role::Value, std::string(), line);
    } else if (op == "lv") {
        need(5);
        const int r = I(1) + dr, c = I(2), span = I(3);
        Put(k, {r, c, r, c + span - 1}, Role::Value, std::string(), line);
        int start = c;
        if (f.size() >= 6) {
            start = I(5);
        } else {
            while (start > 0 && k.at(r, start - 1).role == Role::None)
                --start;
        }
        if (start >= c)
            Fail(line, "no room for the caption of (" + std::to_string(r) + ", " + std::to_string(c) + ")");
        Put(k, {r, start, r, c - 1}, Role::Caption, Unescape(f[4]), line);
    } else if (op == "band") {
        need(7);
        const int tf = I(1), rev = I(2), name = I(3), nameLast = I(4), date = I(5);
        const int last = k.cols - 1;
        Put(k, {0, 0, 0, tf - 1}, Role::Frame, std::string(), line);
        Put(k, {0, tf, 0, rev - 1}, Role::Title, Unescape(f[6]), line);
        Put(k, {0, rev, 0, last}, Role::Value, std::string(), line);
        Put(k, {1, 0, 1, name - 1}, Role::Caption, "PROJECT", line);
        Put(k, {1, name, 1, nameLast}, Role::Value, std::string(), line);
        Put(k, {1, nameLast + 1, 1, date - 1}, Role::Caption, "DATE", line);
        Put(k, {1, date, 1, last}, Role::Value, std::string(), line);
    } else if (op == "width") {
        need(4);
        if (I(1) < 0 || I(2) >= k.cols || I(1) > I(2))
            Fail(line, "columns outside the page " + k.name);
        k.widths.push_back({{0, I(1), 0, I(2)}, ToDouble(f[3], line)});
    } else {
        Fail(line, "unknown entry " + op);
    }
}

std::vector<std::unique_ptr<SheetSpec>> ReadLayout(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<std::unique_ptr<SheetSpec>> sheets;
    SheetSpec* sheet = nullptr;
    Kind* kind = nullptr;
    std::vector<Entry> repeatBody;
    int repeatCount = 0, repeatStep = 0;
    bool inRepeat = false;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        const std::string t = Trim(text);
        if (t.empty() || t[0] == '#')
            continue;
        Entry e{line, Split(t)};
        const std::string& op = e.f[0];
        if (inRepeat && op != "end") {
            repeatBody.push_back(e);
            continue;
        }
        if (op == "sheet") {
            if (e.f.size() < 3)
                Fail(line, "sheet needs a name and an orientation");
            sheets.push_back(std::make_unique<SheetSpec>());
            sheet = sheets.back().get();
            sheet->name = e.f[1];
            sheet->landscape = e.f[2] == "landscape";
            if (e.f.size() >= 4) {
                for (auto& s : sheets)
                    if (s->name == e.f[3])
                        sheet->layoutOf = s.get();
                if (!sheet->layoutOf)
                    Fail(line, "no earlier sheet " + e.f[3]);
            }
            kind = nullptr;
        } else if (!sheet) {
            Fail(line, op + " before the first sheet");
        } else if (op == "paper") {
            if (e.f.size() < 2 || (e.f[1] != "A3" && e.f[1] != "A4"))
                Fail(line, "paper needs A3 or A4");
            sheet->a3 = e.f[1] == "A3";
        } else if (op == "scale") {
            if (e.f.size() < 2)
                Fail(line, "scale needs a percentage");
            sheet->scale = ToInt(e.f[1], line);
            if (sheet->scale < 10 || sheet->scale > 100)
                Fail(line, "scale outside 10..100");
        } else if (op == "rowheight") {
            if (e.f.size() < 3)
                Fail(line, "rowheight needs a row and a height");
            if (e.f[1] == "*")
                sheet->defaultRow = ToDouble(e.f[2], line);
            else
                sheet->rowHeights[ToInt(e.f[1], line)] = ToDouble(e.f[2], line);
        } else if (op == "kind") {
            if (e.f.size() < 4)
                Fail(line, "kind needs a name, columns and rows");
            auto k = std::make_unique<Kind>();
            k->name = e.f[1];
            k->cols = ToInt(e.f[2], line);
            k->rows = ToInt(e.f[3], line);
            if (k->cols < 1 || k->rows < 1)
                Fail(line, "empty page kind");
            k->cells.resize(size_t(k->cols) * size_t(k->rows));
            kind = k.get();
            sheet->kinds.push_back(std::move(k));
        } else if (op == "place") {
            if (e.f.size() < 4)
                Fail(line, "place needs a kind, a first column and a count");
            Kind* found = nullptr;
            for (auto& k : sheet->kinds)
                if (k->name == e.f[1])
                    found = k.get();
            if (!found)
                Fail(line, "no page kind " + e.f[1] + " on this sheet");
            sheet->places.push_back({found, ToInt(e.f[2], line), ToInt(e.f[3], line)});
        } else if (op == "repeat") {
            if (!kind || e.f.size() < 3)
                Fail(line, "repeat needs a page kind, a count and a row step");
            inRepeat = true;
            repeatCount = ToInt(e.f[1], line);
            repeatStep = ToInt(e.f[2], line);
            repeatBody.clear();
        } else if (op == "end") {
            if (!inRepeat)
                Fail(line, "end without repeat");
            inRepeat = false;
            for (int i = 0; i < repeatCount; ++i)
                for (const Entry& b : repeatBody)
                    ApplyEntry(*kind, b, i * repeatStep);
        } else {
            if (!kind)
                Fail(line, op + " outside a page kind");
            ApplyEntry(*kind, e, 0);
        }
    }
    if (inRepeat)
        Fail(line, "repeat without end");
    return sheets;
}

// Column width in characters to points, as the spreadsheet program converts it for the
// default font (7-pixel digits, 5 pixels of padding).
double WidthToPoints(double chars)
{
    const double px = chars < 1.0 ? std::floor(chars * 12.0 + 0.5) : std::floor(chars * 7.0 + 0.5) + 5.0;
    return px * 0.75;
}

class Formats
{
public:
    explicit Formats(lxw_workbook* wb) : m_wb(wb) {}

    lxw_format* get(Role role, bool top, bool bottom, bool left, bool right)
    {
        const int key = int(role) * 16 + (top ? 1 : 0) + (bottom ? 2 : 0) + (left ? 4 : 0) + (right ? 8 : 0);
        auto it = m_cache.find(key);
        if (it != m_cache.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_wb);
        format_set_font_name(f, "맑은 고딕");
        format_set_font_size(f, 9);
        format_set_align(f, LXW_ALIGN_CENTER);
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        const uint8_t inner = role == Role::None ? uint8_t(LXW_BORDER_NONE) : uint8_t(LXW_BORDER_THIN);
        const uint8_t frame = uint8_t(LXW_BORDER_MEDIUM);
        format_set_top(f, top ? frame : inner);
        format_set_bottom(f, bottom ? frame : inner);
        format_set_left(f, left ? frame : inner);
        format_set_right(f, right ? frame : inner);
        switch (role) {
        case Role::Caption:
            format_set_text_wrap(f);
            format_set_bg_color(f, 0xEDEDED);
            break;
        case Role::Title:
            format_set_bold(f);
            format_set_font_size(f, 14);
            break;
        case Role::Value:
            format_set_shrink(f);
            format_set_num_format(f, "@");
            break;
        default:
            break;
        }
        m_cache[key] = f;
        return f;
    }

private:
    lxw_workbook* m_wb;
    std::map<int, lxw_format*> m_cache;
};

// The print scale of a sheet: the one asked for, or the largest that fits its widest and its
// tallest page on the paper. `fit` is the scale at which the largest page exactly fills the
// printable area.
int PrintScale(const SheetSpec& s, double fit, const std::string& name)
{
    if (s.scale == 0)
        // Room for the readers that round column widths up (LibreOffice does).
        return std::clamp(int(std::floor(fit * 100.0 * 0.88)), 10, 100);
    // A scale asked for must still leave that room: a page it does not fit would print on two
    // sheets of paper.
    if (s.scale > fit * 100.0 * 0.93)
        throw std::runtime_error("sheet " + name + ": a page does not fit on its paper at " +
                                 std::to_string(s.scale) + " %");
    return s.scale;
}

void WriteSheet(lxw_workbook* wb, Formats& formats, const SheetSpec& named)
{
    const SheetSpec& s = named.layoutOf ? *named.layoutOf : named;
    lxw_worksheet* ws = workbook_add_worksheet(wb, named.name.c_str());
    if (!ws)
        throw std::runtime_error("cannot add the sheet " + named.name);
    worksheet_set_paper(ws, s.a3 ? 8 : 9);  // A3 or A4
    if (s.landscape)
        worksheet_set_landscape(ws);
    else
        worksheet_set_portrait(ws);
    worksheet_set_margins(ws, 0.4, 0.4, 0.4, 0.4);
    worksheet_set_header_opt(ws, "", nullptr);
    worksheet_gridlines(ws, LXW_HIDE_ALL_GRIDLINES);
    worksheet_ignore_errors(ws, LXW_IGNORE_NUMBER_STORED_AS_TEXT, "A1:XFD1048576");
    worksheet_set_default_row(ws, s.defaultRow, 0);
    if (s.places.empty())
        return;

    int printRows = 0, lastCol = 0;
    double widest = 0.0;
    std::vector<lxw_col_t> breaks;
    for (const Placement& p : s.places) {
        const Kind& k = *p.kind;
        printRows = std::max(printRows, k.rows);
        double w = 0.0;
        std::vector<double> colWidth(size_t(k.cols), 8.43);
        for (const auto& [g, width] : k.widths)
            for (int c = g.c1; c <= g.c2; ++c)
                colWidth[size_t(c)] = width;
        for (double cw : colWidth)
            w += WidthToPoints(cw);
        widest = std::max(widest, w);
        for (int i = 0; i < p.count; ++i) {
            const int off = p.first + i * k.cols;
            lastCol = std::max(lastCol, off + k.cols - 1);
            if (off > 0)
                breaks.push_back(lxw_col_t(off));
            for (const auto& [g, width] : k.widths)
                worksheet_set_column(ws, lxw_col_t(off + g.c1), lxw_col_t(off + g.c2), width, nullptr);
        }
    }
    // Every printed row gets its height written out: a reader that sizes rows to their text
    // (wrapped captions) would otherwise push a page onto two sheets of paper.
    double tallest = 0.0;
    for (int r = 0; r < printRows; ++r) {
        auto it = s.rowHeights.find(r);
        const double h = it != s.rowHeights.end() ? it->second : s.defaultRow;
        worksheet_set_row(ws, lxw_row_t(r), h, nullptr);
        tallest += h;
    }

    for (const Placement& p : s.places) {
        Kind& k = *p.kind;
        for (int i = 0; i < p.count; ++i) {
            const int off = p.first + i * k.cols;
            auto fmt = [&](int r, int c) {
                return formats.get(k.at(r, c).role, r == 0, r == k.rows - 1, c == 0, c == k.cols - 1);
            };
            // A merged range is drawn by some readers with its first cell's borders all round:
            // that cell carries the frame of every page edge the range touches.
            std::map<std::pair<int, int>, const Region*> mergeAt;
            for (const Region& g : k.merges)
                mergeAt[{g.r1, g.c1}] = &g;
            auto cellFmt = [&](int r, int c) {
                const auto it = mergeAt.find({r, c});
                if (it == mergeAt.end())
                    return fmt(r, c);
                const Region& g = *it->second;
                return formats.get(k.at(r, c).role, g.r1 == 0, g.r2 == k.rows - 1, g.c1 == 0, g.c2 == k.cols - 1);
            };
            for (const Region& g : k.merges)
                worksheet_merge_range(ws, lxw_row_t(g.r1), lxw_col_t(off + g.c1), lxw_row_t(g.r2),
                                      lxw_col_t(off + g.c2), k.at(g.r1, g.c1).text.c_str(), cellFmt(g.r1, g.c1));
            // Each cell again with its own edges, so the frame runs through merged cells too.
            for (int r = 0; r < k.rows; ++r) {
                for (int c = 0; c < k.cols; ++c) {
                    const Cell& cell = k.at(r, c);
                    const bool edge = r == 0 || r == k.rows - 1 || c == 0 || c == k.cols - 1;
                    if (cell.role == Role::None && !edge)
                        continue;
                    if (!cell.text.empty())
                        worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(off + c), cell.text.c_str(), cellFmt(r, c));
                    else
                        worksheet_write_blank(ws, lxw_row_t(r), lxw_col_t(off + c), cellFmt(r, c));
                }
            }
        }
    }

    worksheet_print_area(ws, 0, 0, lxw_row_t(printRows - 1), lxw_col_t(lastCol));
    std::sort(breaks.begin(), breaks.end());
    breaks.push_back(0);
    worksheet_set_v_pagebreaks(ws, breaks.data());

    // One scale for the sheet: its widest and its tallest page fit the printable area.
    const double margin = 0.4 * 72.0 * 2.0;
    double pw = (s.a3 ? 841.9 : 595.3) - margin, ph = (s.a3 ? 1190.6 : 841.9) - margin;
    if (s.landscape)
        std::swap(pw, ph);
    const double fit = std::min(pw / widest, ph / tallest);
    worksheet_set_print_scale(ws, uint16_t(PrintScale(s, fit, named.name)));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: reportform_gen LAYOUT OUTPUT.xlsx\n");
        return 1;
    }
    try {
        const auto sheets = ReadLayout(argv[1]);
        const std::string out = argv[2];
        const std::string tmp = out + ".tmp";
        lxw_workbook* wb = workbook_new(tmp.c_str());
        if (!wb)
            throw std::runtime_error("cannot create " + tmp);
        Formats formats(wb);
        for (const auto& s : sheets)
            WriteSheet(wb, formats, *s);
        if (workbook_close(wb) != LXW_NO_ERROR)
            throw std::runtime_error("cannot write " + tmp);
        if (std::rename(tmp.c_str(), out.c_str()) != 0)
            throw std::runtime_error("cannot rename " + tmp + " to " + out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "reportform_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
