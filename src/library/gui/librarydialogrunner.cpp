#include "librarydialogrunner.h"

namespace {

LibraryDialogRunner& Runner()
{
    static LibraryDialogRunner runner;
    return runner;
}

}  // namespace

void SetLibraryDialogRunner(LibraryDialogRunner runner)
{
    Runner() = std::move(runner);
}

int RunLibraryDialog(CLibraryEditorDlg& dlg)
{
    dlg.OnInitDialog();
    if (Runner())
        return Runner()(dlg);
    return dlg.exec();
}
