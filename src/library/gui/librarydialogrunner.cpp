#include "librarydialogrunner.h"

#include "app/gui/programlook.h"

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

CLibraryEditorDlg::CLibraryEditorDlg(QWidget* parent) : QDialog(parent)
{
    UseModalDialogFrame(this);
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
