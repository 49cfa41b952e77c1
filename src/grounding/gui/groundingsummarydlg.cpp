#include "grounding/gui/groundingsummarydlg.h"

#include "app/gui/dialogunits.h"
#include "app/gui/rowlistmodel.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

struct SummaryRow
{
    const char* symbol;
    const char* item;
    const char* unit;
    const char* builtWith;
};

// clang-format off
const SummaryRow kRows[34] = {
    {"-", "접지시스템의 종류", "", ""},
    {"IF", "지락고장전류", "[A]", ""},
    {"IG", "접지극 유입전류", "[A]", ""},
    {"Sf", "지락전류 분류계수", "-", ""},
    {"ρ", "대지 저항률", "[Ω-m]", ""},
    {"ρS", "표면층 고유 저항률", "[Ω-m]", ""},
    {"hS", "표면층 두께", "[m]", ""},
    {"CP", "계통확장 계수", "-", "1"},
    {"CS", "표면층 두께와 반사계수에 의한 감소계수", "-", ""},
    {"tF", "고장전류 지속시간", "[sec]", ""},
    {"h", "접지망 매설깊이", "[m]", ""},
    {"d", "접지망 도체의 직경", "[m]", ""},
    {"A", "접지망 포설 면적", "[㎡]", ""},
    {"D", "접지망 그리드 간격", "[m]", ""},
    {"DF", "비대칭분에 대한 교정계수", "-", "1"},
    {"n", "접지망 형상에 따른 계수", "-", ""},
    {"KM", "접촉전압 산출용 간격계수", "-", ""},
    {"KI", "전위경도 변화 보정계수", "-", ""},
    {"KII", "간격계수", "-", ""},
    {"Kh", "접지망 매설깊이에 대한 보정계수", "-", ""},
    {"LC", "접지망 도체의 수평방향의 총 길이", "[m]", ""},
    {"LP", "접지망의 외각길이", "[m]", ""},
    {"Lr", "접지봉 1개의 길이", "[m]", ""},
    {"LR", "접지봉 총 길이", "[m]", ""},
    {"LT", "접지계의 총길이", "[m]", ""},
    {"LX", "접지망 X축 방향의 최대길이", "[m]", ""},
    {"LY", "접지망 Y축 방향의 최대길이", "[m]", ""},
    {"-", "접지도체 종류", "", ""},
    {"Ta", "주위온도", "[℃]", ""},
    {"Tm", "도체의 최대허용온도", "[℃]", ""},
    {"Rg", "접지저항", "[Ω]", ""},
    {"EPR", "대지전위상승", "[V]", ""},
    {"EM", "예상접촉전압", "[V]", ""},
    {"Et", "허용접촉전압", "[V]", ""},
};
// clang-format on

QString Tr(const char* text)
{
    return QCoreApplication::translate("CGroundingSummaryDlg", text);
}

}  // namespace

void BuildGroundingSummaryList(ReportListView* list)
{
    list->header()->SetHeaderFontHeight(20);
    list->setReportColumns({{Tr("기호"), QString(), 80}, {Tr("항목"), QString(), 400},
                            {Tr("적용값"), QString(), 100}, {Tr("단위"), QString(), 80}});
    std::vector<QStringList> rows;
    rows.reserve(34);
    for (const SummaryRow& r : kRows)
        rows.push_back({Tr(r.symbol), Tr(r.item), QLatin1String(r.builtWith), Tr(r.unit)});
    list->rows()->setRows(std::move(rows));
}

CGroundingSummaryDlg::CGroundingSummaryDlg(QWidget* parent) : QDialog(parent)
{
    const QFont font = DialogFont(QStringLiteral("Microsoft Sans Serif"), 9);
    setFont(font);
    const DialogUnits units(font);
    setWindowTitle(tr("접지계산 종합표"));
    setModal(false);
    resize(units.Size(495, 406));
    move(0, 0);
    m_list = new ReportListView(this, 20);
    m_list->setObjectName(QStringLiteral("1277"));
    m_list->setGeometry(units.Rect(9, 9, 479, 390));
    auto* ok = new QPushButton(tr("확인"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(units.Rect(384, 7, 50, 14));
    ok->setVisible(false);
    auto* cancel = new QPushButton(tr("취소"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(units.Rect(438, 7, 50, 14));
    cancel->setVisible(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    OnInitDialog();
}

void CGroundingSummaryDlg::OnInitDialog()
{
    BuildGroundingSummaryList(m_list);
}
