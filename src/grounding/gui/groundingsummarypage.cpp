#include "grounding/gui/groundingsummarypage.h"

#include "app/gui/formview.h"
#include "app/gui/mainfrm.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "grounding/gui/groundingsummarydlg.h"

#include <QPushButton>

CGroundingSummaryPage::CGroundingSummaryPage(QWidget* parent) : CGroundingPage(parent)
{
    m_list = new ReportListView(this, 20);
    m_list->setObjectName(QStringLiteral("1219"));
    m_list->setGeometry(Units().Rect(7, 7, 411, 391));
    QPushButton* open = AddButtonTo(this, Units(), 1008, tr("다른창으로 열기"), 427, 7, 69, 14);
    connect(open, &QPushButton::clicked, this, &CGroundingSummaryPage::OnShowSummaryDialog);
    BuildGroundingSummaryList(m_list);
    // Owned by the main window like a top-level dialog of the program; it outlives page
    // switches and is only hidden when closed.
    m_dialog = new CGroundingSummaryDlg(MainFrame());
}

CGroundingSummaryPage::~CGroundingSummaryPage()
{
    delete m_dialog;
}

void CGroundingSummaryPage::WriteSummaryValues(const GroundingSummaryValues& values)
{
    for (int row = 0; row < kGroundingSummaryRows; ++row) {
        m_list->rows()->setCell(row, 2, values[row]);
        if (m_dialog)
            m_dialog->List()->rows()->setCell(row, 2, values[row]);
    }
}

QStringList CGroundingSummaryPage::SummaryValues() const
{
    QStringList values;
    for (int row = 0; row < kGroundingSummaryRows; ++row)
        values.append(m_list->rows()->text(row, 2));
    return values;
}

void CGroundingSummaryPage::OnShowSummaryDialog()
{
    if (m_dialog) {
        m_dialog->show();
        m_dialog->raise();
    }
}
