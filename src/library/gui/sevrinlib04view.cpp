#include "sevrinlib04view.h"

CSevrinLib04View::CSevrinLib04View(QWidget* parent) : CLibraryPage(*FindLibraryPage("hfixImpedance"), parent)
{
}
