#include "sevrinlib20view.h"

CSevrinLib20View::CSevrinLib20View(QWidget* parent) : CLibraryPage(*FindLibraryPage("cvOuterDiameter"), parent)
{
}
