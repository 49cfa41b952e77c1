#include "sevrinlib12view.h"

CSevrinLib12View::CSevrinLib12View(QWidget* parent) : CLibraryPage(*FindLibraryPage("cbr"), parent)
{
}
