#include "app/core/projectfolder.h"

#include "app/core/projectfile.h"
#include "platform/paths.h"
#include "platform/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool IsWindowsDeviceName(const QString& number)
{
    // CON, PRN, AUX, NUL, COM1..9, LPT1..9, also with an extension ("CON.txt").
    const QString stem = number.section(QLatin1Char('.'), 0, 0).toUpper();
    static const QStringList fixed{QStringLiteral("CON"), QStringLiteral("PRN"),
                                   QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (fixed.contains(stem))
        return true;
    if (stem.size() == 4 && (stem.startsWith(QStringLiteral("COM")) || stem.startsWith(QStringLiteral("LPT"))))
        return stem[3] >= QLatin1Char('1') && stem[3] <= QLatin1Char('9');
    return false;
}

// A copy of a read-only template must still be writable: the program saves into it.
bool CopyWritable(const QString& from, const QString& to)
{
    if (!QFile::copy(from, to))  // never replaces an existing file
        return false;
    QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    return true;
}

}  // namespace

ProjectNumberCheck CheckProjectNumber(const QString& number)
{
    if (number.trimmed().isEmpty())
        return ProjectNumberCheck::Empty;
    if (number == QStringLiteral(".") || number == QStringLiteral(".."))
        return ProjectNumberCheck::BadName;
    for (const QChar c : number) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return ProjectNumberCheck::BadName;
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            return ProjectNumberCheck::BadName;
    }
    if (number.front().isSpace() || number.back().isSpace() || number.endsWith(QLatin1Char('.')))
        return ProjectNumberCheck::BadName;
    if (IsWindowsDeviceName(number))
        return ProjectNumberCheck::BadName;
    return ProjectNumberCheck::Ok;
}

QString ProjectFileIn(const QString& parentFolder, const QString& number)
{
    return JoinPath(JoinPath(parentFolder, number), number + QStringLiteral(".pro"));
}

QStringList ExistingProjectFiles(const QString& projectFile)
{
    QStringList found;
    if (projectFile.isEmpty())
        return found;
    if (QFileInfo::exists(projectFile))
        found.append(projectFile);
    for (const QString& path : ProjectWorkbookPaths(projectFile))
        if (QFileInfo::exists(path))
            found.append(path);
    return found;
}

ProjectCreateResult CreateProjectFrom(const QString& source, const QString& target,
                                      const QString& number, bool withWorkbooks)
{
    ProjectCreateResult result;
    if (!ExistingProjectFiles(target).isEmpty()) {
        result.status = ProjectCreateStatus::TargetExists;
        return result;
    }

    // A copy of something else with a "ProjectNumber" added would open as a project.
    if (QFileInfo(source).isFile() && CheckProjectFile(source) != ProjectFileStatus::Ok) {
        result.status = ProjectCreateStatus::SourceRefused;
        return result;
    }

    const QString folder = GetFolderOfPath(target);
    bool folderCreated = false;
    if (!QFileInfo(folder).isDir()) {
        // One level only: a missing project folder above it is a setup fault to report.
        if (!QDir().mkdir(folder)) {
            result.status = ProjectCreateStatus::FolderFailed;
            return result;
        }
        folderCreated = true;
    }

    QStringList created;
    auto undo = [&] {
        for (const QString& path : created)
            QFile::remove(path);
        if (folderCreated)
            QDir().rmdir(folder);
    };

    if (!QFileInfo(source).isFile() || !CopyWritable(source, target)) {
        undo();
        result.status = ProjectCreateStatus::CopyFailed;
        return result;
    }
    created.append(target);

    if (withWorkbooks) {
        const QStringList from = ProjectWorkbookPaths(source);
        const QStringList to = ProjectWorkbookPaths(target);
        for (int i = 0; i < from.size(); ++i) {
            if (!QFileInfo::exists(from[i]))
                continue;  // the source project never stored that list
            if (CopyWritable(from[i], to[i]))
                created.append(to[i]);
            else
                result.failedWorkbooks.append(from[i]);
        }
    }

    if (!WriteProfileString(target, QStringLiteral("Project_Introduce"),
                            QStringLiteral("ProjectNumber"), number)) {
        undo();
        result.failedWorkbooks.clear();
        result.status = ProjectCreateStatus::NumberFailed;
        return result;
    }
    return result;
}

ProjectDeleteResult DeleteProjectFiles(const QString& projectFile)
{
    ProjectDeleteResult result;
    if (!projectFile.endsWith(QStringLiteral(".pro"), Qt::CaseInsensitive) ||
        GetFileNameOfPath(projectFile).size() <= 4)
        return result;

    // The project file and its workbooks all sit in the project file's folder.
    QStringList files{projectFile};
    files += ProjectWorkbookPaths(projectFile);
    for (const QString& path : files) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        if (info.isDir() || !QFile::remove(path))
            result.notDeleted.append(path);
        else
            result.deletedAny = true;
    }

    const QString folder = GetFolderOfPath(projectFile);
    const QString name = GetFileNameOfPath(ProjectBasePath(projectFile));
    if (!folder.isEmpty() && !name.isEmpty() && GetFileNameOfPath(folder) == name)
        result.folderRemoved = QDir().rmdir(folder);  // refuses a folder that is not empty
    return result;
}
