#include "faulttransformerpage.h"

#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/gui/faultscreen.h"
#include "platform/prompt.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The display field of each system result, by result index.
constexpr int kResultFields[38] = {
    1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084,
    1085, 1086, 1087,
    // the utility alone
    1052, 1053, 1056, 1060, 1057, 1061, 1058, 1062, 1059, 1063,
    // at the receiving point
    1054, 1055, 1064, 1068, 1065, 1069, 1066, 1070, 1067, 1071,
    // delta20, delta250
    1676, 1039};

QList<ReportColumn> TransformerColumns()
{
    const QString spec = QStringLiteral("변압기 SPEC.");
    const QString tr = QStringLiteral("변압기");
    const QString lv = QStringLiteral("계통(저압)");
    return {{QStringLiteral("변압기명"), QString(), 80},
            {QStringLiteral("용량 (PT[kVA])"), spec, 150},
            {QStringLiteral("%임피던스 (%Z [%])"), spec, 150},
            {QStringLiteral("X/R RATIO"), spec, 150},
            {QStringLiteral("2차전압(V[kV])"), spec, 150},
            {QStringLiteral("임피던스 (Zt [Ω])"), spec, 150},
            {QStringLiteral("리액턴스 (Xt [Ω])"), spec, 150},
            {QStringLiteral("NGR [Ω]"), spec, 150},
            {QStringLiteral("임피던스 보정계수 (KT)"), tr, 150},
            {QStringLiteral("적용 임피던스 (ZT [Ω])"), tr, 150},
            {QStringLiteral("적용 레지스턴스 (RT [Ω])"), tr, 150},
            {QStringLiteral("적용 리액턴스 (XT [Ω])"), tr, 150},
            {QStringLiteral("적용 임피던스 (ZS [Ω])"), lv, 150},
            {QStringLiteral("X/R RATIO"), lv, 150},
            {QStringLiteral("적용 레지스턴스 (RS [Ω])"), lv, 150},
            {QStringLiteral("적용 리액턴스 (XS [Ω])"), lv, 150}};
}

using namespace Fx;

FormulaNode Delta20Formula()
{
    return R({T("δ"), Sub("20"), T(" = "),
              F(T("1"), R({T("(T"), Sub("90"), T(" − T"), Sub("20"), T(") × α + 1")}))});
}

FormulaNode Delta250Formula()
{
    return R({T("δ"), Sub("250"), T(" = ((T"), Sub("250"), T(" − T"), Sub("20"),
              T(") × α + 1) × δ"), Sub("20")});
}

// The transformer's impedance from its capacity, percent impedance and secondary voltage.
FormulaNode TransformerZFormula()
{
    return R({T("Z"), Sub("t"), T(" = "), F(T("%Z"), T("100")), T(" × "),
              F(R({T("V"), Sup(T("2"))}), R({T("P"), Sub("T")})), T(" × 1000  [Ω]")});
}

// IEC 60909 correction factor with the relative reactance of the transformer.
FormulaNode TransformerKFormula()
{
    return R({T("K"), Sub("T"), T(" = "),
              F(T("1.045"), R({T("0.6 × "), F(R({T("X"), Sub("t"), T(" × P"), Sub("T")}),
                                               R({T("V"), Sup(T("2")), T(" × 1000")})),
                               T(" + 1")}))});
}

FormulaNode TransformerRFormula()
{
    return R({T("R"), Sub("T"), T(" = "),
              F(R({T("K"), Sub("T"), T(" × Z"), Sub("t")}),
                Sqrt(R({T("(X/R)"), Sup(T("2")), T(" + 1")})))});
}

FormulaNode TransformerXFormula()
{
    return R({T("X"), Sub("T"), T(" = "),
              F(R({T("K"), Sub("T"), T(" × Z"), Sub("t")}),
                Sqrt(R({T("("), F(T("1"), T("X/R")), T(")"), Sup(T("2")), T(" + 1")})))});
}

