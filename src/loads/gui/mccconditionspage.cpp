#include "mccconditionspage.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/core/designconditions.h"
#include "loads/core/usermotor.h"
#include "platform/prompt.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CMccConditionsPage::CMccConditionsPage(QWidget* parent) : CDesignPage(parent)
{
    auto label = [this](const QString& text, int x, int y, int w) { return AddLabel(text, x, y, w); };
    auto cell = [this](const QString& text, int x, int y) { return AddCell(text, x, y, 50); };
    auto combo = [this](int i, const QStringList& items, int x, int y) {
        m_combos[std::size_t(i)] = AddCombo(ComboIds[std::size_t(i)], items, x, y);
    };
    using namespace DesignOptions;

    label(tr("1. 전동기의 기동전류 선정 시 적용 사항 (KECG-1702 130p~136p)"), 10, 6, 420);
    label(tr("1) IB : 전동기 정격전류"), 10, 24, 300);

    label(tr("2) β : 전동기의 전전압 기동배율"), 10, 40, 200);
    combo(0, OptionTexts(StartMultiple, 1), 215, 39);
    label(tr("적용 (4.0~10)"), 270, 40, 80);

    label(tr("3) C : 전동기의 기동방식에 따른 계수 (전전압(DOL), Y-D, 리액터기동방식 적용)"), 10, 58, 420);
    const QStringList cHeader{tr("기동방식"), QStringLiteral("DOL"), QStringLiteral("Y-D"), tr("리액터")};
    for (int i = 0; i < 4; ++i)
        cell(cHeader[i], 20 + 52 * i, 72);
    cell(QStringLiteral("TAP"), 20, 86);
    cell(QStringLiteral("-"), 72, 86);
    cell(QStringLiteral("-"), 124, 86);
    m_tap = AddEdit(TapEditId, 176, 86);
    cell(QStringLiteral("C"), 20, 100);
    cell(QStringLiteral("1"), 72, 100);
    cell(QStringLiteral("1/3"), 124, 100);
    cell(QString(), 176, 100);
    m_coefficient = AddEdit(CoefficientEditId, 232, 100, 40);
    m_coefficient->setEnabled(false);
    m_coefficient->hide();

    label(tr("4) λ : 기동방식 전류제한 비율"), 10, 118, 300);
    label(tr("(1) 소프트 스타터(S.S) 기동방식 :"), 20, 132, 150);
    combo(1, OptionTexts(SoftStarterLimit, 1), 175, 131);
    label(tr("적용 (3.0~5.0)"), 230, 132, 80);
    label(tr("(2) 인버터(INV.) 기동방식 :"), 20, 148, 150);
    combo(2, OptionTexts(InverterLimit, 1), 175, 147);
    label(tr("적용 (1.0~2.0)"), 230, 148, 80);

    label(tr("5) k : 돌입전류 배율 "), 10, 166, 200);
    combo(3, OptionTexts(InrushMultiple, 1), 215, 165);
    label(tr("적용 (1.3~1.5)"), 270, 166, 80);

    label(tr("6) IMS : 전동기 기동전류"), 10, 184, 300);
    label(tr("(1) DOL, Y-D, 리액터 : IMS = IB X β X C "), 20, 196, 300);
    label(tr("(2) 소프트 스타터, 인버터 기동 : IMS = IB X λ"), 20, 208, 300);
    label(tr("7) II : 전동기 기동돌입전류"), 10, 224, 300);
    label(tr("(1) DOL, Y-D, 리액터 : II = IB X β X C X k"), 20, 236, 300);
    label(tr("(2) 소프트 스타터, 인버터 기동 : II = IB X λ"), 20, 248, 300);

    label(tr("8) tm : 전동기 기동시간 [sec]"), 10, 266, 300);
    const QStringList tmHeader{tr("기동방식"), QStringLiteral("DOL"), QStringLiteral("Y-D"),
                               tr("리액터"), QStringLiteral("S.S"), QStringLiteral("INV.")};
    for (int i = 0; i < 6; ++i)
        cell(tmHeader[i], 20 + 52 * i, 280);
    cell(QStringLiteral("tm"), 20, 294);
    for (int m = 0; m < 5; ++m)
        combo(4 + m, OptionTexts(StartTime, 0), 72 + 52 * m, 294);

    label(tr("9) cosθS : 전동기 기동시 역률"), 10, 314, 200);
    QStringList powerFactors;
    for (double v : StartPowerFactor)
        powerFactors << QString::number(v);  // 0.1, 0.15, ... as the page lists them
    combo(9, powerFactors, 215, 313);
    label(tr("적용 (0.1~0.3)"), 270, 314, 80);

    label(tr("10) CT : 전동기 변류기 선정조건"), 10, 332, 300);
    label(tr("IB (전동기 정격전류)    X"), 20, 346, 110);
    m_ctFactor = AddEdit(CtFactorEditId, 135, 346);
    label(tr("적용 (1.5~2)"), 190, 346, 80);

    // The user's own motors: list and editor of the user-motor sheet.
    m_userMotorArea = new QFrame(this);
    m_userMotorArea->setObjectName(QStringLiteral("UserMotorArea"));
    m_userMotorArea->setFrameShape(QFrame::NoFrame);
    Place(m_userMotorArea, 0, 440, 6, 420, 470);
    BuildUserMotorArea();
}

