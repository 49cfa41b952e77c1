#include "trayscreen.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "cable/core/trayapp.h"
#include "cable/gui/cablepickerdlg.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QStringList kSizes = {"1.5", "2.5", "4",   "6",   "10",  "16",  "25",  "35",
                            "50",  "70",  "95",  "120", "150", "185", "240", "300"};
const QStringList kCounts = {"1", "2", "3", "4"};
const QString kMm2 = QStringLiteral("㎟");

CSevrinApp::CableTrayBlockT& Block()
{
    return theApp.CableTrayBlock;
}

QString TrayWorkbookPath()
{
    return theApp.CompanionPath(CSevrinApp::TrayWorkbook);
}

CTrayScreen::CablePickerRunner& PickerRunner()
{
    static CTrayScreen::CablePickerRunner runner;
    return runner;
}

QStringList RowTexts(const TrayRow& row)
{
    QStringList cells;
    cells.reserve(kTrayColumnCount);
    for (const QString& c : row)
        cells.append(c);
    return cells;
}

QList<ReportColumn> TrayRowColumns()
{
    static const char* const kCaptions[kTrayColumnCount] = {
        "No.",  "용도", "FROM", "TO",      "VOLT",           "TYPE",
        "SQ",   "CORE", "LINE", "외경(mm)", "점유폭\n(mm)", "단위중량\n(kg/m)",
        "비고"};
    static const int kWidths[kTrayColumnCount] = {60, 160, 100, 100, 80, 80, 80,
                                                  80, 80,  80,  80,  80, 80};
    QList<ReportColumn> columns;
    for (int c = 0; c < kTrayColumnCount; ++c)
        columns.append(ReportColumn{QString::fromUtf8(kCaptions[c]),
                                    c >= 4 && c <= 9 ? QStringLiteral("CABLE SPEC.") : QString(),
                                    kWidths[c], Qt::AlignCenter});
    return columns;
}

}  // namespace

// What differs between the cable rows and the PE rows of a tray.
struct CTrayScreen::RowOps
{
    ReportListView* CTrayScreen::*list;
    std::array<QString, kTrayColumnCount> CSevrinApp::CableTrayBlockT::*row;
    int CSevrinApp::CableTrayBlockT::*count;
    void (CTrayScreen::*build)(int, const QString&);
    bool (CSevrinApp::*write)(int, int, bool);
    bool (CSevrinApp::*remove)(int, int);
};

const CTrayScreen::RowOps& CTrayScreen::Ops(RowKind kind) const
{
    static const RowOps cable{&CTrayScreen::m_cableList,
                              &CSevrinApp::CableTrayBlockT::TrayCableRow,
                              &CSevrinApp::CableTrayBlockT::TrayCableCount,
                              &CTrayScreen::BuildTrayCableRow,
                              &CSevrinApp::WriteTrayCableRow,
                              &CSevrinApp::DeleteTrayCableRow};
    static const RowOps pe{&CTrayScreen::m_peList,
                           &CSevrinApp::CableTrayBlockT::TrayPeRow,
                           &CSevrinApp::CableTrayBlockT::TrayPeCount,
                           &CTrayScreen::BuildTrayPeRow,
                           &CSevrinApp::WriteTrayPeRow,
                           &CSevrinApp::DeleteTrayPeRow};
    return kind == RowKind::Cable ? cable : pe;
}

