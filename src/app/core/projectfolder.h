#pragma once
// Creating, copying and deleting a project on disk: a folder named after the project number
// holding "<number>.pro" and the companion workbooks "<number>_10.xlsx" .. "<number>_855.xlsx".
// These never overwrite an existing file and never delete anything outside the project's own
// folder.
#include <QString>
#include <QStringList>

enum class ProjectNumberCheck
{
    Ok,
    Empty,    // nothing typed (or only blanks)
    BadName,  // would not make a folder and file name on every desktop system
};

// The number becomes a folder and a file name: no separators, no "." or "..", no characters
// or device names that Windows forbids (a project must open on either system), no control
// characters, no blanks or dot at the ends.
ProjectNumberCheck CheckProjectNumber(const QString& number);

// parentFolder/number/number.pro
QString ProjectFileIn(const QString& parentFolder, const QString& number);

// The files of the project that already exist: the project file and its workbooks.
QStringList ExistingProjectFiles(const QString& projectFile);

enum class ProjectCreateStatus
{
    Ok,
    TargetExists,  // the target project file or one of its workbooks is already there
    FolderFailed,  // the project folder could not be created
    CopyFailed,    // the template or source project file could not be copied
    SourceRefused, // the template or source is not a project file (or cannot be read)
    NumberFailed,  // "ProjectNumber" could not be written into the new file
};

struct ProjectCreateResult
{
    ProjectCreateStatus status = ProjectCreateStatus::Ok;
    QStringList failedWorkbooks;  // source workbooks that exist but could not be copied
};

// Creates `target` (a project file path as ProjectFileIn gives it) as a copy of `source` -
// the template or another project file - and writes `number` as its "ProjectNumber". With
// `withWorkbooks` the source's companion workbooks are copied too (those that exist). Only
// the last folder level is created. On failure everything this call created is removed again.
ProjectCreateResult CreateProjectFrom(const QString& source, const QString& target,
                                      const QString& number, bool withWorkbooks);

struct ProjectDeleteResult
{
    bool deletedAny = false;
    QStringList notDeleted;     // existing files that could not be removed
    bool folderRemoved = false;
};

// Deletes the project file and its thirteen workbooks, then the folder when it is named like
// the project (letter case counts) and is empty. A path that is not a ".pro" file deletes
// nothing.
ProjectDeleteResult DeleteProjectFiles(const QString& projectFile);
