#pragma once
// Page 3 of the grounding screen: the conditions of the safety voltages (Cs, lengths, Km, Ki, Ks).
#include "grounding/gui/groundingpage.h"

class QComboBox;

class CSafetyConditionsPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSafetyConditionsPage(QWidget* parent = nullptr);

    QComboBox* ShapeCombo() const { return m_shape; }
    // The boxes of the fields nothing writes, in block order (kept hidden and empty).
    static const int kUnwrittenIds[13];

private:
    QComboBox* m_shape = nullptr;
};
