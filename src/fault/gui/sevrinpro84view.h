#pragma once
// Page 3 of the fault-current screen: the feeder cables (sheet 8 of the fault-current
// workbook) with their impedances in ohms, typed or imported from the cable schedule.
#include "fault/core/faultrows.h"
#include "fault/gui/faultpage.h"

class CSevrinPro84View : public CFaultPage
{
    Q_OBJECT

public:
    explicit CSevrinPro84View(QWidget* parent = nullptr);

    void FillCableList();
    void SetInsertButtonsVisible(bool visible);
    // δ20 and δ250 of the last calculation, kept in the page's hidden fields.
    void SetDeltaFactors(const QString& delta20, const QString& delta250);
};
