#pragma once
// Page 1 of the fault-current screen: the system impedance conversion of the last calculation,
// the five transformers (row k of sheet 2 is TR-(k+1)) with their impedances and the system
// referred to their secondary voltage, and the conductor-temperature and voltage factors.
#include "fault/gui/faultpage.h"

class CFaultScreen;

class CFaultTransformerPage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CFaultTransformerPage(QWidget* parent = nullptr);

    void SetScreen(CFaultScreen* screen) { m_screen = screen; }

    // Fills list columns 1..15 of TR-1..TR-5 from sheet 2.
    void FillTransformerList();
    // Shows the 38 results of the last calculation in the display fields.
    void ShowSystemResults();

    ReportListView* List() const { return m_list; }

    void OnModifyTransformer();
    void OnDeleteTransformer();
    void OnClickTransformerList();

private:
    ReportListView* m_list = nullptr;
    CFaultScreen* m_screen = nullptr;
};
