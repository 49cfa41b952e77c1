#pragma once
// Library page: grounding data.
#include "library/gui/librarypage.h"

class CSevrinLib70View : public CLibraryPage
{
public:
    explicit CSevrinLib70View(QWidget* parent = nullptr);

    void FillGroundingLists() { FillLists(); }
};
