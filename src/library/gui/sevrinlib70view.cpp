#include "sevrinlib70view.h"

CSevrinLib70View::CSevrinLib70View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib70View"), parent)
{
}
