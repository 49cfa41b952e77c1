#pragma once
// Base of every screen: a form laid out in dialog units of its dialog font, filling the main
// frame's screen area. Controls that have an identifier carry it as their object name
// ("1005"), which is how handlers, tests and other screens find them.
#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPushButton;

class CFormView : public QWidget
{
    Q_OBJECT

public:
    // `width` x `height`: the form's size in dialog units.
    explicit CFormView(int width = 943, int height = 537, QWidget* parent = nullptr,
                       const QString& fontFamily = QStringLiteral("굴림"), int pointSize = 9);
    ~CFormView() override;

    // Set-up once the window exists (called by start-up right after creating the screen).
    virtual void OnInitialUpdate();

    const DialogUnits& Units() const { return m_units; }
    QSize FormSize() const { return m_formSize; }
    QSize sizeHint() const override { return m_formSize; }

    // Discards Enter and Escape before any control of this screen sees them, so a key press
    // never triggers a button or closes anything on a form that is not a dialog.
    void SetFilterEnterEscape(bool on);
    bool FiltersEnterEscape() const { return m_keyFilter != nullptr; }
    // Leaves the keys of `part` (a page inside this screen) unfiltered.
    void ExcludeFromKeyFilter(QWidget* part);

    // A push button at a dialog-unit position, with its identifier (or 0 for none) as its
    // object name.
    QPushButton* AddButton(int id, const QString& caption, int x, int y, int w, int h,
                           QWidget* parent = nullptr);
    // The navigation column every calculation screen has: "선택화면" at the top and at the
    // bottom lead to the project screen, "초기화면" at the bottom to the start screen. An
    // identifier of 0 leaves the button unnamed.
    void AddNavigationButtons(int topSelectId, int bottomSelectId, int homeId);

    // Places any control at a dialog-unit position and names it by identifier.
    void Place(QWidget* control, int id, int x, int y, int w, int h) const;

    // What every input of the screen shows once it is set up (edits, combo boxes, check and
    // radio buttons, lists), taken by start-up; a project load puts it back before the screen
    // refills, so no field can keep what the previous project showed.
    void RememberStartingInputs();
    void RestoreStartingInputs();

    // Screens with a "저장하기" of their own: the project-file sections it would write now,
    // taken from the controls; the blocks are left as they were. Others write none.
    virtual ProjectFileSections WouldWriteSections() { return {}; }
    // True when "저장하기" would store something the project does not hold.
    virtual bool HasUnsavedEdits();
    // Stores what "저장하기" stores, without its message; false when the project could not
    // be written.
    virtual bool SaveUnsavedEdits();
    // The screen's name in the question about unsaved edits.
    virtual QString UnsavedEditsName() const { return QString(); }
    // Taken after a project load has refilled the screen: what the file held and what the
    // screen would write of it. A file can hold a value in a form the screen shows otherwise
    // (a position outside an option list, a name the screen derives from a choice); as long
    // as neither side changed, that is no edit.
    void RememberLoadedSections();

    // Finds a control by identifier.
    template <typename T = QWidget>
    T* Control(int id) const
    {
        return findChild<T*>(QString::number(id));
    }

private:
    class KeyFilter;
    struct StartingInput
    {
        QPointer<QWidget> widget;
        QString text;
        int index = -1;
        bool checked = false;
        std::vector<QStringList> rows;
    };
    std::vector<StartingInput> m_startingInputs;
    struct LoadedSections
    {
        bool valid = false;
        QStringList fileTexts;
        QStringList values;
    };
    LoadedSections m_loaded;
    DialogUnits m_units;
    QSize m_formSize;
    KeyFilter* m_keyFilter = nullptr;
    QList<QPointer<QWidget>> m_unfiltered;
};

// Puts a block back as it was when the scope ends: a screen runs its own store into theApp to
// see what its save would write, without keeping the result.
template <typename Block>
class KeepBlock
{
public:
    explicit KeepBlock(Block& block) : m_block(block), m_saved(block) {}
    ~KeepBlock() { m_block = m_saved; }
    KeepBlock(const KeepBlock&) = delete;
    KeepBlock& operator=(const KeepBlock&) = delete;

private:
    Block& m_block;
    Block m_saved;
};

// Gives a page of a screen (a widget inside the screen) the same dialog-unit placement.
QPushButton* AddButtonTo(QWidget* parent, const DialogUnits& units, int id, const QString& caption,
                         int x, int y, int w, int h);

// The screen of class T (which names its place as T::kScreen), or nullptr when none is built.
template <typename T>
T* TheScreen()
{
    return static_cast<T*>(theApp.ScreenView(T::kScreen));
}
