#include "grounding/gui/sevrinpro98view.h"

#include "app/gui/formview.h"
#include "app/gui/mainfrm.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "grounding/gui/pro9resultdlg.h"

#include <QPushButton>

CSevrinPro98View::CSevrinPro98View(QWidget* parent) : CGroundingPage(parent)
{
    m_list = new ReportListView(this, 20);
    m_list->setObjectName(QStringLiteral("1219"));
    m_list->setGeometry(Units().Rect(7, 7, 411, 391));
    QPushButton* open = AddButtonTo(this, Units(), 1008, tr("다른창으로 열기"), 427, 7, 69, 14);
    connect(open, &QPushButton::clicked, this, &CSevrinPro98View::OnShowSummaryDialog);
    BuildGroundingSummaryList(m_list);
    // Owned by the main window like a top-level dialog of the program; it outlives page
    // switches and is only hidden when closed.
    m_dialog = new CPro9ResultDlg(MainFrame());
}

CSevrinPro98View::~CSevrinPro98View()
{
    delete m_dialog;
}

void CSevrinPro98View::WriteSummaryValues(const GroundingSummaryValues& values)
{
    for (int row = 0; row < kGroundingSummaryRows; ++row) {
        m_list->rows()->setCell(row, 2, values[row]);
        if (m_dialog)
            m_dialog->List()->rows()->setCell(row, 2, values[row]);
    }
}

QStringList CSevrinPro98View::SummaryValues() const
{
    QStringList values;
    for (int row = 0; row < kGroundingSummaryRows; ++row)
        values.append(m_list->rows()->text(row, 2));
    return values;
}

void CSevrinPro98View::OnShowSummaryDialog()
{
    if (m_dialog) {
        m_dialog->show();
        m_dialog->raise();
    }
}
