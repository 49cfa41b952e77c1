#pragma once
// Library page: MCB and RCBO.
#include "library/gui/librarypage.h"

class CSevrinLib10View : public CLibraryPage
{
public:
    explicit CSevrinLib10View(QWidget* parent = nullptr);

    void FillMcbRcboLists() { FillLists(); }
};
