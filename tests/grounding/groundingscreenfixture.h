#pragma once
// Typing grounding design inputs into the grounding screen, as a user does.
#include "grounding/gui/groundconductorpage.h"
#include "grounding/gui/groundinginputpage.h"
#include "grounding/gui/groundingscreen.h"

#include <QComboBox>
#include <QLineEdit>

// Types the 28 design inputs and the 3 choices of `b` into the design page, and picks final
// conductor size `finalSizeIndex`.
inline void TypeGroundingInputs(CGroundingScreen& screen, const CSevrinApp::GroundingDesignBlockT& b,
                                int finalSizeIndex = 7)
{
    CGroundingInputPage* page = screen.DesignPage();
    for (int i = 0; i < 28; ++i)
        page->Box(1461 + i)->setText(b.GroundingConditionInput[i]);
    for (int i = 0; i < 3; ++i)
        page->Combo(1458 + i)->setCurrentIndex(b.GroundingConditionIndex[i]);
    screen.ConductorPage()->FinalSizeCombo()->setCurrentIndex(finalSizeIndex);
}
