#pragma once
// The equivalent-resistivity page of two- and three-layer soil: created with the screen, never
// shown; nothing fills its boxes.
#include "grounding/gui/groundingpage.h"

class CSevrinPro96View : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSevrinPro96View(QWidget* parent = nullptr);

    // Its boxes in the order of the fields they show.
    static const int kBoxIds[14];
};
