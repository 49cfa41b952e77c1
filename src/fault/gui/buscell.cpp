#include "fault/gui/buscell.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/gui/faultcablepickerdlg.h"
#include "platform/prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const int CBusCell::kResultFields[fault::kBusResults] = {
    1711, 1712, 1713, 1714, 1715, 1716, 1717, 1455, 1035, 1718, 1719, 1456, 1720, 1457, 1721};

namespace {

QList<ReportColumn> BusColumns()
{
    const QString spec = QStringLiteral("CABLE SPEC.");
    const QString imp = QStringLiteral("IMPEDANCE COMPOSITION");
    return {{QStringLiteral("CBL.(EQ) NO."), QString(), 150},
            {QStringLiteral("FROM"), QString(), 80},
            {QStringLiteral("TO"), QString(), 80},
            {QStringLiteral("LENGTH\n[m]"), QString(), 60},
            {QStringLiteral("TYPE"), spec, 80},
            {QStringLiteral("SQ[㎟]"), spec, 80},
            {QStringLiteral("CORE"), spec, 80},
            {QStringLiteral("LINE"), spec, 80},
            {QStringLiteral("PE[㎟]"), spec, 80},
            {QStringLiteral("N"), spec, 80},
            {QStringLiteral("R90[Ω]"), imp, 80},
            {QStringLiteral("R20[Ω]"), imp, 80},
            {QStringLiteral("R250[Ω]"), imp, 80},
            {QStringLiteral("X[Ω]"), imp, 80},
            {QStringLiteral("RPE250[Ω]"), imp, 80},
            {QStringLiteral("XPE[Ω]"), imp, 80}};
}

// The captions of the fifteen result fields, in page-header order.
const char* const kResultCaptions[fault::kBusResults] = {
    "Ik\" [kA]", "Ib(IF-MAX) [kA]", "Ib(IF-MIN) [kA]", "IP", "IG-MAX", "K", "CMAX", "CMIN",
    "IDC", "RST20", "RST250", "XST-MAX", "XST-MIN", "RGT", "XGT"};

void SetField(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(0);
    }
}

}  // namespace

CBusCell::CBusCell(fault::BusView* bus, QWidget* parent)
    : CFormView(801, 164, parent), m_bus(bus)
{
    const auto label = [this](int id, const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        Place(l, id, x, y, w, 10);
        return l;
    };
    const auto edit = [this](int id, int x, int y, int w) {
        auto* e = new QLineEdit(this);
        Place(e, id, x, y, w, 12);
        e->setAlignment(Qt::AlignCenter);
        e->setEnabled(false);
        return e;
    };

    label(0, QStringLiteral("#"), 3, 4, 7);
    m_cellNumber = label(1725, QString(), 10, 4, 20);
    connect(AddButton(1730, tr("BUS NAME"), 32, 3, 46, 13), &QPushButton::clicked, this,
            &CBusCell::OnEnterBusName);
    edit(1029, 81, 3, 110);
    label(0, tr("VOLTAGE"), 197, 4, 33);
    edit(1704, 231, 3, 40);
    label(0, tr("[kV]"), 273, 4, 16);
    QLabel* trLabel = label(1708, tr("TR"), 294, 4, 11);
    QLineEdit* trField = edit(1030, 306, 3, 40);
    QLabel* ngrLabel = label(1709, tr("NGR"), 352, 4, 17);
    QLineEdit* ngrField = edit(1028, 370, 3, 40);
    QPushButton* buttons[] = {AddButton(1726, tr("추가"), 430, 3, 36, 13),
                              AddButton(1727, tr("수정"), 468, 3, 36, 13),
                              AddButton(1728, tr("삭제"), 506, 3, 36, 13),
                              AddButton(1731, tr("전체삭제"), 544, 3, 46, 13)};
    connect(buttons[0], &QPushButton::clicked, this, &CBusCell::OnAddBusCable);
    connect(buttons[1], &QPushButton::clicked, this, &CBusCell::OnChangeBusCable);
    connect(buttons[2], &QPushButton::clicked, this, &CBusCell::OnDeleteBusCable);
    connect(buttons[3], &QPushButton::clicked, this, &CBusCell::OnDeleteAllBusCables);

    m_list = new ReportListView(this, 40);
    Place(m_list, 1710, 3, 19, 590, 142);
    m_list->setReportColumns(BusColumns());

    // The results in three columns of five, each caption above its field.
    for (int i = 0; i < fault::kBusResults; ++i) {
        const int x = 598 + (i / 5) * 67;
        const int y = 19 + (i % 5) * 28;
        label(0, QString::fromUtf8(kResultCaptions[i]), x, y, 64);
        edit(kResultFields[i], x, y + 10, 64);
    }

    // Only a downstream bus is edited here: the incoming bus and the transformer cells take
    // their rows from the system calculation.
    if (m_bus->Mode != fault::BusMode::Feeder) {
        Control<QPushButton>(1730)->setEnabled(false);
        for (QPushButton* b : buttons)
            b->hide();
    }
    if (m_bus->Mode == fault::BusMode::Incoming) {
        for (QWidget* w : std::initializer_list<QWidget*>{trLabel, trField, ngrLabel, ngrField})
            w->hide();
    }
}

