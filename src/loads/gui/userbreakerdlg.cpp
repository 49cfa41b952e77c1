#include "loads/gui/userbreakerdlg.h"

#include "app/core/sevrin.h"
#include "app/gui/programlook.h"
#include "app/gui/rowlistmodel.h"
#include "platform/prompt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kColumnWidth = 60;
const QString kNoRating = QStringLiteral("-");

BreakerEditorRunner& Runner()
{
    static BreakerEditorRunner runner;
    return runner;
}

// Edits under fixed captions, side by side, above their list.
template <std::size_t N>
QGridLayout* EditRow(const std::array<const char*, N>& captions, std::array<QLineEdit*, N>& edits,
                     QWidget* parent)
{
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < N; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), parent);
        label->setAlignment(Qt::AlignCenter);
        edits[i] = new QLineEdit(parent);
        edits[i]->setFixedWidth(kColumnWidth);
        edits[i]->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, int(i));
        grid->addWidget(edits[i], 1, int(i));
    }
    return grid;
}

}  // namespace

CUserBreakerDlg::CUserBreakerDlg(QWidget* parent) : QDialog(parent)
{
    UseModalDialogFrame(this);
    setWindowTitle(tr("차단기 규약동작배율 사용자 입력"));

    const std::array<const char*, ButtonCount> captions = {"추가", "수정", "삭제", "추가", "수정",
                                                           "삭제", "적용", "확인", "취소"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        m_buttons[i] = new QPushButton(tr(captions[i]), this);
        m_buttons[i]->setAutoDefault(false);
    }
    ButtonAt(Ok)->setDefault(true);
    ButtonAt(Ok)->setObjectName(QStringLiteral("1"));
    ButtonAt(Cancel)->setObjectName(QStringLiteral("2"));

    m_ratingList = new ReportListView(this, 40);
    m_ratingList->setObjectName(QStringLiteral("ratingList"));
    m_frameList = new ReportListView(this, 40);
    m_frameList->setObjectName(QStringLiteral("frameList"));
    m_grid = new ReportListView(this, 40);
    m_grid->setObjectName(QStringLiteral("gridList"));

    auto* rating = new QVBoxLayout;
    rating->addLayout(EditRow<6>({"AT", "4", "6", "10", "15", "20"}, m_ratingEdits, this));
    auto* ratingButtons = new QHBoxLayout;
    ratingButtons->addStretch();
    for (Button b : {AddRating, ModifyRating, DeleteRating})
        ratingButtons->addWidget(ButtonAt(b));
    rating->addLayout(ratingButtons);
    rating->addWidget(m_ratingList, 1);

    auto* frame = new QVBoxLayout;
    frame->addLayout(EditRow<3>({"AF", "kA", "TYPE"}, m_frameEdits, this));
    auto* frameButtons = new QHBoxLayout;
    frameButtons->addStretch();
    for (Button b : {AddFrame, ModifyFrame, DeleteFrame})
        frameButtons->addWidget(ButtonAt(b));
    frame->addLayout(frameButtons);
    frame->addWidget(m_frameList, 1);

    auto* grid = new QVBoxLayout;
    auto* gridTop = new QHBoxLayout;
    gridTop->addStretch();
    gridTop->addWidget(ButtonAt(ApplyGrid));
    gridTop->addWidget(ButtonAt(Ok));
    grid->addLayout(gridTop);
    grid->addWidget(m_grid, 1);

    auto* lists = new QHBoxLayout;
    lists->addLayout(rating, 6);
    lists->addLayout(frame, 3);
    lists->addLayout(grid, 8);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ButtonAt(Cancel));
    bottom->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(1200, 620);

    connect(ButtonAt(AddRating), &QPushButton::clicked, this, &CUserBreakerDlg::OnAddRatingRow);
    connect(ButtonAt(ModifyRating), &QPushButton::clicked, this, &CUserBreakerDlg::OnModifyRatingRow);
    connect(ButtonAt(DeleteRating), &QPushButton::clicked, this, &CUserBreakerDlg::OnDeleteRatingRow);
    connect(ButtonAt(AddFrame), &QPushButton::clicked, this, &CUserBreakerDlg::OnAddFrameRow);
    connect(ButtonAt(ModifyFrame), &QPushButton::clicked, this, &CUserBreakerDlg::OnModifyFrameRow);
    connect(ButtonAt(DeleteFrame), &QPushButton::clicked, this, &CUserBreakerDlg::OnDeleteFrameRow);
    connect(ButtonAt(ApplyGrid), &QPushButton::clicked, this, &CUserBreakerDlg::OnApplyGrid);
    connect(ButtonAt(Ok), &QPushButton::clicked, this, [this] {
        StoreUserBreakerTables();
        accept();
    });
    connect(ButtonAt(Cancel), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ratingList, &QAbstractItemView::clicked, this, &CUserBreakerDlg::OnClickRatingList);
    connect(m_frameList, &QAbstractItemView::clicked, this, &CUserBreakerDlg::OnClickFrameList);
    connect(m_grid, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnClickGridCell(index.row(), index.column()); });
}

