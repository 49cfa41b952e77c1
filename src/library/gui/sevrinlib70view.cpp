#include "sevrinlib70view.h"

CSevrinLib70View::CSevrinLib70View(QWidget* parent) : CLibraryPage(*FindLibraryPage("groundingData"), parent)
{
}
