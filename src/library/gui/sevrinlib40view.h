#pragma once
// Library page: generator ratings.
#include "library/gui/librarypage.h"

class CSevrinLib40View : public CLibraryPage
{
public:
    explicit CSevrinLib40View(QWidget* parent = nullptr);

    void FillGeneratorDataList() { FillLists(); }
};
