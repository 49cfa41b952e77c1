#pragma once
// Page 4 of the grounding screen: tolerable and expected step and touch voltages, the ground
// potential rise and the verdicts.
#include "grounding/gui/groundingpage.h"

class CStepTouchPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CStepTouchPage(QWidget* parent = nullptr);
};
