#pragma once
// Program entry (main.cpp calls RunSevrin).
int RunSevrin(int argc, char* argv[]);
