#pragma once
// The cable & breaker screen (Screen::Cable): the cable schedule list over the "_40" workbook, the
// form that sizes one feeder through the cable engine, the load import from the MCC and
// panel-board workbooks and the fault-current search over the bus workbooks.
#include "app/gui/formview.h"
#include "cable/core/cablerow.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class ReportListView;

class CCableScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Cable;

    // Control identifiers (object names).
    enum ControlId {
        IdFrom = 1301,
        IdTo = 1302,
        IdLoadType = 1303,
        IdStartMethod = 1304,
        IdKw = 1305,
        IdKva = 1306,
        IdPhases = 1307,
        IdWires = 1308,
        IdVoltage = 1309,
        IdDemandFactor = 1310,
        IdLength = 1311,
        IdMethod = 1312,
        IdParallel = 1313,
        IdMaker = 1314,
        IdIsMin = 1315,
        IdIsMax = 1316,
        IdCableType = 1317,
        IdMccPanel = 1318,
        IdMaxExcludedKva = 1319,
        IdMaxMotorKva = 1320,
        IdMaxMotorTime = 1321,
        IdMaxMotorMethod = 1322,
        IdManualSb = 1323,  // .. 1328: SB, SCB, SVD%, SSC, SMSVD%, SMSTh
        IdManualAf = 1329,
        IdManualAt = 1330,
        IdSupplyType = 1331,  // hidden, read by nobody
        IdStartMethodLabel = 1332,
        IdList = 1340,
        IdAdd = 1350,
        IdModify = 1351,
        IdDelete = 1352,
        IdDeleteAll = 1353,
        IdApplyManual = 1354,
        IdSearch = 1355,
        IdImport = 1356,
        IdSave = 1357,
        IdOutput = 1358,
        IdSelectTop = 1359,
        IdSelectBottom = 1360,
        IdHome = 1361,
        IdInsert = 1363,
        IdShowAllColumns = 1364,
        IdShowInputColumns = 1365,
        IdShowBasicColumns = 1366,
    };

    explicit CCableScreen(QWidget* parent = nullptr);
    ~CCableScreen() override;

    void OnInitialUpdate() override;

    // Refills the breaker-maker combo from the breaker maker list (when its size changed).
    void FillBreakerMakerCombo();
    // Refills the list from the cable schedule workbook (at most 1000 rows, one model reset).
    void LoadCableSchedule();
    // Shows or hides the "+" insert button.
    void SetInsertButtonsVisible(bool visible);

    // The 112 list columns of a column set (0 full, 1 input; both the same).
    void SetupCableListColumns(int columnSet);
    // Exactly one of kW and kVA given; otherwise the message and false.
    bool ValidateCableCapacity();
    // Every typed quantity a number of its sign (the load, phases, wires, voltage, length
    // positive; demand factor and parallel count positive or empty; fault currents and the
    // fed panel's figures not negative or empty); otherwise one message naming the field and
    // false.
    bool ValidateCableQuantities();
    // The choices the sizing needs: a listed load type, installation method and cable type,
    // and a motor's starting method; otherwise one message naming the field and false.
    bool ValidateCableChoices();
    // CableRow from the form; computed when `name` is empty, else a placeholder named so.
    void ReadCableRowInputs(bool modify, bool manual, int index, const QString& name);
    // The fault-current search over every row (one message listing the rows without a bus,
    // then a summary).
    void SearchCableFaultCurrents();

    // Button and list handlers.
    void OnAddCableRow();
    void OnModifyCableRow();
    void OnApplyManualSizes();
    void OnInsertCableRow();
    void OnDeleteCableRow();
    void OnDeleteAllCableRows();
    void OnImportCableLoads();
    void OnSearchCableFaultCurrents();
    void OnSaveCable();
    void OnOutputCable();
    void OnCableSelectScreen();
    void OnCableStartScreen();
    void OnMccPanelCheck();
    void OnSelchangeLoadType();
    void OnClickCableScheduleList();
    void OnShowAllCableColumns();
    void OnShowInputCableColumns();
    void OnShowBasicCableColumns();

    ReportListView* CableList() const { return m_list; }

private:
    void ModifySelectedRow(bool manual);
    void ShowLargestMotorInputs(bool show);
    void ShowStartMethod();
    void SelectComboItem(QComboBox* combo, const QString& text);
    void SelectMakerItem(const QString& code);
    void SelectSizeItem(QComboBox* combo, const QString& text);
    void RenumberFrom(int row);
    void ShowStoreFailure();
    void ShowRowWarnings();
    QStringList RowTexts(int number) const;
    bool AtRowLimit();
    QString Text(int id) const;

    ReportListView* m_list = nullptr;
    QComboBox* m_maker = nullptr;
    QComboBox* m_loadType = nullptr;
    QComboBox* m_startMethod = nullptr;
    QLabel* m_startMethodLabel = nullptr;
    QCheckBox* m_mccPanel = nullptr;
    QList<QWidget*> m_largestMotorWidgets;
    std::array<QComboBox*, 6> m_manualSizes{};
    QComboBox* m_manualAf = nullptr;
    QComboBox* m_manualAt = nullptr;
};
