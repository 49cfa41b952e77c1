#include "transformerscreen.h"

#include "app/core/sevrin.h"
#include "loads/core/transformersizing.h"
#include "loads/gui/guicall.h"
#include "loads/gui/transformerloadpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int kTransformerButton = 1701;  // "TR-1".."TR-5" are 1701..1705
constexpr int kPrevious = 1107, kNext = 1106, kCalculate = 1111;

// The page's motor-block inputs and where the calculation writes its results.
constexpr int kFirstMotorField = 1609;

}  // namespace

CTransformerScreen::CTransformerScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    for (int n = 0; n < 5; ++n) {
        QPushButton* b = AddButton(kTransformerButton + n, QStringLiteral("TR-%1").arg(n + 1),
                                   70 + n * 52, 7, 50, 14);
        connect(b, &QPushButton::clicked, this, [this, n] {
            m_current = n;
            SelectTransformerTab(n);
        });
    }
    connect(AddButton(1057, tr("저장하기"), 12, 40, 50, 14), &QPushButton::clicked, this,
            &CTransformerScreen::OnSave);
    connect(AddButton(1058, tr("출력하기"), 12, 58, 50, 14), &QPushButton::clicked, this,
            &CTransformerScreen::OnOutput);

    // The page sits in the tab area; the screen switches transformers with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 1548, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CTransformerLoadPage;
    m_pages->addTab(m_loadPage, QString());

    // The five capacity fields under the page.
    for (int n = 1; n <= 5; ++n) {
        const int x = 68 + (n - 1) * 142;
        auto* check = new QCheckBox(QStringLiteral("TR-%1").arg(n), this);
        Place(check, 1741 + n, x, 513, 36, 12);
        auto* edit = new QLineEdit(this);
        Place(edit, 1034 + n, x + 38, 512, 60, 14);
        edit->setEnabled(false);
        auto* unit = new QLabel(QStringLiteral("kVA"), this);
        Place(unit, 0, x + 101, 514, 20, 10);
        m_capacityCheck[n - 1] = check;
        m_capacityEdit[n - 1] = edit;
        connect(check, &QCheckBox::clicked, this, [this, n] { OnCapacityCheckClicked(n); });
    }
    connect(AddButton(kCalculate, tr("계산"), 782, 512, 45, 14), &QPushButton::clicked, this,
            [this] { CalcTransformerCapacity(m_current); });
    connect(AddButton(kPrevious, tr("이전"), 837, 512, 45, 14), &QPushButton::clicked, this,
            &CTransformerScreen::OnPrevious);
    connect(AddButton(kNext, tr("다음"), 887, 512, 45, 14), &QPushButton::clicked, this,
            &CTransformerScreen::OnNext);
}

CTransformerScreen::~CTransformerScreen()
{
    // The project file reaches these controls through theApp; they go with the screen.
    theApp.TransformerControls = CSevrinApp::TransformerControlsT{};
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CTransformerScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    m_current = 0;
    m_pages->setCurrentWidget(m_loadPage);
    m_loadPage->show();
    EnableTransformerTabButtons(0);
    theApp.SetScreen(kScreen, this);

    CSevrinApp::TransformerControlsT& c = theApp.TransformerControls;
    c.IsChecked = [this](int n) { return m_capacityCheck[n - 1]->checkState() != Qt::Unchecked; };
    c.SetChecked = [this](int n, bool checked) {
        QSignalBlocker block(m_capacityCheck[n - 1]);
        m_capacityCheck[n - 1]->setChecked(checked);
    };
    c.CapacityText = [this](int n) { return m_capacityEdit[n - 1]->text(); };
    c.SetCapacityText = [this](int n, const QString& text) { m_capacityEdit[n - 1]->setText(text); };
    c.SetCapacityEnabled = [this](int n, bool enabled) { m_capacityEdit[n - 1]->setEnabled(enabled); };
}

ProjectFileSections CTransformerScreen::WouldWriteSections()
{
    return {TransformerSizingSectionOf(theApp)};
}

QString CTransformerScreen::UnsavedEditsName() const
{
    return tr("변압기용량");
}

bool CTransformerScreen::HasUnsavedEdits()
{
    return CFormView::HasUnsavedEdits() || !m_loadPage->InputsStored();
}

bool CTransformerScreen::SaveUnsavedEdits()
{
    // The sheet's failure is told by the page itself.
    const bool inputs = m_loadPage->InputsStored() || m_loadPage->StoreTransformerInputs();
    return CFormView::SaveUnsavedEdits() && inputs;
}

