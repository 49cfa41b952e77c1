#include "transformerloadpage.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/core/transformersizing.h"
#include "platform/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kFirstMotorField = 1609;  // edits 1609..1624 = record fields 5..20
constexpr int kMaxRows = kMaxTransformerLoadRows;

const char* const kTypes[] = {
    "표준소비효율 몰드 변압기",        "표준소비효율 유입 변압기",
    "최저소비효율 몰드 변압기",        "최저소비효율 유입 변압기",
    "표준소비효율 아몰퍼스 몰드 변압기", "표준소비효율 아몰퍼스 유입 변압기",
    "표준소비효율 하이브리드 몰드 변압기", "표준소비효율 하이브리드 유입 변압기",
    "건식 변압기"};

// The motor-block labels in record order (fields 5..19), placed in four columns.
const char* const kMotorLabels[15] = {
    "총 기저부하 피상전력(S)",        "기저부하 유효전력 (P1 [kW])",  "최대전동기 출력용량(Pm [kW])",
    "전동기 운전 시 역률(cosθm)",     "전동기 전전압 기동배율(β)",    "전동기 기동 시 무효율 (sinθms)",
    "변압기 %임피던스(%Z [%])",       "허용전압강하율(ε[%])",         "기저부하 종합역률(cosθ)",
    "기저부하 무효전력 (Q1 [kVAR])",  "전동기 운전 시 효율(ηm)",      "전동기 기동 시 역률(cosθms)",
    "전동기 기동방식에 따른 계수(C)", "전동기 기동 시 유효전력 (P2 [kW])",
    "전동기 기동 시 무효전력 (Q2 [kVAR])"};

// Record fields the user types (the others are computed).
bool IsMotorInput(int field)
{
    using namespace trfield;
    for (int f : {kPm, kCosM, kBeta, kZ, kEpsilon, kCos, kEtaM, kCosMs, kC})
        if (f == field)
            return true;
    return false;
}

QStringList Cells(const TransformerLoadRowT& row)
{
    QStringList cells;
    for (const QString& s : row)
        cells << s;
    return cells;
}

void SelectComboItem(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    int found = -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            found = i;
            break;
        }
    }
    combo->setCurrentIndex(found);
    if (found < 0 && combo->isEditable())
        combo->setEditText(QString());
}

}  // namespace

