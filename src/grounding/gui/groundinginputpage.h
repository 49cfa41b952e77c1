#pragma once
// Page 0 of the grounding screen: every design input (combos 1458-1460, edits 1461-1488),
// the grid factors and the shape-factor table as display boxes (1489-1506).
#include "grounding/gui/groundingpage.h"

class CGroundingInputPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CGroundingInputPage(QWidget* parent = nullptr);
};
