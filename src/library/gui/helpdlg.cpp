#include "helpdlg.h"

#include "app/core/sevrin.h"
#include "app/gui/headerctrlex.h"
#include "app/gui/rowlistmodel.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CHelpDlg::CHelpDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("케이블 타입"));
    m_list = new QTableWidget(this);
    m_list->setObjectName(QStringLiteral("1166"));
    m_list->setFont(ReportListFont());
    m_list->horizontalHeader()->hide();
    m_list->verticalHeader()->hide();
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setShowGrid(true);
    CutCellTextTips::InstallOn(m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    resize(400, 320);
}

void CHelpDlg::OnInitDialog()
{
    const LibTable& legend = theApp.CableLibBlock.CableTypeLegend;
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_list->setColumnCount(3);
    const int widths[3] = {60, 250, 60};
    for (int c = 0; c < 3; ++c)
        m_list->setColumnWidth(c, widths[c]);
    const int count = std::clamp(legend.Count, 0, legend.capacity());
    m_list->setRowCount(count);
    for (int e = 0; e < count; ++e) {
        for (int p = 0; p < 3; ++p) {
            auto* item = new QTableWidgetItem(legend.Cell(e, p));
            item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(e, p, item);
        }
    }
    m_list->setUpdatesEnabled(true);
}
