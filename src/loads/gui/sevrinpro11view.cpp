#include "sevrinpro11view.h"

#include "loads/core/designconditions.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

CSevrinPro11View::CSevrinPro11View(QWidget* parent) : CDesignPage(parent)
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
}

void CSevrinPro11View::LoadUserMotorList()
{
    // The user-motor list lives in UserMotorArea; it has no rows to show until that list is
    // built.
}
