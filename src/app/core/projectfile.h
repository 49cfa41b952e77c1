#pragma once
// Names around the project file: the companion workbooks beside it and the keys of the
// project file itself.
#include <QString>
#include <QStringList>
#include <vector>

// What opening a file as a project finds. A project file is a profile file with at least one
// of the seven sections; one that lacks some of them still opens (the defaults fill in). A
// missing file reads as all defaults, as a new project does.
enum class ProjectFileStatus
{
    Ok,
    Unreadable,  // exists but cannot be read
    NotProject,  // none of the seven sections: an empty file, random bytes, another text
};

// Reads and parses the file to tell whether LoadProjectFile would take it.
ProjectFileStatus CheckProjectFile(const QString& path);
// The message for a file refused as a project, the path on its second line; the driver prints
// it on one line.
QString ProjectFileRefusal(const QString& path, ProjectFileStatus status);

// The project file's path without its ".pro" extension. Only a final ".pro" (any letter case)
// is removed, so a folder such as "my.project" or "a.pro" stays part of the path.
QString ProjectBasePath(const QString& projectPath);

// One section of the project file as its writer puts it: every key in write order, its value
// as the reader gives it back, and how the reader takes it.
struct ProjectFileValue
{
    enum Kind {
        Text,   // the text as typed
        Index,  // a combo position: the leading integer counts
        Flag,   // "0" or anything else
    };
    QString key;
    QString value;
    QString defaultValue;  // what the reader takes when the file lacks the key
    Kind kind = Text;
    bool read = true;  // false: written only, the screens derive it from other values
};
struct ProjectFileSection
{
    QString name;
    std::vector<ProjectFileValue> values;
};
using ProjectFileSections = std::vector<ProjectFileSection>;

// The sections as the writers would put them now, from the blocks of `app` (the transformer
// section from the transformer screen's controls; no values without that screen).
class CSevrinApp;
ProjectFileSection ProjectIntroduceSectionOf(CSevrinApp& app);
ProjectFileSection MotorControlCenterSectionOf(CSevrinApp& app);
ProjectFileSection CabinetSizingSectionOf(CSevrinApp& app);
ProjectFileSection TransformerSizingSectionOf(CSevrinApp& app);
ProjectFileSection GeneratorSizingSectionOf(CSevrinApp& app);
ProjectFileSection FaultCurrentSectionOf(CSevrinApp& app);
ProjectFileSection GroundingDesignSectionOf(CSevrinApp& app);

// Writes the sections in one pass each; false when any could not be written.
[[nodiscard]] bool WriteProjectFileSections(const QString& projectPath,
                                            const ProjectFileSections& sections);
// True when reading the file back gives every value the sections would write (keys that are
// written only are not compared; a missing key counts as its default).
bool ProjectFileSectionsStored(const QString& projectPath, const ProjectFileSections& sections);

// The texts the file holds under every key of the sections (defaults for missing keys).
QStringList ProjectFileSectionTexts(const QString& projectPath, const ProjectFileSections& sections);

// Writes every section of the project file; every writer runs even after one fails, so as
// much as possible reaches the file. False when any of them failed.
[[nodiscard]] bool SaveEveryProjectSection(const QString& projectPath);

// The thirteen workbook suffixes a project can have, in the order copy, delete and the sheet
// protection go through them ("_70.xlsx" has no store of its own but belongs to the project).
const QStringList& ProjectWorkbookSuffixes();
// Base path + each suffix; empty for an empty project path.
QStringList ProjectWorkbookPaths(const QString& projectPath);

struct ProjectFileKey
{
    QString section;
    QString key;
    QString defaultValue;  // what the reader takes when the file lacks the key
    bool read = true;      // false: written only (the screens derive the value themselves)
};

// Every key of the project file, section by section in file order. The revision keys are
// listed for all ten rows.
std::vector<ProjectFileKey> ProjectFileKeys();
