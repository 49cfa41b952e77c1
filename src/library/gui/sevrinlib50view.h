#pragma once
// Library page: motor characteristics.
#include "library/gui/librarypage.h"

class CSevrinLib50View : public CSevrinLibPage
{
public:
    explicit CSevrinLib50View(QWidget* parent = nullptr);

    void FillMotorDataList() { FillLists(); }
};
