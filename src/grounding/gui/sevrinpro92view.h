#pragma once
// Page 2 of the grounding screen: grid resistance by Schwarz's formulas, Sverak's for reference.
#include "grounding/gui/groundingpage.h"

class CSevrinPro92View : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSevrinPro92View(QWidget* parent = nullptr);
};
