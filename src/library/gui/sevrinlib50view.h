#pragma once
// Library page: motor characteristics.
#include "library/gui/librarypage.h"

class CSevrinLib50View : public CLibraryPage
{
public:
    explicit CSevrinLib50View(QWidget* parent = nullptr);

    void FillMotorDataList() { FillLists(); }
};
