#pragma once
// The generator screen's input page: the loads of the standby generator, kept row by row in
// "_60", with their outage and fire demand factors, and the six load totals.
#include "app/gui/formview.h"

class QComboBox;
class QLabel;
class QLineEdit;
class ReportListView;

class CGeneratorLoadPage : public CFormView
{
    Q_OBJECT

public:
    explicit CGeneratorLoadPage(QWidget* parent = nullptr);

    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    bool ValidateGeneratorLoadCapacity();
    void BuildGeneratorLoadRow(int row, const QString& name);
    void FillGeneratorLoadList();

    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnInsert();
    void OnImportGeneratorLoads();
    void OnListClicked();
    void OnLoadTypeChanged();

    ReportListView* List() const { return m_list; }
    QLineEdit* Edit(int id) const;
    QComboBox* TypeCombo() const { return m_typeCombo; }
    QComboBox* StartCombo() const { return m_startCombo; }

private:
    bool Checked(bool ok);

    QComboBox* m_typeCombo = nullptr;
    QComboBox* m_startCombo = nullptr;
    QLabel* m_startLabel = nullptr;
    ReportListView* m_list = nullptr;
};
