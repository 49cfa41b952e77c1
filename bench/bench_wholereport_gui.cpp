// The whole report of a large project, in a process of its own as a user runs it: 100
// motor-control-centre panels of ten loads and a 1000-cable schedule, every report chosen,
// written by the program's own sheet writers through the report driver (each panel recomputed
// through the motor-control-centre screen, as "계산" does). Shows the run's time and what the
// process asked of the system. Targets: system time under 0.2 s, under 20,000 minor page faults,
// peak under 100 MB.
//
//   bench_wholereport_gui                       writes the project, runs the report three times
//   bench_wholereport_gui --write-project DIR   only writes the project (program folder and all)
//   bench_wholereport_gui --run DIR             the report of the project in DIR (what the first
//                                               form runs; by hand, e.g. under /usr/bin/time -v)
#include "benchchild.h"
#include "benchprompt.h"
#include "benchpaths.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/gui/cablescreen.h"
#include "loads/core/designconditions.h"
#include "loads/core/mccpanel.h"
#include "loads/gui/mccscreen.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"
#include "report/core/reportdriver.h"
#include "report/gui/reportwriters.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kPanels = 100;
constexpr int kLoadsPerPanel = 10;
constexpr int kCables = 1000;

class BenchHost final : public ReportHost
{
public:
    int progress = 0;
    void SetOutputProgress(const QString&, int) override { ++progress; }
    void ReportWarning(const QString&) override {}
    bool ReadProjectScreen(ProjectScreenTexts& out) override
    {
        out.projectName = QStringLiteral("대형 플랜트 증설");
        out.date = QStringLiteral("2026.12.11");
        return true;
    }
};

QString ProjectPath(const QString& dir)
{
    return dir + QStringLiteral("/program/PRO/P100.pro");
}

// The program paths of a program folder `root` with the build's library and template.
void UseProgramFolder(CSevrinApp& a, const QString& dir)
{
    const QString root = dir + QStringLiteral("/program");
    auto& p = a.ProjectPathTable;
    p.RootPath = root;
    p.LibFolder = QStringLiteral("LIB");
    p.OutFolder = QStringLiteral("OUT");
    p.ProFolder = QStringLiteral("PRO");
    p.CiFolder = QStringLiteral("CI");
    p.LibWorkbookPath = BenchProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    p.BreakerWorkbookPath = BenchProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    p.FormProPath = BenchProgramDir() + QStringLiteral("/FORM/form.pro");
    p.FormXlsxPath = root + QStringLiteral("/FORM/form.xlsx");
    p.CompanionSuffixTable = BenchCompanionSuffixes();
    p.CurrentProjectPath = ProjectPath(dir);
    a.AppSettings.PrintMode = 0;
}

