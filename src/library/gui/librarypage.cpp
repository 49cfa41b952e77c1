#include "librarypage.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"
#include "app/gui/formview.h"
#include "app/gui/rowlistmodel.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <cmath>

namespace {

QString Text(const char* source)
{
    return QCoreApplication::translate("CLibraryPage", source);
}

// The text of one cell of a list row.
QString CellText(const LibColumnDesc& column, const LibCells* table, int entry)
{
    switch (column.prop) {
    case kNoCell:
        return QString();
    case kRowNumber:
        return QString::number(entry + 1);
    case kRowLabel:
        return Text("보정계수");
    default:
        return table ? table->Cell(entry, column.prop) : QString();
    }
}

}  // namespace

CLibraryPage::CLibraryPage(const LibPageDesc& desc, QWidget* parent) : QWidget(parent), m_desc(desc)
{
    setObjectName(QString::fromLatin1(desc.key));
    setFont(DialogFont());
    hide();
}

void CLibraryPage::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    const DialogUnits units(font());

    for (const LibStaticDesc& s : m_desc.statics) {
        if (s.style == LibStaticStyle::VerticalLine) {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Plain);
            line->setGeometry(units.Rect(s.x, s.y, s.w, s.h).adjusted(0, 0, 1, 0));
            continue;
        }
        auto* label = new QLabel(Text(s.text), this);
        if (s.id != 0)
            label->setObjectName(QString::number(s.id));
        QRect r = units.Rect(s.x, s.y, s.w, s.h);
        // A caption is never cut: it takes the width its text needs, growing away from the
        // edit it labels.
        const QSize need = label->sizeHint();
        if (s.style == LibStaticStyle::LabelBeforeEdit) {
            if (need.width() > r.width())
                r.setLeft(r.right() - need.width());
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        } else {
            r.setWidth(qMax(r.width(), need.width()));
            r.setHeight(qMax(r.height(), need.height()));
            label->setAlignment(Qt::AlignLeft |
                                (s.style == LibStaticStyle::VCentered ? Qt::AlignVCenter : Qt::AlignTop));
        }
        label->setGeometry(r);
    }

    for (const LibEditDesc& e : m_desc.edits) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::number(e.id));
        edit->setEnabled(false);
        edit->setGeometry(units.Rect(e.x, e.y, e.w, e.h));
        m_edits[e.id] = edit;
    }

    for (const LibButtonDesc& b : m_desc.buttons) {
        QPushButton* button = AddButtonTo(this, units, b.id, Text(b.caption), b.x, b.y, b.w, b.h);
        button->setVisible(!b.hidden);
        m_buttons[b.id] = button;
    }

    for (const LibListDesc& l : m_desc.lists) {
        auto* list = new ReportListView(this, l.headerHeight);
        list->setObjectName(QString::number(l.id));
        list->setGeometry(units.Rect(l.x, l.y, l.w, l.h));
        QList<ReportColumn> columns;
        for (const LibColumnDesc& c : l.columns)
            columns.append(ReportColumn{Text(c.caption), Text(c.group), c.width, Qt::AlignCenter});
        list->setReportColumns(columns);
        // Lists laid out to show all their columns get no horizontal scroll bar, which would
        // cover a short list's only row; rows still scroll if a larger font needs it.
        if (!l.scrollBars)
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_lists[l.id] = list;
    }
    ConnectControls();
}

void CLibraryPage::FillLists()
{
    OnInitDialog();  // builds nothing when already built
    for (const LibEditDesc& e : m_desc.edits) {
        const LibCell* cell = FindLibCell(theApp, e.cell);
        QLineEdit* edit = m_edits[e.id];
        const QSignalBlocker block(edit);
        edit->setText(cell ? cell->Value : QString());
    }
    for (const LibListDesc& l : m_desc.lists)
        FillList(l.id);
}

void CLibraryPage::FillList(int listId)
{
    OnInitDialog();
    const LibListDesc* desc = nullptr;
    for (const LibListDesc& l : m_desc.lists)
        if (l.id == listId)
            desc = &l;
    ReportListView* list = List(listId);
    if (!desc || !list || desc->rows == LibRowKind::None)
        return;

    std::vector<QStringList> rows;
    switch (desc->rows) {
    case LibRowKind::Entries: {
        int count = 0;
        std::vector<const LibCells*> tables;
        for (size_t i = 0; i < desc->tables.size(); ++i)
            tables.push_back(FindLibCells(theApp, desc->tables[i], i == 0 ? &count : nullptr));
        rows.reserve(size_t(count));
        for (int e = 0; e < count; ++e) {
            QStringList row;
            for (const LibColumnDesc& c : desc->columns)
                row.append(CellText(c, c.slot < int(tables.size()) ? tables[size_t(c.slot)] : nullptr, e));
            rows.push_back(std::move(row));
        }
        break;
    }
    case LibRowKind::EntriesInTurn:
        for (const char* name : desc->tables) {
            int count = 0;
            const LibCells* table = FindLibCells(theApp, name, &count);
            for (int e = 0; e < count; ++e) {
                QStringList row;
                for (const LibColumnDesc& c : desc->columns)
                    row.append(CellText(c, table, e));
                rows.push_back(std::move(row));
            }
        }
        break;
    case LibRowKind::FactorRow: {
        const LibRow* source = desc->tables.empty() ? nullptr : FindLibRow(theApp, desc->tables[0]);
        QStringList row;
        for (const LibColumnDesc& c : desc->columns) {
            if (c.prop == kRowLabel)
                row.append(Text("보정계수"));
            else if (c.prop >= 0 && source && c.prop < source->size())
                row.append(source->Cell(c.prop));
            else
                row.append(QString());
        }
        rows.push_back(std::move(row));
        break;
    }
    case LibRowKind::None:
        break;
    }
    // One model reset: the old rows go, nothing is ever appended to them.
    list->rows()->setRows(std::move(rows));
}

ReportListView* CLibraryPage::List(int id) const
{
    const auto it = m_lists.find(id);
    return it == m_lists.end() ? nullptr : it->second;
}

QLineEdit* CLibraryPage::Edit(int id) const
{
    const auto it = m_edits.find(id);
    return it == m_edits.end() ? nullptr : it->second;
}

QPushButton* CLibraryPage::Button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

CLibraryPage::~CLibraryPage() = default;

