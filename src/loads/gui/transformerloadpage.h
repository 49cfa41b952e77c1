#pragma once
// The transformer screen's load page: the data, load rows and largest-motor inputs of the
// transformer named by its label ("TR-1".."TR-5"), kept on that transformer's sheet of "_30".
#include "app/gui/formview.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class ReportListView;

class CTransformerLoadPage : public CFormView
{
    Q_OBJECT

public:
    explicit CTransformerLoadPage(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    // 0..4 for the label "TR-1".."TR-5", 0 for anything else.
    int GetTransformerIndex() const;
    void SetTransformerName(const QString& name);

    void ShowMotorInputs(bool show);
    // Page inputs -> record -> the transformer's sheet; false when the sheet could not be
    // written (said so).
    bool StoreTransformerInputs();
    // True when the transformer's sheet holds what the page's inputs show (or no project is
    // open); reads only.
    bool InputsStored();
    // The transformer's sheet -> record -> page inputs and the stored motor-block results;
    // the capacity decision and its hidden figures, which are not stored, are cleared.
    void ShowTransformerInputs();
    void FillTransformerLoadList();
    void BuildTransformerLoadRow(int row, const QString& name);

    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnInsert();
    void OnClearTransformer();
    void OnImportTransformerLoads();
    void OnListClicked();

    ReportListView* List() const { return m_list; }
    QLineEdit* Edit(int id) const;
    QCheckBox* MotorCheck() const { return m_motorCheck; }
    QComboBox* TypeCombo() const { return m_typeCombo; }

private:
    // A failed store: tell the user and show what the workbook really holds.
    bool Checked(bool ok);
    // The connected load and demand factor typed for a row; a refusal is shown.
    bool AcceptLoadInputs();
    // Creates "_30" with its five sheets when it does not exist yet.
    bool EnsureWorkbook();

    QLabel* m_name = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QComboBox* m_primaryCombo = nullptr;
    QCheckBox* m_motorCheck = nullptr;
    ReportListView* m_list = nullptr;
};
