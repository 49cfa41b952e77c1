#include "cablescreen.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/core/quantity.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"
#include "cable/core/cableapp.h"
#include "cable/core/cableschedule.h"
#include "cable/core/cablesizing.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"
#include "report/gui/outputdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>


namespace {

const QStringList kLoadTypes = {"M", "L1", "L2", "L3", "L3P"};
const QStringList kStartMethods = {"DOL", "Y-D", "리액터", "S.S", "INV"};
const QStringList kMethods = {"A", "B", "D", "E"};
const QStringList kCableTypes = {"FCV", "FR8"};
const QStringList kManualSizes = {"-",  "1.5", "2.5", "4",   "6",   "10",  "16",  "25", "35",
                                  "50", "70",  "95",  "120", "150", "185", "240", "300"};
const QStringList kFrames = {"30", "32", "50", "60", "63", "100", "125", "160", "250", "400", "630"};
const QStringList kRatings = {"20",  "30",  "32",  "40",  "50",  "60",  "63",  "75",
                              "80",  "100", "125", "150", "160", "175", "200", "220",
                              "225", "250", "300", "320", "350", "400", "500", "630"};
// The columns a list click copies back into the edits.
const std::pair<int, int> kEditColumns[] = {
    {CCableScreen::IdFrom, 2},           {CCableScreen::IdTo, 3},
    {CCableScreen::IdKw, 5},             {CCableScreen::IdKva, 6},
    {CCableScreen::IdPhases, 8},         {CCableScreen::IdWires, 9},
    {CCableScreen::IdVoltage, 10},       {CCableScreen::IdDemandFactor, 23},
    {CCableScreen::IdLength, 30},        {CCableScreen::IdParallel, 44},
    {CCableScreen::IdMaxExcludedKva, 25}, {CCableScreen::IdMaxMotorKva, 26},
    {CCableScreen::IdMaxMotorTime, 27},
};
const int kManualColumns[6] = {45, 47, 50, 54, 57, 59};

CableRow& Row()
{
    return theApp.CableScheduleBlock.CableRow;
}

int& RowCount()
{
    return theApp.CableScheduleBlock.CableRowCount;
}

QString CableWorkbookPath()
{
    return theApp.CompanionPath(CSevrinApp::CableWorkbook);
}

QString LimitMessage()
{
    return QStringLiteral("케이블 리스트는 최대 %1개까지 입력할 수 있습니다.").arg(kCableRowLimit);
}

// The maker code a row stores for a maker's name; any other name is the user's own table.
QString MakerCode(const QString& maker)
{
    return maker == QLatin1String("LS Metasol")      ? QStringLiteral("LSM")
           : maker == QLatin1String("LS Susol - TS") ? QStringLiteral("LSS")
           : maker == QStringLiteral("현대 HGM")      ? QStringLiteral("HG")
                                                      : QStringLiteral("User");
}

// The breaker maker chosen in the project's design conditions, as a position in a maker list
// of `count` names (the first when the stored choice lies outside it).
int ProjectMakerIndex(int count)
{
    const int i = theApp.CabinetSizingBlock.BreakerMakerIndex();
    return i >= 0 && i < count ? i : 0;
}

// An imported row sized as the form would size it after a click on it: its starting method
// and fed-panel figures as the form takes them, nothing manual. What the import does not
// carry (length, installation method, ...) stays empty and so does what rests on it.
void CalcImportedRow(CableRow& row, const CableConditions& cond, CableLookup& lookup)
{
    CableFormExtras form;
    form.startingMethod = row[14];
    for (int c = 25; c <= 28; ++c)
        form.mccPanel = form.mccPanel || !row[std::size_t(c)].isEmpty();
    if (form.mccPanel) {
        form.maxExcludedKva = row[25];
        form.maxMotorStartKva = row[26];
        form.maxMotorStartTime = row[27];
        form.maxMotorStartMethod = row[28];
    }
    CalcCableAndBreaker(row, false, false, cond, form, lookup);
}

}  // namespace

