#include "groundingscreen.h"

#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "grounding/gui/groundconductorpage.h"
#include "grounding/gui/gridresistancepage.h"
#include "grounding/gui/safetyconditionspage.h"
#include "grounding/gui/steptouchpage.h"
#include "grounding/gui/layeredsoilpage.h"
#include "grounding/gui/soilresistivitypage.h"
#include "grounding/gui/groundingsummarypage.h"
#include "grounding/gui/groundinginputpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>

namespace {

// The page buttons in page-index order; "안전전압" stands for pages 3 and 4.
constexpr int kPageButtons[7] = {1117, 1108, 1109, 1112, 1112, 1115, 1116};
constexpr int kLastPage = 6;

void SetCombo(QComboBox* combo, int index)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

CGroundingScreen::CGroundingScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(1056, 1059, 1060);
    struct PageButton
    {
        int id;
        const char* caption;
        int x;
        int w;
        int page;
    };
    const PageButton buttons[] = {
        {1117, "설계조건", 70, 55, 0},     {1108, "접지굵기", 127, 55, 1},
        {1109, "접지저항", 184, 55, 2},    {1112, "안전전압", 241, 55, 3},
        {1115, "평균대지저항률", 298, 70, 5}, {1116, "접지계산 종합표", 370, 75, 6},
    };
    for (const PageButton& b : buttons) {
        QPushButton* button = AddButton(b.id, tr(b.caption), b.x, 7, b.w, 14);
        const int page = b.page;
        connect(button, &QPushButton::clicked, this, [this, page] {
            m_pageIndex = page;
            ShowGroundingPage(page);
        });
    }
    AddButton(1113, tr("대지저항률"), 447, 7, 55, 14)->setVisible(false);

    m_frame = new QFrame(this);
    m_frame->setFrameShape(QFrame::StyledPanel);
    Place(m_frame, 1110, 70, 25, 868, 482);

    connect(AddButton(1057, tr("저장하기"), 12, 40, 50, 14), &QPushButton::clicked, this,
            &CGroundingScreen::OnSave);
    connect(AddButton(1058, tr("출력하기"), 12, 58, 50, 14), &QPushButton::clicked, this,
            &CGroundingScreen::OnOutput);
    connect(AddButton(1111, tr("계산"), 70, 512, 50, 14), &QPushButton::clicked, this,
            &CGroundingScreen::OnCalculateButton);
    connect(AddButton(1107, tr("이전"), 830, 512, 50, 14), &QPushButton::clicked, this,
            &CGroundingScreen::OnPrevious);
    connect(AddButton(1106, tr("다음"), 885, 512, 50, 14), &QPushButton::clicked, this,
            &CGroundingScreen::OnNext);
}

void CGroundingScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_pageIndex = 0;
    const QRect area = m_frame->contentsRect();
    auto place = [this, &area](auto* page) {
        page->setGeometry(area);
        page->setVisible(false);
        return page;
    };
    m_conductorPage = place(new CGroundConductorPage(m_frame));
    m_resistancePage = place(new CGridResistancePage(m_frame));
    m_safetyPage = place(new CSafetyConditionsPage(m_frame));
    m_voltagePage = place(new CStepTouchPage(m_frame));
    m_layerPage = place(new CLayeredSoilPage(m_frame));
    m_resistivityPage = place(new CSoilResistivityPage(m_frame));
    m_summaryPage = place(new CGroundingSummaryPage(m_frame));
    m_designPage = place(new CGroundingInputPage(m_frame));
    m_designPage->setVisible(true);
    m_pageShown = m_designPage;
    EnableGroundingPageButtons(0);

    // The screen and the result pages discard Enter and Escape; the design-inputs page and
    // the summary page keep them.
    SetFilterEnterEscape(true);
    ExcludeFromKeyFilter(m_designPage);
    ExcludeFromKeyFilter(m_summaryPage);
    theApp.SetScreen(kScreen, this);
}

QWidget* CGroundingScreen::Page(int index) const
{
    switch (index) {
    case 0: return m_designPage;
    case 1: return m_conductorPage;
    case 2: return m_resistancePage;
    case 3: return m_safetyPage;
    case 4: return m_voltagePage;
    case 5: return m_resistivityPage;
    case 6: return m_summaryPage;
    default: return nullptr;
    }
}

