#!/usr/bin/env python3
"""Writes a few tiny valid .xlsx files into the folder given as the only argument: the seeds
from which the workbook-loader fuzzer starts."""
import base64
import os
import sys
import warnings
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument."
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
PNG = base64.b64decode(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC")


def book(path, sheets, shared=None, defined="", extra=None, extra_types="", sheet_rels=None, again=None):
    types = (DECL + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
             '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
             '<Default Extension="xml" ContentType="application/xml"/>'
             '<Default Extension="png" ContentType="image/png"/>'
             f'<Override PartName="/xl/workbook.xml" ContentType="{CT}spreadsheetml.sheet.main+xml"/>')
    wb_rels = ""
    sheet_list = ""
    files = {}
    for i, (name, data) in enumerate(sheets, 1):
        types += f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="{CT}spreadsheetml.worksheet+xml"/>'
        wb_rels += f'<Relationship Id="rId{i}" Type="{REL}/worksheet" Target="worksheets/sheet{i}.xml"/>'
        sheet_list += f'<sheet name="{name}" sheetId="{i}" r:id="rId{i}"/>'
        files[f"xl/worksheets/sheet{i}.xml"] = DECL + f'<worksheet xmlns="{MAIN}" xmlns:r="{REL}">{data}</worksheet>'
    if shared is not None:
        types += f'<Override PartName="/xl/sharedStrings.xml" ContentType="{CT}spreadsheetml.sharedStrings+xml"/>'
        wb_rels += f'<Relationship Id="rId99" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
        files["xl/sharedStrings.xml"] = DECL + f'<sst xmlns="{MAIN}">' + "".join(
            f"<si><t>{s}</t></si>" for s in shared) + "</sst>"
    types += extra_types + "</Types>"
    files["[Content_Types].xml"] = types
    files["_rels/.rels"] = (DECL + f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                            f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    files["xl/workbook.xml"] = (DECL + f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><bookViews><workbookView/>'
                                f'</bookViews><sheets>{sheet_list}</sheets>{defined}</workbook>')
    files["xl/_rels/workbook.xml.rels"] = DECL + f'<Relationships xmlns="{PKG}">{wb_rels}</Relationships>'
    for k, v in (sheet_rels or {}).items():
        files[k] = DECL + f'<Relationships xmlns="{PKG}">{v}</Relationships>'
    files.update(extra or {})
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z, warnings.catch_warnings():
        warnings.simplefilter("ignore")  # zipfile warns about a duplicated name, and writes it
        for name, data in files.items():
            z.writestr(name, data)
        # A stray second entry under a part's name (or the name in other case) after the part.
        for name, part in (again or {}).items():
            z.writestr(name, files[part])


def main(folder):
    os.makedirs(folder, exist_ok=True)
    row = '<row r="1"><c r="A1" t="inlineStr"><is><t>a</t></is></c><c r="B1"><v>1.5</v></c></row>'
    book(os.path.join(folder, "inline.xlsx"),
         [("S", f'<dimension ref="A1:B1"/><sheetData>{row}</sheetData>')])
    book(os.path.join(folder, "shared.xlsx"),
         [("One", '<dimension ref="A1:D3"/><cols><col min="2" max="3" width="12" customWidth="1"/></cols>'
                  '<sheetData><row r="1" spans="1:4"><c r="A1" t="s"><v>0</v></c><c r="D1" t="b"><v>1</v></c></row>'
                  '<row r="3"><c r="B3" t="s"><v>1</v></c><c r="C3"><f>1+1</f><v>2</v></c></row></sheetData>'
                  '<mergeCells count="1"><mergeCell ref="B2:C3"/></mergeCells>'
                  '<rowBreaks count="1" manualBreakCount="1"><brk id="2" max="16383" man="1"/></rowBreaks>'),
          ("Two", '<sheetData><row><c t="s"><v>1</v></c></row></sheetData>')],
         shared=["text", "two"],
         defined='<definedNames><definedName name="_xlnm.Print_Area" localSheetId="0">One!$A$1:$D$3'
                 '</definedName></definedNames>')
    drawing = ('<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing" '
               'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main">'
               '<xdr:twoCellAnchor editAs="twoCell"><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff>'
               '<xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>2</xdr:col>'
               '<xdr:colOff>0</xdr:colOff><xdr:row>2</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to><xdr:pic>'
               '<xdr:nvPicPr><xdr:cNvPr id="2" name="P"/><xdr:cNvPicPr/></xdr:nvPicPr><xdr:blipFill>'
               f'<a:blip xmlns:r="{REL}" r:embed="rId1"/></xdr:blipFill><xdr:spPr/></xdr:pic>'
               '<xdr:clientData/></xdr:twoCellAnchor></xdr:wsDr>')
    book(os.path.join(folder, "picture.xlsx"),
         [("P", f'<sheetData>{row}</sheetData><sheetProtection sheet="1"/><drawing r:id="rId1"/>')],
         extra={"xl/drawings/drawing1.xml": DECL + drawing, "xl/media/image1.png": PNG},
         extra_types=f'<Override PartName="/xl/drawings/drawing1.xml" ContentType="{CT}drawing+xml"/>',
         sheet_rels={
             "xl/worksheets/_rels/sheet1.xml.rels":
                 f'<Relationship Id="rId1" Type="{REL}/drawing" Target="../drawings/drawing1.xml"/>',
             "xl/drawings/_rels/drawing1.xml.rels":
                 f'<Relationship Id="rId1" Type="{REL}/image" Target="../media/image1.png"/>'})
    book(os.path.join(folder, "nosheets.xlsx"), [])
    # Packages with one part name twice: refused at load, as a save would put the rewritten part
    # behind the stale copy that every reader takes.
    for seed, name in (("duplicate-types.xlsx", "[Content_Types].xml"), ("duplicate-workbook.xlsx", "xl/workbook.xml"),
                       ("duplicate-rels.xlsx", "xl/_rels/workbook.xml.rels"),
                       ("duplicate-sheet.xlsx", "xl/worksheets/sheet1.xml")):
        book(os.path.join(folder, seed), [("S", f'<sheetData>{row}</sheetData>')], again={name: name})
    book(os.path.join(folder, "duplicate-case.xlsx"), [("S", f'<sheetData>{row}</sheetData>')],
         again={"XL/Worksheets/Sheet1.xml": "xl/worksheets/sheet1.xml"})
    # Single parts that the fuzz target wraps into a valid package. Byte 0: which part (1 sheet,
    # 2 workbook, 3 shared strings, 4 a whole file); byte 1: the number of edits, three bytes each
    # (operation in the low three bits, sheet above; two arguments).
    def edits(*ops):
        return bytes([len(ops)]) + b"".join(bytes(op) for op in ops)
    DEL, MOVE, INS, REM, REMCOL, STR, NAME, NUM = range(8)
    workbook = (f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><bookViews><workbookView activeTab="0"/></bookViews>'
                '<sheets>{}</sheets><definedNames><definedName name="_xlnm.Print_Titles" localSheetId="0">'
                "'S'!$1:$2,S!$A:$B</definedName></definedNames></workbook>")
    parts = {
        "sheet.part": b"\x01" + edits((INS, 1, 1), (REMCOL, 0, 0), (REM, 0, 1), (STR, 2, 2)) + (
            f'<worksheet xmlns="{MAIN}"><dimension ref="A1:C3"/><cols><col min="1" max="2" '
            'width="9"/></cols><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t xml:space='
            '"preserve"> x </t></is></c><c r="C1" s="1"><v>3</v></c></row><row r="2"><c r="B2">'
            '<f t="shared" ref="B2:B4" si="0">A2*2</f><v>0</v></c></row><row r="3"><c r="B3" '
            't="shared"><f t="shared" si="0"/><v>x</v></c></row><row r="4"><c r="B4"><f t="shared" si="0"/>'
            '</c></row></sheetData><mergeCells count="1"><mergeCell '
            'ref="A2:B3"/></mergeCells><colBreaks count="1"><brk id="2"/></colBreaks>'
            '</worksheet>').encode(),
        "workbook.part": b"\x02" + edits((NAME, 1, 0), (NUM, 2, 3)) + workbook.format(
            '<sheet name="S" sheetId="1" r:id="rId1"/>').encode(),
        # Two sheet entries on one part, and the workbook itself as a sheet: refused at load.
        "twosheets.part": b"\x02" + edits((DEL, 0, 0), (STR | 8, 1, 1)) + workbook.format(
            '<sheet name="S" sheetId="1" r:id="rId1"/><sheet name="T" sheetId="2" r:id="rId1"/>').encode(),
        "selfsheet.part": b"\x02" + edits((DEL, 1, 0), (MOVE, 0, 1)) + workbook.format(
            '<sheet name="S" sheetId="1" r:id="rId1"/><sheet name="W" sheetId="2" r:id="rId3"/>').encode(),
        "shared.part": b"\x03" + edits() + (f'<sst xmlns="{MAIN}"><si><r><t>a</t></r><r><t>_x0041_</t></r></si>'
                                            '</sst>').encode(),
    }
    with open(os.path.join(folder, "shared.xlsx"), "rb") as f:
        parts["shared-edited.file"] = b"\x04" + edits((NAME, 1, 0), (MOVE, 1, 0), (DEL | 8, 0, 0), (REM, 0, 0),
                                                       (NUM | 8, 1, 2)) + f.read()
    for name, data in parts.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