void CTransformerScreen::SaveSection()
{
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    // Without a loaded project there is no file to keep the section in.
    if (path.isEmpty() || !theApp.ProjectLoaded)
        return;
    if (!theApp.SaveTransformerSizingSection(path))
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
}

void CTransformerScreen::OnCapacityCheckClicked(int n)
{
    m_capacityEdit[n - 1]->setEnabled(m_capacityCheck[n - 1]->isChecked());
    SaveSection();
}

void CTransformerScreen::EnableTransformerTabButtons(int n)
{
    Control<QPushButton>(kPrevious)->setEnabled(n != 0);
    Control<QPushButton>(kNext)->setEnabled(n != 4);
    for (int i = 0; i < 5; ++i)
        Control<QPushButton>(kTransformerButton + i)->setEnabled(true);
    const int shown = n <= 0 ? 0 : std::min(n, 4);
    Control<QPushButton>(kTransformerButton + shown)->setEnabled(false);
}

void CTransformerScreen::SelectTransformerTab(int n)
{
    CallOnGuiThread(this, [this, n] { SelectOnGuiThread(n); });
}

void CTransformerScreen::SelectOnGuiThread(int n)
{
    m_current = std::clamp(n, 0, 4);
    EnableTransformerTabButtons(m_current);
    m_loadPage->hide();
    FillTransformerPage(m_current);
    m_loadPage->show();
}

void CTransformerScreen::FillTransformerPage(int pageIndex)
{
    const int n = std::clamp(pageIndex, 0, 4);
    m_current = n;
    EnableTransformerTabButtons(n);
    m_loadPage->SetTransformerName(QStringLiteral("TR-%1").arg(n + 1));
    m_loadPage->ShowTransformerInputs();
    m_loadPage->FillTransformerLoadList();
}

void CTransformerScreen::OnPrevious()
{
    if (m_current > 0)
        SelectTransformerTab(m_current - 1);
}

void CTransformerScreen::OnNext()
{
    if (m_current <= 3)
        SelectTransformerTab(m_current + 1);
}

void CTransformerScreen::OnSave()
{
    m_loadPage->StoreTransformerInputs();
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (path.isEmpty() || !theApp.ProjectLoaded)
        return;
    if (!theApp.SaveTransformerSizingSection(path)) {
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
        return;
    }
    Prompt::Message(tr("설계조건을 저장 하였습니다."), Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CTransformerScreen::OnOutput()
{
    COutputDlg::RunForScreenReport(COutputDlg::TransformerCapacity, nullptr);
}

void CTransformerScreen::CalcTransformerCapacity(int n)
{
    CallOnGuiThread(this, [this, n] { CalcOnGuiThread(n); });
}

void CTransformerScreen::CalcOnGuiThread(int n)
{
    if (n < 0 || n > 4)
        return;
    CTransformerLoadPage* page = m_loadPage;
    auto& record = theApp.TransformerSizingBlock.TransformerRecord;
    const std::vector<TransformerLoadRowT> rows =
        theApp.ProjectPathTable.CurrentProjectPath.isEmpty() ? std::vector<TransformerLoadRowT>{}
                                                             : ReadTransformerLoadRows(theApp, n);
    const bool motorOn = page->MotorCheck()->isChecked();
    if (motorOn) {
        using namespace trfield;
        for (int f : {kPm, kCosM, kBeta, kZ, kEpsilon, kCos, kEtaM, kCosMs, kC})
            record[std::size_t(f)] = page->Edit(kFirstMotorField + f - kS)->text();
    }
    const TransformerCapacity cap =
        CalcTransformerCapacityFigures(CalcTransformerTotals(rows), motorOn,
                                       ReadTransformerMotorInputs(record),
                                       TransformerRatingLookup(theApp));
    page->Edit(1043)->setText(cap.decision);
    page->Edit(1625)->setText(cap.connectedText);
    page->Edit(1626)->setText(cap.demandFactorText);
    page->Edit(1627)->setText(cap.demandText);
    page->Edit(1628)->setText(cap.ratingText);
    if (motorOn) {
        ApplyMotorBlockToRecord(cap.motor, record);
        using namespace trfield;
        for (int f : {kS, kP1, kSinMs, kQ1, kP2, kQ2, kDecision})
            page->Edit(kFirstMotorField + f - kS)->setText(record[std::size_t(f)]);
        page->Edit(1629)->setText(cap.motor.ptrText);
        page->Edit(1630)->setText(cap.motor.ptrRatingText);
    }
    if (!m_capacityCheck[std::size_t(n)]->isChecked())
        m_capacityEdit[std::size_t(n)]->setText(cap.capacityText);
    SaveSection();
}
