#include "faultscreen.h"

#include "app/core/companionworkbook.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"
#include "fault/gui/debugdlg.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "fault/gui/sldreportpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace {

// The page button of each page index; page 1 has none and counts as page 0.
constexpr int kPageButtonOf[6] = {1056, 1056, 1057, 1058, 1059, 1060};
constexpr int kLastSteppedPage = 4;  // "다음" never leads to the SLD Report page

// The utility fields (page 0) and the factor fields (page 1), in the order of the stored inputs.
constexpr int kUtilityFields[6] = {1639, 1640, 1641, 1642, 1643, 1644};
constexpr int kFactorFields[12] = {1392, 1393, 1394, 1037, 1671, 1044,
                                   1672, 1028, 1029, 1673, 1674, 1675};
constexpr int kTotalFields[4] = {1624, 1625, 1626, 1627};

}  // namespace

CFaultScreen::CFaultScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(1055, 1063, 1064);
    struct PageButton
    {
        int id;
        const char* caption;
        int x;
        int page;
    };
    const PageButton buttons[] = {{1056, "계통 임피던스", 70, 0}, {1057, "유도 전동기", 132, 2},
                                  {1058, "IMP Data", 194, 3},      {1059, "Fault Cal", 256, 4},
                                  {1060, "SLD Report", 318, 5}};
    for (const PageButton& b : buttons) {
        const int page = b.page;
        connect(AddButton(b.id, tr(b.caption), b.x, 7, 60, 14), &QPushButton::clicked, this,
                [this, page] { GoToPage(page); });
    }
    connect(AddButton(1061, tr("저장하기"), 12, 40, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnSaveFaultCurrent);
    connect(AddButton(1062, tr("출력하기"), 12, 58, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnOutputFaultCurrentReport);
    connect(AddButton(1645, tr("계산"), 70, 512, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnCalcFaultCurrentButton);
    connect(AddButton(1646, tr("TR Imp."), 125, 512, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnShowImpedanceSummary);
    connect(AddButton(1124, tr("이전"), 830, 512, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnPrevious);
    connect(AddButton(1123, tr("다음"), 885, 512, 50, 14), &QPushButton::clicked, this,
            &CFaultScreen::OnNext);

    // The pages are plain widgets stacked in the frame: only the one shown is visible.
    m_frame = new QStackedWidget(this);
    Place(m_frame, 1125, 68, 26, 868, 482);
    m_utilityPage = new CUtilityPage;
    m_transformerPage = new CFaultTransformerPage;
    m_motorPage = new CFaultMotorPage;
    m_cablePage = new CFaultCablePage;
    m_busPage = new CBusPage;
    m_reportPage = new CSldReportPage;
    for (QWidget* page : {static_cast<QWidget*>(m_utilityPage), static_cast<QWidget*>(m_transformerPage),
                          static_cast<QWidget*>(m_motorPage), static_cast<QWidget*>(m_cablePage),
                          static_cast<QWidget*>(m_busPage), static_cast<QWidget*>(m_reportPage)})
        m_frame->addWidget(page);
    m_transformerPage->SetScreen(this);
    m_busPage->SetScreen(this);
}

void CFaultScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_pageIndex = 0;
    m_frame->setCurrentWidget(m_utilityPage);
    m_currentPage = m_utilityPage;
    EnableFaultCurrentPageButtons(0);
    SetFilterEnterEscape(true);
    theApp.SetScreen(kScreen, this);
}

QWidget* CFaultScreen::Page(int n) const
{
    return n >= 0 && n < m_frame->count() ? m_frame->widget(n) : nullptr;
}

fault::FaultBusPages& CFaultScreen::BusPages()
{
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    if (project != m_busesProject && !project.isEmpty()) {
        m_busesProject = project;
        m_busesPartial = !fault::UnreadableFaultInputs(theApp).isEmpty();
        const fault::FaultStoreOutcome loaded = fault::LoadFaultBusData(theApp, m_buses);
        if (!loaded.ok())
            Prompt::Message(fault::FaultStoreMessage(loaded, false));
        for (int tr = 0; tr < fault::kTransformers; ++tr) {
            if (fault::BusPagesBeyondLimit(theApp, tr))
                Prompt::Message(companion::RowLimitMessage(theApp.BusWorkbookPath(tr),
                                                           fault::kMaxListRows));
        }
        fault::ShowStoredFaultLevel(theApp, m_buses);
    }
    return m_buses;
}

void CFaultScreen::GoToPage(int n)
{
    m_pageIndex = n;
    ShowFaultCurrentPage(n);
}

void CFaultScreen::OnNext()
{
    if (m_pageIndex < kLastSteppedPage)
        GoToPage(m_pageIndex + 1);
}

void CFaultScreen::OnPrevious()
{
    if (m_pageIndex > 0)
        GoToPage(m_pageIndex - 1);
}

void CFaultScreen::ShowFaultCurrentPage(int n)
{
    EnableFaultCurrentPageButtons(n);
    // The motor, cable and SLD pages work with the results of a calculation.
    if (m_pageIndex == 2 || m_pageIndex == 3 || m_pageIndex == 5)
        CalcFaultCurrentIfMissing();
    if (QWidget* page = Page(m_pageIndex)) {
        m_frame->setCurrentWidget(page);
        m_currentPage = page;
    }
}

void CFaultScreen::EnableFaultCurrentPageButtons(int n)
{
    Control<QPushButton>(1124)->setEnabled(n != 0);
    // Nothing follows the last stepped page, nor the SLD Report page (which "다음" never
    // leads to): the button is off there instead of doing nothing.
    Control<QPushButton>(1123)->setEnabled(n < kLastSteppedPage);
    for (int id : {1056, 1057, 1058, 1059, 1060})
        Control<QPushButton>(id)->setEnabled(true);
    if (n >= 0 && n < 6)
        Control<QPushButton>(kPageButtonOf[n])->setEnabled(false);
}

void CFaultScreen::CalcFaultCurrentIfMissing()
{
    if (m_transformerPage->Text(1676).isEmpty())
        OnCalcFaultCurrent();
}

void CFaultScreen::StoreFaultCurrentInputs()
{
    auto& b = theApp.FaultCurrentBlock;
    for (int i = 0; i < 6; ++i)
        b.UtilityInput[std::size_t(i)] = m_utilityPage->Text(kUtilityFields[i]);
    for (int i = 0; i < 12; ++i)
        b.FaultConditionText[std::size_t(i)] = m_transformerPage->Text(kFactorFields[i]);
}

ProjectFileSections CFaultScreen::WouldWriteSections()
{
    const KeepBlock keep(theApp.FaultCurrentBlock);
    StoreFaultCurrentInputs();
    return {FaultCurrentSectionOf(theApp)};
}

QString CFaultScreen::UnsavedEditsName() const
{
    return tr("고장전류");
}

void CFaultScreen::ShowFaultCurrentInputs()
{
    const auto& b = theApp.FaultCurrentBlock;
    for (int i = 0; i < 6; ++i)
        m_utilityPage->SetText(kUtilityFields[i], b.UtilityInput[std::size_t(i)]);
    for (int i = 0; i < 4; ++i)
        m_utilityPage->SetText(kTotalFields[i], b.UtilityResult[std::size_t(i)]);
    for (int i = 0; i < 12; ++i)
        m_transformerPage->SetText(kFactorFields[i], b.FaultConditionText[std::size_t(i)]);
    m_transformerPage->ShowSystemResults();
    m_cablePage->SetDeltaFactors(b.FaultResult[fault::Delta20], b.FaultResult[fault::Delta250]);
}

fault::FaultStoreOutcome CFaultScreen::CalcFaultCurrent()
{
    // A workbook of the calculation that cannot be read stops it before the bus pages are
    // read (and created): one message, and no file changes.
    fault::FaultStoreOutcome outcome;
    outcome.unreadable = fault::UnreadableFaultInputs(theApp);
    if (!outcome.unreadable.isEmpty()) {
        Prompt::Message(fault::FaultStoreMessage(outcome, true));
        return outcome;
    }
    if (m_busesPartial)
        InvalidateBusPages();
    outcome = fault::CalcFaultCurrent(theApp, BusPages());
    // The calculation refers each transformer to the system it just computed and stores that
    // in the transformer's row: the list shows the rows the calculation used.
    m_transformerPage->FillTransformerList();
    m_busPage->ShowBuses();
    if (!outcome.ok())
        Prompt::Message(fault::FaultStoreMessage(outcome, true));
    return outcome;
}

// The utility's percent impedances may be 0 (an ideal source), never negative; alpha and the
// voltage factors are positive; the conductor temperatures may be any figure.
bool CFaultScreen::CheckFaultCurrentInputs() const
{
    using S = QuantitySign;
    const auto u = [this](int id) { return m_utilityPage->Text(id); };
    const auto f = [this](int id) { return m_transformerPage->Text(id); };
    const QString alpha = tr("도체저항온도계수 (α)");
    const QString t90 = tr("도체온도 (T90 [℃])");
    const QString t20 = tr("도체온도 (T20 [℃])");
    const QString cmax = tr("Cmax(최대전압계수)");
    const QString cmin = tr("Cmin(최소전압계수)");
    return CheckQuantityInputs({
        {tr("계통 정상분 %R"), u(1641), S::NonNegative},
        {tr("계통 정상분 %jX"), u(1642), S::NonNegative},
        {tr("계통 영상분 %R"), u(1643), S::NonNegative},
        {tr("계통 영상분 %jX"), u(1644), S::NonNegative},
        {alpha, f(1392), S::Positive}, {t90, f(1393), S::Any}, {t20, f(1394), S::Any},
        {alpha, f(1037), S::Positive}, {t90, f(1671), S::Any}, {t20, f(1044), S::Any},
        {cmax, f(1672), S::Positive}, {cmin, f(1028), S::Positive},
        {cmax, f(1029), S::Positive}, {cmin, f(1673), S::Positive},
        {cmax, f(1674), S::Positive}, {cmin, f(1675), S::Positive},
    });
}

void CFaultScreen::OnCalcFaultCurrentButton()
{
    if (CheckFaultCurrentInputs())
        OnCalcFaultCurrent();
}

void CFaultScreen::ShowStoredResults()
{
    // The screen's own bus pages are read from their workbooks when first needed (which may
    // create missing ones) and get the same figures then; the fields need them now.
    fault::FaultBusPages scratch;
    fault::ShowStoredFaultLevel(theApp, scratch);
    ShowFaultCurrentInputs();
}

void CFaultScreen::OnCalcFaultCurrent()
{
    StoreFaultCurrentInputs();
    const fault::FaultStoreOutcome outcome = CalcFaultCurrent();
    if (!outcome.unreadable.isEmpty())
        return;  // nothing was computed
    ShowFaultCurrentInputs();
    // The project file keeps the results of the run the workbooks hold: after a run whose
    // workbooks kept their old results it stays as it was too.
    if (outcome.ok())
        SaveFaultCurrentSection();
}

bool CFaultScreen::SaveFaultCurrentSection()
{
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (theApp.SaveFaultCurrentSection(path))
        return true;
    Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
    return false;
}

FaultReportTexts CFaultScreen::RecalcForReport()
{
    StoreFaultCurrentInputs();
    // A calculation the files did not take has said so; the report shows what the screen shows.
    static_cast<void>(CalcFaultCurrent());
    ShowFaultCurrentInputs();

    FaultReportTexts t;
    t.available = true;
    for (int id : kFaultReportUtilityFields)
        t.utility.insert(id, m_utilityPage->Text(id));
    for (int id : kFaultReportConversionFields)
        t.conversion.insert(id, m_transformerPage->Text(id));
    const auto rows = [](const ReportListView* list) {
        std::vector<QStringList> out;
        out.reserve(std::size_t(list->rows()->rowCount()));
        for (int r = 0; r < list->rows()->rowCount(); ++r)
            out.push_back(list->rows()->row(r));
        return out;
    };
    t.lines = rows(m_utilityPage->List(CUtilityPage::LineBand));
    t.incomingCables = rows(m_utilityPage->List(CUtilityPage::CableBand));
    t.transformers = rows(m_transformerPage->List());
    return t;
}

void CFaultScreen::OnSaveFaultCurrent()
{
    if (!CheckFaultCurrentInputs())
        return;
    StoreFaultCurrentInputs();
    if (SaveFaultCurrentSection())
        Prompt::Message(tr("고장전류 내용을 저장 하였습니다."), Prompt::Buttons::Ok,
                        Prompt::Icon::Information);
}

void CFaultScreen::OnOutputFaultCurrentReport()
{
    COutputDlg::RunForScreenReport(COutputDlg::FaultCurrent, this);
}

void CFaultScreen::OnShowImpedanceSummary()
{
    CDebugDlg dialog(this);
    dialog.exec();
}
