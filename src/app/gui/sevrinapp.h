#pragma once
// The program's window side of the application object: start-up, exit and switching between
// the thirteen screens. The data lives in `theApp` (app/core/sevrin.h).
#include "app/core/sevrin.h"

class CFormView;
class CMainFrame;

// Program entry (main.cpp): installs the widget prompts, starts up, runs, takes the exit road.
int RunSevrin(int argc, char* argv[]);

// Start-up: creates the main frame and the start screen, runs the start screen's initial
// update (configuration, single instance, server queries, reference workbooks), creates the
// twelve other screens and sets the title. Early exits go through Prompt::ExitProgram. Needs
// a QApplication. Calling it again replaces the previous frame (tests).
bool InitInstance();
// The exit road of a normal end (the start screen's destroy handler: "lastPro" and the
// workbook protection), then the frame is destroyed. Returns the exit code.
int ExitInstance(int code = 0);

// Shows `screen` and sets the window title for it. Returns the screen shown before, or nullptr
// when the switch was refused.
CFormView* SwitchView(Screen screen);
// After a project file is loaded: every screen's inputs back to what they showed at start-up,
// then the project screen and every calculation screen but the switchgear screen refilled
// from the project, so that no field keeps the previous project's figures.
void RefillScreensAfterProjectLoad();

// Before the program closes or another project is loaded: the screens with a "저장하기" of
// their own are compared with the project file; when any would write something the file does
// not hold, one question asks whether to save (예), drop the edits (아니요) or stay (취소).
// True when the caller may go on; false after "취소" or a save that failed (said so).
bool ConfirmUnsavedEdits();

// Shows or hides the twelve "+" insert buttons of the calculation screens and pages.
void ShowOptionalButtons(bool show);

// The main frame while the program runs (nullptr before start-up).
CMainFrame* MainFrame();
