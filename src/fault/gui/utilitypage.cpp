#include "utilitypage.h"

#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

QList<ReportColumn> UtilityColumns(bool incoming)
{
    const QString perKm = QStringLiteral("임피던스 (%/km, 100MVA기준)");
    const QString applied = QStringLiteral("거리 적용 임피던스 (%, 100MVA기준)");
    const QString phase = QStringLiteral("전압선");
    const QString neutral = QStringLiteral("중성선");
    // The incoming-cable list shows no neutral conductor.
    const int neutralWidth = incoming ? 0 : 100;
    const int neutralWide = incoming ? 0 : 250;
    const int neutralNarrow = incoming ? 0 : 60;
    return {{QStringLiteral("No."), QString(), 40},
            {QStringLiteral("선종\n전압선"), QString(), 100},
            {QStringLiteral("선종\n중심선"), QString(), neutralWidth},
            {QStringLiteral("R1"), perKm, 60},
            {QStringLiteral("X1"), perKm, 60},
            {QStringLiteral("R0"), perKm, 60},
            {QStringLiteral("X0"), perKm, 60},
            {QStringLiteral("거리\n[kM]"), QString(), 60},
            {QStringLiteral("R1"), applied, 60},
            {QStringLiteral("X1"), applied, 60},
            {QStringLiteral("R0"), applied, 60},
            {QStringLiteral("X0"), applied, 60},
            {QStringLiteral("종류"), phase, 250},
            {QStringLiteral("공사"), phase, 60},
            {QStringLiteral("종류"), neutral, neutralWide},
            {QStringLiteral("공사"), neutral, neutralNarrow}};
}

template <std::size_t N>
QStringList ToList(const std::array<QString, N>& row)
{
    QStringList list;
    for (const QString& cell : row)
        list << cell;
    return list;
}

}  // namespace

CUtilityPage::CUtilityPage(QWidget* parent) : CFaultPage(parent)
{
    m_bands[LineBand] = {fault::LineSheet, 1386, 1387, 1123, 1127, 1652,
                         {1653, 1654, 1035, 1037}, nullptr};
    m_bands[CableBand] = {fault::IncomingCableSheet, 1388, 1389, 1124, 1128, 1051,
                          {1650, 1651, 1034, 1036}, nullptr};

    // The utility band.
    AddLabel(tr("한국전력"), 7, 8, 40);
    AddLabel(tr("변전소명"), 50, 8, 35);
    AddEdit(1639, 87, 6, 80);
    AddLabel(tr("설비명"), 170, 8, 30)->setVisible(false);
    AddEdit(1640, 200, 6, 60)->setVisible(false);
    AddLabel(tr("\n임피던스\n(100MVAB)"), 270, 0, 50, 30);
    AddLabel(tr("정상분"), 325, 8, 30);
    AddEdit(1641, 357, 6, 50);
    AddLabel(tr("%R +"), 409, 8, 20);
    AddEdit(1642, 431, 6, 50);
    AddLabel(tr("%jX"), 483, 8, 20);
    AddLabel(tr("영상분"), 510, 8, 30);
    AddEdit(1643, 542, 6, 50);
    AddLabel(tr("%R +"), 594, 8, 20);
    AddEdit(1644, 616, 6, 50);
    AddLabel(tr("%jX"), 668, 8, 20);

    AddLabel(tr("배전선로"), 7, 32, 60);
    BuildBand(LineBand, 32);
    AddLabel(tr("인입케이블"), 7, 222, 60);
    BuildBand(CableBand, 222);

    // The totals the calculation applies.
    AddLabel(tr("\n\n적용\n계통 임피던스"), 7, 412, 60, 40);
    AddLabel(tr("적용 임피던스 (%, 100MVA기준)"), 80, 412, 200);
    const char* totals[4] = {"정상임피던스(R1)", "정상리액턴스(X1)", "영상임피던스(R0)",
                             "영상리액턴스(X0)"};
    for (int i = 0; i < 4; ++i) {
        AddLabel(tr(totals[i]), 80 + i * 110, 426, 100);
        AddEdit(1624 + i, 80 + i * 110, 440, 100, QString(), false);
    }

    fault::FaultListCount(theApp, fault::LineSheet) = 0;
    fault::FaultListCount(theApp, fault::IncomingCableSheet) = 0;
}