CCableScreen::CCableScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    auto button = [this](int id, const QString& caption, int x, int y, int w, int h,
                         void (CCableScreen::*handler)()) {
        QPushButton* b = AddButton(id, caption, x, y, w, h);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto label = [this](const QString& text, int x, int y, int w, int id = 0) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        Place(l, id, x, y, w, 12);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w, const QString& text) {
        auto* e = new QLineEdit(text, this);
        Place(e, id, x, y, w, 12);
        return e;
    };
    auto combo = [this](int id, int x, int y, int w, const QStringList& items, int current) {
        auto* c = new QComboBox(this);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(items);
        c->setCurrentIndex(current);
        Place(c, id, x, y, w, 12);
        return c;
    };

    // Navigation and project buttons on the left edge.
    button(IdSelectTop, tr("선택화면"), 12, 7, 50, 14, &CCableScreen::OnCableSelectScreen);
    button(IdSave, tr("저장하기"), 12, 462, 50, 14, &CCableScreen::OnSaveCable);
    button(IdOutput, tr("출력하기"), 12, 480, 50, 14, &CCableScreen::OnOutputCable);
    button(IdSelectBottom, tr("선택화면"), 12, 498, 50, 14, &CCableScreen::OnCableSelectScreen);
    button(IdHome, tr("초기화면"), 12, 516, 50, 14, &CCableScreen::OnCableStartScreen);

    // First input row: From to 전압.
    int y = 7;
    label(tr("From"), 68, y, 24);
    edit(IdFrom, 92, y, 60, QStringLiteral("S/S"));
    label(tr("To"), 156, y, 16);
    edit(IdTo, 172, y, 60, QStringLiteral("LE-E"));
    label(tr("부하종류"), 236, y, 34);
    m_loadType = combo(IdLoadType, 270, y, 40, kLoadTypes, 4);
    m_startMethodLabel = label(tr("기동방식"), 314, y, 34, IdStartMethodLabel);
    m_startMethod = combo(IdStartMethod, 348, y, 46, kStartMethods, 0);
    label(tr("용량"), 398, y, 20);
    edit(IdKw, 418, y, 50, QString());
    label(tr("kW"), 468, y, 14);
    edit(IdKva, 484, y, 70, QStringLiteral("93.64"));
    label(tr("kVA"), 554, y, 16);
    label(tr("상"), 574, y, 12);
    edit(IdPhases, 586, y, 20, QStringLiteral("3"));
    label(tr("P"), 606, y, 8);
    label(tr("선"), 618, y, 12);
    edit(IdWires, 630, y, 20, QStringLiteral("4"));
    label(tr("W"), 650, y, 8);
    label(tr("전압"), 662, y, 20);
    edit(IdVoltage, 682, y, 36, QStringLiteral("0.38"));
    label(tr("kV"), 718, y, 12);

    // Second row: 수용률 to CABLE TYPE.
    y = 25;
    label(tr("수용률"), 68, y, 28);
    edit(IdDemandFactor, 96, y, 30, QStringLiteral("1.00"));
    label(tr("거리"), 130, y, 20);
    edit(IdLength, 150, y, 30, QStringLiteral("12"));
    label(tr("m"), 180, y, 10);
    label(tr("공사방법"), 194, y, 34);
    combo(IdMethod, 228, y, 34, kMethods, 3);
    label(tr("병렬도체수"), 266, y, 42);
    edit(IdParallel, 308, y, 20, QStringLiteral("1"));
    label(tr("메이커"), 332, y, 28);
    m_maker = new QComboBox(this);
    Place(m_maker, IdMaker, 360, y, 80, 12);
    label(tr("ISMIN[kA]"), 444, y, 40);
    edit(IdIsMin, 484, y, 30, QStringLiteral("10"));
    label(tr("ISMAX[kA]"), 518, y, 40);
    edit(IdIsMax, 558, y, 30, QStringLiteral("10"));
    label(tr("CABLE TYPE"), 592, y, 46);
    combo(IdCableType, 638, y, 40, kCableTypes, 0);
    // Created hidden and never shown; nothing reads it.
    combo(IdSupplyType, 682, y, 40, {QStringLiteral("3P3W"), QStringLiteral("3P4W")}, 0)->hide();

    // Third row: the fed panel's largest motor, the search and the import.
    y = 43;
    m_mccPanel = new QCheckBox(tr("MCC 분전반"), this);
    Place(m_mccPanel, IdMccPanel, 68, y, 52, 12);
    connect(m_mccPanel, &QCheckBox::clicked, this, &CCableScreen::OnMccPanelCheck);
    m_largestMotorWidgets << label(tr("최대부하 제외용량"), 122, y, 64)
                          << edit(IdMaxExcludedKva, 186, y, 34, QStringLiteral("100.0"))
                          << label(tr("kVA"), 220, y, 16)
                          << label(tr("최대M기동용량"), 238, y, 54)
                          << edit(IdMaxMotorKva, 292, y, 34, QStringLiteral("100.0"))
                          << label(tr("kVA"), 326, y, 16)
                          << label(tr("최대M기동시간"), 344, y, 54)
                          << edit(IdMaxMotorTime, 398, y, 24, QStringLiteral("10"))
                          << label(tr("sec"), 422, y, 14)
                          << label(tr("최대M기동방식"), 438, y, 54)
                          << combo(IdMaxMotorMethod, 492, y, 46, kStartMethods, 0);
    button(IdSearch, tr("ISMIN&&MAX Search"), 700, 41, 80, 14,
           &CCableScreen::OnSearchCableFaultCurrents);
    button(IdImport, tr("계통정보 불러오기"), 784, 41, 80, 14,
           &CCableScreen::OnImportCableLoads);

    // The list and its row buttons.
    m_list = new ReportListView(this, 40);
    Place(m_list, IdList, 68, 60, 808, 412);
    connect(m_list, &QAbstractItemView::clicked, this, &CCableScreen::OnClickCableScheduleList);
    button(IdAdd, tr("추가"), 884, 60, 50, 14, &CCableScreen::OnAddCableRow);
    button(IdModify, tr("수정"), 884, 78, 50, 14, &CCableScreen::OnModifyCableRow);
    button(IdDelete, tr("삭제"), 884, 96, 50, 14, &CCableScreen::OnDeleteCableRow);
    button(IdInsert, QStringLiteral("+"), 884, 114, 50, 14, &CCableScreen::OnInsertCableRow)
        ->hide();
    button(IdDeleteAll, tr("전체\n삭제"), 884, 132, 50, 24, &CCableScreen::OnDeleteAllCableRows);
    button(IdShowAllColumns, tr("전체 열보기"), 884, 400, 50, 14,
           &CCableScreen::OnShowAllCableColumns)->hide();
    button(IdShowInputColumns, tr("입력 열보기"), 884, 418, 50, 14,
           &CCableScreen::OnShowInputCableColumns)->hide();
    button(IdShowBasicColumns, tr("기본 열보기"), 884, 436, 50, 14,
           &CCableScreen::OnShowBasicCableColumns)->hide();

    // Manual sizes, frame and rating along the bottom.
    y = 480;
    label(tr("수동입력"), 68, y, 34);
    static const char* const kManualLabels[6] = {"SB", "SCB", "SVD%", "SSC", "SMSVD%", "SMSTh"};
    for (int i = 0; i < 6; ++i) {
        const int x = 104 + i * 92;
        label(QString::fromLatin1(kManualLabels[i]), x, y, 32);
        m_manualSizes[std::size_t(i)] = combo(IdManualSb + i, x + 32, y, 36, kManualSizes, 0);
        label(tr("mm2"), x + 68, y, 18);
    }
    label(tr("AF"), 660, y, 14);
    m_manualAf = combo(IdManualAf, 674, y, 36, kFrames, 0);
    label(tr("AT"), 714, y, 14);
    m_manualAt = combo(IdManualAt, 728, y, 36, kRatings, 0);
    button(IdApplyManual, tr("반영하기"), 826, 478, 50, 14, &CCableScreen::OnApplyManualSizes);

    connect(m_loadType, &QComboBox::currentIndexChanged, this,
            &CCableScreen::OnSelchangeLoadType);
}

