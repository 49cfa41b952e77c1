#include "sevrinlib24view.h"

CSevrinLib24View::CSevrinLib24View(QWidget* parent) : CLibraryPage(*FindLibraryPage("cableWeight"), parent)
{
}
