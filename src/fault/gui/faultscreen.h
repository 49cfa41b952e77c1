#pragma once
// The fault-current screen (Screen::FaultCurrent): six pages in one frame (utility and lines,
// impedance conversion and transformers, motors, feeder cables, bus calculation, SLD report),
// stepped through with the page buttons and "다음"/"이전". "계산" runs the system fault-level
// calculation; "저장하기" keeps the screen's inputs in the project file.
#include "app/gui/formview.h"
#include "fault/core/buspages.h"
#include "report/core/faultreport.h"

class CUtilityPage;
class CFaultTransformerPage;
class CFaultMotorPage;
class CFaultCablePage;
class CBusPage;
class CSldReportPage;
class QStackedWidget;

class CFaultScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::FaultCurrent;

    explicit CFaultScreen(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // What its "저장하기" would write into the project file, for the unsaved-edits question.
    ProjectFileSections WouldWriteSections() override;
    QString UnsavedEditsName() const override;

    // Copies the utility and factor fields of the pages into FaultCurrentBlock.
    void StoreFaultCurrentInputs();
    // Copies the stored inputs, totals and results into the fields of the pages; computes
    // nothing and touches no list.
    void ShowFaultCurrentInputs();
    // The system fault-level calculation over the stored rows, then every bus. A workbook it
    // cannot read (nothing is computed then) or that does not take its results is named in
    // one message; the outcome says which.
    fault::FaultStoreOutcome CalcFaultCurrent();
    // After a project load: the results "계산" would show of the system, from the stored
    // inputs, storing nothing (none for a project never computed); then the fields.
    void ShowStoredResults();
    // What the report writer runs before it copies the shown texts: store, compute, show (as
    // "계산", without saving the project file), then the texts the report copies. Runs on the
    // screen's thread; the writer reaches it with one blocking call.
    FaultReportTexts RecalcForReport();

    // Shows page n (0..5); the caller has set the page index to n.
    void ShowFaultCurrentPage(int n);
    void EnableFaultCurrentPageButtons(int n);
    // Computes (as "계산" does) when the impedance-conversion page shows no δ20 yet.
    void CalcFaultCurrentIfMissing();

    void OnCalcFaultCurrent();
    // "계산": the utility impedances and the factors checked first (a message naming a field
    // that is no number of its sign), then OnCalcFaultCurrent.
    void OnCalcFaultCurrentButton();
    // "저장하기": the same check, then the inputs into the project file.
    void OnSaveFaultCurrent();
    void OnOutputFaultCurrentReport();
    void OnShowImpedanceSummary();

    int PageIndex() const { return m_pageIndex; }
    QWidget* CurrentPage() const { return m_currentPage; }
    QWidget* Page(int n) const;

    CUtilityPage* UtilityPage() const { return m_utilityPage; }
    CFaultTransformerPage* TransformerPage() const { return m_transformerPage; }
    CFaultMotorPage* MotorPage() const { return m_motorPage; }
    CFaultCablePage* CablePage() const { return m_cablePage; }
    CBusPage* BusPage() const { return m_busPage; }
    CSldReportPage* ReportPage() const { return m_reportPage; }

    // The bus pages the calculation writes into, loaded from the bus workbooks of the
    // current project before they are first used.
    fault::FaultBusPages& BusPages();
    // A project was loaded: the bus pages are read again when they are next used, with the
    // stored results of the incoming and secondary buses.
    void InvalidateBusPages() { m_busesProject.clear(); }

private:
    bool CheckFaultCurrentInputs() const;
    void OnNext();
    void OnPrevious();
    void GoToPage(int n);
    // The screen's section of the project file; a message when it cannot be written.
    bool SaveFaultCurrentSection();

    QStackedWidget* m_frame = nullptr;
    QWidget* m_currentPage = nullptr;
    CUtilityPage* m_utilityPage = nullptr;
    CFaultTransformerPage* m_transformerPage = nullptr;
    CFaultMotorPage* m_motorPage = nullptr;
    CFaultCablePage* m_cablePage = nullptr;
    CBusPage* m_busPage = nullptr;
    CSldReportPage* m_reportPage = nullptr;
    int m_pageIndex = 0;
    fault::FaultBusPages m_buses;
    QString m_busesProject;  // the project whose bus workbooks m_buses holds
    // Read while a fault workbook could not be read: nothing was created or padded, so the
    // next calculation reads the pages again.
    bool m_busesPartial = false;
};