namespace {

// The motor row's columns: caption, group caption, width.
struct MotorColumn
{
    const char* caption;
    const char* group;
    int width;
};
constexpr MotorColumn kMotorColumns[19] = {
    {"DD", "", 90},           {"[kW]", "정격출력", 70},     {"P", "상수", 70},
    {"kV", "전압", 70},       {"η", "효율", 70},            {"cosθ", "역률", 70},
    {"IB [A]", "설계전류", 70}, {"기동방식", "", 70},       {"β", "기동배율", 70},
    {"C", "기동계수", 70},    {"λ", "전류제한", 70},        {"k", "전류배율", 70},
    {"IMS [A]", "기동전류", 70}, {"II [A]", "기동돌입전류", 90}, {"tm [sec]", "기동시간", 70},
    {"CT", "", 70},           {"uF", "콘덴서", 70},         {"[mm]", "UNIT SIZE", 90},
    {"[kVA]", "기동입력", 90},
};

QStringList RowTexts(const MotorRow& row)
{
    QStringList cells;
    for (const QString& f : row)
        cells << f;
    return cells;
}

// Selects the first item whose text equals `text`, trying each in turn; when none does, the
// last item stays selected.
void SelectComboItem(QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        if (combo->itemText(i) == text)
            return;
    }
}

}  // namespace

