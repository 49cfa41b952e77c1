// Sheet protection of the project's workbooks, the reference workbooks and the report
// template. Stand-in until the workbook protection is built: switches nothing.
#include "app/core/sevrin.h"

void CSevrinApp::ProtectAllWorkbooks()
{
    // filled in when the workbook protection is built
}

void CSevrinApp::UnprotectAllWorkbooks()
{
    // filled in when the workbook protection is built
}
