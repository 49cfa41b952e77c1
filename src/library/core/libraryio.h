#pragma once
// Reading the reference workbooks: cell reading rules, the file stamp that tells whether a
// cached parse still matches its file, and the caches of the breaker workbook and of the
// user's motor rows.
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

class Sheet;
class LibCells;

namespace libio {

// How a workbook cell becomes a table text.
enum class Read : std::uint8_t {
    Text,    // the cell's text; a number cell as its shortest decimal text; empty otherwise
    F0,      // the number printed with 0..4 or 6 decimals; text or empty reads as 0
    F1,
    F2,
    F3,
    F4,
    F6,
    DashF2,  // "-" kept, otherwise F2
    F0Dash,  // F0, with "0" replaced by "-"
};

QString ReadCell(const Sheet& sheet, int row, int col, Read how);
// Any cell's value as text (Sheet::readText); empty for an empty cell.
QString ReadText(const Sheet& sheet, int row, int col);

// Identity of a file's current content as far as the file system tells: size, modification
// time in nanoseconds and inode (an atomic save renames a new file over the old one).
struct FileStamp
{
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;
    bool operator==(const FileStamp&) const = default;
};
// Takes a file's stamp over and over, as cheaply as the system allows: relative to its
// folder, opened once, so the path is not walked component by component on every check.
class FileWatch
{
public:
    explicit FileWatch(const QString& path);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    FileStamp stamp() const;

private:
    int m_dirFd = -1;
    QByteArray m_name;
    QByteArray m_path;
};

// A reference workbook the program cannot work without is missing or unreadable: tells the
// user which file and ends the program with exit code 1.
[[noreturn]] void ExitWorkbookNotFound(const QString& path);

// Forgets what was parsed of a workbook, after the program itself wrote it.
void InvalidateBreakerCache();
void InvalidateUserMotorCache();

}  // namespace libio
