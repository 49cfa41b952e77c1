#include "app/gui/sevrinapp.h"

#include <QApplication>

int RunSevrin(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return 0;
}
