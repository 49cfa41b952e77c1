#include "boardsheetpage.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/core/cableapp.h"
#include "loads/core/boardschedule.h"
#include "app/core/quantity.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QStringList kTransformers = {"TR-1", "TR-2", "TR-3", "TR-4", "TR-5"};
const QStringList kSupplyTypes = {"1P2W", "1P3W", "3P3W", "3P4W"};
const QStringList kMountings = {"매립형", "돌출형"};
const QStringList kPhases = {"L1", "L2", "L3", "A"};
const QStringList kBreakerTypes = {"MCB", "RCBO", "MCCB", "CBR"};
const QStringList kCurves = {"C", "D", "10"};
const QStringList kPoles = {"2", "3", "4"};
const QStringList kConductors = {"HFIX", "FCV"};
const QStringList kMethods = {"A", "B", "D", "E"};
const QStringList kManualSizes = {"1.5", "2.5", "4",  "6",   "10",  "16",  "25",  "35",
                                  "50",  "70",  "95", "120", "150", "185", "240", "300"};

// Totals shown in the totals area (items 10 and 13 are always empty and have no field).
constexpr int kShownTotals[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 14, 15, 16, 17};

CSevrinApp::CabinetSizingBlockT& Block()
{
    return theApp.CabinetSizingBlock;
}

CircuitCells& Row()
{
    return theApp.CabinetSizingBlock.CircuitRow;
}

QString BoardWorkbookPath()
{
    return theApp.CompanionPath(CSevrinApp::PanelBoardWorkbook);
}

}  // namespace

