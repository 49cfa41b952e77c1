# Reads what a report workbook asks the printer for: argv 1 the workbook, 2 the cover's logo
# area "r1,c1,r2,c2" (0-based, inclusive), 3 a sheet whose page setup to print.
# For every picture: "logo SHEET inside=0|1 aspect=W/H size=WxH from=ROW,COL+DX,DY to=...",
# where inside says that its two-cell
# anchor lies within its cell range (the cover: the area given; any other sheet: the merged
# header cells in row 0 that hold the anchor's first cell). Then for the sheet of argv 3:
# "print SHEET paper=N orientation=O scale=S font=F printed=P", F the smallest font size of
# its cells and P = F x S / 100, the size the text prints at.
import html, posixpath, re, sys, zipfile
import openpyxl

book, cover_area, print_sheet = sys.argv[1], sys.argv[2], sys.argv[3]
cr1, cc1, cr2, cc2 = (int(x) for x in cover_area.split(','))
EMU_PER_PX = 9525

z = zipfile.ZipFile(book)
wb_xml = z.read('xl/workbook.xml').decode()
wb_rels = z.read('xl/_rels/workbook.xml.rels').decode()
wb = openpyxl.load_workbook(book)


def part_path(base, target):
    return target.lstrip('/') if target.startswith('/') else posixpath.normpath(posixpath.join(posixpath.dirname(base), target))


def marker(xml, name):
    m = re.search(r'<(?:\w+:)?%s>(.*?)</(?:\w+:)?%s>' % (name, name), xml, re.S)
    v = lambda tag: int(re.search(r'<(?:\w+:)?%s>(-?\d+)<' % tag, m.group(1)).group(1))
    return v('col'), v('colOff'), v('row'), v('rowOff')


def inside(frm, to, r1, c1, r2, c2):
    fc, _, fr, _ = frm
    tc, tco, tr, tro = to
    cols = fc >= c1 and (tc <= c2 or (tc == c2 + 1 and tco == 0))
    rows = fr >= r1 and (tr <= r2 or (tr == r2 + 1 and tro == 0))
    return cols and rows


for raw_name, rid in re.findall(r'<sheet\b[^>]*\bname="([^"]+)"[^>]*\br:id="([^"]+)"', wb_xml):
    name = html.unescape(raw_name)
    rel = re.search(r'<Relationship\b[^>]*\bId="%s"[^>]*>' % re.escape(rid), wb_rels).group(0)
    sheet = part_path('xl/workbook.xml', re.search(r'Target="([^"]+)"', rel).group(1))
    srels = posixpath.join(posixpath.dirname(sheet), '_rels', posixpath.basename(sheet) + '.rels')
    if srels not in z.namelist():
        continue
    ws = wb[name]
    for target in re.findall(r'Target="([^"]*drawing[^"]*)"', z.read(srels).decode()):
        xml = z.read(part_path(sheet, target)).decode()
        for anchor in re.findall(r'<(?:\w+:)?twoCellAnchor\b.*?</(?:\w+:)?twoCellAnchor>', xml, re.S):
            frm, to = marker(anchor, 'from'), marker(anchor, 'to')
            ext = re.search(r'<a:ext\b[^>]*cx="(\d+)"[^>]*cy="(\d+)"', anchor)
            aspect = int(ext.group(1)) / int(ext.group(2))
            if name == '표지':
                ok = inside(frm, to, cr1, cc1, cr2, cc2)
            else:
                ok = False
                for m in ws.merged_cells.ranges:
                    if m.min_row == 1 and m.min_col <= frm[0] + 1 <= m.max_col:
                        ok = inside(frm, to, m.min_row - 1, m.min_col - 1, m.max_row - 1, m.max_col - 1)
            print('logo %s inside=%d aspect=%.3f size=%dx%d from=%d,%d+%d,%d to=%d,%d+%d,%d'
                  % (name, 1 if ok else 0, aspect, int(ext.group(1)) // EMU_PER_PX, int(ext.group(2)) // EMU_PER_PX,
                     frm[2], frm[0], frm[1] // EMU_PER_PX, frm[3] // EMU_PER_PX,
                     to[2], to[0], to[1] // EMU_PER_PX, to[3] // EMU_PER_PX))

ws = wb[print_sheet]
setup = ws.page_setup
font = min(c.font.sz for c in ws._cells.values() if c.font is not None and c.font.sz)
print('print %s paper=%s orientation=%s scale=%s font=%g printed=%.2f'
      % (print_sheet, setup.paperSize, setup.orientation, setup.scale, font,
         font * int(setup.scale) / 100.0))
