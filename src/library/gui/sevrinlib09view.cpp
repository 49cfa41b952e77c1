#include "sevrinlib09view.h"

CSevrinLib09View::CSevrinLib09View(QWidget* parent) : CLibraryPage(*FindLibraryPage("correctionFactors"), parent)
{
}
