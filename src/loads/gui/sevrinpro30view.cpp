#include "sevrinpro30view.h"

#include "app/core/sevrin.h"
#include "loads/gui/sevrinpro31view.h"

#include "platform/prompt.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro30View::CSevrinPro30View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CSevrinPro31View;
    m_pages->addTab(m_loadPage, QString());

    // The five capacity fields under the page.
    for (int n = 1; n <= 5; ++n) {
        const int x = 68 + (n - 1) * 150;
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
}

CSevrinPro30View::~CSevrinPro30View()
{
    // The project file reaches these controls through theApp; they go with the screen.
    theApp.TransformerControls = CSevrinApp::TransformerControlsT{};
}

void CSevrinPro30View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro30View = this;

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

void CSevrinPro30View::OnCapacityCheckClicked(int n)
{
    m_capacityEdit[n - 1]->setEnabled(m_capacityCheck[n - 1]->isChecked());
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (!theApp.SaveTransformerSizingSection(path))
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
}

void CSevrinPro30View::FillTransformerPage(int pageIndex)
{
    Q_UNUSED(pageIndex);
    // filled in when the screen is built
}