CTrayScreen::CTrayScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    auto button = [this](int id, const QString& caption, int x, int y, int w, int h,
                         void (CTrayScreen::*handler)()) {
        QPushButton* b = AddButton(id, caption, x, y, w, h);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        Place(l, 0, x, y, w, 12);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w, bool enabled = true) {
        auto* e = new QLineEdit(this);
        e->setEnabled(enabled);
        Place(e, id, x, y, w, 12);
        return e;
    };
    auto combo = [this](int id, int x, int y, int w, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->addItems(items);
        Place(c, id, x, y, w, 12);
        return c;
    };
    auto list = [this](int id, int x, int y, int w, int h, int headerHeight) {
        auto* l = new ReportListView(this, headerHeight);
        Place(l, id, x, y, w, h);
        return l;
    };

    // Navigation and project buttons on the left edge.
    button(IdSelectTop, tr("선택화면"), 12, 7, 50, 14, &CTrayScreen::OnTraySelectScreen);
    AddButton(IdSave, tr("저장하기"), 12, 462, 50, 14);  // rows are stored as they change
    button(IdOutput, tr("출력하기"), 12, 480, 50, 14, &CTrayScreen::OnOutputTray);
    button(IdSelectBottom, tr("선택화면"), 12, 498, 50, 14, &CTrayScreen::OnTraySelectScreen);
    button(IdHome, tr("초기화면"), 12, 516, 50, 14, &CTrayScreen::OnTrayStartScreen);

    // Trays: the four fields, the list and its buttons.
    int y = 7;
    label(tr("트레이 No."), 68, y, 40);
    edit(IdTrayName, 108, y, 80);
    label(tr("설치위치"), 192, y, 34);
    edit(IdTrayLocation, 226, y, 60);
    label(tr("From"), 290, y, 24);
    edit(IdTrayFrom, 314, y, 60);
    label(tr("To"), 378, y, 16);
    edit(IdTrayTo, 394, y, 60);
    m_trayList = list(IdTrayList, 68, 23, 386, 120, 20);
    connect(m_trayList, &QAbstractItemView::clicked, this, &CTrayScreen::OnClickTrayList);
    button(IdAddTray, tr("추가"), 458, 23, 40, 14, &CTrayScreen::OnAddTray);
    button(IdModifyTray, tr("수정"), 458, 41, 40, 14, &CTrayScreen::OnModifyTray);
    button(IdDeleteTray, tr("삭제"), 458, 59, 40, 14, &CTrayScreen::OnDeleteTray);
    button(IdInsertTray, QStringLiteral("+"), 458, 77, 40, 14, &CTrayScreen::OnInsertTray)
        ->hide();

    // Tray choices and results.
    const int cx = 520;
    label(tr("트레이 높이(H)"), cx, 7, 70);
    m_height = combo(IdHeight, cx + 72, 7, 50, TrayHeightItems());
    label(tr("계산적용 여유율"), cx, 23, 70);
    m_margin = combo(IdMargin, cx + 72, 23, 50, TrayMarginItems());
    label(tr("선정"), cx + 130, 7, 24);
    label(tr("TYPE"), cx + 156, 7, 30);
    m_trayType = combo(IdTrayType, cx + 188, 7, 50, TrayTypeItems());
    label(tr("COVER"), cx + 156, 23, 30);
    m_cover = combo(IdCover, cx + 188, 23, 50, TrayCoverItems());
    const struct
    {
        int id;
        const char* caption;
        const char* unit;
    } results[8] = {
        {IdWidthSum, "점유폭합", ""},
        {IdWeightSum, "단위중량합", ""},
        {IdTrayWidth, "점유폭기준 높이(H)", ""},
        {IdOccupancy, "최종 케이블 점유율", ""},
        {IdCableWeight, "케이블 중량", "Kg/m"},
        {IdTrayWeight, "트레이 중량", "Kg/m"},
        {IdCoverWeight, "커버 중량", "Kg/m"},
        {IdTotalWeight, "총중량", "Kg/m"},
    };
    for (int i = 0; i < 8; ++i) {
        const int rx = cx + (i / 4) * 150;
        const int ry = 43 + (i % 4) * 18;
        label(tr(results[i].caption), rx, ry, 70);
        edit(results[i].id, rx + 72, ry, 50, false);
        if (*results[i].unit)
            label(QString::fromLatin1(results[i].unit), rx + 124, ry, 20);
    }
    button(IdApply, tr("반영\n하기"), cx + 300, 43, 40, 30, &CTrayScreen::OnApplyTray);

    // Cable inputs, list and buttons.
    y = 150;
    label(tr("트레이 No."), 68, y, 40);
    m_currentName = edit(IdCurrentTrayName, 108, y, 70, false);
    m_currentIndex = edit(IdCurrentTrayIndex, 0, 0, 10);
    m_currentIndex->hide();
    label(tr("용도"), 182, y, 20);
    edit(IdPurpose, 202, y, 60);
    label(tr("From"), 266, y, 22);
    edit(IdCableFrom, 288, y, 50);
    label(tr("To"), 342, y, 14);
    edit(IdCableTo, 356, y, 50);
    label(tr("VOLT"), 410, y, 22);
    edit(IdCableVolt, 432, y, 40);
    label(tr("TYPE"), 476, y, 22);
    m_cableType = combo(IdCableType, 498, y, 40, {QStringLiteral("FCV"), QStringLiteral("FR8")});
    label(tr("SQ"), 542, y, 14);
    m_cableSq = combo(IdCableSq, 556, y, 40, kSizes);
    label(tr("CORE"), 600, y, 22);
    m_cableCore = combo(IdCableCore, 622, y, 30, kCounts);
    label(tr("LINE"), 656, y, 22);
    m_cableLine = combo(IdCableLine, 678, y, 30, kCounts);
    button(IdImport, tr("계통정보 불러오기"), 784, 148, 80, 14,
           &CTrayScreen::OnImportTrayCable);
    m_cableList = list(IdCableList, 68, 166, 808, 160, 40);
    connect(m_cableList, &QAbstractItemView::clicked, this,
            &CTrayScreen::OnClickTrayCableList);
    button(IdAddCable, tr("추가"), 884, 166, 50, 14, &CTrayScreen::OnAddTrayCable);
    button(IdModifyCable, tr("수정"), 884, 184, 50, 14, &CTrayScreen::OnModifyTrayCable);
    button(IdDeleteCable, tr("삭제"), 884, 202, 50, 14, &CTrayScreen::OnDeleteTrayCable);
    button(IdInsertCable, QStringLiteral("+"), 884, 220, 50, 14,
           &CTrayScreen::OnInsertTrayCable)
        ->hide();

    // Earth conductors: F-GV single cores, only size and line count chosen.
    y = 334;
    label(tr("PE"), 68, y, 20);
    label(tr("VOLT"), 92, y, 22);
    edit(IdPeVolt, 114, y, 40, false);
    label(tr("TYPE"), 158, y, 22);
    edit(IdPeType, 180, y, 30, false);
    label(tr("SQ"), 214, y, 14);
    m_peSq = combo(IdPeSq, 228, y, 40, kSizes);
    label(tr("CORE"), 272, y, 22);
    edit(IdPeCore, 294, y, 20, false);
    label(tr("LINE"), 318, y, 22);
    m_peLine = combo(IdPeLine, 340, y, 30, kCounts);
    m_peList = list(IdPeList, 68, 350, 808, 104, 40);
    connect(m_peList, &QAbstractItemView::clicked, this, &CTrayScreen::OnClickTrayPeList);
    button(IdAddPe, tr("추가"), 884, 350, 50, 14, &CTrayScreen::OnAddTrayPe);
    button(IdModifyPe, tr("수정"), 884, 368, 50, 14, &CTrayScreen::OnModifyTrayPe);
    button(IdDeletePe, tr("삭제"), 884, 386, 50, 14, &CTrayScreen::OnDeleteTrayPe);
    button(IdInsertPe, QStringLiteral("+"), 884, 404, 50, 14, &CTrayScreen::OnInsertTrayPe)
        ->hide();
}