void CGroundingScreen::ShowGroundingPage(int index)
{
    EnableGroundingPageButtons(index);
    StoreGroundingInputs();
    ShowGroundingFields();
    if (m_pageShown) {
        m_pageShown->setVisible(false);
        m_pageShown = nullptr;
    }
    if (QWidget* page = Page(m_pageIndex)) {
        page->setVisible(true);
        m_pageShown = page;
    }
}

void CGroundingScreen::EnableGroundingPageButtons(int index)
{
    Control<QPushButton>(1107)->setEnabled(index != 0);
    Control<QPushButton>(1106)->setEnabled(index != kLastPage);
    for (int id : {1117, 1108, 1109, 1112, 1113, 1115, 1116})
        Control<QPushButton>(id)->setEnabled(true);
    if (index >= 0 && index <= kLastPage)
        Control<QPushButton>(kPageButtons[index])->setEnabled(false);
}

void CGroundingScreen::OnNext()
{
    if (m_pageIndex <= 5) {
        ++m_pageIndex;
        ShowGroundingPage(m_pageIndex);
    }
}

void CGroundingScreen::OnPrevious()
{
    if (m_pageIndex > 0) {
        --m_pageIndex;
        ShowGroundingPage(m_pageIndex);
    }
}

bool CGroundingScreen::CheckGroundingInputs() const
{
    using S = QuantitySign;
    const auto t = [this](int i) { return m_designPage->Text(1461 + i); };
    if (!CheckQuantityInputs({
            {tr("I : 고장전류 실효값"), t(0), S::Positive},
            {tr("tC : 통전 시간"), t(1), S::Positive},
            {tr("α : 지락전류 분류계수"), t(2), S::Positive},
            {tr("Tm : 최대 허용 온도"), t(3), S::Any},
            {tr("Ta : 주위온도"), t(4), S::Any},
            {tr("h : 접지시스템 매설 깊이"), t(5), S::Positive},
            {tr("접지봉 길이"), t(7), S::Positive, true},
            {tr("N : 총 접지봉의 개수"), t(8), S::NonNegative},
            {tr("ρs : 표면층 고유저항률"), t(9), S::Positive},
            {tr("hs : 표면층 두께"), t(10), S::NonNegative},
            {tr("Sf : 고장전류 분류 계수"), t(11), S::Positive},
            {tr("접지망 총길이[Lc]"), t(12), S::Positive},
            {tr("접지망 둘레길이[Lp]"), t(13), S::Positive},
            {tr("접지망 가로 최대길이[Lx]"), t(14), S::Positive},
            {tr("접지망 세로 최대길이[Ly]"), t(15), S::Positive},
            {tr("병렬도체 사이간격"), t(16), S::Positive},
            {tr("α : 여유율"), t(27), S::Positive},
        }))
        return false;
    // A soil layer with a thickness needs its resistivity; one left out (0 or empty) does not.
    for (int i = 0; i < 5; ++i) {
        if (!CheckQuantityInput(tr("h%1 : 대지 %1층 두께").arg(i + 1), t(17 + i), S::NonNegative, true))
            return false;
        double h = 0.0;
        if (ReadValue(t(17 + i), &h) && h > 0.0 &&
            !CheckQuantityInput(tr("ρ%1 : 대지 %1층 대지저항률").arg(i + 1), t(22 + i), S::Positive))
            return false;
    }
    return true;
}

void CGroundingScreen::OnCalculateButton()
{
    if (CheckGroundingInputs())
        OnCalculate();
}

void CGroundingScreen::OnCalculate()
{
    StoreGroundingInputs();
    CalcGroundingDesign();
    ShowGroundingFields();
}

