#pragma once
// Helpers shared by the test executables.
#include <QByteArray>
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

// Whole-file reads and writes for fixtures; ReadFile gives an empty array when the file
// cannot be read.
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);
