#pragma once
// Page 4 of the fault-current screen, the bus page: the incoming 22.9 kV bus at the top and,
// below it, the column of one transformer chosen with "TR-1" to "TR-5" (its secondary bus and
// its downstream buses), scrolled cell by cell with "■", " ▲" and "▼". The views show the bus
// pages the screen keeps (fault::FaultBusPages); a transformer's column is built the first
// time it is shown.
#include "fault/gui/faultpage.h"
#include "report/core/busfaultreport.h"

#include <array>

class CFaultScreen;
class CBusColumn;
class CBusCell;
namespace fault {
class FaultBusPages;
}

class CBusPage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CBusPage(QWidget* parent = nullptr);

    void SetScreen(CFaultScreen* screen) { m_screen = screen; }

    // Creates the incoming bus view and shows the TR-1 column (done on the first show).
    void CreateFaultBusViews();
    bool ViewsCreated() const { return m_incoming != nullptr; }

    // After a project load: the five columns from the project's bus workbooks, each showing
    // its page 1 (read when the page or the calculation next needs them).
    void LoadFaultBusData();
    // Puts what the bus pages now hold into the incoming view and the column shown.
    void ShowBuses();
    // Recomputes the incoming bus and every transformer's buses.
    void RecalcAllBuses();

    // Checks radio button n (0..4) without changing the column shown.
    void SelectFaultTransformer(int n);
    // "TR-1".."TR-4" checked give 0..3; otherwise 4.
    int GetSelectedFaultTransformer() const;
    // Shows column n (building it when it has not been shown yet) and hides the others.
    void ShowBusColumn(int n);
    int ShownColumn() const { return m_shown; }

    // What the bus report copies for transformer t: the incoming bus, the transformer's
    // secondary bus and its named buses in cell order, read page by page. The column shows
    // the page it showed before afterwards.
    BusFaultReportTexts ReadBusFaultReport(int t);

    int GetBusColumnScrollPos(int n);
    void ScrollBusColumn(int n, int pos);

    CBusCell* IncomingView() const { return m_incoming; }
    // Column n, built when it does not exist yet.
    CBusColumn* Column(int n);
    // Column n when it has been built, otherwise nullptr.
    CBusColumn* BuiltColumn(int n) const;

    void OnAlignBusColumn();
    void OnScrollBusColumnUp();
    void OnScrollBusColumnDown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    fault::FaultBusPages& Buses();
    CBusColumn* CheckedColumn();

    CFaultScreen* m_screen = nullptr;
    CBusCell* m_incoming = nullptr;
    std::array<CBusColumn*, 5> m_columns{};
    int m_shown = -1;
};
