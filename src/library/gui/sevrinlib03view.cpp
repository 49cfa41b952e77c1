#include "sevrinlib03view.h"

CSevrinLib03View::CSevrinLib03View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib03View"), parent)
{
}
