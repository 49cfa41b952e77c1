# Checks the report template with openpyxl, an independent reader: sheet order, page blocks,
# frames, header bands, print areas, column breaks, page setup, that every cell a sheet writer
# fills exists as a styled text cell that is not swallowed by a merge, and that every caption
# prints whole inside its cells.
# Usage: check_template.py TEMPLATE WRITERCELLS   (prints "ok" or the faults found)
import functools
import math
import re
import subprocess
import sys
import unicodedata
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter

template, cellsfile = sys.argv[1], sys.argv[2]

# (name, [(first column, columns, rows) of each page], has header bands)
BUS = [(16 * i, 16, 51) for i in range(34)]
SHEETS = [
    ("표지", [(0, 13, 57), (13, 13, 57)], False),
    ("동력", [(0, 24, 39)] + [(24 + 24 * i, 24, 39) for i in range(50)], True),
    ("부하", [(0, 28, 81), (28, 28, 81), (56, 28, 81)] + [(84 + 28 * i, 28, 81) for i in range(50)], True),
    ("케이블&차단기", [(46 * i, 46, 54) for i in range(10)], True),
    ("케이블 트레이", [(14 * i, 14, 50) for i in range(30)], True),
    ("변압기용량", [(13 * i, 13, 50) for i in range(5)], True),
    ("발전기용량", [(0, 10, 42)] + [(10 + 14 * i, 14, 42) for i in range(10)], True),
    ("고장전류", [(0, 18, 40), (18, 23, 53)] + [(41 + 20 * i, 20, 56) for i in range(5)] + [(141, 17, 56)], True),
    ("고장전류 TR-1", BUS, True),
    ("고장전류 TR-2", BUS, True),
    ("고장전류 TR-3", BUS, True),
    ("고장전류 TR-4", BUS, True),
    ("고장전류 TR-5", BUS, True),
    ("접지", [(50 * i, 50, 45) for i in range(7)], True),
    ("예비", [], False),
]

# Captions the writers' tables name, a sample per sheet (as in the first page that has them).
CAPTIONS = {
    "표지": ["REV.NO", "일자", "용도", "설계자", "검토자", "승인자", "ISSUE STATUS"],
    # The design page lists every item of the motor design page, 1) to 10), in its order.
    "동력": ["장비명", "장비번호", "예비부하", "기동방식", "UNIT SIZE", "연결부하(CL)", "수용률(DF)",
             "수용부하(DL)", "CABLE", "3상단락전류(Isc)", "최대단락전류", "최소단락전류", "DOL", "INV.",
             "1) IB : 전동기 정격전류 [A]", "2) β : 전동기의 전전압 기동배율",
             "3) C : 전동기의 기동방식에 따른 계수 (DOL : 1, Y-D : 1/3, 리액터 : TAP)",
             "4) λ : 기동방식별 전류제한 비율", "5) k : 돌입전류 배율", "6) IMS : 전동기 기동전류",
             "7) II : 전동기 기동돌입전류", "8) tm : 기동방식별 기동시간 [sec]",
             "9) cosθS : 전동기 기동시 역률", "10) CT : 전동기 변류기 선정조건"],
    "부하": ["부하명", "상별 부하합계 [VA]", "총 연결 부하 [VA]", "상별 부하전류 [A]", "상별 부하분담 [%]",
             "수용률[%]", "수용부하[kVA]", "(3) 여유계수 :", "(1) 차단기동작배율(δ) :"],
    "케이블&차단기": ["부하\n종류", "수용률", "CABLE SPEC.", "ISMIN\n[kA]", "ISMAX\n[kA]", "IB<IN\n<IZ",
                  "I2<\n1.45xIZ", "SMSVD%", "CONDUIT"],
    "케이블 트레이": ["설치위치", "용도", "외경(m)", "점유폭\n(m)", "단위중량\n(kg/m)", "비고", "총중량"],
    "변압기용량": ["변압기명", "PANEL NO.", "부하내용", "연결부하[VA]", "수용률[%]", "수용부하[VA]"],
    "발전기용량": ["ΣP : 전동기 이외 부하의 입력용량 합계 (kVA)", "판넬명", "정전시부하", "화재시부하", "부하\n종류"],
    "고장전류": ["설비명", "%R1", "%X0", "거리[km]", "LRC", "%ZM", "XPE", "RPE250"],
    "고장전류 TR-1": ["BUS NAME", "NGR", "Ik''[kA]", "Ib(IF-MAX)", "IG-MAX", "CMAX", "XST-MIN", "RGT"],
    "접지": ["Kii", "Kh", "K1", "K2", "접지시스템의 종류", "허용접촉전압"],
}

