#include "boardinstallationpage.h"

#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// The reference installation methods of KS C IEC 60364-5-52 (KECG 1701 table 4.1), drawn as a
// table: each method with its arrangement.
QString InstallationMethodTable()
{
    const char* rows[][2] = {
        {"A1", "단열 벽 속 전선관 안의 절연전선 (단심)"},
        {"A2", "단열 벽 속 전선관 안의 다심케이블"},
        {"B1", "벽면에 붙인 전선관 안의 절연전선 (단심)"},
        {"B2", "벽면에 붙인 전선관 안의 다심케이블"},
        {"C", "벽면에 직접 붙인 단심 또는 다심케이블"},
        {"D1", "지중 덕트(전선관) 안의 케이블"},
        {"D2", "지중에 직접 매설한 케이블"},
        {"E", "공중(기중)의 다심케이블: 벽에서 케이블 지름의 0.3배 이상 떨어진 트레이·사다리"},
        {"F", "공중(기중)의 단심케이블: 서로 접촉 배치, 트레이·사다리"},
    };
    QString html = QStringLiteral(
        "<table border='1' cellspacing='0' cellpadding='3' width='100%'>"
        "<tr><th>공사방법</th><th>설치 방법</th></tr>");
    for (const auto& row : rows)
        html += QStringLiteral("<tr><td align='center'><b>%1</b></td><td>%2</td></tr>")
                    .arg(QString::fromUtf8(row[0]), QString::fromUtf8(row[1]));
    return html + QStringLiteral("</table>");
}

}  // namespace

CBoardInstallationPage::CBoardInstallationPage(QWidget* parent) : CDesignPage(parent)
{
    using namespace DesignOptions;
    auto factor = [this](int i, int x, int y) {
        QLineEdit* e = AddEdit(FirstFactorEditId + i, x, y, 40);
        e->setReadOnly(true);
        m_factors[std::size_t(i)] = e;
    };

    AddLabel(tr("□ 포설기준 (KECG-1701 배선설비의 설계 및 공사방법에 관한 기술지침)"), 10, 6, 420);

    AddLabel(tr("2) 주위온도 기준"), 10, 24, 200);
    AddCell(tr("구분"), 20, 38, 60);
    AddCell(tr("공사방법"), 80, 38, 70);
    AddCell(tr("적용 주위 온도"), 150, 38, 70);
    AddCell(tr("보정계수"), 220, 38, 50);
    AddCell(tr("기중"), 20, 52, 60);
    AddCell(tr("A, B ,E, F"), 80, 52, 70);
    m_combos[0] = AddCombo(ComboIds[0], OptionTexts(AirAmbient, 0, tr("℃")), 155, 52, 60);
    factor(0, 225, 52);
    AddCell(tr("지중"), 20, 66, 60);
    AddCell(QStringLiteral("D1"), 80, 66, 70);
    m_combos[1] = AddCombo(ComboIds[1], OptionTexts(GroundAmbient, 0, tr("℃")), 155, 66, 60);
    factor(1, 225, 66);

    AddLabel(tr("3) 시설조건"), 10, 86, 200);
    AddCell(tr("공사방법"), 20, 100, 60);
    AddCell(tr("회로수"), 80, 100, 70);
    AddCell(tr("트레이 단수"), 150, 100, 70);
    AddCell(tr("보정계수"), 220, 100, 50);
    AddCell(tr("A, B ,D"), 20, 114, 60);
    AddCell(tr("1 회로"), 80, 114, 70);
    AddCell(QStringLiteral("-"), 150, 114, 70);
    AddCell(QStringLiteral("1.00"), 220, 114, 50);
    AddCell(tr("E, F"), 20, 128, 60);
    AddCell(tr("9 회로 이상"), 80, 128, 70);
    m_combos[2] = AddCombo(ComboIds[2], OptionTexts(TrayTiers, 0), 155, 128, 60);
    factor(2, 225, 128);

    AddLabel(tr("4) 지중케이블 환경조건"), 10, 148, 200);
    AddCell(tr("토양 열저항률"), 20, 162, 80);
    AddCell(tr("[K·m/w]"), 100, 162, 50);
    m_combos[3] = AddCombo(ComboIds[3], OptionTexts(SoilResistivity, 1), 155, 162, 60);
    factor(3, 225, 162);
    AddCell(tr("매설깊이"), 20, 176, 80);
    AddCell(tr("[m]"), 100, 176, 50);
    m_combos[4] = AddCombo(ComboIds[4], OptionTexts(BurialDepth, 1), 155, 176, 60);
    factor(4, 225, 176);

    AddLabel(tr("5) 공사방법 별 보정계수"), 10, 196, 200);
    const char* methods[4] = {"A1,2", "B1,2", "D1", "E, F"};
    for (int m = 0; m < 4; ++m) {
        AddCell(QString::fromUtf8(methods[m]), 20 + 62 * m, 210, 60);
        factor(5 + m, 30 + 62 * m, 224);
    }

    AddLabel(tr("공사방법 (KECG-1701 배선설비의 설계 및 공사방법에 관한 기술지침)"), 440, 6, 420);
    m_methodPicture = AddCell(InstallationMethodTable(), 440, 22, 410, 380);
    m_methodPicture->setObjectName(QStringLiteral("installationMethods"));
    m_methodPicture->setTextFormat(Qt::RichText);
    m_methodPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_methodPicture->setWordWrap(true);
    AddLabel(tr("(출처 : KS C IEC 60364-5-52, KECG 1701-2019 표 4.1)"), 440, 406, 420);
    AddLabel(tr("계산서의 입력 DATA 허용전류는 KS C IEC 60364-5-52 표. B.52.1~B.52.13의 기준으로 작성."),
             10, 250, 420);
    AddLabel(tr("(XLPE 절연, 기준주위온도 : 기중 30℃, 지중 20℃)"), 10, 264, 420);
}

void CBoardInstallationPage::OnInitDialog()
{
    // The picture is drawn for 96 dpi; enlarge it by the display scale, keeping its corner.
    const double sx = theApp.DpiScaleX > 0 ? theApp.DpiScaleX : 1.0;
    const double sy = theApp.DpiScaleY > 0 ? theApp.DpiScaleY : 1.0;
    const QRect r = m_methodPicture->geometry();
    m_methodPicture->setGeometry(r.x(), r.y(), int(r.width() / sx), int(r.height() / sy));
    m_methodPicture->update();
}
