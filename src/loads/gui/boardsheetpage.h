#pragma once
// The panel-board screen's calculation sheet: the panel boards with the inputs of one board,
// the branch circuits of the selected board, and the board's totals. The calculations are the
// plain functions of loads/core/boardschedule.h and branchcircuit.h; this page gathers inputs,
// stores every change at once in the panel-board workbook and shows the results.
#include "app/gui/formview.h"
#include "loads/core/branchcircuit.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class ReportListView;

class CBoardSheetPage : public CFormView
{
    Q_OBJECT

public:
    enum ControlId {
        // Board inputs and buttons.
        IdBoardName = 1298,
        IdLocation = 1299,
        IdFromBoard = 1300,
        IdGenerator = 1304,
        IdFromTransformer = 1305,
        IdVoltage = 1306,
        IdSupplyType = 1307,
        IdMounting = 1308,
        IdFromRoom = 1309,       // radio "전기실"
        IdFromBoardRadio = 1310, // radio "분전반"
        IdBoardList = 1115,
        IdCircuitList = 1116,
        IdAddBoard = 1439,
        IdModifyBoard = 1440,
        IdDeleteBoard = 1441,
        IdInsertBoard = 1456,
        IdCopyBoard = 1600,
        DemandFactorEditId = 1455,
        // Circuit inputs and buttons.
        IdCircuitBoardName = 1501,
        IdNo = 1502,
        IdLoadName = 1503,
        IdUnitLoad = 1504,
        IdQuantity = 1505,
        IdPhase = 1506,
        IdLength = 1507,
        IdBreakerType = 1508,
        IdCurve = 1509,
        IdPoles = 1510,
        IdConductor = 1511,
        IdMethod = 1512,
        IdIsMin = 1513,
        IdManualSize = 1514,
        IdHiddenSupplyType = 1515,
        IdHiddenBoardIndex = 1516,
        IdAddCircuit = 1520,
        IdModifyCircuit = 1521,
        IdDeleteCircuit = 1522,
        IdInsertCircuit = 1599,
        IdAddSubtotalLine = 1523,
        IdCloseSubtotalGroup = 1524,
        IdApplyManualSize = 1525,
        IdImportLinkedLoads = 1526,
        IdSearchMinFault = 1527,
        IdShowAllColumns = 1528,
        IdShowInputColumns = 1529,
        IdShowBasicColumns = 1530,
        // Totals: PanelBoardTotals item i in field IdFirstTotal + i (items 10 and 13 have none).
        IdFirstTotal = 1701,
        IdBreakerKind = 1719,
        IdMaxFault = 1720,
        IdMinFault = 1721,
    };

    explicit CBoardSheetPage(QWidget* parent = nullptr);

    // Page set-up: list columns and the default inputs.
    void OnInitDialog();

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    QLineEdit* DemandFactorEdit() const { return m_demandFactor; }
    // The board the sheet shows (its hidden board-index field, read as a signed integer).
    int BoardIndex() const;
    ReportListView* BoardList() const { return m_boardList; }
    ReportListView* CircuitList() const { return m_circuitList; }

    // ---- boards ----
    // Board list and PanelBoardCount from the panel-board workbook.
    void LoadPanelBoards();
    // Board `board` of the list into the inputs, its circuits loaded, the totals emptied.
    void SelectPanelBoard(int board);
    // Computes board `board` (named by the circuit area's board-name field) from its stored
    // circuits and the demand factor shown; stores the results and shows the totals. Nothing
    // happens without a selected board.
    void CalcPanelBoard(int board);
    QString GetGeneratorLinkMark() const;
    // The texts of the totals area, fault currents included (for reports): item i of
    // PanelBoardTotals as shown, then the maximum and minimum fault currents.
    QString TotalText(int item) const;
    QString MaxFaultText() const;
    QString MinFaultText() const;
    QString BreakerKindText() const;

    // ---- circuits ----
    void SetupCircuitColumns(int widthSet);
    // Fills the hidden fields and the circuit list from the board's sheet.
    void LoadCircuits(int board, const QString& boardName, const QString& supplyType,
                      const QString& demandFactor);
    // The same with the name, supply type and demand factor of the board's list row.
    void LoadCircuits(int board);
    // CircuitRow from the inputs and computed; `name` set gives a placeholder of that name.
    void ReadCircuitInputs(int mode, const QString& name);
    void BuildSubtotalRow(int mode, bool calculate, int rowCount);
    void ReadSubtotalLineInputs(int row);
    bool ValidateCircuitInput();
    // The demand factor of the totals area, checked before "계산"; a refusal is shown.
    bool RefuseDemandFactor();

    // Handlers.
    void OnAddPanelBoard();
    void OnModifyPanelBoard();
    void OnDeletePanelBoard();
    void OnInsertPanelBoard();
    void OnCopyPanelBoard();
    void OnClickPanelBoardList();
    void OnAddCircuit();
    void OnModifyCircuit();
    void OnDeleteCircuit();
    void OnInsertCircuit();
    void OnAddSubtotalLine();
    void OnCloseSubtotalGroup();
    void OnApplyManualConductorSize();
    void OnClickCircuitList();
    void OnShowAllCircuitColumns();
    void OnShowInputCircuitColumns();
    void OnShowBasicCircuitColumns();
    void OnImportCircuitLinkedLoads();
    void OnSearchCircuitMinFaultCurrents();

private:
    // The board inputs into PanelBoardRecord, the demand factor shown as element 8.
    void ReadBoardInputs(const QString& name);
    // Element 8 of PanelBoardRecord stored as sheet `board`'s demand factor (when there is one).
    bool StoreBoardDemandFactor(int board);
    QStringList BoardRowTexts(int number) const;
    std::vector<QString> BoardNames() const;
    // The name (CheckBoardName) and then the voltage of the board inputs; a refusal is shown.
    bool RefuseBoardName(const QString& name, int except);
    bool RefuseBoardVoltage();
    void ShowStoreFailure();
    void ReloadAfterFailure();
    // The circuit inputs every circuit action needs: a load name, and 용량, 수량, 거리 and
    // ISMIN that are numbers in their ranges (CheckCircuitQuantities); a refusal is shown.
    bool HasLoadName();
    bool AppendCircuit();
    QStringList CircuitTexts() const;
    std::vector<QStringList> CircuitRows() const;
    void ClearTotals();
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    void SelectComboItem(int id, const QString& text);

    ReportListView* m_boardList = nullptr;
    ReportListView* m_circuitList = nullptr;
    QLineEdit* m_demandFactor = nullptr;
    QLineEdit* m_boardIndex = nullptr;
    QLineEdit* m_supplyType = nullptr;
    QRadioButton* m_fromRoom = nullptr;
    QRadioButton* m_fromBoard = nullptr;
    QCheckBox* m_generator = nullptr;
};
