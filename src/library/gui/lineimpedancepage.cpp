#include "lineimpedancepage.h"

#include "library/gui/helpdlg.h"

#include <QPushButton>

CLineImpedancePage::CLineImpedancePage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("lineImpedance"), parent)
{
}

void CLineImpedancePage::ConnectControls()
{
    if (QPushButton* help = Button(1105))
        connect(help, &QPushButton::clicked, this, &CLineImpedancePage::OnCableTypeHelp);
}

void CLineImpedancePage::OnCableTypeHelp()
{
    // Modeless, with no owner keeping it: the window frees itself when closed.
    auto* dlg = new CHelpDlg;
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->OnInitDialog();
    dlg->show();
}
