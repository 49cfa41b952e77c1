#pragma once
// The motor-control-centre screen's design-conditions page: the motor starting conditions
// (starting multiple, starting-method coefficients, current limits, inrush multiple, starting
// times, starting power factor, current-transformer factor) and, beside them, the user's own
// motors.
#include "loads/gui/designpage.h"

#include <array>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class ReportListView;

class CMccConditionsPage : public CDesignPage
{
    Q_OBJECT

public:
    explicit CMccConditionsPage(QWidget* parent = nullptr);

    // Combo identifiers in the order of the stored selections: beta, lambda of soft starters,
    // lambda of inverters, k, tm of DOL, Y-D, reactor, soft starter, inverter, cos(phi)S.
    static constexpr std::array<int, 10> ComboIds{1426, 1428, 1430, 1431, 1432,
                                                  1433, 1434, 1435, 1436, 1437};
    static constexpr int TapEditId = 1427;
    static constexpr int CoefficientEditId = 1429;  // hidden copy of the tap
    static constexpr int CtFactorEditId = 1438;

    QComboBox* ConditionCombo(int i) const { return m_combos[std::size_t(i)]; }
    QLineEdit* TapEdit() const { return m_tap; }
    QLineEdit* CoefficientEdit() const { return m_coefficient; }
    QLineEdit* CtFactorEdit() const { return m_ctFactor; }
    // Where the user's motor list and its editor sit.
    QFrame* UserMotorArea() const { return m_userMotorArea; }

    // Refills the user-motor list from the library workbook's user sheet.
    void LoadUserMotorList();

    // The user's motors ("□ 전동기 사용자 입력"): inputs, list and buttons.
    ReportListView* UserMotorList() const { return m_userMotorList; }
    QLineEdit* RatedOutputEdit() const { return m_inputs[0]; }
    QLineEdit* VoltageEdit() const { return m_inputs[1]; }
    QLineEdit* EfficiencyEdit() const { return m_inputs[2]; }
    QLineEdit* PowerFactorEdit() const { return m_inputs[3]; }
    QLineEdit* CapacitorEdit() const { return m_inputs[4]; }
    QLineEdit* UnitSizeEdit() const { return m_inputs[5]; }
    QComboBox* PhaseCombo() const { return m_phase; }
    QComboBox* StartingMethodCombo() const { return m_method; }

    // The eight inputs into UserMotorRow, then CalcUserMotor; false when the motor is refused.
    bool ReadUserMotorInputs();
    // Computes UserMotorRow with the starting conditions as this page shows them and the
    // stored CT factor; a refused motor gets a message and false.
    bool CalcUserMotor();
    void OnAddUserMotor();
    void OnModifyUserMotor();
    void OnDeleteUserMotor();
    void OnClickUserMotorList();

private:
    void BuildUserMotorArea();
    // A write to the user-motor sheet failed: says so with the workbook's path and shows the
    // sheet as it is.
    void ReportUserMotorWriteFailure();

    ReportListView* m_userMotorList = nullptr;
    std::array<QLineEdit*, 6> m_inputs{};  // kW, kV, eta, cos, uF, unit size
    QComboBox* m_phase = nullptr;
    QComboBox* m_method = nullptr;

    std::array<QComboBox*, 10> m_combos{};
    QLineEdit* m_tap = nullptr;
    QLineEdit* m_coefficient = nullptr;
    QLineEdit* m_ctFactor = nullptr;
    QFrame* m_userMotorArea = nullptr;
};
