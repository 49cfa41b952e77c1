#include "sevrinlib07view.h"

CSevrinLib07View::CSevrinLib07View(QWidget* parent) : CLibraryPage(*FindLibraryPage("deratedCurrent"), parent)
{
}
