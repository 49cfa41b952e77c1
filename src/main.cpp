#include "app/gui/sevrinapp.h"

int main(int argc, char* argv[])
{
    return RunSevrin(argc, argv);
}
