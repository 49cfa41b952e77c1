#include "outputdlg.h"

#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/projectscreen.h"
#include "platform/prompt.h"
#include "report/core/guithread.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QTimer>

void COutputDlg::RunForScreenReport(Report report, QWidget* parent)
{
    COutputDlg dialog(parent);
    dialog.ReportChoices.fill(0);
    dialog.ReportChoices[ProjectCover] = 1;
    dialog.ReportChoices[report] = 1;
    dialog.exec();
}

COutputDlg::COutputDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Palvane 설계프로그램 V2.0"));
    // No close box: the dialog ends through its buttons, and not at all while a run is active.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont(QStringLiteral("굴림"), 9));
    const DialogUnits du(font());
    setFixedSize(du.Size(291, 218));

    auto place = [&du](QWidget* w, int id, int x, int y, int width, int height) {
        if (id != 0)
            w->setObjectName(QString::number(id));
        w->setGeometry(du.Rect(x, y, width, height));
    };
    auto button = [&](int id, const QString& text, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        place(b, id, x, y, w, h);
        return b;
    };
    auto* title = new QLabel(tr("출력 계산서 선택하기"), this);
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::Box);
    place(title, 0, 7, 7, 277, 19);

    m_allReports = new QListWidget(this);
    place(m_allReports, 1042, 7, 31, 102, 108);
    m_add = button(1044, tr(">>"), 121, 56, 50, 19);
    m_remove = button(1011, tr("<<"), 121, 80, 50, 19);
    auto* ok = button(1, tr("확인"), 121, 102, 50, 19);
    ok->setDefault(true);
    ok->hide();
    m_chosenReports = new QListWidget(this);
    place(m_chosenReports, 1043, 181, 31, 102, 108);
    m_chooseAll = button(1010, tr("모두 선택하기"), 7, 144, 102, 19);
    m_output = button(1009, tr("출력하기"), 181, 144, 102, 19);
    auto* cancel = button(2, tr("취소"), 7, 168, 277, 19);
    m_progress = new QLabel(this);
    m_progress->setAlignment(Qt::AlignCenter);
    m_progress->setFrameShape(QFrame::Box);
    place(m_progress, 1737, 7, 192, 277, 19);

    connect(m_add, &QPushButton::clicked, this, &COutputDlg::OnAddReport);
    connect(m_remove, &QPushButton::clicked, this, &COutputDlg::OnRemoveReport);
    connect(ok, &QPushButton::clicked, this, &COutputDlg::accept);
    connect(m_chooseAll, &QPushButton::clicked, this, &COutputDlg::OnChooseAllReports);
    connect(m_output, &QPushButton::clicked, this, &COutputDlg::OnOutputReports);
    connect(cancel, &QPushButton::clicked, this, &COutputDlg::OnCancelOutput);
}

COutputDlg::~COutputDlg()
{
    // The dialog does not end while the worker runs; this only joins a finished thread.
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
    if (theApp.OutputDlg == this)
        theApp.OutputDlg = nullptr;
}

