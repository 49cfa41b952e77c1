#include "mccsheetpage.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/core/mccpanel.h"
#include "app/core/quantity.h"
#include "loads/gui/guicall.h"
#include "platform/profile.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kPanelColumns = 10;
constexpr int kLoadColumns = 40;

const QStringList kSupplies = {"1P2W", "1P3W", "3P3W", "3P4W"};
const QStringList kTransformers = {"TR-1", "TR-2", "TR-3", "TR-4", "TR-5"};
const QStringList kInstallTypes = {"매립형", "돌출형"};
const QStringList kKinds = {"M", "L1", "L2", "L3", "L3P"};
const QStringList kStartMethods = {"DOL", "Y-D", "리액터", "S.S", "INV", "-"};
const QStringList kSpares = {"Y", "N"};
const QStringList kPhases = {"2P", "3P"};

struct LoadColumn
{
    const char16_t* caption;
    const char16_t* group;
    int full;
    int input;
};
const LoadColumn kLoadColumnTable[kLoadColumns] = {
    {u"장비명", u"", 100, 100},       {u"장비번호", u"", 80, 80},     {u"종류", u"부하", 50, 50},
    {u"[kW]", u"부하용량", 50, 50},   {u"[kVA]", u"부하용량", 50, 50}, {u"예비부하", u"", 50, 50},
    {u"입력부하", u"", 60, 0},        {u"P", u"전원방식", 50, 50},     {u"W", u"전원방식", 50, 0},
    {u"[kV]", u"전원방식", 50, 0},    {u"η", u"효율", 50, 0},          {u"cosθ", u"역률", 80, 0},
    {u"IB[A]", u"설계전류", 80, 0},   {u"기동방식", u"", 80, 80},      {u"β", u"기동배율", 80, 0},
    {u"C", u"기동계수", 80, 0},       {u"λ", u"전류제한", 80, 0},      {u"k", u"전류배율", 80, 0},
    {u"IMS[A]", u"기동전류", 80, 0},  {u"II[A]", u"돌입전류", 80, 0},  {u"tm[sec]", u"기동시간", 80, 0},
    {u"cosθS", u"기동역률", 80, 0},   {u"DF", u"수용률", 80, 80},      {u"[kVA]", u"수용부하", 80, 0},
    {u"L1", u"상부하 [kVA]", 80, 0},  {u"L2", u"상부하 [kVA]", 80, 0}, {u"L3", u"상부하 [kVA]", 80, 0},
    {u"P", u"MCCB", 80, 0},           {u"AF", u"MCCB", 80, 0},         {u"AT", u"MCCB", 80, 0},
    {u"CT", u"", 60, 0},              {u"[uF]", u"콘덴서", 60, 0},     {u"[mm]", u"UNIT SIZE", 80, 0},
    {u"비고", u"", 40, 0},            {u"[kW]", u"", 80, 0},           {u"기동\n방식", u"", 80, 0},
    {u"기동\n시간", u"", 80, 0},      {u"기동\nkVA", u"", 80, 0},      {u"수용부하\n[kVA]", u"", 80, 0},
    {u"비고", u"", 40, 0},
};

CSevrinApp::MotorControlCenterBlockT& Block()
{
    return theApp.MotorControlCenterBlock;
}

QString MccPath()
{
    return theApp.CompanionPath(CSevrinApp::MccWorkbook);
}

// A panel lists at most kMaxMccLoadRows loads. A row stored past them would not be listed
// again, and "추가" writing at the list's end would overwrite a stored row the list does not
// show: the list refuses to grow past its limit, as the other lists do.
bool RefuseLoadsPastLimit(int loadsAfter)
{
    if (loadsAfter <= kMaxMccLoadRows)
        return false;
    Prompt::Message(CMccSheetPage::tr("동력 부하는 최대 %1개까지 입력할 수 있습니다.")
                        .arg(kMaxMccLoadRows));
    return true;
}

QStringList RowCells(const MccLoadRow& row)
{
    QStringList cells;
    cells.reserve(kLoadColumns);
    for (const QString& c : row)
        cells.append(c);
    return cells;
}

MccLoadRow RowOf(const QStringList& cells)
{
    MccLoadRow row;
    for (int c = 0; c < kLoadColumns; ++c)
        row[std::size_t(c)] = cells.value(c);
    return row;
}

}  // namespace

CMccSheetPage::CMccSheetPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the frame it sits in.
    setMinimumSize(0, 0);
    BuildPanelInputs();
    BuildLoadInputs();
    BuildTotalsArea();
    m_position = new QLineEdit(QStringLiteral("0"), this);
    m_position->setObjectName(QString::number(IdPosition));
    m_position->hide();
    m_panelSupply = new QLineEdit(this);
    m_panelSupply->setObjectName(QString::number(IdPanelSupply));
    m_panelSupply->hide();

    // The lists: grid lines, whole rows, info tips; the load list has a two-line header.
    QList<ReportColumn> panelColumns;
    const QList<QPair<QString, int>> captions = {
        {"No.", 80},     {"분전반명", 120}, {"설치위치", 120}, {"설치형태", 0},
        {"FROM", 120},   {"전압[kV]", 80}, {"전원방식", 80}, {"발전기 연결", 80},
        {"연결부하", 80}, {"최대부하제외", 100}};
    for (const auto& [caption, width] : captions)
        panelColumns.append(ReportColumn{caption, QString(), width, Qt::AlignCenter});
    m_panelList->setReportColumns(panelColumns);
    m_panelList->setColumnHidden(3, true);
    SetupMccLoadColumns(0);
    SetDefaults();
    SetFilterEnterEscape(true);
}

