#include "cablepickerdlg.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/core/cableschedule.h"
#include "platform/xlsxbook.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace {

// List column -> cable row column.
constexpr int kSourceColumns[12] = {0, 1, 2, 3, 104, 105, 106, 107, 108, 109, 110, 111};

}  // namespace

CCablePickerDlg::CCablePickerDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("케이블&차단기 리스트"));
    m_list = new ReportListView(this, 40);
    m_list->setObjectName(QStringLiteral("1001"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("확인"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("1"));
    buttons->addButton(tr("취소"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QAbstractItemView::clicked, this, &CCablePickerDlg::OnClickCableBreakerList);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(1080, 600);
}

void CCablePickerDlg::showEvent(QShowEvent* event)
{
    if (!m_initialized)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CCablePickerDlg::OnInitDialog()
{
    m_initialized = true;
    const QString spec = QStringLiteral("CABLE SPEC.");
    m_list->setReportColumns({
        {QStringLiteral("No."), QString(), 40},
        {QStringLiteral("CBL.\nNo."), QString(), 160},
        {QStringLiteral("From"), QString(), 80},
        {QStringLiteral("To"), QString(), 80},
        {QStringLiteral("VOLT"), spec, 80},
        {QStringLiteral("TYPE"), spec, 80},
        {QStringLiteral("SQ"), spec, 80},
        {QStringLiteral("공사방법"), spec, 80},
        {QStringLiteral("CORE"), spec, 80},
        {QStringLiteral("LINE"), spec, 80},
        {QStringLiteral("PE"), spec, 80},
        {QStringLiteral("CONDUIT"), spec, 80},
    });
    PickedCableTexts.fill(QString());

    std::vector<QStringList> rows;
    companion::WorkbookAccess wb(theApp.CompanionPath(CSevrinApp::CableWorkbook),
                                 companion::WorkbookAccess::Mode::Read);
    if (const Sheet* sheet = wb.sheet(0)) {
        CableRow row;
        for (int r = 0; r < kCableRowLimit; ++r) {
            companion::ReadRow(*sheet, r, row);
            if (row[0].isEmpty())
                break;
            QStringList cells;
            cells.reserve(12);
            cells.append(QString::number(r + 1));  // numbered by position, whatever is stored
            for (int c = 1; c < 12; ++c)
                cells.append(row[std::size_t(kSourceColumns[c])]);
            rows.push_back(std::move(cells));
        }
    }
    m_list->rows()->setRows(std::move(rows));
}

void CCablePickerDlg::OnClickCableBreakerList()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount())
        return;
    const QStringList cells = m_list->rows()->row(sel);
    for (int c = 0; c < 12; ++c)
        PickedCableTexts[std::size_t(c)] = cells.value(c);
    const QString mm2 = QStringLiteral("㎟");
    PickedCableTexts[6].remove(mm2);
    PickedCableTexts[8].remove(QLatin1Char('C'));
    PickedCableTexts[9].remove(QLatin1Char('L'));
    PickedCableTexts[10].remove(mm2);
}
