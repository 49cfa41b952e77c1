#pragma once
// How the program's windows look and read on any desktop: Qt's own dialogs in Korean, the
// dialog font, disabled edits whose text can still be read, modal dialogs with a plain frame,
// and message texts wrapped to the width of the box.
#include <QFont>
#include <QString>

class QWidget;

// Everything below that applies to the whole application; called once at start-up, after
// the QApplication exists (tests call it too, so they see what users see).
void ApplyProgramLook();

// Loads Qt's Korean translation (buttons of the file and folder pickers, "OK"/"Cancel" of
// standard button boxes, context menus of edits). The interface is Korean whatever the
// system locale. False when the translation is not installed.
bool InstallQtKoreanTranslation();

// The text colour of a disabled edit: a near black that stays readable on the disabled
// background, which still shows that the edit is disabled.
QColor DisabledEditTextColor();

// A modal dialog's frame: title and close button only, no minimise or maximise button.
// Call before the dialog is shown.
void UseModalDialogFrame(QWidget* dialog);

// Breaks `text` into lines no wider than `maxWidth` pixels in `font`: at spaces where
// possible, anywhere inside a word too long for a line (a long path). Existing line breaks
// stay. Only line breaks are added; no character is changed or dropped.
QString WrapTextToWidth(const QString& text, const QFont& font, int maxWidth);

// The widest line a message box shows, in pixels.
inline constexpr int kMessageTextWidth = 480;
