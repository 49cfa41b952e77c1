#pragma once
// The project screen (Screen::Project): the hub of an open project. It shows and edits the project
// header and the revision list ("ISSUE STATUS"), saves the whole project file, opens the
// report dialog with every report chosen, and leads to the calculation screens.
//
// Revision rows are changed in theApp.ProjectIntroduceBlock at once; header edits reach the
// block only on "저장하기". Nothing reaches the project file before "저장하기".
#include "app/gui/formview.h"

#include <QDate>

class QLineEdit;
class ReportListView;

class CProjectScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Project;

    explicit CProjectScreen(QWidget* parent = nullptr);
    ~CProjectScreen() override;

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;
    // Refills every control from the project block after a project load.
    void RefreshProjectScreen();

    // The revision date as the "일자" button writes it: "%04d.%02d.%02d".
    static QString FormatIssueDate(const QDate& date);
    // The number of revision rows the block may hold.
    static constexpr int kMaxIssueRows = 10;

    ReportListView* IssueList() const { return m_issueList; }

    // Button handlers (also reachable by clicking the controls).
    void OnSaveProject();
    void OnOutputAllReports();
    void OnAddIssueRow();
    void OnModifyIssueRow();
    void OnDeleteIssueRow();
    void OnInsertTodayDate();
    void OnBrowseClientLogo();
    void OnClickIssueList();
    // The project screen's own open, new and delete (their buttons are never shown).
    void OnOpenProject();
    void OnNewProject();
    void OnDeleteProject();

private:
    // The header edits into the project block, as "저장하기" takes them.
    void StoreHeaderEdits();
    QLineEdit* AddEdit(int id, int x, int y, int w, int h, bool readOnly = false);
    void AddLabel(const QString& text, int x, int y, int w, int h);
    // The block's revision count, kept within 0..10 (a hand-edited file may hold anything).
    static int IssueRowCount();
    static QStringList IssueRowCells(int row);
    // Five edits into element `row` of the revision arrays; false (with a message) when the
    // date is empty, since a dateless row ends the revision list when the file is read back.
    bool StoreIssueEdits(int row);
    // Load, title and refresh after the screen's own open or new.
    void LoadChosenProject(const QString& path);

    ReportListView* m_issueList = nullptr;
    QLineEdit* m_projectName = nullptr;
    QLineEdit* m_projectNumber = nullptr;
    QLineEdit* m_buyer = nullptr;
    QLineEdit* m_logo = nullptr;
    QLineEdit* m_purpose = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_designer = nullptr;
    QLineEdit* m_reviewer = nullptr;
    QLineEdit* m_approver = nullptr;
};