CBoardSheetPage::CBoardSheetPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the frame it sits in.
    setMinimumSize(0, 0);
    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        Place(l, 0, x, y, w, 12);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w) {
        auto* e = new QLineEdit(this);
        e->setAlignment(Qt::AlignCenter);
        Place(e, id, x, y, w, 12);
        return e;
    };
    auto readOnly = [&edit](int id, int x, int y, int w) {
        QLineEdit* e = edit(id, x, y, w);
        e->setReadOnly(true);
        return e;
    };
    auto combo = [this](int id, int x, int y, int w, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->addItems(items);
        Place(c, id, x, y, w, 12);
        return c;
    };
    auto button = [this](int id, const QString& caption, int x, int y, int w,
                         void (CBoardSheetPage::*handler)()) {
        QPushButton* b = AddButton(id, caption, x, y, w, 14);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };

    // Board inputs.
    int y = 4;
    button(IdInsertBoard, QStringLiteral("+"), 4, y, 14, &CBoardSheetPage::OnInsertPanelBoard)->hide();
    label(tr("분전반명"), 20, y, 36);
    edit(IdBoardName, 56, y, 50);
    label(tr("설치위치"), 110, y, 34);
    edit(IdLocation, 144, y, 40);
    combo(IdMounting, 184, y, 1, kMountings)->hide();
    m_fromRoom = new QRadioButton(tr("전기실"), this);
    Place(m_fromRoom, IdFromRoom, 188, y, 36, 12);
    combo(IdFromTransformer, 224, y, 40, kTransformers);
    m_fromBoard = new QRadioButton(tr("분전반"), this);
    Place(m_fromBoard, IdFromBoardRadio, 268, y, 36, 12);
    edit(IdFromBoard, 304, y, 44);
    label(tr("전압"), 350, y, 18);
    edit(IdVoltage, 368, y, 30);
    label(tr("kV"), 398, y, 12);
    label(tr("전원방식"), 412, y, 34);
    combo(IdSupplyType, 446, y, 40, kSupplyTypes);
    label(tr("비상발전기 연결"), 490, y, 60);
    m_generator = new QCheckBox(this);
    Place(m_generator, IdGenerator, 550, y, 12, 12);
    label(tr("수용률[%]"), 700, y, 50);
    m_demandFactor = edit(DemandFactorEditId, 752, y, 40);

    // The board list and its buttons.
    m_boardList = new ReportListView(this, 20);
    Place(m_boardList, IdBoardList, 4, 20, 760, 70);
    connect(m_boardList, &QAbstractItemView::clicked, this, &CBoardSheetPage::OnClickPanelBoardList);
    button(IdAddBoard, tr("추가"), 770, 20, 44, &CBoardSheetPage::OnAddPanelBoard);
    button(IdModifyBoard, tr("수정"), 818, 20, 44, &CBoardSheetPage::OnModifyPanelBoard);
    button(IdDeleteBoard, tr("삭제"), 770, 38, 44, &CBoardSheetPage::OnDeletePanelBoard);
    button(IdCopyBoard, tr("분전반복사하기"), 770, 56, 92, &CBoardSheetPage::OnCopyPanelBoard);

    // Circuit inputs.
    y = 96;
    label(tr("분전반명"), 4, y, 34);
    readOnly(IdCircuitBoardName, 38, y, 50);
    label(tr("NO."), 92, y, 16);
    edit(IdNo, 108, y, 30);
    label(tr("부하명"), 142, y, 26);
    edit(IdLoadName, 168, y, 60);
    label(tr("용량"), 232, y, 18);
    edit(IdUnitLoad, 250, y, 30);
    label(tr("VA"), 280, y, 12);
    label(tr("수량"), 294, y, 18);
    edit(IdQuantity, 312, y, 24);
    label(tr("EA"), 336, y, 12);
    label(tr("Ph"), 350, y, 12);
    combo(IdPhase, 362, y, 30, kPhases);
    label(tr("거리[m]"), 396, y, 30);
    edit(IdLength, 426, y, 30);
    y = 112;
    label(tr("차단기 TYPE"), 4, y, 44);
    combo(IdBreakerType, 48, y, 44, kBreakerTypes);
    combo(IdCurve, 94, y, 30, kCurves);
    label(tr("P"), 128, y, 8);
    combo(IdPoles, 136, y, 28, kPoles);
    label(tr("도체 TYPE"), 168, y, 40);
    combo(IdConductor, 208, y, 40, kConductors);
    label(tr("공사방법"), 252, y, 34);
    combo(IdMethod, 286, y, 28, kMethods);
    label(tr("ISMIN[kA]"), 318, y, 40);
    edit(IdIsMin, 358, y, 40);
    m_supplyType = edit(IdHiddenSupplyType, 0, 0, 1);
    m_supplyType->hide();
    m_boardIndex = edit(IdHiddenBoardIndex, 0, 0, 1);
    m_boardIndex->setText(QStringLiteral("0"));
    m_boardIndex->hide();

    button(IdAddCircuit, tr("추가"), 600, 96, 46, &CBoardSheetPage::OnAddCircuit);
    button(IdModifyCircuit, tr("수정"), 650, 96, 46, &CBoardSheetPage::OnModifyCircuit);
    button(IdDeleteCircuit, tr("삭제"), 700, 96, 46, &CBoardSheetPage::OnDeleteCircuit);
    button(IdInsertCircuit, QStringLiteral("+"), 750, 96, 14, &CBoardSheetPage::OnInsertCircuit)->hide();
    button(IdAddSubtotalLine, tr("소계추가"), 600, 112, 46, &CBoardSheetPage::OnAddSubtotalLine);
    button(IdCloseSubtotalGroup, tr("소계처리"), 650, 112, 46, &CBoardSheetPage::OnCloseSubtotalGroup)->hide();
    button(IdImportLinkedLoads, tr("연계부하 불러오기"), 700, 112, 76, &CBoardSheetPage::OnImportCircuitLinkedLoads);
    button(IdSearchMinFault, tr("ISMIN Search"), 780, 112, 60, &CBoardSheetPage::OnSearchCircuitMinFaultCurrents);

    // The circuit list.
    m_circuitList = new ReportListView(this, 40);
    Place(m_circuitList, IdCircuitList, 4, 130, 860, 268);
    connect(m_circuitList, &QAbstractItemView::clicked, this, &CBoardSheetPage::OnClickCircuitList);

    // Manual conductor size and the hidden column-set buttons.
    y = 402;
    label(tr("수동입력"), 4, y, 34);
    label(tr("도체선정"), 38, y, 34);
    combo(IdManualSize, 72, y, 36, kManualSizes);
    label(tr("㎟"), 108, y, 10);
    button(IdApplyManualSize, tr("반영하기"), 122, 401, 46, &CBoardSheetPage::OnApplyManualConductorSize);
    button(IdShowAllColumns, tr("전체 열보기"), 700, 401, 50, &CBoardSheetPage::OnShowAllCircuitColumns)->hide();
    button(IdShowInputColumns, tr("입력 열보기"), 754, 401, 50, &CBoardSheetPage::OnShowInputCircuitColumns)->hide();
    button(IdShowBasicColumns, tr("기본 열보기"), 808, 401, 50, &CBoardSheetPage::OnShowBasicCircuitColumns)->hide();

    // Totals.
    y = 420;
    label(tr("상별 부하합계 [VA]"), 4, y, 76);
    label(tr("상별 부하전류 [A]"), 4, y + 16, 76);
    label(tr("상별 부하분담 [%]"), 4, y + 32, 76);
    for (int p = 0; p < 3; ++p) {
        readOnly(IdFirstTotal + p, 82 + p * 54, y, 50);
        readOnly(IdFirstTotal + 4 + p, 82 + p * 54, y + 16, 50);
        readOnly(IdFirstTotal + 7 + p, 82 + p * 54, y + 32, 50);
    }
    label(tr("총 연결 부하 [VA]"), 250, y, 70);
    readOnly(IdFirstTotal + 3, 320, y, 56);
    label(tr("수용부하[kVA]"), 250, y + 16, 70);
    readOnly(IdFirstTotal + 11, 320, y + 16, 56);
    label(tr("전류 [A]"), 250, y + 32, 70);
    readOnly(IdFirstTotal + 12, 320, y + 32, 56);
    label(tr("주차단기"), 390, y, 40);
    label(tr("극수"), 430, y, 20);
    readOnly(IdFirstTotal + 14, 450, y, 30);
    label(tr("타입"), 484, y, 20);
    readOnly(IdBreakerKind, 504, y, 40);
    readOnly(IdFirstTotal + 15, 430, y + 16, 40);
    label(tr("AF"), 470, y + 16, 12);
    readOnly(IdFirstTotal + 16, 484, y + 16, 40);
    label(tr("AT"), 524, y + 16, 12);
    readOnly(IdFirstTotal + 17, 430, y + 32, 40);
    label(tr("kA"), 470, y + 32, 12);
    label(tr("최대단락전류"), 560, y, 56);
    readOnly(IdMaxFault, 616, y, 50);
    label(tr("kA"), 666, y, 12);
    label(tr("최소단락전류"), 560, y + 16, 56);
    readOnly(IdMinFault, 616, y + 16, 50);
    label(tr("kA"), 666, y + 16, 12);
}

