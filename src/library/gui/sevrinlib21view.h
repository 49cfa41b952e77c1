#pragma once
// Library page: F-FR-8 outer diameters.
#include "library/gui/librarypage.h"

class CSevrinLib21View : public CLibraryPage
{
public:
    explicit CSevrinLib21View(QWidget* parent = nullptr);

    void FillFr8OuterDiameterLists() { FillLists(); }
};
