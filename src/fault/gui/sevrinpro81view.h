#pragma once
// The fault-current screen's utility page.
#include "app/gui/formview.h"

class CSevrinPro81View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro81View(QWidget* parent = nullptr);

    // Fills the line-type and cable-type combos.
    void FillUtilityTypeCombos();
    // Fills the distribution-line list.
    void FillUtilityLineList();
    // Fills the incoming-cable list.
    void FillIncomingCableList();
};
