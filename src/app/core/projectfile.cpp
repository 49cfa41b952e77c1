// Reading the project file into the blocks. Stand-in until the project file is built: it
// reads nothing and reports success, so screen switching can be exercised.
#include "app/core/sevrin.h"

bool CSevrinApp::LoadProjectFile(const QString& path)
{
    Q_UNUSED(path);
    // filled in when the project file is built
    return true;
}
