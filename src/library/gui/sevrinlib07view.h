#pragma once
// Library page: derated allowable currents by size.
#include "library/gui/librarypage.h"

class CSevrinLib07View : public CLibraryPage
{
public:
    explicit CSevrinLib07View(QWidget* parent = nullptr);

    void FillPhaseCurrentList() { FillLists(); }
};
