#pragma once
// Library page: 6/10 kV cable impedances and the multi-core threshold.
#include "library/gui/librarypage.h"

class CHvCableImpedancePage : public CLibraryPage
{
public:
    explicit CHvCableImpedancePage(QWidget* parent = nullptr);

    void FillHvCableImpedanceLists() { FillLists(); }

    // Edits the 6/10 kV multi-core threshold, re-applies it and refills.
    void OnChangeHvThreshold();

protected:
    void ConnectControls() override;
};
