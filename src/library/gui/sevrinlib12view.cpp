#include "sevrinlib12view.h"

CSevrinLib12View::CSevrinLib12View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib12View"), parent)
{
}
