#pragma once
// Library page: demand factors (built and filled, reached by no button).
#include "library/gui/librarypage.h"

class CSevrinLib80View : public CLibraryPage
{
public:
    explicit CSevrinLib80View(QWidget* parent = nullptr);

    void FillDemandFactorLists() { FillLists(); }
};
