#pragma once
// Page 2 of the fault-current screen: the induction motors fed by each transformer (sheet
// 3 + t of the fault-current workbook) with their locked-rotor impedances, typed or imported
// from the motor-control-centre panels fed directly from the transformer.
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "fault/gui/faultpage.h"

class CFaultMotorPage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CFaultMotorPage(QWidget* parent = nullptr);

    // Fills the motor list of the selected transformer.
    void FillMotorList();
    // Shows or hides the page's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);

    // The selected transformer (0 for TR-1); the combo offers only the five transformers.
    int GetSelectedTransformer() const;
    ReportListView* List() const { return m_list; }

    void OnAddMotorRow();
    void OnChangeMotorRow();
    void OnDeleteMotorRow();
    void OnInsertMotorRow();
    void OnImportMccMotors();
    void OnClickMotorList();

private:
    fault::MotorRowInputs Inputs() const;
    // kW, LRC, Pole and X/R positive numbers; otherwise a message naming the field.
    bool CheckMotorInputs() const;
    QStringList BuiltRow() const;
    int Sheet() const { return fault::FirstMotorSheet + GetSelectedTransformer(); }

    ReportListView* m_list = nullptr;
};
