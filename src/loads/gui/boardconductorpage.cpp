#include "boardconductorpage.h"

#include "loads/core/designconditions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

using namespace Fx;

// Design current of a feeder: the load's apparent power times the demand factor.
FormulaNode DesignCurrentFormula()
{
    return R({T("I"), Sub("B"), T(" = "),
              F(T("S × DF"), R({Sqrt(T("3")), T(" × V")})), T("  [A]")});
}

// SB: the current per parallel conductor within the derated ampacity.
FormulaNode SbFormula()
{
    return R({F(R({T("I"), Sub("B")}), T("N")), T(" ≤ I"), Sub("Z"), T(" = I"), Sub("Z0"),
              T(" × k")});
}

// SVD%: L in m, R and X in Ω/km, V in kV; K = √3 three-phase, 2 single-phase.
FormulaNode SvdFormula()
{
    return R({T("e = "),
              F(R({T("K × "), F(R({T("I"), Sub("B")}), T("N")), T(" × L × (R cosθ + X sinθ)")}),
                R({T("10"), Sup(T("4")), T(" × V")})),
              T("  [%]")});
}

// SSC: adiabatic withstand of copper XLPE (k = 143) for the breaker's clearing time.
FormulaNode SscFormula()
{
    return R({T("S = "), F(R({T("I"), Sub("SC"), T(" × "), Sqrt(R({T("t"), Sub("N")}))}), T("143")),
              T(" × "), F(T("α"), T("N")), T("  [㎟]")});
}

}  // namespace

CBoardConductorPage::CBoardConductorPage(QWidget* parent) : CDesignPage(parent)
{
    using namespace DesignOptions;
    const QStringList sizes = OptionTexts(SingleCoreThreshold, 0);

    AddLabel(tr("□ 도체단면적(S)선정기준 (KECG-1702 감전 및 과전류보호 설계방법에 관한 기술지침)"),
             10, 6, 500);
    AddFormula(QStringLiteral("formulaIB"), DesignCurrentFormula(), 600, 6, 250, 40);
    AddLabel(tr("1) SB"), 10, 24, 100);
    AddLabel(tr("(2) 다심 및 단심케이블 사용조건 (KEC 기준 16㎟이상 단심 적용가능)"), 20, 38, 400);
    AddLabel(tr("다심 케이블  :"), 30, 52, 70);
    m_threshold = AddCombo(ThresholdComboId, sizes, 100, 52);
    AddLabel(tr("㎟ 미만 적용"), 155, 52, 80);
    AddLabel(tr("단심 케이블  :"), 30, 66, 70);
    m_thresholdCopy = AddCombo(ThresholdCopyComboId, sizes, 100, 66);
    m_thresholdCopy->setEnabled(false);
    AddLabel(tr("㎟ 이상 적용"), 155, 66, 80);
    AddFormula(QStringLiteral("formulaSB"), SbFormula(), 600, 52, 250, 40);

    AddLabel(tr("2) SCB : 과전류 보호장치의 정격전류(IN)를 고려한 도체 단면적 : IB < IN  < IZ"),
             10, 86, 500);

    AddLabel(tr("3) SVD%"), 10, 104, 100);
    AddLabel(tr("(1) 허용전압강하"), 20, 118, 100);
    AddCell(tr("구분"), 20, 132, 90);
    AddCell(tr("KEC기준 (%)"), 110, 132, 60);
    AddCell(tr("간선 (%)"), 170, 132, 60);
    AddCell(tr("분기선 (%)"), 230, 132, 60);
    AddCell(tr("TOTAL (%)"), 290, 132, 60);
    AddCell(tr("PNL.(P) 및 부하(L)"), 20, 146, 90);
    AddCell(QStringLiteral("6"), 110, 146, 60);
    AddCell(tr("전동기(M)"), 20, 160, 90);
    AddCell(QStringLiteral("8"), 110, 160, 60);
    QLineEdit* feeder = AddEdit(FirstEditId + 2, 175, 146, 50);
    feeder->setGeometry(feeder->geometry().x(), feeder->geometry().y(), feeder->geometry().width(),
                        Units().Rect(0, 0, 1, 26).height());  // spans both rows
    AddEdit(FirstEditId + 3, 235, 146);
    AddEdit(FirstEditId + 4, 235, 160);
    AddEdit(FirstTotalEditId, 295, 146)->setEnabled(false);
    AddEdit(FirstTotalEditId + 1, 295, 160)->setEnabled(false);
    AddFormula(QStringLiteral("formulaSVD"), SvdFormula(), 600, 118, 250, 40);

    AddLabel(tr("4) SSC: 단락고장전류(ISC)에 의한 도체의 온도상승을 고려한 단면적  (KEC 212.5.5 식212.5-1)"),
             10, 180, 500);
    AddLabel(tr("(1) 단락 시 차단기 순시동작시간  :"), 20, 194, 150);
    m_tripTime = AddCombo(TripTimeComboId, OptionTexts(TripTime, 2), 175, 194);
    AddLabel(tr("[sec]"), 230, 194, 40);
    AddLabel(tr("(2) 예상단락전류 : KECG-1702 정격의"), 20, 208, 150);
    AddEdit(FaultRatingEditId, 175, 208);
    AddLabel(tr("%"), 230, 208, 15);
    AddLabel(tr("(근거자료 표5-37 참조)"), 250, 208, 120);
    AddLabel(tr("(3) 여유계수 :"), 20, 222, 150);
    AddEdit(MarginEditId, 175, 222);
    AddLabel(tr("적용 (1.0~1.25)"), 230, 222, 80);
    AddLabel(tr("(4) 부하 역률 :"), 20, 236, 150);
    AddEdit(FirstEditId, 175, 236);
    AddLabel(tr("(5) 부하 효율 : "), 20, 250, 150);
    AddEdit(FirstEditId + 1, 175, 250);
    AddLabel(tr("(4) 공사용도서 작성 시 실제 차단전류 적용(3상기준)"), 20, 264, 300);
    AddFormula(QStringLiteral("formulaSSC"), SscFormula(), 600, 194, 250, 40);

    connect(m_threshold, &QComboBox::currentIndexChanged, this,
            &CBoardConductorPage::OnSelchangeSingleCoreThreshold);
}

void CBoardConductorPage::OnSelchangeSingleCoreThreshold()
{
    const QSignalBlocker block(m_thresholdCopy);
    m_thresholdCopy->setCurrentIndex(m_threshold->currentIndex());
}

QLineEdit* CBoardConductorPage::Edit(int id) const
{
    return Control<QLineEdit>(id);
}
