#pragma once
// Helpers shared by the test executables.
#include <QString>
#include <QStringList>

struct PythonResult
{
    int exitCode = -1;
    QString out;  // stdout, UTF-8
    QString err;  // stderr, UTF-8
};

// Runs python3 with the script text and arguments (an independent reader such as openpyxl
// checks what our code wrote). Times out after 120 s.
PythonResult RunPython(const QString& script, const QStringList& args = {});