CTrayScreen::~CTrayScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CTrayScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    m_trayList->setReportColumns({{QStringLiteral("TRAY NO."), QString(), 300},
                                  {tr("설치위치"), QString(), 100},
                                  {QStringLiteral("FROM"), QString(), 100},
                                  {QStringLiteral("TO"), QString(), 100}});
    m_cableList->setReportColumns(TrayRowColumns());
    m_peList->setReportColumns(TrayRowColumns());

    for (int id : {IdTrayName, IdTrayLocation, IdTrayFrom, IdTrayTo})
        Control<QLineEdit>(id)->clear();
    Control<QLineEdit>(IdPurpose)->setText(tr("동력간선"));
    Control<QLineEdit>(IdCableFrom)->setText(QStringLiteral("S/S"));
    Control<QLineEdit>(IdCableTo)->setText(QStringLiteral("PE-EV-A"));
    Control<QLineEdit>(IdCableVolt)->setText(QStringLiteral("0.6/1kV"));
    m_cableType->setCurrentIndex(1);                      // FR8
    m_cableSq->setCurrentIndex(int(kSizes.indexOf(QStringLiteral("35"))));
    m_cableCore->setCurrentIndex(3);                      // 4 cores
    m_cableLine->setCurrentIndex(0);
    Control<QLineEdit>(IdPeVolt)->setText(QStringLiteral("0.6/1kV"));
    Control<QLineEdit>(IdPeType)->setText(QStringLiteral("FGV"));
    Control<QLineEdit>(IdPeCore)->setText(QStringLiteral("1"));
    m_peSq->setCurrentIndex(int(kSizes.indexOf(QStringLiteral("6"))));
    m_peLine->setCurrentIndex(0);
    for (QComboBox* c : {m_height, m_margin, m_trayType, m_cover})
        c->setCurrentIndex(0);
    Block().TrayCount = 0;
    Block().TrayCableCount = 0;
    Block().TrayPeCount = 0;
    theApp.SetScreen(kScreen, this);
}