faults = []

# Text widths as LibreOffice prints the template's font, which it replaces with DejaVu Sans for
# Latin text and a Korean font (NanumGothic) for Korean.
from PIL import ImageFont


def font_file(name):
    return subprocess.run(["fc-match", "-f", "%{file}", name], capture_output=True, text=True).stdout.strip()


LATIN = ImageFont.truetype(font_file("DejaVu Sans"), 900)
KOREAN = ImageFont.truetype(font_file("NanumGothic"), 900)


@functools.lru_cache(maxsize=None)
def char_width(ch, size):
    font = KOREAN if unicodedata.east_asian_width(ch) in ("W", "F") else LATIN
    return font.getlength(ch) / 900 * size


def text_width(text, size):
    return sum(char_width(ch, size) for ch in text)


@functools.lru_cache(maxsize=None)
def wrapped_lines(text, size, width):
    """Lines a wrapping caption takes in `width` points: at its line breaks, at spaces, and
    anywhere inside a word wider than the cell."""
    lines = 0
    for para in text.split("\n"):
        lines += 1
        x = 0.0
        for word in para.split(" "):
            w = text_width(word, size)
            space = char_width(" ", size) if x > 0 else 0.0
            if x > 0 and x + space + w > width:
                lines += 1
                x, space = 0.0, 0.0
            if w <= width:
                x += space + w
                continue
            for ch in word:
                cw = char_width(ch, size)
                if x > 0 and x + cw > width:
                    lines += 1
                    x = 0.0
                x += cw
    return lines


def column_points(ws):
    """Width in points by 1-based column, as the spreadsheet converts character widths."""
    chars = {}
    for d in ws.column_dimensions.values():
        if d.min is not None and d.customWidth:
            for k in range(d.min, d.max + 1):
                chars[k] = d.width

    def points(c):
        w = chars.get(c, 8.43)
        px = math.floor(w * 12 + 0.5) if w < 1 else math.floor(w * 7 + 0.5) + 5
        return px * 0.75

    return points


def fault(msg):
    if len(faults) < 40:
        faults.append(msg)


# The writers' cells, by sheet index.
cells = {}
for line in open(cellsfile, encoding="utf-8"):
    line = line.strip()
    if not line or line.startswith("#"):
        continue
    f = line.split()
    r1, r2, c1, c2 = map(int, f[1:5])
    colstep, count, rowstep = 0, 1, 0
    if len(f) >= 7:
        colstep, count = int(f[5]), int(f[6])
    if len(f) >= 8:
        rowstep = int(f[7])
    lo, _, hi = f[0].partition("-")
    for s in range(int(lo), int(hi or lo) + 1):
        for i in range(count):
            for r in range(r1, r2 + 1):
                for c in range(c1, c2 + 1):
                    cells.setdefault(s, set()).add((r + i * rowstep, c + i * colstep))

wb = openpyxl.load_workbook(template)
names = [ws.title for ws in wb.worksheets]
if names != [s[0] for s in SHEETS]:
    fault("sheet order %r" % names)

raw = zipfile.ZipFile(template)

