#include "fault/gui/faultpage.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "fault/core/faultvalues.h"
#include "platform/prompt.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

CFaultPage::CFaultPage(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the page area it sits in.
    setMinimumSize(0, 0);
}

QLineEdit* CFaultPage::Edit(int id) const
{
    return findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

QComboBox* CFaultPage::Combo(int id) const
{
    return findChild<QComboBox*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

QString CFaultPage::Text(int id) const
{
    if (QLineEdit* e = Edit(id))
        return e->text();
    if (QComboBox* c = Combo(id))
        return c->currentText();
    return QString();
}

void CFaultPage::SetText(int id, const QString& text)
{
    if (QLineEdit* e = Edit(id)) {
        e->setText(text);
        e->setCursorPosition(0);
    }
}

QLabel* CFaultPage::AddLabel(const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(Units().Rect(x, y, w, h));
    return label;
}

QLineEdit* CFaultPage::AddEdit(int id, int x, int y, int w, const QString& text, bool enabled)
{
    auto* edit = new QLineEdit(text, this);
    Place(edit, id, x, y, w, 12);
    edit->setAlignment(Qt::AlignCenter);
    edit->setEnabled(enabled);
    return edit;
}

QComboBox* CFaultPage::AddCombo(int id, int x, int y, int w, const QStringList& items)
{
    auto* combo = new QComboBox(this);
    Place(combo, id, x, y, w, 12);
    combo->addItems(items);
    return combo;
}

QRadioButton* CFaultPage::AddRadio(int id, const QString& caption, int x, int y, int w)
{
    auto* radio = new QRadioButton(caption, this);
    Place(radio, id, x, y, w, 10);
    return radio;
}

ReportListView* CFaultPage::AddList(int id, int x, int y, int w, int h,
                                    const QList<ReportColumn>& columns)
{
    auto* list = new ReportListView(this, 40);
    Place(list, id, x, y, w, h);
    list->setReportColumns(columns);
    // Impedances are printed with six decimals: their columns follow them.
    list->setWidenToContents(true);
    return list;
}

CFormulaPicture* CFaultPage::AddFormula(const QString& name, FormulaNode formula, int x, int y,
                                        int w, int h)
{
    auto* f = new CFormulaPicture(std::move(formula), this);
    Place(f, 0, x, y, w, h);
    f->setObjectName(name);
    return f;
}

bool CFaultPage::FaultWorkbookExists()
{
    const QString path = theApp.CompanionPath(CSevrinApp::FaultDataWorkbook);
    return !path.isEmpty() && QFileInfo::exists(path);
}

void CFaultPage::EnsureFaultWorkbook()
{
    if (!FaultWorkbookExists())
        theApp.ReadFaultDataRow(fault::LineSheet, 0);
}

bool CFaultPage::CheckSourceWorkbook(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return true;
    if (companion::WorkbookAccess(path, companion::WorkbookAccess::Mode::Read).ok())
        return true;
    Prompt::Message(tr("파일을 읽을 수 없어 가져오지 않았습니다.\n%1").arg(path));
    return false;
}

void CFaultPage::FillListFromSheet(ReportListView* list, int sheet)
{
    std::vector<QStringList> rows;
    int count = 0;
    if (FaultWorkbookExists())
        count = fault::FillFaultList(theApp, sheet, &rows);
    else
        fault::FaultListCount(theApp, sheet) = 0;
    list->rows()->setRows(std::move(rows));
    if (count == fault::kMaxListRows && fault::FaultListBeyondLimit(theApp, sheet))
        Prompt::Message(companion::RowLimitMessage(
            theApp.CompanionPath(CSevrinApp::FaultDataWorkbook), fault::kMaxListRows));
}

bool CFaultPage::CheckListAgainstWorkbook(ReportListView* list, int sheet)
{
    std::vector<QStringList> stored;
    fault::FillFaultList(theApp, sheet, &stored);
    bool same = int(stored.size()) == list->rows()->rowCount();
    for (int r = 0; same && r < int(stored.size()); ++r) {
        QStringList shown = list->rows()->row(r);
        QStringList kept = stored[std::size_t(r)];
        shown.removeFirst();
        kept.removeFirst();
        same = shown == kept;
    }
    if (same) {
        // FillFaultList left the count at the workbook's rows, which the list shows.
        return true;
    }
    Prompt::Message(FaultWriteFailedMessage());
    list->rows()->setRows(std::move(stored));
    return false;
}

void CFaultPage::ReportWriteFailure(ReportListView* list, int sheet)
{
    Prompt::Message(FaultWriteFailedMessage());
    FillListFromSheet(list, sheet);
}

bool CFaultPage::EditDone(const fault::ListEdit& edit, ReportListView* list, int sheet)
{
    if (edit.notStored())
        ReportWriteFailure(list, sheet);
    return bool(edit);
}

void CFaultPage::RenumberList(ReportListView* list)
{
    list->rows()->renumberFrom(0);
}

void CFaultPage::MarkAfterDelete(ReportListView* list, int s, int count)
{
    list->setSelectionMark(count == 0 ? -1 : (s >= count ? count - 1 : s));
}

QString FaultWriteFailedMessage()
{
    return QObject::tr("고장전류 파일(_80)에 저장하지 못했습니다.\n목록을 파일의 내용으로 다시 불러옵니다.");
}