// The system's total percent impedance referred to the secondary voltage.
FormulaNode SystemFormula()
{
    return R({T("R"), Sub("S"), T(" = "),
              F(R({T("V"), Sup(T("2")), T(" × 10 × %R"), Sub("1")}), T("100000")), T(",   X"),
              Sub("S"), T(" = "), F(R({T("V"), Sup(T("2")), T(" × 10 × %X"), Sub("1")}), T("100000"))});
}

const QStringList kTransformerNames = {QStringLiteral("TR-1"), QStringLiteral("TR-2"),
                                       QStringLiteral("TR-3"), QStringLiteral("TR-4"),
                                       QStringLiteral("TR-5")};

}  // namespace

CFaultTransformerPage::CFaultTransformerPage(QWidget* parent) : CFaultPage(parent)
{
    // 1. The system impedance conversion.
    AddLabel(tr("1. 계통(UTILITY) 임피던스변환"), 7, 4, 200);
    AddLabel(tr("1) 계통 DATA : %Z=%R+j%X (100[MVA] 기준)"), 12, 16, 250);
    const char* heads[5] = {"구분", "% 정상레지스턴스", "% 정상리액턴스", "% 영상레지스턴스",
                            "% 영상리액턴스"};
    for (int c = 0; c < 5; ++c)
        AddLabel(tr(heads[c]), 12 + c * 62, 28, 60);
    const char* rows[4] = {"변전소 MTR", "배전선로", "입입케이블", "TOTAL"};
    for (int r = 0; r < 4; ++r) {
        AddLabel(tr(rows[r]), 12, 42 + r * 14, 60);
        for (int c = 0; c < 4; ++c)
            AddEdit(kResultFields[r * 4 + c], 74 + c * 62, 40 + r * 14, 60, QString(), false);
    }
    const char* captions[10] = {"단락용량 (PS [MVA])",      "지락용량 (PS [MVA])",
                                "정상임피던스 (ZS1 [Ω])",   "정상분 X/R RATIO",
                                "정상레지스턴스 (RS1 [Ω])", "정상리액턴스 (XS1 [Ω])",
                                "영상임피던스 (ZS0 [Ω])",   "영상분 X/R RATIO",
                                "영상레지스턴스 (RS0 [Ω])", "영상리액턴스 (XS0 [Ω])"};
    AddLabel(tr("변전소 MTR"), 330, 16, 120);
    AddLabel(tr("2) 계통 적용 임피던스 (수전점 (22.9kV) 기준)"), 560, 16, 250);
    for (int i = 0; i < 10; ++i) {
        const int y = 28 + i * 10;
        AddLabel(tr(captions[i]), 330, y + 1, 110);
        AddEdit(kResultFields[16 + i], 445, y, 70, QString(), false)->setFixedHeight(
            Units().Rect(0, 0, 1, 10).height());
        AddLabel(tr(captions[i]), 560, y + 1, 110);
        AddEdit(kResultFields[26 + i], 675, y, 70, QString(), false)->setFixedHeight(
            Units().Rect(0, 0, 1, 10).height());
    }

    // The transformers.
    AddLabel(tr("변압기명"), 12, 134, 35);
    AddCombo(1122, 48, 132, 45, kTransformerNames)->setCurrentIndex(0);
    AddLabel(tr("용량 (PT[kVA])"), 100, 134, 55);
    AddEdit(1091, 157, 132, 40, QStringLiteral("1250"));
    AddLabel(tr("%임피던스 (%Z [%])"), 203, 134, 70);
    AddEdit(1088, 275, 132, 35, QStringLiteral("6.5"));
    AddLabel(tr("2차전압 (V[kV])"), 316, 134, 58);
    AddEdit(1089, 376, 132, 35, QStringLiteral("0.38"));
    AddLabel(tr("NGR [Ω]"), 417, 134, 32);
    AddEdit(1090, 451, 132, 35, QStringLiteral("0.00"));
    connect(AddButton(1016, tr("수정"), 495, 131, 40, 14), &QPushButton::clicked, this,
            &CFaultTransformerPage::OnModifyTransformer);
    connect(AddButton(1017, tr("삭제"), 537, 131, 40, 14), &QPushButton::clicked, this,
            &CFaultTransformerPage::OnDeleteTransformer);
    AddButton(1416, tr("전체 열보기"), 740, 131, 55, 14);
    AddButton(1417, tr("입력 열보기"), 800, 131, 55, 14);
    m_list = AddList(1561, 7, 148, 854, 100, TransformerColumns());
    for (const QString& name : kTransformerNames)
        m_list->rows()->appendRow({name});
    connect(m_list, &QTableView::clicked, this, &CFaultTransformerPage::OnClickTransformerList);

    // 2. The conductor temperature factors.
    AddLabel(tr("2. 간선 임피던스변환"), 7, 256, 200);
    AddLabel(tr("1) 도체(Cu)의 20℃ 저항조정계수 (δ20)"), 12, 268, 250);
    const struct
    {
        const char* caption;
        int id;
        const char* text;
    } delta20[3] = {{"도체저항온도계수 (α)", 1392, "0.00393"},
                    {"도체온도 (T90 [℃])", 1393, "90"},
                    {"도체온도 (T20 [℃])", 1394, "20"}},
      delta250[3] = {{"도체저항온도계수 (α)", 1037, "0.00393"},
                     {"도체온도 (T90 [℃])", 1671, "250"},
                     {"도체온도 (T20 [℃])", 1044, "20"}};
    for (int i = 0; i < 3; ++i) {
        AddLabel(tr(delta20[i].caption), 12, 282 + i * 14, 90);
        AddEdit(delta20[i].id, 105, 280 + i * 14, 50, QString::fromUtf8(delta20[i].text));
    }
    AddLabel(tr("δ20"), 12, 324, 90);
    AddEdit(1676, 105, 322, 50, QString(), false);
    AddLabel(tr("2) 도체(Cu)의 높은온도(XLPE=250℃) 저항조정계수 (δ250)"), 200, 268, 250);
    for (int i = 0; i < 3; ++i) {
        AddLabel(tr(delta250[i].caption), 200, 282 + i * 14, 90);
        AddEdit(delta250[i].id, 293, 280 + i * 14, 50, QString::fromUtf8(delta250[i].text));
    }
    AddLabel(tr("δ20"), 200, 324, 90);
    AddEdit(1039, 293, 322, 50, QString(), false);

    // 3. The voltage factors.
    AddLabel(tr("3. 전압계수"), 480, 256, 200);
    AddLabel(tr("최대와 최소단락전류의 계산을 위한 계수"), 485, 268, 250);
    AddLabel(tr("공칭전압"), 485, 282, 90);
    AddLabel(tr("Cmax(최대전압계수)"), 580, 282, 80);
    AddLabel(tr("Cmin(최소전압계수)"), 665, 282, 80);
    const struct
    {
        const char* caption;
        int cmax;
        const char* maxText;
        int cmin;
        const char* minText;
    } factors[3] = {{"100V 이상 1000V 이하", 1672, "1.05", 1028, "0.95"},
                    {"1kV 초과 35kV 이하", 1029, "1.1", 1673, "1"},
                    {"35kV 초과", 1674, "1.1", 1675, "1"}};
    for (int i = 0; i < 3; ++i) {
        AddLabel(tr(factors[i].caption), 485, 296 + i * 14, 90);
        AddEdit(factors[i].cmax, 580, 294 + i * 14, 60, QString::fromUtf8(factors[i].maxText));
        AddEdit(factors[i].cmin, 665, 294 + i * 14, 60, QString::fromUtf8(factors[i].minText));
    }

    // The formulas behind the figures of this page.
    AddFormula(QStringLiteral("formulaDelta20"), Delta20Formula(), 12, 340, 175, 36);
    AddFormula(QStringLiteral("formulaDelta250"), Delta250Formula(), 200, 340, 230, 36);
    AddLabel(tr("▣ 변압기 및 계통(저압) 임피던스 계산식"), 7, 384, 250);
    const struct
    {
        const char* name;
        FormulaNode formula;
    } transformer[5] = {{"formulaTransformerZ", TransformerZFormula()},
                        {"formulaTransformerK", TransformerKFormula()},
                        {"formulaTransformerR", TransformerRFormula()},
                        {"formulaTransformerX", TransformerXFormula()},
                        {"formulaSystem", SystemFormula()}};
    for (int i = 0; i < 4; ++i)
        AddFormula(QString::fromLatin1(transformer[i].name), transformer[i].formula, 12 + i * 212,
                   396, 206, 42);
    AddFormula(QString::fromLatin1(transformer[4].name), transformer[4].formula, 12, 442, 418, 36);
}

