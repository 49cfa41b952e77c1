// sevrin-calc: recomputes one area of a project without a window, through the same engine
// functions and stores the screens use, and prints the results as tab-separated lines.
//
//   sevrin-calc --root PROGRAM_DIR --project PROJECT_FILE COMMAND
#include "calccommand.h"
#include "calcdiagnostics.h"

#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"
#include "platform/paths.h"
#include "platform/prompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <memory>

namespace {

int Fail(CalcDiagnostics& diag, const QString& line)
{
    diag.add(line);
    diag.writeToStderr();
    return 1;
}

bool ReadableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile() && info.isReadable();
}

// The program paths as ReadConfig sets them, rooted at --root instead of "ORVA.ini".
void SetProgramPaths(const QString& root, const QString& project)
{
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.RootPath = root;
    p.LibFolder = QStringLiteral("LIB");
    p.OutFolder = QStringLiteral("OUT");
    p.ProFolder = QStringLiteral("PRO");
    p.CiFolder = QStringLiteral("CI");
    p.LibWorkbookPath = JoinPath(JoinPath(root, p.LibFolder), QStringLiteral("lib_v3p4.xlsx"));
    p.BreakerWorkbookPath =
        JoinPath(JoinPath(root, p.LibFolder), QStringLiteral("breaker_v3p4.xlsx"));
    p.FormProPath = JoinPath(root, QStringLiteral("FORM/form.pro"));
    p.FormXlsxPath = JoinPath(root, QStringLiteral("FORM/form.xlsx"));
    p.CompanionSuffixTable = {
        QStringLiteral("_10.xlsx"),  QStringLiteral("_20.xlsx"),  QStringLiteral("_40.xlsx"),
        QStringLiteral("_50.xlsx"),  QStringLiteral("_30.xlsx"),  QStringLiteral("_60.xlsx"),
        QStringLiteral("_80.xlsx"),  QStringLiteral("_851.xlsx"), QStringLiteral("_852.xlsx"),
        QStringLiteral("_853.xlsx"), QStringLiteral("_854.xlsx"), QStringLiteral("_855.xlsx"),
    };
    p.CurrentProjectPath = project;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The loaders' message boxes and the commands' lines end as one stderr line.
    CalcDiagnostics diag;
    Prompt::SetHandler(std::make_unique<CalcPromptHandler>(diag));

    QString root;
    QString project;
    QString command;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == QLatin1String("--root") || a == QLatin1String("--project")) &&
            i + 1 < args.size()) {
            (a == QLatin1String("--root") ? root : project) = args[++i];
        } else if (!a.startsWith(QLatin1String("--")) && command.isEmpty()) {
            command = a;
        } else {
            return Fail(diag, QStringLiteral("unknown argument: %1").arg(a));
        }
    }
    if (root.isEmpty() || project.isEmpty() || command.isEmpty())
        return Fail(diag, QStringLiteral("usage: sevrin-calc --root PROGRAM_DIR --project "
                                        "PROJECT_FILE COMMAND (%1)")
                             .arg(CalcCommandNames().join(QLatin1Char('|'))));

    root = QFileInfo(root).absoluteFilePath();
    project = QFileInfo(project).absoluteFilePath();
    SetProgramPaths(root, project);

    // The loader's own message names a workbook that cannot be read and ends with code 1;
    // checking first gives the same one-line answer for a missing file.
    for (const QString& lib : {theApp.ProjectPathTable.LibWorkbookPath,
                               theApp.ProjectPathTable.BreakerWorkbookPath}) {
        if (!ReadableFile(lib))
            return Fail(diag, QStringLiteral("cannot read reference workbook: %1").arg(lib));
    }
    if (!ReadableFile(project))
        return Fail(diag, QStringLiteral("cannot read project file: %1").arg(project));
    const CalcCommandFn run = FindCalcCommand(command);
    if (!run)
        return Fail(diag, QStringLiteral("unknown command: %1").arg(command));

    theApp.LoadLibraryWorkbook();
    theApp.LoadBreakerWorkbook(true, 0);
    // Without the screens' unprotect step: it would rewrite every protected workbook of the
    // project and the program folder, and a command that only prints or that fails changes
    // no file. The stores write whatever a sheet's protection says.
    ProjectFileStatus refusal{};
    if (!theApp.LoadProjectFile(project, false, &refusal))
        return Fail(diag, ProjectFileRefusal(project, refusal));
    theApp.ProjectLoaded = 1;
    // As after every project load: the motor tables, derived tables and correction factors
    // follow the project's design conditions before any command calculates.
    ApplyProjectDesignConditions(theApp);

    QString results;
    QTextStream out(&results);
    CalcContext ctx{root, project, out, diag.stream()};
    const int code = run(ctx);
    out.flush();
    if (code == 0) {
        QTextStream stdoutStream(stdout);
        stdoutStream.setEncoding(QStringConverter::Utf8);
        stdoutStream << results;
        stdoutStream.flush();
    } else if (diag.line().isEmpty()) {
        diag.add(QStringLiteral("%1 failed").arg(command));
    }
    diag.writeToStderr();
    return code;
}
