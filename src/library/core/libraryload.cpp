// Start-up check of the reference workbooks. This file is a stand-in until the library
// loader is built: it only loads each workbook (and reads nothing from it), and ends the
// program when it cannot be loaded, as the real loader does.
#include "app/core/sevrin.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

namespace {

void RequireWorkbook(const QString& path)
{
    Book book;
    if (book.load(path))
        return;
    Prompt::Message(QStringLiteral("적합한 Lib 파일을 찾지 못했습니다.\n%1").arg(path));
    Prompt::ExitProgram(1);
}

}  // namespace

void CSevrinApp::LoadLibraryWorkbook()
{
    RequireWorkbook(ProjectPathTable.LibWorkbookPath);
}

void CSevrinApp::LoadBreakerWorkbook(bool listMode, int sheetIndex)
{
    Q_UNUSED(listMode);
    Q_UNUSED(sheetIndex);
    RequireWorkbook(ProjectPathTable.BreakerWorkbookPath);
}
