#include "common/enterescapekeys.h"

#include <QKeyEvent>
#include <QTest>

namespace {

// Counts the key presses that arrive at the object it watches.
class KeySpy : public QObject
{
public:
    KeysReached seen;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
                ++seen.enterOrEscape;
            else
                ++seen.other;
        }
        return false;
    }
};

}  // namespace

KeysReached ClickEnterEscapeAndALetter(QWidget* w)
{
    KeySpy spy;
    w->installEventFilter(&spy);
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_X})
        QTest::keyClick(w, k);
    w->removeEventFilter(&spy);
    return spy.seen;
}