CCableScreen::~CCableScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CCableScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    SetupCableListColumns(0);
    {
        const QSignalBlocker block(m_loadType);
        m_loadType->setCurrentIndex(4);
    }
    ShowStartMethod();
    for (QComboBox* c : m_manualSizes)
        c->setCurrentIndex(0);
    m_manualAf->setCurrentIndex(0);
    m_manualAt->setCurrentIndex(0);
    m_mccPanel->setChecked(false);
    ShowLargestMotorInputs(false);
    RowCount() = 0;
    theApp.SetScreen(kScreen, this);
}

QString CCableScreen::Text(int id) const
{
    if (auto* e = Control<QLineEdit>(id))
        return e->text();
    if (auto* c = Control<QComboBox>(id))
        return c->currentText();
    return QString();
}

// ---- list ----------------------------------------------------------------------------------

void CCableScreen::SetupCableListColumns(int /*columnSet*/)
{
    // Both column sets have the same captions and widths.
    QList<ReportColumn> columns;
    columns.reserve(kCableColumnCount);
    for (const CableColumnInfo& info : CableColumns())
        columns.append(ReportColumn{QString::fromUtf16(info.caption),
                                    QString::fromUtf16(info.group), info.width, Qt::AlignCenter});
    m_list->setReportColumns(columns);
}

QStringList CCableScreen::RowTexts(int number) const
{
    QStringList cells;
    cells.reserve(kCableColumnCount);
    cells.append(QString::number(number));
    for (int c = 1; c < kCableColumnCount; ++c)
        cells.append(Row()[std::size_t(c)]);
    return cells;
}

