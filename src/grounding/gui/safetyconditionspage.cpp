#include "grounding/gui/safetyconditionspage.h"

#include "grounding/core/groundingdesign.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Fx;

const int CSafetyConditionsPage::kUnwrittenIds[13] = {1044, 1066, 1231, 1234, 1236, 1237, 1239,
                                                 1240, 1241, 1242, 1063, 1064, 1065};

CSafetyConditionsPage::CSafetyConditionsPage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 265;
    const int fx = x + lw + 80;
    AddHeading(tr("3. 안전전압 계산"), x, 4);
    int y = 18;
    AddHeading(tr("3.1. 안전전압을 산출하기 위한 설계 조건"), x, y);
    y += 12;
    AddLabel(tr("3.1.1. 허용 보폭전압 및 접촉전압을 산출하기 위한 설계조건"), x, y, 300);
    y += 12;
    AddRow(1045, tr("ρs = 표면층 고유저항률 [Ω-m]"), QString(), x, y, lw);
    AddFormula(R({T("C"), Sub("s"), T(" = 1 − "),
                  F(R({T("0.09 · ( 1 − "), F(T("ρ"), R({T("ρ"), Sub("s")})), T(" )")}),
                    R({T("2 · h"), Sub("s"), T(" + 0.09")}))}),
               fx, y, 180, 34);
    y += 12;
    AddRow(1046, tr("hs = 표층 두께 [m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1047, tr("ρ = 등가대지저항률 [Ω-m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1042, tr("√ts = 고장전류 지속시간 [s]"), QString(), x, y, lw);
    y += 12;
    AddRow(1043, tr("Cs = 표면층 감소계수"), QString(), x, y, lw);
    y += 12;
    AddRow(1048, tr("Sf = 고장전류 분류 계수"), tr("(0.2 이상)"), x, y, lw);
    y += 15;
    AddLabel(tr("3.1.2. 예상 보폭전압 및 접촉전압을 산출하기 위한 설계조건"), x, y, 300);
    y += 12;
    AddRow(1051, tr("Sf = 고장전류의 분류율"), QString(), x, y, lw);
    AddFormula(R({T("L"), Sub("M"), T(" = L"), Sub("C"), T(" + [ 1.55 + 1.22 · "),
                  F(R({T("L"), Sub("r")}), Sqrt(R({T("L"), Sub("x"), Sup(T("2")), T(" + L"), Sub("y"), Sup(T("2"))}))),
                  T(" ] · L"), Sub("R")}),
               fx, y, 230, 34);
    y += 12;
    AddRow(1052, tr("Lc = 접지망 총 길이 [m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1053, tr("Lr = 각 접지봉의 길이 [m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1049, tr("Lx = 접지시스템 가로 길이[m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1050, tr("Ly = 접지시스템 세로 길이 [m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1054, tr("LR = 접지봉의 전체 길이 [m]"), QString(), x, y, lw);
    y += 12;
    AddRow(1055, tr("Lm = 접지도체 전체 길이 [m] (접촉전압에 영향 미치는 요소)"), QString(), x, y, lw);
    y += 16;
    AddRow(1232, tr("Km = 접촉전압 간격계수"), QString(), x, y, lw);
    AddFormula(R({T("K"), Sub("m"), T(" = "), F(T("1"), T("2π")), T(" · [ ln( "),
                  F(R({T("D"), Sup(T("2"))}), T("16 · h · d")), T(" + "),
                  F(R({T("(D + 2 · h)"), Sup(T("2"))}), T("8 · D · d")), T(" − "), F(T("h"), T("4 · d")),
                  T(" ) + "), F(R({T("K"), Sub("ii")}), R({T("K"), Sub("h")})), T(" · ln"),
                  F(T("8"), T("π · (2 · n − 1)")), T(" ]")}),
               fx, y, 330, 34);
    y += 14;
    AddRow(1067, tr("h : 접지시스템 매설 깊이 :"), tr("[m]"), x, y, lw);
    y += 12;
    AddRow(1233, tr("d : 접지선의 직경 :"), tr("[m]"), x, y, lw);
    y += 12;
    AddRow(1238, tr("D : 병렬도체 사이 간격  :"), tr("[m]"), x, y, lw);
    y += 12;
    AddRow(1069, tr("Kii : 내부 도체가 접지시스템 코너에 미치는 영향을 조정하는 보정 가중치 계수 :"), QString(), x, y, lw);
    AddFormula(R({T("K"), Sub("h"), T(" = "), Sqrt(R({T("1 + "), F(T("h"), R({T("h"), Sub("0")}))})),
                  T(" ,  h"), Sub("0"), T(" = 1 m")}),
               fx, y + 2, 160, 26);
    y += 12;
    AddRow(1070, tr("Kh : 그리드 깊이의 영향을 강조하는 보정 가중치 계수 :"), QString(), x, y, lw);
    y += 24;
    AddRow(1235, tr("n = na X nb X nc X nd"), QString(), x, y, lw);
    m_shape = AddCombo(1122, x + lw + 55, y, 60, false);
    m_shape->addItems(GroundingGridShapes());
    AddFormula(R({T("n = n"), Sub("a"), T(" · n"), Sub("b"), T(" · n"), Sub("c"), T(" · n"), Sub("d"),
                  T(" ,   n"), Sub("a"), T(" = "), F(R({T("2 · L"), Sub("C")}), R({T("L"), Sub("p")}))}),
               fx + 70, y - 8, 190, 28);
    y += 26;
    AddRow(1062, tr("Ki = 불규칙요인 계수 :"), QString(), x, y, lw);
    AddFormula(R({T("K"), Sub("i"), T(" = 0.644 + 0.148 · n")}), fx, y - 3, 150, 17);
    y += 22;
    AddRow(1068, tr("Ls = 접지도체 전체 길이 [m] (보폭전압에 영향 미치는 요소) :"), QString(), x, y, lw);
    AddFormula(R({T("L"), Sub("S"), T(" = 0.75 · L"), Sub("C"), T(" + 0.85 · L"), Sub("R")}), fx, y - 3, 150, 17);
    y += 26;
    AddRow(1071, tr("Ks = 보폭전압 간격계수 :"), QString(), x, y, lw);
    AddFormula(R({T("K"), Sub("s"), T(" = "), F(T("1"), T("π")), T(" · [ "), F(T("1"), T("2 · h")), T(" + "),
                  F(T("1"), T("D + h")), T(" + "), F(T("1"), T("D")), T(" · ( 1 − 0.5"),
                  Sup(T("n − 2")), T(" ) ]")}),
               fx, y - 9, 260, 30);

    for (int id : kUnwrittenIds)
        AddBox(id, x, y, 40)->setVisible(false);
}