void CUtilityPage::BuildBand(int band, int y)
{
    const BandControls& b = m_bands[band];
    const int buttons[2][3] = {{1117, 1118, 1119}, {1120, 1121, 1122}};
    QRadioButton* library = AddRadio(b.libraryRadio, tr("입력1"), 70, y, 40);
    QRadioButton* direct = AddRadio(b.directRadio, tr("입력2"), 70, y + 16, 40);
    // Each band's pair is exclusive on its own.
    library->setAutoExclusive(false);
    direct->setAutoExclusive(false);
    connect(library, &QRadioButton::toggled, this, [direct](bool on) { direct->setChecked(!on); });
    connect(direct, &QRadioButton::toggled, this, [library](bool on) { library->setChecked(!on); });
    library->setChecked(true);

    AddLabel(tr("선종"), 115, y - 10, 30);
    AddLabel(tr("종류"), 115, y + 1, 20);
    QComboBox* kind = AddCombo(b.kindCombo, 137, y, 60, {});
    AddLabel(tr(" :"), 199, y + 1, 8);
    AddCombo(b.specCombo, 209, y, 120, {});
    AddLabel(tr("전압선|중성선 규격"), 209, y - 10, 120);
    AddLabel(tr("거리"), 335, y + 1, 20);
    AddEdit(b.distance, 357, y, 40, band == LineBand ? QStringLiteral("5") : QStringLiteral("0.1"));
    AddLabel(tr("km"), 399, y + 1, 15);
    AddLabel(tr("정상분"), 115, y + 17, 30);
    AddEdit(b.direct[0], 147, y + 16, 45);
    AddEdit(b.direct[1], 194, y + 16, 45);
    AddLabel(tr("영상분"), 245, y + 17, 30);
    AddEdit(b.direct[2], 277, y + 16, 45);
    AddEdit(b.direct[3], 324, y + 16, 45);
    connect(AddButton(buttons[band][0], tr("추가"), 430, y, 40, 14), &QPushButton::clicked, this,
            [this, band] { OnAddRow(band); });
    connect(AddButton(buttons[band][1], tr("수정"), 472, y, 40, 14), &QPushButton::clicked, this,
            [this, band] { OnChangeRow(band); });
    connect(AddButton(buttons[band][2], tr("삭제"), 514, y, 40, 14), &QPushButton::clicked, this,
            [this, band] { OnDeleteRow(band); });
    connect(kind, &QComboBox::currentIndexChanged, this, [this, band] { OnSelectKind(band); });

    ReportListView* list = AddList(band == LineBand ? 1381 : 1382, 7, y + 34, 854, 150,
                                   UtilityColumns(band == CableBand));
    connect(list, &QTableView::clicked, this, [this, band] { OnClickList(band); });
    m_bands[band].list = list;
}

void CUtilityPage::FillUtilityTypeCombos()
{
    const LibTable& legend = theApp.CableLibBlock.CableTypeLegend;
    const int n = legend.Count;
    for (int band : {LineBand, CableBand}) {
        QComboBox* kind = Combo(m_bands[band].kindCombo);
        if (kind->count() == n)
            continue;
        const QSignalBlocker block(kind);
        kind->clear();
        for (int e = 0; e < n; ++e)
            kind->addItem(legend.Cell(e, 0));
    }
    // Both bands start from the first kind and its first specification, whatever the
    // previous project had chosen.
    if (n < 1)
        return;
    for (int band : {LineBand, CableBand}) {
        QComboBox* kind = Combo(m_bands[band].kindCombo);
        {
            const QSignalBlocker block(kind);
            kind->setCurrentIndex(0);
        }
        FillSpecCombo(band, kind->currentText());
        QComboBox* spec = Combo(m_bands[band].specCombo);
        spec->setCurrentIndex(spec->count() > 0 ? 0 : -1);
    }
}

void CUtilityPage::FillSpecCombo(int band, const QString& kind)
{
    QComboBox* spec = Combo(m_bands[band].specCombo);
    spec->clear();
    const LibTable& table = theApp.CableLibBlock.LineImpedanceTable;
    for (int e = 0; e < table.Count; ++e) {
        const QString phase = table.Cell(e, 0);
        if (fault::SplitPart(phase, QStringLiteral("-"), 0) == kind)
            spec->addItem(phase + QLatin1Char('|') + table.Cell(e, 3));
    }
}

void CUtilityPage::OnSelectKind(int band)
{
    FillSpecCombo(band, Combo(m_bands[band].kindCombo)->currentText());
    QComboBox* spec = Combo(m_bands[band].specCombo);
    spec->setCurrentIndex(spec->count() > 0 ? 0 : -1);
}

