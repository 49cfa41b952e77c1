#include "library/core/libraryio.h"

#include "app/core/calcutil.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QCoreApplication>

#include <QFile>

#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace libio {

void ExitWorkbookNotFound(const QString& path)
{
    Prompt::Message(
        QCoreApplication::translate("Library", "적합한 Lib 파일을 찾지 못했습니다.\n%1").arg(path));
    Prompt::ExitProgram(1);
}

QString ReadText(const Sheet& sheet, int row, int col)
{
    // A hand-edited workbook may hold a number where a text is expected (a rated output, a
    // starting time): it reads as the text it shows.
    return sheet.readText(row, col).value_or(QString());
}

QString ReadCell(const Sheet& sheet, int row, int col, Read how)
{
    switch (how) {
    case Read::Text:
        return ReadText(sheet, row, col);
    case Read::F0:
        return FormatFixed(sheet.readNum(row, col), 0);
    case Read::F1:
        return FormatFixed(sheet.readNum(row, col), 1);
    case Read::F2:
        return FormatFixed(sheet.readNum(row, col), 2);
    case Read::F3:
        return FormatFixed(sheet.readNum(row, col), 3);
    case Read::F4:
        return FormatFixed(sheet.readNum(row, col), 4);
    case Read::F6:
        return FormatFixed(sheet.readNum(row, col), 6);
    case Read::DashF2: {
        const std::optional<QString> s = sheet.readStr(row, col);
        if (s && *s == QLatin1String("-"))
            return *s;
        return FormatFixed(sheet.readNum(row, col), 2);
    }
    case Read::F0Dash: {
        QString t = FormatFixed(sheet.readNum(row, col), 0);
        if (t == QLatin1String("0"))
            t = QStringLiteral("-");
        return t;
    }
    }
    return QString();
}

namespace {

FileStamp FromStat(const struct stat& sb)
{
    FileStamp st;
    st.exists = true;
    st.size = sb.st_size;
    st.mtimeNs = std::int64_t(sb.st_mtim.tv_sec) * 1000000000LL + sb.st_mtim.tv_nsec;
    st.inode = sb.st_ino;
    st.device = sb.st_dev;
    return st;
}

}  // namespace

FileWatch::FileWatch(const QString& path) : m_path(QFile::encodeName(path))
{
    const QFileInfo info(path);
    m_name = QFile::encodeName(info.fileName());
    m_dirFd = ::open(QFile::encodeName(info.absolutePath()).constData(),
                     O_PATH | O_DIRECTORY | O_CLOEXEC);
}

FileWatch::~FileWatch()
{
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

FileStamp FileWatch::stamp() const
{
    struct stat sb{};
    const int rc = m_dirFd >= 0 ? ::fstatat(m_dirFd, m_name.constData(), &sb, 0)
                                : ::stat(m_path.constData(), &sb);
    if (rc != 0)
        return FileStamp();
    return FromStat(sb);
}

}  // namespace libio
