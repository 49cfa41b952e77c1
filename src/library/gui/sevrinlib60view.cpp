#include "sevrinlib60view.h"

CSevrinLib60View::CSevrinLib60View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib60View"), parent)
{
}
