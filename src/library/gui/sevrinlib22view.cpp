#include "sevrinlib22view.h"

CSevrinLib22View::CSevrinLib22View(QWidget* parent) : CLibraryPage(*FindLibraryPage("wireOuterDiameter"), parent)
{
}
