#include "sevrinlib80view.h"

CSevrinLib80View::CSevrinLib80View(QWidget* parent) : CLibraryPage(*FindLibraryPage("demandFactor"), parent)
{
}
