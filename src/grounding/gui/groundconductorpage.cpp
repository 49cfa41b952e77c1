#include "grounding/gui/groundconductorpage.h"

#include "app/core/sevrin.h"
#include "grounding/core/groundingdesign.h"

#include <QComboBox>
#include <QSignalBlocker>

using namespace Fx;

CGroundConductorPage::CGroundConductorPage(QWidget* parent) : CGroundingPage(parent)
{
    const int x = 7;
    const int lw = 250;
    AddHeading(tr("1. 접지도체 굵기 선정"), x, 4);
    int y = 20;
    AddHeading(tr("1.1. 계산방법"), x, y);
    y += 13;
    AddRow(1220, tr("I : 접지선에 흐르는 고장전류 실효값 (실제 지락전류 값입력)"), tr("[kA]"), x, y, lw);
    y += 13;
    AddRow(1221, tr("tC : 도체에 흐르는 전류의 통전 시간 (1초 이하)"), tr("[sec]"), x, y, lw);
    y += 13;
    AddRow(1211, tr("α  : 지락전류 분류계수 ((1 이하)"), QString(), x, y, lw);
    y += 18;
    AddHeading(tr("1.3. 도체 특성"), x, y, 80);
    AddLabel(tr("( IEEE Std 80-2000의 Table 1-Material constants)"), x + 85, y + 1, 250);
    y += 13;
    AddLabel(tr("종류 = "), x, y + 1, 40);
    m_material = AddCombo(1222, x + 40, y, 130, false);
    y += 15;
    AddRow(1223, tr("αr = Tr 일 때 도체의 열 저항률"), QString(), x, y, lw);
    y += 13;
    AddRow(1030, tr("ρr = Tr 일 때 도체의 저항률"), tr("[μΩ·cm]"), x, y, lw);
    y += 13;
    AddRow(1031, tr("TCAP = 열용량 계수"), tr("[J/(㎤·℃)]"), x, y, lw);
    y += 13;
    AddRow(1032, tr("Tm = 최대 허용 온도"), tr("[℃]"), x, y, lw);
    y += 13;
    AddRow(1033, tr("Ta = 주위온도"), tr("[℃]"), x, y, lw);
    y += 13;
    AddRow(1034, tr("Ko = 1/αr"), QString(), x, y, lw);

    const int fx = 400;
    y = 20;
    AddHeading(tr("1.4. 계산식"), fx, y);
    y += 14;
    AddFormula(R({T("A = I · α · "),
                  Sqrt(F(R({T("t"), Sub("C"), T(" · α"), Sub("r"), T(" · ρ"), Sub("r"), T(" · 10"), Sup(T("4"))}),
                         R({T("TCAP · ln"), F(R({T("T"), Sub("m"), T(" − T"), Sub("a")}),
                                             R({T("K"), Sub("0"), T(" + T"), Sub("a")})),
                            T(" + 1")})))}),
               fx, y, 300, 50);
    y += 60;
    AddHeading(tr("1.5. 계산결과"), fx, y);
    y += 13;
    AddRow(1035, tr("A (접지선의 단면적)"), tr("[㎟]"), fx, y, 160);
    y += 18;
    AddHeading(tr("1.6. 접지도체 굵기 선정"), fx, y);
    y += 13;
    AddRow(1036, tr("A (최종 접지선 도체 굵기)"), tr("[㎟]"), fx, y, 160);
    y += 18;
    AddHeading(tr("1.7. 결론"), fx, y);
    y += 13;
    AddLabel(tr("여유율  등을 고려하여"), fx, y + 1, 110);
    m_finalSize = AddCombo(1123, fx + 112, y, 50, true);
    m_finalSize->addItems(GroundingFinalSizes());
    AddLabel(tr("[㎟] 의 도체를 선정"), fx + 166, y + 1, 100);
}

void CGroundConductorPage::SelectConductorSizeEntry()
{
    const QSignalBlocker block(m_finalSize);
    auto& b = theApp.GroundingDesignBlock;
    b.ConductorSizeIndex[1] = 0;
    const QString standard = b.ConductorResults[5];
    for (int i = 0; i < m_finalSize->count(); ++i) {
        m_finalSize->setCurrentIndex(i);
        if (m_finalSize->currentText() == standard) {
            b.ConductorSizeIndex[1] = i;
            return;
        }
    }
    m_finalSize->setCurrentIndex(0);
}
