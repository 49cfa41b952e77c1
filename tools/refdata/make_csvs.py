#!/usr/bin/env python3
"""Writes the reference-data CSVs of data/ and their catalogue.

The CSVs are the reviewed, committed sources of the two shipped workbooks. This script is how
they were made: standard values are typed in here with their table numbers, representative
catalogue values are computed from stated construction data so that they stay consistent with
each other. Run it after changing a value here, review the CSV diff, commit both.

    python3 tools/refdata/make_csvs.py            # writes data/*.csv
"""
import cmath
import csv
import math
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
DATA = os.path.normpath(os.path.join(ROOT, "data"))

CATALOGUE = []  # rows of data/catalogue.csv


def col_letters(c):
    s = ""
    c += 1
    while c:
        c, r = divmod(c - 1, 26)
        s = chr(65 + r) + s
    return s


def cell_ref(col, row):
    return f"{col_letters(col)}{row + 1}"


def fmt(v, dec):
    if isinstance(v, str):
        return v
    s = f"{v:.{dec}f}"
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def write_table(name, workbook, sheet, col, row, kinds, header, rows, source, decimals=None,
                orient="down", label=""):
    """One table: rows of values, `kinds` one letter per CSV column:
    t text, T text written even when empty, n number, d number or the text "-", x not written."""
    assert len(kinds) == len(header), name
    for r in rows:
        assert len(r) == len(header), (name, r)
    fname = f"{name}.csv"
    decimals = decimals or [4] * len(header)
    with open(os.path.join(DATA, fname), "w", newline="", encoding="utf-8") as f:
        f.write(f"# source: {source}\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(header)
        for r in rows:
            w.writerow([fmt(v, decimals[i]) if kinds[i] in "nd" else v for i, v in enumerate(r)])
    CATALOGUE.append([name, workbook, sheet, cell_ref(col, row), orient, kinds, len(rows), fname, label])


# ---------------------------------------------------------------------------------------------
# Conductors
SIZES = [1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300]
# IEC 60228 Table 2, class 2 (stranded) plain annealed copper, maximum resistance at 20 °C, Ω/km
R20 = {1.5: 12.1, 2.5: 7.41, 4: 4.61, 6: 3.08, 10: 1.83, 16: 1.15, 25: 0.727, 35: 0.524,
       50: 0.387, 70: 0.268, 95: 0.193, 120: 0.153, 150: 0.124, 185: 0.0991, 240: 0.0754,
       300: 0.0601, 400: 0.0470}
ALPHA_CU = 0.00393
# Conductor diameters of circular stranded class 2 conductors (representative, mm)
DC = {1.5: 1.6, 2.5: 2.0, 4: 2.6, 6: 3.1, 10: 4.1, 16: 5.0, 25: 6.1, 35: 7.1, 50: 8.3, 70: 9.9,
      95: 11.6, 120: 13.0, 150: 14.5, 185: 16.2, 240: 18.5, 300: 20.7, 400: 23.4}
# IEC 60502-1 Table 5: XLPE insulation thickness of 0.6/1 kV cables, mm
T_XLPE = {1.5: 0.7, 2.5: 0.7, 4: 0.7, 6: 0.7, 10: 0.7, 16: 0.7, 25: 0.9, 35: 0.9, 50: 1.0,
          70: 1.1, 95: 1.1, 120: 1.2, 150: 1.4, 185: 1.6, 240: 1.7, 300: 1.8}
# IEC 60227-3 (450/750 V single-core wires): insulation thickness, mm; used for HFIX and F-GV
T_WIRE = {1.5: 0.7, 2.5: 0.8, 4: 0.8, 6: 0.8, 10: 1.0, 16: 1.0, 25: 1.2, 35: 1.2, 50: 1.4,
          70: 1.4, 95: 1.6, 120: 1.6, 150: 1.8, 185: 2.0, 240: 2.2, 300: 2.4}
LAY = {1: 1.0, 2: 2.0, 3: 2.155, 4: 2.414}  # laid-up diameter / core diameter


def r_dc(size, temp):
    return R20[size] * (1 + ALPHA_CU * (temp - 20))


def r_ac(size, temp, spacing_mm, freq=60.0):
    """AC resistance, Ω/km: skin and proximity effect after IEC 60287-1-1 (ks = kp = 1)."""
    rdc = r_dc(size, temp) / 1000.0  # Ω/m
    x4 = (8 * math.pi * freq / rdc * 1e-7) ** 2
    ys = x4 / (192 + 0.8 * x4)
    dc = DC[size]
    k = dc / spacing_mm
    yp_f = x4 / (192 + 0.8 * x4)
    yp = yp_f * k * k * (0.312 * k * k + 1.18 / (yp_f + 0.27))
    return rdc * 1000 * (1 + ys + yp)


def strand_k(size):
    # internal inductance term (mH/km) by strand count: 7, 19, 37, 61 wires
    if size <= 35:
        return 0.0642
    if size <= 95:
        return 0.0554
    if size <= 185:
        return 0.0528
    return 0.0514


def reactance(size, spacing_mm, freq=60.0):
    """Inductive reactance of a conductor in a group at the given axial spacing, Ω/km."""
    L = strand_k(size) + 0.2 * math.log(2 * spacing_mm / DC[size])  # mH/km
    return 2 * math.pi * freq * L / 1000.0


def lv_cable(size, cores, mica=0.0, sheath_extra=0.0):
    """Construction of a 0.6/1 kV XLPE cable: (core diameter, outer diameter, fill diameter)."""
    dcore = DC[size] + 2 * mica + 2 * T_XLPE[size]
    if cores == 1:
        ts = max(1.4, round(0.035 * dcore + 1.0, 1)) + sheath_extra
        return dcore, dcore + 2 * ts, dcore
    dl = dcore * LAY[cores]
    ti = 1.0 if dl <= 25 else 1.2
    dfic = dl + 2 * ti
    ts = max(1.8, round(0.035 * dfic + 1.0, 1)) + sheath_extra
    return dcore, dfic + 2 * ts, dfic


def lv_weight(size, cores, mica=0.0, sheath_extra=0.0, sheath_density=1.45):
    dcore, od, dfic = lv_cable(size, cores, mica, sheath_extra)
    a = math.pi / 4
    cu = size * 8.89 * 1.02 * cores
    ins = a * (dcore ** 2 - (DC[size] + 2 * mica) ** 2) * 0.92 * cores
    mic = a * ((DC[size] + 2 * mica) ** 2 - DC[size] ** 2) * 1.8 * cores
    fill = 0.0 if cores == 1 else a * (dfic ** 2 - cores * dcore ** 2) * 1.2 * 0.8
    sh = a * (od ** 2 - dfic ** 2) * sheath_density
    return (cu + ins + mic + fill + sh)  # kg/km


def area(d):
    return math.pi / 4 * d * d


# ---------------------------------------------------------------------------------------------
# Sheet 0: impedances, ampacities, correction factors
def sheet0():
    # Distribution lines and cables of the 22.9 kV-Y utility network, %/km on 100 MVA.
    legend = [
        ("ACSR", "강심알루미늄연선", "가공 나전선 (KS C 3113)"),
        ("OC", "ACSR-OC 옥외용 가교폴리에틸렌 절연전선", "가공 절연전선"),
        ("AW", "ACSR/AW 알루미늄피복 강심알루미늄연선", "가공 나전선 (염해지역)"),
        ("AAC", "경알루미늄연선", "가공 나전선"),
        ("HDCC", "경동연선", "가공 나전선 (기설선로)"),
        ("ABC", "ABC-W 가공 저압 집합절연전선", "가공 집합케이블, 메신저 중성선"),
        ("CNCV", "CN/CV-W 동심중성선 수밀형 전력케이블", "지중 단심케이블, 동심중성선"),
        ("TRCNCV", "TR CN/CV-W 트리억제형 전력케이블", "지중 단심케이블, 동심중성선"),
        ("FRCNCO", "FR CNCO-W 난연성 전력케이블", "지중(구내) 단심케이블, 동심중성선"),
        ("ACNCV", "알루미늄 CN/CV-W 전력케이블", "지중 단심케이블, 동심중성선"),
        ("CV", "CV 단심 전력케이블 + 별도 접지선", "지중 단심케이블, 별도 중성선"),
        ("CNCVT", "CN/CV-W 트리플렉스형 전력케이블", "지중 3심 꼬임 케이블"),
    ]
    write_table("CableTypeLegend", "lib", 0, 12, 4, "ttt", ["code", "name", "description"], legend,
                "representative: kinds of conductors of 22.9 kV-Y distribution lines and cables")

    zbase = 22.9 ** 2 / 100.0
    f = 60.0
    w = 2 * math.pi * f
    rho_earth = 100.0
    De = 658.5 * math.sqrt(rho_earth / f)  # Carson's equivalent earth-return depth, m
    Rg = math.pi ** 2 * f * 1e-4  # earth-return resistance, Ω/km
    mu = 2e-4  # H/km factor of the self/mutual inductance terms (μ0/2π per km)

    def zs(R, gmr):
        return complex(R + Rg, w * mu * math.log(De / gmr))

    def zm(d):
        return complex(Rg, w * mu * math.log(De / d))

    # (code, kind, diameter mm, R20 Ω/km, GMR factor, α)
    oh = {
        "ACSR": ("강심알루미늄연선", {32: (7.8, 0.896), 58: (10.5, 0.497), 95: (13.5, 0.301),
                                160: (18.2, 0.182), 240: (22.4, 0.120), 410: (28.5, 0.0702)}),
        "AW": ("알루미늄피복 강심알루미늄연선", {58: (10.5, 0.478), 95: (13.5, 0.289),
                                       160: (18.2, 0.175), 240: (22.4, 0.115)}),
        "AAC": ("경알루미늄연선", {58: (9.8, 0.497), 95: (12.6, 0.301), 160: (16.5, 0.180),
                             240: (20.1, 0.120)}),
        "HDCC": ("경동연선", {22: (6.0, 0.824), 38: (8.0, 0.477), 60: (10.0, 0.302),
                          100: (12.9, 0.181)}),
    }

    def overhead(pk, ps, nk, ns, gmd=1.01, dan=1.40):
        dp, rp = oh[pk][1][ps]
        dn, rn = oh[nk][1][ns]
        gp = 0.78 * dp / 2000
        gn = 0.78 * dn / 2000
        z1 = complex(rp, w * mu * math.log(gmd / gp))
        zaa, zab, zan, znn = zs(rp, gp), zm(gmd), zm(dan), zs(rn, gn)
        z0 = zaa + 2 * zab - 3 * zan * zan / znn
        return z1, z0

    rows = []

    def add(pcode, pkind, psize, ncode, nkind, nsize, z1, z0, method):
        rows.append([pcode, pkind, psize, ncode, nkind, nsize,
                     z1.real / zbase * 100, z1.imag / zbase * 100,
                     z0.real / zbase * 100, z0.imag / zbase * 100, method])

    combos = {
        "ACSR": [(32, 32), (58, 32), (58, 58), (95, 32), (95, 58), (95, 95), (160, 58), (160, 95),
                 (160, 160), (240, 95), (240, 160), (410, 160), (410, 240)],
        "AW": [(58, 58), (95, 58), (95, 95), (160, 95), (160, 160), (240, 95), (240, 160)],
        "AAC": [(58, 58), (95, 58), (95, 95), (160, 95), (240, 95), (240, 160)],
        "HDCC": [(22, 22), (38, 22), (38, 38), (60, 38), (60, 60), (100, 38), (100, 60), (100, 100)],
    }
    for code in ("ACSR",):
        for ps, ns in combos[code]:
            z1, z0 = overhead(code, ps, code, ns)
            add(f"{code}-{ps}", oh[code][0], f"{ps}㎟", f"{code}-{ns}", oh[code][0], f"{ns}㎟", z1, z0,
                "가공 (완철 수평배열)")
    # covered ACSR-OC: the conductor of ACSR, bare ACSR neutral
    for ps, ns in [(32, 32), (58, 32), (58, 58), (95, 58), (95, 95), (160, 58), (160, 95), (240, 95),
                   (240, 160)]:
        z1, z0 = overhead("ACSR", ps, "ACSR", ns)
        add(f"OC-{ps}", "ACSR-OC 옥외용 가교폴리에틸렌 절연전선", f"{ps}㎟", f"ACSR-{ns}", oh["ACSR"][0],
            f"{ns}㎟", z1, z0, "가공 (완철 수평배열)")
    for code in ("AW", "AAC", "HDCC"):
        for ps, ns in combos[code]:
            z1, z0 = overhead(code, ps, code, ns)
            add(f"{code}-{ps}", oh[code][0], f"{ps}㎟", f"{code}-{ns}", oh[code][0], f"{ns}㎟", z1, z0,
                "가공 (완철 수평배열)")
    # aerial bundled cable: phases touching around an ACSR messenger that is the neutral
    abc_dia = {50: 24.0, 95: 28.5, 150: 32.0}
    abc_r = {50: 0.641, 95: 0.320, 150: 0.206}  # aluminium conductor, 20 °C
    for ps in (50, 95, 150):
        for ns in (58, 95):
            d = abc_dia[ps] / 1000
            dc = math.sqrt(ps / 0.9 * 4 / math.pi) / 1000
            gp = 0.78 * dc / 2
            z1 = complex(abc_r[ps], w * mu * math.log(d / gp))
            dn, rn = oh["ACSR"][1][ns]
            zaa, zab, zan, znn = zs(abc_r[ps], gp), zm(d), zm(d), zs(rn, 0.78 * dn / 2000)
            z0 = zaa + 2 * zab - 3 * zan * zan / znn
            add(f"ABC-{ps}", "ABC-W 가공 집합절연전선", f"{ps}㎟", f"ACSR-{ns}", oh["ACSR"][0], f"{ns}㎟",
                z1, z0, "가공 (메신저 조가)")

    # underground single-core cables with a concentric neutral, trefoil in a duct
    def cn_cable(size, r90, dc_mm, an, ins=6.6):
        rs_mm = dc_mm / 2 + 0.6 + ins + 0.6 + 0.5
        od = 2 * (rs_mm + 0.8 + 3.0)
        gmd = od / 1000
        gc = 0.78 * dc_mm / 2000
        rs = rs_mm / 1000
        Rn = 17.24 / an * 1.02  # concentric annealed copper wires, 20 °C, Ω/km
        z1 = complex(r90, w * mu * math.log(gmd / gc))
        g3c = (gc * gmd * gmd) ** (1 / 3)
        g3s = (rs * gmd * gmd) ** (1 / 3)
        zc0 = complex(r90 + 3 * Rg, 3 * w * mu * math.log(De / g3c))
        # the three neutrals in parallel with the earth return, per phase
        zs0 = complex(Rn + 3 * Rg, 3 * w * mu * math.log(De / g3s))
        zcs0 = complex(3 * Rg, 3 * w * mu * math.log(De / g3s))
        z0 = zc0 - zcs0 * zcs0 / zs0
        return z1, z0

    cu_sizes = [60, 100, 150, 200, 325, 400, 600]
    cu_dc = {60: 9.3, 100: 11.9, 150: 14.7, 200: 16.8, 325: 21.6, 400: 23.9, 600: 29.4}
    neutral = {60: 25, 100: 35, 150: 50, 200: 70, 325: 95, 400: 120, 600: 150}

    def r_cu90(size):
        return 17.241 / size * 1.02 * (1 + ALPHA_CU * 70)

    for code, kind, sizes in (("CNCV", "CN/CV-W 동심중성선 수밀형 전력케이블", cu_sizes),
                              ("TRCNCV", "TR CN/CV-W 트리억제형 전력케이블", cu_sizes),
                              ("FRCNCO", "FR CNCO-W 난연성 전력케이블", cu_sizes)):
        for s in sizes:
            z1, z0 = cn_cable(s, r_cu90(s), cu_dc[s], neutral[s])
            add(f"{code}-{s}", kind, f"{s}㎟", f"CN-{neutral[s]}", "동심중성선 (연동선)", f"{neutral[s]}㎟",
                z1, z0, "지중 관로 (삼각배열)")
    al_sizes = [95, 150, 240, 325, 400, 600]
    al_dc = {95: 11.6, 150: 14.6, 240: 18.6, 325: 21.7, 400: 23.9, 600: 29.5}
    al_n = {95: 35, 150: 50, 240: 70, 325: 95, 400: 120, 600: 150}
    for s in al_sizes:
        r90 = 28.264 / s * 1.02 * (1 + 0.00403 * 70)
        z1, z0 = cn_cable(s, r90, al_dc[s], al_n[s])
        add(f"ACNCV-{s}", "알루미늄 CN/CV-W 전력케이블", f"{s}㎟", f"CN-{al_n[s]}", "동심중성선 (연동선)",
            f"{al_n[s]}㎟", z1, z0, "지중 관로 (삼각배열)")
    # single-core CV with a separate earth/neutral wire laid with the trefoil
    gv_r = {35: 0.524 * 1.0, 70: 0.268, 95: 0.193, 120: 0.153}
    for s, ns in [(60, 35), (100, 35), (150, 70), (200, 70), (200, 95), (325, 95), (325, 120),
                  (400, 95), (400, 120), (600, 120), (600, 95)]:
        dc_mm = cu_dc[s]
        od = dc_mm + 2 * (0.6 + 6.6 + 0.6 + 0.2 + 3.0)
        gmd = od / 1000
        gc = 0.78 * dc_mm / 2000
        z1 = complex(r_cu90(s), w * mu * math.log(gmd / gc))
        gn = 0.78 * DC[ns] / 2000
        zaa, zab, zan, znn = zs(r_cu90(s), gc), zm(gmd), zm(gmd * 1.2), zs(gv_r[ns], gn)
        z0 = zaa + 2 * zab - 3 * zan * zan / znn
        add(f"CV-{s}", "CV 단심 전력케이블", f"{s}㎟", f"GV-{ns}", "F-GV 접지선", f"{ns}㎟", z1, z0,
            "지중 관로 (삼각배열)")
    for s in [60, 100, 150, 200, 325]:
        z1, z0 = cn_cable(s, r_cu90(s), cu_dc[s], neutral[s])
        add(f"CNCVT-{s}", "CN/CV-W 트리플렉스형 전력케이블", f"{s}㎟", f"CN-{neutral[s]}",
            "동심중성선 (연동선)", f"{neutral[s]}㎟", z1, z0, "지중 관로 (트리플렉스)")
    assert len(rows) == 92, len(rows)
    keys = [(r[0], r[3]) for r in rows]
    assert len(set(keys)) == len(keys), "duplicate (phase, neutral) pair"
    write_table("LineImpedanceTable", "lib", 0, 0, 6, "ttttttnnnnt",
                ["phase_code", "phase_kind", "phase_size", "neutral_code", "neutral_kind",
                 "neutral_size", "R1_pct_per_km", "X1_pct_per_km", "R0_pct_per_km", "X0_pct_per_km",
                 "installation"], rows,
                "representative, computed: 22.9 kV-Y lines and cables, %/km on 100 MVA (Zbase 5.2441 Ω); "
                "R1 at 20 °C for overhead conductors and 90 °C for cables; X1 from GMD/GMR at 60 Hz; "
                "Z0 by Carson's equations with a multi-grounded neutral, earth resistivity 100 Ω·m",
                [4] * 11)

    # Threshold cells
    write_table("HvMultiCoreThreshold", "lib", 0, 22, 6, "n", ["size_mm2"], [[95]],
                "design default: 6/10 kV cables below 95 mm2 are three-core", label="6/10kV 다심 적용 미만(㎟)")
    write_table("LvMultiCoreThreshold", "lib", 0, 37, 6, "n", ["size_mm2"], [[95]],
                "design default: 0.6/1 kV cables below 95 mm2 are multi-core", label="0.6/1kV 다심 적용 미만(㎟)")
    write_table("AmpacityMultiCoreThreshold", "lib", 0, 58, 5, "n", ["size_mm2"], [[95]],
                "design default: multi-core ampacities below 95 mm2", label="허용전류 다심 적용 미만(㎟)")

    # 6/10 kV cables, Ω/km at 90 °C and 60 Hz
    hv = []
    for s in [25, 35, 50, 70, 95, 120, 150, 185, 240, 300, 400]:
        dc = DC[s]
        od1 = dc + 2 * (0.6 + 3.4 + 0.6 + 0.2 + 1.8)
        s3 = dc + 2 * (0.6 + 3.4 + 0.6 + 0.2)
        hv.append([s, r_ac(s, 90, od1), reactance(s, od1), r_ac(s, 90, s3), reactance(s, s3)])
    write_table("HvCableImpedanceTable", "lib", 0, 16, 9, "nnnnn",
                ["size_mm2", "R_1core", "X_1core", "R_3core", "X_3core"], hv,
                "computed: IEC 60228 conductor resistance at 20 °C converted to 90 °C with skin and "
                "proximity effect (IEC 60287-1-1); reactance at 60 Hz for trefoil single-core cables "
                "and three-core cables, 6/10 kV XLPE insulation 3.4 mm (IEC 60502-2); Ω/km",
                [0, 4, 4, 4, 4])

    def lv_imp(size, mica=0.0):
        d1c, od1, _ = lv_cable(size, 1, mica)
        dcore, _, _ = lv_cable(size, 3, mica)
        return [size,
                r_ac(size, 90, od1), reactance(size, od1),
                r_ac(size, 90, od1), reactance(size, 1.26 * od1),
                r_ac(size, 90, dcore), reactance(size, dcore),
                r_ac(size, 90, dcore), reactance(size, dcore)]

    hdr = ["size_mm2", "R_1c_1ph", "X_1c_1ph", "R_1c_3ph_flat", "X_1c_3ph_flat",
           "R_mc_1ph", "X_mc_1ph", "R_mc_3ph", "X_mc_3ph"]
    write_table("CBLIMP", "lib", 0, 27, 10, "n" * 9, hdr, [lv_imp(s) for s in SIZES],
                "computed: 0.6/1 kV XLPE cables (CV, F-CV), Ω/km at 90 °C and 60 Hz; resistance from "
                "IEC 60228 at 20 °C with alpha 0.00393 and IEC 60287-1-1 skin/proximity; reactance "
                "from the axial spacing of touching cables (single-core: 1 phase touching, 3 phase "
                "flat touching, GMD 1.26 D) or touching cores (multi-core), insulation per IEC 60502-1",
                [1] + [4] * 8)
    write_table("FR8IMP", "lib", 0, 27, 37, "n" * 9, hdr, [lv_imp(s, mica=0.3) for s in SIZES],
                "computed as CBLIMP for 0.6/1 kV fire-resistant cables (FR-8 family): mica tape "
                "0.3 mm under the XLPE insulation", [1] + [4] * 8)
    hf = []
    for s in SIZES:
        od = DC[s] + 2 * T_WIRE[s]
        hf.append([s, r_ac(s, 90, od), reactance(s, od), r_ac(s, 90, od), reactance(s, od)])
    write_table("HFIXIMP", "lib", 0, 27, 62, "nnnnn",
                ["size_mm2", "R_1ph", "X_1ph", "R_3ph", "X_3ph"], hf,
                "computed: 450/750 V HFIX wires in conduit, Ω/km at 90 °C and 60 Hz, wires touching "
                "(trefoil for three phases), insulation thickness of IEC 60227-3", [1] + [4] * 4)

    write_table("InstallationMethodFactors", "lib", 0, 59, 7, "xn", ["method", "factor"],
                [["A1,2", 1.0], ["B1,2", 1.0], ["D1", 1.0], ["E,F", 1.0]],
                "design default: no further derating per installation method (the project's design "
                "conditions replace these factors)", [0, 2], orient="across", label="공사방법 보정계수")

    # IEC 60364-5-52:2009, XLPE/EPR insulation, copper, 90 °C, ambient 30 °C in air, 20 °C in ground.
    # Methods B1 and B2 from 150 mm2 up are the 2009 figures; earlier editions gave up to 7.6 % more.
    A1_2 = [19, 26, 35, 45, 61, 81, 106, 131, 158, 200, 241, 278, 318, 362, 424, 486]      # B.52.3
    A2_2 = [18.5, 25, 33, 42, 57, 76, 99, 121, 145, 183, 220, 253, 290, 329, 386, 442]     # B.52.3
    B1_2 = [23, 31, 42, 54, 75, 100, 133, 164, 198, 253, 306, 354, 393, 449, 528, 603]     # B.52.3
    B2_2 = [22, 30, 40, 51, 69, 91, 119, 146, 175, 221, 265, 305, 334, 384, 459, 532]      # B.52.3
    D1_2 = [25, 33, 43, 53, 71, 91, 116, 139, 164, 203, 239, 271, 306, 343, 395, 446]      # B.52.3
    A1_3 = [17, 23, 31, 40, 54, 73, 95, 117, 141, 179, 216, 249, 285, 324, 380, 435]       # B.52.5
    A2_3 = [16.5, 22, 30, 38, 51, 68, 89, 109, 130, 164, 197, 227, 259, 295, 346, 396]     # B.52.5
    B1_3 = [20, 28, 37, 48, 66, 88, 117, 144, 175, 222, 269, 312, 342, 384, 450, 514]      # B.52.5
    B2_3 = [19.5, 26, 35, 44, 60, 80, 105, 128, 154, 194, 233, 268, 300, 340, 398, 455]    # B.52.5
    D1_3 = [21, 28, 36, 44, 58, 75, 96, 115, 135, 167, 197, 223, 251, 281, 324, 365]       # B.52.5
    E_2 = [26, 36, 49, 63, 86, 115, 149, 185, 225, 289, 352, 410, 473, 542, 641, 741]      # B.52.12
    E_3 = [23, 32, 42, 54, 75, 100, 127, 158, 192, 246, 298, 346, 399, 456, 538, 621]      # B.52.12
    # B.52.12 column 5 (B.52.13 is aluminium), single-core cables in free air, three loaded
    # conductors in trefoil, 25 mm2 and up; below 25 mm2 the table gives nothing and the
    # multi-core method E value is used.
    F_3 = E_3[:6] + [135, 169, 207, 268, 328, 383, 444, 510, 607, 703]
    xl = []
    for i, s in enumerate(SIZES):
        xl.append([s, A1_3[i], B1_3[i], D1_3[i], F_3[i], A2_2[i], B2_2[i], D1_2[i], E_2[i],
                   A2_3[i], B2_3[i], D1_3[i], E_3[i]])
    write_table("XlpeAmpacityTable", "lib", 0, 44, 11, "d" * 13,
                ["size_mm2", "1C_A1", "1C_B1", "1C_D1", "1C_F", "2C_A2", "2C_B2", "2C_D1", "2C_E",
                 "3C4C_A2", "3C4C_B2", "3C4C_D1", "3C4C_E"], xl,
                "IEC 60364-5-52:2009 (KS C IEC 60364-5-52) XLPE copper, A: single-core columns use "
                "three loaded conductors (A1, B1, D1 of B.52.5; F trefoil of B.52.12, below 25 mm2 "
                "method E of B.52.12); two-core columns two loaded conductors (A2, B2, D1 of B.52.3, "
                "E of B.52.12); three/four-core columns three loaded conductors (B.52.5, B.52.12)",
                [2] * 13)
    write_table("AmbientTemperature", "lib", 0, 51, 74, "n", ["temperature_C"], [[30]],
                "design default: 30 °C, the reference ambient temperature in air", label="주위온도(℃)")
    write_table("AmbientTemperatureFactor", "lib", 0, 51, 75, "n", ["factor"], [[1.0]],
                "IEC 60364-5-52 Table B.52.14, XLPE at 30 °C", label="TDF")
    hfa = [[s, A1_2[i], B1_2[i], A1_3[i], B1_3[i]] for i, s in enumerate(SIZES)]
    write_table("HfixAmpacityTable", "lib", 0, 44, 79, "nnnnn",
                ["size_mm2", "2L_A1", "2L_B1", "3L_A1", "3L_B1"], hfa,
                "IEC 60364-5-52:2009 Tables B.52.3 (two loaded conductors) and B.52.5 (three loaded "
                "conductors), methods A1 and B1, 90 °C insulation (HFIX is rated 90 °C)", [2] * 5)

    # Grouping factors, IEC 60364-5-52 Table B.52.20, method E, multi-core cables on perforated
    # horizontal trays, touching. Given for 1, 2, 3, 4, 6, 9 cables and 1, 2, 3, 6 trays;
    # 5, 7, 8 cables and 4, 5 trays interpolated linearly.
    given = {1: [1.00, 0.88, 0.82, 0.79, 0.76, 0.73], 2: [1.00, 0.87, 0.80, 0.77, 0.73, 0.68],
             3: [1.00, 0.86, 0.79, 0.76, 0.71, 0.66], 6: [1.00, 0.84, 0.77, 0.73, 0.68, 0.64]}

    def per_cable(v):
        c1, c2, c3, c4, c6, c9 = v
        return [c1, c2, c3, c4, (c4 + c6) / 2, c6, c6 + (c9 - c6) / 3, c6 + 2 * (c9 - c6) / 3, c9]

    t = {k: per_cable(v) for k, v in given.items()}
    t[4] = [t[3][i] + (t[6][i] - t[3][i]) / 3 for i in range(9)]
    t[5] = [t[3][i] + 2 * (t[6][i] - t[3][i]) / 3 for i in range(9)]
    tray = [[round(x + 1e-9, 2) for x in t[k]] for k in range(1, 7)]
    write_table("TRAYDF", "lib", 0, 72, 9, "n" * 9, [f"cables_{i}" for i in range(1, 10)], tray,
                "IEC 60364-5-52 Table B.52.20 (perforated trays, touching, multi-core cables), one row "
                "per number of trays 1 to 6; 5, 7, 8 cables and 4, 5 trays interpolated", [2] * 9)
    write_table("TDF", "lib", 0, 71, 21, "xn", ["temperature_C", "factor"],
                list(zip(range(20, 71, 5), [1.08, 1.04, 1.00, 0.96, 0.91, 0.87, 0.82, 0.76, 0.71, 0.65, 0.58])),
                "IEC 60364-5-52 Table B.52.14, XLPE/EPR insulation, ambient air", [0, 2], orient="across",
                label="TDF 기중")
    write_table("UGTDF", "lib", 0, 71, 28, "xn", ["temperature_C", "factor"],
                list(zip(range(10, 61, 5), [1.07, 1.04, 1.00, 0.96, 0.93, 0.89, 0.85, 0.80, 0.76, 0.71, 0.65])),
                "IEC 60364-5-52 Table B.52.15, XLPE/EPR insulation, ground", [0, 2], orient="across",
                label="UGTDF 지중")
    write_table("UGDF", "lib", 0, 71, 35, "xn", ["resistivity_Km_per_W", "factor"],
                [["0.5", 1.28], ["0.7", 1.20], ["1.0", 1.18], ["1.5", 1.10], ["2.0", 1.05], ["2.5", 1.00],
                 ["3.0", 0.96]],
                "IEC 60364-5-52 Table B.52.16, cables in buried ducts, reference 2.5 K·m/W", [0, 2],
                orient="across", label="UGDF 열저항률")
    write_table("UGDDF", "lib", 0, 71, 43, "xn", ["depth_m", "factor"],
                [["0.6", 1.02], ["0.8", 1.00], ["1.0", 0.98], ["1.2", 0.96]],
                "representative: burial-depth factors for cables in ducts, reference 0.8 m", [0, 2],
                orient="across", label="UGDDF 매설깊이")


# ---------------------------------------------------------------------------------------------
# Sheet 1: breakers of the branch-circuit sizing
def bucket(values, step=0.01):
    keys = [step]
    for v in values[:-1]:
        keys.append(v + step)
    return keys


def breaker_table(name, col, row, ecol, entries, poles, typ_text, remark, frames, source):
    """entries: list of (rating, frame, kA, type)."""
    ratings = [e[0] for e in entries]
    keys = bucket(ratings)
    main = [[poles, e[0], e[1], e[3], e[2], remark] for e in entries]
    ext = [[keys[i], e[0], e[1], e[2]] for i, e in enumerate(entries)]
    kinds = "nnn" + ("t" if typ_text else "n") + "nt"
    write_table(name, "lib", 1, col, row, kinds, ["poles", "rating_A", "frame_AF", "type", "kA", "remark"],
                main, source, [0, 0, 0, 0, 2, 0])
    write_table(name + "_ext", "lib", 1, ecol, row, "nnnn", ["key", "rating_A", "frame_AF", "kA"], ext,
                source + "; key: 0.01, then the previous rating + 0.01 (the first rating that reaches "
                "the design current)", [2, 0, 0, 2])


def sheet1():
    mcb = [(r, 63, 6.0 if r <= 32 else 10.0, "C") for r in (10, 16, 20, 25, 32, 40, 50, 63)]
    breaker_table("MCB", 1, 8, 9, mcb, 2, True, "IEC 60898-1", None,
                  "IEC 60898-1 preferred rated currents 10 to 63 A, curve C, rated short-circuit "
                  "capacity 6 kA / 10 kA (standard values of the standard); frame representative")
    breaker_table("RCBO", 15, 8, 23, mcb, 2, True, "IEC 61009-1, 30mA", None,
                  "IEC 61009-1 (IEC 60898-1 ratings) 10 to 63 A, 30 mA; frame and kA representative")
    m2 = [(r, 50 if r <= 50 else 100 if r <= 100 else 250, 10.0 if r <= 50 else 25.0 if r <= 100 else 35.0,
           1) for r in (16, 20, 25, 32, 40, 50, 63, 80, 100, 125)]
    breaker_table("MCCB2", 29, 7, 37, m2, 2, False, "IEC 60947-2", None,
                  "IEC 60947-2 two-pole moulded-case breakers; ratings of the R10 series, frames and "
                  "breaking capacities (Icu at 220 V) representative; type 1 thermal-magnetic")

    def frame3(r):
        if r <= 100:
            return 100, 25.0, 1
        if r <= 250:
            return 250, 36.0, 1
        if r <= 400:
            return 400, 50.0, 2
        if r <= 630:
            return 630, 50.0, 2
        return 800, 65.0, 2

    m3 = [(r,) + frame3(r)[:2] + (frame3(r)[2],) for r in
          (16, 20, 25, 32, 40, 50, 63, 80, 100, 125, 160, 200, 250, 400, 630, 800)]
    breaker_table("MCCB3", 29, 20, 37, m3, 3, False, "IEC 60947-2", None,
                  "IEC 60947-2 three-pole moulded-case breakers; ratings of the R10 series up to 800 A, "
                  "frames and breaking capacities (Icu at 380/415 V) representative; type 1 "
                  "thermal-magnetic, 2 electronic trip")
    breaker_table("CBR", 44, 7, 52, m3, 3, False, "IEC 60947-2 Annex B, 30mA", None,
                  "IEC 60947-2 Annex B residual-current breakers, same ratings and frames as MCCB3 "
                  "(representative)")


# ---------------------------------------------------------------------------------------------
# Sheet 2: cable dimensions, conduits, trays
def sheet2():
    def od_tables(name_sq, name_od, name_w, col_sq, col_od, col_w, mica, sheath_extra, sdens, src):
        sq, od, wt = [], [], []
        for s in SIZES:
            ods = [lv_cable(s, n, mica, sheath_extra)[1] for n in (1, 2, 3, 4)]
            ods = [round(d, 1) for d in ods]
            r = [s]
            for d in ods:
                r += [d, round(area(d), 2)]
            sq.append(r)
            od.append([s] + ods + [s] + [round(area(d), 2) for d in ods])
            ws = [lv_weight(s, n, mica, sheath_extra, sdens) for n in (1, 2, 3, 4)]
            wt.append([s] + [round(x / 1000, 2) for x in ws] + [round(x) for x in ws])
        write_table(name_sq, "lib", 2, col_sq, 10, "n" * 9,
                    ["size_mm2", "1C_OD_mm", "1C_area_mm2", "2C_OD_mm", "2C_area_mm2", "3C_OD_mm",
                     "3C_area_mm2", "4C_OD_mm", "4C_area_mm2"], sq, src, [2] * 9)
        write_table(name_od, "lib", 2, col_od, 10, "n" * 10,
                    ["size_mm2", "1C_OD_mm", "2C_OD_mm", "3C_OD_mm", "4C_OD_mm", "size_mm2_again",
                     "1C_area_mm2", "2C_area_mm2", "3C_area_mm2", "4C_area_mm2"], od, src, [2] * 10)
        write_table(name_w, "lib", 2, col_w, 8, "n" * 9,
                    ["size_mm2", "1C_kg_per_m", "2C_kg_per_m", "3C_kg_per_m", "4C_kg_per_m",
                     "1C_kg_per_km", "2C_kg_per_km", "3C_kg_per_km", "4C_kg_per_km"], wt,
                    src + "; weights from copper 8.89, XLPE 0.92, filler 1.2 and sheath densities",
                    [2, 2, 2, 2, 2, 0, 0, 0, 0])

    od_tables("FCVSQ", "FCVOD", "FCVW", 1, 12, 93, 0.0, 0.0, 1.45,
              "representative, computed: 0.6/1 kV F-CV cables (XLPE, flame-retardant PVC sheath) to "
              "IEC 60502-1 thicknesses (insulation Table 5, inner covering, sheath 0.035 D + 1.0, "
              "min 1.4 / 1.8 mm); area = pi D^2 / 4 of the finished cable")
    od_tables("FR8SQ", "FR8OD", "FR8W", 24, 35, 104, 0.3, 0.2, 1.50,
              "representative, computed: 0.6/1 kV FR-8 fire-resistant cables: as F-CV plus mica tape "
              "0.3 mm and a 0.2 mm thicker halogen-free sheath")
    hd, gv, gw, fs = [], [], [], []
    for s in SIZES:
        od = round(DC[s] + 2 * T_WIRE[s], 1)
        hd.append([s, od, round(area(od), 2)])
        fs.append([s, od, round(area(od), 2)])
        w_kgkm = s * 8.89 * 1.02 + area(od) - area(DC[s])
        w_kgkm = s * 8.89 * 1.02 + (area(od) - area(DC[s])) * 1.45
        gw.append([s, round(w_kgkm / 1000, 2), round(w_kgkm)])
    write_table("HfixDiameterTable", "lib", 2, 47, 10, "nnn", ["size_mm2", "OD_mm", "area_mm2"], hd,
                "representative, computed: 450/750 V HFIX wires, conductor diameter plus twice the "
                "insulation thickness of IEC 60227-3", [2, 2, 2])
    write_table("FGVSEC", "lib", 2, 52, 10, "nnn", ["size_mm2", "OD_mm", "area_mm2"], fs,
                "representative, computed: F-GV earth wires (green/yellow), dimensions as HFIX", [2, 2, 2])
    # IEC 60364-5-54 Table 54.2 / KEC 142.3.2: S <= 16: S; 16 < S <= 35: 16; S > 35: S/2, rounded up
    # to the next standard size
    def pe(s):
        if s <= 16:
            return s
        if s <= 35:
            return 16
        half = s / 2
        return next(x for x in SIZES if x >= half)

    write_table("GV", "lib", 2, 56, 10, "nn", ["phase_mm2", "pe_mm2"], [[s, pe(s)] for s in SIZES],
                "IEC 60364-5-54 Table 54.2 / KEC 142.3.2: protective conductor of the same material as "
                "the phase conductor (S/2 rounded up to the next standard size)", [2, 2])

    def conduit(name, col, pairs, src):
        rows = []
        prev = None
        for des, idm in pairs:
            a = area(idm)
            allowed = round(a * 0.32, 2)
            key = 0.01 if prev is None else round(prev + 0.01, 2)
            rows.append([des, idm, round(a, 2), key, allowed, des])
            prev = allowed
        write_table(name, "lib", 2, col, 9, "nnnnnn",
                    ["designation", "inner_dia_mm", "area_mm2", "key", "area_32pct_mm2", "designation"],
                    rows, src + "; 32 % fill of the inner section (KEC 232.12); key: 0.01, then the "
                    "previous allowed area + 0.01 (first conduit whose allowed area reaches the cables')",
                    [0, 0, 2, 2, 2, 0])

    conduit("CD", 61, [(16, 16), (22, 22), (28, 28), (36, 36), (42, 42)],
            "KS C 8456 CD conduits, nominal size = inner diameter (representative inner diameters)")
    conduit("HiConduitTable", 69, [(14, 14), (16, 17), (22, 22), (28, 27), (36, 35), (42, 40), (54, 51),
                                   (70, 67), (82, 77)],
            "KS C 8431 rigid PVC (HI-VE) conduits, representative inner diameters")
    conduit("ST", 77, [(16, 16), (22, 22), (28, 28), (36, 37), (42, 43), (54, 54), (70, 70), (82, 82),
                       (92, 94)],
            "KS C 8401 thick steel conduits (nominal 16 to 92), inner diameters rounded")
    conduit("FEP", 85, [(30, 30), (40, 40), (50, 50), (65, 65), (80, 80), (100, 100), (125, 125),
                        (150, 150), (175, 175), (200, 200)],
            "KS C 8455 corrugated polyethylene (FEP) conduits, nominal size = inner diameter")
    write_table("FGVW", "lib", 2, 115, 8, "nnn", ["size_mm2", "kg_per_m", "kg_per_km"], gw,
                "representative, computed: F-GV weight, copper 8.89 and PVC 1.45 densities", [1, 2, 0])
    tr = []
    prev = None
    for wdt in (150, 200, 300, 400, 500, 600, 700, 800, 900, 1000):
        bw = round(4.0 + wdt * 0.0095, 1)       # ladder tray, H100, galvanised steel
        cw = round(1.2 + wdt * 0.0105, 1)       # solid cover
        key = 0.1 if prev is None else round(prev + 0.1, 1)
        tr.append([key, wdt, bw, cw, round(bw * 3, 1)])
        prev = wdt
    write_table("TRAY", "lib", 2, 120, 8, "nnnnn",
                ["key_mm", "width_mm", "ladder_kg_per_m", "cover_kg_per_m", "ladder_kg_per_3m"], tr,
                "representative: galvanised steel ladder trays H100 and covers; key: 0.1, then the "
                "previous width + 0.1 (first width that reaches the required width)", [1, 0, 1, 1, 1])


# ---------------------------------------------------------------------------------------------
# Sheets 3 and 4: transformers and generators
def sheet34():
    kva = [100, 125, 160, 200, 250, 315, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150, 4000,
           5000, 6300]
    keys = [0] + [k + 1 for k in kva[:-1]]
    write_table("TR", "lib", 3, 0, 6, "nn", ["key_kVA", "rating_kVA"], [[keys[i], k] for i, k in enumerate(kva)],
                "IEC 60076-1 preferred ratings (R10 series) 100 to 6300 kVA; key: 0, then the previous "
                "rating + 1 (the first rating not below a whole-kVA load)", [0, 0])

    def zpct(k):  # IEC 60076-5 Table 1, minimum short-circuit impedance
        return 4.0 if k <= 630 else 5.0 if k <= 1250 else 6.0 if k <= 2500 else 7.0

    xr = [2.5, 2.7, 3.0, 3.3, 3.6, 4.0, 4.4, 4.9, 5.4, 5.9, 6.4, 7.0, 7.6, 8.2, 8.9, 9.7, 10.6, 11.5, 12.5]
    write_table("TRIMP", "lib", 3, 3, 6, "nnn", ["rating_kVA", "Z_pct", "X_over_R"],
                [[k, zpct(k), xr[i]] for i, k in enumerate(kva)],
                "IEC 60076-5 Table 1 minimum short-circuit impedance (4.0 % to 630 kVA, 5.0 % to 1250, "
                "6.0 % to 2500, 7.0 % to 6300); X/R representative (IEEE C37.010 typical range)", [0, 1, 2])
    gen = [20, 25, 30, 40, 50, 60, 80, 100, 125, 150, 175, 200, 250, 300, 350, 400, 450, 500, 600, 750,
           800, 1000, 1250, 1500, 1750, 2000, 2500, 3000]
    gk = [0] + [g + 1 for g in gen[:-1]]
    write_table("GEN", "lib", 4, 0, 7, "nnnn", ["key_kW", "rating_kW", "rating_kW_2", "rating_kVA"],
                [[gk[i], g, g, g / 0.8] for i, g in enumerate(gen)],
                "representative standby generator ratings (kW at power factor 0.8, ISO 8528-1 standby); "
                "key: 0, then the previous rating + 1; kVA = kW / 0.8", [0, 0, 0, 2])


# ---------------------------------------------------------------------------------------------
# Sheet 6 first (the motor tables use the CT ratios)
CT_PRIMARIES = [5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 125, 150, 200, 250, 300, 400, 500, 600, 750,
                1000, 1250, 1500, 2000, 2500, 3000]


def lower_limit_table(values, factor=1.0):
    out, prev = [], 0.0
    for v in values:
        out.append((round(prev, 2), v))
        prev = v / factor
    return out


def sheet6():
    pf = [2, 3.15, 6.3, 10, 16, 20, 25, 31.5, 40, 50, 63, 80, 100, 125, 160]
    write_table("CurrentLimitingFuseTable", "lib", 6, 0, 6, "nt", ["current_from_A", "fuse"],
                [[lo, f"{fmt(v, 2)}A"] for lo, v in lower_limit_table(pf, 1.5)],
                "IEC 60282-1 rated currents (R10 series); a fuse serves load currents up to its "
                "rating / 1.5; column 1: the lower limit of that range", [2, 0])
    mof = [5, 10, 15, 20, 30, 40, 50, 75, 100, 150]
    strength = {5: "300배", 10: "300배", 15: "150배", 20: "150배", 30: "75배", 40: "75배", 50: "75배",
                75: "40배", 100: "40배", 150: "40배"}
    write_table("MofCtTable", "lib", 6, 3, 6, "ntt", ["current_from_A", "mof_ct", "overcurrent_strength"],
                [[lo, f"{v}/5", strength[v]] for lo, v in lower_limit_table(mof)],
                "IEC 61869-2 primaries; overcurrent strength representative (higher for small ratios)",
                [2, 0, 0])
    write_table("CtRatioTable", "lib", 6, 7, 6, "nt", ["current_from_A", "ct_primary"],
                [[lo, str(v)] for lo, v in lower_limit_table(CT_PRIMARIES)],
                "IEC 61869-2 rated primary currents (10, 12.5, 15, 20, 25, 30, 40, 50, 60, 75 A and "
                "decimal multiples; 5 A added); column 1: the previous primary, so a current in "
                "[previous, this) takes this primary", [2, 0])
    acb = [630, 800, 1000, 1250, 1600, 2000, 2500, 3200, 4000, 5000, 6300]
    write_table("AcbRatioTable", "lib", 6, 10, 6, "nt", ["current_from_A", "acb_rating"],
                [[lo, f"{v}A"] for lo, v in lower_limit_table(acb)],
                "IEC 60947-2 air circuit-breaker rated currents (R10 series); column 1 as CtRatioTable",
                [2, 0])
    write_table("ProtectiveConductorTable", "lib", 6, 13, 6, "nn", ["phase_mm2", "pe_mm2"],
                [[s, p] for s, p in ((s, (s if s <= 16 else 16 if s <= 35 else
                                          next(x for x in SIZES if x >= s / 2))) for s in SIZES)],
                "IEC 60364-5-54 Table 54.2 / KEC 142.3.2 (as GV)", [2, 2])
    caps = [5, 7.5, 10, 15, 20, 25, 30, 40, 50, 75, 100, 150, 200]
    std = [15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225, 250, 300, 350, 400, 500, 630]
    rows = []
    for q in caps:
        c = q * 1e9 / (2 * math.pi * 60 * 380 ** 2)
        i = q * 1000 / (math.sqrt(3) * 380)
        sw = next(x for x in std if x >= 1.5 * i)
        rows.append([q, fmt(q, 1), f"{c:.0f}", f"{i:.1f}", str(sw)])
    write_table("PowerCapacitorTable", "lib", 6, 16, 7, "ntttt",
                ["kVA", "kVA_text", "uF", "rated_current_A", "switch_A"], rows,
                "computed: 380 V three-phase 60 Hz capacitors, C = Q / (2 pi f V^2), I = Q / (sqrt3 V), "
                "switch the next breaker rating at or above 1.5 I (IEC 60831-1 allows 1.3 I continuous)",
                [2, 0, 0, 0, 0])
    nl = [1, 2, 3, 5, 6, 8, 10, 12, 15, 20, 25, 30, 40, 50, 65, 80]
    write_table("NonLimitingFuseTable", "lib", 6, 22, 6, "nn", ["current_from_A", "fuse_A"],
                [[lo, v] for lo, v in lower_limit_table(nl, 1.5)],
                "expulsion fuse-link ratings (IEC 60282-2 / ANSI C37.43 K-links, representative); a link "
                "serves load currents up to its rating / 1.5", [2, 2])


# ---------------------------------------------------------------------------------------------
# Sheet 5: motors
METHODS = ["DOL", "Y-D", "리액터", "S.S", "INV"]
# Values with which the shipped motor rows were computed (the program recomputes them from the
# project's motor design conditions as soon as a project is loaded).
BETA, C_REACTOR, LAMBDA_SS, LAMBDA_INV, K_INRUSH, CT_FACTOR = 7.0, 0.65, 3.0, 1.5, 1.4, 1.5
TM = {"DOL": 6, "Y-D": 10, "리액터": 10, "S.S": 15, "INV": 10}
# IEC 60034-30-1 IE3, 60 Hz, 4 poles (equal to NEMA MG 1 Table 12-12), per unit
IE3 = {0.75: 0.855, 1.5: 0.865, 2.2: 0.895, 3.7: 0.895, 5.5: 0.917, 7.5: 0.917, 11: 0.924, 15: 0.930,
       18.5: 0.936, 22: 0.936, 30: 0.941, 37: 0.945, 45: 0.950, 55: 0.954, 75: 0.954, 90: 0.954,
       110: 0.958, 132: 0.962, 160: 0.962, 185: 0.962, 200: 0.962, 220: 0.962, 250: 0.962, 280: 0.962,
       315: 0.962, 355: 0.962, 400: 0.962}
PF = {0.75: 0.72, 1.5: 0.78, 2.2: 0.80, 3.7: 0.82, 5.5: 0.84, 7.5: 0.85, 11: 0.85, 15: 0.86, 18.5: 0.86,
      22: 0.86, 30: 0.86, 37: 0.87, 45: 0.87, 55: 0.87, 75: 0.87, 90: 0.88, 110: 0.88, 132: 0.88,
      160: 0.88, 185: 0.89, 200: 0.89, 220: 0.89, 250: 0.89, 280: 0.89, 315: 0.89, 355: 0.89, 400: 0.89}
# single-phase motors (representative)
SP = {0.12: (0.60, 0.70), 0.18: (0.63, 0.72), 0.25: (0.66, 0.74), 0.37: (0.69, 0.76), 0.55: (0.72, 0.78)}


def ct_label(x):
    prim = [lo for lo, _ in lower_limit_table(CT_PRIMARIES)]
    labels = [str(v) for _, v in lower_limit_table(CT_PRIMARIES)]
    for i, lo in enumerate(prim):
        if lo > x:
            return (labels[0] if i == 0 else labels[i - 1]) + "/5"
    return ""


def unit_size(kw, m):
    base = 300 if kw <= 7.5 else 450 if kw <= 22 else 600 if kw <= 55 else 900 if kw <= 110 else 1200
    extra = {"DOL": 0, "Y-D": 150, "리액터": 300, "S.S": 150, "INV": 300}[m]
    return str(min(base + extra, 1500) if kw <= 160 else 2400)


def motor_row(kw, m, phases, eff, pf, text18=False):
    v = 0.22 if phases == 2 else 0.38
    ib = kw / v / eff / pf if phases == 2 else kw / math.sqrt(3) / v / eff / pf
    C = {"DOL": 1.0, "Y-D": 1 / 3, "리액터": C_REACTOR}.get(m)
    lam = {"S.S": LAMBDA_SS, "INV": LAMBDA_INV}.get(m)
    k = None if m in ("S.S", "INV") else K_INRUSH
    if m in ("S.S", "INV"):
        ims = ii = ib * lam
        s = kw / eff / pf * lam
    else:
        ims = ib * BETA * C
        ii = ims * k
        s = kw / eff / pf * BETA * C
    qc = kw / eff * (math.tan(math.acos(pf)) - math.tan(math.acos(0.95)))
    uf = qc * 1e9 / (2 * math.pi * 60 * (v * 1000) ** 2)
    kwt = fmt(kw, 2)
    return [kwt + m, kwt, str(phases), v, eff, pf, ib, m, BETA,
            "-" if C is None else C, "-" if lam is None else lam, "-" if k is None else k,
            round(ims), round(ii), str(TM[m]), ct_label(ib * CT_FACTOR), f"{uf:.0f}", unit_size(kw, m),
            f"{s:.2f}" if text18 else s]


def sheet5():
    hdr = ["key", "kW", "phases", "kV", "efficiency", "power_factor", "IB_A", "starting", "beta", "C",
           "lambda", "k", "IMS_A", "II_A", "tm_s", "CT", "capacitor_uF", "unit_size_mm", "start_kVA"]
    dec = [0, 0, 0, 2, 3, 3, 2, 0, 1, 6, 2, 2, 0, 0, 0, 0, 0, 0, 2]
    kinds12 = "tttnnnntndddnntttt" + "n"
    src = ("IE3 efficiencies of IEC 60034-30-1 (60 Hz, 4 poles); power factors, capacitors (to cos 0.95) "
           "and unit sizes representative; computed fields with beta 7.0, C reactor 0.65, lambda 3.0 "
           "(S.S) and 1.5 (INV), k 1.4, tm DOL 6 s, Y-D 10 s, reactor 10 s, S.S 15 s, INV 10 s, "
           "CT factor 1.5 (the program recomputes them with the project's motor design conditions)")
    t1 = [motor_row(kw, "DOL", 2, e, p) for kw, (e, p) in SP.items()]
    write_table("MotorTable1", "lib", 5, 1, 5, kinds12, hdr, t1,
                "single-phase 220 V motors, efficiencies and power factors representative; " + src, dec)
    kws2 = [0.75, 1.5, 2.2, 3.7, 5.5, 7.5, 11, 15, 18.5, 22, 30, 37, 45, 55, 75, 90, 110, 132, 160]
    t2 = [motor_row(kw, m, 3, IE3[kw], PF[kw]) for kw in kws2 for m in METHODS]
    write_table("MotorTable2", "lib", 5, 22, 5, kinds12, hdr, t2, "three-phase 380 V motors; " + src, dec)
    kws3 = [185, 200, 220, 250, 280, 315, 355, 400]
    t3 = [motor_row(kw, m, 3, IE3[kw], PF[kw], True) for kw in kws3 for m in ("S.S", "INV")]
    write_table("MotorTable3", "lib", 5, 43, 5, kinds12[:18] + "t", hdr, t3,
                "three-phase 380 V motors above 160 kW with soft starter or inverter; " + src, dec)
    pairs = [(float(r[1]), r[7]) for r in t1 + t2 + t3]
    assert len(pairs) == len(set(pairs))


# ---------------------------------------------------------------------------------------------
# Sheet 7: grounding
def sheet7():
    # IEEE Std 80-2000 Table 1, in the order of the program's material list
    mat = [
        ["연동선", 100.0, 0.00393, 234, 1083, 1.72, 3.42],            # copper, annealed soft-drawn
        ["경동선", 97.0, 0.00381, 242, 1084, 1.78, 3.42],             # copper, commercial hard-drawn
        ["알루미늄선", 61.0, 0.00403, 228, 657, 2.86, 2.56],          # aluminium, EC grade
        ["동복강선", 40.0, 0.00378, 245, 1084, 4.40, 3.85],           # copper-clad steel wire 40 %
        ["내식 알루미늄 #5005", 53.5, 0.00353, 263, 652, 3.22, 2.60],  # aluminium 5005 alloy
        ["내식 알루미늄 #6201", 52.5, 0.00347, 268, 654, 3.28, 2.60],  # aluminium 6201 alloy
        ["알루미늄 복강선", 20.3, 0.00360, 258, 657, 8.48, 3.58],      # aluminium-clad steel wire
        ["아연 도금 강선", 8.6, 0.00320, 293, 419, 20.10, 3.93],       # zinc-coated steel rod
        ["스테인리스강 #304", 2.4, 0.00130, 749, 1400, 72.00, 4.03],   # stainless steel 304
    ]
    write_table("ConductorMaterialTable", "lib", 7, 0, 7, "tnnnnnn",
                ["material", "conductivity_pct", "alpha_r_20C", "K0_0C", "fusing_C", "rho_r_uohm_cm",
                 "TCAP_J_cm3_C"], mat,
                "IEEE Std 80-2000 Table 1 (material constants): annealed soft-drawn copper, hard-drawn "
                "copper, EC aluminium, 40 % copper-clad steel wire, aluminium 5005, aluminium 6201, "
                "aluminium-clad steel wire, zinc-coated steel rod, stainless steel 304",
                [0, 1, 5, 0, 1, 4, 4])
    gs = [2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300, 400]
    write_table("GroundConductorSizeTable", "lib", 7, 8, 7, "nn", ["area_from_mm2", "size_mm2"],
                [[0.0 if i == 0 else gs[i - 1] + 0.1, s] for i, s in enumerate(gs)],
                "IEC 60228 standard sizes; column 1: the previous size + 0.1, so a computed whole area A "
                "takes the smallest standard size not below A", [1, 1])
    rods = [("10Φ×1.0M", 1.0, 10), ("12Φ×1.0M", 1.0, 12), ("14Φ×1.0M", 1.0, 14), ("14Φ×1.2M", 1.2, 14),
            ("14Φ×1.5M", 1.5, 14), ("14Φ×1.8M", 1.8, 14), ("16Φ×1.5M", 1.5, 16), ("16Φ×1.8M", 1.8, 16),
            ("16Φ×2.4M", 2.4, 16), ("18Φ×2.4M", 2.4, 18), ("20Φ×3.0M", 3.0, 20)]
    write_table("GroundRodTable", "lib", 7, 11, 7, "tnt", ["designation", "length_m", "diameter_mm"],
                [[d, l, str(dia)] for d, l, dia in rods],
                "representative copper-bonded ground rods (IEC 62561-2 minimum diameter 14 mm for "
                "copper-bonded steel; 10 and 12 mm kept for existing installations)", [0, 1, 0])
    dia = [(16, 5.1), (25, 6.4), (35, 7.6), (50, 9.0), (70, 10.7), (95, 12.6), (120, 14.2), (150, 15.8),
           (185, 17.6), (240, 20.2), (300, 22.6)]
    write_table("GroundConductorDiameterTable", "lib", 7, 15, 7, "nn", ["size_mm2", "OD_mm"],
                [list(x) for x in dia],
                "representative: bare stranded copper (7 wires to 25, 19 to 95, 37 to 185, 61 above) "
                "outer diameters", [0, 2])


# ---------------------------------------------------------------------------------------------
# Sheet 8: demand factors
def sheet8():
    # NFPA 70 Table 220.84 (multifamily dwellings, optional method); 1 and 2 dwellings at 100 %
    nec = [(3, 45), (6, 44), (8, 43), (11, 42), (12, 41), (14, 40), (16, 39), (18, 38), (21, 37), (22, 36),
           (24, 35), (26, 34), (28, 33), (31, 32), (32, 31), (34, 30), (37, 29), (39, 28), (43, 27),
           (46, 26), (51, 25), (56, 24), (62, 23)]

    def df(n):
        if n < 3:
            return 100
        return [p for lo, p in nec if lo <= n][-1]

    counts = list(range(1, 31)) + [35, 40, 45, 50, 55, 60, 62]
    rows = []
    prev = None
    for n in counts:
        key = 0.1 if prev is None else prev + 0.1
        rows.append([key, n, df(n), df(n) / 100])
        prev = n
    write_table("DwellingDemandFactorTable", "lib", 8, 0, 7, "nnnn",
                ["key", "dwellings", "demand_pct", "demand_factor"], rows,
                "NFPA 70 Table 220.84 demand factors for 3 and more dwelling units (1 and 2 units 100 %); "
                "representative for Korean practice; key: 0.1, then the previous count + 0.1",
                [1, 0, 0, 2])
    nec620 = {1: 100, 2: 95, 3: 90, 4: 85, 5: 82, 6: 79, 7: 77, 8: 75, 9: 73}
    rows = [[n, nec620.get(n, 72), nec620.get(n, 72) / 100] for n in range(1, 61)]
    write_table("ElevatorDemandFactorTable", "lib", 8, 6, 7, "nnn", ["units", "demand_pct", "demand_factor"],
                rows, "NFPA 70 Table 620.14 feeder demand factors for elevators (10 and more: 0.72)",
                [0, 0, 2])


# ---------------------------------------------------------------------------------------------
# Breaker workbook: one sheet per maker, each ratings (E3), frames (A3) and the grid (L2)
def maker_sheet(idx, code, ratings, frames, delta, src):
    """frames: list of (AF, kA, type, smallest rating offered)."""
    rr = [[str(r)] + list(delta(r)) for r in ratings]
    write_table(f"breaker_{code}_ratings", "breaker", idx, 4, 2, "tnnnnn",
                ["AT", "delta_4s", "delta_6s", "delta_10s", "delta_15s", "delta_20s"], rr,
                src + "; delta: multiple of the rating that trips the breaker in 4, 6, 10, 15, 20 s "
                "(lower edge of the time-current band), representative", [0, 1, 1, 1, 1, 1])
    write_table(f"breaker_{code}_frames", "breaker", idx, 0, 2, "ttt", ["AF", "kA", "type"],
                [[str(f[0]), str(f[1]), f[2]] for f in frames], src + "; breaking capacity Icu at 380/415 V")
    grid = [[""] + [str(f[0]) for f in frames]]
    for r in ratings:
        grid.append([str(r)] + [str(r) if f[3] <= r <= f[0] else "" for f in frames])
    write_table(f"breaker_{code}_grid", "breaker", idx, 11, 1, "T" * (len(frames) + 1),
                ["AT"] + [f"AF{f[0]}" for f in frames], grid,
                src + "; first row: the frames; a cell holds the rating when the frame offers it")
    assert len(ratings) <= 49 and len(frames) <= 49
    assert ratings == sorted(ratings) and [f[0] for f in frames] == sorted(f[0] for f in frames)


def breaker_book():
    def tm_delta(r):  # thermal-magnetic
        if r <= 100:
            return (8.0, 7.0, 5.5, 4.5, 4.0)
        if r <= 250:
            return (7.5, 6.5, 5.0, 4.2, 3.8)
        return (7.0, 6.0, 4.8, 4.0, 3.6)

    def etr_delta(r):  # electronic trip, long-time delay band
        if r <= 160:
            return (8.5, 7.0, 5.5, 4.5, 4.0)
        return (8.0, 6.5, 5.2, 4.3, 3.8)

    kr = [15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225, 250, 300, 350, 400, 500, 630, 700, 800]
    maker_sheet(0, "LSM", kr,
                [(30, 5, "E", 15), (50, 14, "S", 15), (100, 25, "S", 15), (125, 35, "H", 15),
                 (250, 35, "S", 125), (400, 50, "S", 300), (630, 50, "S", 500), (800, 65, "S", 700)],
                tm_delta, "representative thermal-magnetic moulded-case breakers (IEC 60947-2)")
    ir = [16, 20, 25, 32, 40, 50, 63, 80, 100, 125, 160, 200, 250, 320, 400, 500, 630, 800]
    maker_sheet(1, "LSS", ir,
                [(100, 50, "N", 16), (160, 50, "N", 16), (250, 50, "N", 125), (400, 65, "H", 250),
                 (630, 65, "H", 320), (800, 70, "H", 500)],
                etr_delta, "representative electronic-trip moulded-case breakers (IEC 60947-2)")

    def hg_delta(r):
        a = tm_delta(r)
        return tuple(round(x - 0.2, 1) for x in a)

    maker_sheet(2, "HG", kr,
                [(50, 18, "S", 15), (100, 25, "S", 15), (125, 30, "S", 15), (160, 36, "S", 125),
                 (250, 36, "S", 125), (400, 50, "S", 300), (630, 50, "S", 500), (800, 50, "S", 700)],
                hg_delta, "representative thermal-magnetic moulded-case breakers (IEC 60947-2)")

    def user_delta(r):
        return (7.0, 6.0, 5.0, 4.0, 3.5)

    maker_sheet(3, "USER", ir,
                [(100, 25, "TM", 16), (250, 36, "TM", 125), (400, 50, "ETR", 250), (630, 50, "ETR", 500),
                 (800, 65, "ETR", 630)],
                user_delta, "starting values of the user's own sheet: a generic IEC 60947-2 set, "
                "conservative multiples (edit them in the program)")


SHEETS = [
    ("lib", 0, "케이블"), ("lib", 1, "차단기"), ("lib", 2, "케이블규격"), ("lib", 3, "변압기"),
    ("lib", 4, "발전기"), ("lib", 5, "전동기"), ("lib", 6, "수배전반"), ("lib", 7, "접지"),
    ("lib", 8, "수용률"), ("lib", 9, "사용자전동기"),
    ("breaker", 0, "LS Metasol"), ("breaker", 1, "LS Susol - TS"), ("breaker", 2, "현대 HGM"),
    ("breaker", 3, "User"),
]


def main():
    os.makedirs(DATA, exist_ok=True)
    sheet0()
    sheet1()
    sheet2()
    sheet34()
    sheet6()
    sheet5()
    sheet7()
    sheet8()
    breaker_book()
    with open(os.path.join(DATA, "sheets.csv"), "w", newline="", encoding="utf-8") as f:
        f.write("# sheet names of the two shipped workbooks, in sheet order\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["workbook", "index", "name"])
        w.writerows(SHEETS)
    with open(os.path.join(DATA, "catalogue.csv"), "w", newline="", encoding="utf-8") as f:
        f.write("# where each table goes: workbook, sheet index, first cell, orientation (down: an entry "
                "per row; across: an entry per column), one kind letter per CSV column (t text, T text "
                "written even when empty, n number, d number or \"-\", x not written), entries, label\n")
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["table", "workbook", "sheet", "first_cell", "orientation", "kinds", "entries", "csv",
                    "label"])
        w.writerows(CATALOGUE)


if __name__ == "__main__":
    main()