void CCableScreen::LoadCableSchedule()
{
    std::vector<QStringList> rows;
    {
        companion::WorkbookAccess wb(CableWorkbookPath(), companion::WorkbookAccess::Mode::Read);
        if (const Sheet* sheet = wb.sheet(0)) {
            for (int r = 0; r < kCableRowLimit; ++r) {
                companion::ReadRow(*sheet, r, Row());
                if (Row()[0].isEmpty())
                    break;
                rows.push_back(RowTexts(r + 1));
            }
        }
    }
    RowCount() = int(rows.size());
    m_list->rows()->setRows(std::move(rows));
    if (RowCount() == kCableRowLimit && CableRowsBeyondLimit(theApp))
        Prompt::Message(companion::RowLimitMessage(CableWorkbookPath(), kCableRowLimit));
}

void CCableScreen::RenumberFrom(int row)
{
    m_list->rows()->renumberFrom(row);
}

void CCableScreen::ShowStoreFailure()
{
    // The list shows what the file holds, whatever the failed action changed.
    LoadCableSchedule();
    Prompt::Message(tr("케이블&차단기 파일을 저장하지 못했습니다.\n%1").arg(CableWorkbookPath()));
}

void CCableScreen::ShowRowWarnings()
{
    // Both IZ verdicts failing raise the same warning: it is shown once.
    std::vector<int> shown;
    for (int code : CheckCableAlarms(Row())) {
        if (std::find(shown.begin(), shown.end(), code) != shown.end())
            continue;
        shown.push_back(code);
        theApp.ShowCalcWarning(code);
    }
}

bool CCableScreen::AtRowLimit()
{
    if (RowCount() < kCableRowLimit)
        return false;
    Prompt::Message(LimitMessage());
    return true;
}

// ---- form ----------------------------------------------------------------------------------

void CCableScreen::FillBreakerMakerCombo()
{
    const LibNameList& makers = theApp.BreakerLibBlock.BreakerMakerList;
    const int count = std::min(makers.Count, LibNameList::Capacity);
    if (count <= 0)
        return;
    const QSignalBlocker block(m_maker);
    if (m_maker->count() != count) {
        m_maker->clear();
        for (int i = 0; i < count; ++i)
            m_maker->addItem(makers.Names[std::size_t(i)]);
    }
    // A project starts from its own maker, whatever the previous one had chosen.
    m_maker->setCurrentIndex(ProjectMakerIndex(m_maker->count()));
}

void CCableScreen::SetInsertButtonsVisible(bool visible)
{
    if (QPushButton* b = Control<QPushButton>(IdInsert))
        b->setVisible(visible);
}

bool CCableScreen::ValidateCableCapacity()
{
    const QString message = ::ValidateCableCapacity(Text(IdKw), Text(IdKva));
    if (message.isEmpty())
        return true;
    Prompt::Message(message);
    return false;
}

bool CCableScreen::ValidateCableQuantities()
{
    using S = QuantitySign;
    const bool kw = !Text(IdKw).trimmed().isEmpty();
    const bool panel = m_mccPanel->isChecked();
    // A time taken from a panel's totals carries its "s".
    QString time = Text(IdMaxMotorTime).trimmed();
    if (time.endsWith(QLatin1Char('s')))
        time.chop(1);
    const QuantityField fields[] = {
        {kw ? tr("용량 kW") : tr("용량 kVA"), Text(kw ? IdKw : IdKva), S::Positive},
        {tr("상"), Text(IdPhases), S::Positive},
        {tr("선"), Text(IdWires), S::Positive},
        {tr("전압"), Text(IdVoltage), S::Positive},
        {tr("수용률"), Text(IdDemandFactor), S::Positive, true},
        {tr("거리"), Text(IdLength), S::Positive},
        {tr("병렬도체수"), Text(IdParallel), S::Positive, true},
        {tr("ISMIN[kA]"), Text(IdIsMin), S::NonNegative, true},
        {tr("ISMAX[kA]"), Text(IdIsMax), S::NonNegative, true},
        // The fed panel's figures count only when the row is one.
        {tr("최대부하 제외용량"), panel ? Text(IdMaxExcludedKva) : QString(), S::NonNegative, true},
        {tr("최대M기동용량"), panel ? Text(IdMaxMotorKva) : QString(), S::NonNegative, true},
        {tr("최대M기동시간"), panel ? time : QString(), S::NonNegative, true},
    };
    for (const QuantityField& f : fields) {
        if (!CheckQuantityInput(f.label, f.text, f.sign, f.optional))
            return false;
    }
    return true;
}