// ---- layout --------------------------------------------------------------------------------

void CMccSheetPage::AddCentredLabel(const QString& text, int x, int y, int w)
{
    auto* l = new QLabel(text, this);
    l->setAlignment(Qt::AlignCenter);
    Place(l, 0, x, y, w, 12);
}

QLineEdit* CMccSheetPage::AddEdit(int id, int x, int y, int w)
{
    auto* e = new QLineEdit(this);
    Place(e, id, x, y, w, 12);
    return e;
}

QComboBox* CMccSheetPage::AddEditableCombo(int id, const QStringList& items, int x, int y, int w)
{
    auto* c = new QComboBox(this);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    Place(c, id, x, y, w, 12);
    return c;
}

void CMccSheetPage::BuildPanelInputs()
{
    const int y = 4;
    AddCentredLabel(tr("분전반명"), 4, y, 30);
    AddEdit(IdPanelName, 34, y, 60);
    AddCentredLabel(tr("설치위치"), 98, y, 30);
    AddEdit(IdLocation, 128, y, 40);
    AddCentredLabel(tr("전압"), 172, y, 18);
    AddEdit(IdVoltage, 190, y, 28);
    AddCentredLabel(tr("kV"), 218, y, 10);
    AddCentredLabel(tr("전원방식"), 232, y, 30);
    m_supply = AddEditableCombo(IdSupply, kSupplies, 262, y, 40);
    AddCentredLabel(tr("FROM"), 306, y, 20);
    m_fromRoom = new QRadioButton(tr("전기실"), this);
    Place(m_fromRoom, IdFromRoom, 326, y, 34, 12);
    m_transformer = AddEditableCombo(IdTransformer, kTransformers, 360, y, 36);
    m_fromPanel = new QRadioButton(tr("분전반"), this);
    Place(m_fromPanel, IdFromPanel, 400, y, 34, 12);
    AddEdit(IdFromPanelName, 434, y, 50);
    auto* from = new QButtonGroup(this);
    from->addButton(m_fromRoom);
    from->addButton(m_fromPanel);
    m_generator = new QCheckBox(tr("비상발전기 연결"), this);
    Place(m_generator, IdGenerator, 488, y, 66, 12);
    m_installType = AddEditableCombo(IdInstallType, kInstallTypes, 556, y, 40);
    m_installType->hide();

    auto button = [this](int id, const QString& caption, int x, int w, void (CMccSheetPage::*h)()) {
        QPushButton* b = AddButton(id, caption, x, 3, w, 14);
        connect(b, &QPushButton::clicked, this, h);
        return b;
    };
    button(IdAddPanel, tr("추가"), 620, 40, &CMccSheetPage::OnAddMccPanel);
    button(IdModifyPanel, tr("수정"), 664, 40, &CMccSheetPage::OnModifyMccPanel);
    button(IdDeletePanel, tr("삭제"), 708, 40, &CMccSheetPage::OnDeleteMccPanel);
    button(IdInsertPanel, QStringLiteral("+"), 752, 16, &CMccSheetPage::OnInsertMccPanel)->hide();
    button(IdCopyPanel, tr("분전반복사하기"), 772, 64, &CMccSheetPage::OnCopyMccPanel);

    m_panelList = new ReportListView(this, 20);
    Place(m_panelList, IdPanelList, 4, 20, 860, 96);
    connect(m_panelList, &QAbstractItemView::clicked, this, &CMccSheetPage::OnClickMccPanelList);
}