CTransformerLoadPage::CTransformerLoadPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    auto label = [this](const QString& text, int x, int y, int w, int h = 10) {
        auto* l = new QLabel(text, this);
        Place(l, 0, x, y, w, h);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w, bool enabled = true) {
        auto* e = new QLineEdit(this);
        Place(e, id, x, y, w, 12);
        e->setEnabled(enabled);
        return e;
    };

    // First row: the transformer's data.
    label(tr("변압기명"), 8, 8, 35);
    m_name = label(QStringLiteral("TR-1"), 45, 8, 30);
    m_name->setObjectName(QStringLiteral("1601"));
    label(tr("변압기 종류"), 85, 8, 45);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setEditable(true);
    for (const char* t : kTypes)
        m_typeCombo->addItem(QString::fromUtf8(t));
    Place(m_typeCombo, 1124, 132, 6, 170, 14);
    label(tr("1차전압"), 310, 8, 30);
    m_primaryCombo = new QComboBox(this);
    m_primaryCombo->addItem(QStringLiteral(" 22.9kV"));
    m_primaryCombo->setEnabled(false);
    Place(m_primaryCombo, 1122, 342, 6, 60, 14);
    label(tr("2차 전압"), 410, 8, 35);
    edit(1603, 447, 7, 60);
    connect(AddButton(1288, tr("삭제"), 810, 5, 50, 14), &QPushButton::clicked, this,
            &CTransformerLoadPage::OnClearTransformer);
    connect(m_typeCombo, &QComboBox::activated, this, [this] { StoreTransformerInputs(); });

    // Second row: import and the inputs of a load row.
    connect(AddButton(1014, tr("계통정보 불러오기"), 8, 26, 75, 14), &QPushButton::clicked, this,
            &CTransformerLoadPage::OnImportTransformerLoads);
    label(tr("PANEL NO."), 95, 28, 40);
    edit(1044, 137, 27, 80);
    label(tr("부하내용"), 225, 28, 35);
    edit(1045, 262, 27, 120);
    label(tr("연결부하 [VA]"), 390, 28, 50);
    edit(1051, 442, 27, 70);
    label(tr("수용률 [%]"), 520, 28, 40);
    edit(1608, 562, 27, 50);

    // The load list with its row buttons at the right.
    m_list = new ReportListView(this, 20);
    Place(m_list, 1574, 8, 46, 790, 250);
    m_list->setReportColumns({{QStringLiteral("No."), QString(), 40},
                              {QStringLiteral("PANEL NO."), QString(), 200},
                              {QStringLiteral("부하내용"), QString(), 200},
                              {QStringLiteral("연결부하[VA]"), QString(), 120},
                              {QStringLiteral("수용률[%]"), QString(), 120},
                              {QStringLiteral("수용부하[VA]"), QString(), 120},
                              {QStringLiteral("비고"), QString(), 120}});
    connect(m_list, &QAbstractItemView::clicked, this, [this] { OnListClicked(); });
    connect(AddButton(1605, tr("추가"), 805, 46, 55, 14), &QPushButton::clicked, this,
            &CTransformerLoadPage::OnAdd);
    connect(AddButton(1606, tr("수정"), 805, 64, 55, 14), &QPushButton::clicked, this,
            &CTransformerLoadPage::OnModify);
    connect(AddButton(1607, tr("삭제"), 805, 82, 55, 14), &QPushButton::clicked, this,
            &CTransformerLoadPage::OnDelete);
    QPushButton* insert = AddButton(1631, QStringLiteral("+"), 805, 100, 55, 14);
    insert->hide();
    connect(insert, &QPushButton::clicked, this, &CTransformerLoadPage::OnInsert);
    // Hidden results of the calculation: ΣCL, DF, ΣDL, rating, PTR, PTR rating.
    for (int id = 1625; id <= 1630; ++id)
        edit(id, 805, 120 + (id - 1625) * 14, 55, false)->hide();

    label(tr("변압기용량"), 8, 302, 45);
    edit(1043, 55, 300, 743, false);

    // The largest-motor block.
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    Place(line, 0, 8, 318, 852, 2);
    m_motorCheck = new QCheckBox(this);
    Place(m_motorCheck, 1358, 8, 324, 10, 10);
    label(tr("최대용량 전동기 고려시 "), 20, 324, 90);
    connect(m_motorCheck, &QCheckBox::clicked, this, [this](bool on) { ShowMotorInputs(on); });
    edit(1624, 112, 322, 748, false);
    for (int i = 0; i < 15; ++i) {
        const int field = trfield::kS + i;
        const int x = 8 + (i / 4) * 215;
        const int y = 342 + (i % 4) * 18;
        label(tr(kMotorLabels[i]), x, y + 2, 130);
        edit(kFirstMotorField + i, x + 135, y, 70, IsMotorInput(field));
    }
    ShowMotorInputs(false);
    // Starting values of the inputs.
    Edit(1603)->setText(QStringLiteral("0.38"));
    Edit(1044)->setText(QStringLiteral("LN-4A"));
    Edit(1045)->setText(QStringLiteral("일반 전등,전열 부하"));
    Edit(1051)->setText(QStringLiteral("211500"));
    Edit(1608)->setText(QStringLiteral("55"));
}

void CTransformerLoadPage::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1631})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

QLineEdit* CTransformerLoadPage::Edit(int id) const
{
    return Control<QLineEdit>(id);
}

int CTransformerLoadPage::GetTransformerIndex() const
{
    const QString name = m_name->text();
    for (int i = 0; i < 5; ++i)
        if (name == QStringLiteral("TR-%1").arg(i + 1))
            return i;
    return 0;
}

void CTransformerLoadPage::SetTransformerName(const QString& name)
{
    m_name->setText(name);
}