void CBusCell::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    ShowBus();
}

QLineEdit* CBusCell::Field(int id) const
{
    return findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

QString CBusCell::Text(int id) const
{
    if (QLineEdit* e = Field(id))
        return e->text();
    if (id == 1725)
        return m_cellNumber->text();
    return QString();
}

void CBusCell::ShowBus()
{
    const fault::BusView& b = *m_bus;
    m_cellNumber->setText(b.CellNumber);
    SetField(Field(1029), b.BusName);
    SetField(Field(1704), b.Voltage);
    SetField(Field(1030), b.TransformerName);
    SetField(Field(1028), b.Ngr);
    for (int i = 0; i < fault::kBusResults; ++i)
        SetField(Field(kResultFields[i]), b.Results[std::size_t(i)]);
    std::vector<QStringList> rows;
    rows.reserve(b.Rows.size());
    for (const fault::BusListRow& r : b.Rows)
        rows.emplace_back(QStringList(r.begin(), r.end()));
    m_list->rows()->setRows(std::move(rows));
}

bool CBusCell::CalcBusFaultCurrent()
{
    bool stored = true;
    const bool computed = fault::CalcBusFaultCurrent(theApp, *m_bus, &stored);
    ShowBus();
    if (!stored)
        Prompt::Message(tr("BUS 파일에 저장하지 못했습니다.\n%1").arg(theApp.BusWorkbookPath(m_bus->TransformerIndex)));
    return computed;
}

bool CBusCell::PickCable(fault::BusListRow& cable)
{
    CFaultCablePickerDlg picker(this);
    if (picker.exec() != QDialog::Accepted)
        return false;
    const auto& row = theApp.FaultCurrentBlock.BusRow;
    // "확인" without a click leaves the selection cells empty.
    if (row[0].isEmpty())
        return false;
    for (std::size_t c = 0; c < cable.size(); ++c)
        cable[c] = row[c];
    return true;
}

void CBusCell::OnAddBusCable()
{
    const bool valid = fault::ValidateBusInput(*m_bus);
    // A first cable shows the two upstream rows before the picker opens.
    ShowBus();
    fault::BusListRow cable;
    if (!valid || !PickCable(cable))
        return;
    fault::AddBusCable(theApp, *m_bus, cable);
    ShowBus();
}

void CBusCell::OnChangeBusCable()
{
    // The two upstream rows are not the bus's own.
    const int sel = m_list->selectionMark();
    if (sel < 2)
        return;
    const bool valid = fault::ValidateBusInput(*m_bus);
    ShowBus();
    m_list->setSelectionMark(sel);
    fault::BusListRow cable;
    if (!valid || !PickCable(cable))
        return;
    fault::ChangeBusCable(theApp, *m_bus, sel, cable);
    ShowBus();
    m_list->setSelectionMark(sel);
}

void CBusCell::OnDeleteBusCable()
{
    const int sel = m_list->selectionMark();
    if (sel < 2)
        return;
    fault::DeleteBusCable(theApp, *m_bus, sel);
    ShowBus();
    m_list->setSelectionMark(sel);
}

void CBusCell::OnEnterBusName()
{
    QString name;
    if (!Prompt::InputText(QString(), tr("BUS NAME"), name))
        return;
    if (fault::SetBusName(theApp, *m_bus, name))
        SetField(Field(1029), m_bus->BusName);
}

void CBusCell::OnDeleteAllBusCables()
{
    fault::DeleteAllBusCables(theApp, *m_bus);
    ShowBus();
}
