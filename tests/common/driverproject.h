#pragma once
// The project a driver test starts from.
#include <QString>

struct DriverProject
{
    QString root;     // a copy of the build's program folder (LIB and FORM)
    QString project;  // a project file made from the blank form, read/write for its owner
    bool ok = false;  // false when a copy failed (nothing to run on)
};

// Copies the program folder to `dir`/root and its blank project form to `dir`/`name` (a path
// below `dir`, its folders made): the reference workbooks and the project are the test's own
// to change.
DriverProject MakeDriverProject(const QString& dir, const QString& name = QStringLiteral("P1.pro"));
