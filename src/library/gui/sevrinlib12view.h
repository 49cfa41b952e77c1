#pragma once
// Library page: CBR.
#include "library/gui/librarypage.h"

class CSevrinLib12View : public CLibraryPage
{
public:
    explicit CSevrinLib12View(QWidget* parent = nullptr);

    void FillCbrLists() { FillLists(); }
};
