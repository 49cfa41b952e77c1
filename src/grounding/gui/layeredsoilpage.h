#pragma once
// The equivalent-resistivity page of two- and three-layer soil: created with the screen, never
// shown; nothing fills its boxes.
#include "grounding/gui/groundingpage.h"

class CLayeredSoilPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CLayeredSoilPage(QWidget* parent = nullptr);

    // Its boxes in the order of the fields they show.
    static const int kBoxIds[14];
};
