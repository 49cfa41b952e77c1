# Reads one sheet of a report workbook back: argv 1 the workbook, 2 the sheet name, 3 the last
# column a kept page may use (1-based), then cells as "row,col" (0-based).
# Prints the print area, the merges, styled cells, column widths and column breaks that reach
# beyond that column, then "row,col=text" for every cell asked for ("" for an empty cell).
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb[sys.argv[2]]
limit = int(sys.argv[3])
area = ws.print_area
area = ','.join(area) if isinstance(area, (list, tuple)) else (area or '')
print('area', area.split('!')[-1])
print('merges beyond', sum(1 for m in ws.merged_cells.ranges if m.max_col > limit))
print('cells beyond', sum(1 for (r, c) in ws._cells if c > limit))
print('widths beyond', sum(1 for d in ws.column_dimensions.values()
                            if d.max is not None and d.max > limit and d.customWidth))
print('breaks beyond', sum(1 for b in ws.col_breaks.brk if b.id > limit))
for cell in sys.argv[4:]:
    r, c = (int(x) for x in cell.split(','))
    v = ws.cell(row=r + 1, column=c + 1).value
    print('%d,%d=%s' % (r, c, '' if v is None else v))
