#pragma once
// Library page: distribution-line impedances.
#include "library/gui/librarypage.h"

class CLineImpedancePage : public CLibraryPage
{
public:
    explicit CLineImpedancePage(QWidget* parent = nullptr);

    void FillLineImpedanceList() { FillLists(); }

    // Opens a cable-type legend (its button is created hidden).
    void OnCableTypeHelp();

protected:
    void ConnectControls() override;
};
