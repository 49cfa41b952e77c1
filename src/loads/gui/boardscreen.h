#pragma once
// The panel-board screen (Screen::PanelBoard): four design-condition pages and the calculation
// sheet in one frame, switched by the screen's own buttons.
#include "app/gui/formview.h"

#include <array>

class CBoardSheetPage;
class CBoardInstallationPage;
class CBoardConductorPage;
class CBoardMotorStartPage;
class CBoardBreakerPage;
class QFrame;
class QPushButton;

class CBoardScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::PanelBoard;

    explicit CBoardScreen(QWidget* parent = nullptr);
    ~CBoardScreen() override;

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;

    // 0..3 the design pages (installation, conductor size, motor starting, breaker rating),
    // 4 the calculation sheet.
    int PanelBoardPageIndex() const { return m_pageIndex; }
    void SetPanelBoardPageIndex(int index) { m_pageIndex = index; }

    // The operations below may be called from the report worker: they run on the GUI thread
    // and return when done.

    // Shows the page PanelBoardPageIndex names (none outside 0..4) and sets the page buttons
    // for `page`.
    void ShowPanelBoardPage(int page);
    void EnablePanelBoardPageButtons(int page);
    // Design-page controls (and the sheet's demand factor) into CabinetSizingBlock.
    void StorePanelBoardDesignConditions();
    // Correction factors and voltage-drop totals, then the derived reference tables.
    void ApplyPanelBoardDesignConditions();
    // Stored conditions into the pages, breaker makers listed again, board list and the
    // circuits of `boardIndex` reloaded.
    void RefreshPanelBoardPages(int boardIndex);
    // The text a design control of page `page` (0..3) shows, by identifier, for reports.
    QString DesignControlText(int page, int id);

    CBoardInstallationPage* InstallationPage() const { return m_installPage; }
    CBoardConductorPage* ConductorPage() const { return m_conductorPage; }
    CBoardMotorStartPage* MotorStartPage() const { return m_motorPage; }
    CBoardBreakerPage* BreakerPage() const { return m_breakerPage; }
    CBoardSheetPage* BoardPage() const { return m_boardPage; }

    // Button handlers.
    void OnPanelBoardSelectScreen();
    void OnPanelBoardStartScreen();
    void OnSavePanelBoards();
    void OnOutputPanelBoards();
    void OnShowPanelBoardDesignPage();
    void OnShowPanelBoardSheetPage();
    void OnNextPanelBoardPage();
    void OnPrevPanelBoardPage();
    void OnCalcPanelBoard();

private:
    QWidget* Page(int index) const;

    QFrame* m_frame = nullptr;
    CBoardInstallationPage* m_installPage = nullptr;
    CBoardConductorPage* m_conductorPage = nullptr;
    CBoardMotorStartPage* m_motorPage = nullptr;
    CBoardBreakerPage* m_breakerPage = nullptr;
    CBoardSheetPage* m_boardPage = nullptr;
    QWidget* m_currentPage = nullptr;
    int m_pageIndex = 0;
    QPushButton* m_designButton = nullptr;
    QPushButton* m_sheetButton = nullptr;
    QPushButton* m_prevButton = nullptr;
    QPushButton* m_nextButton = nullptr;
};
