#pragma once
// The start screen (Screen::Start): the first screen shown and the one the program returns to. It
// chooses the current project: open, new, copy and delete.
#include "app/gui/formview.h"

class CStartScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Start;

    explicit CStartScreen(QWidget* parent = nullptr);
    ~CStartScreen() override;

    // Configuration, single instance, update and notice queries, frame fit, reference
    // workbooks - in this order. The early exits end the program through the prompt seam.
    void OnInitialUpdate() override;
    // A second running copy shows "프로그램이 이미 실행 중입니다." and ends with code 1.
    void CheckSingleInstance();
    // Exit road of a normal end: "lastPro", then the workbook protection. Runs once.
    void OnDestroy();

    // Button handlers.
    void OnNewProject();
    void OnOpenProject();
    void OnDeleteProject();
    void OnCopyProject();
    void OnStart();
    void OnOpenLibrary();
    void OnShowHelp();
    void OnCheckUpdate();
    void OnOpenNotice();
    void OnOpenBoard();

private:
    // Asks the update server at `path`; a non-empty answer is shown in the HTML dialog.
    void QueryServer(const QString& path, const QString& mode, const QString& address);
    // The project-file picker of open and copy, starting in the project folder.
    QString PickProjectFile();
    // Asks for a new project number and its place; empty when cancelled or refused (the
    // refusal already told).
    QString AskNewProjectFile(QString& number);
    // Makes `projectFile` current and opens the project screen, which loads it.
    void MakeCurrent(const QString& projectFile);
    QString ProjectFolder() const;
    // The notice and board buttons without a configured server.
    void TellNoServer();

    bool m_destroyed = false;
};
