#include "generatorloadpage.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/core/generatorsizing.h"
#include "platform/prompt.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kMaxRows = kMaxGeneratorLoadRows;

QStringList Cells(const GeneratorLoadRowT& row)
{
    QStringList cells;
    for (const QString& s : row)
        cells << s;
    return cells;
}

void SelectComboItem(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool HasProject()
{
    return !theApp.ProjectPathTable.CurrentProjectPath.isEmpty();
}

}  // namespace

CGeneratorLoadPage::CGeneratorLoadPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        Place(l, 0, x, y, w, 10);
        return l;
    };
    auto edit = [this](int id, int x, int y, int w, bool enabled = true) {
        auto* e = new QLineEdit(this);
        Place(e, id, x, y, w, 12);
        e->setEnabled(enabled);
        return e;
    };

    connect(AddButton(1540, tr("부하 정보 불러오기"), 8, 6, 80, 14), &QPushButton::clicked, this,
            &CGeneratorLoadPage::OnImportGeneratorLoads);
    label(tr("판넬명"), 8, 28, 28);
    edit(1508, 38, 26, 70)->setText(QStringLiteral("MCC-FA"));
    label(tr("장비명"), 115, 28, 28);
    edit(1509, 145, 26, 120)->setText(QStringLiteral("스프링클러 주펌프"));
    label(tr("장비번호"), 272, 28, 35);
    edit(1510, 309, 26, 60)->setText(QStringLiteral("FP-7"));
    label(tr("부하종류"), 376, 28, 35);
    m_typeCombo = new QComboBox(this);
    for (const char* t : {"M", "L1", "L2", "L3", "L3P", "A"})
        m_typeCombo->addItem(QString::fromLatin1(t));
    Place(m_typeCombo, 1544, 413, 25, 45, 14);
    label(tr("용량"), 466, 28, 20);
    edit(1519, 488, 26, 45)->setText(QStringLiteral("110"));
    label(QStringLiteral("kW"), 535, 28, 12);
    edit(1520, 550, 26, 45);
    label(QStringLiteral("kVA"), 597, 28, 15);
    m_startLabel = label(tr("기동방식"), 620, 28, 35);
    m_startLabel->setObjectName(QStringLiteral("1699"));
    m_startCombo = new QComboBox(this);
    for (const char* t : {"DOL", "Y-D", "리액터", "S.S", "INV", "-"})
        m_startCombo->addItem(QString::fromUtf8(t));
    Place(m_startCombo, 1545, 657, 25, 55, 14);
    m_typeCombo->setCurrentIndex(0);
    m_startCombo->setCurrentIndex(2);
    connect(m_typeCombo, &QComboBox::currentIndexChanged, this, [this] { OnLoadTypeChanged(); });

    label(tr("수용률"), 8, 46, 28);
    label(tr("정전시"), 38, 46, 25);
    edit(1044, 65, 44, 40)->setText(QStringLiteral("0"));
    label(QStringLiteral("[%]"), 107, 46, 12);
    label(tr("화재시"), 125, 46, 25);
    edit(1546, 152, 44, 40)->setText(QStringLiteral("100"));
    label(QStringLiteral("[%]"), 194, 46, 12);
    connect(AddButton(1541, tr("추가"), 640, 43, 50, 14), &QPushButton::clicked, this,
            &CGeneratorLoadPage::OnAdd);
    connect(AddButton(1542, tr("수정"), 695, 43, 50, 14), &QPushButton::clicked, this,
            &CGeneratorLoadPage::OnModify);
    connect(AddButton(1543, tr("삭제"), 750, 43, 50, 14), &QPushButton::clicked, this,
            &CGeneratorLoadPage::OnDelete);
    QPushButton* insert = AddButton(1548, QStringLiteral("+"), 805, 43, 50, 14);
    insert->hide();
    connect(insert, &QPushButton::clicked, this, &CGeneratorLoadPage::OnInsert);

    m_list = new ReportListView(this, 40);
    Place(m_list, 1547, 8, 62, 852, 385);
    m_list->setReportColumns({{QStringLiteral("번호"), QString(), 40},
                              {QStringLiteral("판넬명"), QString(), 100},
                              {QStringLiteral("장비명"), QString(), 200},
                              {QStringLiteral("장비번호"), QString(), 80},
                              {QStringLiteral("부하\n종류"), QString(), 60},
                              {QStringLiteral("[kW]"), QStringLiteral("용량"), 60},
                              {QStringLiteral("[kVA]"), QStringLiteral("용량"), 60},
                              {QStringLiteral("기동방식"), QString(), 80},
                              {QStringLiteral("수용률[%]"), QStringLiteral("정전시부하"), 80},
                              {QStringLiteral("수용부하[kW]"), QStringLiteral("정전시부하"), 80},
                              {QStringLiteral("수용부하[kVA]"), QStringLiteral("정전시부하"), 100},
                              {QStringLiteral("수용률[%]"), QStringLiteral("화재시부하"), 80},
                              {QStringLiteral("수용부하[kW]"), QStringLiteral("화재시부하"), 80},
                              {QStringLiteral("수용부하[kVA]"), QStringLiteral("화재시부하"), 100}});
    connect(m_list, &QAbstractItemView::clicked, this, [this] { OnListClicked(); });

    // The six totals of the calculation.
    label(tr("정전시 부하합계"), 8, 457, 60);
    edit(1511, 70, 455, 55, false);
    label(QStringLiteral("[kW]"), 127, 457, 18);
    edit(1512, 148, 455, 55, false);
    label(QStringLiteral("[kVA]"), 205, 457, 20);
    label(tr("화재시 부하합계"), 235, 457, 60);
    edit(1513, 297, 455, 55, false);
    label(QStringLiteral("[kW]"), 354, 457, 18);
    edit(1033, 375, 455, 55, false);
    label(QStringLiteral("[kVA]"), 432, 457, 20);
    label(tr("정전시 최대전동기"), 462, 457, 65);
    edit(1514, 529, 455, 55, false);
    label(QStringLiteral("[kW]"), 586, 457, 18);
    label(tr("화재시 최대전동기"), 612, 457, 65);
    edit(1515, 679, 455, 55, false);
    label(QStringLiteral("[kW]"), 736, 457, 18);
}