bool CCableScreen::ValidateCableChoices()
{
    struct Choice
    {
        QString label;
        QString text;
        const QStringList& items;
        bool listedOnly;  // false: any text the combo takes, but not none
    };
    const bool motor = Text(IdLoadType) == kLoadTypes[0];
    // The engine knows these load types, methods and cable types only; a motor's starting
    // method may also be one typed in (a lift drive), but not none.
    const Choice choices[] = {
        {tr("부하종류"), Text(IdLoadType), kLoadTypes, true},
        {tr("기동방식"), motor ? Text(IdStartMethod) : kStartMethods[0], kStartMethods, false},
        {tr("공사방법"), Text(IdMethod), kMethods, true},
        {tr("CABLE TYPE"), Text(IdCableType), kCableTypes, true},
    };
    for (const Choice& c : choices) {
        const QString t = c.text.trimmed();
        if (c.listedOnly ? c.items.contains(t) : !t.isEmpty())
            continue;
        Prompt::Message(tr("%1 값은 %2 중 하나여야 합니다. 값을 확인하시기 바랍니다.")
                            .arg(c.label, c.items.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

void CCableScreen::ReadCableRowInputs(bool /*modify*/, bool manual, int index,
                                          const QString& name)
{
    CableRow& row = Row();
    row.fill(QString());
    row[0] = QString::number(index + 1);
    row[2] = name.isEmpty() ? Text(IdFrom) : name;
    row[3] = name.isEmpty() ? Text(IdTo) : name;
    static const std::pair<int, int> kInputs[] = {
        {4, IdLoadType}, {5, IdKw},     {6, IdKva},      {8, IdPhases},   {9, IdWires},
        {10, IdVoltage}, {23, IdDemandFactor}, {30, IdLength}, {33, IdMethod},
        {44, IdParallel}, {51, IdIsMin}, {103, IdIsMax}, {105, IdCableType},
    };
    for (const auto& [column, id] : kInputs)
        row[std::size_t(column)] = Text(id);
    for (int column : {31, 43, 62})
        row[std::size_t(column)] = QStringLiteral("|");
    if (manual) {
        for (int i = 0; i < 6; ++i)
            row[std::size_t(kManualColumns[i])] = m_manualSizes[std::size_t(i)]->currentText();
        row[97] = m_manualAf->currentText();
        row[98] = m_manualAt->currentText();
    }
    row[71] = MakerCode(m_maker->currentText());
    if (!name.isEmpty())
        return;
    CableFormExtras form;
    form.startingMethod = m_startMethod->currentText();
    form.mccPanel = m_mccPanel->isChecked();
    form.maxExcludedKva = Text(IdMaxExcludedKva);
    form.maxMotorStartKva = Text(IdMaxMotorKva);
    form.maxMotorStartTime = Text(IdMaxMotorTime);
    form.maxMotorStartMethod = Text(IdMaxMotorMethod);
    AppCableLookup lookup(theApp);
    CalcCableAndBreaker(row, manual, false, CableConditionsFromApp(theApp), form, lookup);
}

void CCableScreen::ShowLargestMotorInputs(bool show)
{
    for (QWidget* w : std::as_const(m_largestMotorWidgets))
        w->setVisible(show);
}

void CCableScreen::ShowStartMethod()
{
    const bool motor = m_loadType->currentIndex() == 0;
    m_startMethodLabel->setVisible(motor);
    m_startMethod->setVisible(motor);
}

void CCableScreen::OnMccPanelCheck()
{
    ShowLargestMotorInputs(m_mccPanel->isChecked());
}

void CCableScreen::OnSelchangeLoadType()
{
    ShowStartMethod();
}

void CCableScreen::SelectComboItem(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    const int i = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(i);
    if (i < 0 && combo->isEditable())
        combo->setEditText(QString());
}

void CCableScreen::SelectMakerItem(const QString& code)
{
    // A row without a maker (one imported before the import sized its rows) starts from the
    // project's maker, not from the user's table.
    const int i = code.isEmpty()                 ? ProjectMakerIndex(m_maker->count())
                  : code == QLatin1String("LSM") ? 0
                  : code == QLatin1String("LSS") ? 1
                  : code == QLatin1String("HG")  ? 2
                                                 : 3;
    // A breaker workbook with fewer makers leaves the combo as it is.
    if (i < m_maker->count())
        m_maker->setCurrentIndex(i);
}

void CCableScreen::SelectSizeItem(QComboBox* combo, const QString& text)
{
    const QString bare = QString(text).remove(QStringLiteral("㎟"));
    // A size the row does not hold (an empty cell, "-", a size beyond the list) is no manual
    // size: "-", never a size nobody chose.
    const int i = kManualSizes.indexOf(bare);
    combo->setCurrentIndex(i >= 0 ? i : 0);
}

void CCableScreen::OnClickCableScheduleList()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount())
        return;
    const QStringList cells = m_list->rows()->row(sel);
    const auto cell = [&cells](int c) { return cells.value(c); };
    for (const auto& [id, column] : kEditColumns)
        Control<QLineEdit>(id)->setText(cell(column));
    Control<QLineEdit>(IdIsMin)->setText(cell(51).remove(QStringLiteral("kA")));
    Control<QLineEdit>(IdIsMax)->setText(cell(103).remove(QStringLiteral("kA")));
    SelectComboItem(m_loadType, cell(4));
    SelectComboItem(Control<QComboBox>(IdMethod), cell(33));
    SelectComboItem(Control<QComboBox>(IdCableType), cell(105));
    SelectComboItem(m_startMethod, cell(14));
    SelectComboItem(Control<QComboBox>(IdMaxMotorMethod), cell(28));
    SelectComboItem(m_manualAf, cell(96).remove(QStringLiteral("AF")));
    SelectComboItem(m_manualAt, cell(97));
    SelectMakerItem(cell(71));
    for (int i = 0; i < 6; ++i)
        SelectSizeItem(m_manualSizes[std::size_t(i)], cell(kManualColumns[i]));
    bool fedPanel = false;
    for (int c = 25; c <= 28; ++c)
        fedPanel = fedPanel || !cell(c).isEmpty();
    if (fedPanel) {
        m_mccPanel->setChecked(true);
        ShowLargestMotorInputs(true);
    }
    ShowStartMethod();
}

// ---- row actions ---------------------------------------------------------------------------

void CCableScreen::OnAddCableRow()
{
    if (!ValidateCableCapacity() || !ValidateCableQuantities() || !ValidateCableChoices() ||
        AtRowLimit())
        return;
    const int n = RowCount();
    ReadCableRowInputs(false, false, n, QString());
    if (!theApp.WriteCableRow(n, false)) {
        ShowStoreFailure();
        return;
    }
    m_list->rows()->appendRow(RowTexts(n + 1));
    RowCount() = n + 1;
    ShowRowWarnings();
}

void CCableScreen::ModifySelectedRow(bool manual)
{
    if (!ValidateCableCapacity() || !ValidateCableQuantities() || !ValidateCableChoices())
        return;
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= RowCount())
        return;
    ReadCableRowInputs(true, manual, sel, QString());
    if (!theApp.WriteCableRow(sel, false)) {
        ShowStoreFailure();
        return;
    }
    m_list->rows()->setRow(sel, RowTexts(sel + 1));
    m_list->setSelectionMark(-1);
    m_list->clearSelection();
    if (!manual)
        ShowRowWarnings();
}

void CCableScreen::OnModifyCableRow()
{
    ModifySelectedRow(false);
}

void CCableScreen::OnApplyManualSizes()
{
    ModifySelectedRow(true);
}

void CCableScreen::OnInsertCableRow()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= RowCount() || AtRowLimit() || !ValidateCableQuantities())
        return;
    ReadCableRowInputs(false, false, sel, CSevrinApp::MakeInsertedItemName());
    if (!theApp.WriteCableRow(sel, true)) {
        ShowStoreFailure();
        return;
    }
    m_list->rows()->insertRow(sel, RowTexts(sel + 1));
    RowCount() += 1;
    RenumberFrom(sel);
    ShowRowWarnings();
}

