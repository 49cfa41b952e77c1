#include "sevrinlib00view.h"

#include "library/gui/helpdlg.h"

#include <QPushButton>

CSevrinLib00View::CSevrinLib00View(QWidget* parent)
    : CSevrinLibPage(*FindLibraryPage("CSevrinLib00View"), parent)
{
}

void CSevrinLib00View::ConnectControls()
{
    if (QPushButton* help = Button(1105))
        connect(help, &QPushButton::clicked, this, &CSevrinLib00View::OnCableTypeHelp);
}

void CSevrinLib00View::OnCableTypeHelp()
{
    // Modeless, with no owner keeping it: the window frees itself when closed.
    auto* dlg = new CHelpDlg;
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->OnInitDialog();
    dlg->show();
}