void CMccSheetPage::BuildLoadInputs()
{
    int y = 122;
    AddCentredLabel(tr("분전반명"), 4, y, 30);
    AddEdit(IdLoadPanelName, 34, y, 60)->setReadOnly(true);
    AddCentredLabel(tr("장비명"), 98, y, 26);
    AddEdit(IdEquipmentName, 124, y, 80);
    AddCentredLabel(tr("장비번호"), 208, y, 32);
    AddEdit(IdEquipmentNumber, 240, y, 40);
    AddCentredLabel(tr("부하종류"), 284, y, 32);
    m_kind = AddEditableCombo(IdLoadKind, kKinds, 316, y, 36);
    AddCentredLabel(tr("용량"), 356, y, 18);
    AddEdit(IdKw, 374, y, 30);
    AddCentredLabel(tr("kW"), 404, y, 12);
    AddEdit(IdKva, 418, y, 30);
    AddCentredLabel(tr("kVA"), 448, y, 16);
    AddCentredLabel(tr("예비부하"), 468, y, 32);
    m_spare = AddEditableCombo(IdSpare, kSpares, 500, y, 30);
    AddCentredLabel(tr("전원방식"), 534, y, 32);
    m_phases = AddEditableCombo(IdPhases, kPhases, 566, y, 30);
    AddCentredLabel(tr("기동방식"), 600, y, 32);
    m_method = AddEditableCombo(IdStartMethod, kStartMethods, 632, y, 40);
    AddCentredLabel(tr("수용률"), 676, y, 26);
    AddEdit(IdDemandFactor, 702, y, 30);
    AddEdit(IdEfficiency, 736, y, 30)->hide();
    AddEdit(IdPowerFactor, 770, y, 30)->hide();

    y = 138;
    auto button = [this, &y](int id, const QString& caption, int x, int w,
                             void (CMccSheetPage::*h)()) {
        QPushButton* b = AddButton(id, caption, x, y, w, 14);
        connect(b, &QPushButton::clicked, this, h);
        return b;
    };
    button(IdImportBreakers, tr("MCCB 불러오기"), 4, 60, &CMccSheetPage::OnImportMccBreakers);
    button(IdImportLinked, tr("연계부하 불러오기"), 68, 70, &CMccSheetPage::OnImportMccLinkedLoads);
    button(IdAddLoad, tr("추가"), 620, 40, &CMccSheetPage::OnAddMccLoad);
    button(IdModifyLoad, tr("수정"), 664, 40, &CMccSheetPage::OnModifyMccLoad);
    button(IdDeleteLoad, tr("삭제"), 708, 40, &CMccSheetPage::OnDeleteMccLoad);
    button(IdInsertLoad, QStringLiteral("+"), 752, 16, &CMccSheetPage::OnInsertMccLoad)->hide();
    button(IdShowAllColumns, tr("전체 열보기"), 500, 44, &CMccSheetPage::OnShowAllMccColumns)->hide();
    button(IdShowInputColumns, tr("입력 열보기"), 448, 44, &CMccSheetPage::OnShowInputMccColumns)->hide();
    button(IdShowBasicColumns, tr("기본 열보기"), 396, 44, &CMccSheetPage::OnShowBasicMccColumns)->hide();

    m_loadList = new ReportListView(this, 40);
    Place(m_loadList, IdLoadList, 4, 156, 860, 240);
    connect(m_loadList, &QAbstractItemView::clicked, this, &CMccSheetPage::OnClickMccLoadList);
}

void CMccSheetPage::BuildTotalsArea()
{
    auto field = [this](int id, int x, int y, int w) {
        auto* e = new QLineEdit(this);
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignCenter);
        Place(e, id, x, y, w, 12);
        return e;
    };
    const int y0 = 402, dy = 16;
    AddCentredLabel(tr("TOTAL"), 4, y0 + dy, 28);
    const std::pair<const char*, int> total[3] = {
        {"연결부하(CL)", IdConnected}, {"수용률(DF)", IdDemandPct}, {"수용부하(DL)", IdDemand}};
    const char* totalUnits[3] = {"[kVA]", "[%]", "[kVA]"};
    for (int i = 0; i < 3; ++i) {
        AddCentredLabel(tr(total[i].first), 32, y0 + i * dy, 56);
        field(total[i].second, 88, y0 + i * dy, 40);
        AddCentredLabel(QString::fromLatin1(totalUnits[i]), 128, y0 + i * dy, 22);
    }
    AddCentredLabel(tr("상별\n수용부하"), 154, y0 + dy, 34);
    const int lines[3] = {IdLineL1, IdLineL2, IdLineL3};
    for (int i = 0; i < 3; ++i) {
        AddCentredLabel(QStringLiteral("L%1").arg(i + 1), 188, y0 + i * dy, 12);
        field(lines[i], 200, y0 + i * dy, 36);
        AddCentredLabel(QStringLiteral("[kVA]"), 236, y0 + i * dy, 22);
    }
    for (int id : {IdHidden1, IdHidden2, IdHidden3})
        field(id, 0, 0, 10)->hide();

    AddCentredLabel(tr("최대\n전동기"), 262, y0 + dy, 30);
    AddCentredLabel(tr("용량"), 292, y0, 30);
    field(IdMotorKw, 322, y0, 40);
    AddCentredLabel(QStringLiteral("[kW]"), 362, y0, 20);
    AddCentredLabel(tr("기동방식"), 292, y0 + dy, 30);
    field(IdMotorMethod, 322, y0 + dy, 40);
    field(IdMotorWord, 362, y0 + dy, 20);
    AddCentredLabel(tr("기동용량"), 292, y0 + 2 * dy, 30);
    field(IdMotorStartKva, 322, y0 + 2 * dy, 40);
    field(IdMotorStartTime, 362, y0 + 2 * dy, 20);
    AddCentredLabel(QStringLiteral("[kVA]"), 382, y0 + 2 * dy, 22);

    AddCentredLabel(tr("MAIN"), 410, y0 + dy, 24);
    AddCentredLabel(tr("차단기"), 434, y0, 30);
    field(IdBreakerPoles, 464, y0, 24);
    field(IdBreakerFrame, 490, y0, 30);
    field(IdBreakerTrip, 522, y0, 40);
    AddCentredLabel(tr("CT"), 434, y0 + dy, 30);
    field(IdCt, 464, y0 + dy, 60);
    AddCentredLabel(QStringLiteral("[A]"), 524, y0 + dy, 16);
    AddCentredLabel(tr("CABLE"), 434, y0 + 2 * dy, 30);
    field(IdCable, 464, y0 + 2 * dy, 170);

    AddCentredLabel(tr("3상단락전류(Isc)"), 570, y0, 62);
    field(IdBreakingKa, 632, y0, 36);
    AddCentredLabel(QStringLiteral("[kA]"), 668, y0, 18);
    AddCentredLabel(tr("최대용량제외"), 690, y0, 50);
    field(IdWithoutLargest, 740, y0, 40);
    AddCentredLabel(QStringLiteral("[kVA]"), 780, y0, 22);
    AddCentredLabel(tr("최대단락전류"), 690, y0 + dy, 50);
    field(IdMaxFault, 740, y0 + dy, 40);
    AddCentredLabel(QStringLiteral("[kA]"), 780, y0 + dy, 18);
    AddCentredLabel(tr("최소단락전류"), 690, y0 + 2 * dy, 50);
    field(IdMinFault, 740, y0 + 2 * dy, 40);
    AddCentredLabel(QStringLiteral("[kA]"), 780, y0 + 2 * dy, 18);
}

