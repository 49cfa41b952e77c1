#pragma once
// Panel-board design page 3: motor-starting criteria (SMSVD, SMSTh) and conduit fill.
#include "loads/gui/designpage.h"

class QComboBox;
class QLineEdit;

class CBoardMotorStartPage : public CDesignPage
{
    Q_OBJECT

public:
    explicit CBoardMotorStartPage(QWidget* parent = nullptr);

    static constexpr int PowerFactorComboId = 1195;
    static constexpr int FeederDropEditId = 1037;
    static constexpr int MotorDropEditId = 1193;
    static constexpr int MarginEditId = 1194;

    QComboBox* PowerFactorCombo() const { return m_powerFactor; }
    QLineEdit* Edit(int id) const;

private:
    QComboBox* m_powerFactor = nullptr;
};
