#include "breakermakerpage.h"

#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"
#include "app/gui/rowlistmodel.h"

#include <QComboBox>
#include <QSignalBlocker>

CBreakerMakerPage::CBreakerMakerPage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("breakerMaker"), parent)
{
}

void CBreakerMakerPage::ConnectControls()
{
    const DialogUnits units(font());
    m_makerCombo = new QComboBox(this);
    m_makerCombo->setObjectName(QStringLiteral("1162"));
    m_makerCombo->setEditable(true);
    m_makerCombo->setInsertPolicy(QComboBox::NoInsert);
    m_makerCombo->setCompleter(nullptr);
    m_makerCombo->setMaxVisibleItems(20);
    m_makerCombo->setGeometry(units.Rect(33, 22, 130, 14));
    // Only choosing an item loads a maker (the same one again too); typed text does nothing.
    connect(m_makerCombo, &QComboBox::activated, this, &CBreakerMakerPage::OnSelchangeMaker);
}

void CBreakerMakerPage::ReloadBreakerMakers()
{
    OnInitDialog();
    theApp.LoadBreakerWorkbook(true, 0);
    const LibNameList& makers = theApp.BreakerLibBlock.BreakerMakerList;
    {
        const QSignalBlocker block(m_makerCombo);
        m_makerCombo->clear();
        for (int i = 0; i < std::clamp(makers.Count, 0, LibNameList::Capacity); ++i)
            m_makerCombo->addItem(makers.Names[size_t(i)]);
        m_makerCombo->setCurrentIndex(0);
    }
    // An empty workbook has no maker to show: its lists stay empty.
    if (m_makerCombo->count() > 0)
        theApp.LoadBreakerWorkbook(false, 0);
    FillOperatingMultipleLists();
}

void CBreakerMakerPage::OnSelchangeMaker()
{
    const int sheet = m_makerCombo->currentIndex();
    if (sheet < 0)
        return;
    theApp.LoadBreakerWorkbook(false, sheet);
    FillOperatingMultipleLists();
}

void CBreakerMakerPage::FillOperatingMultipleLists()
{
    OnInitDialog();
    FillList(1147);
    FillList(1148);

    const LibGrid& grid = theApp.BreakerLibBlock.RatingFrameGrid;
    const int cols = std::clamp(grid.UsedCols, 0, LibGrid::Size);
    const int rows = std::clamp(grid.UsedRows, 0, LibGrid::Size);
    ReportListView* matrix = List(1149);
    QList<ReportColumn> columns;
    if (cols > 0)
        columns.append(ReportColumn{tr("AT"), QString(), 60, Qt::AlignCenter});
    for (int c = 1; c < cols; ++c)
        columns.append(ReportColumn{grid.Cell(c, 0), tr("AF"), 60, Qt::AlignCenter});
    // The columns are rebuilt from nothing, so no frame of an earlier maker stays behind.
    matrix->rows()->clear();
    matrix->setReportColumns(columns);
    std::vector<QStringList> body;
    for (int r = 1; r < rows; ++r) {
        QStringList row;
        for (int c = 0; c < cols; ++c)
            row.append(grid.Cell(c, r));
        body.push_back(std::move(row));
    }
    matrix->rows()->setRows(std::move(body));
}
