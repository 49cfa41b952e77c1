#pragma once
// Library page: impedances of the FR-8 cable family.
#include "library/gui/librarypage.h"

class CSevrinLib03View : public CLibraryPage
{
public:
    explicit CSevrinLib03View(QWidget* parent = nullptr);

    void FillFr8CableImpedanceLists() { FillLists(); }
};