void CFaultTransformerPage::ShowSystemResults()
{
    const auto& r = theApp.FaultCurrentBlock.FaultResult;
    for (int i = 0; i < 38; ++i)
        SetText(kResultFields[i], r[std::size_t(i)]);
}

void CFaultTransformerPage::FillTransformerList()
{
    const auto& row = theApp.FaultCurrentBlock.TransformerImpedanceRow;
    // A transformer the workbook does not hold (or cannot give) shows nothing, so that no
    // row of an earlier project stays on the list.
    bool readable = FaultWorkbookExists();
    for (int n = 0; n < 5; ++n) {
        readable = readable && theApp.ReadFaultDataRow(fault::TransformerSheet, n);
        for (int c = 1; c < 16; ++c)
            m_list->rows()->setCell(n, c, readable ? row[std::size_t(c)] : QString());
    }
}

void CFaultTransformerPage::OnModifyTransformer()
{
    const int n = Combo(1122)->currentIndex();
    if (n < 0 || n >= 5 || !m_screen)
        return;
    using S = QuantitySign;
    if (!CheckQuantityInputs({{tr("용량 (PT[kVA])"), Text(1091), S::Positive},
                              {tr("%임피던스 (%Z [%])"), Text(1088), S::Positive},
                              {tr("2차전압 (V[kV])"), Text(1089), S::Positive},
                              {tr("NGR [Ω]"), Text(1090), S::NonNegative, true}}))
        return;
    EnsureFaultWorkbook();
    const bool stored = fault::ModifyTransformer(theApp, m_screen->BusPages(), n, Text(1091),
                                                 Text(1088), Text(1089), Text(1090));
    const auto& row = theApp.FaultCurrentBlock.TransformerImpedanceRow;
    for (int c = 1; c < 16; ++c)
        m_list->rows()->setCell(n, c, row[std::size_t(c)]);
    if (!stored) {
        Prompt::Message(FaultWriteFailedMessage());
        FillTransformerList();
    }
}

void CFaultTransformerPage::OnDeleteTransformer()
{
    const int n = Combo(1122)->currentIndex();
    if (n < 0 || n >= 5 || !m_screen)
        return;
    EnsureFaultWorkbook();
    const bool stored = fault::DeleteTransformer(theApp, m_screen->BusPages(), n);
    for (int c = 1; c < 16; ++c)
        m_list->rows()->setCell(n, c, QString());
    if (!stored) {
        Prompt::Message(FaultWriteFailedMessage());
        FillTransformerList();
    }
}

void CFaultTransformerPage::OnClickTransformerList()
{
    const int s = m_list->selectionMark();
    if (s < 0 || s >= 5)
        return;
    Combo(1122)->setCurrentIndex(s);
    SetText(1091, m_list->rows()->text(s, 1));
    SetText(1088, m_list->rows()->text(s, 2));
    SetText(1089, m_list->rows()->text(s, 4));
    SetText(1090, m_list->rows()->text(s, 7));
}
