#pragma once
// Page 5 of the grounding screen: the average soil resistivity of up to five layers.
#include "grounding/gui/groundingpage.h"

class CSoilResistivityPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSoilResistivityPage(QWidget* parent = nullptr);
};
