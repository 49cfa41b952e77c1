// Start-up check of the reference workbooks. This file is a stand-in until the library
// loader is built: it only checks that each workbook is there and is an .xlsx package (a zip
// file), and ends the program when it is not, as the real loader does.
#include "app/core/sevrin.h"
#include "platform/prompt.h"

#include <QFile>

namespace {

bool LooksLikeWorkbook(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(4) == QByteArray("PK\x03\x04", 4);
}

void RequireWorkbook(const QString& path)
{
    if (LooksLikeWorkbook(path))
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
