#pragma once
// The grounding screen (Screen::Grounding): the design-inputs page, five result pages and the
// summary table, stepped through with the page buttons and "다음"/"이전". Every entry to the screen
// stores the inputs, recomputes and redisplays; a page change stores and redisplays only.
#include "app/gui/formview.h"
#include "grounding/core/groundingdesign.h"

#include <QHash>
#include <array>

class QFrame;
class QPushButton;
class CGroundingPage;
class CGroundConductorPage;
class CGridResistancePage;
class CSafetyConditionsPage;
class CStepTouchPage;
class CLayeredSoilPage;
class CSoilResistivityPage;
class CGroundingSummaryPage;
class CGroundingInputPage;

// What the grounding report copies: the texts of the result pages' boxes, keyed by the page's
// class number (91, 92, 93, 95, 97) and the box identifier, and the summary's value column.
struct GroundingReportTexts
{
    bool available = false;  // false when there is no grounding screen
    QHash<int, QHash<int, QString>> pages;
    QStringList summary;

    QString Text(int page, int id) const { return pages.value(page).value(id); }
};

class CGroundingScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Grounding;

    explicit CGroundingScreen(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;

    // Reads the grounding inputs of the pages into the grounding block.
    void StoreGroundingInputs();
    // Computes the grounding design from the grounding block and fills the summary lists.
    void CalcGroundingDesign();
    // Puts the stored grounding inputs and results into the controls of every page.
    void ShowGroundingFields();

    // Shows page `index` (0..6) after storing and redisplaying, without recomputing.
    void ShowGroundingPage(int index);
    void EnableGroundingPageButtons(int index);

    int PageIndex() const { return m_pageIndex; }
    QWidget* PageShown() const { return m_pageShown; }
    // The page of a page index (0..6), null outside.
    QWidget* Page(int index) const;

    CGroundingInputPage* DesignPage() const { return m_designPage; }
    CGroundConductorPage* ConductorPage() const { return m_conductorPage; }
    CGridResistancePage* ResistancePage() const { return m_resistancePage; }
    CSafetyConditionsPage* SafetyPage() const { return m_safetyPage; }
    CStepTouchPage* VoltagePage() const { return m_voltagePage; }
    CLayeredSoilPage* LayerPage() const { return m_layerPage; }
    CSoilResistivityPage* ResistivityPage() const { return m_resistivityPage; }
    CGroundingSummaryPage* SummaryPage() const { return m_summaryPage; }

    // Stores, recomputes and redisplays as "계산" does, then collects what the report copies.
    // Runs on the thread of the screen; see RecalcGroundingForReport for other threads.
    GroundingReportTexts RecalcForReport();

private:
    bool CheckGroundingInputs() const;
    void OnNext();
    void OnPrevious();
    void OnCalculate();
    // "계산": the design inputs checked first (a message naming a field that is no number of
    // its sign), then OnCalculate.
    void OnCalculateButton();
    // "저장하기": the same check, then the inputs into the project file.
    void OnSave();
    void OnOutput();

    QFrame* m_frame = nullptr;
    CGroundConductorPage* m_conductorPage = nullptr;
    CGridResistancePage* m_resistancePage = nullptr;
    CSafetyConditionsPage* m_safetyPage = nullptr;
    CStepTouchPage* m_voltagePage = nullptr;
    CLayeredSoilPage* m_layerPage = nullptr;
    CSoilResistivityPage* m_resistivityPage = nullptr;
    CGroundingSummaryPage* m_summaryPage = nullptr;
    CGroundingInputPage* m_designPage = nullptr;
    int m_pageIndex = 0;
    QWidget* m_pageShown = nullptr;
};

// For the report writer on its worker thread: makes the grounding screen store, recompute and
// redisplay on the GUI thread (a blocking queued call; direct when already on it) and returns
// the texts it then shows. `available` is false when the screen does not exist.
GroundingReportTexts RecalcGroundingForReport();