void CUserBreakerDlg::OnInitDialog()
{
    const QString delta = QStringLiteral("δ");
    m_ratingList->setReportColumns({{QStringLiteral("AT"), QString(), kColumnWidth},
                                    {QStringLiteral("4"), delta, kColumnWidth},
                                    {QStringLiteral("6"), delta, kColumnWidth},
                                    {QStringLiteral("10"), delta, kColumnWidth},
                                    {QStringLiteral("15"), delta, kColumnWidth},
                                    {QStringLiteral("20"), delta, kColumnWidth}});
    m_frameList->setReportColumns({{QStringLiteral("AF"), QString(), kColumnWidth},
                                   {QStringLiteral("kA"), QString(), kColumnWidth},
                                   {QStringLiteral("TYPE"), QString(), kColumnWidth}});
    LoadUserBreakerTables();
}

void CUserBreakerDlg::SetGridColumns()
{
    QList<ReportColumn> columns{{QStringLiteral("AT"), QString(), kColumnWidth}};
    for (int t = 1; t < m_gridCols; ++t)
        columns.append({m_frameList->rows()->text(t - 1, 0), QStringLiteral("AF"), kColumnWidth});
    m_grid->rows()->clear();
    m_grid->setReportColumns(columns);
}

void CUserBreakerDlg::LoadUserBreakerTables()
{
    theApp.LoadBreakerWorkbook(false, SheetIndex);
    const BreakerLibBlockT& b = theApp.BreakerLibBlock;
    const LibTable& ratings = b.MakerRatingTable;
    const LibTable& frames = b.MakerFrameTable;
    const LibGrid& grid = b.RatingFrameGrid;
    m_ratingCount = std::clamp(ratings.Count, 0, ratings.capacity());
    m_frameCount = std::clamp(frames.Count, 0, frames.capacity());
    m_gridCols = std::clamp(grid.UsedCols, 0, LibGrid::Size);
    m_gridRows = std::clamp(grid.UsedRows, 0, LibGrid::Size);

    // Ratings and frames are shown even when the other table is empty, so that what the sheet
    // holds is what the dialog shows and stores again.
    std::vector<QStringList> rows;
    for (int e = 0; e < m_ratingCount; ++e) {
        QStringList row;
        for (int p = 0; p < 6; ++p)
            row.append(ratings.Cell(e, p));
        rows.push_back(std::move(row));
    }
    m_ratingList->rows()->setRows(std::move(rows));
    rows.clear();
    for (int e = 0; e < m_frameCount; ++e)
        rows.push_back({frames.Cell(e, 0), frames.Cell(e, 1), frames.Cell(e, 2)});
    m_frameList->rows()->setRows(std::move(rows));

    SetGridColumns();
    rows.clear();
    for (int u = 1; u < m_gridRows; ++u) {
        QStringList row{m_ratingList->rows()->text(u - 1, 0)};
        for (int t = 1; t < m_gridCols; ++t) {
            const QString& cell = grid.Cell(t, u);
            row.append(cell.isEmpty() ? kNoRating : cell);
        }
        rows.push_back(std::move(row));
    }
    m_grid->rows()->setRows(std::move(rows));
}

void CUserBreakerDlg::RebuildGrid()
{
    if (m_ratingCount == 0 || m_frameCount == 0)
        return;
    m_gridCols = std::min(m_frameCount, MaxEntries) + 1;
    m_gridRows = std::min(m_ratingCount, MaxEntries) + 1;
    SetGridColumns();
    std::vector<QStringList> rows;
    for (int u = 1; u < m_gridRows; ++u) {
        QStringList row{m_ratingList->rows()->text(u - 1, 0)};
        for (int t = 1; t < m_gridCols; ++t)
            row.append(kNoRating);
        rows.push_back(std::move(row));
    }
    m_grid->rows()->setRows(std::move(rows));
}