void CMccConditionsPage::BuildUserMotorArea()
{
    QWidget* area = m_userMotorArea;
    const DialogUnits& u = Units();
    auto place = [&u](QWidget* w, int x, int y, int width, int h) {
        w->setGeometry(u.Rect(x, y, width, h));
    };
    auto label = [&](const QString& text, int x, int y, int width) {
        auto* l = new QLabel(text, area);
        l->setAlignment(Qt::AlignCenter);
        place(l, x, y, width, 10);
    };
    auto edit = [&](int x, int y, const QString& text) {
        auto* e = new QLineEdit(text, area);
        e->setAlignment(Qt::AlignCenter);
        place(e, x, y, 44, 12);
        return e;
    };
    auto combo = [&](int x, int y, const QStringList& items) {
        auto* c = new QComboBox(area);
        c->setEditable(true);  // a typed text is taken as it stands
        c->addItems(items);
        c->setCurrentIndex(0);
        place(c, x, y, 44, 13);
        return c;
    };

    auto* title = new QLabel(tr("□ 전동기 사용자 입력"), area);
    place(title, 0, 0, 200, 12);

    // Inputs, each under its two-line caption.
    const int captionY = 16, inputY = 38;
    label(tr("정격출력"), 0, captionY, 44);
    label(QStringLiteral("[kW]"), 0, captionY + 10, 44);
    m_inputs[0] = edit(0, inputY, QStringLiteral("0.1"));
    label(tr("상수"), 46, captionY, 44);
    label(QStringLiteral("P"), 46, captionY + 10, 44);
    m_phase = combo(46, inputY, {QStringLiteral("2"), QStringLiteral("3")});
    label(tr("전압"), 92, captionY, 44);
    label(QStringLiteral("[kV]"), 92, captionY + 10, 44);
    m_inputs[1] = edit(92, inputY, QStringLiteral("0.22"));
    label(tr("효율"), 138, captionY, 44);
    label(QStringLiteral("η"), 138, captionY + 10, 44);
    m_inputs[2] = edit(138, inputY, QStringLiteral("0.4"));
    label(tr("역률"), 184, captionY, 44);
    label(QStringLiteral("cosθ"), 184, captionY + 10, 44);
    m_inputs[3] = edit(184, inputY, QStringLiteral("0.47"));
    label(tr("기동방식"), 230, captionY + 5, 44);
    m_method = combo(230, inputY, {QStringLiteral("DOL"), QStringLiteral("Y-D"), tr("리액터"),
                                   QStringLiteral("S.S"), QStringLiteral("INV")});
    label(tr("콘덴서"), 276, captionY, 44);
    label(QStringLiteral("[uF]"), 276, captionY + 10, 44);
    m_inputs[4] = edit(276, inputY, QStringLiteral("10"));
    label(QStringLiteral("UNIT SIZE"), 322, captionY, 44);
    label(QStringLiteral("[mm]"), 322, captionY + 10, 44);
    m_inputs[5] = edit(322, inputY, QStringLiteral("200"));

    auto button = [&](const QString& caption, int x, void (CMccConditionsPage::*handler)()) {
        QPushButton* b = AddButtonTo(area, u, 0, caption, x, 56, 40, 14);
        connect(b, &QPushButton::clicked, this, handler);
    };
    button(tr("추가"), 288, &CMccConditionsPage::OnAddUserMotor);
    button(tr("수정"), 332, &CMccConditionsPage::OnModifyUserMotor);
    button(tr("삭제"), 376, &CMccConditionsPage::OnDeleteUserMotor);

    m_userMotorList = new ReportListView(area, 40);
    QList<ReportColumn> columns;
    for (const MotorColumn& c : kMotorColumns)
        columns.append({tr(c.caption), tr(c.group), c.width, Qt::AlignCenter});
    columns.append({QString(), QString(), 0, Qt::AlignCenter});  // the list control's spare column
    m_userMotorList->setReportColumns(columns);
    m_userMotorList->header()->SetHeaderBkColor(HeaderStandardBkColor());
    m_userMotorList->header()->SetHeaderTextColor(HeaderStandardTextColor());
    place(m_userMotorList, 0, 74, 420, 396);
    connect(m_userMotorList, &QTableView::clicked, this, &CMccConditionsPage::OnClickUserMotorList);
}

void CMccConditionsPage::LoadUserMotorList()
{
    CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
    std::vector<QStringList> rows;
    b.UserMotorCount = 0;
    for (int n = 0; n < 1000; ++n) {
        if (!theApp.ReadUserLibraryRow(n))
            break;
        rows.push_back(RowTexts(b.UserMotorRow));
        ++b.UserMotorCount;
    }
    m_userMotorList->rows()->setRows(std::move(rows));
}

bool CMccConditionsPage::ReadUserMotorInputs()
{
    MotorRow& row = theApp.MotorControlCenterBlock.UserMotorRow;
    row.fill(QString());
    row[MotorField::RatedOutput] = m_inputs[0]->text();
    row[MotorField::Phases] = m_phase->currentText();
    row[MotorField::Voltage] = m_inputs[1]->text();
    row[MotorField::Efficiency] = m_inputs[2]->text();
    row[MotorField::PowerFactor] = m_inputs[3]->text();
    row[MotorField::StartingMethod] = m_method->currentText();
    row[MotorField::Capacitor] = m_inputs[4]->text();
    row[MotorField::UnitSize] = m_inputs[5]->text();
    return CalcUserMotor();
}

