#pragma once
// Page 3 of the fault-current screen: the feeder cables (sheet 8 of the fault-current
// workbook) with their impedances in ohms, typed or imported from the cable schedule.
#include "fault/core/faultrows.h"
#include "fault/gui/faultpage.h"

class CFaultCablePage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CFaultCablePage(QWidget* parent = nullptr);

    void FillCableList();
    void SetInsertButtonsVisible(bool visible);
    // δ20 and δ250 of the last calculation, kept in the page's hidden fields.
    void SetDeltaFactors(const QString& delta20, const QString& delta250);

    ReportListView* List() const { return m_list; }

    void OnAddCableRow();
    void OnChangeCableRow();
    void OnDeleteCableRow();
    void OnInsertCableRow();
    void OnImportScheduleCables();
    void OnClickCableImpedanceList();

private:
    fault::CableRowInputs Inputs() const;
    // A typed row needs a positive length and at least one parallel conductor; otherwise a
    // message naming the field.
    bool CheckParallelCount() const;
    double Delta20() const;
    double Delta250() const;
    QStringList BuiltRow() const;

    ReportListView* m_list = nullptr;
};