void CGeneratorLoadPage::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1548})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

QLineEdit* CGeneratorLoadPage::Edit(int id) const
{
    return Control<QLineEdit>(id);
}

void CGeneratorLoadPage::OnLoadTypeChanged()
{
    const bool motor = m_typeCombo->currentIndex() == 0;
    m_startLabel->setVisible(motor);
    m_startCombo->setVisible(motor);
}

bool CGeneratorLoadPage::Checked(bool ok)
{
    if (ok)
        return true;
    Prompt::Message(tr("발전기 파일에 저장하지 못했습니다.\n%1")
                        .arg(theApp.CompanionPath(CSevrinApp::GeneratorWorkbook)));
    FillGeneratorLoadList();
    return false;
}

bool CGeneratorLoadPage::ValidateGeneratorLoadCapacity()
{
    QString message;
    if (ValidateGeneratorLoadInput(Edit(1519)->text(), Edit(1520)->text(), Edit(1044)->text(),
                                   Edit(1546)->text(), &message))
        return true;
    Prompt::Message(message, Prompt::Buttons::Ok);
    return false;
}

void CGeneratorLoadPage::BuildGeneratorLoadRow(int row, const QString& name)
{
    using namespace gencol;
    GeneratorLoadRowT& r = theApp.GeneratorSizingBlock.GeneratorLoadRow;
    r = GeneratorLoadRowT{};
    r[kNumber] = QString::number(row + 1);
    r[kPanel] = name.isEmpty() ? Edit(1508)->text() : name;
    r[kEquipment] = Edit(1509)->text();
    r[kTag] = Edit(1510)->text();
    r[kType] = m_typeCombo->currentText();
    r[kKw] = Edit(1519)->text();
    r[kKva] = Edit(1520)->text();
    r[kStart] = r[kType] == QLatin1String("M") ? m_startCombo->currentText() : QStringLiteral("-");
    r[kOutagePct] = Edit(1044)->text();
    r[kFirePct] = Edit(1546)->text();
    CalcGeneratorLoadDemand(r);
}

void CGeneratorLoadPage::FillGeneratorLoadList()
{
    std::vector<QStringList> rows;
    if (HasProject()) {
        for (const GeneratorLoadRowT& row : ReadGeneratorLoadRows(theApp)) {
            QStringList cells = Cells(row);
            cells[0] = QString::number(rows.size() + 1);
            rows.push_back(cells);
        }
    }
    theApp.GeneratorSizingBlock.GeneratorLoadCount = int(rows.size());
    m_list->rows()->setRows(std::move(rows));
    if (HasProject() && GeneratorLoadRowsBeyondLimit(theApp))
        Prompt::Message(companion::RowLimitMessage(
            theApp.CompanionPath(CSevrinApp::GeneratorWorkbook), kMaxRows));
}