for index, (name, blocks, bands) in enumerate(SHEETS):
    if name not in wb.sheetnames:
        continue
    ws = wb[name]
    # Page setup: A4 (the cable sheet A3), a fixed scale, no gridlines.
    if str(ws.page_setup.paperSize) != ("8" if name == "케이블&차단기" else "9"):
        fault("%s: paper %r" % (name, ws.page_setup.paperSize))
    if ws.sheet_view.showGridLines is not False:
        fault("%s: gridlines shown" % name)
    if ws.sheet_properties.pageSetUpPr is not None and ws.sheet_properties.pageSetUpPr.fitToPage:
        fault("%s: fit to page instead of a fixed scale" % name)
    for cell in ws._cells.values():
        if cell.data_type == "f" or (isinstance(cell.value, str) and cell.value.startswith("=")):
            fault("%s: formula in %s" % (name, cell.coordinate))
            break
    if not blocks:
        if ws._cells:
            fault("%s: the spare sheet is not blank" % name)
        continue
    scale = ws.page_setup.scale
    if scale is None or not 10 <= int(scale) <= 100:
        fault("%s: scale %r" % (name, scale))

    # Print area and manual column breaks at each page's first column.
    last_col = max(first + cols - 1 for first, cols, rows in blocks)
    rows = max(r for _, _, r in blocks)
    expected_area = "$A$1:$%s$%d" % (get_column_letter(last_col + 1), rows)
    area = ws.print_area or ""
    if isinstance(area, (list, tuple)):
        area = ",".join(area)
    if not area.endswith(expected_area):
        fault("%s: print area %r, expected %s" % (name, area, expected_area))
    breaks = sorted(b.id for b in ws.col_breaks.brk)
    if breaks != sorted(first for first, _, _ in blocks if first > 0):
        fault("%s: column breaks %r" % (name, breaks[:8]))

    # Number-stored-as-text warnings are off for the whole sheet.
    sheet_xml = raw.read("xl/worksheets/sheet%d.xml" % (index + 1)).decode("utf-8")
    if not re.search(r'<ignoredError sqref="A1:XFD1048576" numberStoredAsText="1"/>', sheet_xml):
        fault("%s: number-stored-as-text warnings not turned off" % name)

    covered = set()
    for rng in ws.merged_cells.ranges:
        for r in range(rng.min_row, rng.max_row + 1):
            for c in range(rng.min_col, rng.max_col + 1):
                if (r, c) != (rng.min_row, rng.min_col):
                    covered.add((r - 1, c - 1))

    # The medium frame around each page, seen on the cells that are not inside a merge (a
    # reader keeps no style for those).
    def edge(cells_on_edge, side):
        seen = [ws._cells.get((r + 1, c + 1)) for r, c in cells_on_edge if (r, c) not in covered]
        seen = [c for c in seen if c is not None]
        return bool(seen) and all(getattr(c.border, side).style == "medium" for c in seen)

    for first, cols, nrows in blocks:
        last = first + cols - 1
        ok = (edge([(0, c) for c in range(first, last + 1)], "top")
              and edge([(nrows - 1, c) for c in range(first, last + 1)], "bottom")
              and edge([(r, first) for r in range(nrows)], "left")
              and edge([(r, last) for r in range(nrows)], "right"))
        if not ok:
            fault("%s: page at column %d has no medium frame" % (name, first))
        if bands:
            row0 = [ws.cell(1, c + 1).value for c in range(first, last + 1)]
            row1 = [ws.cell(2, c + 1).value for c in range(first, last + 1)]
            if "PROJECT" not in row1 or "DATE" not in row1 or not any(isinstance(v, str) and v for v in row0):
                fault("%s: page at column %d has no header band" % (name, first))

    # Every wrapping caption fits its cells: its lines (3 pt of the width for the cell's inner
    # margins, 1.17 of the font size a line) within the height of its rows.
    points = column_points(ws)
    default_height = ws.sheet_format.defaultRowHeight or 15
    merged_at = {(rng.min_row, rng.min_col): rng for rng in ws.merged_cells.ranges}
    cut = set()
    for (r, c), cell in ws._cells.items():
        if not isinstance(cell.value, str) or not cell.value or not cell.alignment.wrap_text:
            continue
        rng = merged_at.get((r, c))
        r2, c2 = (rng.max_row, rng.max_col) if rng else (r, c)
        width = sum(points(k) for k in range(c, c2 + 1)) - 3.0
        height = sum(ws.row_dimensions[k].height or default_height for k in range(r, r2 + 1))
        size = cell.font.sz or 11
        if wrapped_lines(cell.value, size, width) * size * 1.17 > height and cell.value not in cut:
            cut.add(cell.value)
            fault("%s: caption %r in %s does not fit its cells" % (name, cell.value, cell.coordinate))

    texts = {c.value for c in ws._cells.values() if isinstance(c.value, str)}
    for caption in CAPTIONS.get(name, []):
        if caption not in texts:
            fault("%s: caption %r missing" % (name, caption))

    # Every writer cell: present, a centred shrink-to-fit text cell, not inside a merge.
    for r, c in sorted(cells.get(index, ())):
        where = "%s!%s%d" % (name, get_column_letter(c + 1), r + 1)
        if (r, c) in covered:
            fault("%s lies inside a merge" % where)
            continue
        cell = ws._cells.get((r + 1, c + 1))
        if cell is None:
            fault("%s is not in the template" % where)
            continue
        if cell.value not in (None, ""):
            fault("%s holds %r" % (where, cell.value))
        if cell.number_format != "@" or not cell.alignment.shrink_to_fit or cell.alignment.horizontal != "center":
            fault("%s is not a centred shrink-to-fit text cell" % where)
        if cell.border.left.style is None or cell.border.top.style is None:
            fault("%s has no border" % where)

print("\n".join(faults) if faults else "ok")
