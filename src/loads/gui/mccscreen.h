#pragma once
// The motor-control-centre screen (Screen::Mcc): the design-conditions page and the calculation
// sheet in one frame, switched by the screen's own buttons.
#include "app/gui/formview.h"

class CMccConditionsPage;
class CMccSheetPage;
class QFrame;
class QPushButton;

class CMccScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Mcc;

    explicit CMccScreen(QWidget* parent = nullptr);
    ~CMccScreen() override;

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;

    // 0 the design-conditions page, 1 the calculation sheet.
    int MccPageIndex() const { return m_pageIndex; }
    void SetMccPageIndex(int index) { m_pageIndex = index; }

    // The operations below may be called from the report worker: they run on the GUI thread
    // and return when done.

    // Shows the page the page index names (none for another index) and sets the page buttons
    // for `page`.
    void ShowMccPage(int page);
    void EnableMccPageButtons(int page);
    // Design-condition controls into MotorControlCenterBlock (no selection stores -1).
    void StoreMccDesignConditions();
    // The reactor starting coefficient takes the tap.
    void SetReactorCoefficient();
    // With `refresh`, first puts the stored conditions into the controls and refills the user
    // motors, the panel list and the load rows of the panel at `panelPosition`; then
    // recomputes the library's motor tables with the stored conditions.
    void ApplyMccDesignConditions(int panelPosition, bool refresh);
    // The text a design-condition control shows (combo or edit, by identifier), for reports.
    QString DesignControlText(int id);

    CMccConditionsPage* DesignPage() const { return m_designPage; }
    CMccSheetPage* LoadPage() const { return m_loadPage; }

    // Button handlers.
    void OnMccSelectScreen();
    void OnMccStartScreen();
    void OnSaveMcc();
    void OnOutputMcc();
    void OnShowMccDesignPage();
    void OnShowMccSheetPage();
    void OnNextMccPage();
    void OnPrevMccPage();
    void OnCalcMcc();

private:
    void PutDesignConditions();

    QFrame* m_frame = nullptr;
    CMccConditionsPage* m_designPage = nullptr;
    CMccSheetPage* m_loadPage = nullptr;
    QWidget* m_currentPage = nullptr;
    int m_pageIndex = 0;
    QPushButton* m_designButton = nullptr;
    QPushButton* m_sheetButton = nullptr;
    QPushButton* m_prevButton = nullptr;
    QPushButton* m_nextButton = nullptr;
};
