#include "faultcablepage.h"

#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultvalues.h"
#include "platform/prompt.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kSizes = {"1.5", "2.5", "4",  "6",   "10",  "16",  "25",  "35",
                            "50",  "70",  "95", "120", "150", "185", "240", "300"};

QList<ReportColumn> CableColumns()
{
    const QString spec = QStringLiteral("CABLE SPEC.");
    const QString imp = QStringLiteral("IMPEDANCE COMPOSITION");
    return {{QStringLiteral("NO."), QString(), 40},
            {QStringLiteral("CBL.(EQ) NO."), QString(), 180},
            {QStringLiteral("FROM"), QString(), 70},
            {QStringLiteral("TO"), QString(), 70},
            {QStringLiteral("[m]"), QStringLiteral("LENGTH"), 70},
            {QStringLiteral("TYPE"), spec, 70},
            {QStringLiteral("SQ[㎟]"), spec, 70},
            {QStringLiteral("CORE"), spec, 70},
            {QStringLiteral("LINE"), spec, 70},
            {QStringLiteral("PE[㎟]"), spec, 70},
            {QStringLiteral("N"), spec, 70},
            {QStringLiteral("R90[Ω]"), imp, 80},
            {QStringLiteral("R20[Ω]"), imp, 80},
            {QStringLiteral("R250[Ω]"), imp, 80},
            {QStringLiteral("X[Ω]"), imp, 80},
            {QStringLiteral("RPE250[Ω]"), imp, 80},
            {QStringLiteral("XPE[Ω]"), imp, 80}};
}

using namespace Fx;

// L in m, r and x per km from the cable table, N parallel conductors per phase.
FormulaNode PerLength(const char* symbol, const char* perKm, const char* tail = "")
{
    return R({T(symbol), T(" = "), F(T("L"), T("1000")), T(" × "), F(T(perKm), T("N")),
              T(tail)});
}

FormulaNode R90Formula()
{
    return R({T("R"), Sub("90"), T(" = "), F(T("L"), T("1000")), T(" × "), F(T("r"), T("N")),
              T("  [Ω]")});
}

FormulaNode TemperatureFormula()
{
    return R({T("R"), Sub("20"), T(" = R"), Sub("90"), T(" × δ"), Sub("20"), T(",   R"),
              Sub("250"), T(" = R"), Sub("90"), T(" × δ"), Sub("250")});
}

FormulaNode PeResistanceFormula()
{
    return R({T("R"), Sub("PE250"), T(" = "), F(T("L"), T("1000")), T(" × "),
              F(R({T("r"), Sub("PE")}), T("N")), T(" × δ"), Sub("250")});
}

FormulaNode PeReactanceFormula()
{
    return R({T("X"), Sub("PE"), T(" = "), F(T("L"), T("1000")), T(" × "),
              F(R({T("x"), Sub("PE")}), T("N"))});
}

// An HFIX wire: single-phase values, doubled for a two-line run.
FormulaNode WireFormula()
{
    return R({T("HFIX: R"), Sub("90"), T(" = r × "), F(T("L"), T("1000")), T(" × k,  X = x × "),
              F(T("L"), T("1000")), T(" × k")});
}

}  // namespace