void CTransformerLoadPage::ShowMotorInputs(bool show)
{
    for (int id = kFirstMotorField; id <= 1624; ++id)
        Edit(id)->setVisible(show);
}

bool CTransformerLoadPage::EnsureWorkbook()
{
    // "_30" is created with its five sheets by the first write, not by showing a transformer,
    // so that opening a project leaves its folder as it was.
    if (QFile::exists(theApp.CompanionPath(CSevrinApp::TransformerWorkbook)))
        return true;
    auto& record = theApp.TransformerSizingBlock.TransformerRecord;
    const TransformerRecordT kept = record;
    const bool ok = theApp.ReadTransformerSheet(GetTransformerIndex());
    record = kept;
    return ok;
}

bool CTransformerLoadPage::Checked(bool ok)
{
    if (ok)
        return true;
    Prompt::Message(tr("변압기 파일에 저장하지 못했습니다.\n%1")
                        .arg(theApp.CompanionPath(CSevrinApp::TransformerWorkbook)));
    FillTransformerLoadList();
    return false;
}

bool CTransformerLoadPage::StoreTransformerInputs()
{
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty())
        return true;
    auto& r = theApp.TransformerSizingBlock.TransformerRecord;
    r[trfield::kType] = m_typeCombo->currentText();
    r[trfield::kPrimary] = m_primaryCombo->currentText();
    r[trfield::kSecondary] = Edit(1603)->text();
    ShowMotorInputs(m_motorCheck->isChecked());
    r[trfield::kMotorOption] = m_motorCheck->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
    for (int i = 0; i < 16; ++i)
        r[std::size_t(trfield::kS + i)] = Edit(kFirstMotorField + i)->text();
    return Checked(EnsureWorkbook() && theApp.WriteTransformerSheet(GetTransformerIndex()));
}

bool CTransformerLoadPage::InputsStored()
{
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty())
        return true;
    auto& r = theApp.TransformerSizingBlock.TransformerRecord;
    const KeepBlock keep(r);
    // A missing workbook holds empty records; one that cannot be read is not compared, since
    // nothing could be stored in it either.
    if (!QFile::exists(theApp.CompanionPath(CSevrinApp::TransformerWorkbook)))
        r.fill(QString());
    else if (!theApp.ReadTransformerSheet(GetTransformerIndex()))
        return true;
    if (r[trfield::kType] != m_typeCombo->currentText() || r[trfield::kSecondary] != Edit(1603)->text() ||
        (r[trfield::kMotorOption] == QLatin1String("Y")) != m_motorCheck->isChecked())
        return false;
    // The computed fields are not typed; only the inputs can hold an unsaved edit.
    for (int i = 0; i < 16; ++i) {
        const int field = trfield::kS + i;
        if (IsMotorInput(field) && r[std::size_t(field)] != Edit(kFirstMotorField + i)->text())
            return false;
    }
    return true;
}

void CTransformerLoadPage::ShowTransformerInputs()
{
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty())
        return;
    if (!QFile::exists(theApp.CompanionPath(CSevrinApp::TransformerWorkbook))) {
        for (QString& f : theApp.TransformerSizingBlock.TransformerRecord)
            f.clear();
    } else if (!theApp.ReadTransformerSheet(GetTransformerIndex())) {
        Prompt::Message(tr("변압기 파일을 읽지 못했습니다.\n%1")
                            .arg(theApp.CompanionPath(CSevrinApp::TransformerWorkbook)));
        return;
    }
    const auto& r = theApp.TransformerSizingBlock.TransformerRecord;
    SelectComboItem(m_typeCombo, r[trfield::kType]);
    SelectComboItem(m_primaryCombo, r[trfield::kPrimary]);
    // Every transformer is fed from the 22.9 kV receiving bus, the one primary voltage the
    // page offers: a transformer not stored yet shows it too, and its report cell is filled.
    if (m_primaryCombo->currentIndex() < 0 && m_primaryCombo->count() > 0) {
        const QSignalBlocker block(m_primaryCombo);
        m_primaryCombo->setCurrentIndex(0);
    }
    Edit(1603)->setText(r[trfield::kSecondary]);
    const bool on = r[trfield::kMotorOption] == QLatin1String("Y");
    m_motorCheck->setChecked(on);
    ShowMotorInputs(on);
    // The motor block as stored, inputs and results: never another transformer's figures.
    for (int i = 0; i < 16; ++i)
        Edit(kFirstMotorField + i)->setText(r[std::size_t(trfield::kS + i)]);
    // The capacity decision and its figures are not stored: empty until "계산".
    for (int id : {1043, 1625, 1626, 1627, 1628, 1629, 1630})
        Edit(id)->clear();
}