void CTrayScreen::SetCablePickerRunner(CablePickerRunner runner)
{
    PickerRunner() = std::move(runner);
}

QString CTrayScreen::Text(int id) const
{
    if (auto* e = Control<QLineEdit>(id))
        return e->text();
    if (auto* c = Control<QComboBox>(id))
        return c->currentText();
    return QString();
}

int CTrayScreen::CurrentTray() const
{
    return m_currentIndex->text().toInt();
}

QString CTrayScreen::FirstTrayName() const
{
    return m_trayList->rows()->text(0, 0);
}

void CTrayScreen::SetInsertButtonsVisible(bool visible)
{
    for (int id : {IdInsertTray, IdInsertCable, IdInsertPe})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

int CTrayScreen::SelectComboItem(QComboBox* combo, const QString& text)
{
    const int i = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    // A text no item carries leaves the combo without a selection.
    return i < 0 ? combo->count() : i;
}

// ---- trays ---------------------------------------------------------------------------------

void CTrayScreen::FillTrayList()
{
    std::vector<QStringList> rows;
    auto& record = Block().TrayRecord;
    for (int t = 0; t < kTrayListLimit; ++t) {
        if (!theApp.ReadTraySheet(t))
            break;
        rows.push_back({record[0], record[1], record[2], record[3]});
    }
    Block().TrayCount = int(rows.size());
    m_trayList->rows()->setRows(std::move(rows));
    if (Block().TrayCount == kTrayListLimit && TraysBeyondLimit(theApp))
        Prompt::Message(companion::RowLimitMessage(TrayWorkbookPath(), kTrayListLimit));
    // The rows shown belonged to a tray of the list just replaced (another project's, after a
    // load): no tray is current until one is loaded, and new rows count from 0.
    ClearCurrentTray();
}

void CTrayScreen::ClearCurrentTray()
{
    m_cableList->rows()->clear();
    m_peList->rows()->clear();
    Block().TrayCableCount = 0;
    Block().TrayPeCount = 0;
    m_currentName->clear();
    m_currentIndex->clear();
    for (int id : {IdWidthSum, IdWeightSum, IdTrayWidth, IdOccupancy, IdCableWeight, IdTrayWeight,
                   IdCoverWeight, IdTotalWeight})
        Control<QLineEdit>(id)->clear();
}

void CTrayScreen::ReadTrayRecordInputs()
{
    auto& record = Block().TrayRecord;
    record[0] = Text(IdTrayName);
    record[1] = Text(IdTrayLocation);
    record[2] = Text(IdTrayFrom);
    record[3] = Text(IdTrayTo);
}

QStringList CTrayScreen::ListedTrayNames() const
{
    QStringList names;
    const RowListModel* rows = m_trayList->rows();
    for (int r = 0; r < rows->rowCount(); ++r)
        names.append(rows->text(r, 0));
    return names;
}

bool CTrayScreen::CheckTrayName(const QString& name, int except)
{
    QStringList others = ListedTrayNames();
    if (except >= 0 && except < others.size())
        others.removeAt(except);
    switch (::CheckTrayName(name, others)) {
    case TrayNameCheck::Ok:
        return true;
    case TrayNameCheck::Taken:
        Prompt::Message(tr("해당 트레이스가 존재합니다. !!!"));
        return false;
    case TrayNameCheck::Invalid:
        break;
    }
    Prompt::Message(tr("트레이 이름으로 쓸 수 없습니다.\n%1\n(1~30자, 다음 문자는 쓸 수 없습니다: "
                       ": \\ / ? * [ ])")
                        .arg(name));
    return false;
}

void CTrayScreen::ShowStoreFailure(bool reloadTrays)
{
    // The screen shows what the file holds, whatever the failed action changed.
    if (reloadTrays) {
        const QString index = m_currentIndex->text();
        const QString name = m_currentName->text();
        FillTrayList();
        if (!index.isEmpty() && index.toInt() < Block().TrayCount) {
            m_currentIndex->setText(index);
            m_currentName->setText(name);
        }
    }
    ReloadTrayRows();
    Prompt::Message(tr("트레이 파일을 저장하지 못했습니다.\n%1").arg(TrayWorkbookPath()));
}

void CTrayScreen::OnAddTray()
{
    ReadTrayRecordInputs();
    SyncTrayChoices(false);
    const auto& record = Block().TrayRecord;
    if (record[0].isEmpty() || !CheckTrayName(record[0], -1))
        return;
    if (!theApp.AddTraySheets()) {
        ShowStoreFailure(true);
        return;
    }
    m_trayList->rows()->appendRow({record[0], record[1], record[2], record[3]});
    Block().TrayCount += 1;
}

void CTrayScreen::OnModifyTray()
{
    const int sel = m_trayList->selectionMark();
    if (sel < 0 || sel >= m_trayList->rows()->rowCount())
        return;
    ReadTrayRecordInputs();
    SyncTrayChoices(false);
    const auto& record = Block().TrayRecord;
    if (!CheckTrayName(record[0], sel))
        return;
    if (!theApp.UpdateTraySheets(sel)) {
        ShowStoreFailure(true);
        return;
    }
    m_trayList->rows()->setRow(sel, {record[0], record[1], record[2], record[3]});
    m_trayList->setSelectionMark(-1);
    m_trayList->clearSelection();
    // The name beside the cable inputs follows a renamed current tray.
    if (!m_currentIndex->text().isEmpty() && CurrentTray() == sel)
        m_currentName->setText(record[0]);
}

void CTrayScreen::OnDeleteTray()
{
    const int sel = m_trayList->selectionMark();
    const int count = m_trayList->rows()->rowCount();
    if (sel < 0 || sel >= count)
        return;
    const QString path = TrayWorkbookPath();
    // The last tray goes with its workbook.
    const bool stored = count == 1 ? (!QFile::exists(path) || QFile::remove(path))
                                   : theApp.DeleteTraySheets(sel);
    if (!stored) {
        ShowStoreFailure(true);
        return;
    }
    m_trayList->rows()->removeRow(sel);
    Block().TrayCount = count - 1;
    if (count > 1) {
        LoadTrayData(0, FirstTrayName());
    } else {
        ClearCurrentTray();
    }
    const int n = count - 1;
    m_trayList->setSelectionMark(n == 0 ? -1 : std::min(sel, n - 1));
}

void CTrayScreen::OnInsertTray()
{
    const int sel = m_trayList->selectionMark();
    if (sel < 0 || sel >= m_trayList->rows()->rowCount())
        return;
    auto& record = Block().TrayRecord;
    record.fill(CSevrinApp::MakeInsertedItemName());
    SyncTrayChoices(false);
    if (!CheckTrayName(record[0], -1))
        return;
    // The new tray goes after the last one, whichever tray is marked.
    const int at = m_trayList->rows()->rowCount();
    if (!theApp.InsertTraySheets(at)) {
        ShowStoreFailure(true);
        return;
    }
    m_trayList->rows()->appendRow({record[0], record[1], record[2], record[3]});
    Block().TrayCount = at + 1;
}

void CTrayScreen::OnClickTrayList()
{
    const int sel = m_trayList->selectionMark();
    if (sel < 0 || sel >= m_trayList->rows()->rowCount())
        return;
    const QStringList cells = m_trayList->rows()->row(sel);
    Control<QLineEdit>(IdTrayName)->setText(cells.value(0));
    Control<QLineEdit>(IdTrayLocation)->setText(cells.value(1));
    Control<QLineEdit>(IdTrayFrom)->setText(cells.value(2));
    Control<QLineEdit>(IdTrayTo)->setText(cells.value(3));
    LoadTrayData(sel, cells.value(0));
}

void CTrayScreen::ReloadTrayRows()
{
    const TrayRows stored = ReadTrayRows(theApp, CurrentTray());
    const auto fill = [](ReportListView* list, const std::vector<TrayRow>& rows) {
        std::vector<QStringList> cells;
        cells.reserve(rows.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            QStringList r = RowTexts(rows[k]);
            r[0] = QString::number(k + 1);  // numbered by position, whatever is stored
            cells.push_back(std::move(r));
        }
        list->rows()->setRows(std::move(cells));
    };
    fill(m_cableList, stored.cables);
    fill(m_peList, stored.pes);
    Block().TrayCableCount = int(stored.cables.size());
    Block().TrayPeCount = int(stored.pes.size());
    if (!stored.cables.empty())
        Block().TrayCableRow = stored.cables.back();
    if (!stored.pes.empty())
        Block().TrayPeRow = stored.pes.back();
    if (stored.beyondLimit)
        Prompt::Message(companion::RowLimitMessage(TrayWorkbookPath(), kTrayRowLimit));
}

void CTrayScreen::LoadTrayData(int trayIndex, const QString& trayName)
{
    m_currentIndex->setText(QString::number(trayIndex));
    m_currentName->setText(trayName);
    ReloadTrayRows();
    auto& choices = Block().TrayResult;
    choices.fill(QString());
    theApp.ReadTrayResults(trayIndex);
    SyncTrayChoices(true);
    CalcTray(trayIndex);
}

void CTrayScreen::SyncTrayChoices(bool toControls)
{
    auto& indexes = Block().TrayResult;
    QComboBox* const combos[4] = {m_height, m_margin, m_trayType, m_cover};
    for (int i = 0; i < 4; ++i) {
        QComboBox* c = combos[i];
        QString& stored = indexes[std::size_t(i)];
        if (toControls) {
            QStringList items;
            for (int k = 0; k < c->count(); ++k)
                items.append(c->itemText(k));
            const QSignalBlocker block(c);
            c->setCurrentIndex(TrayChoiceIndex(stored, items));
        } else {
            stored = QString::number(c->currentIndex());
        }
    }
}

TrayChoices CTrayScreen::CurrentChoices() const
{
    return {m_height->currentText(), m_margin->currentText(), m_trayType->currentText(),
            m_cover->currentText()};
}

// ---- calculation ---------------------------------------------------------------------------

void CTrayScreen::CalcTrayCableRow()
{
    AppTrayLookup lookup(theApp);
    ::CalcTrayCableRow(Block().TrayCableRow, lookup);
}

void CTrayScreen::CalcTrayPeRow()
{
    AppTrayLookup lookup(theApp);
    ::CalcTrayPeRow(Block().TrayPeRow, lookup);
}

TrayResult CTrayScreen::CalcTray(int trayIndex, bool warn)
{
    // Always from the workbook, so every stored row operation is reflected.
    const TrayRows rows = ReadTrayRows(theApp, trayIndex);
    AppTrayLookup lookup(theApp);
    const TrayResult r = ::CalcTray(rows.cables, rows.pes, CurrentChoices(), lookup);
    const std::pair<int, const QString*> fields[8] = {
        {IdWidthSum, &r.widthSumText},       {IdWeightSum, &r.weightSumText},
        {IdTrayWidth, &r.widthText},         {IdOccupancy, &r.occupancyText},
        {IdCableWeight, &r.cableWeightText}, {IdTrayWeight, &r.trayWeightText},
        {IdCoverWeight, &r.coverWeightText}, {IdTotalWeight, &r.totalWeightText},
    };
    for (const auto& [id, text] : fields)
        Control<QLineEdit>(id)->setText(*text);
    if (warn && r.overfilled)
        theApp.ShowCalcWarning(5);
    return r;
}

void CTrayScreen::MakeTraySpecText()
{
    TrayResult shown;
    shown.widthText = Text(IdTrayWidth);
    shown.occupancyText = Text(IdOccupancy);
    shown.cableWeightText = Text(IdCableWeight);
    shown.trayWeightText = Text(IdTrayWeight);
    shown.coverWeightText = Text(IdCoverWeight);
    shown.totalWeightText = Text(IdTotalWeight);
    Block().TrayResultRow = ::MakeTraySpecText(CurrentChoices(), shown);
}

void CTrayScreen::OnApplyTray()
{
    SyncTrayChoices(false);
    const int t = CurrentTray();
    const TrayResult r = CalcTray(t, false);
    MakeTraySpecText();
    // The results are in the file before the warning is shown.
    if (Block().TrayCount > 0 && !theApp.WriteTrayResults(t)) {
        ShowStoreFailure(false);
        return;
    }
    if (r.overfilled)
        theApp.ShowCalcWarning(5);
}

// ---- cable and PE rows ---------------------------------------------------------------------

void CTrayScreen::BuildTrayCableRow(int row, const QString& insertName)
{
    TrayRow& r = Block().TrayCableRow;
    r[0] = QString::number(row + 1);
    const bool inserted = !insertName.isEmpty();
    r[1] = inserted ? insertName : Text(IdPurpose);
    r[2] = inserted ? insertName : Text(IdCableFrom);
    r[3] = inserted ? insertName : Text(IdCableTo);
    r[4] = Text(IdCableVolt);
    r[5] = m_cableType->currentText();
    r[6] = m_cableSq->currentText();
    r[7] = m_cableCore->currentText();
    r[8] = m_cableLine->currentText();
    for (int c = 9; c < kTrayColumnCount; ++c)
        r[std::size_t(c)].clear();
    CalcTrayCableRow();
}

void CTrayScreen::BuildTrayPeRow(int row, const QString& insertName)
{
    TrayRow& r = Block().TrayPeRow;
    r[0] = QString::number(row + 1);
    r[1] = insertName.isEmpty() ? QStringLiteral("PE") : insertName;
    r[2] = QStringLiteral("-");
    r[3] = QStringLiteral("-");
    r[4] = Text(IdPeVolt);
    r[5] = Text(IdPeType);
    r[6] = m_peSq->currentText();
    r[7] = Text(IdPeCore);
    r[8] = m_peLine->currentText();
    for (int c = 9; c < kTrayColumnCount; ++c)
        r[std::size_t(c)].clear();
    CalcTrayPeRow();
}

bool CTrayScreen::AtRowLimit(RowKind kind)
{
    // Rows past the limit would be written but never read back.
    if (Block().*Ops(kind).count < kTrayRowLimit)
        return false;
    Prompt::Message(kind == RowKind::Cable
                        ? tr("트레이 케이블 리스트는 최대 %1개까지 입력할 수 있습니다.").arg(kTrayRowLimit)
                        : tr("트레이 PE 리스트는 최대 %1개까지 입력할 수 있습니다.").arg(kTrayRowLimit));
    return true;
}

void CTrayScreen::AddRow(RowKind kind)
{
    const RowOps& ops = Ops(kind);
    if (Block().TrayCount <= 0 || AtRowLimit(kind))
        return;
    const int n = Block().*ops.count;
    (this->*ops.build)(n, QString());
    if (!(theApp.*ops.write)(CurrentTray(), n, false)) {
        ShowStoreFailure(false);
        return;
    }
    (this->*ops.list)->rows()->appendRow(RowTexts(Block().*ops.row));
    Block().*ops.count = n + 1;
}

void CTrayScreen::ModifyRow(RowKind kind)
{
    const RowOps& ops = Ops(kind);
    ReportListView* list = this->*ops.list;
    const int sel = list->selectionMark();
    if (sel < 0 || sel >= list->rows()->rowCount())
        return;
    (this->*ops.build)(sel, QString());
    if (!(theApp.*ops.write)(CurrentTray(), sel, false)) {
        ShowStoreFailure(false);
        return;
    }
    list->rows()->setRow(sel, RowTexts(Block().*ops.row));
    list->setSelectionMark(-1);
    list->clearSelection();
}

void CTrayScreen::DeleteRow(RowKind kind)
{
    const RowOps& ops = Ops(kind);
    ReportListView* list = this->*ops.list;
    const int sel = list->selectionMark();
    if (sel < 0 || sel >= list->rows()->rowCount())
        return;
    if (!(theApp.*ops.remove)(CurrentTray(), sel)) {
        ShowStoreFailure(false);
        return;
    }
    list->rows()->removeRow(sel);
    const int n = list->rows()->rowCount();
    Block().*ops.count = n;
    list->rows()->renumberFrom(0);
    list->setSelectionMark(n == 0 ? -1 : std::min(sel, n - 1));
}

void CTrayScreen::InsertRow(RowKind kind)
{
    const RowOps& ops = Ops(kind);
    ReportListView* list = this->*ops.list;
    const int sel = list->selectionMark();
    if (sel < 0 || sel >= list->rows()->rowCount() || AtRowLimit(kind))
        return;
    (this->*ops.build)(sel, CSevrinApp::MakeInsertedItemName());
    if (!(theApp.*ops.write)(CurrentTray(), sel, true)) {
        ShowStoreFailure(false);
        return;
    }
    // The rows below keep their numbers until the tray is loaded again.
    list->rows()->insertRow(sel, RowTexts(Block().*ops.row));
    Block().*ops.count += 1;
}

void CTrayScreen::OnAddTrayCable() { AddRow(RowKind::Cable); }
void CTrayScreen::OnModifyTrayCable() { ModifyRow(RowKind::Cable); }
void CTrayScreen::OnDeleteTrayCable() { DeleteRow(RowKind::Cable); }
void CTrayScreen::OnInsertTrayCable() { InsertRow(RowKind::Cable); }
void CTrayScreen::OnAddTrayPe() { AddRow(RowKind::Pe); }
void CTrayScreen::OnModifyTrayPe() { ModifyRow(RowKind::Pe); }
void CTrayScreen::OnDeleteTrayPe() { DeleteRow(RowKind::Pe); }
void CTrayScreen::OnInsertTrayPe() { InsertRow(RowKind::Pe); }

void CTrayScreen::OnClickTrayCableList()
{
    const int sel = m_cableList->selectionMark();
    if (sel < 0 || sel >= m_cableList->rows()->rowCount())
        return;
    const QStringList cells = m_cableList->rows()->row(sel);
    Control<QLineEdit>(IdPurpose)->setText(cells.value(1));
    Control<QLineEdit>(IdCableFrom)->setText(cells.value(2));
    Control<QLineEdit>(IdCableTo)->setText(cells.value(3));
    Control<QLineEdit>(IdCableVolt)->setText(cells.value(4));
    const auto select = [this](QComboBox* c, const QString& text) {
        const int i = SelectComboItem(c, text);
        c->setCurrentIndex(i < c->count() ? i : -1);
    };
    select(m_cableType, cells.value(5));
    select(m_cableSq, cells.value(6).remove(kMm2));
    select(m_cableCore, cells.value(7).remove(QLatin1Char('C')));
    select(m_cableLine, cells.value(8).remove(QLatin1Char('L')));
}

void CTrayScreen::OnClickTrayPeList()
{
    const int sel = m_peList->selectionMark();
    if (sel < 0 || sel >= m_peList->rows()->rowCount())
        return;
    const QStringList cells = m_peList->rows()->row(sel);
    const auto select = [this](QComboBox* c, const QString& text) {
        const int i = SelectComboItem(c, text);
        c->setCurrentIndex(i < c->count() ? i : -1);
    };
    select(m_peSq, cells.value(6).remove(kMm2));
    select(m_peLine, cells.value(8).remove(QLatin1Char('L')));
}

void CTrayScreen::OnImportTrayCable()
{
    // Nothing to put the cable into yet.
    if (Block().TrayCount <= 0)
        return;
    CCablePickerDlg dlg(this);
    const int result = PickerRunner() ? PickerRunner()(dlg) : dlg.exec();
    const auto& picked = dlg.PickedCableTexts;
    if (result != QDialog::Accepted || picked[0].isEmpty())
        return;
    if (AtRowLimit(RowKind::Cable) || AtRowLimit(RowKind::Pe))
        return;
    const int t = CurrentTray();

    TrayRow& cable = Block().TrayCableRow;
    const int k = Block().TrayCableCount;
    cable = TrayRow{};
    cable[0] = QString::number(k + 1);
    cable[1] = QStringLiteral("-");
    for (int c = 2; c <= 6; ++c)
        cable[std::size_t(c)] = picked[std::size_t(c)];
    cable[7] = picked[8];  // CORE
    cable[8] = picked[9];  // LINE
    CalcTrayCableRow();
    if (!theApp.WriteTrayCableRow(t, k, false)) {
        ShowStoreFailure(false);
        return;
    }
    m_cableList->rows()->appendRow(RowTexts(cable));
    Block().TrayCableCount = k + 1;

    // Its earth conductor: one F-GV core of the cable's PE size.
    TrayRow& pe = Block().TrayPeRow;
    const int j = Block().TrayPeCount;
    pe = TrayRow{};
    pe[0] = QString::number(j + 1);
    pe[1] = QStringLiteral("PE");
    pe[2] = QStringLiteral("-");
    pe[3] = QStringLiteral("-");
    pe[4] = picked[4];
    pe[5] = QStringLiteral("FGV");
    pe[6] = picked[10];
    pe[7] = QStringLiteral("1");
    pe[8] = QStringLiteral("1");
    CalcTrayPeRow();
    if (!theApp.WriteTrayPeRow(t, j, false)) {
        ShowStoreFailure(false);
        return;
    }
    m_peList->rows()->appendRow(RowTexts(pe));
    Block().TrayPeCount = j + 1;
}

// ---- screen buttons ------------------------------------------------------------------------

void CTrayScreen::OnOutputTray()
{
    COutputDlg::RunForScreenReport(COutputDlg::CableTray, this);
}

void CTrayScreen::OnTraySelectScreen()
{
    SwitchView(Screen::Project);
}

void CTrayScreen::OnTrayStartScreen()
{
    SwitchView(Screen::Start);
}