CFaultCablePage::CFaultCablePage(QWidget* parent) : CFaultPage(parent)
{
    connect(AddButton(1694, tr("계통정보 불러오기"), 7, 6, 80, 14), &QPushButton::clicked, this,
            &CFaultCablePage::OnImportScheduleCables);
    AddLabel(tr("From"), 95, 8, 22);
    AddEdit(1028, 118, 6, 50, QStringLiteral("S/S"));
    AddLabel(tr("To"), 172, 8, 12);
    AddEdit(1029, 185, 6, 50, QStringLiteral("LE-E"));
    AddLabel(tr("길이"), 240, 8, 18);
    AddEdit(1027, 259, 6, 35, QStringLiteral("12"));
    AddLabel(tr("m"), 296, 8, 8);
    AddLabel(tr("TYPE"), 308, 8, 20);
    AddCombo(1122, 329, 6, 40, {"FCV", "FR8", "HFIX"})->setCurrentIndex(0);
    AddLabel(tr("SQ"), 373, 8, 12);
    AddCombo(1123, 386, 6, 40, kSizes)->setCurrentIndex(9);
    AddLabel(tr("CORE"), 430, 8, 20);
    AddCombo(1124, 451, 6, 30, {"1", "2", "3", "4"})->setCurrentIndex(0);
    AddLabel(tr("LINE"), 485, 8, 18);
    AddCombo(1125, 504, 6, 30, {"1", "2", "3", "4"})->setCurrentIndex(3);
    AddLabel(tr("PE"), 538, 8, 12);
    AddCombo(1126, 551, 6, 40, kSizes)->setCurrentIndex(7);
    AddLabel(tr("N"), 595, 8, 8);
    AddEdit(1032, 604, 6, 25, QStringLiteral("1"));
    connect(AddButton(1691, tr("추가"), 640, 5, 40, 14), &QPushButton::clicked, this,
            &CFaultCablePage::OnAddCableRow);
    connect(AddButton(1692, tr("수정"), 682, 5, 40, 14), &QPushButton::clicked, this,
            &CFaultCablePage::OnChangeCableRow);
    connect(AddButton(1693, tr("삭제"), 724, 5, 40, 14), &QPushButton::clicked, this,
            &CFaultCablePage::OnDeleteCableRow);
    QPushButton* plus = AddButton(1695, QStringLiteral("+"), 766, 5, 14, 14);
    plus->hide();
    connect(plus, &QPushButton::clicked, this, &CFaultCablePage::OnInsertCableRow);
    m_list = AddList(1557, 7, 24, 854, 334, CableColumns());
    connect(m_list, &QTableView::clicked, this, &CFaultCablePage::OnClickCableImpedanceList);

    AddLabel(tr("▣ 간선 임피던스 계산식"), 7, 364, 200);
    const struct
    {
        const char* name;
        FormulaNode formula;
    } formulas[6] = {{"formulaCableR90", R90Formula()},
                     {"formulaCableX", PerLength("X", "x", "  [Ω]")},
                     {"formulaCableDelta", TemperatureFormula()},
                     {"formulaCableRpe", PeResistanceFormula()},
                     {"formulaCableXpe", PeReactanceFormula()},
                     {"formulaCableWire", WireFormula()}};
    for (int i = 0; i < 6; ++i)
        AddFormula(QString::fromLatin1(formulas[i].name), formulas[i].formula, 7 + (i % 3) * 285,
                   376 + (i / 3) * 44, 280, 40);
    AddLabel(tr("L : 길이 [m],  r, x : 도체 저항, 리액턴스 [Ω/km],  N : 병렬 도체수,  "
                "δ20, δ250 : 저항조정계수,  k : 2선이면 2, 그 외 1"),
             7, 464, 600);
    AddEdit(1697, 7, 468, 30, QString(), false)->setVisible(false);
    AddEdit(1698, 40, 468, 30, QString(), false)->setVisible(false);
}

void CFaultCablePage::SetInsertButtonsVisible(bool visible)
{
    if (QPushButton* b = Control<QPushButton>(1695))
        b->setVisible(visible);
}

void CFaultCablePage::SetDeltaFactors(const QString& delta20, const QString& delta250)
{
    SetText(1697, delta20);
    SetText(1698, delta250);
}

double CFaultCablePage::Delta20() const
{
    return CellQuantity(Text(1697), QuantitySign::Any, 0.0);
}

double CFaultCablePage::Delta250() const
{
    return CellQuantity(Text(1698), QuantitySign::Any, 0.0);
}

fault::CableRowInputs CFaultCablePage::Inputs() const
{
    return {Text(1028), Text(1029), Text(1027), Text(1122), Text(1123),
            Text(1124), Text(1125), Text(1126), Text(1032)};
}

bool CFaultCablePage::CheckParallelCount() const
{
    if (!CheckQuantityInput(tr("길이"), Text(1027), QuantitySign::Positive))
        return false;
    // N divides every impedance: without a conductor there is no cable.
    if (QuantityOr(Text(1032), QuantitySign::Positive) > 0.0)
        return true;
    Prompt::Message(tr("설정 값이 필요합니다.!!!"));
    return false;
}