void CUserBreakerDlg::StoreUserBreakerTables()
{
    BreakerLibBlockT& b = theApp.BreakerLibBlock;
    LibTable& ratings = b.MakerRatingTable;
    LibTable& frames = b.MakerFrameTable;
    LibGrid& grid = b.RatingFrameGrid;
    ratings.Count = std::min(m_ratingCount, ratings.capacity());
    frames.Count = std::min(m_frameCount, frames.capacity());
    grid.UsedCols = std::min(m_gridCols, LibGrid::Size);
    grid.UsedRows = std::min(m_gridRows, LibGrid::Size);

    for (int e = 0; e < ratings.Count; ++e)
        for (int p = 0; p < 6; ++p)
            ratings.Cell(e, p) = m_ratingList->rows()->text(e, p);
    for (int e = 0; e < frames.Count; ++e)
        for (int p = 0; p < 3; ++p)
            frames.Cell(e, p) = m_frameList->rows()->text(e, p);
    for (int u = 0; u < grid.UsedRows; ++u) {
        for (int t = 0; t < grid.UsedCols; ++t) {
            if (u > 0)
                grid.Cell(t, u) = m_grid->rows()->text(u - 1, t);
            else if (t > 0)  // the heading row follows the frames as stored
                grid.Cell(t, u) = t - 1 < frames.Count ? frames.Cell(t - 1, 0) : QString();
            else
                grid.Cell(t, u).clear();
        }
    }
}

QStringList CUserBreakerDlg::ReadRatingFields() const
{
    QStringList fields;
    for (const QLineEdit* edit : m_ratingEdits)
        fields.append(edit->text());
    return fields;
}

QStringList CUserBreakerDlg::ReadFrameFields() const
{
    QStringList fields;
    for (const QLineEdit* edit : m_frameEdits)
        fields.append(edit->text());
    return fields;
}

void CUserBreakerDlg::OnAddRatingRow()
{
    if (m_ratingCount >= MaxEntries) {
        Prompt::Message(tr("정격(AT)은 %1개까지 입력할 수 있습니다.").arg(MaxEntries));
        return;
    }
    m_ratingList->rows()->insertRow(m_ratingCount, ReadRatingFields());
    ++m_ratingCount;
}

void CUserBreakerDlg::OnModifyRatingRow()
{
    const int mark = m_ratingList->selectionMark();
    if (mark < 0)
        return;
    m_ratingList->rows()->setRow(mark, ReadRatingFields());
    m_ratingList->setSelectionMark(-1);
}

void CUserBreakerDlg::OnDeleteRatingRow()
{
    const int mark = m_ratingList->selectionMark();
    if (mark < 0)
        return;
    m_ratingList->rows()->removeRow(mark);
    --m_ratingCount;
    m_ratingList->setSelectionMark(std::min(mark, m_ratingList->rows()->rowCount() - 1));
}

void CUserBreakerDlg::OnAddFrameRow()
{
    if (m_frameCount >= MaxEntries) {
        Prompt::Message(tr("프레임(AF)은 %1개까지 입력할 수 있습니다.").arg(MaxEntries));
        return;
    }
    m_frameList->rows()->insertRow(m_frameCount, ReadFrameFields());
    ++m_frameCount;
}

void CUserBreakerDlg::OnModifyFrameRow()
{
    const int mark = m_frameList->selectionMark();
    if (mark < 0)
        return;
    m_frameList->rows()->setRow(mark, ReadFrameFields());
    m_frameList->setSelectionMark(-1);
}

void CUserBreakerDlg::OnDeleteFrameRow()
{
    const int mark = m_frameList->selectionMark();
    if (mark < 0)
        return;
    m_frameList->rows()->removeRow(mark);
    --m_frameCount;
    m_frameList->setSelectionMark(std::min(mark, m_frameList->rows()->rowCount() - 1));
}

void CUserBreakerDlg::OnClickRatingList()
{
    const int mark = m_ratingList->selectionMark();
    if (mark < 0)
        return;
    for (int p = 0; p < 6; ++p)
        m_ratingEdits[std::size_t(p)]->setText(m_ratingList->rows()->text(mark, p));
}

void CUserBreakerDlg::OnClickFrameList()
{
    const int mark = m_frameList->selectionMark();
    if (mark < 0)
        return;
    for (int p = 0; p < 3; ++p)
        m_frameEdits[std::size_t(p)]->setText(m_frameList->rows()->text(mark, p));
}

void CUserBreakerDlg::OnApplyGrid()
{
    RebuildGrid();
}

void CUserBreakerDlg::OnClickGridCell(int row, int column)
{
    RowListModel* grid = m_grid->rows();
    if (column <= 0 || column >= grid->columnCount() || row < 0 || row >= grid->rowCount())
        return;
    const QString at = grid->text(row, 0);
    grid->setCell(row, column, grid->text(row, column) != at ? at : kNoRating);
}

void SetBreakerEditorRunner(BreakerEditorRunner runner)
{
    Runner() = std::move(runner);
}

int RunBreakerEditor(CUserBreakerDlg& dlg)
{
    dlg.OnInitDialog();
    if (Runner())
        return Runner()(dlg);
    return dlg.exec();
}
