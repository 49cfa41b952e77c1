#include "sevrinlib10view.h"

CSevrinLib10View::CSevrinLib10View(QWidget* parent) : CLibraryPage(*FindLibraryPage("mcbRcbo"), parent)
{
}
