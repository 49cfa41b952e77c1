#pragma once
// Panel-board design page 1: installation conditions and the ampacity correction factors.
#include "loads/gui/designpage.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

class CBoardInstallationPage : public CDesignPage
{
    Q_OBJECT

public:
    explicit CBoardInstallationPage(QWidget* parent = nullptr);

    // Air and ground ambient temperature, tray tiers, soil resistivity, burial depth.
    static constexpr std::array<int, 5> ComboIds{1105, 1106, 1108, 1110, 1113};
    // The nine correction-factor cells (read-only).
    static constexpr int FirstFactorEditId = 1180;

    QComboBox* ConditionCombo(int i) const { return m_combos[std::size_t(i)]; }
    QLineEdit* FactorEdit(int i) const { return m_factors[std::size_t(i)]; }

    // Scales the installation-method picture by the display's scale factors.
    void OnInitDialog();

private:
    std::array<QComboBox*, 5> m_combos{};
    std::array<QLineEdit*, 9> m_factors{};
    QLabel* m_methodPicture = nullptr;
};
