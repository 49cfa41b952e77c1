#include "sevrinlib03view.h"

CSevrinLib03View::CSevrinLib03View(QWidget* parent) : CLibraryPage(*FindLibraryPage("fr8CableImpedance"), parent)
{
}
