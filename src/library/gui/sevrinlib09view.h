#pragma once
// Library page: grouping, temperature, soil and depth correction factors.
#include "library/gui/librarypage.h"

class CSevrinLib09View : public CLibraryPage
{
public:
    explicit CSevrinLib09View(QWidget* parent = nullptr);

    void FillCorrectionFactorLists() { FillLists(); }
};
