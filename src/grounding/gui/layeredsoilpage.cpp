#include "grounding/gui/layeredsoilpage.h"

using namespace Fx;

const int CLayeredSoilPage::kBoxIds[14] = {1235, 1245, 1257, 1258, 1259, 1260, 1241,
                                           1236, 1243, 1237, 1238, 1244, 1239, 1240};

CLayeredSoilPage::CLayeredSoilPage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 150;
    AddHeading(tr("4. 등가대지저항률 계산"), x, 4);
    int y = 22;
    AddHeading(tr("4.1. 토양 데이터(2층 구조)"), x, y, 120);
    AddBox(1235, x + 130, y, 50);
    y += 14;
    AddRow(1245, tr("h1 : 상지층 두께 [m]"), QString(), x, y, lw);
    AddFormula(R({T("ρ"), Sub("e"), T(" = "),
                  F(R({T("l · ρ"), Sub("1"), T(" · ρ"), Sub("2")}),
                    R({T("h"), Sub("1"), T(" · ρ"), Sub("2"), T(" + (l − h"), Sub("1"), T(") · ρ"), Sub("1")}))}),
               x + 260, y, 200, 30);
    for (const auto& [id, label] : {std::pair{1257, "ρ1 : 상지층 대지저항률 [Ω-m]"},
                                    std::pair{1258, "ρ2 : 하지층 대지저항률 [Ω-m]"},
                                    std::pair{1259, "l : 등가저항 적용깊이 [m]"},
                                    std::pair{1260, "ρe : 등가대지저항률 [Ω-m]"}}) {
        y += 13;
        AddRow(id, tr(label), QString(), x, y, lw);
    }
    y += 20;
    AddHeading(tr("4.2. 토양 데이터(3층 구조)"), x, y, 120);
    AddBox(1241, x + 130, y, 50);
    y += 14;
    AddFormula(R({T("ρ"), Sub("e"), T(" = "),
                  F(R({T("l · ρ"), Sub("1"), T(" · ρ"), Sub("2"), T(" · ρ"), Sub("3")}),
                    R({T("h"), Sub("1"), T(" · ρ"), Sub("2"), T(" · ρ"), Sub("3"), T(" + h"), Sub("2"), T(" · ρ"),
                       Sub("1"), T(" · ρ"), Sub("3"), T(" + (l − h"), Sub("2"), T(") · ρ"), Sub("1"), T(" · ρ"),
                       Sub("2")}))}),
               x + 260, y, 300, 30);
    for (const auto& [id, label] : {std::pair{1236, "h1 : 상지층 두께 [m]"}, std::pair{1243, "h2 : 중지층 두께 [m]"},
                                    std::pair{1237, "ρ1 : 상지층 대지저항률 [Ω-m]"},
                                    std::pair{1238, "ρ2 : 중지층 대지저항률 [Ω-m]"},
                                    std::pair{1244, "ρ3 : 하지층 대지저항률 [Ω-m]"},
                                    std::pair{1239, "l : 등가저항 적용깊이 [m]"},
                                    std::pair{1240, "ρe : 등가대지저항률 [Ω-m]"}}) {
        AddRow(id, tr(label), QString(), x, y, lw);
        y += 13;
    }
}
