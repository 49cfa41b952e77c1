#include "faultmotorpage.h"

#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QList<ReportColumn> MotorColumns()
{
    QList<ReportColumn> c = {{QStringLiteral("No."), QString(), 40},
                             {QStringLiteral("Pnl."), QString(), 150},
                             {QStringLiteral("EQ.No."), QString(), 60},
                             {QStringLiteral("[kW]"), QStringLiteral("용량"), 60},
                             {QStringLiteral("[kVA]"), QStringLiteral("용량"), 60},
                             {QStringLiteral("기동\n방식"), QString(), 60},
                             {QStringLiteral("[kV]"), QStringLiteral("전압"), 60},
                             {QStringLiteral("η"), QStringLiteral("효율"), 60},
                             {QStringLiteral("cosθ"), QStringLiteral("역률"), 60},
                             {QStringLiteral("LRC"), QString(), 60},
                             {QStringLiteral("Pole"), QString(), 60},
                             {QStringLiteral("X/R"), QString(), 60},
                             {QStringLiteral("%"), QStringLiteral("%ZM"), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Zm"), 60},
                             {QStringLiteral("1/Zm"), QString(), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Rm"), 60},
                             {QStringLiteral("1/Rm"), QString(), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Xm"), 60},
                             {QStringLiteral("1/Xm"), QString(), 60},
                             {QStringLiteral("μ"), QString(), 60},
                             {QStringLiteral("q"), QString(), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Zm"), 60},
                             {QStringLiteral("1/Zm"), QString(), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Rm"), 60},
                             {QStringLiteral("1/Rm"), QString(), 60},
                             {QStringLiteral("Ω"), QStringLiteral("Xm"), 60},
                             {QStringLiteral("1/Xm"), QString(), 60}};
    return c;
}

using namespace Fx;

// The motor's input from its output, efficiency and power factor.
FormulaNode KvaFormula()
{
    return R({T("S = "), F(T("P"), T("η × cosθ")), T("  [kVA]")});
}

// Locked-rotor impedance from the locked-rotor current ratio.
FormulaNode ImpedanceFormula()
{
    return R({T("Z"), Sub("m"), T(" = "), F(R({T("%Z"), Sub("M")}), T("100")), T(" × "),
              F(R({T("U"), Sup(T("2"))}), T("S")), T(" × 1000,  %Z"), Sub("M"), T(" = "),
              F(T("100"), T("LRC"))});
}

FormulaNode ResistanceFormula()
{
    return R({T("R"), Sub("m"), T(" = "),
              F(R({T("Z"), Sub("m")}), Sqrt(R({T("(X/R)"), Sup(T("2")), T(" + 1")})))});
}

FormulaNode ReactanceFormula()
{
    return R({T("X"), Sub("m"), T(" = "),
              F(R({T("Z"), Sub("m")}),
                Sqrt(R({T("("), F(T("1"), T("X/R")), T(")"), Sup(T("2")), T(" + 1")})))});
}

// IEC 60909 breaking-current factor mu for a minimum delay of 0.05 s.
FormulaNode MuFormula()
{
    return R({T("μ = 0.71 + 0.51 e"), Sup(T("−0.3 × LRC"))});
}

// IEC 60909 factor q with the output in MW per pole figure.
FormulaNode QFormula()
{
    return R({T("q = 0.79 + 0.12 ln "), F(T("P"), T("1000 × Pole"))});
}

FormulaNode BreakingImpedanceFormula()
{
    return R({T("Z"), Sub("m"), T("′ = "), F(R({T("Z"), Sub("m")}), T("μ × q")),
              T("   (R"), Sub("m"), T("′, X"), Sub("m"), T("′ 동일)")});
}

// The motors of one transformer act in parallel, R and X taken separately.
FormulaNode ParallelFormula()
{
    return R({T("R"), Sub("M"), T(" = "), F(T("1"), R({T("Σ ( 1 / R"), Sub("m"), T("′ )")})),
              T("   (X"), Sub("M"), T(" 동일)")});
}

}  // namespace

CFaultMotorPage::CFaultMotorPage(QWidget* parent) : CFaultPage(parent)
{
    AddLabel(tr("변압기"), 7, 8, 25);
    // Only the five transformers can be chosen: a typed name would address no motor sheet.
    QComboBox* transformer = AddCombo(1122, 34, 6, 45, {"TR-1", "TR-2", "TR-3", "TR-4", "TR-5"});
    transformer->setEditable(false);
    transformer->setCurrentIndex(0);
    connect(transformer, &QComboBox::currentIndexChanged, this, &CFaultMotorPage::FillMotorList);
    connect(AddButton(1404, tr("동력부하 불러오기"), 85, 5, 70, 14), &QPushButton::clicked, this,
            &CFaultMotorPage::OnImportMccMotors);
    AddLabel(tr("PNL 명"), 7, 26, 25);
    AddEdit(1400, 34, 24, 50, QStringLiteral("PE-EV-A"));
    AddLabel(tr("장비명"), 88, 26, 25);
    AddEdit(1690, 114, 24, 45, QStringLiteral("ELEV-1"));
    AddLabel(tr("용량"), 163, 26, 18);
    AddEdit(1402, 182, 24, 30, QStringLiteral("11"));
    AddLabel(tr("kW"), 214, 26, 12);
    AddEdit(1399, 228, 24, 30, QStringLiteral("15"))->setVisible(false);
    AddLabel(tr("kVA"), 260, 26, 14)->setVisible(false);
    AddLabel(tr("기동방식"), 278, 26, 32);
    QComboBox* method = AddCombo(1123, 312, 24, 45, {"DOL", "Y-D", "리액터", "S.S", "INV"});
    method->setEditable(true);
    method->setCurrentIndex(0);
    AddLabel(tr("LRC"), 362, 26, 16);
    AddEdit(1401, 380, 24, 28, QStringLiteral("7.2"));
    AddLabel(tr("Pole"), 412, 26, 18);
    AddEdit(1691, 432, 24, 22, QStringLiteral("4"));
    AddLabel(tr("X/R"), 458, 26, 16);
    AddEdit(1405, 476, 24, 30, QStringLiteral("2.381"));
    connect(AddButton(1395, tr("추가"), 515, 23, 40, 14), &QPushButton::clicked, this,
            &CFaultMotorPage::OnAddMotorRow);
    connect(AddButton(1396, tr("수정"), 557, 23, 40, 14), &QPushButton::clicked, this,
            &CFaultMotorPage::OnChangeMotorRow);
    connect(AddButton(1397, tr("삭제"), 599, 23, 40, 14), &QPushButton::clicked, this,
            &CFaultMotorPage::OnDeleteMotorRow);
    QPushButton* plus = AddButton(1406, QStringLiteral("+"), 641, 23, 14, 14);
    plus->hide();
    connect(plus, &QPushButton::clicked, this, &CFaultMotorPage::OnInsertMotorRow);
    AddButton(1403, tr("입력 열보기"), 700, 23, 50, 14)->hide();
    AddButton(1398, tr("전체 열보기"), 752, 23, 50, 14)->hide();
    m_list = AddList(1560, 7, 42, 854, 326, MotorColumns());
    connect(m_list, &QTableView::clicked, this, &CFaultMotorPage::OnClickMotorList);

    AddLabel(tr("▣ 전동기 기여 임피던스 (IEC 60909, 최소 지연시간 0.05s)"), 7, 374, 300);
    const struct
    {
        const char* name;
        FormulaNode formula;
    } formulas[8] = {{"formulaMotorKva", KvaFormula()},
                     {"formulaMotorZm", ImpedanceFormula()},
                     {"formulaMotorRm", ResistanceFormula()},
                     {"formulaMotorXm", ReactanceFormula()},
                     {"formulaMotorMu", MuFormula()},
                     {"formulaMotorQ", QFormula()},
                     {"formulaMotorZmq", BreakingImpedanceFormula()},
                     {"formulaMotorParallel", ParallelFormula()}};
    for (int i = 0; i < 8; ++i)
        AddFormula(QString::fromLatin1(formulas[i].name), formulas[i].formula, 7 + (i % 4) * 214,
                   386 + (i / 4) * 46, 210, 42);
}

void CFaultMotorPage::SetInsertButtonsVisible(bool visible)
{
    if (QPushButton* b = Control<QPushButton>(1406))
        b->setVisible(visible);
}

int CFaultMotorPage::GetSelectedTransformer() const
{
    const int t = Combo(1122)->currentIndex();
    return t >= 0 && t < 5 ? t : 0;
}

fault::MotorRowInputs CFaultMotorPage::Inputs() const
{
    return {Text(1400), Text(1690), Text(1402), Text(1399),
            Text(1123), Text(1401), Text(1691), Text(1405)};
}

QStringList CFaultMotorPage::BuiltRow() const
{
    QStringList row;
    for (const QString& cell : theApp.FaultCurrentBlock.FaultMotorRow)
        row << cell;
    return row;
}

void CFaultMotorPage::FillMotorList()
{
    FillListFromSheet(m_list, Sheet());
}

bool CFaultMotorPage::CheckMotorInputs() const
{
    using S = QuantitySign;
    // An empty kW keeps the library search's own message.
    return CheckQuantityInputs({{tr("용량 kW"), Text(1402), S::Positive, true},
                                {tr("LRC"), Text(1401), S::Positive},
                                {tr("Pole"), Text(1691), S::Positive},
                                {tr("X/R"), Text(1405), S::Positive}});
}

void CFaultMotorPage::OnAddMotorRow()
{
    if (!CheckMotorInputs())
        return;
    EnsureFaultWorkbook();
    if (!EditDone(fault::AddFaultMotorRow(theApp, GetSelectedTransformer(), Inputs()), m_list,
                  Sheet()))
        return;
    m_list->rows()->appendRow(BuiltRow());
    CheckListAgainstWorkbook(m_list, Sheet());
}

void CFaultMotorPage::OnChangeMotorRow()
{
    const int s = m_list->selectionMark();
    if (s < 0 || !CheckMotorInputs())
        return;
    if (!EditDone(fault::ChangeFaultMotorRow(theApp, GetSelectedTransformer(), s, Inputs()), m_list,
                  Sheet()))
        return;
    QStringList row = BuiltRow();
    row[0] = QString::number(s + 1);
    m_list->rows()->setRow(s, row);
    m_list->setSelectionMark(-1);
    CheckListAgainstWorkbook(m_list, Sheet());
}

void CFaultMotorPage::OnDeleteMotorRow()
{
    const int s = m_list->selectionMark();
    if (s < 0)
        return;
    if (!fault::DeleteFaultListRow(theApp, Sheet(), s)) {
        ReportWriteFailure(m_list, Sheet());
        return;
    }
    m_list->rows()->removeRow(s);
    RenumberList(m_list);
    MarkAfterDelete(m_list, s, m_list->rows()->rowCount());
    CheckListAgainstWorkbook(m_list, Sheet());
}

void CFaultMotorPage::OnInsertMotorRow()
{
    const int s = m_list->selectionMark();
    if (s < 0 || !CheckMotorInputs())
        return;
    if (!EditDone(fault::InsertFaultMotorRow(theApp, GetSelectedTransformer(), s, Inputs()), m_list,
                  Sheet()))
        return;
    m_list->rows()->insertRow(s, BuiltRow());
    CheckListAgainstWorkbook(m_list, Sheet());
}

void CFaultMotorPage::OnImportMccMotors()
{
    if (!CheckSourceWorkbook(theApp.CompanionPath(CSevrinApp::MccWorkbook)))
        return;
    EnsureFaultWorkbook();
    const int before = m_list->rows()->rowCount();
    const int added = fault::ImportMccMotors(theApp, GetSelectedTransformer());
    std::vector<QStringList> stored;
    fault::FillFaultList(theApp, Sheet(), &stored);
    for (int r = before; r < int(stored.size()); ++r)
        m_list->rows()->appendRow(stored[std::size_t(r)]);
    if (added < 0 || int(stored.size()) != before + added)
        ReportWriteFailure(m_list, Sheet());
    else
        CheckListAgainstWorkbook(m_list, Sheet());
}

void CFaultMotorPage::OnClickMotorList()
{
    const int s = m_list->selectionMark();
    if (s < 0)
        return;
    const QStringList row = m_list->rows()->row(s);
    SetText(1400, row.value(1));
    SetText(1690, row.value(2));
    SetText(1402, row.value(3));
    SetText(1399, row.value(4));
    SetText(1401, row.value(9));
    SetText(1691, row.value(10));
    SetText(1405, row.value(11));
    QComboBox* method = Combo(1123);
    method->setCurrentIndex(method->findText(row.value(5), Qt::MatchExactly));
    if (method->currentIndex() < 0)
        method->setEditText(QString());
}
