#include "sevrinlib25view.h"

CSevrinLib25View::CSevrinLib25View(QWidget* parent) : CLibraryPage(*FindLibraryPage("trayWeight"), parent)
{
}
