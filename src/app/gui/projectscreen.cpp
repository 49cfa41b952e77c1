#include "projectscreen.h"
#include "app/core/clientlogo.h"

#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "loads/core/designconditions.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/boardscreen.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// A project number becomes a file and folder name: refuse what no file system accepts.
bool IsUsableFileName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            return false;
    return true;
}

}  // namespace

CProjectScreen::CProjectScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    struct Nav
    {
        int id;
        const char* caption;
        int y;
        Screen screen;
    };
    // "&&" shows a single ampersand on a button.
    const Nav nav[] = {
        {1005, "초기화면", 7, Screen::Start},
        {1017, "동력", 71, Screen::Mcc},
        {1016, "부하", 91, Screen::PanelBoard},
        {1018, "케이블&&차단기", 111, Screen::Cable},
        {1021, "케이블 트레이", 131, Screen::Tray},
        {1019, "변압기용량", 151, Screen::Transformer},
        {1020, "발전기용량", 171, Screen::Generator},
        {1022, "고장전류", 191, Screen::FaultCurrent},
        {1024, "접지", 211, Screen::Grounding},
    };
    for (const Nav& n : nav) {
        QPushButton* b = AddButton(n.id, tr(n.caption), 12, n.y, 50, 14);
        const Screen screen = n.screen;
        connect(b, &QPushButton::clicked, this, [screen] { SwitchView(screen); });
    }
    connect(AddButton(1025, tr("저장하기"), 12, 452, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnSaveProject);
    connect(AddButton(1026, tr("출력하기"), 12, 472, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnOutputAllReports);

    // Buttons that exist with their handlers but are never shown.
    QPushButton* open = AddButton(1029, tr("프로젝트\n불러오기"), 12, 296, 50, 27);
    QPushButton* create = AddButton(1014, tr("프로젝트\n새로만들기"), 12, 329, 50, 27);
    QPushButton* remove = AddButton(1028, tr("프로젝트\n삭제하기"), 12, 363, 50, 27);
    QPushButton* conditions = AddButton(1015, tr("설계조건 설정"), 12, 231, 50, 14);
    QPushButton* switchgear = AddButton(1023, tr("수배전반"), 12, 249, 50, 14);
    for (QPushButton* b : {open, create, remove, conditions, switchgear})
        b->hide();
    connect(open, &QPushButton::clicked, this, &CProjectScreen::OnOpenProject);
    connect(create, &QPushButton::clicked, this, &CProjectScreen::OnNewProject);
    connect(remove, &QPushButton::clicked, this, &CProjectScreen::OnDeleteProject);
    connect(switchgear, &QPushButton::clicked, this, [] { SwitchView(Screen::Switchgear); });

    // Header fields.
    AddLabel(tr("프로젝트명"), 68, 7, 50, 14);
    m_projectName = AddEdit(1027, 121, 7, 156, 14);
    AddLabel(tr("프로젝트 넘버"), 287, 7, 50, 14);
    m_projectNumber = AddEdit(1034, 341, 7, 109, 14, true);
    AddLabel(tr("발주처"), 460, 7, 46, 14);
    m_buyer = AddEdit(1046, 510, 7, 109, 14);
    AddLabel(tr("발주처 CI"), 627, 7, 77, 14);
    connect(AddButton(1040, tr("찾아보기"), 709, 7, 70, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnBrowseClientLogo);
    m_logo = AddEdit(1045, 784, 7, 152, 14, true);

    AddLabel(tr("용도"), 68, 25, 50, 14);
    m_purpose = AddEdit(1033, 121, 25, 156, 14);
    connect(AddButton(1030, tr("일자"), 287, 25, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnInsertTodayDate);
    m_date = AddEdit(1043, 341, 25, 109, 14);
    AddLabel(tr("설계자"), 460, 25, 46, 14);
    m_designer = AddEdit(1037, 510, 25, 109, 14);
    AddLabel(tr("검토자"), 627, 25, 46, 14);
    m_reviewer = AddEdit(1035, 678, 25, 101, 14);
    AddLabel(tr("승인"), 784, 25, 46, 14);
    m_approver = AddEdit(1044, 835, 25, 101, 14);

    // Revision list.
    AddLabel(QStringLiteral("ISSUE STATUS"), 68, 46, 868, 20);
    m_issueList = new ReportListView(this, 20);
    Place(m_issueList, 1013, 68, 71, 816, 213);
    connect(AddButton(1087, tr("추가"), 886, 71, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnAddIssueRow);
    connect(AddButton(1088, tr("수정"), 886, 87, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnModifyIssueRow);
    connect(AddButton(1010, tr("삭제"), 886, 103, 50, 14), &QPushButton::clicked, this,
            &CProjectScreen::OnDeleteIssueRow);
    connect(m_issueList, &QAbstractItemView::clicked, this, &CProjectScreen::OnClickIssueList);

    auto* picture = new QFrame(this);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setFrameShadow(QFrame::Sunken);
    Place(picture, 1263, 68, 295, 868, 201);
}

CProjectScreen::~CProjectScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

QLineEdit* CProjectScreen::AddEdit(int id, int x, int y, int w, int h, bool readOnly)
{
    auto* edit = new QLineEdit(this);
    Place(edit, id, x, y, w, h);
    // Number and logo name are set by other means only.
    edit->setEnabled(!readOnly);
    return edit;
}

void CProjectScreen::AddLabel(const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    Place(label, 0, x, y, w, h);
}

void CProjectScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    // Widths in pixels; empty group captions give the header one caption row.
    m_issueList->setReportColumns({
        {QStringLiteral("REV.NO"), QString(), 100},
        {tr("일자"), QString(), 160},
        {tr("용도"), QString(), 500},
        {tr("설계자"), QString(), 160},
        {tr("검토자"), QString(), 160},
        {tr("승인자"), QString(), 160},
    });
    SetFilterEnterEscape(true);
    theApp.SetScreen(kScreen, this);
}

QString CProjectScreen::FormatIssueDate(const QDate& date)
{
    return QStringLiteral("%1.%2.%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

int CProjectScreen::IssueRowCount()
{
    return std::clamp(theApp.ProjectIntroduceBlock.RR, 0, kMaxIssueRows);
}

QStringList CProjectScreen::IssueRowCells(int row)
{
    const CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    return {QString::number(row), b.RevDate[row], b.RevPurpose[row], b.RevDesigner[row],
            b.RevReviewer[row], b.RevApprover[row]};
}

void CProjectScreen::RefreshProjectScreen()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    // A stored count outside 0..10 would index past the arrays.
    b.RR = IssueRowCount();

    m_projectName->setText(b.ProjectName);
    m_projectNumber->setText(b.ProjectNumber);
    m_buyer->setText(b.Buyer);
    // The edits offer the last revision again, with today's date for a new one; a project
    // without revisions leaves them empty.
    const int last = b.RR - 1;
    m_purpose->setText(last >= 0 ? b.RevPurpose[last] : QString());
    m_date->setText(FormatIssueDate(QDate::currentDate()));
    m_designer->setText(last >= 0 ? b.RevDesigner[last] : QString());
    m_reviewer->setText(last >= 0 ? b.RevReviewer[last] : QString());
    m_approver->setText(last >= 0 ? b.RevApprover[last] : QString());
    m_logo->setText(b.CI);

    std::vector<QStringList> rows;
    rows.reserve(b.RR);
    for (int r = 0; r < b.RR; ++r)
        rows.push_back(IssueRowCells(r));
    QSignalBlocker blocker(m_issueList);
    m_issueList->rows()->setRows(std::move(rows));
}

void CProjectScreen::StoreHeaderEdits()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.ProjectName = m_projectName->text();
    b.Buyer = m_buyer->text();
    b.CI = m_logo->text();
}

ProjectFileSections CProjectScreen::WouldWriteSections()
{
    // The revision rows are in the block already; the header edits reach it on saving.
    const KeepBlock keep(theApp.ProjectIntroduceBlock);
    StoreHeaderEdits();
    return {ProjectIntroduceSectionOf(theApp)};
}

QString CProjectScreen::UnsavedEditsName() const
{
    return tr("프로젝트");
}

void CProjectScreen::OnSaveProject()
{
    StoreHeaderEdits();
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    const bool ok = SaveEveryProjectSection(path);
    if (ok)
        Prompt::Message(tr("프로젝트 내용을 저장 하였습니다."), Prompt::Buttons::Ok,
                        Prompt::Icon::Information);
    else
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
}

void CProjectScreen::OnOutputAllReports()
{
    COutputDlg dlg(nullptr);
    dlg.ReportChoices.fill(1);
    dlg.exec();
}

bool CProjectScreen::StoreIssueEdits(int row)
{
    if (m_date->text().trimmed().isEmpty()) {
        Prompt::Message(tr("일자가 비어 있습니다.\n일자를 입력하거나 \"일자\" 버튼을 누른 뒤 다시 하십시오."));
        return false;
    }
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b.RevPurpose[row] = m_purpose->text();
    b.RevDate[row] = m_date->text();
    b.RevDesigner[row] = m_designer->text();
    b.RevReviewer[row] = m_reviewer->text();
    b.RevApprover[row] = m_approver->text();
    return true;
}

void CProjectScreen::OnAddIssueRow()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    const int count = IssueRowCount();
    if (count >= kMaxIssueRows)
        return;
    if (!StoreIssueEdits(count))
        return;
    b.RR = count + 1;
    m_issueList->rows()->appendRow(IssueRowCells(count));
}

void CProjectScreen::OnModifyIssueRow()
{
    const int row = m_issueList->selectionMark();
    if (row < 0 || row >= IssueRowCount() || row >= m_issueList->rows()->rowCount())
        return;
    if (!StoreIssueEdits(row))
        return;
    m_issueList->rows()->setRow(row, IssueRowCells(row));
    // A second "수정" needs a row clicked again.
    m_issueList->setSelectionMark(-1);
}

void CProjectScreen::OnDeleteIssueRow()
{
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    const int count = IssueRowCount();
    const int d = m_issueList->selectionMark();
    if (d < 0 || d >= count || d >= m_issueList->rows()->rowCount())
        return;
    m_issueList->rows()->removeRow(d);
    for (int r = d; r + 1 < count; ++r) {
        b.RevPurpose[r] = b.RevPurpose[r + 1];
        b.RevDate[r] = b.RevDate[r + 1];
        b.RevDesigner[r] = b.RevDesigner[r + 1];
        b.RevReviewer[r] = b.RevReviewer[r + 1];
        b.RevApprover[r] = b.RevApprover[r + 1];
    }
    b.RR = count - 1;
    for (int r = 0; r < m_issueList->rows()->rowCount(); ++r)
        m_issueList->rows()->setCell(r, 0, QString::number(r));
    // The mark stays at the same place: the row that followed, or the new last row.
    m_issueList->setSelectionMark(b.RR == 0 ? -1 : std::min(d, b.RR - 1));
}

void CProjectScreen::OnInsertTodayDate()
{
    m_date->setText(FormatIssueDate(QDate::currentDate()));
}

void CProjectScreen::OnBrowseClientLogo()
{
    const CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    const QString folder = JoinPath(p.RootPath, p.CiFolder);
    const QString chosen =
        Prompt::OpenFile(tr("발주처 CI"), folder, QStringLiteral("CI image files (*.jpg)"));
    if (chosen.isEmpty())
        return;
    // Only the name is kept and the report looks for it in the logo folder: a picture picked
    // elsewhere is copied there first. A refused pick keeps the logo there was.
    const ClientLogoPick pick = TakeClientLogo(chosen, folder);
    if (!pick.ok) {
        Prompt::Message(pick.message);
        return;
    }
    theApp.ProjectIntroduceBlock.CI = pick.name;
    m_logo->setText(theApp.ProjectIntroduceBlock.CI);
}

void CProjectScreen::OnClickIssueList()
{
    const int row = m_issueList->selectionMark();
    if (row < 0)
        return;
    const RowListModel* rows = m_issueList->rows();
    m_date->setText(rows->text(row, 1));
    m_purpose->setText(rows->text(row, 2));
    m_designer->setText(rows->text(row, 3));
    m_reviewer->setText(rows->text(row, 4));
    m_approver->setText(rows->text(row, 5));
}

void CProjectScreen::LoadChosenProject(const QString& path)
{
    // The load's protection step works on the current project's workbooks: the path is
    // current while it runs, and only stays so when the file was taken.
    QString& current = theApp.ProjectPathTable.CurrentProjectPath;
    const QString previous = current;
    current = path;
    ProjectFileStatus refusal{};
    if (!theApp.LoadProjectFile(path, true, &refusal)) {
        current = previous;
        Prompt::Message(ProjectFileRefusal(path, refusal));
        return;
    }
    theApp.ProjectLoaded = 1;
    // The motor and ampacity tables must follow the new project before anything calculates,
    // and every screen must show this project: a save would otherwise write the previous
    // project's figures into this file.
    ApplyProjectDesignConditions(theApp);
    RefillScreensAfterProjectLoad();
    theApp.SetMainTitle(tr("프로젝트 명:") + theApp.ProjectName(), QString());
}

void CProjectScreen::OnOpenProject()
{
    const CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    const QString chosen = Prompt::OpenFile(QString(), JoinPath(p.RootPath, p.ProFolder),
                                            QStringLiteral("Project files (*.pro)"));
    if (chosen.isEmpty() || !ConfirmUnsavedEdits())
        return;
    LoadChosenProject(chosen);
}

void CProjectScreen::OnNewProject()
{
    QString number;
    if (!Prompt::InputText(QString(), tr("프로젝트 넘버"), number))
        return;
    if (!IsUsableFileName(number)) {
        Prompt::Message(tr("프로젝트 넘버로 파일 이름을 만들 수 없습니다.\n%1").arg(number));
        return;
    }
    const CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    // A broken template would give a "project" of foreign text with one key in it.
    const ProjectFileStatus form = CheckProjectFile(p.FormProPath);
    if (form != ProjectFileStatus::Ok) {
        Prompt::Message(ProjectFileRefusal(p.FormProPath, form));
        return;
    }
    const QString target =
        JoinPath(JoinPath(p.RootPath, p.ProFolder), number + QStringLiteral(".pro"));
    // An existing project is never replaced by an empty one.
    if (FileExists(target)) {
        Prompt::Message(tr("같은 이름의 프로젝트 파일이 이미 있습니다.\n%1").arg(target));
        return;
    }
    if (!ConfirmUnsavedEdits())
        return;
    if (!QFile::copy(p.FormProPath, target)) {
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(target));
        return;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    // A copy that does not take its number is no project of that number: it goes again.
    if (!WriteProfileString(target, QStringLiteral("Project_Introduce"),
                            QStringLiteral("ProjectNumber"), number)) {
        QFile::remove(target);
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(target));
        return;
    }
    LoadChosenProject(target);
}

void CProjectScreen::OnDeleteProject()
{
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    if (path.isEmpty())
        return;
    if (!Prompt::ConfirmRun(tr("현재 프로젝트을 삭제합니다.")))
        return;
    // Files that are missing or locked are passed over.
    QFile::remove(path);
    for (const QString& workbook : ProjectWorkbookPaths(path))
        QFile::remove(workbook);
    Prompt::Message(tr("프로젝트 파일을 모두 삭제 하였습니다.\n새로 만들거나 기존 프로젝트를 불러 오셔야 합니다."),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
    theApp.ProjectPathTable.CurrentProjectPath.clear();
    SwitchView(Screen::Start);
}