bool CMccConditionsPage::CalcUserMotor()
{
    // The starting factors as the page shows them now; the CT factor as stored.
    UserMotorConditions c;
    c.beta = ConditionCombo(0)->currentText();
    c.reactorTap = TapEdit()->text();
    c.lambdaSoftStarter = ConditionCombo(1)->currentText();
    c.lambdaInverter = ConditionCombo(2)->currentText();
    c.k = ConditionCombo(3)->currentText();
    for (int m = 0; m < 5; ++m)
        c.tm[std::size_t(m)] = ConditionCombo(4 + m)->currentText();
    c.ctFactor = theApp.MotorControlCenterBlock.MccCtFactor();

    const UserMotorRefusal refusal = CalcUserMotorRow(theApp.MotorControlCenterBlock.UserMotorRow,
                                                      c, theApp.SwitchgearLibBlock.CtRatioTable);
    QString text;
    switch (refusal) {
    case UserMotorRefusal::None:
        return true;
    case UserMotorRefusal::RatedOutput:
        text = tr("정격출력[kW] 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
        break;
    case UserMotorRefusal::Voltage:
        text = tr("전압[kV] 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
        break;
    case UserMotorRefusal::Efficiency:
        text = tr("효율(η) 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
        break;
    case UserMotorRefusal::PowerFactor:
        text = tr("역률(cosθ) 값이 없거나 0 이하입니다. 값을 입력하시기 바랍니다.");
        break;
    case UserMotorRefusal::OutOfRange:
        text = tr("입력값이 너무 커서 계산할 수 없습니다. 값을 확인하시기 바랍니다.");
        break;
    }
    Prompt::Message(text);
    return false;
}

void CMccConditionsPage::ReportUserMotorWriteFailure()
{
    Prompt::Message(tr("사용자 전동기를 라이브러리 파일에 저장하지 못했습니다.\n%1")
                        .arg(theApp.ProjectPathTable.LibWorkbookPath));
    LoadUserMotorList();
}

void CMccConditionsPage::OnAddUserMotor()
{
    if (!ReadUserMotorInputs())
        return;
    CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
    const QStringList cells = RowTexts(b.UserMotorRow);
    // The sheet first: the list shows only what the workbook holds.
    if (!theApp.WriteUserLibraryRow(b.UserMotorCount)) {
        ReportUserMotorWriteFailure();
        return;
    }
    m_userMotorList->rows()->insertRow(b.UserMotorCount, cells);
    ++b.UserMotorCount;
}

void CMccConditionsPage::OnModifyUserMotor()
{
    const int mark = m_userMotorList->selectionMark();
    if (mark < 0)
        return;
    if (!ReadUserMotorInputs())
        return;
    const QStringList cells = RowTexts(theApp.MotorControlCenterBlock.UserMotorRow);
    if (!theApp.WriteUserLibraryRow(mark)) {
        ReportUserMotorWriteFailure();
        return;
    }
    m_userMotorList->rows()->setRow(mark, cells);
    m_userMotorList->setSelectionMark(-1);
}

void CMccConditionsPage::OnDeleteUserMotor()
{
    const int mark = m_userMotorList->selectionMark();
    if (mark < 0)
        return;
    if (!theApp.DeleteUserLibraryRow(mark)) {
        ReportUserMotorWriteFailure();
        return;
    }
    CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
    m_userMotorList->rows()->removeRow(mark);
    b.UserMotorCount = std::max(0, b.UserMotorCount - 1);
    const int rows = m_userMotorList->rows()->rowCount();
    m_userMotorList->setSelectionMark(rows == 0 ? -1 : std::min(mark, rows - 1));
}

void CMccConditionsPage::OnClickUserMotorList()
{
    const int mark = m_userMotorList->selectionMark();
    if (mark < 0)
        return;
    const RowListModel* rows = m_userMotorList->rows();
    m_inputs[0]->setText(rows->text(mark, MotorField::RatedOutput));
    m_inputs[1]->setText(rows->text(mark, MotorField::Voltage));
    m_inputs[2]->setText(rows->text(mark, MotorField::Efficiency));
    m_inputs[3]->setText(rows->text(mark, MotorField::PowerFactor));
    m_inputs[4]->setText(rows->text(mark, MotorField::Capacitor));
    m_inputs[5]->setText(rows->text(mark, MotorField::UnitSize));
    SelectComboItem(m_phase, rows->text(mark, MotorField::Phases));
    SelectComboItem(m_method, rows->text(mark, MotorField::StartingMethod));
}
