#pragma once
// Which key presses reach a control: Return, Enter and Escape that a screen should swallow, and
// the rest.
#include <QWidget>

struct KeysReached
{
    int enterOrEscape = 0;  // Return, Enter or Escape
    int other = 0;
};

// Clicks Return, Enter, Escape and the letter X on `w` and counts those that reach it.
KeysReached ClickEnterEscapeAndALetter(QWidget* w);
