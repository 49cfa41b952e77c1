#include "grounding/gui/gridresistancepage.h"

#include <QLineEdit>

using namespace Fx;

CGridResistancePage::CGridResistancePage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 250;
    AddHeading(tr("2. 접지저항 값 계산"), x, 4);
    int y = 20;
    AddRow(1041, tr("2.1. 설계 접지저항 값"), tr("[Ω]"), x, y, lw);
    y += 15;
    AddHeading(tr("2.2. 측정된 평균 대지저항률"), x, y);
    y += 13;
    AddRow(1040, tr("ρ : 대지저항률 [Ω-m] (실제 측정된 평균 값 사용)"), QString(), x, y, lw);
    y += 15;
    AddHeading(tr("2.3. 접지도체 설계 조건"), x, y);
    y += 13;
    AddRow(1212, tr("h : 접지시스템 매설 깊이"), tr("[m]"), x, y, lw);
    y += 13;
    AddRow(1213, tr("Lx : 접지시스템의 가로 최대길이"), tr("[m]"), x, y, lw);
    y += 13;
    AddRow(1214, tr("Ly : 접지시스템의 세로 최대길이"), tr("[m]"), x, y, lw);
    y += 15;
    AddHeading(tr("2.4. 접지도체 및 접지봉 조건"), x, y);
    y += 13;
    AddLabel(tr("접지봉 지름 및 길이"), x, y + 1, 120);
    AddBox(1217, x + lw - 70, y, 45);
    AddLabel(tr("Φx"), x + lw - 22, y + 1, 12);
    AddBox(1218, x + lw, y, 50);
    AddLabel(tr("[m]"), x + lw + 53, y + 1, 20);
    y += 13;
    AddRow(1039, tr("d : 접지도체의 직경"), tr("[m]"), x, y, lw);
    y += 13;
    AddRow(1042, tr("2b : 접지봉의 직경"), tr("[m]"), x, y, lw);
    y += 13;
    AddRow(1043, tr("Lr : 각 접지봉의 길이"), tr("[m]"), x, y, lw);
    y += 15;
    AddHeading(tr("2.5. 총 접지도체 길이 및 접지봉 개수"), x, y);
    y += 13;
    AddRow(1215, tr("Lc : 접지망 총 길이"), tr("[m]"), x, y, lw);
    y += 13;
    AddRow(1216, tr("N : 총 접지봉의 개수"), tr("[EA]"), x, y, lw);
    y += 15;
    AddHeading(tr("2.6. 계산에 필요한 계수"), x, y);
    y += 13;
    AddRow(1224, tr("K1 : 접지시스템의 기하학적 구조와 관련된 상수"), QString(), x, y, lw);
    y += 13;
    AddRow(1225, tr("K2 : 접지시스템의 기하학적 구조와 관련된 상수"), QString(), x, y, lw);
    y += 13;
    // Schwarz's R1 (IEEE Std 80-2000, 14.3) takes a' = √(a·2h) with a the conductor's radius;
    // with d its diameter, as the field above gives it, that is √(d·h).
    AddRow(1226, tr("a' : √(d·h)"), QString(), x, y, lw);
    y += 13;
    AddRow(1227, tr("A : 접지시스템의 면적 ( Lx × Ly )"), tr("[m²]"), x, y, lw);
    y += 13;
    AddRow(1228, tr("R : 접지시스템의 가로, 세로 비율 ( Lx ÷ Ly )"), QString(), x, y, lw);
    y += 13;
    AddRow(1229, tr("Lt : 접지도체 및 접지봉을 포함한 모든 유효 도체 길이"), tr("[m]"), x, y, lw);

    const int fx = 370;
    y = 20;
    AddHeading(tr("2.7. 접지저항 값"), fx, y);
    y += 13;
    AddLabel(tr("2.7.1. Schwarz 계산식에 의한 값"), fx, y, 200);
    y += 12;
    AddFormula(R({T("R"), Sub("1"), T(" = "), F(T("ρ"), R({T("π · L"), Sub("C")})),
                  T(" · [ ln"), F(R({T("2 · L"), Sub("C")}), T("a'")), T(" + "),
                  F(R({T("K"), Sub("1"), T(" · L"), Sub("C")}), Sqrt(T("A"))), T(" − K"), Sub("2"), T(" ]")}),
               fx, y, 260, 34);
    AddRow(1230, tr("R1 : 접지도체의 총 저항"), tr("[Ω]"), fx + 265, y + 12, 110, 45);
    y += 38;
    AddFormula(R({T("R"), Sub("2"), T(" = "), F(T("ρ"), R({T("2π · N · L"), Sub("r")})),
                  T(" · [ ln"), F(R({T("4 · N · L"), Sub("r")}), T("b")), T(" − 1 + "),
                  F(R({T("2 · K"), Sub("1"), T(" · L"), Sub("r")}), Sqrt(T("A"))),
                  T(" · ("), Sqrt(T("N")), T(" − 1)"), Sup(T("2")), T(" ]")}),
               fx, y, 260, 34);
    AddRow(1031, tr("R2 : 접지봉의 총 저항"), tr("[Ω]"), fx + 265, y + 12, 110, 45);
    y += 38;
    AddFormula(R({T("R"), Sub("m"), T(" = "), F(T("ρ"), R({T("π · L"), Sub("C")})),
                  T(" · [ ln"), F(R({T("2 · L"), Sub("C")}), R({T("L"), Sub("r")})), T(" + "),
                  F(R({T("K"), Sub("1"), T(" · L"), Sub("C")}), Sqrt(T("A"))), T(" − K"), Sub("2"), T(" + 1 ]")}),
               fx, y, 260, 34);
    AddRow(1033, tr("Rm : 접지시스템 상호간의 저항"), tr("[Ω]"), fx + 265, y + 12, 110, 45);
    y += 38;
    AddFormula(R({T("R"), Sub("g"), T(" = "),
                  F(R({T("R"), Sub("1"), T(" · R"), Sub("2"), T(" − R"), Sub("m"), Sup(T("2"))}),
                    R({T("R"), Sub("1"), T(" + R"), Sub("2"), T(" − 2 · R"), Sub("m")}))}),
               fx, y, 260, 30);
    AddRow(1035, tr("Rg : 총 접지저항 값"), tr("[Ω]"), fx + 265, y + 10, 110, 45);
    y += 36;
    AddLabel(tr("2.7.2. Sverak 계산식에 의한 값 (참고용)"), fx, y, 200);
    y += 12;
    AddFormula(R({T("R"), Sub("g"), T(" = ρ · [ "), F(T("1"), R({T("L"), Sub("T")})), T(" + "),
                  F(T("1"), Sqrt(T("20 · A"))), T(" · ( 1 + "),
                  F(T("1"), R({T("1 + h · "), Sqrt(F(T("20"), T("A")))})), T(" ) ]")}),
               fx, y, 260, 38);
    AddBox(1037, fx + 265 + 110, y + 13, 45);
    AddLabel(tr("[Ω]"), fx + 265 + 158, y + 14, 20);
    y += 46;
    AddHeading(tr("2.8. 결론"), fx, y);
    y += 13;
    AddRow(1038, tr("총 접지저항 값 : "), tr("[Ω]"), fx, y, 110);

    // Three-decimal values kept for the record, not shown.
    for (int id : {1030, 1032, 1034, 1036})
        AddBox(id, fx, y, 40)->setVisible(false);
}
