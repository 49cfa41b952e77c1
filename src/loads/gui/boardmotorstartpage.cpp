#include "boardmotorstartpage.h"

#include "loads/core/designconditions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using namespace Fx;

// SMSVD%: the drop at the starting current with the starting power factor.
FormulaNode SmsvdFormula()
{
    return R({T("e"), Sub("MS"), T(" = "),
              F(R({T("K × "), F(R({T("I"), Sub("MS")}), T("N")),
                   T(" × L × (R cosθ"), Sub("m"), T(" + X sinθ"), Sub("m"), T(")")}),
                R({T("10"), Sup(T("4")), T(" × V")})),
              T("  [%]")});
}

// SMSTh: the starting current's heat over the starting time.
FormulaNode SmsthFormula()
{
    return R({T("S = "), F(R({T("I"), Sub("MS"), T(" × "), Sqrt(R({T("t"), Sub("m")}))}), T("143")),
              T(" × "), F(T("α"), T("N")), T("  [㎟]")});
}

}  // namespace

CBoardMotorStartPage::CBoardMotorStartPage(QWidget* parent) : CDesignPage(parent)
{
    AddLabel(tr("5) SMSVD : 전동기 기동 시 허용전압강하율을 고려한 단면적 (5~15%)"), 10, 6, 420);
    AddLabel(tr("(1) 전동기부하를 포함한 간선  :"), 20, 20, 150);
    AddEdit(FeederDropEditId, 175, 20);
    AddLabel(tr("% 의 전압강하를 허용"), 230, 20, 120);
    AddLabel(tr("(2) 전동기 단일부하   :"), 20, 34, 150);
    AddEdit(MotorDropEditId, 175, 34);
    AddLabel(tr("% 의 전압강하를 허용"), 230, 34, 120);
    AddLabel(tr("(3) 전동기 기동시 역률 :"), 20, 48, 150);
    QStringList powerFactors;
    for (double v : DesignOptions::StartPowerFactor)
        powerFactors << QString::number(v);  // 0.1, 0.15, ... as the page lists them
    m_powerFactor = AddCombo(PowerFactorComboId, powerFactors, 175, 48);
    AddLabel(tr("(0.1~0.3)"), 230, 48, 60);
    AddLabel(tr("(4) 관계식"), 20, 62, 150);
    AddFormula(QStringLiteral("formulaSMSVD"), SmsvdFormula(), 440, 20, 250, 40);

    AddLabel(tr("6) SMSTh : 전동기 기동 시 기동전류(IMS)에 의한 도체의 온도상승을 고려한 단면적"),
             10, 90, 420);
    AddLabel(tr("(1) 여유계수 :"), 20, 104, 150);
    AddEdit(MarginEditId, 175, 104);
    AddLabel(tr("적용 (1.0~1.25)"), 230, 104, 80);
    AddLabel(tr("(2) 관계식"), 20, 118, 150);
    AddFormula(QStringLiteral("formulaSMSTh"), SmsthFormula(), 440, 104, 250, 40);

    AddLabel(tr("7) 상기 조건 중 가장 큰 단면적 선정 (전선 단면적은 300[㎟] 까지 적용함)"), 10, 160, 420);
    AddLabel(tr("8) 전선관 면적 기준"), 10, 178, 200);
    AddCell(tr("전선관 종류"), 20, 192, 70);
    AddCell(tr("허용단면적 비율"), 20, 206, 70);
    const char* conduits[3] = {"CD", "Steel", " FEP"};
    for (int i = 0; i < 3; ++i) {
        AddCell(QString::fromUtf8(conduits[i]), 90 + 50 * i, 192, 50);
        AddCell(QStringLiteral("32%"), 90 + 50 * i, 206, 50);
    }
}

QLineEdit* CBoardMotorStartPage::Edit(int id) const
{
    return Control<QLineEdit>(id);
}
