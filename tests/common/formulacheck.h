#pragma once
// Checks of the formula pictures the pages draw themselves.
#include <QString>

class CFormulaPicture;
class QWidget;

// Dark pixels (grey below 128) of the widget's own rendering on white.
int InkOf(QWidget* w);

// What is wrong with how the picture draws its formula, or empty text. Its ink inside the
// frame must be at least 85 % of a reference rendering the check makes itself: every text of
// the formula drawn alone in the same font (DejaVu Serif one point above the widget's, sub-
// and superscripts at 72 %; antialiasing at other sub-pixel places varies it by some 5 %);
// fraction bars and root signs only add to it. A text left out, drawn off the box or in a
// missing font falls short. And nothing may touch the frame from inside (a formula cut at
// its box does).
QString FormulaPictureFault(CFormulaPicture* f);
