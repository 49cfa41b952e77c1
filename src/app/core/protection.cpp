// Sheet protection of the project's workbooks, the reference workbooks and the report
// template: off while a project is open (so the workbooks can be edited by hand alongside),
// on again when the program ends.
#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

QStringList ProtectedWorkbooks(const CSevrinApp& app)
{
    const CSevrinApp::ProjectPathTableT& p = app.ProjectPathTable;
    // No project: nothing of a project to switch (an empty path must not turn into files
    // named "_10.xlsx" in the working directory).
    QStringList paths = ProjectWorkbookPaths(p.CurrentProjectPath);
    paths << p.LibWorkbookPath << p.BreakerWorkbookPath << p.FormXlsxPath;
    return paths;
}

}  // namespace

void CSevrinApp::SetWorkbookProtection(const QString& path, bool protect)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    Book book;
    if (!book.load(path))
        return;
    bool changed = false;
    for (int i = 0; i < book.sheetCount(); ++i) {
        Sheet* sheet = book.getSheet(i);
        if (sheet && sheet->protect() != protect) {
            sheet->setProtect(protect);
            changed = true;
        }
    }
    // A workbook that does not take the switch keeps its contents and its protection as they
    // were; the next load or exit tries again.
    if (changed)
        static_cast<void>(book.save(path));
}

void CSevrinApp::ProtectAllWorkbooks()
{
    for (const QString& path : ProtectedWorkbooks(*this))
        SetWorkbookProtection(path, true);
}

void CSevrinApp::UnprotectAllWorkbooks()
{
    for (const QString& path : ProtectedWorkbooks(*this))
        SetWorkbookProtection(path, false);
}
