#include "library/core/libraryio.h"

#include "app/core/calcutil.h"
#include "platform/xlsxbook.h"

#include <QFile>
#include <QLocale>

#include <sys/stat.h>

namespace libio {

QString ReadText(const Sheet& sheet, int row, int col)
{
    if (std::optional<QString> s = sheet.readStr(row, col))
        return *s;
    // A hand-edited workbook may hold a number where a text is expected (a rated output, a
    // starting time): keep its value instead of losing it. A number cell of 0 cannot be told
    // from a missing cell and reads empty.
    const double v = sheet.readNum(row, col);
    if (v != 0.0)
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    return QString();
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

FileStamp StampOf(const QString& path)
{
    return StampOf(QFile::encodeName(path));
}

FileStamp StampOf(const QByteArray& encodedPath)
{
    FileStamp st;
    struct stat sb{};
    if (::stat(encodedPath.constData(), &sb) != 0)
        return st;
    st.exists = true;
    st.size = sb.st_size;
    st.mtimeNs = std::int64_t(sb.st_mtim.tv_sec) * 1000000000LL + sb.st_mtim.tv_nsec;
    st.inode = sb.st_ino;
    st.device = sb.st_dev;
    return st;
}

}  // namespace libio
