#include "fault/gui/debugdlg.h"
#include "app/core/quantity.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Rows 17..26 are the reference system and base of transformer (r - 17) mod 5.
constexpr int kFirstReferenceRow = 17;
constexpr int kFirstTransformerRow = 2;

}  // namespace

CDebugDlg::CDebugDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("TR Imp."));
    resize(560, 600);
    m_list = new ReportListView(this, 40);
    m_list->setObjectName(QStringLiteral("1731"));
    const QString group = QStringLiteral("IMPEDANCE COMPOSITION");
    m_list->setReportColumns({{QStringLiteral("NO."), QString(), 40},
                              {QStringLiteral("CBL.(EQ) NO."), QString(), 150},
                              {QStringLiteral("R90"), group, 80},
                              {QStringLiteral("R20"), group, 80},
                              {QStringLiteral("R250"), group, 80},
                              {QStringLiteral("X"), group, 80}});
    auto* cancel = new QPushButton(tr("취소"), this);
    cancel->setObjectName(QStringLiteral("2"));
    auto* ok = new QPushButton(tr("확인"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    FillImpedanceSummary();
}

void CDebugDlg::FillImpedanceSummary()
{
    const auto& s = theApp.FaultCurrentBlock.ImpedanceSummary;
    const auto text = [&s](int r, int i) { return s[std::size_t(r * fault::kSummaryTexts + i)]; };
    const auto weight = [&text](int r) {
        double w = 0.0;
        for (int i = 1; i <= 4; ++i)
            w += CellQuantity(text(r, i), QuantitySign::Any, 0.0);
        return w;
    };
    std::vector<QStringList> rows;
    rows.reserve(fault::kSummaryRows);
    for (int r = 0; r < fault::kSummaryRows; ++r) {
        QStringList row{QString::number(r + 1), text(r, 0)};
        // A transformer without impedance has no reference system and no base.
        const bool noTransformer =
            r >= kFirstReferenceRow &&
            weight(kFirstTransformerRow + (r - kFirstReferenceRow) % 5) == 0.0;
        for (int i = 1; i <= 4; ++i)
            row << (noTransformer ? QStringLiteral("0.000000") : text(r, i));
        rows.push_back(row);
    }
    m_list->rows()->setRows(std::move(rows));
}
