#pragma once
// Page 1 of the grounding screen: conductor size, with the final-size choice (combo 1123).
#include "grounding/gui/groundingpage.h"

class QComboBox;

class CGroundConductorPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CGroundConductorPage(QWidget* parent = nullptr);

    QComboBox* MaterialCombo() const { return m_material; }
    QComboBox* FinalSizeCombo() const { return m_finalSize; }

    // Selects the final size equal to the standard size and stores its position as the
    // final-size index (0 and the first entry when none is equal).
    void SelectConductorSizeEntry();

private:
    QComboBox* m_material = nullptr;
    QComboBox* m_finalSize = nullptr;
};