void CGeneratorLoadPage::OnAdd()
{
    auto& b = theApp.GeneratorSizingBlock;
    if (!HasProject() || b.GeneratorLoadCount >= kMaxRows || !ValidateGeneratorLoadCapacity())
        return;
    const int k = b.GeneratorLoadCount;
    BuildGeneratorLoadRow(k, QString());
    if (!Checked(theApp.WriteGeneratorLoadRow(k, false)))
        return;
    m_list->rows()->insertRow(k, Cells(b.GeneratorLoadRow));
    b.GeneratorLoadCount = k + 1;
}

void CGeneratorLoadPage::OnModify()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount() || !ValidateGeneratorLoadCapacity())
        return;
    BuildGeneratorLoadRow(sel, QString());
    if (!Checked(theApp.WriteGeneratorLoadRow(sel, false)))
        return;
    m_list->rows()->setRow(sel, Cells(theApp.GeneratorSizingBlock.GeneratorLoadRow));
    m_list->setSelectionMark(-1);
}

void CGeneratorLoadPage::OnDelete()
{
    const int sel = m_list->selectionMark();
    RowListModel* rows = m_list->rows();
    if (sel < 0 || sel >= rows->rowCount())
        return;
    if (rows->rowCount() == 1) {
        // The workbook exists exactly while the list has rows.
        const QString path = theApp.CompanionPath(CSevrinApp::GeneratorWorkbook);
        companion::DropCache();
        if (QFile::exists(path) && !QFile::remove(path)) {
            Prompt::Message(tr("발전기 파일을 삭제하지 못했습니다.\n%1").arg(path));
            return;
        }
    } else if (!Checked(theApp.DeleteGeneratorLoadRow(sel))) {
        return;
    }
    if (rows->rowCount() >= kMaxRows) {
        // A row stored past the limit moved up into the list: show it, or the next "추가"
        // would write over it.
        FillGeneratorLoadList();
        m_list->setSelectionMark(std::min(sel, rows->rowCount() - 1));
        return;
    }
    rows->removeRow(sel);
    theApp.GeneratorSizingBlock.GeneratorLoadCount = rows->rowCount();
    rows->renumberFrom(sel);
    m_list->setSelectionMark(rows->rowCount() == 0 ? -1 : std::min(sel, rows->rowCount() - 1));
}

void CGeneratorLoadPage::OnInsert()
{
    const int sel = m_list->selectionMark();
    RowListModel* rows = m_list->rows();
    auto& b = theApp.GeneratorSizingBlock;
    if (sel < 0 || sel >= rows->rowCount() || b.GeneratorLoadCount >= kMaxRows)
        return;
    BuildGeneratorLoadRow(sel, CSevrinApp::MakeInsertedItemName());
    if (!Checked(theApp.WriteGeneratorLoadRow(sel, true)))
        return;
    rows->insertRow(sel, Cells(b.GeneratorLoadRow));
    b.GeneratorLoadCount = rows->rowCount();
    rows->renumberFrom(sel);
}

void CGeneratorLoadPage::OnImportGeneratorLoads()
{
    if (!HasProject())
        return;
    auto& b = theApp.GeneratorSizingBlock;
    const GeneratorImport imp = BuildGeneratorImport(theApp, b.GeneratorLoadCount + 1);
    bool ok = true;
    {
        CompanionBatch batch;
        for (const GeneratorLoadRowT& row : imp.rows) {
            if (b.GeneratorLoadCount >= kMaxRows)
                break;
            b.GeneratorLoadRow = row;
            if (!(ok = theApp.WriteGeneratorLoadRow(b.GeneratorLoadCount, false)))
                break;
            m_list->rows()->appendRow(Cells(row));
            ++b.GeneratorLoadCount;
        }
        ok = batch.finish() && ok;
    }
    if (!Checked(ok))
        return;
    Prompt::Message(tr("동력 %1, 부하 %2가 연계 되었습니다.").arg(imp.mccLoads).arg(imp.boards),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CGeneratorLoadPage::OnListClicked()
{
    const int sel = m_list->selectionMark();
    if (sel < 0 || sel >= m_list->rows()->rowCount())
        return;
    const RowListModel* rows = m_list->rows();
    const int ids[7] = {1508, 1509, 1510, 1519, 1520, 1044, 1546};
    const int cols[7] = {1, 2, 3, 5, 6, 8, 11};
    for (int i = 0; i < 7; ++i)
        Edit(ids[i])->setText(rows->text(sel, cols[i]));
    SelectComboItem(m_typeCombo, rows->text(sel, 4));
    SelectComboItem(m_startCombo, rows->text(sel, 7));
    const bool motor = rows->text(sel, 4) == QLatin1String("M");
    m_startLabel->setVisible(motor);
    m_startCombo->setVisible(motor);
}