void COutputDlg::showEvent(QShowEvent* event)
{
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void COutputDlg::OnInitDialog()
{
    for (int i = 0; i < ReportCount; ++i)
        ReportNames[size_t(i)] = ReportName(i);
    m_allReports->clear();
    for (const QString& name : ReportNames)
        m_allReports->addItem(name);
    RefreshChosenReports();
    theApp.OutputDlg = this;
    theApp.ReportStopFlag = 1;
}

void COutputDlg::RefreshChosenReports()
{
    m_chosenReports->clear();
    for (int i = 0; i < ReportCount; ++i)
        if (ReportChoices[size_t(i)] == 1)
            m_chosenReports->addItem(ReportNames[size_t(i)]);
}

void COutputDlg::OnAddReport()
{
    const QList<QListWidgetItem*> selected = m_allReports->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = m_allReports->row(selected.first());
    if (index < 0 || index >= ReportCount)
        return;
    ReportChoices[size_t(index)] = 1;
    RefreshChosenReports();
}

void COutputDlg::OnRemoveReport()
{
    const QList<QListWidgetItem*> selected = m_chosenReports->selectedItems();
    if (selected.isEmpty())
        return;
    const QString text = selected.first()->text();
    for (int i = 0; i < ReportCount; ++i) {
        if (ReportNames[size_t(i)] == text) {
            ReportChoices[size_t(i)] = 0;
            break;
        }
    }
    RefreshChosenReports();
}

void COutputDlg::OnChooseAllReports()
{
    ReportChoices.fill(1);
    RefreshChosenReports();
}

void COutputDlg::SetRunSettings(const ReportRunSettings& settings)
{
    m_settings = settings;
    m_hasSettings = true;
}

void COutputDlg::OnOutputReports()
{
    // One run, one worker.
    if (m_running)
        return;
    int chosen = 0;
    for (uint8_t c : ReportChoices)
        chosen += c == 1 ? 1 : 0;
    if (chosen < 1) {
        Prompt::Message(tr("선택된 출력이 없습니다."));
        accept();
        return;
    }

    const CSevrinApp::ProjectPathTableT& paths = theApp.ProjectPathTable;
    const QString reportPath = MakeReportOutputPath(paths.CurrentProjectPath, paths.RootPath,
                                                    paths.OutFolder, CSevrinApp::MakeDateTimeSuffix());
    if (!CopyReportTemplate(paths.FormXlsxPath, reportPath)) {
        Prompt::Message(tr("보고서 양식을 출력 폴더에 복사하지 못했습니다.\n%1\n%2")
                            .arg(paths.FormXlsxPath, reportPath));
        return;
    }
    OutputPath = reportPath;
    const ReportRunSettings settings = m_hasSettings ? m_settings : ReportRunSettings::FromApp();
    const ReportChoiceSet choices = ReportChoices;

    // Disabled here, before the worker exists, so no second run can slip in.
    m_running = true;
    for (QPushButton* b : {m_add, m_remove, m_chooseAll, m_output})
        b->setEnabled(false);
    // Cleared before the worker starts: a "취소" at once is not lost.
    theApp.ReportStopFlag = 0;
    m_worker = QThread::create([this, reportPath, choices, settings] {
        const ReportRunResult result = WriteReportWorkbook(reportPath, choices, *this, settings);
        QMetaObject::invokeMethod(this, [this, result] { m_lastResult = result; }, Qt::QueuedConnection);
    });
    connect(m_worker, &QThread::finished, this, &COutputDlg::OnWorkerFinished);
    m_worker->start();
}

void COutputDlg::OnWorkerFinished()
{
    // The dialog ends shortly after the worker, as the run's timer did.
    QTimer::singleShot(100, this, [this] {
        m_running = false;
        QDialog::done(QDialog::Accepted);
    });
}

void COutputDlg::OnCancelOutput()
{
    if (!m_running) {
        QDialog::done(QDialog::Rejected);
        return;
    }
    if (theApp.ReportStopFlag.load() == 0) {
        theApp.ReportStopFlag = 1;
        Prompt::Message(tr("자동 종료 됩니다."));
    }
    // A further "취소" of the same run: the stop is already asked for.
}

void COutputDlg::accept()
{
    if (!m_running)
        QDialog::accept();
}

void COutputDlg::reject()
{
    OnCancelOutput();
}

void COutputDlg::done(int result)
{
    if (!m_running)
        QDialog::done(result);
}

void COutputDlg::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void COutputDlg::SetOutputProgress(const QString& text, int number)
{
    CallOnGuiThread([&] { m_progress->setText(QStringLiteral("%1-%2").arg(text).arg(number)); });
}

void COutputDlg::ReportWarning(const QString& text)
{
    // Shown as it comes; the driver lists every warning again when the run ends.
    CallOnGuiThread([&] { m_progress->setText(text); });
}

bool COutputDlg::ReadProjectScreen(ProjectScreenTexts& out)
{
    return CallOnGuiThread([&] {
        CProjectScreen* view = TheScreen<CProjectScreen>();
        if (!view)
            return false;
        if (auto* name = view->findChild<QLineEdit*>(QStringLiteral("1027")))
            out.projectName = name->text();
        if (auto* date = view->findChild<QLineEdit*>(QStringLiteral("1043")))
            out.date = date->text();
        out.issueRows.clear();
        if (ReportListView* list = view->IssueList()) {
            const RowListModel* rows = list->rows();
            for (int r = 0; r < rows->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < 6; ++c)
                    cells << rows->text(r, c);
                out.issueRows.push_back(cells);
            }
        }
        return true;
    });
}
