#pragma once
// Library page: derived size tables per installation method.
#include "library/gui/librarypage.h"

class CSevrinLib06View : public CSevrinLibPage
{
public:
    explicit CSevrinLib06View(QWidget* parent = nullptr);

    void FillMethodCurrentLists() { FillLists(); }
};