fault::LineRowInputs CUtilityPage::Inputs(int band) const
{
    const BandControls& b = m_bands[band];
    fault::LineRowInputs in;
    in.LibraryInput = findChild<QRadioButton*>(QString::number(b.libraryRadio))->isChecked();
    in.Spec = Text(b.specCombo);
    in.Distance = Text(b.distance);
    for (int i = 0; i < 4; ++i)
        in.Direct[std::size_t(i)] = Text(b.direct[i]);
    return in;
}

bool CUtilityPage::CheckLineInputs(int band) const
{
    using S = QuantitySign;
    const fault::LineRowInputs in = Inputs(band);
    if (in.LibraryInput)
        return CheckQuantityInput(tr("거리"), in.Distance, S::Positive);
    const auto& d = in.Direct;
    return CheckQuantityInputs({{tr("정상분 %R"), d[0], S::NonNegative},
                                {tr("정상분 %jX"), d[1], S::NonNegative},
                                {tr("영상분 %R"), d[2], S::NonNegative},
                                {tr("영상분 %jX"), d[3], S::NonNegative}});
}

void CUtilityPage::OnAddRow(int band)
{
    const BandControls& b = m_bands[band];
    if (!CheckLineInputs(band))
        return;
    EnsureFaultWorkbook();
    if (!EditDone(fault::AddUtilityRow(theApp, b.sheet, Inputs(band)), b.list, b.sheet))
        return;
    const auto& row = b.sheet == fault::LineSheet ? theApp.FaultCurrentBlock.LineRow
                                                  : theApp.FaultCurrentBlock.IncomingCableRow;
    b.list->rows()->appendRow(ToList(row));
    CheckListAgainstWorkbook(b.list, b.sheet);
}

void CUtilityPage::OnChangeRow(int band)
{
    const BandControls& b = m_bands[band];
    const int s = b.list->selectionMark();
    if (s < 0 || !CheckLineInputs(band) ||
        !EditDone(fault::ChangeUtilityRow(theApp, b.sheet, s, Inputs(band)), b.list, b.sheet))
        return;
    QStringList cells = ToList(b.sheet == fault::LineSheet ? theApp.FaultCurrentBlock.LineRow
                                                           : theApp.FaultCurrentBlock.IncomingCableRow);
    cells[0] = b.list->rows()->text(s, 0);  // the number shown stays
    b.list->rows()->setRow(s, cells);
    b.list->setSelectionMark(-1);
    CheckListAgainstWorkbook(b.list, b.sheet);
}

void CUtilityPage::OnDeleteRow(int band)
{
    const BandControls& b = m_bands[band];
    const int s = b.list->selectionMark();
    if (s < 0)
        return;
    if (!fault::DeleteFaultListRow(theApp, b.sheet, s)) {
        ReportWriteFailure(b.list, b.sheet);
        return;
    }
    b.list->rows()->removeRow(s);
    RenumberList(b.list);
    MarkAfterDelete(b.list, s, b.list->rows()->rowCount());
    CheckListAgainstWorkbook(b.list, b.sheet);
}

void CUtilityPage::SelectComboText(int comboId, const QString& text)
{
    QComboBox* combo = Combo(comboId);
    const QSignalBlocker block(combo);
    // Steps through the items until one matches; without a match the last stays selected.
    for (int i = 0; i < combo->count(); ++i) {
        combo->setCurrentIndex(i);
        if (combo->currentText() == text)
            break;
    }
}

void CUtilityPage::OnClickList(int band)
{
    const BandControls& b = m_bands[band];
    const int s = b.list->selectionMark();
    if (s < 0)
        return;
    const QStringList row = b.list->rows()->row(s);
    auto* library = findChild<QRadioButton*>(QString::number(b.libraryRadio));
    auto* direct = findChild<QRadioButton*>(QString::number(b.directRadio));
    if (row.value(1).isEmpty()) {
        direct->setChecked(true);
        library->setChecked(false);
        for (int i = 0; i < 4; ++i)
            SetText(b.direct[i], row.value(8 + i));
        return;
    }
    library->setChecked(true);
    direct->setChecked(false);
    const QString kind = fault::SplitPart(row.value(1), QStringLiteral("-"), 0);
    SelectComboText(b.kindCombo, kind);
    FillSpecCombo(band, kind);
    SelectComboText(b.specCombo, row.value(1) + QLatin1Char('|') + row.value(2));
}

void CUtilityPage::FillList(int band)
{
    FillListFromSheet(m_bands[band].list, m_bands[band].sheet);
}

void CUtilityPage::FillUtilityLineList()
{
    FillList(LineBand);
}

void CUtilityPage::FillIncomingCableList()
{
    FillList(CableBand);
}
