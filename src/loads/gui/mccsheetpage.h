#pragma once
// The motor-control-centre screen's calculation sheet: the panels of the "_10" workbook with
// their header inputs, the load rows of the selected panel, the panel totals, and the imports
// that fill rows from other schedules (linked panels and boards, branch breakers) and the
// panel copy. Every change reaches the workbook before the handler returns.
#include "app/gui/formview.h"
#include "loads/core/mccload.h"
#include "loads/core/mccpanel.h"

#include <QStringList>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class ReportListView;

class CMccSheetPage : public CFormView
{
    Q_OBJECT

public:
    // Control identifiers (object names).
    enum ControlId {
        IdPanelName = 1400,
        IdLocation = 1401,
        IdVoltage = 1402,
        IdSupply = 1403,
        IdFromRoom = 1404,       // radio "전기실"
        IdTransformer = 1405,
        IdPanelList = 1406,
        IdLoadList = 1407,
        IdFromPanel = 1408,      // radio "분전반"
        IdFromPanelName = 1409,
        IdGenerator = 1410,
        IdInstallType = 1411,    // hidden
        IdAddPanel = 1412,
        IdModifyPanel = 1413,
        IdDeletePanel = 1414,
        IdCopyPanel = 1415,
        IdLoadPanelName = 1416,  // read-only
        IdEquipmentName = 1417,
        IdEquipmentNumber = 1418,
        IdLoadKind = 1419,
        IdKw = 1420,
        IdKva = 1421,
        IdInsertPanel = 1422,
        IdInsertLoad = 1423,
        IdSpare = 1424,
        IdPosition = 1425,       // hidden: the selected panel's position
        IdPhases = 1439,
        IdStartMethod = 1440,
        IdDemandFactor = 1441,
        IdEfficiency = 1442,     // hidden
        IdPowerFactor = 1443,    // hidden
        IdImportBreakers = 1444,
        IdImportLinked = 1445,
        IdAddLoad = 1446,
        IdModifyLoad = 1447,
        IdDeleteLoad = 1448,
        IdShowAllColumns = 1449,
        IdShowInputColumns = 1450,
        IdShowBasicColumns = 1451,
        IdPanelSupply = 1452,    // hidden: the selected panel's supply system
        // Totals area.
        IdConnected = 1288,
        IdDemandPct = 1563,
        IdDemand = 1564,
        IdLineL1 = 1565,
        IdLineL2 = 1566,
        IdLineL3 = 1567,
        IdHidden1 = 1568,
        IdHidden2 = 1569,
        IdHidden3 = 1570,
        IdMotorKw = 1558,
        IdMotorMethod = 1559,
        IdMotorWord = 1560,
        IdMotorStartKva = 1046,
        IdMotorStartTime = 1298,
        IdBreakerPoles = 1304,
        IdBreakerFrame = 1305,
        IdBreakerTrip = 1055,
        IdCt = 1306,
        IdBreakingKa = 1307,
        IdCable = 1308,
        IdWithoutLargest = 1561,
        IdMaxFault = 1572,
        IdMinFault = 1573,
    };
    // The field of each item of the panel totals, in item order.
    static constexpr std::array<int, 21> TotalsFieldIds{
        IdConnected,  IdDemandPct,      IdDemand,     IdLineL1,    IdLineL2,      IdLineL3,
        IdHidden1,    IdHidden2,        IdHidden3,    IdMotorKw,   IdMotorMethod, IdMotorWord,
        IdMotorStartKva, IdMotorStartTime, IdBreakerPoles, IdBreakerFrame, IdBreakerTrip, IdCt,
        IdBreakingKa, IdCable,          IdWithoutLargest};

    explicit CMccSheetPage(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    // The position in the panel list of the panel the sheet shows (its hidden position
    // field, read as a signed integer).
    int PanelPosition() const;

    // The 40 load-list columns of a column set (0 full, 1 input).
    void SetupMccLoadColumns(int columnSet);
    // Refills the panel list and MccPanelCount from the "_10" workbook.
    void LoadMccPanels();
    // Takes the panel (position, name, supply system) as the selected one and refills the load
    // list and MccLoadCount from its sheet. The one-argument form takes name and supply from
    // the panel list's row.
    void LoadMccLoads(int panelPosition, const QString& panelName, const QString& supply);
    void LoadMccLoads(int panelPosition);

    // Operations the report writer calls from its worker (they run on the GUI thread):
    // shows the panel in the inputs, loads its rows and clears the totals area.
    void SelectMccPanel(int panelPosition);
    // Computes and shows the panel's totals and stores its results in its sheet.
    void CalcMccPanel(int panelPosition);
    int PanelCount();
    QStringList PanelRow(int row);
    std::vector<QStringList> LoadRows();
    // The text of a field of the page (edit or combo, by identifier).
    QString FieldText(int id);

    // The load inputs into a row: `base` keeps the columns the page does not edit (breaker,
    // remark); an insertion name gives name and number "_____". Computes the row.
    MccLoadRow ReadMccLoadInputs(const QString& insertionName, const MccLoadRow& base = {});
    QString GetGeneratorLinkMark() const;

    ReportListView* PanelList() const { return m_panelList; }
    ReportListView* LoadList() const { return m_loadList; }

    // Handlers.
    void OnAddMccPanel();
    void OnModifyMccPanel();
    void OnDeleteMccPanel();
    void OnInsertMccPanel();
    void OnCopyMccPanel();
    void OnAddMccLoad();
    void OnModifyMccLoad();
    void OnDeleteMccLoad();
    void OnInsertMccLoad();
    void OnImportMccLinkedLoads();
    void OnImportMccBreakers();
    void OnClickMccPanelList();
    void OnClickMccLoadList();
    void OnShowAllMccColumns();
    void OnShowInputMccColumns();
    void OnShowBasicMccColumns();

private:
    void BuildPanelInputs();
    void BuildLoadInputs();
    void BuildTotalsArea();
    // One row of the sheet's controls: 12 dialog units high.
    void AddCentredLabel(const QString& text, int x, int y, int w);
    QLineEdit* AddEdit(int id, int x, int y, int w);
    QComboBox* AddEditableCombo(int id, const QStringList& items, int x, int y, int w);
    void SetDefaults();
    // The panel inputs into MccPanelRecord (items 0 to 6; the results cleared).
    void ReadPanelInputs();
    QStringList PanelNames() const;
    QStringList PanelRowTexts(int number) const;
    void SelectComboItem(QComboBox* combo, const QString& text);
    void ClearTotals();
    // The totals area of panel `panel` as its stored results give it (cleared for a panel
    // never computed).
    void ShowStoredTotals(int panel);
    void ShowTotals(const MccPanelCalc& c);
    void RefuseName(int check);
    // The voltage of the panel inputs read into the record; a refusal is shown.
    bool RefuseVoltage();
    // A store failed: says so and shows what the workbook holds.
    void ShowStoreFailure();
    void ReloadFromWorkbook();
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    int LoadSelection() const;
    int PanelSelection() const;

    ReportListView* m_panelList = nullptr;
    ReportListView* m_loadList = nullptr;
    QComboBox* m_supply = nullptr;
    QComboBox* m_transformer = nullptr;
    QComboBox* m_installType = nullptr;
    QRadioButton* m_fromRoom = nullptr;
    QRadioButton* m_fromPanel = nullptr;
    QCheckBox* m_generator = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_spare = nullptr;
    QComboBox* m_phases = nullptr;
    QComboBox* m_method = nullptr;
    QLineEdit* m_position = nullptr;
    QLineEdit* m_panelSupply = nullptr;
    int m_columnSet = 0;
};
