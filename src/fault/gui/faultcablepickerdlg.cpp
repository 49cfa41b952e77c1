#include "fault/gui/faultcablepickerdlg.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CFaultCablePickerDlg::CFaultCablePickerDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("List"));
    resize(1300, 760);
    m_list = new ReportListView(this, 40);
    m_list->setObjectName(QStringLiteral("1599"));
    const QString spec = QStringLiteral("CABLE SPEC.");
    const QString imp = QStringLiteral("IMPEDANCE COMPOSITION");
    m_list->setReportColumns({{QStringLiteral("NO."), QString(), 40},
                              {QStringLiteral("CBL.(EQ) NO."), QString(), 180},
                              {QStringLiteral("FROM"), QString(), 70},
                              {QStringLiteral("TO"), QString(), 70},
                              {QStringLiteral("[m]"), QStringLiteral("LENGTH"), 70},
                              {QStringLiteral("TYPE"), spec, 70},
                              {QStringLiteral("SQ[㎟]"), spec, 70},
                              {QStringLiteral("CORE"), spec, 70},
                              {QStringLiteral("LINE"), spec, 70},
                              {QStringLiteral("PE[㎟]"), spec, 70},
                              {QStringLiteral("N"), spec, 70},
                              {QStringLiteral("R90[Ω]"), imp, 80},
                              {QStringLiteral("R20[Ω]"), imp, 80},
                              {QStringLiteral("R250[Ω]"), imp, 80},
                              {QStringLiteral("X[Ω]"), imp, 80},
                              {QStringLiteral("RPE250[Ω]"), imp, 80},
                              {QStringLiteral("XPE[Ω]"), imp, 80}});
    connect(m_list, &QTableView::clicked, this, &CFaultCablePickerDlg::OnClickCableList);
    auto* ok = new QPushButton(tr("확인"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("취소"), this);
    cancel->setObjectName(QStringLiteral("2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    FillCableRows();
}

void CFaultCablePickerDlg::FillCableRows()
{
    auto& b = theApp.FaultCurrentBlock;
    std::vector<QStringList> rows;
    {
        // Only read: a missing or unreadable workbook, or one without the cable sheet, gives an
        // empty list and is left as it is.
        companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::FaultDataWorkbook),
                                     companion::WorkbookAccess::Mode::Read);
        const Sheet* sheet = wb.ok() ? wb.sheet(fault::CableSheet) : nullptr;
        for (int r = 0; sheet && r < fault::kMaxListRows; ++r) {
            companion::ReadRow(*sheet, r, b.FaultCableRow);
            if (b.FaultCableRow[0].isEmpty())
                break;
            b.FaultCableRow[0] = QString::number(r + 1);
            QStringList row;
            for (const QString& cell : b.FaultCableRow)
                row << cell;
            rows.push_back(row);
        }
    }
    m_list->rows()->setRows(std::move(rows));
    for (int c = 0; c <= 16; ++c)
        b.BusRow[std::size_t(c)].clear();
}

void CFaultCablePickerDlg::OnClickCableList()
{
    const int s = m_list->selectionMark();
    if (s < 0)
        return;
    for (int j = 0; j < 16; ++j)
        theApp.FaultCurrentBlock.BusRow[std::size_t(j)] = m_list->rows()->text(s, j + 1);
}