void CTransformerLoadPage::FillTransformerLoadList()
{
    std::vector<QStringList> rows;
    theApp.TransformerSizingBlock.TransformerLoadCount = 0;
    if (!theApp.ProjectPathTable.CurrentProjectPath.isEmpty()) {
        for (const TransformerLoadRowT& row : ReadTransformerLoadRows(theApp, GetTransformerIndex())) {
            QStringList cells = Cells(row);
            cells[0] = QString::number(rows.size() + 1);
            rows.push_back(cells);
        }
    }
    theApp.TransformerSizingBlock.TransformerLoadCount = int(rows.size());
    m_list->rows()->setRows(std::move(rows));
    if (!theApp.ProjectPathTable.CurrentProjectPath.isEmpty() &&
        TransformerLoadRowsBeyondLimit(theApp, GetTransformerIndex()))
        Prompt::Message(companion::RowLimitMessage(
            theApp.CompanionPath(CSevrinApp::TransformerWorkbook), kMaxRows));
}

bool CTransformerLoadPage::AcceptLoadInputs()
{
    const QString refusal = CheckTransformerLoadInput(Edit(1051)->text(), Edit(1608)->text());
    if (refusal.isEmpty())
        return true;
    Prompt::Message(refusal);
    return false;
}

void CTransformerLoadPage::BuildTransformerLoadRow(int row, const QString& name)
{
    TransformerLoadRowT& r = theApp.TransformerSizingBlock.TransformerLoadRow;
    r[trcol::kNumber] = QString::number(row + 1);
    r[trcol::kPanel] = name.isEmpty() ? Edit(1044)->text() : name;
    r[trcol::kDescription] = Edit(1045)->text();
    CalcTransformerLoadDemand(r, Edit(1051)->text(), Edit(1608)->text());
}

void CTransformerLoadPage::OnAdd()
{
    auto& b = theApp.TransformerSizingBlock;
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty() || b.TransformerLoadCount >= kMaxRows ||
        !AcceptLoadInputs())
        return;
    const int k = b.TransformerLoadCount;
    BuildTransformerLoadRow(k, QString());
    if (!Checked(EnsureWorkbook() && theApp.WriteTransformerLoadRow(GetTransformerIndex(), k, false)))
        return;
    m_list->rows()->insertRow(k, Cells(b.TransformerLoadRow));
    b.TransformerLoadCount = k + 1;
}

void CTransformerLoadPage::OnModify()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount() || !AcceptLoadInputs())
        return;
    BuildTransformerLoadRow(sel, QString());
    if (!Checked(theApp.WriteTransformerLoadRow(GetTransformerIndex(), sel, false)))
        return;
    m_list->rows()->setRow(sel, Cells(theApp.TransformerSizingBlock.TransformerLoadRow));
    m_list->setSelectionMark(-1);
}

void CTransformerLoadPage::OnDelete()
{
    const int sel = m_list->selectionMark();
    RowListModel* rows = m_list->rows();
    if (sel < 0 || sel >= rows->rowCount())
        return;
    const bool full = rows->rowCount() >= kMaxRows;
    if (!Checked(theApp.DeleteTransformerLoadRow(GetTransformerIndex(), sel)))
        return;
    if (full) {
        // A row stored past the limit moved up into the list: show it, or the next "추가"
        // would write over it.
        FillTransformerLoadList();
        m_list->setSelectionMark(std::min(sel, rows->rowCount() - 1));
        return;
    }
    rows->removeRow(sel);
    auto& b = theApp.TransformerSizingBlock;
    b.TransformerLoadCount = rows->rowCount();
    rows->renumberFrom(sel);
    m_list->setSelectionMark(rows->rowCount() == 0 ? -1 : std::min(sel, rows->rowCount() - 1));
}

