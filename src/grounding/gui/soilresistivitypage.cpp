#include "grounding/gui/soilresistivitypage.h"

#include <QLineEdit>

using namespace Fx;

CSoilResistivityPage::CSoilResistivityPage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 150;
    AddHeading(tr("4. 평균대지저항률 계산"), x, 4, 120);
    AddBox(1258, x + 130, 4, 50)->setVisible(false);
    int y = 22;
    AddHeading(tr("4.1. 토양 데이터(2층 구조)"), x, y);
    y += 14;
    for (int i = 0; i < 5; ++i, y += 13)
        AddRow(1246 + i, tr("h%1 : 대지 %1층 두께").arg(i + 1), tr("[m]"), x, y, lw);
    y += 4;
    for (int i = 0; i < 5; ++i, y += 13)
        AddRow(1251 + i, tr("ρ%1 : 대지 %1층 대지저항률").arg(i + 1), tr("[Ω-m]"), x, y, lw);
    y += 4;
    AddRow(1256, tr("α : 여유율(1.0~2.0)"), QString(), x, y, lw);
    y += 13;
    AddRow(1257, tr("'ρ : 평균 대지저항률"), tr("[Ω-m]"), x, y, lw);
    AddFormula(R({T("ρ = "),
                  F(R({T("h"), Sub("1"), T(" + h"), Sub("2"), T(" + h"), Sub("3"), T(" + h"), Sub("4"), T(" + h"), Sub("5")}),
                    R({F(R({T("h"), Sub("1")}), R({T("ρ"), Sub("1")})), T(" + "), F(R({T("h"), Sub("2")}), R({T("ρ"), Sub("2")})),
                       T(" + "), F(R({T("h"), Sub("3")}), R({T("ρ"), Sub("3")})), T(" + "),
                       F(R({T("h"), Sub("4")}), R({T("ρ"), Sub("4")})), T(" + "),
                       F(R({T("h"), Sub("5")}), R({T("ρ"), Sub("5")}))})),
                  T(" · α")}),
               x + 280, 36, 260, 50);
}
