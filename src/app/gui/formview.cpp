#include "formview.h"

#include "app/gui/sevrinapp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

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
    connect(top, &QPushButton::clicked, this, [] { SwitchView(1); });
    connect(bottom, &QPushButton::clicked, this, [] { SwitchView(1); });
    connect(home, &QPushButton::clicked, this, [] { SwitchView(0); });
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
