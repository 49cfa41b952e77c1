#pragma once
// Page 2 of the grounding screen: grid resistance by Schwarz's formulas, Sverak's for reference.
#include "grounding/gui/groundingpage.h"

class CGridResistancePage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CGridResistancePage(QWidget* parent = nullptr);
};