QStringList CFaultCablePage::BuiltRow() const
{
    QStringList row;
    for (const QString& cell : theApp.FaultCurrentBlock.FaultCableRow)
        row << cell;
    return row;
}

void CFaultCablePage::FillCableList()
{
    FillListFromSheet(m_list, fault::CableSheet);
}

void CFaultCablePage::OnAddCableRow()
{
    if (!CheckParallelCount())
        return;
    EnsureFaultWorkbook();
    if (!EditDone(fault::AddFaultCableRow(theApp, Inputs(), Delta20(), Delta250()), m_list,
                  fault::CableSheet))
        return;
    m_list->rows()->appendRow(BuiltRow());
    CheckListAgainstWorkbook(m_list, fault::CableSheet);
}

void CFaultCablePage::OnChangeCableRow()
{
    const int s = m_list->selectionMark();
    if (s < 0 || !CheckParallelCount())
        return;
    if (!EditDone(fault::ChangeFaultCableRow(theApp, s, Inputs(), Delta20(), Delta250()), m_list,
                  fault::CableSheet))
        return;
    QStringList row = BuiltRow();
    row[0] = m_list->rows()->text(s, 0);
    m_list->rows()->setRow(s, row);
    m_list->setSelectionMark(-1);
    CheckListAgainstWorkbook(m_list, fault::CableSheet);
}

void CFaultCablePage::OnDeleteCableRow()
{
    const int s = m_list->selectionMark();
    if (s < 0)
        return;
    if (!fault::DeleteFaultListRow(theApp, fault::CableSheet, s)) {
        ReportWriteFailure(m_list, fault::CableSheet);
        return;
    }
    m_list->rows()->removeRow(s);
    RenumberList(m_list);
    MarkAfterDelete(m_list, s, m_list->rows()->rowCount());
    CheckListAgainstWorkbook(m_list, fault::CableSheet);
}

void CFaultCablePage::OnInsertCableRow()
{
    const int s = m_list->selectionMark();
    if (s < 0 || !CheckParallelCount())
        return;
    if (!EditDone(fault::InsertFaultCableRow(theApp, s, Inputs(), Delta20(), Delta250()), m_list,
                  fault::CableSheet))
        return;
    m_list->rows()->insertRow(s, BuiltRow());
    CheckListAgainstWorkbook(m_list, fault::CableSheet);
}

void CFaultCablePage::OnImportScheduleCables()
{
    if (!CheckSourceWorkbook(theApp.CompanionPath(CSevrinApp::CableWorkbook)))
        return;
    EnsureFaultWorkbook();
    const int before = m_list->rows()->rowCount();
    const int added = fault::ImportScheduleCables(theApp, Delta20(), Delta250());
    // The rows appended are the last ones of the sheet now.
    std::vector<QStringList> stored;
    fault::FillFaultList(theApp, fault::CableSheet, &stored);
    for (int r = before; r < int(stored.size()); ++r)
        m_list->rows()->appendRow(stored[std::size_t(r)]);
    if (added < 0 || int(stored.size()) != before + added)
        ReportWriteFailure(m_list, fault::CableSheet);
    else
        CheckListAgainstWorkbook(m_list, fault::CableSheet);
}

void CFaultCablePage::OnClickCableImpedanceList()
{
    const int s = m_list->selectionMark();
    if (s < 0)
        return;
    const QStringList row = m_list->rows()->row(s);
    const auto noDash = [](const QString& t) { return t == QLatin1String("-") ? QString() : t; };
    SetText(1028, noDash(row.value(2)));
    SetText(1029, noDash(row.value(3)));
    SetText(1027, row.value(4));
    SetText(1032, row.value(10));
    const int combos[5] = {1122, 1123, 1124, 1125, 1126};
    for (int i = 0; i < 5; ++i) {
        // A stored value that is not an item leaves the combo without a selection.
        QComboBox* combo = Combo(combos[i]);
        combo->setCurrentIndex(combo->findText(row.value(5 + i), Qt::MatchExactly));
    }
}
