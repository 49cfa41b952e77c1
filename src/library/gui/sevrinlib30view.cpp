#include "sevrinlib30view.h"

CSevrinLib30View::CSevrinLib30View(QWidget* parent) : CLibraryPage(*FindLibraryPage("transformerData"), parent)
{
}
