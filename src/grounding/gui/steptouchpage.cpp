#include "grounding/gui/steptouchpage.h"

#include <QLineEdit>

using namespace Fx;

CStepTouchPage::CStepTouchPage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 230;
    const int fx = 360;
    AddHeading(tr("3.2. 허용 보폭 및 접촉전압"), x, 4);
    int y = 22;
    AddRow(1058, tr("3.2.1. 허용 보폭전압 (E step)"), tr("[V]"), x, y, lw);
    AddFormula(R({T("E"), Sub("step50"), T(" = ( 1000 + 6 · C"), Sub("s"), T(" · ρ"), Sub("s"), T(" ) · "),
                  F(T("0.116"), Sqrt(R({T("t"), Sub("s")})))}),
               fx, y - 8, 260, 30);
    y += 32;
    AddRow(1059, tr("3.2.2. 허용 접촉전압 (E touch)  - 안전전압"), tr("[V]"), x, y, lw);
    AddFormula(R({T("E"), Sub("touch50"), T(" = ( 1000 + 1.5 · C"), Sub("s"), T(" · ρ"), Sub("s"), T(" ) · "),
                  F(T("0.116"), Sqrt(R({T("t"), Sub("s")})))}),
               fx, y - 8, 260, 30);
    y += 32;
    AddRow(1060, tr("3.3. 1선 지락전류에 의한 대지전위 상승 (EPR)"), tr("[V]"), x, y, lw);
    AddFormula(R({T("EPR = I"), Sub("G"), T(" · R"), Sub("g"), T(" = I · 1000 · S"), Sub("f"), T(" · R"), Sub("g")}),
               fx, y - 3, 200, 18);
    y += 16;
    AddBox(1061, x, y, 600)->setAlignment(Qt::AlignLeft);
    y += 22;
    AddRow(1057, tr("3.4.1. 최대 예상 접촉전압  - 위험(사고)전압"), tr("[V]"), x, y, lw);
    AddFormula(R({T("E"), Sub("m"), T(" = "),
                  F(R({T("ρ · K"), Sub("m"), T(" · K"), Sub("i"), T(" · I"), Sub("G")}), R({T("L"), Sub("M")}))}),
               fx, y - 8, 170, 30);
    y += 32;
    AddRow(1056, tr("3.4.2. 최대 예상 보폭전압"), tr("[V]"), x, y, lw);
    AddFormula(R({T("E"), Sub("s"), T(" = "),
                  F(R({T("ρ · K"), Sub("s"), T(" · K"), Sub("i"), T(" · I"), Sub("G")}), R({T("L"), Sub("S")}))}),
               fx, y - 8, 170, 30);
    y += 34;
    AddHeading(tr("3.5. 허용 전압과 예상 전압의 비교 및 안전성 검토"), x, y);
    y += 14;
    const int cx[] = {x, x + 80, x + 160, x + 240};
    const char* captions[] = {"구분", "허용(안전)전압", "위험전압", "평가"};
    for (int c = 0; c < 4; ++c)
        AddLabel(tr(captions[c]), cx[c] + 5, y, 75);
    y += 12;
    AddLabel(tr("EPR (GPR)"), cx[0] + 5, y + 1, 75);
    AddBox(1191, cx[1], y, 70);
    y += 13;
    AddLabel(tr("접촉전압"), cx[0] + 5, y + 1, 75);
    AddBox(1192, cx[1], y, 70);
    AddBox(1242, cx[2], y, 70);
    AddBox(1194, cx[3], y, 50)->setAlignment(Qt::AlignCenter);
    y += 13;
    AddLabel(tr("보폭전압"), cx[0] + 5, y + 1, 75);
    AddBox(1193, cx[1], y, 70);
    AddBox(1243, cx[2], y, 70);
    AddBox(1195, cx[3], y, 50)->setAlignment(Qt::AlignCenter);
}
