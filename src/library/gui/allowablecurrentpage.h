#pragma once
// Library page: XLPE allowable currents, installation-method factors and applied currents.
#include "library/gui/librarypage.h"

class CAllowableCurrentPage : public CLibraryPage
{
public:
    explicit CAllowableCurrentPage(QWidget* parent = nullptr);

    void FillAllowableCurrentLists() { FillLists(); }

    // Edits the ampacity threshold and the four method factors, rebuilds and refills.
    void OnChangeMethodFactors();

protected:
    void ConnectControls() override;
};
