#pragma once
// Library page: MCCB.
#include "library/gui/librarypage.h"

class CSevrinLib11View : public CLibraryPage
{
public:
    explicit CSevrinLib11View(QWidget* parent = nullptr);

    void FillMccbLists() { FillLists(); }
};