void CTransformerLoadPage::OnInsert()
{
    const int sel = m_list->selectionMark();
    RowListModel* rows = m_list->rows();
    auto& b = theApp.TransformerSizingBlock;
    if (sel < 0 || sel >= rows->rowCount() || b.TransformerLoadCount >= kMaxRows ||
        !AcceptLoadInputs())
        return;
    BuildTransformerLoadRow(sel, CSevrinApp::MakeInsertedItemName());
    if (!Checked(theApp.WriteTransformerLoadRow(GetTransformerIndex(), sel, true)))
        return;
    rows->insertRow(sel, Cells(b.TransformerLoadRow));
    b.TransformerLoadCount = rows->rowCount();
    rows->renumberFrom(sel);
}

void CTransformerLoadPage::OnClearTransformer()
{
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty())
        return;
    m_motorCheck->setChecked(false);
    ShowMotorInputs(false);
    for (int id = kFirstMotorField; id <= 1624; ++id)
        Edit(id)->clear();
    auto& b = theApp.TransformerSizingBlock;
    for (QString& s : b.TransformerRecord)
        s.clear();
    const int n = GetTransformerIndex();
    const bool full = m_list->rows()->rowCount() >= kMaxRows;
    bool ok = EnsureWorkbook();
    {
        CompanionBatch batch;
        ok = ok && theApp.WriteTransformerSheet(n);
        for (int k = m_list->rows()->rowCount() - 1; ok && k >= 0; --k)
            ok = theApp.DeleteTransformerLoadRow(n, k);
        ok = batch.commit(ok);
    }
    if (!Checked(ok))
        return;
    if (full) {
        // Only the listed rows are cleared; rows stored past the limit now lead the list.
        FillTransformerLoadList();
        return;
    }
    m_list->rows()->clear();
    b.TransformerLoadCount = 0;
}

void CTransformerLoadPage::OnImportTransformerLoads()
{
    if (theApp.ProjectPathTable.CurrentProjectPath.isEmpty())
        return;
    auto& b = theApp.TransformerSizingBlock;
    const int n = GetTransformerIndex();
    const TransformerImport imp = BuildTransformerImport(theApp, m_name->text(), b.TransformerLoadCount + 1);
    bool ok = imp.rows.empty() || EnsureWorkbook();
    {
        CompanionBatch batch;
        for (const TransformerLoadRowT& row : imp.rows) {
            if (!ok)
                break;
            if (b.TransformerLoadCount >= kMaxRows)
                break;
            b.TransformerLoadRow = row;
            if (!(ok = theApp.WriteTransformerLoadRow(n, b.TransformerLoadCount, false)))
                break;
            m_list->rows()->appendRow(Cells(row));
            ++b.TransformerLoadCount;
        }
        if (ok && imp.hasMotor) {
            using namespace trfield;
            const int fields[6] = {kPm, kCosM, kBeta, kEtaM, kCosMs, kC};
            for (int i = 0; i < 6; ++i) {
                b.TransformerRecord[std::size_t(fields[i])] = imp.motor[std::size_t(i)];
                Edit(kFirstMotorField + fields[i] - kS)->setText(imp.motor[std::size_t(i)]);
            }
            ok = theApp.WriteTransformerResults(n);
        }
        ok = batch.finish() && ok;
    }
    Checked(ok);
}

void CTransformerLoadPage::OnListClicked()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount())
        return;
    const int ids[4] = {1044, 1045, 1051, 1608};
    for (int c = 0; c < 4; ++c)
        Edit(ids[c])->setText(m_list->rows()->text(sel, c + 1));
}