void CMccSheetPage::SetDefaults()
{
    SetText(IdPanelName, QStringLiteral("MCC-A"));
    SetText(IdLocation, QStringLiteral("B2"));
    SetText(IdFromPanelName, QStringLiteral("LV-1"));
    SetText(IdVoltage, QStringLiteral("0.38"));
    SelectComboItem(m_transformer, QStringLiteral("TR-1"));
    SelectComboItem(m_supply, QStringLiteral("1P3W"));
    SelectComboItem(m_installType, QStringLiteral("돌출형"));
    m_fromRoom->setChecked(true);
    SetText(IdEquipmentName, QStringLiteral("스프링클러 주펌프"));
    SetText(IdEquipmentNumber, QStringLiteral("FP-7"));
    SetText(IdKw, QStringLiteral("110"));
    SetText(IdKva, QString());
    SetText(IdDemandFactor, QStringLiteral("1.00"));
    SetText(IdEfficiency, QStringLiteral("0.96"));
    SetText(IdPowerFactor, QStringLiteral("0.86"));
    SelectComboItem(m_kind, QStringLiteral("M"));
    SelectComboItem(m_method, QStringLiteral("리액터"));
    SelectComboItem(m_spare, QStringLiteral("N"));
    SelectComboItem(m_phases, QStringLiteral("3P"));
}

// ---- small helpers -------------------------------------------------------------------------

QString CMccSheetPage::Text(int id) const
{
    if (auto* e = Control<QLineEdit>(id))
        return e->text();
    if (auto* c = Control<QComboBox>(id))
        return c->currentText();
    return QString();
}

void CMccSheetPage::SetText(int id, const QString& text)
{
    if (auto* e = Control<QLineEdit>(id))
        e->setText(text);
}

void CMccSheetPage::SelectComboItem(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    const int i = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(i);
    if (i < 0)
        combo->setEditText(QString());  // not an item: no selection
}

int CMccSheetPage::LoadSelection() const
{
    const int s = m_loadList->selectionMark();
    return s >= 0 && s < m_loadList->rows()->rowCount() ? s : -1;
}

int CMccSheetPage::PanelSelection() const
{
    const int s = m_panelList->selectionMark();
    return s >= 0 && s < m_panelList->rows()->rowCount() ? s : -1;
}

