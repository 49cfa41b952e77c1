#pragma once
// Library page: insulated wire and F-GV outer diameters.
#include "library/gui/librarypage.h"

class CSevrinLib22View : public CLibraryPage
{
public:
    explicit CSevrinLib22View(QWidget* parent = nullptr);

    void FillWireOuterDiameterLists() { FillLists(); }
};