// The project: panels MCC-1 .. MCC-100 of ten loads (motors of the library in turn, every fifth
// a lighting load, the tenth spare) and a cable schedule of 1000 rows of 112 texts.
bool WriteProject(CSevrinApp& a, const QString& dir)
{
    for (const char* sub : {"/program/FORM", "/program/OUT", "/program/CI", "/program/PRO"})
        if (!QDir().mkpath(dir + QLatin1String(sub)))
            return false;
    UseProgramFolder(a, dir);
    if (!QFile::copy(BenchProgramDir() + QStringLiteral("/FORM/form.xlsx"), a.ProjectPathTable.FormXlsxPath) ||
        !QFile::copy(BenchProgramDir() + QStringLiteral("/FORM/form.pro"), ProjectPath(dir)))
        return false;
    QFile(ProjectPath(dir)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    a.LoadLibraryWorkbook();
    if (!a.LoadProjectFile(ProjectPath(dir)))
        return false;
    ApplyProjectDesignConditions(a);

    if (!WriteBenchMccPanels(a, kPanels, kLoadsPerPanel))
        return false;
    a.MotorControlCenterBlock.MccPanelCount = kPanels;

    Book cables;
    Sheet* sheet = cables.addSheet(QStringLiteral("Sheet1"));
    if (!sheet)
        return false;
    for (int r = 0; r < kCables; ++r)
        for (int k = 0; k < 112; ++k)
            sheet->writeStr(r, k, QStringLiteral("%1:%2").arg(r + 1).arg(k));
    if (!cables.save(a.CompanionPath(CSevrinApp::CableWorkbook)))
        return false;
    companion::DropCache();
    return true;
}

double Ms(const rusage& ru, bool system)
{
    const timeval& t = system ? ru.ru_stime : ru.ru_utime;
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

// The report run of the child: loads the project as the program does, opens the screens the
// writers read, writes the whole report. Prints its time in ms and what the report itself
// (after the load) asked of the system.
int RunReport(const QString& dir)
{
    Prompt::SetHandler(std::make_unique<BenchPrompt>());
    CSevrinApp& a = theApp;
    UseProgramFolder(a, dir);
    a.LoadLibraryWorkbook();
    a.LoadBreakerWorkbook(true, 0);
    if (!a.LoadProjectFile(ProjectPath(dir)))
        return 1;
    a.ProjectLoaded = 1;
    ApplyProjectDesignConditions(a);
    auto mcc = std::make_unique<CMccScreen>();
    mcc->OnInitialUpdate();
    mcc->ApplyMccDesignConditions(0, true);
    auto cables = std::make_unique<CCableScreen>();
    cables->OnInitialUpdate();
    ClearReportSheetWriters();
    RegisterReportSheetWriters();

    const QString report = dir + QStringLiteral("/program/OUT/P100.xlsx");
    if (!CopyReportTemplate(a.ProjectPathTable.FormXlsxPath, report))
        return 1;
    ReportChoiceSet all;
    all.fill(1);
    a.ReportStopFlag = 0;
    BenchHost host;
    ReportRunSettings settings;
    settings.rootPath = a.ProjectPathTable.RootPath;
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    std::fprintf(stderr, "before the report: peak %ld kB, %ld minor page faults\n", before.ru_maxrss, before.ru_minflt);
    QElapsedTimer t;
    t.start();
    const ReportRunResult result = WriteReportWorkbook(report, all, host, settings);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    getrusage(RUSAGE_SELF, &after);
    if (result != ReportRunResult::Saved) {
        std::fprintf(stderr, "the report run failed\n");
        return 1;
    }
    std::printf("%.1f %ld %.1f %d %lld\n", ms, after.ru_minflt - before.ru_minflt,
                Ms(after, true) - Ms(before, true), host.progress, static_cast<long long>(QFileInfo(report).size()));
    cables.reset();
    mcc.reset();
    theApp.SetScreen(Screen::Mcc, nullptr);
    theApp.SetScreen(Screen::Cable, nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const int measured = MeasureChildIfAsked(argc, argv); measured >= 0)
        return measured;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--run"))
        return RunReport(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("--write-project")) {
        if (!WriteProject(theApp, QDir(args[2]).absolutePath()))
            return 1;
        std::printf("%s --run %s\n", qPrintable(app.applicationFilePath()),
                    qPrintable(QDir(args[2]).absolutePath()));
        return 0;
    }
    QTemporaryDir dir;
    if (!dir.isValid() || !WriteProject(theApp, dir.path())) {
        std::printf("could not write the project\n");
        return 1;
    }
    std::printf("whole report: %d panels of %d loads, %d cables, every report chosen\n", kPanels, kLoadsPerPanel,
                kCables);
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        const ChildRun r = RunChild(app.applicationFilePath(), {QStringLiteral("--run"), dir.path()});
        if (!r.succeeded()) {
            std::printf("the report run failed: %s\n", r.err.constData());
            return 1;
        }
        const double processMs = r.wallMs;
        const QList<QByteArray> f = r.out.trimmed().split(' ');
        times.push_back(processMs);
        std::printf("  run %d: process %.0f ms (report %.0f ms): user %.0f ms, system %.0f ms, %ld minor page faults, "
                    "peak %.0f MB; the report alone: system %.0f ms, %s minor page faults; %s bytes\n",
                    run + 1, processMs, f.value(0).toDouble(), r.userMs, r.systemMs, r.minorFaults,
                    double(r.peakKb) / 1024, f.value(2).toDouble(), f.value(1).constData(),
                    f.value(4).constData());
    }
    std::sort(times.begin(), times.end());
    std::printf("  median process time %.0f ms, best %.0f ms\n", times[1], times[0]);
    return 0;
}
