#include "generatorresultpage.h"

#include "app/gui/formulapicture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

CGeneratorResultPage::CGeneratorResultPage(QWidget* parent) : CFormView(868, 482, parent)
{
    setMinimumSize(0, 0);
    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        Place(l, 0, x, y, w, 10);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w, bool enabled) {
        auto* e = new QLineEdit(this);
        Place(e, id, x, y, w, 12);
        e->setEnabled(enabled);
        return e;
    };

    // Left: the formula and its legend.
    label(tr("▣ 발전기 출력 용량 산정식"), 8, 8, 200);
    using namespace Fx;
    auto* formula = new CFormulaPicture(
        R({T("GP ≥ [ Σ P + ( Σ P"), Sub("m"), T(" − P"), Sub("L"), T(" ) × a + ( P"), Sub("L"),
           T(" × a × c ) ] × k")}),
        this);
    Place(formula, 0, 8, 22, 330, 22);
    const char* legend[] = {
        "GP : 발전기출력용량 (kVA)",
        "ΣP : 전동기 이외 부하의 입력용량 합계 (kVA)",
        "ΣPm : 전동기 부하용량 합계(kW)",
        "PL : 전동기 부하 중 기동용량이 가장 큰 전동기 용량(kW)",
        "a : 전동기의 kW당 입력용량 계수 (고효율:1.38, 표준형:1.45)",
        "c : 전동기의 기동계수 ",
        "가.  직입기동 : 추천값 6 (범위 5~7)",
        "나.  Y-△ 기동 : 추천값 2 (범위 2~3)",
        "다.  VVVF(인버터) 기동 : 추천값 1.5 (범위 1~1.5)",
        "라. 리액터 기동방식의 추천 값",
        "      50% : 3,   65% : 3.9,   80% : 4.8",
    };
    int y = 60;
    for (const char* t : legend) {
        label(QString::fromUtf8(t), 8, y, 330);
        y += 16;
    }

    // Right: the two cases.
    struct CaseIds
    {
        const char* title;
        int sumP, sumPm, pl, a, c, k, gp;
    };
    const CaseIds cases[2] = {
        {"1) 정격 운전 상태에서 정전 시 부하 설비 급전에 필요한 발전기 용량", 1523, 1529, 1530, 1554,
         1531, 1532, 1524},
        {"2) 정격 운전 상태에서 화재 시 부하 설비 급전에 필요한 발전기 용량", 1534, 1535, 1536, 1555,
         1533, 1537, 1525},
    };
    for (int i = 0; i < 2; ++i) {
        const CaseIds& c = cases[i];
        const int top = 8 + i * 180;
        label(QString::fromUtf8(c.title), 350, top, 500);
        label(QStringLiteral("ΣP (kVA)"), 360, top + 18, 80);
        edit(c.sumP, 445, top + 16, 70, false);
        label(QStringLiteral("ΣPm (kW)"), 360, top + 36, 80);
        edit(c.sumPm, 445, top + 34, 70, false);
        label(QStringLiteral("PL (kW)"), 360, top + 54, 80);
        edit(c.pl, 445, top + 52, 70, false);
        label(QStringLiteral("a"), 360, top + 72, 80);
        auto* combo = new QComboBox(this);
        combo->addItems({QStringLiteral("1.38"), QStringLiteral("1.45")});
        combo->setCurrentIndex(-1);
        Place(combo, c.a, 445, top + 70, 70, 14);
        label(QStringLiteral("c"), 360, top + 90, 80);
        edit(c.c, 445, top + 88, 70, true);
        // The factor's name is long: "k" stands where the other factors' names stand, the
        // explanation on one line after the field; both carry the whole text as a tip.
        const QString kName = tr("발전기 허용전압강하 계수 (명확하지 않은 경우 1.07~1.13)");
        const QString kText = QStringLiteral("k : ") + kName;
        label(QStringLiteral("k"), 360, top + 108, 80)->setToolTip(kText);
        edit(c.k, 445, top + 106, 70, true)->setToolTip(kText);
        label(kName, 520, top + 108, 330)->setToolTip(kText);
        label(QStringLiteral("GP : "), 360, top + 126, 20);
        edit(c.gp, 382, top + 124, 300, false);
    }
    for (int i = 0; i < 3; ++i)
        edit(1526 + i, 350, 380 + i * 18, 500, false);
    for (int id : {1539, 1541, 1542, 1543, 1544, 1545})
        edit(id, 800, 440, 40, false)->hide();
    ShowPlaceholders();
}

void CGeneratorResultPage::ShowPlaceholders()
{
    Edit(1526)->setText(QStringLiteral("▣ 정전 시 부하를 고려한 발전기 출력 용량 : _____KVA (_______kW)"));
    Edit(1527)->setText(QStringLiteral("▣ 화재 시 부하를 고려한 발전기 출력 용량 : _____KVA (_______kW)"));
    Edit(1528)->setText(
        QStringLiteral("▣ 발전기 용량은 (정전 시, 화재 시) 중 최대 용량 : _____kW (_______KVA)로 선정"));
    Edit(1524)->setText(QStringLiteral("GP : 발전기 출력 용량 (kVA) ______ (kVA)"));
    Edit(1525)->setText(QStringLiteral("GP : 발전기 출력 용량 (kVA) ______ (kVA)"));
}

QLineEdit* CGeneratorResultPage::Edit(int id) const
{
    return Control<QLineEdit>(id);
}

QComboBox* CGeneratorResultPage::Combo(int id) const
{
    return Control<QComboBox>(id);
}
