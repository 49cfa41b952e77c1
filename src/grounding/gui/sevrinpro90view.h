#pragma once
// The grounding screen (screen 12): the design-inputs page, five result pages and the summary
// table, stepped through with the page buttons and "다음"/"이전". Every entry to the screen
// stores the inputs, recomputes and redisplays; a page change stores and redisplays only.
#include "app/gui/formview.h"
#include "grounding/core/groundingdesign.h"

#include <QHash>
#include <array>

class QFrame;
class QPushButton;
class CGroundingPage;
class CSevrinPro91View;
class CSevrinPro92View;
class CSevrinPro93View;
class CSevrinPro95View;
class CSevrinPro96View;
class CSevrinPro97View;
class CSevrinPro98View;
class CSevrinPro99View;

// What the grounding report copies: the texts of the result pages' boxes, keyed by the page's
// class number (91, 92, 93, 95, 97) and the box identifier, and the summary's value column.
struct GroundingReportTexts
{
    bool available = false;  // false when there is no grounding screen
    QHash<int, QHash<int, QString>> pages;
    QStringList summary;

    QString Text(int page, int id) const { return pages.value(page).value(id); }
};

class CSevrinPro90View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro90View(QWidget* parent = nullptr);

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

    CSevrinPro99View* DesignPage() const { return m_p99; }
    CSevrinPro91View* ConductorPage() const { return m_p91; }
    CSevrinPro92View* ResistancePage() const { return m_p92; }
    CSevrinPro93View* SafetyPage() const { return m_p93; }
    CSevrinPro95View* VoltagePage() const { return m_p95; }
    CSevrinPro96View* LayerPage() const { return m_p96; }
    CSevrinPro97View* ResistivityPage() const { return m_p97; }
    CSevrinPro98View* SummaryPage() const { return m_p98; }

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
    CSevrinPro91View* m_p91 = nullptr;
    CSevrinPro92View* m_p92 = nullptr;
    CSevrinPro93View* m_p93 = nullptr;
    CSevrinPro95View* m_p95 = nullptr;
    CSevrinPro96View* m_p96 = nullptr;
    CSevrinPro97View* m_p97 = nullptr;
    CSevrinPro98View* m_p98 = nullptr;
    CSevrinPro99View* m_p99 = nullptr;
    int m_pageIndex = 0;
    QWidget* m_pageShown = nullptr;
};

// For the report writer on its worker thread: makes the grounding screen store, recompute and
// redisplay on the GUI thread (a blocking queued call; direct when already on it) and returns
// the texts it then shows. `available` is false when the screen does not exist.
GroundingReportTexts RecalcGroundingForReport();
