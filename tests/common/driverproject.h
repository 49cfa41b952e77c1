#pragma once
// The project a driver test starts from, and the checks every run of a command passes.
#include "calcdriver.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class CSevrinApp;

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

// A driver project in a temporary folder of its own, removed with it.
class TempDriverProject
{
public:
    explicit TempDriverProject(const QString& name = QStringLiteral("P1.pro"));
    TempDriverProject(const TempDriverProject&) = delete;
    TempDriverProject& operator=(const TempDriverProject&) = delete;

    bool ok() const { return m_made.ok; }  // false when the folder or a copy failed
    QString dir() const { return m_dir.path(); }
    const QString& root() const { return m_made.root; }
    const QString& project() const { return m_made.project; }
    // A path below the temporary folder.
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }
    // sevrin-calc --root root() --project project() `command`.
    CalcRun run(const QString& command) const;

private:
    QTemporaryDir m_dir;
    DriverProject m_made;
};

// The ground of a command test: a driver project, an application pointed at it through which
// the test stores its rows, and `prepare` run on both (the test's library, conditions and
// stored sections). Installs the recording prompt, so no message box waits for a click.
class CommandProject : public TempDriverProject
{
public:
    using Prepare = std::function<bool(CSevrinApp& app, const TempDriverProject& where)>;
    explicit CommandProject(const Prepare& prepare, const QString& name = QStringLiteral("P1.pro"));
    ~CommandProject();

    bool ok() const { return m_ready; }  // false when a copy or `prepare` failed
    CSevrinApp& app() const { return *m_app; }

private:
    std::unique_ptr<CSevrinApp> m_app;
    bool m_ready = false;
};

// A run of a command that must succeed and print no figure that must not be trusted
// (FindUnprintableFigure): what it printed as lines of tab-separated fields, and `failure`
// saying which of the two it broke, empty when none.
struct PrintedRun
{
    CalcRun run;
    QStringList lines;  // the non-empty lines of stdout
    QString failure;
    // Field `column` of line `line`, or empty text where the line has none.
    QString field(int line, int column) const;
};
PrintedRun RunPrinting(const TempDriverProject& p, const QString& command);

// A command on a project without its workbook: exit code 0, nothing printed, nothing said. Then
// bytes that are no workbook put at `file` (below the project's folder): exit code 1, nothing
// printed, one stderr line naming the file, and the file as it was.
void VerifyWorkbookMissingThenUnreadable(const TempDriverProject& p, const QString& file,
                                         const QString& command);
