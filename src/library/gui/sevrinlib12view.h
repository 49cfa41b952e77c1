#pragma once
// Library page: CBR.
#include "library/gui/librarypage.h"

class CSevrinLib12View : public CSevrinLibPage
{
public:
    explicit CSevrinLib12View(QWidget* parent = nullptr);

    void FillCbrLists() { FillLists(); }
};
