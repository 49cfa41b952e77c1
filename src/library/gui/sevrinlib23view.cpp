#include "sevrinlib23view.h"

CSevrinLib23View::CSevrinLib23View(QWidget* parent) : CLibraryPage(*FindLibraryPage("conduit"), parent)
{
}
