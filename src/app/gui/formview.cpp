#include "formview.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/sevrinapp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

// Installed on the application while the screen filters keys; it swallows Enter and Escape
// aimed at any control inside the screen (not at dialogs or pop-ups the screen opens, which
// are windows of their own).
class CFormView::KeyFilter : public QObject
{
public:
    explicit KeyFilter(CFormView* view) : QObject(view), m_view(view) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter &&
            key->key() != Qt::Key_Escape)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !(widget == m_view || m_view->isAncestorOf(widget)))
            return false;
        for (const QPointer<QWidget>& part : m_view->m_unfiltered)
            if (part && (part == widget || part->isAncestorOf(widget)))
                return false;
        event->accept();
        return true;
    }

private:
    CFormView* m_view;
};

CFormView::CFormView(int width, int height, QWidget* parent, const QString& fontFamily,
                     int pointSize)
    : QWidget(parent), m_units(DialogFont(fontFamily, pointSize))
{
    setFont(DialogFont(fontFamily, pointSize));
    m_formSize = m_units.Size(width, height);
    setMinimumSize(m_formSize);
}

CFormView::~CFormView() = default;

void CFormView::OnInitialUpdate()
{
}

namespace {

// The inputs of a screen in creation order: edits (not the edit inside a combo box), combo
// boxes, check and radio buttons and the lists; nothing inside a list.
void CollectInputs(QWidget* parent, std::vector<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w)
            continue;
        if (qobject_cast<QComboBox*>(w) || qobject_cast<ReportListView*>(w) ||
            qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            out.push_back(w);
            continue;
        }
        if (qobject_cast<QLineEdit*>(w)) {
            out.push_back(w);
            continue;
        }
        if (qobject_cast<QAbstractItemView*>(w))
            continue;
        CollectInputs(w, out);
    }
}

}  // namespace

void CFormView::RememberStartingInputs()
{
    std::vector<QWidget*> inputs;
    CollectInputs(this, inputs);
    m_startingInputs.clear();
    m_startingInputs.reserve(inputs.size());
    for (QWidget* w : inputs) {
        StartingInput in;
        in.widget = w;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            in.text = edit->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            in.index = combo->currentIndex();
            in.text = combo->currentText();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            in.checked = button->isChecked();
        } else if (auto* list = qobject_cast<ReportListView*>(w)) {
            for (int r = 0; r < list->rows()->rowCount(); ++r)
                in.rows.push_back(list->rows()->row(r));
        }
        m_startingInputs.push_back(std::move(in));
    }
}

void CFormView::RestoreStartingInputs()
{
    for (const StartingInput& in : m_startingInputs) {
        QWidget* w = in.widget;
        if (!w)
            continue;
        const QSignalBlocker block(w);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText(in.text);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // The items may have been listed again since; the starting text decides.
            int index = in.index >= 0 && in.index < combo->count() && combo->itemText(in.index) == in.text
                            ? in.index
                            : combo->findText(in.text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            combo->setCurrentIndex(index);
            if (index < 0 && combo->isEditable())
                combo->setEditText(in.text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            button->setChecked(in.checked);
        } else if (auto* list = qobject_cast<ReportListView*>(w)) {
            list->rows()->setRows(in.rows);
        }
    }
}

namespace {

QStringList ValuesOf(const ProjectFileSections& sections)
{
    QStringList values;
    for (const ProjectFileSection& s : sections)
        for (const ProjectFileValue& v : s.values)
            values.append(v.value);
    return values;
}

}  // namespace

void CFormView::RememberLoadedSections()
{
    const ProjectFileSections sections = WouldWriteSections();
    m_loaded.valid = !sections.empty();
    m_loaded.values = ValuesOf(sections);
    m_loaded.fileTexts = ProjectFileSectionTexts(theApp.ProjectPathTable.CurrentProjectPath, sections);
}

bool CFormView::HasUnsavedEdits()
{
    const QString& path = theApp.ProjectPathTable.CurrentProjectPath;
    const ProjectFileSections sections = WouldWriteSections();
    if (sections.empty() || ProjectFileSectionsStored(path, sections))
        return false;
    return !m_loaded.valid || m_loaded.values != ValuesOf(sections) ||
           m_loaded.fileTexts != ProjectFileSectionTexts(path, sections);
}

bool CFormView::SaveUnsavedEdits()
{
    return WriteProjectFileSections(theApp.ProjectPathTable.CurrentProjectPath, WouldWriteSections());
}

void CFormView::SetFilterEnterEscape(bool on)
{
    if (on && !m_keyFilter) {
        m_keyFilter = new KeyFilter(this);
        qApp->installEventFilter(m_keyFilter);
    } else if (!on && m_keyFilter) {
        qApp->removeEventFilter(m_keyFilter);
        delete m_keyFilter;
        m_keyFilter = nullptr;
    }
}

void CFormView::ExcludeFromKeyFilter(QWidget* part)
{
    m_unfiltered.append(part);
}

QPushButton* CFormView::AddButton(int id, const QString& caption, int x, int y, int w, int h,
                                  QWidget* parent)
{
    return AddButtonTo(parent ? parent : this, m_units, id, caption, x, y, w, h);
}

void CFormView::AddNavigationButtons(int topSelectId, int bottomSelectId, int homeId)
{
    QPushButton* top = AddButton(topSelectId, tr("선택화면"), 12, 7, 50, 14);
    QPushButton* bottom = AddButton(bottomSelectId, tr("선택화면"), 12, 498, 50, 14);
    QPushButton* home = AddButton(homeId, tr("초기화면"), 12, 516, 50, 14);
    connect(top, &QPushButton::clicked, this, [] { SwitchView(Screen::Project); });
    connect(bottom, &QPushButton::clicked, this, [] { SwitchView(Screen::Project); });
    connect(home, &QPushButton::clicked, this, [] { SwitchView(Screen::Start); });
}

void CFormView::Place(QWidget* control, int id, int x, int y, int w, int h) const
{
    if (id != 0)
        control->setObjectName(QString::number(id));
    control->setGeometry(m_units.Rect(x, y, w, h));
}

QPushButton* AddButtonTo(QWidget* parent, const DialogUnits& units, int id, const QString& caption,
                         int x, int y, int w, int h)
{
    auto* button = new QPushButton(caption, parent);
    if (id != 0)
        button->setObjectName(QString::number(id));
    button->setGeometry(units.Rect(x, y, w, h));
    button->setAutoDefault(false);
    return button;
}
