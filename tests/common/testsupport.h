#pragma once
// Helpers shared by the test executables.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// How long a test waits for an event (a child process, a worker thread, a dialog closing)
// before it fails: a guard against a hang, far beyond what any step takes on a busy machine. A
// wait on an event ends when the event comes, so the limit costs nothing; each test's own limit
// (ctest's TIMEOUT) lies above it.
constexpr int kPatienceMs = 10 * 60 * 1000;

struct PythonResult
{
    int exitCode = -1;
    QString out;  // stdout, UTF-8
    QString err;  // stderr, UTF-8
};

// Runs python3 with the script text and arguments (an independent reader such as openpyxl
// checks what our code wrote). Gives up after kPatienceMs.
PythonResult RunPython(const QString& script, const QStringList& args = {});

// The folder for pictures a test keeps for a look by eye: $SEVRIN_SHOTS_DIR when set, else a
// folder of the user's own below the temporary folder (fixed names in a shared /tmp would
// belong to whichever user wrote them first). Made when missing.
QString ShotsDir();

// Whole-file reads and writes for fixtures; ReadFile gives an empty array when the file
// cannot be read.
QByteArray ReadFile(const QString& path);
bool WriteFile(const QString& path, const QByteArray& bytes);

// Every entry below `dir` by its path relative to it: a file with its bytes, a folder as
// "<folder>". Two snapshots are equal only when nothing changed, appeared or went away.
QMap<QString, QByteArray> FolderSnapshot(const QString& dir);
// The entries that differ between two snapshots (changed, added or gone), sorted.
QStringList ChangedEntries(const QMap<QString, QByteArray>& before,
                           const QMap<QString, QByteArray>& after);

// While it lives, the system refuses every write to a file of this process, as a full disk
// does (a file-size limit of zero), also when the tests run as root, who writes through
// read-only files. Pipes and terminals are not touched. Keep it around the call under test.
class FileWritesRefused
{
public:
    FileWritesRefused();
    ~FileWritesRefused();
    FileWritesRefused(const FileWritesRefused&) = delete;
    FileWritesRefused& operator=(const FileWritesRefused&) = delete;

private:
    unsigned long long m_limit = 0;
    void (*m_handler)(int) = nullptr;
};

// While it lives, the stores may open the workbook at `path` to change it `allowed` times; every
// later open fails as one of a damaged workbook does. A later step of one action fails so.
class WorkbookWritesRefusedAfter
{
public:
    WorkbookWritesRefusedAfter(const QString& path, int allowed);
    ~WorkbookWritesRefusedAfter();
    WorkbookWritesRefusedAfter(const WorkbookWritesRefusedAfter&) = delete;
    WorkbookWritesRefusedAfter& operator=(const WorkbookWritesRefusedAfter&) = delete;
    // How many opens were refused.
    int refused() const { return *m_refused; }

private:
    std::shared_ptr<int> m_refused = std::make_shared<int>(0);
};
