#pragma once
// Library page: derived size tables per installation method.
#include "library/gui/librarypage.h"

class CSevrinLib06View : public CLibraryPage
{
public:
    explicit CSevrinLib06View(QWidget* parent = nullptr);

    void FillMethodCurrentLists() { FillLists(); }
};
