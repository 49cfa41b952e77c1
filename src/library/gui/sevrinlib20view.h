#pragma once
// Library page: CV and CE outer diameters.
#include "library/gui/librarypage.h"

class CSevrinLib20View : public CLibraryPage
{
public:
    explicit CSevrinLib20View(QWidget* parent = nullptr);

    void FillCvOuterDiameterLists() { FillLists(); }
};