void CCableScreen::OnDeleteCableRow()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= RowCount())
        return;
    const QString path = CableWorkbookPath();
    const bool full = RowCount() >= kCableRowLimit;
    // The last row goes with its workbook.
    const bool stored = RowCount() == 1 ? (!QFile::exists(path) || QFile::remove(path))
                                        : theApp.DeleteCableRow(sel);
    if (!stored) {
        ShowStoreFailure();
        return;
    }
    if (full) {
        // A row stored past the limit moved up into the list: show it, or the next "추가"
        // would write over it.
        LoadCableSchedule();
        m_list->setSelectionMark(std::min(sel, RowCount() - 1));
        return;
    }
    m_list->rows()->removeRow(sel);
    RowCount() -= 1;
    RenumberFrom(sel);
    const int n = RowCount();
    m_list->setSelectionMark(n == 0 ? -1 : std::min(sel, n - 1));
}

void CCableScreen::OnDeleteAllCableRows()
{
    const QString path = CableWorkbookPath();
    if (QFile::exists(path) && !QFile::remove(path)) {
        ShowStoreFailure();
        return;
    }
    m_list->rows()->clear();
    RowCount() = 0;
}

// ---- import --------------------------------------------------------------------------------

void CCableScreen::OnImportCableLoads()
{
    const QString failed = tr("불러 오기를 정상적으로 처리하지 못했습니다.");
    {
        // A schedule that exists but cannot be read must not be replaced by the import.
        companion::WorkbookAccess wb(CableWorkbookPath(), companion::WorkbookAccess::Mode::Write);
        if (!wb.ok()) {
            Prompt::Message(failed);
            return;
        }
    }
    const int first = RowCount();
    int n = first;
    int boards = 0;
    int mccRows = 0;
    bool full = false;
    bool stored = true;
    std::vector<QStringList> added;
    // Each row is sized as it is stored, with the project's breaker maker.
    const QString maker = MakerCode(m_maker->itemText(ProjectMakerIndex(m_maker->count())));
    const CableConditions cond = CableConditionsFromApp(theApp);
    AppCableLookup lookup(theApp);
    CompanionBatch batch;
    const auto append = [&](const CableRow& row) {
        if (n >= kCableRowLimit) {
            full = true;
            return false;
        }
        Row() = row;
        Row()[71] = maker;
        CalcImportedRow(Row(), cond, lookup);
        if (!theApp.WriteCableRow(n, false)) {
            stored = false;
            return false;
        }
        added.push_back(RowTexts(n + 1));
        ++n;
        return true;
    };
    const auto sheetCount = [](int role) {
        companion::WorkbookAccess wb(theApp.CompanionPath(role),
                                     companion::WorkbookAccess::Mode::Read);
        return wb.ok() ? wb.book().sheetCount() : 0;
    };

    // Panel boards, one row each.
    const int boardCount = sheetCount(CSevrinApp::PanelBoardWorkbook);
    auto& boardRecord = theApp.CabinetSizingBlock.BoardRecord;
    for (int b = 0; b < boardCount && stored && !full; ++b) {
        if (!theApp.ReadPanelBoardSheet(b))
            continue;
        if (append(MakeBoardCableRow(boardRecord, n + 1)))
            ++boards;
    }
    // Motor-control-centre panels, each followed by its loads.
    const int panelCount = sheetCount(CSevrinApp::MccWorkbook);
    auto& mcc = theApp.MotorControlCenterBlock;
    for (int p = 0; p < panelCount && stored && !full; ++p) {
        if (!theApp.ReadMccPanelSheet(p))
            continue;
        const QString panelName = mcc.MccPanelRecord[0];
        if (!append(MakeMccPanelCableRow(mcc.MccPanelRecord, n + 1)))
            break;
        ++mccRows;
        for (int j = 0; j < kCableRowLimit && stored && !full; ++j) {
            if (!theApp.ReadMccLoadRow(p, j) || mcc.MccLoadRow[0].isEmpty())
                break;
            if (append(MakeMccLoadCableRow(panelName, mcc.MccLoadRow, n + 1)))
                ++mccRows;
        }
    }
    stored = batch.finish() && stored;
    if (!stored) {
        // The list shows what the file holds.
        LoadCableSchedule();
        Prompt::Message(failed);
        return;
    }
    if (!added.empty()) {
        RowListModel* model = m_list->rows();
        if (first == 0) {
            model->setRows(std::move(added));
        } else {
            for (const QStringList& cells : added)
                model->appendRow(cells);
        }
    }
    RowCount() = n;
    if (full)
        Prompt::Message(LimitMessage());
    Prompt::Message(tr("부하 %1, 동력 %2 가 연계 되었습니다.").arg(boards).arg(mccRows),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

// ---- fault-current search ------------------------------------------------------------------

void CCableScreen::OnSearchCableFaultCurrents()
{
    const int maker = m_maker->currentIndex();
    const QString demand = Text(IdDemandFactor);
    const QString parallel = Text(IdParallel);
    SearchCableFaultCurrents();
    m_maker->setCurrentIndex(maker);
    Control<QLineEdit>(IdDemandFactor)->setText(demand);
    Control<QLineEdit>(IdParallel)->setText(parallel);
}

void CCableScreen::SearchCableFaultCurrents()
{
    m_list->setSelectionMark(-1);
    theApp.CollectPanelNames();
    BusFaultIndex buses(theApp);
    AppCableLookup lookup(theApp);
    const CableConditions cond = CableConditionsFromApp(theApp);
    RowListModel* model = m_list->rows();

    // The recomputed rows reach the list and the counts only once the workbook holds them.
    struct Pending
    {
        int row;
        QStringList cells;
        bool panel;
        int check;
    };
    std::vector<Pending> pending;
    // Rows without a bus of their name: named together in one message at the end.
    QStringList unmatched;
    int nPanel = 0, nOther = 0, nCheck = 0;
    bool storeFailed = false;
    {
        CompanionBatch batch;
        const int count = RowCount();
        for (int i = 0; i < count; ++i) {
            const QStringList cells = model->row(i);
            CableRow& row = Row();
            for (int c = 0; c < kCableColumnCount; ++c)
                row[std::size_t(c)] = cells.value(c);
            const QString from = row[2];
            const QString to = row[3];
            const bool panel = theApp.IsPanelName(to);
            BusFaultIndex::Hit hit;
            for (int tr = 0; tr < 5 && !hit.found; ++tr)
                hit = panel ? buses.FindEqual(tr, to) : buses.FindContaining(tr, from);
            if (!hit.found) {
                unmatched << (panel ? tr("분전반 경우) FROM %1, TO %2").arg(from, to)
                                    : tr("일반 부하의 경우) FROM %1, TO %2").arg(from, to));
                continue;
            }
            // A bus without a value keeps the row's own. The found currents are kept as the
            // search wrote them (three decimals, no unit), also after the recomputation.
            const QString minimum = QString::number(hit.minimum, 'f', 3);
            const QString maximum = QString::number(hit.maximum, 'f', 3);
            if (hit.hasMinimum)
                row[51] = minimum;
            if (hit.hasMaximum)
                row[103] = maximum;
            RecalcStoredCableRow(row, cond, lookup);
            if (hit.hasMinimum)
                row[51] = minimum;
            if (hit.hasMaximum)
                row[103] = maximum;
            if (!theApp.WriteCableRow(i, false)) {
                storeFailed = true;
                break;
            }
            pending.push_back({i, RowTexts(i + 1), panel, CableRowNeedsCheck(row)});
        }
        // The workbook holds every change before any message is shown, or none of them when
        // a row could not be stored.
        storeFailed = !batch.commit(!storeFailed);
    }
    if (!storeFailed) {
        for (const Pending& p : pending) {
            model->setRow(p.row, p.cells);
            (p.panel ? nPanel : nOther) += 1;
            nCheck += p.check;
        }
    }
    if (storeFailed)
        ShowStoreFailure();
    if (!unmatched.isEmpty()) {
        // A long schedule may miss many buses: the first ones by name, the rest counted.
        constexpr int kListed = 30;
        QStringList lines = unmatched.mid(0, kListed);
        if (unmatched.size() > kListed)
            lines << tr("... 외 %1개").arg(unmatched.size() - kListed);
        Prompt::Message(tr("고장 전류 값을 찾지 못한 부하 %1개:\n%2")
                            .arg(unmatched.size())
                            .arg(lines.join(QLatin1Char('\n'))));
    }
    Prompt::Message(tr("부하 %1에 고장 전류 계산 값 %2 (분전반 %3, 일반 %4을\n 참조 하여 재계산 "
                       "되었습니다.\n확인이 필요한 항목은 %5개 입니다.")
                        .arg(RowCount())
                        .arg(nPanel + nOther)
                        .arg(nPanel)
                        .arg(nOther)
                        .arg(nCheck),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

// ---- screen buttons ------------------------------------------------------------------------

void CCableScreen::OnSaveCable()
{
    // The cables live in "_40", stored with every change; the section itself holds nothing
    // today, but a section that cannot be written is never reported as saved.
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    if (!theApp.SaveCableSection(path)) {
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
        return;
    }
    Prompt::Message(tr("케이블&차단기 내용을 저장 하였습니다."), Prompt::Buttons::Ok,
                    Prompt::Icon::Information);
}

void CCableScreen::OnOutputCable()
{
    COutputDlg::RunForScreenReport(COutputDlg::CableBreaker, nullptr);
}

void CCableScreen::OnCableSelectScreen()
{
    SwitchView(Screen::Project);
}

void CCableScreen::OnCableStartScreen()
{
    SwitchView(Screen::Start);
}

void CCableScreen::OnShowAllCableColumns()
{
    m_list->rows()->clear();
    RowCount() = 0;
    SetupCableListColumns(0);
    LoadCableSchedule();
}

void CCableScreen::OnShowInputCableColumns()
{
    m_list->rows()->clear();
    RowCount() = 0;
    SetupCableListColumns(1);
    LoadCableSchedule();
}

void CCableScreen::OnShowBasicCableColumns() {}
