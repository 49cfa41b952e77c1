# Reads the page furniture of one sheet of a report workbook: argv 1 the workbook, 2 the sheet
# name, 3 a row (0-based). Prints the first column (0-based) of every picture anchored on the
# sheet, then the merged ranges that start in that row.
import posixpath, re, sys, zipfile
import openpyxl

book, name, row = sys.argv[1], sys.argv[2], int(sys.argv[3])
z = zipfile.ZipFile(book)
rels = z.read('xl/_rels/workbook.xml.rels').decode()
wb = z.read('xl/workbook.xml').decode()
rid = re.search(r'<sheet\b[^>]*\bname="%s"[^>]*\br:id="([^"]+)"' % re.escape(name), wb).group(1)
rel = re.search(r'<Relationship\b[^>]*\bId="%s"[^>]*>' % re.escape(rid), rels).group(0)
target = re.search(r'Target="([^"]+)"', rel).group(1)
sheet = target.lstrip('/') if target.startswith('/') else posixpath.normpath(posixpath.join('xl', target))
srels = posixpath.join(posixpath.dirname(sheet), '_rels', posixpath.basename(sheet) + '.rels')
cols = []
if srels in z.namelist():
    for t in re.findall(r'Target="([^"]*drawing[^"]*)"', z.read(srels).decode()):
        part = t.lstrip('/') if t.startswith('/') else posixpath.normpath(posixpath.join(posixpath.dirname(sheet), t))
        xml = z.read(part).decode()
        cols += [int(c) for c in re.findall(r'<(?:\w+:)?from>\s*<(?:\w+:)?col>(\d+)<', xml)]
print('logos', ','.join(str(c) for c in sorted(cols)))
ws = openpyxl.load_workbook(book)[name]
merges = sorted((m for m in ws.merged_cells.ranges if m.min_row == row + 1), key=lambda m: m.min_col)
print('merges', ' '.join(str(m) for m in merges))
