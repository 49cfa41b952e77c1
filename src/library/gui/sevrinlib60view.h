#pragma once
// Library page: switchgear data (built and filled, never shown).
#include "library/gui/librarypage.h"

class CSevrinLib60View : public CLibraryPage
{
public:
    explicit CSevrinLib60View(QWidget* parent = nullptr);

    void FillSwitchgearLists() { FillLists(); }
};
