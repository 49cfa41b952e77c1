#pragma once
// The cable-tray screen (Screen::Tray): the project's trays over the "_50" workbook, each with its
// cable and earth-conductor (PE) rows, typed in or taken from the cable schedule through the
// cable picker, and the tray's width, fill and weight computed from the stored rows.
#include "app/gui/formview.h"
#include "cable/core/traysizing.h"

#include <QStringList>

#include <functional>

class CCablePickerDlg;
class QComboBox;
class QLineEdit;
class ReportListView;

class CTrayScreen : public CFormView
{
    Q_OBJECT

public:
    static constexpr Screen kScreen = Screen::Tray;

    // Control identifiers (object names).
    enum ControlId {
        IdTrayName = 1501,
        IdTrayLocation = 1502,
        IdTrayFrom = 1503,
        IdTrayTo = 1504,
        IdTrayList = 1505,
        IdAddTray = 1506,
        IdModifyTray = 1507,
        IdDeleteTray = 1508,
        IdInsertTray = 1378,
        IdCurrentTrayIndex = 1509,  // hidden: the tray whose rows are shown ("" reads as 0)
        IdCurrentTrayName = 1510,   // disabled "트레이 No." beside the cable inputs
        IdPurpose = 1511,
        IdCableFrom = 1512,
        IdCableTo = 1513,
        IdCableVolt = 1514,
        IdCableType = 1515,
        IdCableSq = 1516,
        IdCableCore = 1517,
        IdCableLine = 1518,
        IdImport = 1519,
        IdCableList = 1520,
        IdAddCable = 1521,
        IdModifyCable = 1522,
        IdDeleteCable = 1523,
        IdInsertCable = 1584,
        IdPeVolt = 1531,
        IdPeType = 1532,
        IdPeCore = 1533,
        IdPeSq = 1534,
        IdPeLine = 1535,
        IdPeList = 1536,
        IdAddPe = 1537,
        IdModifyPe = 1538,
        IdDeletePe = 1539,
        IdInsertPe = 1585,
        IdHeight = 1541,
        IdMargin = 1542,
        IdTrayType = 1543,
        IdCover = 1544,
        IdWidthSum = 1551,
        IdWeightSum = 1552,
        IdTrayWidth = 1553,
        IdOccupancy = 1554,
        IdCableWeight = 1555,
        IdTrayWeight = 1556,
        IdCoverWeight = 1557,
        IdTotalWeight = 1558,
        IdApply = 1560,
        IdSave = 1561,
        IdOutput = 1562,
        IdSelectTop = 1563,
        IdSelectBottom = 1564,
        IdHome = 1565,
    };

    explicit CTrayScreen(QWidget* parent = nullptr);
    ~CTrayScreen() override;

    void OnInitialUpdate() override;

    // Refills the tray list and TrayCount from the tray workbook.
    void FillTrayList();
    // Makes tray `trayIndex` current: its rows, its stored choices, and its figures.
    void LoadTrayData(int trayIndex, const QString& trayName);
    // The text of the first column of the tray list's first row ("" when empty).
    QString FirstTrayName() const;
    // Shows or hides the screen's three "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    // TrayCableRow / TrayPeRow from the inputs, computed; `insertName` "" for an added or
    // changed row, "_____" for an inserted one.
    void BuildTrayCableRow(int row, const QString& insertName);
    void BuildTrayPeRow(int row, const QString& insertName);
    // false: the four choices into TrayResult as "%d"; true: TrayResult into the combos.
    void SyncTrayChoices(bool toControls);
    // TrayResultRow from the choice combos and the result fields.
    void MakeTraySpecText();
    void CalcTrayCableRow();
    void CalcTrayPeRow();
    // Sums tray t's stored rows into the result fields; warning 5 when `warn` and overfilled.
    TrayResult CalcTray(int trayIndex, bool warn = true);

    // Button and list handlers.
    void OnAddTray();
    void OnModifyTray();
    void OnDeleteTray();
    void OnInsertTray();
    void OnClickTrayList();
    void OnImportTrayCable();
    void OnAddTrayCable();
    void OnModifyTrayCable();
    void OnDeleteTrayCable();
    void OnInsertTrayCable();
    void OnClickTrayCableList();
    void OnAddTrayPe();
    void OnModifyTrayPe();
    void OnDeleteTrayPe();
    void OnInsertTrayPe();
    void OnClickTrayPeList();
    void OnApplyTray();
    void OnOutputTray();
    void OnTraySelectScreen();
    void OnTrayStartScreen();

    ReportListView* TrayList() const { return m_trayList; }
    ReportListView* CableList() const { return m_cableList; }
    ReportListView* PeList() const { return m_peList; }
    // The tray whose rows are shown (the hidden field; empty reads as 0).
    int CurrentTray() const;

    // How the picker is run: modally by default; tests answer it instead. Returns the
    // dialog's result code.
    using CablePickerRunner = std::function<int(CCablePickerDlg&)>;
    static void SetCablePickerRunner(CablePickerRunner runner);

private:
    // Kind of row list: the cable rows (sheet 2t) or the PE rows (sheet 2t + 1).
    enum class RowKind { Cable, Pe };
    struct RowOps;
    const RowOps& Ops(RowKind kind) const;
    void AddRow(RowKind kind);
    void ModifyRow(RowKind kind);
    void DeleteRow(RowKind kind);
    void InsertRow(RowKind kind);
    bool AtRowLimit(RowKind kind);
    void ReloadTrayRows();
    void ClearCurrentTray();
    void ReadTrayRecordInputs();
    bool CheckTrayName(const QString& name, int except);
    QStringList ListedTrayNames() const;
    void ShowStoreFailure(bool reloadTrays);
    int SelectComboItem(QComboBox* combo, const QString& text);
    QString Text(int id) const;
    TrayChoices CurrentChoices() const;

    ReportListView* m_trayList = nullptr;
    ReportListView* m_cableList = nullptr;
    ReportListView* m_peList = nullptr;
    QLineEdit* m_currentIndex = nullptr;
    QLineEdit* m_currentName = nullptr;
    QComboBox* m_cableType = nullptr;
    QComboBox* m_cableSq = nullptr;
    QComboBox* m_cableCore = nullptr;
    QComboBox* m_cableLine = nullptr;
    QComboBox* m_peSq = nullptr;
    QComboBox* m_peLine = nullptr;
    QComboBox* m_height = nullptr;
    QComboBox* m_margin = nullptr;
    QComboBox* m_trayType = nullptr;
    QComboBox* m_cover = nullptr;
};
