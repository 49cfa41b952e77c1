#pragma once
// Library page: transformer ratings and impedances.
#include "library/gui/librarypage.h"

class CSevrinLib30View : public CLibraryPage
{
public:
    explicit CSevrinLib30View(QWidget* parent = nullptr);

    void FillTransformerDataLists() { FillLists(); }
};
