#pragma once
// Library page: F-GV and cable-tray weights.
#include "library/gui/librarypage.h"

class CSevrinLib25View : public CLibraryPage
{
public:
    explicit CSevrinLib25View(QWidget* parent = nullptr);

    void FillTrayWeightLists() { FillLists(); }
};
