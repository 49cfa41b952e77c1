#pragma once
// Page 5 of the grounding screen: the average soil resistivity of up to five layers.
#include "grounding/gui/groundingpage.h"

class CSevrinPro97View : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSevrinPro97View(QWidget* parent = nullptr);
};
