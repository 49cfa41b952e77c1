#include "sevrinlib80view.h"

CSevrinLib80View::CSevrinLib80View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib80View"), parent)
{
}
