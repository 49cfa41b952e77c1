#include "boardbreakerpage.h"

#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"
#include "loads/gui/userbreakerdlg.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Fx;

// ATMS: the breaker must carry the starting current over its operating multiple δ.
FormulaNode AtmsFormula()
{
    return R({T("AT"), Sub("MS"), T(" ≥ "), F(R({T("I"), Sub("MS")}), T("δ"))});
}

// ATMI: the instantaneous trip (10 × AT) above the inrush current.
FormulaNode AtmiFormula()
{
    return R({T("AT"), Sub("MI"), T(" ≥ "), F(R({T("I"), Sub("I"), T(" × α")}), T("10"))});
}

// ATSC: the breaker clears before the conductor reaches its short-time limit.
FormulaNode AtscFormula()
{
    return R({T("t"), Sub("N"), T(" < t"), Sub("Z"), T(" = "),
              T("("), F(T("143 × S × N"), R({T("I"), Sub("SC")})), T(")"), Sup(T("2"))});
}

}  // namespace

CBoardBreakerPage::CBoardBreakerPage(QWidget* parent) : CDesignPage(parent)
{
    using namespace DesignOptions;
    AddLabel(tr("□ 차단기 정격(AT)선정  (KECG-1702 감전 및 과전류보호 설계방법에 관한 기술지침)"),
             10, 6, 500);

    AddLabel(tr("1) ATB, 2) ATTh : 규약동작전류(I2) 배율"), 10, 24, 300);
    AddCell(tr("구분"), 20, 38, 50);
    AddCell(tr("차단기"), 70, 38, 60);
    AddCell(tr("정격전류"), 130, 38, 50);
    AddCell(QStringLiteral("I2"), 180, 38, 40);
    const char* rows[4][4] = {{"주택용", "MCB, RCBO", "63A 이하", "1.45"},
                              {"", "", "63A 초과", "1.52"},
                              {"산업용", "MCCB, CBR", "63A 이하", "1.3"},
                              {"", "", "63A 초과", "1.37"}};
    for (int r = 0; r < 4; ++r) {
        AddCell(QString::fromUtf8(rows[r][0]), 20, 52 + 14 * r, 50);
        AddCell(QString::fromUtf8(rows[r][1]), 70, 52 + 14 * r, 60);
        AddCell(QString::fromUtf8(rows[r][2]), 130, 52 + 14 * r, 50);
        AddCell(QString::fromUtf8(rows[r][3]), 180, 52 + 14 * r, 40);
    }

    AddLabel(tr("3) ATMS : 전동기 기동전류(IMS)를 고려한 차단기 정격선정"), 10, 116, 400);
    AddLabel(tr("(1) 차단기동작배율(δ) :"), 20, 130, 110);
    m_maker = AddCombo(MakerComboId, {}, 135, 130, 100);
    m_userBreaker = AddButton(0, tr("User 입력"), 240, 129, 50, 14);
    AddFormula(QStringLiteral("formulaATMS"), AtmsFormula(), 600, 116, 250, 40);

    AddLabel(tr("4) ATMI : 전동기 기동돌입전류(II)를 고려한 차단기 정격선정"), 10, 164, 400);
    AddLabel(tr("(1) 전동기 돌입전류 배율 k (MCC 계산서와 값 동일)"), 20, 178, 300);
    AddLabel(tr("DOL, Y-D, 리액터 :"), 30, 192, 100);
    m_inrush = AddCombo(InrushComboId, OptionTexts(InrushMultiple, 1), 135, 192);
    AddLabel(tr("적용 (1.3~1.5)"), 190, 192, 80);
    AddLabel(tr("소프트 스타터(S.S) 기동방식 :"), 30, 206, 130);
    AddLabel(QStringLiteral("1.0"), 165, 206, 30);
    AddLabel(tr("인버터(INV.) 기동방식 :"), 30, 220, 130);
    AddLabel(QStringLiteral("1.0"), 165, 220, 30);
    AddLabel(tr("(2) 여유계수 :"), 20, 234, 110);
    m_margin = AddEdit(MarginEditId, 135, 234);
    AddLabel(tr("적용 (1.0~1.25)"), 190, 234, 80);
    AddFormula(QStringLiteral("formulaATMI"), AtmiFormula(), 600, 178, 250, 40);

    AddLabel(tr("5) ATSC : 단락전류(ISC)에 의한 도체의 단시간 허용온도에 도달하는 시간을 고려한 차단기 정격선정"),
             10, 256, 500);
    AddLabel(tr("(1) 단락 시 차단기 순시동작시간(tN)  :"), 20, 270, 150);
    m_tripTime = AddCombo(TripTimeComboId, OptionTexts(TripTime, 2), 175, 270);
    AddLabel(tr("[sec] (0.01~0.05)"), 230, 270, 80);
    AddFormula(QStringLiteral("formulaATSC"), AtscFormula(), 600, 256, 250, 40);

    connect(m_userBreaker, &QPushButton::clicked, this, &CBoardBreakerPage::OnUserBreakerInput);
}

void CBoardBreakerPage::OnUserBreakerInput()
{
    // The user's own breakers are the breaker workbook's last sheet, whichever maker the
    // combo shows.
    const int sheet = m_maker->count() - 1;
    if (sheet < 0)
        return;
    CUserBreakerDlg dlg(this);
    dlg.SheetIndex = sheet;
    if (RunBreakerEditor(dlg) != QDialog::Accepted)
        return;
    if (theApp.SaveBreakerSheet(sheet))
        return;
    // Nothing was stored: say so, and let the breaker tables show the workbook again rather
    // than edits that exist nowhere else (unless the file itself cannot be read any more).
    const QString& path = theApp.ProjectPathTable.BreakerWorkbookPath;
    Prompt::Message(tr("사용자 차단기 배율을 차단기 파일에 저장하지 못했습니다.\n") + path);
    if (Book().load(path))
        theApp.LoadBreakerWorkbook(false, sheet);
}
