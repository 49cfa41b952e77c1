#pragma once
// Library page: F-CV and FR-8 conductor weights.
#include "library/gui/librarypage.h"

class CSevrinLib24View : public CLibraryPage
{
public:
    explicit CSevrinLib24View(QWidget* parent = nullptr);

    void FillCableWeightLists() { FillLists(); }
};
