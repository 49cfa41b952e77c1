#include "generatorscreen.h"

#include "app/core/sevrin.h"
#include "loads/core/generatorsizing.h"
#include "loads/gui/guicall.h"
#include "loads/gui/generatorloadpage.h"
#include "loads/gui/generatorresultpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int kInputButton = 1651, kResultButton = 1652;
constexpr int kPrevious = 1107, kNext = 1106, kCalculate = 1111;
constexpr int kOutageA = 1554, kFireA = 1555;
constexpr int kFactorEdits[4] = {1531, 1532, 1533, 1537};  // c, k outage; c, k fire

}  // namespace

CGeneratorScreen::CGeneratorScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    connect(AddButton(kInputButton, tr("입력"), 70, 7, 50, 14), &QPushButton::clicked, this,
            [this] { ShowGeneratorPage(0); });
    connect(AddButton(kResultButton, tr("결과"), 122, 7, 50, 14), &QPushButton::clicked, this,
            [this] { ShowGeneratorPage(1); });
    connect(AddButton(1057, tr("저장하기"), 12, 40, 50, 14), &QPushButton::clicked, this,
            &CGeneratorScreen::OnSave);
    connect(AddButton(1058, tr("출력하기"), 12, 58, 50, 14), &QPushButton::clicked, this,
            &CGeneratorScreen::OnOutput);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 1548, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CGeneratorLoadPage;
    m_resultPage = new CGeneratorResultPage;
    m_pages->addTab(m_loadPage, QString());
    m_pages->addTab(m_resultPage, QString());
    connect(AddButton(kCalculate, tr("계산"), 70, 512, 50, 14), &QPushButton::clicked, this, [this] {
        StoreGeneratorInputs();
        CalcGeneratorCapacity();
        ShowGeneratorInputs();
    });
    connect(AddButton(kPrevious, tr("이전"), 830, 512, 50, 14), &QPushButton::clicked, this, [this] {
        if (m_current > 0)
            ShowGeneratorPage(m_current - 1);
    });
    connect(AddButton(kNext, tr("다음"), 885, 512, 50, 14), &QPushButton::clicked, this, [this] {
        if (m_current == 0)
            ShowGeneratorPage(m_current + 1);
    });
}

CGeneratorScreen::~CGeneratorScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CGeneratorScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    m_current = 0;
    m_pages->setCurrentIndex(0);
    EnableGeneratorPageButtons(0);
    theApp.SetScreen(kScreen, this);
}

void CGeneratorScreen::EnableGeneratorPageButtons(int n)
{
    Control<QPushButton>(kPrevious)->setEnabled(n != 0);
    Control<QPushButton>(kNext)->setEnabled(n != 1);
    Control<QPushButton>(kInputButton)->setEnabled(n > 0);
    Control<QPushButton>(kResultButton)->setEnabled(n <= 0);
}

void CGeneratorScreen::ShowGeneratorPage(int n)
{
    m_current = n <= 0 ? 0 : 1;
    EnableGeneratorPageButtons(m_current);
    m_pages->setCurrentIndex(m_current);
}

void CGeneratorScreen::StoreGeneratorInputs()
{
    CallOnGuiThread(this, [this] { StoreOnGuiThread(); });
}

void CGeneratorScreen::StoreOnGuiThread()
{
    auto& b = theApp.GeneratorSizingBlock;
    b.GeneratorConditionIndex[0] = m_resultPage->Combo(kOutageA)->currentIndex();
    b.GeneratorConditionIndex[1] = m_resultPage->Combo(kFireA)->currentIndex();
    for (int i = 0; i < 4; ++i)
        b.GeneratorConditionText[std::size_t(i)] = m_resultPage->Edit(kFactorEdits[i])->text();
}

ProjectFileSections CGeneratorScreen::WouldWriteSections()
{
    const KeepBlock keep(theApp.GeneratorSizingBlock);
    StoreGeneratorInputs();
    return {GeneratorSizingSectionOf(theApp)};
}

QString CGeneratorScreen::UnsavedEditsName() const
{
    return tr("발전기용량");
}

void CGeneratorScreen::ShowGeneratorInputs()
{
    CallOnGuiThread(this, [this] { ShowOnGuiThread(); });
}

void CGeneratorScreen::ShowOnGuiThread()
{
    m_loadPage->FillGeneratorLoadList();
    const auto& b = theApp.GeneratorSizingBlock;
    for (int i = 0; i < 2; ++i) {
        QComboBox* combo = m_resultPage->Combo(i == 0 ? kOutageA : kFireA);
        const QSignalBlocker block(combo);
        const int index = b.GeneratorConditionIndex[std::size_t(i)];
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
    for (int i = 0; i < 4; ++i)
        m_resultPage->Edit(kFactorEdits[i])->setText(b.GeneratorConditionText[std::size_t(i)]);
}

void CGeneratorScreen::CalcGeneratorCapacity()
{
    CallOnGuiThread(this, [this] { CalcOnGuiThread(); });
}

void CGeneratorScreen::CalcOnGuiThread()
{
    CGeneratorResultPage* r = m_resultPage;
    const GeneratorFactors outage{r->Combo(kOutageA)->currentText(), r->Edit(1531)->text(),
                                  r->Edit(1532)->text()};
    const GeneratorFactors fire{r->Combo(kFireA)->currentText(), r->Edit(1533)->text(),
                                r->Edit(1537)->text()};
    std::vector<GeneratorLoadRowT> rows;
    if (!theApp.ProjectPathTable.CurrentProjectPath.isEmpty() &&
        theApp.GeneratorSizingBlock.GeneratorLoadCount > 0)
        rows = ReadGeneratorLoadRows(theApp);
    const GeneratorCapacity c = CalcGeneratorOutput(rows, outage, fire, GeneratorRatingLookup(theApp),
                                                    GeneratorApparentLookup(theApp));
    CGeneratorLoadPage* in = m_loadPage;
    in->Edit(1511)->setText(c.outage.kwSum);
    in->Edit(1512)->setText(c.outage.kvaSum);
    in->Edit(1513)->setText(c.fire.kwSum);
    in->Edit(1033)->setText(c.fire.kvaSum);
    in->Edit(1514)->setText(c.outage.maxKw);
    in->Edit(1515)->setText(c.fire.maxKw);
    r->Edit(1523)->setText(c.outage.kvaSum);
    r->Edit(1529)->setText(c.outage.kwSum);
    r->Edit(1530)->setText(c.outage.maxKw);
    r->Edit(1534)->setText(c.fire.kvaSum);
    r->Edit(1535)->setText(c.fire.kwSum);
    r->Edit(1536)->setText(c.fire.maxKw);
    for (int i = 0; i < 3; ++i)
        r->Edit(1526 + i)->setText(c.summary[std::size_t(i)]);
    r->Edit(1524)->setText(c.gpLine[0]);
    r->Edit(1525)->setText(c.gpLine[1]);
    const int hidden[6] = {1539, 1541, 1542, 1543, 1544, 1545};
    for (int i = 0; i < 6; ++i)
        r->Edit(hidden[i])->setText(c.hidden[std::size_t(i)]);
}

void CGeneratorScreen::OnSave()
{
    StoreGeneratorInputs();
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (path.isEmpty() || !theApp.ProjectLoaded)
        return;
    if (!theApp.SaveGeneratorSizingSection(path)) {
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
        return;
    }
    Prompt::Message(tr("설계조건을 저장 하였습니다."), Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CGeneratorScreen::OnOutput()
{
    COutputDlg::RunForScreenReport(COutputDlg::GeneratorCapacity, nullptr);
}
