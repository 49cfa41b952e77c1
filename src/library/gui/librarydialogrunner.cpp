#include "librarydialogrunner.h"

#include <QLabel>

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

QLabel* CLibraryEditorDlg::MakeGridCell(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    label->setMinimumHeight(24);
    label->setMinimumWidth(64);
    label->setMargin(4);
    return label;
}