void CMccSheetPage::SetInsertButtonsVisible(bool visible)
{
    for (int id : {IdInsertPanel, IdInsertLoad})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

int CMccSheetPage::PanelPosition() const
{
    return LeadingInt(m_position->text());
}

QString CMccSheetPage::GetGeneratorLinkMark() const
{
    return m_generator->isChecked() ? QStringLiteral("O") : QStringLiteral("X");
}

QStringList CMccSheetPage::PanelNames() const
{
    QStringList names;
    for (int r = 0; r < m_panelList->rows()->rowCount(); ++r)
        names.append(m_panelList->rows()->text(r, 1));
    return names;
}

QStringList CMccSheetPage::PanelRowTexts(int number) const
{
    const auto& rec = Block().MccPanelRecord;
    QStringList cells{QString::number(number)};
    for (int i = 0; i <= 6; ++i)
        cells.append(rec[std::size_t(i)]);
    cells.append(rec[7]);
    cells.append(rec[16]);
    return cells;
}

void CMccSheetPage::ReadPanelInputs()
{
    auto& rec = Block().MccPanelRecord;
    rec = {};
    rec[0] = Text(IdPanelName);
    rec[1] = Text(IdLocation);
    rec[2] = m_installType->currentText();
    rec[3] = m_fromRoom->isChecked() ? m_transformer->currentText() : Text(IdFromPanelName);
    rec[4] = Text(IdVoltage);
    rec[5] = m_supply->currentText();
    rec[6] = GetGeneratorLinkMark();
}

void CMccSheetPage::RefuseName(int check)
{
    const QString text = MccPanelNameMessage(MccPanelNameCheck(check));
    if (!text.isEmpty())
        Prompt::Message(text);
}

bool CMccSheetPage::RefuseVoltage()
{
    // The panel's voltage sizes its main current transformer: a number above 0.
    const QString text = CheckQuantityField(Block().MccPanelRecord[4], tr("전압[kV]"),
                                            QuantitySign::Positive);
    if (text.isEmpty())
        return false;
    Prompt::Message(text);
    return true;
}

void CMccSheetPage::ReloadFromWorkbook()
{
    const int position = PanelPosition();
    LoadMccPanels();
    const int count = Block().MccPanelCount;
    if (count > 0) {
        LoadMccLoads(position >= 0 && position < count ? position : 0);
    } else {
        m_loadList->rows()->clear();
        Block().MccLoadCount = 0;
        SetText(IdLoadPanelName, QString());
        m_panelSupply->clear();
    }
}

void CMccSheetPage::ShowStoreFailure()
{
    // The lists show what the file holds, whatever the failed action changed.
    ReloadFromWorkbook();
    Prompt::Message(tr("동력 파일을 저장하지 못했습니다.\n%1").arg(MccPath()));
}

// ---- lists ---------------------------------------------------------------------------------

void CMccSheetPage::SetupMccLoadColumns(int columnSet)
{
    m_columnSet = columnSet == 1 ? 1 : 0;
    QList<ReportColumn> columns;
    for (const LoadColumn& c : kLoadColumnTable)
        columns.append(ReportColumn{QString::fromUtf16(c.caption), QString::fromUtf16(c.group),
                                    m_columnSet == 1 ? c.input : c.full, Qt::AlignCenter});
    m_loadList->setReportColumns(columns);
    for (int c = 0; c < kLoadColumns; ++c)
        m_loadList->setColumnHidden(c, columns[c].width == 0);
}

void CMccSheetPage::LoadMccPanels()
{
    std::vector<QStringList> rows;
    auto& rec = Block().MccPanelRecord;
    {
        companion::WorkbookAccess wb(MccPath(), companion::WorkbookAccess::Mode::Read);
        if (wb.ok()) {
            for (int i = 0; i < wb.book().sheetCount(); ++i) {
                const Sheet* s = wb.sheet(i);
                rec = {};
                rec[0] = s->name();
                for (int r = 0; r < 6; ++r)
                    rec[std::size_t(r + 1)] = companion::CellText(*s, r, 0);
                rec[7] = companion::CellText(*s, 0, 1);
                rec[16] = companion::CellText(*s, 0, 3);
                rows.push_back(PanelRowTexts(i + 1));
            }
        }
    }
    Block().MccPanelCount = int(rows.size());
    m_panelList->rows()->setRows(std::move(rows));
}

void CMccSheetPage::LoadMccLoads(int panelPosition, const QString& panelName,
                                    const QString& supply)
{
    m_position->setText(QString::number(panelPosition));
    SetText(IdLoadPanelName, panelName);
    m_panelSupply->setText(supply);
    std::vector<QStringList> rows;
    for (const MccLoadRow& row : ReadMccLoadRows(theApp, panelPosition))
        rows.push_back(RowCells(row));
    Block().MccLoadCount = int(rows.size());
    m_loadList->rows()->setRows(std::move(rows));
    if (MccLoadRowsBeyondLimit(theApp, panelPosition))
        Prompt::Message(companion::RowLimitMessage(MccPath(), kMaxMccLoadRows));
    ShowStoredTotals(panelPosition);
}

void CMccSheetPage::LoadMccLoads(int panelPosition)
{
    const RowListModel* panels = m_panelList->rows();
    LoadMccLoads(panelPosition, panels->text(panelPosition, 1), panels->text(panelPosition, 6));
}

void CMccSheetPage::ClearTotals()
{
    for (int id : TotalsFieldIds)
        SetText(id, QString());
    SetText(IdMaxFault, QString());
    SetText(IdMinFault, QString());
}

void CMccSheetPage::ShowTotals(const MccPanelCalc& c)
{
    for (int i = 0; i < int(TotalsFieldIds.size()); ++i)
        SetText(TotalsFieldIds[std::size_t(i)], c.totals[std::size_t(i)]);
    SetText(IdMaxFault, c.fault.maximum);
    SetText(IdMinFault, c.fault.minimum);
}

void CMccSheetPage::ShowStoredTotals(int panel)
{
    // Never the figures of the panel (or project) shown before.
    ClearTotals();
    const MccPanelCalc c = ReadMccPanelResults(theApp, panel);
    if (c.read)
        ShowTotals(c);
}

void CMccSheetPage::SelectMccPanel(int panelPosition)
{
    CallOnGuiThread(this, [this, panelPosition] {
        const RowListModel* panels = m_panelList->rows();
        const auto cell = [&](int c) { return panels->text(panelPosition, c); };
        SetText(IdPanelName, cell(1));
        SetText(IdLocation, cell(2));
        SetText(IdVoltage, cell(5));
        SelectComboItem(m_installType, cell(3));
        SelectComboItem(m_supply, cell(6));
        const QString from = cell(4);
        if (from.contains(QLatin1String("TR-"))) {
            SelectComboItem(m_transformer, from);
            m_fromRoom->setChecked(true);
        } else {
            SetText(IdFromPanelName, from);
            m_fromPanel->setChecked(true);
        }
        m_generator->setChecked(cell(7) == QLatin1String("O"));
        // The totals area shows the panel's stored results.
        LoadMccLoads(panelPosition, cell(1), cell(6));
    });
}

void CMccSheetPage::CalcMccPanel(int panelPosition)
{
    CallOnGuiThread(this, [this, panelPosition] {
        const MccPanelCalc c = CalcMccPanelResults(theApp, panelPosition);
        if (!c.read)
            return;
        ShowTotals(c);
        const auto& rec = Block().MccPanelRecord;
        m_panelList->rows()->setCell(panelPosition, 8, rec[7]);
        m_panelList->rows()->setCell(panelPosition, 9, rec[16]);
        if (!c.stored)
            ShowStoreFailure();
    });
}

int CMccSheetPage::PanelCount()
{
    return CallOnGuiThread(this, [this] { return m_panelList->rows()->rowCount(); });
}

QStringList CMccSheetPage::PanelRow(int row)
{
    return CallOnGuiThread(this, [this, row] { return m_panelList->rows()->row(row); });
}

std::vector<QStringList> CMccSheetPage::LoadRows()
{
    return CallOnGuiThread(this, [this] {
        std::vector<QStringList> rows;
        for (int r = 0; r < m_loadList->rows()->rowCount(); ++r)
            rows.push_back(m_loadList->rows()->row(r));
        return rows;
    });
}

QString CMccSheetPage::FieldText(int id)
{
    return CallOnGuiThread(this, [this, id] { return Text(id); });
}

// ---- panels --------------------------------------------------------------------------------

void CMccSheetPage::OnAddMccPanel()
{
    ReadPanelInputs();
    const QString name = Block().MccPanelRecord[0];
    const MccPanelNameCheck check = CheckMccPanelName(name, PanelNames());
    if (check == MccPanelNameCheck::Empty)
        return;
    if (check != MccPanelNameCheck::Ok) {
        RefuseName(int(check));
        return;
    }
    if (RefuseVoltage())
        return;
    const int n = Block().MccPanelCount;
    if (!theApp.AddMccPanelSheet()) {
        ShowStoreFailure();
        return;
    }
    m_panelList->rows()->appendRow(PanelRowTexts(n + 1));
    Block().MccPanelCount = n + 1;
}

void CMccSheetPage::OnModifyMccPanel()
{
    const int s = PanelSelection();
    if (s < 0)
        return;
    ReadPanelInputs();
    const QString name = Block().MccPanelRecord[0];
    const MccPanelNameCheck check = CheckMccPanelName(name, PanelNames(), s);
    if (check == MccPanelNameCheck::Empty)
        return;
    if (check != MccPanelNameCheck::Ok) {
        RefuseName(int(check));
        return;
    }
    if (RefuseVoltage())
        return;
    // The stored results stay with the panel.
    QStringList cells = m_panelList->rows()->row(s);
    if (!theApp.UpdateMccPanelSheet(s)) {
        ShowStoreFailure();
        return;
    }
    for (int i = 0; i <= 6; ++i)
        cells[i + 1] = Block().MccPanelRecord[std::size_t(i)];
    m_panelList->rows()->setRow(s, cells);
    if (s == PanelPosition()) {
        // The load operations address the panel by the name and supply they show.
        SetText(IdLoadPanelName, cells[1]);
        m_panelSupply->setText(cells[6]);
    }
    m_panelList->setSelectionMark(-1);
    m_panelList->clearSelection();
}

void CMccSheetPage::OnDeleteMccPanel()
{
    const int s = PanelSelection();
    if (s < 0)
        return;
    const int count = Block().MccPanelCount;
    bool stored;
    if (count <= 1) {
        // The last panel goes with its workbook.
        const QString path = MccPath();
        stored = !QFile::exists(path) || QFile::remove(path);
    } else {
        stored = theApp.DeleteMccPanelSheet(s);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    RowListModel* panels = m_panelList->rows();
    panels->removeRow(s);
    Block().MccPanelCount = panels->rowCount();
    panels->renumberFrom(0);
    if (Block().MccPanelCount > 0) {
        LoadMccLoads(0);
    } else {
        m_loadList->rows()->clear();
        Block().MccLoadCount = 0;
        SetText(IdLoadPanelName, QString());
        m_panelSupply->clear();
        m_position->setText(QStringLiteral("0"));
    }
    const int n = panels->rowCount();
    m_panelList->setSelectionMark(n == 0 ? -1 : std::min(s, n - 1));
}

void CMccSheetPage::OnInsertMccPanel()
{
    const int s = PanelSelection();
    if (s < 0)
        return;
    ReadPanelInputs();
    Block().MccPanelRecord[0] = CSevrinApp::MakeInsertedItemName();
    const MccPanelNameCheck check = CheckMccPanelName(Block().MccPanelRecord[0], PanelNames());
    if (check != MccPanelNameCheck::Ok) {
        RefuseName(int(check));
        return;
    }
    if (RefuseVoltage())
        return;
    if (!theApp.InsertMccPanelSheet(s)) {
        ShowStoreFailure();
        return;
    }
    m_panelList->rows()->insertRow(s, PanelRowTexts(s + 1));
    Block().MccPanelCount += 1;
    m_panelList->rows()->renumberFrom(s);
    // The selected panel moved one sheet down with the insertion.
    const int position = PanelPosition();
    if (position >= s)
        m_position->setText(QString::number(position + 1));
}

void CMccSheetPage::OnCopyMccPanel()
{
    const int s = PanelSelection();
    if (s < 0)
        return;
    ReadPanelInputs();
    const QStringList names = PanelNames();
    auto& rec = Block().MccPanelRecord;
    rec[0] = MakeMccCopyName(Text(IdPanelName), CSevrinApp::MakeTimeStamp(), names);
    const MccPanelNameCheck check = CheckMccPanelName(rec[0], names);
    if (check != MccPanelNameCheck::Ok) {
        RefuseName(int(check));
        return;
    }
    const int n = Block().MccPanelCount;
    bool stored = true;
    {
        // The new panel and every load row of the marked one (whichever panel the load list
        // shows) are stored together or not at all.
        CompanionBatch batch;
        stored = theApp.AddMccPanelSheet() && CopyMccLoadRows(theApp, s, n);
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    m_panelList->rows()->appendRow(PanelRowTexts(n + 1));
    Block().MccPanelCount = n + 1;
    m_panelList->setSelectionMark(-1);
    m_panelList->clearSelection();
}

void CMccSheetPage::OnClickMccPanelList()
{
    const int s = PanelSelection();
    if (s >= 0)
        SelectMccPanel(s);
}

// ---- load rows -----------------------------------------------------------------------------

MccLoadRow CMccSheetPage::ReadMccLoadInputs(const QString& insertionName, const MccLoadRow& base)
{
    using namespace MccCol;
    MccLoadRow row = base;
    if (insertionName.isEmpty()) {
        row[Name] = Text(IdEquipmentName);
        row[Number] = Text(IdEquipmentNumber);
    } else {
        row[Name] = CSevrinApp::MakeInsertedItemName();
        row[Number] = insertionName;
    }
    row[Kind] = m_kind->currentText();
    row[Kw] = Text(IdKw);
    row[Kva] = Text(IdKva);
    row[Spare] = m_spare->currentText();
    row[Phases] = m_phases->currentText();
    row[Efficiency] = Text(IdEfficiency);
    row[PowerFactor] = Text(IdPowerFactor);
    row[StartMethod] = m_method->currentText();
    row[DemandFactor] = Text(IdDemandFactor);
    CalcMccLoadRow(row, MccLoadConditionsOf(theApp), AppMotorLookup(theApp));
    Block().MccLoadRow = row;
    return row;
}

namespace {
// The page's load inputs for the input check.
MccLoadInput InputsOf(const MccLoadRow& row, const QString& supply)
{
    return MccLoadInputOf(row, supply);
}
}  // namespace

void CMccSheetPage::OnAddMccLoad()
{
    if (Block().MccPanelCount == 0 || RefuseLoadsPastLimit(Block().MccLoadCount + 1))
        return;
    MccLoadRow probe;
    probe[MccCol::Kind] = m_kind->currentText();
    probe[MccCol::Kw] = Text(IdKw);
    probe[MccCol::Kva] = Text(IdKva);
    probe[MccCol::Phases] = m_phases->currentText();
    probe[MccCol::StartMethod] = m_method->currentText();
    probe[MccCol::Number] = Text(IdEquipmentNumber);
    probe[MccCol::DemandFactor] = Text(IdDemandFactor);
    const MccLoadRefusal refusal =
        ValidateMccLoadInput(InputsOf(probe, m_panelSupply->text()), AppMotorLookup(theApp));
    if (refusal != MccLoadRefusal::None) {
        ShowMccLoadRefusal(theApp, refusal);
        return;
    }
    const int p = PanelPosition();
    const int k = Block().MccLoadCount;
    const MccLoadRow row = ReadMccLoadInputs(QString());
    if (!theApp.WriteMccLoadRow(p, k, false)) {
        ShowStoreFailure();
        return;
    }
    m_loadList->rows()->appendRow(RowCells(row));
    Block().MccLoadCount = k + 1;
}

void CMccSheetPage::OnModifyMccLoad()
{
    MccLoadRow probe;
    probe[MccCol::Kind] = m_kind->currentText();
    probe[MccCol::Kw] = Text(IdKw);
    probe[MccCol::Kva] = Text(IdKva);
    probe[MccCol::Phases] = m_phases->currentText();
    probe[MccCol::StartMethod] = m_method->currentText();
    probe[MccCol::Number] = Text(IdEquipmentNumber);
    probe[MccCol::DemandFactor] = Text(IdDemandFactor);
    const MccLoadRefusal refusal =
        ValidateMccLoadInput(InputsOf(probe, m_panelSupply->text()), AppMotorLookup(theApp));
    if (refusal != MccLoadRefusal::None) {
        ShowMccLoadRefusal(theApp, refusal);
        return;
    }
    const int s = LoadSelection();
    if (s < 0)
        return;
    // The row's breaker and remark stay; everything else comes from the inputs.
    const MccLoadRow row = ReadMccLoadInputs(QString(), RowOf(m_loadList->rows()->row(s)));
    if (!theApp.WriteMccLoadRow(PanelPosition(), s, false)) {
        ShowStoreFailure();
        return;
    }
    m_loadList->rows()->setRow(s, RowCells(row));
    m_loadList->setSelectionMark(-1);
    m_loadList->clearSelection();
}

void CMccSheetPage::OnDeleteMccLoad()
{
    const int s = LoadSelection();
    if (s < 0)
        return;
    const bool full = Block().MccLoadCount >= kMaxMccLoadRows;
    if (!theApp.DeleteMccLoadRow(PanelPosition(), s)) {
        ShowStoreFailure();
        return;
    }
    if (full) {
        // A row stored past the limit moved up into the list: show it, or the next "추가"
        // would write over it.
        LoadMccLoads(PanelPosition());
        m_loadList->setSelectionMark(std::min(s, Block().MccLoadCount - 1));
        return;
    }
    RowListModel* loads = m_loadList->rows();
    loads->removeRow(s);
    Block().MccLoadCount = loads->rowCount();
    const int n = loads->rowCount();
    m_loadList->setSelectionMark(n == 0 ? -1 : std::min(s, n - 1));
}

void CMccSheetPage::OnInsertMccLoad()
{
    const int s = LoadSelection();
    if (s < 0 || RefuseLoadsPastLimit(Block().MccLoadCount + 1))
        return;
    const MccLoadRow row = ReadMccLoadInputs(CSevrinApp::MakeInsertedItemName());
    if (!theApp.WriteMccLoadRow(PanelPosition(), s, true)) {
        ShowStoreFailure();
        return;
    }
    m_loadList->rows()->insertRow(s, RowCells(row));
    Block().MccLoadCount += 1;
}

void CMccSheetPage::OnClickMccLoadList()
{
    const int s = LoadSelection();
    if (s < 0)
        return;
    const QStringList cells = m_loadList->rows()->row(s);
    const std::pair<int, int> edits[] = {{IdEquipmentName, 0}, {IdEquipmentNumber, 1}, {IdKw, 3},
                                         {IdKva, 4},           {IdEfficiency, 10},     {IdPowerFactor, 11},
                                         {IdDemandFactor, 22}};
    for (const auto& [id, column] : edits)
        SetText(id, cells.value(column));
    SelectComboItem(m_kind, cells.value(2));
    SelectComboItem(m_method, cells.value(13));
    SelectComboItem(m_spare, cells.value(5));
    SelectComboItem(m_phases, cells.value(7));
}

void CMccSheetPage::OnShowAllMccColumns()
{
    m_loadList->rows()->clear();
    SetupMccLoadColumns(0);
    LoadMccLoads(PanelPosition());
}

void CMccSheetPage::OnShowInputMccColumns()
{
    m_loadList->rows()->clear();
    SetupMccLoadColumns(1);
    LoadMccLoads(PanelPosition());
}

void CMccSheetPage::OnShowBasicMccColumns() {}

// ---- imports -------------------------------------------------------------------------------

void CMccSheetPage::OnImportMccLinkedLoads()
{
    const QString name = Text(IdLoadPanelName);
    if (Block().MccPanelCount == 0 || name.isEmpty())
        return;
    const int p = PanelPosition();
    const MccLinkedLoads linked = CollectMccLinkedLoads(theApp, name);
    const int first = Block().MccLoadCount;
    if (RefuseLoadsPastLimit(first + int(linked.rows.size())))
        return;
    bool stored = true;
    {
        CompanionBatch batch;
        for (std::size_t i = 0; i < linked.rows.size() && stored; ++i) {
            Block().MccLoadRow = linked.rows[i];
            stored = theApp.WriteMccLoadRow(p, first + int(i), false);
        }
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    for (const MccLoadRow& row : linked.rows)
        m_loadList->rows()->appendRow(RowCells(row));
    Block().MccLoadCount = first + int(linked.rows.size());
    Prompt::Message(tr("동력 %1, 부하 %2가 연계 되었습니다.").arg(linked.panels).arg(linked.boards),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CMccSheetPage::OnImportMccBreakers()
{
    const QString name = Text(IdLoadPanelName);
    const int p = PanelPosition();
    std::vector<MccLoadRow> rows;
    for (int r = 0; r < m_loadList->rows()->rowCount(); ++r)
        rows.push_back(RowOf(m_loadList->rows()->row(r)));
    const MccBreakerImport r = MatchMccBreakers(theApp, name, rows);
    if (r.matched == 0)
        return;
    bool stored = true;
    {
        CompanionBatch batch;
        for (int k : r.changedRows) {
            if (!stored)
                break;
            Block().MccLoadRow = rows[std::size_t(k)];
            stored = theApp.WriteMccLoadRow(p, k, false);
        }
        stored = batch.commit(stored);
    }
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    for (int k : r.changedRows)
        m_loadList->rows()->setRow(k, RowCells(rows[std::size_t(k)]));
    Prompt::Message(tr("총 %1개 중 일치된 %2 개의 MCCB 항목을 설정하였습니다.").arg(r.total).arg(r.matched),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}
