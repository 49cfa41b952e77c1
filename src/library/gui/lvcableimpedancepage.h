#pragma once
// Library page: 0.6/1 kV cable impedances and the multi-core threshold.
#include "library/gui/librarypage.h"

class CLvCableImpedancePage : public CLibraryPage
{
public:
    explicit CLvCableImpedancePage(QWidget* parent = nullptr);

    void FillLvCableImpedanceLists() { FillLists(); }

    // Edits the 0.6/1 kV multi-core threshold, re-applies it and refills.
    void OnChangeLvThreshold();

protected:
    void ConnectControls() override;
};
