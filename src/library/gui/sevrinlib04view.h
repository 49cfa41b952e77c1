#pragma once
// Library page: impedances of HFIX wires.
#include "library/gui/librarypage.h"

class CSevrinLib04View : public CLibraryPage
{
public:
    explicit CSevrinLib04View(QWidget* parent = nullptr);

    void FillHfixImpedanceList() { FillLists(); }
};
