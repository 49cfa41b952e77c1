#pragma once
// Library page: conduits.
#include "library/gui/librarypage.h"

class CSevrinLib23View : public CLibraryPage
{
public:
    explicit CSevrinLib23View(QWidget* parent = nullptr);

    void FillConduitLists() { FillLists(); }
};
