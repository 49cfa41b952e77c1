#pragma once
// How the library pages run their editors: modally, after the editor has set its controls
// from the values its caller copied in. Tests replace the runner to work the controls and
// answer the editor as a user would.
#include <QDialog>

#include <functional>

// An editor of library values: OnInitDialog puts the values into the controls.
class QLabel;

class CLibraryEditorDlg : public QDialog
{
public:
    explicit CLibraryEditorDlg(QWidget* parent = nullptr);
    virtual void OnInitDialog() = 0;

protected:
    // A framed, centred table cell of the editors' value grids.
    static QLabel* MakeGridCell(const QString& text, QWidget* parent);
};

using LibraryDialogRunner = std::function<int(CLibraryEditorDlg&)>;

// Replaces the runner; an empty one restores the modal exec().
void SetLibraryDialogRunner(LibraryDialogRunner runner);
// OnInitDialog, then the runner; QDialog::Accepted when the editor ended with OK.
int RunLibraryDialog(CLibraryEditorDlg& dlg);
