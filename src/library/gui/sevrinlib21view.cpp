#include "sevrinlib21view.h"

CSevrinLib21View::CSevrinLib21View(QWidget* parent) : CLibraryPage(*FindLibraryPage("fr8OuterDiameter"), parent)
{
}