QString CBoardSheetPage::Text(int id) const
{
    if (auto* e = Control<QLineEdit>(id))
        return e->text();
    if (auto* c = Control<QComboBox>(id))
        return c->currentText();
    return QString();
}

void CBoardSheetPage::SetText(int id, const QString& text)
{
    if (auto* e = Control<QLineEdit>(id))
        e->setText(text);
}

void CBoardSheetPage::SelectComboItem(int id, const QString& text)
{
    QComboBox* c = Control<QComboBox>(id);
    if (!c)
        return;
    const QSignalBlocker block(c);
    // An unlisted text leaves the combo without a selection.
    c->setCurrentIndex(c->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void CBoardSheetPage::OnInitDialog()
{
    QList<ReportColumn> boardColumns = {
        {tr("No."), QString(), 80},      {tr("분전반명"), QString(), 120},
        {tr("설치위치"), QString(), 120}, {tr("설치형태"), QString(), 0},
        {tr("FROM"), QString(), 120},     {tr("전압[kV]"), QString(), 80},
        {tr("전원방식"), QString(), 80},  {tr("발전기 연결"), QString(), 80},
        {tr("수용률"), QString(), 80},
    };
    m_boardList->setReportColumns(boardColumns);
    SetupCircuitColumns(0);

    m_demandFactor->setText(QStringLiteral("70"));
    SetText(IdBoardName, QStringLiteral("LN-1"));
    SetText(IdLocation, QStringLiteral("B2"));
    SetText(IdFromBoard, QStringLiteral("LV-1"));
    SetText(IdVoltage, QStringLiteral("0.38"));
    for (int id : {int(IdFromTransformer), int(IdSupplyType), int(IdMounting)})
        Control<QComboBox>(id)->setCurrentIndex(0);
    m_fromRoom->setChecked(true);
    SetText(IdNo, QStringLiteral("LED1"));
    SetText(IdLoadName, QStringLiteral("전등"));
    SetText(IdUnitLoad, QStringLiteral("56"));
    SetText(IdQuantity, QStringLiteral("10"));
    SetText(IdLength, QStringLiteral("20.0"));
    SetText(IdIsMin, QStringLiteral("1.9586"));
    Control<QComboBox>(IdPhase)->setCurrentIndex(1);
    Control<QComboBox>(IdBreakerType)->setCurrentIndex(3);
    Control<QComboBox>(IdCurve)->setCurrentIndex(2);
    Control<QComboBox>(IdPoles)->setCurrentIndex(0);
    Control<QComboBox>(IdConductor)->setCurrentIndex(1);
    Control<QComboBox>(IdMethod)->setCurrentIndex(0);
    SetText(IdBreakerKind, QStringLiteral("MCCB"));
}

void CBoardSheetPage::SetInsertButtonsVisible(bool visible)
{
    for (int id : {int(IdInsertBoard), int(IdInsertCircuit)})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

int CBoardSheetPage::BoardIndex() const
{
    const QString text = m_boardIndex->text().trimmed();
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : -1;
}

QString CBoardSheetPage::TotalText(int item) const
{
    return Text(IdFirstTotal + item);
}

QString CBoardSheetPage::MaxFaultText() const
{
    return Text(IdMaxFault);
}

QString CBoardSheetPage::MinFaultText() const
{
    return Text(IdMinFault);
}

QString CBoardSheetPage::BreakerKindText() const
{
    return Text(IdBreakerKind);
}

QString CBoardSheetPage::GetGeneratorLinkMark() const
{
    return m_generator->isChecked() ? QStringLiteral("O") : QStringLiteral("X");
}

// ---- failures -------------------------------------------------------------------------------

void CBoardSheetPage::ReloadAfterFailure()
{
    // The lists show what the workbook holds, whatever the failed action changed.
    const int board = BoardIndex();
    LoadPanelBoards();
    if (board >= 0 && board < Block().PanelBoardCount())
        LoadCircuits(board);
    else
        m_circuitList->rows()->clear();
}

void CBoardSheetPage::ShowStoreFailure()
{
    ReloadAfterFailure();
    Prompt::Message(tr("분전반 파일을 저장하지 못했습니다.\n%1").arg(BoardWorkbookPath()));
}

// ---- boards ---------------------------------------------------------------------------------

void CBoardSheetPage::ReadBoardInputs(const QString& name)
{
    auto& r = Block().PanelBoardRecord();
    r[0] = name;
    r[1] = Text(IdLocation);
    r[2] = Text(IdMounting);
    r[3] = m_fromRoom->isChecked() ? Text(IdFromTransformer) : Text(IdFromBoard);
    r[4] = Text(IdVoltage);
    r[5] = Text(IdSupplyType);
    r[6] = GetGeneratorLinkMark();
    // A new board is stored with the demand factor the form shows; it has no results yet.
    for (std::size_t i = 7; i <= 12; ++i)
        r[i].clear();
    r[8] = m_demandFactor->text();
}

bool CBoardSheetPage::StoreBoardDemandFactor(int board)
{
    return Block().PanelBoardRecord()[8].isEmpty() || theApp.WritePanelBoardResults(board);
}

QStringList CBoardSheetPage::BoardRowTexts(int number) const
{
    const auto& r = theApp.CabinetSizingBlock.BoardRecord;
    return {QString::number(number), r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[8]};
}

std::vector<QString> CBoardSheetPage::BoardNames() const
{
    std::vector<QString> names;
    for (int i = 0; i < m_boardList->rows()->rowCount(); ++i)
        names.push_back(m_boardList->rows()->text(i, 1));
    return names;
}

bool CBoardSheetPage::RefuseBoardName(const QString& name, int except)
{
    const QString message = CheckBoardName(name, BoardNames(), except);
    if (message.isEmpty())
        return RefuseBoardVoltage();
    Prompt::Message(message, Prompt::Buttons::Ok, Prompt::Icon::Information);
    return true;
}

bool CBoardSheetPage::RefuseBoardVoltage()
{
    const QString message = CheckQuantityField(Block().PanelBoardRecord()[4], tr("전압[kV]"),
                                               QuantitySign::Positive);
    if (message.isEmpty())
        return false;
    Prompt::Message(message);
    return true;
}

bool CBoardSheetPage::RefuseDemandFactor()
{
    const QString message =
        CheckQuantityField(m_demandFactor->text(), tr("수용률[%]"), QuantitySign::NonNegative);
    if (message.isEmpty())
        return false;
    Prompt::Message(message);
    return true;
}

void CBoardSheetPage::LoadPanelBoards()
{
    std::vector<QStringList> rows;
    int count = 0;
    {
        companion::WorkbookAccess wb(BoardWorkbookPath(), companion::WorkbookAccess::Mode::Read);
        count = wb.ok() ? wb.book().sheetCount() : 0;
    }
    auto& r = Block().PanelBoardRecord();
    for (int i = 0; i < count; ++i) {
        if (!theApp.ReadPanelBoardSheet(i))
            break;
        rows.push_back({QString::number(i + 1), r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[8]});
    }
    Block().PanelBoardCount() = int(rows.size());
    m_boardList->rows()->setRows(std::move(rows));
}

void CBoardSheetPage::OnAddPanelBoard()
{
    ReadBoardInputs(Text(IdBoardName));
    const QString name = Block().PanelBoardRecord()[0];
    if (name.isEmpty() || RefuseBoardName(name, -1))
        return;
    const int n = Block().PanelBoardCount();
    bool stored = true;
    {
        CompanionBatch batch;
        stored = theApp.AddPanelBoardSheet() && StoreBoardDemandFactor(n);
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    m_boardList->rows()->appendRow(BoardRowTexts(n + 1));
    Block().PanelBoardCount() = n + 1;
}

void CBoardSheetPage::OnModifyPanelBoard()
{
    const int m = m_boardList->selectionMark();
    if (m < 0 || m >= Block().PanelBoardCount())
        return;
    ReadBoardInputs(Text(IdBoardName));
    if (RefuseBoardName(Block().PanelBoardRecord()[0], m))
        return;
    if (!theApp.UpdatePanelBoardSheet(m)) {
        ShowStoreFailure();
        return;
    }
    RowListModel* model = m_boardList->rows();
    const QStringList texts = BoardRowTexts(m + 1);
    for (int c = 1; c <= 7; ++c)
        model->setCell(m, c, texts[c]);
    // The circuit area names the board the totals are computed for.
    if (m == BoardIndex()) {
        SetText(IdCircuitBoardName, texts[1]);
        m_supplyType->setText(texts[6]);
    }
    m_boardList->setSelectionMark(-1);
    m_boardList->clearSelection();
}

void CBoardSheetPage::OnInsertPanelBoard()
{
    const int m = m_boardList->selectionMark();
    if (m < 0 || m >= Block().PanelBoardCount())
        return;
    const QString name = CSevrinApp::MakeInsertedItemName();
    ReadBoardInputs(name);
    if (RefuseBoardVoltage())
        return;
    for (const QString& existing : BoardNames()) {
        if (existing.compare(name, Qt::CaseInsensitive) == 0) {
            Prompt::Message(tr("해당 부하가 존재합니다. !!!"), Prompt::Buttons::Ok,
                            Prompt::Icon::Information);
            return;
        }
    }
    bool stored = true;
    {
        CompanionBatch batch;
        stored = theApp.InsertPanelBoardSheet(m) && StoreBoardDemandFactor(m);
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    QStringList texts = BoardRowTexts(m + 1);
    m_boardList->rows()->insertRow(m, texts);
    Block().PanelBoardCount() += 1;
    m_boardList->rows()->renumberFrom(m);
    // The board whose circuits are shown moved one place down.
    const int shown = BoardIndex();
    if (shown >= m)
        m_boardIndex->setText(QString::number(shown + 1));
}

void CBoardSheetPage::OnDeletePanelBoard()
{
    const int m = m_boardList->selectionMark();
    const int count = Block().PanelBoardCount();
    if (m < 0 || m >= count)
        return;
    const QString path = BoardWorkbookPath();
    // The last board goes with its workbook.
    const bool stored = count == 1 ? (!QFile::exists(path) || QFile::remove(path))
                                   : theApp.DeletePanelBoardSheet(m);
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    RowListModel* model = m_boardList->rows();
    model->removeRow(m);
    Block().PanelBoardCount() = count - 1;
    model->renumberFrom(0);
    if (count - 1 > 0) {
        LoadCircuits(0);
    } else {
        m_circuitList->rows()->clear();
        Block().CircuitCount = 0;
        SetText(IdCircuitBoardName, QString());
        m_supplyType->clear();
        m_demandFactor->clear();
    }
    m_boardList->setSelectionMark(count - 1 == 0 ? -1 : (m == count - 1 ? m - 1 : m));
}

void CBoardSheetPage::OnCopyPanelBoard()
{
    const int m = m_boardList->selectionMark();
    const int count = Block().PanelBoardCount();
    if (m < 0 || m >= count)
        return;
    const QString name = QStringLiteral("%1_%2").arg(Text(IdBoardName), CSevrinApp::MakeTimeStamp());
    if (RefuseBoardName(name, -1))
        return;
    // The marked board's stored circuits, all of them.
    std::vector<CircuitCells> rows;
    ReadBoardCircuits(theApp, m, rows);
    ReadBoardInputs(name);
    bool stored = true;
    {
        CompanionBatch batch;
        stored = theApp.AddPanelBoardSheet() && StoreBoardDemandFactor(count);
        for (std::size_t r = 0; stored && r < rows.size(); ++r) {
            Row() = rows[r];
            stored = theApp.WriteCircuitRow(count, int(r), false);
        }
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    ReadBoardInputs(name);
    m_boardList->rows()->appendRow(BoardRowTexts(count + 1));
    Block().PanelBoardCount() = count + 1;
    m_boardList->setSelectionMark(-1);
    m_boardList->clearSelection();
}

void CBoardSheetPage::OnClickPanelBoardList()
{
    const int m = m_boardList->selectionMark();
    if (m < 0 || m >= m_boardList->rows()->rowCount())
        return;
    SelectPanelBoard(m);
}

void CBoardSheetPage::SelectPanelBoard(int board)
{
    const RowListModel* model = m_boardList->rows();
    if (board < 0 || board >= model->rowCount())
        return;
    const auto cell = [&](int c) { return model->text(board, c); };
    SetText(IdBoardName, cell(1));
    SetText(IdLocation, cell(2));
    SelectComboItem(IdMounting, cell(3));
    const QString from = cell(4);
    if (from.contains(QStringLiteral("TR-"))) {
        SelectComboItem(IdFromTransformer, from);
        m_fromRoom->setChecked(true);
    } else {
        SetText(IdFromBoard, from);
        m_fromBoard->setChecked(true);
    }
    SetText(IdVoltage, cell(5));
    SelectComboItem(IdSupplyType, cell(6));
    m_generator->setChecked(cell(7) == QLatin1String("O"));
    LoadCircuits(board, cell(1), cell(6), cell(8));
    ClearTotals();
}

void CBoardSheetPage::ClearTotals()
{
    for (int item : kShownTotals)
        SetText(IdFirstTotal + item, QString());
}

void CBoardSheetPage::CalcPanelBoard(int board)
{
    const QString name = Text(IdCircuitBoardName);
    // Without a selected board there is nothing to compute and nothing to store.
    if (board < 0 || board >= Block().PanelBoardCount() || name.isEmpty())
        return;
    const QString demandFactor = m_demandFactor->text();
    if (!CalcPanelBoardInApp(theApp, board, name, demandFactor)) {
        ShowStoreFailure();
        return;
    }
    m_boardList->rows()->setCell(board, 8, demandFactor);
    const auto& totals = Block().PanelBoardTotals();
    for (int item : kShownTotals)
        SetText(IdFirstTotal + item, totals[std::size_t(item)]);
    const BoardFaultCurrents fault = FindBoardFaultCurrents(theApp, name);
    SetText(IdMaxFault, fault.maximum);
    SetText(IdMinFault, fault.minimum);
}

// ---- circuits -------------------------------------------------------------------------------

void CBoardSheetPage::SetupCircuitColumns(int widthSet)
{
    QList<ReportColumn> columns;
    for (const CircuitColumnInfo& info : CircuitColumns())
        columns.append(ReportColumn{QString::fromUtf16(info.caption), QString::fromUtf16(info.group),
                                    widthSet == 0 ? info.fullWidth : info.inputWidth,
                                    Qt::AlignCenter});
    m_circuitList->setReportColumns(columns);
    Control<QComboBox>(IdManualSize)->setCurrentIndex(0);
}

QStringList CBoardSheetPage::CircuitTexts() const
{
    QStringList cells;
    cells.reserve(kCircuitColumnCount);
    for (const QString& c : Row())
        cells.append(c);
    return cells;
}

std::vector<QStringList> CBoardSheetPage::CircuitRows() const
{
    std::vector<QStringList> rows;
    const RowListModel* model = m_circuitList->rows();
    rows.reserve(std::size_t(model->rowCount()));
    for (int r = 0; r < model->rowCount(); ++r)
        rows.push_back(model->row(r));
    return rows;
}

void CBoardSheetPage::LoadCircuits(int board, const QString& boardName, const QString& supplyType,
                                    const QString& demandFactor)
{
    m_boardIndex->setText(QString::number(board));
    SetText(IdCircuitBoardName, boardName);
    m_supplyType->setText(supplyType);
    m_demandFactor->setText(demandFactor);
    std::vector<CircuitCells> stored;
    ReadBoardCircuits(theApp, board, stored);
    std::vector<QStringList> rows;
    rows.reserve(stored.size());
    for (const CircuitCells& r : stored) {
        QStringList cells;
        cells.reserve(kCircuitColumnCount);
        for (const QString& c : r)
            cells.append(c);
        rows.push_back(std::move(cells));
    }
    Block().CircuitCount = int(rows.size());
    m_circuitList->rows()->setRows(std::move(rows));
    // The buffer holds the row at which reading stopped.
    Row() = stored.size() < std::size_t(kMaxBoardCircuits) ? CircuitCells{} : stored.back();
    if (BoardCircuitsBeyondLimit(theApp, board))
        Prompt::Message(companion::RowLimitMessage(BoardWorkbookPath(), kMaxBoardCircuits));
}

void CBoardSheetPage::LoadCircuits(int board)
{
    const RowListModel* model = m_boardList->rows();
    LoadCircuits(board, model->text(board, 1), model->text(board, 6), model->text(board, 8));
}

void CBoardSheetPage::ReadCircuitInputs(int mode, const QString& name)
{
    CircuitCells& row = Row();
    row.fill(QString());
    row[CcNo] = name.isEmpty() ? Text(IdNo) : name;
    row[CcName] = name.isEmpty() ? Text(IdLoadName) : name;
    row[CcUnitLoad] = Text(IdUnitLoad);
    row[CcQuantity] = Text(IdQuantity);
    row[CcPhase] = Text(IdPhase);
    row[CcLength] = Text(IdLength);
    row[CcBreaker] = JoinBreakerText(Text(IdBreakerType), Text(IdCurve));
    row[CcPoles] = Text(IdPoles);
    row[CcConductor] = Text(IdConductor);
    row[CcMethod] = Text(IdMethod);
    row[CcBar1] = QStringLiteral("|");
    row[CcIsMin] = Text(IdIsMin);
    row[CcBar2] = QStringLiteral("|");
    AppCableLookup lookup(theApp);
    const double manual = mode == 2 ? QuantityOr(Text(IdManualSize), QuantitySign::Positive)
                                    : NO_VALUE;
    CalcBranchCircuitRow(row, mode, 0.0, manual, BranchCircuitConditionsFromApp(theApp), lookup);
}

void CBoardSheetPage::BuildSubtotalRow(int mode, bool calculate, int rowCount)
{
    CircuitCells& row = Row();
    row.fill(QString());
    row[CcNo] = Text(IdNo);
    row[CcName] = Text(IdLoadName);
    row[CcUnitLoad] = Text(IdUnitLoad);
    row[CcQuantity] = Text(IdQuantity);
    const RowListModel* model = m_circuitList->rows();
    if (!calculate) {
        if (rowCount > 0) {
            const QString prevNo = model->text(rowCount - 1, CcNo);
            const QString prevSubtotal = model->text(rowCount - 1, CcSubtotal);
            // A line of the open group carries no number of its own.
            if (prevNo == row[CcNo] || (prevNo.isEmpty() && prevSubtotal.isEmpty()))
                row[CcNo].clear();
        }
        return;
    }
    row[CcPhase] = Text(IdPhase);
    row[CcLength] = Text(IdLength);
    row[CcBreaker] = JoinBreakerText(Text(IdBreakerType), Text(IdCurve));
    row[CcPoles] = Text(IdPoles);
    row[CcConductor] = Text(IdConductor);
    row[CcMethod] = Text(IdMethod);
    row[CcBar1] = QStringLiteral("|");
    row[CcIsMin] = Text(IdIsMin);
    row[CcBar2] = QStringLiteral("|");
    const double carried = SubtotalGroupLoad(CircuitRows(), rowCount);
    AppCableLookup lookup(theApp);
    const double manual = mode == 2 ? QuantityOr(Text(IdManualSize), QuantitySign::Positive)
                                    : NO_VALUE;
    CalcBranchCircuitRow(row, mode, carried, manual, BranchCircuitConditionsFromApp(theApp), lookup);
    row[CcNo].clear();
}

void CBoardSheetPage::ReadSubtotalLineInputs(int /*row*/)
{
    CircuitCells& row = Row();
    row.fill(QString());
    row[CcNo] = Text(IdNo);
    row[CcName] = Text(IdLoadName);
    row[CcUnitLoad] = Text(IdUnitLoad);
    row[CcQuantity] = Text(IdQuantity);
}

bool CBoardSheetPage::ValidateCircuitInput()
{
    const int warning = CheckCircuitInput(m_supplyType->text(), Text(IdPhase), Text(IdIsMin));
    if (warning < 0)
        return true;
    theApp.ShowCalcWarning(warning);
    return false;
}

bool CBoardSheetPage::HasLoadName()
{
    // A stored row without a load name ends the board's list: every row after it would vanish.
    if (Text(IdLoadName).isEmpty()) {
        Prompt::Message(tr("부하명을 입력하시기 바랍니다."));
        return false;
    }
    const QString refusal = CheckCircuitQuantities(Text(IdUnitLoad), Text(IdQuantity),
                                                   Text(IdLength), Text(IdIsMin));
    if (refusal.isEmpty())
        return true;
    Prompt::Message(refusal);
    return false;
}

bool CBoardSheetPage::AppendCircuit()
{
    const int n = Block().CircuitCount;
    if (n >= kMaxBoardCircuits) {
        Prompt::Message(tr("분전반 회로는 최대 %1개까지 입력할 수 있습니다.").arg(kMaxBoardCircuits));
        return false;
    }
    if (!theApp.WriteCircuitRow(BoardIndex(), n, false)) {
        ShowStoreFailure();
        return false;
    }
    m_circuitList->rows()->appendRow(CircuitTexts());
    Block().CircuitCount = n + 1;
    return true;
}

void CBoardSheetPage::OnAddCircuit()
{
    if (Block().PanelBoardCount() == 0)
        return;
    if (!ValidateCircuitInput() || !HasLoadName())
        return;
    const int n = Block().CircuitCount;
    const RowListModel* model = m_circuitList->rows();
    // The last row an open group line: the new row closes the group.
    if (n > 0 && model->text(n - 1, CcNo) == Row()[CcNo] && model->text(n - 1, CcSubtotal).isEmpty())
        BuildSubtotalRow(0, true, n);
    else
        ReadCircuitInputs(0, QString());
    AppendCircuit();
}

void CBoardSheetPage::OnModifyCircuit()
{
    const int s = m_circuitList->selectionMark();
    if (s < 0 || s >= Block().CircuitCount || !HasLoadName())
        return;
    const RowListModel* model = m_circuitList->rows();
    Row()[CcNo] = model->text(s, CcNo);
    Row()[CcSubtotal] = model->text(s, CcSubtotal);
    bool line = false;
    if (Row()[CcSubtotal].isEmpty()) {
        ReadSubtotalLineInputs(s);
        line = true;
    } else if (s > 0 && !model->text(s - 1, CcNo).isEmpty() && model->text(s - 1, CcSubtotal).isEmpty() &&
               model->text(s, CcNo).isEmpty()) {
        BuildSubtotalRow(0, true, s);
    } else {
        ReadCircuitInputs(0, QString());
    }
    if (!theApp.WriteCircuitRow(BoardIndex(), s, false)) {
        ShowStoreFailure();
        return;
    }
    m_circuitList->rows()->setRow(s, CircuitTexts());
    m_circuitList->setSelectionMark(-1);
    m_circuitList->clearSelection();
    if (line)
        Prompt::Message(tr("소계 연산을 다시 하여야 합니다."));
}

void CBoardSheetPage::OnDeleteCircuit()
{
    const int s = m_circuitList->selectionMark();
    if (s < 0 || s >= Block().CircuitCount)
        return;
    const CircuitDeletePlan plan = PlanCircuitDelete(CircuitRows(), s);
    if (plan.note == CircuitDeletePlan::Note::DeleteFromTop) {
        Prompt::Message(tr("소계 연산 최상위에서 삭제르 진행해 주세요."));
        return;
    }
    bool stored = true;
    {
        CompanionBatch batch;
        for (int i = 0; i < plan.count && stored; ++i)
            stored = theApp.DeleteCircuitRow(BoardIndex(), s);
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    if (Block().CircuitCount >= kMaxBoardCircuits) {
        // Circuits stored past the limit moved up into the list: show them, or the next "추가"
        // would write over them.
        LoadCircuits(BoardIndex());
        const int n = Block().CircuitCount;
        m_circuitList->setSelectionMark(n == 0 ? -1 : std::min(s, n - 1));
        return;
    }
    m_circuitList->rows()->removeRows(s, plan.count);
    const int n = Block().CircuitCount - plan.count;
    Block().CircuitCount = n;
    m_circuitList->setSelectionMark(n == 0 ? -1 : (s == n ? s - 1 : s));
    if (plan.note == CircuitDeletePlan::Note::RecalcSubtotal)
        Prompt::Message(tr("소계 연산을 다시 하여야 합니다."));
}

void CBoardSheetPage::OnInsertCircuit()
{
    const int s = m_circuitList->selectionMark();
    const int n = Block().CircuitCount;
    if (s < 0 || s >= n)
        return;
    if (n >= kMaxBoardCircuits) {
        Prompt::Message(tr("분전반 회로는 최대 %1개까지 입력할 수 있습니다.").arg(kMaxBoardCircuits));
        return;
    }
    const RowListModel* model = m_circuitList->rows();
    if (!model->text(s, CcNo).isEmpty() && !model->text(s, CcSubtotal).isEmpty()) {
        ReadCircuitInputs(0, CSevrinApp::MakeInsertedItemName());
    } else {
        CircuitCells& row = Row();
        row.fill(QString());
        row[CcName] = CSevrinApp::MakeInsertedItemName();
        row[CcUnitLoad] = QStringLiteral("1");
        row[CcQuantity] = QStringLiteral("1");
    }
    if (!theApp.WriteCircuitRow(BoardIndex(), s, true)) {
        ShowStoreFailure();
        return;
    }
    m_circuitList->rows()->insertRow(s, CircuitTexts());
    Block().CircuitCount = n + 1;
}

void CBoardSheetPage::OnAddSubtotalLine()
{
    if (Block().PanelBoardCount() == 0 || !HasLoadName())
        return;
    BuildSubtotalRow(0, false, Block().CircuitCount);
    AppendCircuit();
}

void CBoardSheetPage::OnCloseSubtotalGroup()
{
    if (Block().PanelBoardCount() == 0 || !HasLoadName())
        return;
    BuildSubtotalRow(0, true, Block().CircuitCount);
    AppendCircuit();
}

void CBoardSheetPage::OnApplyManualConductorSize()
{
    const int s = m_circuitList->selectionMark();
    if (s < 0 || s >= Block().CircuitCount || !HasLoadName())
        return;
    ReadCircuitInputs(2, QString());
    if (!theApp.WriteCircuitRow(BoardIndex(), s, false)) {
        ShowStoreFailure();
        return;
    }
    m_circuitList->rows()->setRow(s, CircuitTexts());
    m_circuitList->setSelectionMark(-1);
    m_circuitList->clearSelection();
}

void CBoardSheetPage::OnClickCircuitList()
{
    const int s = m_circuitList->selectionMark();
    if (s < 0 || s >= m_circuitList->rows()->rowCount())
        return;
    const QStringList cells = m_circuitList->rows()->row(s);
    SetText(IdNo, cells.value(CcNo));
    SetText(IdLoadName, cells.value(CcName));
    SetText(IdUnitLoad, cells.value(CcUnitLoad));
    SetText(IdQuantity, cells.value(CcQuantity));
    SetText(IdLength, cells.value(CcLength));
    SetText(IdIsMin, cells.value(CcIsMin));
    SelectComboItem(IdPhase, cells.value(CcPhase));
    SelectComboItem(IdPoles, cells.value(CcPoles));
    SelectComboItem(IdConductor, cells.value(CcConductor));
    SelectComboItem(IdMethod, cells.value(CcMethod));
    QString type;
    QString curve;
    SplitBreakerText(cells.value(CcBreaker), type, curve);
    SelectComboItem(IdBreakerType, type);
    SelectComboItem(IdCurve, curve);
}

void CBoardSheetPage::OnShowAllCircuitColumns()
{
    m_circuitList->rows()->clear();
    SetupCircuitColumns(0);
    LoadCircuits(BoardIndex());
}

void CBoardSheetPage::OnShowInputCircuitColumns()
{
    m_circuitList->rows()->clear();
    SetupCircuitColumns(1);
    LoadCircuits(BoardIndex());
}

void CBoardSheetPage::OnShowBasicCircuitColumns() {}

// ---- linked loads and the fault-current search -----------------------------------------------

void CBoardSheetPage::OnImportCircuitLinkedLoads()
{
    const int board = BoardIndex();
    if (board < 0 || board >= Block().PanelBoardCount())
        return;
    const QString name = Text(IdCircuitBoardName);
    const LinkedLoads linked = CollectLinkedLoads(theApp, name);
    const int first = Block().CircuitCount;
    if (first + int(linked.rows.size()) > kMaxBoardCircuits) {
        Prompt::Message(tr("분전반 회로는 최대 %1개까지 입력할 수 있습니다.").arg(kMaxBoardCircuits));
        return;
    }
    bool stored = true;
    {
        CompanionBatch batch;
        for (std::size_t i = 0; i < linked.rows.size() && stored; ++i) {
            Row() = linked.rows[i];
            stored = theApp.WriteCircuitRow(board, first + int(i), false);
        }
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    for (const CircuitCells& r : linked.rows) {
        Row() = r;
        m_circuitList->rows()->appendRow(CircuitTexts());
    }
    Block().CircuitCount = first + int(linked.rows.size());
    Prompt::Message(tr("동력 %1, 부하 %2가 연계 되었습니다.").arg(linked.mccPanels).arg(linked.boards),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CBoardSheetPage::OnSearchCircuitMinFaultCurrents()
{
    m_circuitList->setSelectionMark(-1);
    m_circuitList->clearSelection();
    const int board = BoardIndex();
    const QString name = Text(IdCircuitBoardName);
    RowListModel* model = m_circuitList->rows();
    const int count = model->rowCount();
    std::vector<CircuitCells> rows(std::size_t(count), CircuitCells{});
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < kCircuitColumnCount; ++c)
            rows[std::size_t(i)][std::size_t(c)] = model->text(i, c);
    AppCableLookup lookup(theApp);
    const CircuitSearchResult result = SearchCircuitMinFaultCurrents(
        theApp, name, rows, BranchCircuitConditionsFromApp(theApp), lookup);
    bool stored = true;
    {
        CompanionBatch batch;
        for (int i : result.changed) {
            if (!stored)
                break;
            Row() = rows[std::size_t(i)];
            stored = theApp.WriteCircuitRow(board, i, false);
        }
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    for (int i : result.changed) {
        Row() = rows[std::size_t(i)];
        model->setRow(i, CircuitTexts());
    }
    Prompt::Message(tr("부하 %1에 고장 전류 계산 값 %2 (분전반 %3, 일반 %4을\n 참조 하여 재계산 되었습니다.")
                        .arg(count)
                        .arg(result.panelMatches + result.generalMatches)
                        .arg(result.panelMatches)
                        .arg(result.generalMatches),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}
