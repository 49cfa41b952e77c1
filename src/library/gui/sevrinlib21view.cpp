#include "sevrinlib21view.h"

CSevrinLib21View::CSevrinLib21View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib21View"), parent)
{
}
