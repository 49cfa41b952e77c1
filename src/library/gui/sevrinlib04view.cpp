#include "sevrinlib04view.h"

CSevrinLib04View::CSevrinLib04View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib04View"), parent)
{
}
