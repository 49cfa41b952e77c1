#include "sevrinlib60view.h"

CSevrinLib60View::CSevrinLib60View(QWidget* parent) : CLibraryPage(*FindLibraryPage("switchgearData"), parent)
{
}