void CGroundingScreen::OnSave()
{
    if (!CheckGroundingInputs())
        return;
    StoreGroundingInputs();
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (!theApp.SaveGroundingDesignSection(path)) {
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
        return;
    }
    Prompt::Message(tr("설계조건을 저장 하였습니다."), Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CGroundingScreen::OnOutput()
{
    COutputDlg::RunForScreenReport(COutputDlg::Grounding, this);
}

ProjectFileSections CGroundingScreen::WouldWriteSections()
{
    const KeepBlock keep(theApp.GroundingDesignBlock);
    StoreGroundingInputs();
    return {GroundingDesignSectionOf(theApp)};
}

QString CGroundingScreen::UnsavedEditsName() const
{
    return tr("접지");
}

void CGroundingScreen::StoreGroundingInputs()
{
    if (!m_designPage)
        return;
    auto& b = theApp.GroundingDesignBlock;
    // The design inputs.
    for (int i = 0; i < 3; ++i)
        b.GroundingConditionIndex[i] = m_designPage->Combo(1458 + i)->currentIndex();
    for (int i = 0; i < 28; ++i)
        b.GroundingConditionInput[i] = m_designPage->Text(1461 + i);
    // The conductor-size page.
    b.ConductorSizeIndex[0] = m_conductorPage->MaterialCombo()->currentIndex();
    b.ConductorSizeIndex[1] = m_conductorPage->FinalSizeCombo()->currentIndex();
    const int conductorIds[5] = {1220, 1221, 1211, 1032, 1033};
    for (int i = 0; i < 5; ++i)
        b.ConductorSizeInput[i] = m_conductorPage->Text(conductorIds[i]);
    b.ConductorSizeInput[12] = m_conductorPage->MaterialCombo()->currentText();
    // The resistance page.
    const int resistanceIds[7] = {1212, 1213, 1214, 1217, 1218, 1215, 1216};
    for (int i = 0; i < 7; ++i)
        b.ConductorSizeInput[5 + i] = m_resistancePage->Text(resistanceIds[i]);
    // The safety-voltage page.
    b.SafetyVoltageIndex = m_safetyPage->ShapeCombo()->currentIndex();
    const int safetyIds[4] = {1045, 1046, 1048, 1238};
    for (int i = 0; i < 4; ++i)
        b.SafetyVoltageInput[i] = m_safetyPage->Text(safetyIds[i]);
    // One value of each: the design inputs overwrite the copies.
    ApplyGroundingDesignInputs(b, theApp.GroundingLibBlock);
}

void CGroundingScreen::CalcGroundingDesign()
{
    const GroundingSummaryValues summary =
        ::CalcGroundingDesign(theApp.GroundingDesignBlock, theApp.GroundingLibBlock);
    if (m_summaryPage)
        m_summaryPage->WriteSummaryValues(summary);
}

void CGroundingScreen::ShowGroundingFields()
{
    if (!m_designPage)
        return;
    auto& b = theApp.GroundingDesignBlock;
    const auto& t = b.GroundingConditionInput;

    // Design inputs, grid factors and the shape table.
    for (int i = 0; i < 3; ++i)
        SetCombo(m_designPage->Combo(1458 + i), b.GroundingConditionIndex[i]);
    for (int i = 0; i < 28; ++i)
        m_designPage->SetText(1461 + i, t[i]);
    for (int i = 0; i < 6; ++i)
        m_designPage->SetText(1489 + i, b.GridFactors[i]);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 4; ++row)
            m_designPage->SetText(1495 + column * 4 + row, b.ShapeFactorTable[row * 3 + column]);

    // The material list of the conductor-size page, from the loaded table.
    QComboBox* material = m_conductorPage->MaterialCombo();
    {
        const QSignalBlocker block(material);
        material->clear();
        const LibTable& materials = theApp.GroundingLibBlock.ConductorMaterialTable;
        for (int i = 0; i < materials.Count; ++i)
            material->addItem(materials.Cell(i, 0));
    }
    SetCombo(material, b.ConductorSizeIndex[0]);

    // The final size follows a standard size that a calculation changed; otherwise the
    // choice (also the one loaded from the project) stays.
    const QString shownStandard = m_conductorPage->Text(1036);
    if (!shownStandard.isEmpty() && shownStandard != b.ConductorResults[5])
        m_conductorPage->SelectConductorSizeEntry();
    else
        SetCombo(m_conductorPage->FinalSizeCombo(), b.ConductorSizeIndex[1]);

    // Conductor size.
    const auto& ci = b.ConductorSizeInput;
    const auto& cr = b.ConductorResults;
    const std::pair<int, QString> page1[] = {
        {1220, ci[0]}, {1221, ci[1]}, {1211, ci[2]}, {1223, cr[0]}, {1030, cr[1]}, {1031, cr[2]},
        {1032, ci[3]}, {1033, ci[4]}, {1034, cr[3]}, {1035, cr[4]}, {1036, cr[5]},
    };
    for (const auto& [id, text] : page1)
        m_conductorPage->SetText(id, text);

    // Grid resistance.
    ApplyGroundingDisplayCopies(b);
    const auto& rr = b.ResistanceResults;
    const std::pair<int, QString> page2[] = {
        {1041, rr[9]},  {1040, cr[7]},  {1212, ci[5]},  {1213, ci[6]},  {1214, ci[7]},  {1217, ci[8]},
        {1218, ci[9]},  {1039, cr[8]},  {1042, cr[9]},  {1043, cr[10]}, {1215, ci[10]}, {1216, ci[11]},
        {1224, cr[11]}, {1225, cr[12]}, {1226, cr[13]}, {1227, cr[14]}, {1228, cr[15]}, {1229, cr[16]},
        {1230, rr[0]},  {1031, rr[2]},  {1033, rr[4]},  {1035, rr[6]},  {1037, rr[8]},  {1038, rr[9]},
        {1030, rr[1]},  {1032, rr[3]},  {1034, rr[5]},  {1036, rr[7]},
    };
    for (const auto& [id, text] : page2)
        m_resistancePage->SetText(id, text);

    // Safety-voltage conditions.
    SetCombo(m_safetyPage->ShapeCombo(), b.SafetyVoltageIndex);
    const auto& si = b.SafetyVoltageInput;
    const auto& sc = b.SafetyConditions;
    const auto& sf = b.StepFactors;
    const std::pair<int, QString> page3[] = {
        {1045, si[0]},  {1046, si[1]},  {1047, sc[0]},  {1042, sc[1]},  {1043, sc[2]},  {1048, si[2]},
        {1051, sc[4]},  {1052, sc[5]},  {1053, sc[6]},  {1049, sc[7]},  {1050, sc[8]},  {1054, sc[9]},
        {1055, sc[10]}, {1232, sc[12]}, {1067, sc[14]}, {1233, sc[15]}, {1238, si[3]},  {1069, sc[16]},
        {1070, sc[17]}, {1235, sc[19]}, {1062, sf[3]},  {1068, sf[5]},  {1071, sf[7]},
    };
    for (const auto& [id, text] : page3)
        m_safetyPage->SetText(id, text);
    const QString unwritten[13] = {sc[3],  sc[11], sc[13], sc[18], sc[20], sc[21], sc[22],
                                   sf[0],  sf[1],  sf[2],  sf[4],  sf[6],  sf[8]};
    for (int i = 0; i < 13; ++i)
        m_safetyPage->SetText(CSafetyConditionsPage::kUnwrittenIds[i], unwritten[i]);

    // Voltages and verdicts, the never-shown layer page and the average resistivity.
    const auto& vr = b.VoltageResults;
    const int page4[13] = {1058, 1059, 1060, 1061, 1057, 1056, 1191, 1192, 1242, 1194, 1193, 1243, 1195};
    for (int i = 0; i < 13; ++i)
        m_voltagePage->SetText(page4[i], vr[i]);
    for (int i = 0; i < 14; ++i)
        m_layerPage->SetText(CLayeredSoilPage::kBoxIds[i], b.LayerSoilFields[i]);
    const auto& ar = b.AverageResistivityFields;
    for (int i = 0; i < 12; ++i)
        m_resistivityPage->SetText(1246 + i, ar[i]);
    m_resistivityPage->SetText(1258, ar[12]);
}

GroundingReportTexts CGroundingScreen::RecalcForReport()
{
    OnCalculate();
    GroundingReportTexts texts;
    texts.available = true;
    const std::pair<int, CGroundingPage*> pages[] = {{91, m_conductorPage}, {92, m_resistancePage}, {93, m_safetyPage}, {95, m_voltagePage}, {97, m_resistivityPage}};
    for (const auto& [number, page] : pages) {
        QHash<int, QString>& boxes = texts.pages[number];
        for (const auto& [id, text] : page->Texts())
            boxes.insert(id, text);
    }
    texts.summary = m_summaryPage->SummaryValues();
    return texts;
}

GroundingReportTexts RecalcGroundingForReport()
{
    CGroundingScreen* screen = TheScreen<CGroundingScreen>();
    if (!screen)
        return {};
    if (QThread::currentThread() == screen->thread())
        return screen->RecalcForReport();
    GroundingReportTexts texts;
    QMetaObject::invokeMethod(screen, [screen, &texts] { texts = screen->RecalcForReport(); },
                              Qt::BlockingQueuedConnection);
    return texts;
}
