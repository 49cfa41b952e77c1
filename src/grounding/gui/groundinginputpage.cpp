#include "grounding/gui/groundinginputpage.h"

#include "grounding/core/groundingdesign.h"

#include <QComboBox>
#include <QLineEdit>

CGroundingInputPage::CGroundingInputPage(QWidget* parent) : CGroundingPage(parent)
{
    AddHeading(tr("0. 설계조건"), 7, 4);

    // Left column: kind, conductor sizing, resistance and safety-voltage inputs.
    const int lx = 7;
    const int lw = 235;
    int y = 20;
    AddLabel(tr("□ 접지시스템의 종류"), lx, y + 1, 100);
    QComboBox* kind = AddCombo(1458, lx + 110, y, 70, true);
    kind->addItems({tr("공통접지"), tr("통합접지"), tr("단독접지")});
    y += 18;
    AddHeading(tr("1. 접지도체 굵기 선정"), lx, y);
    y += 13;
    AddLabel(tr("□ 1선지락 시 고장전류 및 통전 시간"), lx, y, 250);
    y += 12;
    AddRow(1461, tr("I : 접지선에 흐르는 고장전류 실효값 (실제 지락전류 값입력)"), tr("kA"), lx, y, lw, 40, true);
    y += 13;
    AddRow(1462, tr("tC : 도체에 흐르는 전류의 통전 시간 (1초 이하)"), tr("sec"), lx, y, lw, 40, true);
    y += 13;
    AddRow(1463, tr("α  : 지락전류 분류계수 ((1 이하)"), QString(), lx, y, lw, 40, true);
    y += 15;
    AddLabel(tr("□ 도체 특성"), lx, y, 250);
    y += 12;
    AddLabel(tr("종류 = "), lx, y + 1, 40);
    QComboBox* material = AddCombo(1459, lx + 40, y, 120, true);
    material->addItems({tr("연동선"), tr("경동선"), tr("알루미늄선"), tr("동복강선"), tr("내식 알루미늄 #5005"),
                        tr("내식 알루미늄 #6201"), tr("알루미늄 복강선"), tr("아연 도금 강선"),
                        tr("스테인리스강 #304")});
    y += 14;
    AddRow(1464, tr("Tm = 최대 허용 온도\t"), tr("℃"), lx, y, lw, 40, true);
    y += 13;
    AddRow(1465, tr("Ta = 주위온도"), tr("℃"), lx, y, lw, 40, true);
    y += 18;
    AddHeading(tr("2. 접지저항 값 계산"), lx, y);
    y += 13;
    AddLabel(tr("□ 접지도체 설계 조건"), lx, y, 250);
    y += 12;
    AddRow(1466, tr("h : 접지시스템 매설 깊이"), tr("m"), lx, y, lw, 40, true);
    y += 15;
    AddLabel(tr("□ 접지도체 및 접지봉 조건"), lx, y, 250);
    y += 12;
    AddLabel(tr("접지봉 지름 및 길이"), lx, y + 1, 120);
    AddBox(1467, lx + 125, y, 45, true);
    AddLabel(tr("Φx"), lx + 173, y + 1, 12);
    AddBox(1468, lx + 187, y, 40, true);
    AddLabel(tr("[m]"), lx + 230, y + 1, 20);
    y += 15;
    AddLabel(tr("□ 총 접지선 길이 및 접지봉 개수"), lx, y, 250);
    y += 12;
    AddRow(1469, tr("N : 총 접지봉의 개수"), tr("EA"), lx, y, lw, 40, true);
    y += 18;
    AddHeading(tr("3. 안전전압 계산"), lx, y);
    y += 13;
    AddLabel(tr(" □ 허용 보폭전압 및 접촉전압을 산출하기 위한 설계조건"), lx, y, 280);
    y += 12;
    AddRow(1470, tr("ρs = 표면층 고유저항률 [Ω-m]"), QString(), lx, y, lw, 40, true);
    y += 13;
    AddRow(1471, tr("hs = 표면층 두께 [m]"), QString(), lx, y, lw, 40, true);
    y += 13;
    AddRow(1472, tr("Sf = 고장전류 분류 계수"), tr("(0.2 이상)"), lx, y, lw, 40, true);

    // Middle column: the grid.
    const int mx = 315;
    const int mw = 115;
    y = 20;
    AddLabel(tr("□ 접지망 입력데이터"), mx, y, 200);
    y += 14;
    AddRow(1473, tr("접지망 총길이[Lc]"), tr("m"), mx, y, mw, 50, true);
    y += 13;
    AddRow(1474, tr("접지망 둘레길이[Lp]"), tr("m"), mx, y, mw, 50, true);
    y += 13;
    AddRow(1475, tr("접지망 가로 최대길이[Lx]"), tr("m"), mx, y, mw, 50, true);
    y += 13;
    AddRow(1476, tr("접지망 세로 최대길이[Ly]"), tr("m"), mx, y, mw, 50, true);
    y += 15;
    AddLabel(tr("접지망 형태"), mx, y + 1, mw);
    QComboBox* shape = AddCombo(1460, mx + mw, y, 70, true);
    shape->addItems({tr("정사각형"), tr("직사각형"), tr("L형"), tr("그 외")});
    y += 15;
    AddRow(1477, tr("병렬도체 사이간격"), tr("m"), mx, y, mw, 50, true);
    y += 18;
    AddLabel(tr("n = na X nb X nc X nd"), mx, y + 1, mw);
    AddBox(1489, mx + mw, y);
    const char* factorLabels[] = {"na : ", "nb : ", "nc : ", "nd : "};
    for (int i = 0; i < 4; ++i) {
        y += 13;
        AddRow(1490 + i, tr(factorLabels[i]), QString(), mx, y, mw);
    }
    y += 18;
    AddLabel(tr("구분"), mx, y + 1, 60);
    const char* columns[] = {"nb", "nc", "nd"};
    for (int c = 0; c < 3; ++c)
        AddLabel(tr(columns[c]), mx + 65 + c * 55 + 20, y + 1, 30);
    const QStringList rows{tr("정사각형"), tr("직사각형"), tr("L형"), tr("그 외")};
    for (int r = 0; r < 4; ++r) {
        y += 13;
        AddLabel(rows[r], mx, y + 1, 60);
        for (int c = 0; c < 3; ++c)
            AddBox(1495 + c * 4 + r, mx + 65 + c * 55, y, 50);
    }

    // Right column: the soil layers.
    const int rx = 590;
    const int rw = 130;
    y = 20;
    AddLabel(tr("□ 평균 대지저항률 토양데이터(2층구조)"), rx, y, 250);
    for (int i = 0; i < 5; ++i) {
        y += 13;
        AddRow(1478 + i, tr("h%1 : 대지 %1층 두께").arg(i + 1), tr("[m]"), rx, y, rw, 50, true);
    }
    y += 5;
    for (int i = 0; i < 5; ++i) {
        y += 13;
        AddRow(1483 + i, tr("ρ%1 : 대지 %1층 대지저항률").arg(i + 1), tr("[Ω-m]"), rx, y, rw, 50, true);
    }
    y += 18;
    AddRow(1488, tr("α : 여유율(1.0~2.0)"), QString(), rx, y, rw, 50, true);
    y += 13;
    AddRow(1494, tr("'ρ : 평균 대지저항률"), tr("[Ω-m]"), rx, y, rw);
}
