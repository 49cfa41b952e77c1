#include "sevrinlib20view.h"

CSevrinLib20View::CSevrinLib20View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib20View"), parent)
{
}
