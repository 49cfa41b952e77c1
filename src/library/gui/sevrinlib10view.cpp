#include "sevrinlib10view.h"

CSevrinLib10View::CSevrinLib10View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib10View"), parent)
{
}
