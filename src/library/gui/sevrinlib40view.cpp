#include "sevrinlib40view.h"

CSevrinLib40View::CSevrinLib40View(QWidget* parent) : CLibraryPage(*FindLibraryPage("generatorData"), parent)
{
}
