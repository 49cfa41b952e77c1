#pragma once
// Shared pieces of the report tests: a program folder with a report template, one report run
// from the template and its sheet read back, and fake sheet writers that record their calls and
// mark the sheets they fill.
#include "app/core/sevrin.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "platform/xlsxbook.h"
#include "report/core/reportdriver.h"
#include "report/core/reportwriter.h"

#include <QDir>
#include <QFile>
#include <QMetaType>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The report template the build writes into the program folder.
inline QString ReportTemplatePath()
{
    return ProgramDir() + QStringLiteral("/FORM/form.xlsx");
}

// The template's sheet names in order (the report template's fixed layout).
inline QStringList TemplateSheetNames()
{
    return {QStringLiteral("표지"),        QStringLiteral("동력"),        QStringLiteral("부하"),
            QStringLiteral("케이블&차단기"), QStringLiteral("케이블 트레이"), QStringLiteral("변압기용량"),
            QStringLiteral("발전기용량"),   QStringLiteral("고장전류"),     QStringLiteral("고장전류 TR-1"),
            QStringLiteral("고장전류 TR-2"), QStringLiteral("고장전류 TR-3"), QStringLiteral("고장전류 TR-4"),
            QStringLiteral("고장전류 TR-5"), QStringLiteral("접지"),        QStringLiteral("예비")};
}

// A small stand-in for the report template: the fifteen sheets, empty.
inline bool MakeSmallTemplate(const QString& path)
{
    Book book;
    for (const QString& name : TemplateSheetNames())
        if (!book.addSheet(name))
            return false;
    return book.save(path);
}

// A report host with fixed project texts that records every progress call as "text-number"
// and every warning as it is given.
class RecordingHost : public ReportHost
{
public:
    QStringList progress;
    QStringList warnings;
    void SetOutputProgress(const QString& text, int number) override
    {
        progress << QStringLiteral("%1-%2").arg(text).arg(number);
    }
    void ReportWarning(const QString& text) override { warnings << text; }
    bool ReadProjectScreen(ProjectScreenTexts& out) override
    {
        out.projectName = QStringLiteral("시험 플랜트");
        out.date = QStringLiteral("2026.12.11");
        return true;
    }
};

// A program folder in a temporary directory: FORM/form.xlsx, OUT, CI, and the paths of
// theApp pointing at it. `templateSource` empty: the small stand-in.
struct ReportProgramFolder
{
    QTemporaryDir dir;
    QString root;

    explicit ReportProgramFolder(const QString& templateSource = QString(),
                                 const QString& rootName = QStringLiteral("program"))
    {
        root = dir.path() + QLatin1Char('/') + rootName;
        QDir().mkpath(root + QStringLiteral("/FORM"));
        QDir().mkpath(root + QStringLiteral("/OUT"));
        QDir().mkpath(root + QStringLiteral("/CI"));
        QDir().mkpath(root + QStringLiteral("/PRO"));
        const QString form = root + QStringLiteral("/FORM/form.xlsx");
        if (templateSource.isEmpty())
            MakeSmallTemplate(form);
        else
            QFile::copy(templateSource, form);
        CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
        p.RootPath = root;
        p.OutFolder = QStringLiteral("OUT");
        p.CiFolder = QStringLiteral("CI");
        p.FormXlsxPath = form;
        p.CurrentProjectPath = root + QStringLiteral("/PRO/plant A.pro");
        theApp.AppSettings.PrintMode = 0;
        theApp.ProjectIntroduceBlock.CI.clear();
        theApp.ServerSettings.ServerHost.clear();
    }
    QString outFolder() const { return root + QStringLiteral("/OUT"); }
    QStringList outFiles() const
    {
        return QDir(outFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    }
};

// The choice of one report (index as in the report dialog).
inline ReportChoiceSet OnlyReport(int report)
{
    ReportChoiceSet choices{};
    choices[std::size_t(report)] = 1;
    return choices;
}

// A report run as the dialog's worker makes it: the real template copied to `report`, then
// the chosen reports written into it. Failed when the template could not be copied.
inline ReportRunResult RunReportFromTemplate(const QString& report, const ReportChoiceSet& choices,
                                             ReportHost& host,
                                             const ReportRunSettings& settings = ReportRunSettings{})
{
    if (!CopyReportTemplate(ReportTemplatePath(), report)) {
        qWarning("cannot copy the report template to %s", qPrintable(report));
        return ReportRunResult::Failed;
    }
    return WriteReportWorkbook(report, choices, host, settings);
}

// Runs `run` on a thread of its own, as the report worker runs the writers, serving this
// thread's events meanwhile (a screen recomputes on its own thread). False when it did not end
// within kPatienceMs.
inline bool RunOnWorkerThread(const std::function<void()>& run)
{
    QThread* worker = QThread::create(run);
    worker->start();
    if (!QTest::qWaitFor([worker] { return worker->isFinished(); }, kPatienceMs))
        return false;
    delete worker;
    return true;
}

// One cell of a report sheet (0-based) and the text it should hold.
struct SheetCell
{
    int row, col;
    QString text;
};
Q_DECLARE_METATYPE(std::vector<SheetCell>)

// "row,col=text" for every cell, as readsheet.py prints them.
inline QStringList SheetCellLines(const std::vector<SheetCell>& cells)
{
    QStringList lines;
    for (const SheetCell& c : cells)
        lines << QStringLiteral("%1,%2=%3").arg(c.row).arg(c.col).arg(c.text);
    return lines;
}

// readsheet.py's lines for a sheet that keeps nothing beyond its last page: no merge, styled
// cell, custom width or break.
inline QStringList NothingBeyondLines()
{
    return {QStringLiteral("merges beyond 0"), QStringLiteral("cells beyond 0"),
            QStringLiteral("widths beyond 0"), QStringLiteral("breaks beyond 0")};
}

// readsheet.py's whole output for a sheet with print area `area` ("" for none), nothing beyond
// its last page and the given cells.
inline QStringList CleanSheetLines(const QString& area, const std::vector<SheetCell>& cells)
{
    return QStringList{QStringLiteral("area ") + area} + NothingBeyondLines() + SheetCellLines(cells);
}

// Sheet `sheet` of a report read back by readsheet.py: "area <print area>", the merges, styled
// cells, custom widths and breaks beyond column `limit` (1-based), then "row,col=text" for each
// cell asked for (the cells' texts are not used). The script's error output when it fails.
inline QStringList ReadReportSheet(const QString& report, const QString& sheet, int limit,
                                   const std::vector<SheetCell>& cells)
{
    QStringList args{report, sheet, QString::number(limit)};
    for (const SheetCell& c : cells)
        args << QStringLiteral("%1,%2").arg(c.row).arg(c.col);
    const PythonResult py =
        RunPython(QString::fromUtf8(ReadFile(TestDataDir() + QStringLiteral("/report/readsheet.py"))), args);
    if (py.exitCode != 0)
        return {QStringLiteral("readsheet.py failed: ") + py.err};
    return py.out.trimmed().split(QLatin1Char('\n'));
}

// A report-sheet test's screen and sheet writer, for the whole test: start() makes the screen
// as the main window makes it and registers `writer` as the only sheet writer, for `report`;
// finish() clears the writers and the screen.
template <typename ScreenT>
struct ReportSheetScreen
{
    Screen which;
    std::unique_ptr<ScreenT> screen;

    void start(int report, std::shared_ptr<ReportSheetWriter> writer)
    {
        screen = std::make_unique<ScreenT>();
        screen->OnInitialUpdate();
        ClearReportSheetWriters();
        SetReportSheetWriter(report, std::move(writer));
    }
    void finish()
    {
        ClearReportSheetWriters();
        screen.reset();
        theApp.SetScreen(which, nullptr);
    }
};

// One call of a sheet writer.
struct WriterCall
{
    int report = 0;
    int templateSheet = 0;
    int transformer = -1;
    QString revision;
    int pictureId = -1;
};

// Records every call of the fake writers, across the worker and the test thread.
struct WriterLog
{
    std::mutex mutex;
    std::vector<WriterCall> calls;

    void add(const WriterCall& c)
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.push_back(c);
    }
    std::vector<WriterCall> snapshot()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
    QStringList sheets()
    {
        QStringList out;
        for (const WriterCall& c : snapshot())
            out << QString::number(c.templateSheet);
        return out;
    }
};

// A writer that marks its sheet with "fake <report>" at (6, 0), reports progress and can run
// an extra step (blocking, stopping) given by the test.
class FakeWriter : public ReportSheetWriter
{
public:
    FakeWriter(int report, WriterLog& log) : m_report(report), m_log(log) {}
    std::function<void(const ReportSheetJob&)> extra;

    void WriteSheet(const ReportSheetJob& job) override
    {
        m_log.add({m_report, job.templateSheet, job.transformer, job.revision, job.pictureId});
        job.host->SetOutputProgress(QStringLiteral("fake"), job.templateSheet);
        job.sheet->writeStr(6, 0, QStringLiteral("fake %1").arg(m_report));
        if (extra)
            extra(job);
    }

private:
    int m_report;
    WriterLog& m_log;
};

// Registers a fake writer for every report 1..8; returns them by report index.
inline std::array<std::shared_ptr<FakeWriter>, kReportCount> RegisterFakeWriters(WriterLog& log)
{
    std::array<std::shared_ptr<FakeWriter>, kReportCount> writers;
    ClearReportSheetWriters();
    for (int r = 1; r < kReportCount; ++r) {
        writers[size_t(r)] = std::make_shared<FakeWriter>(r, log);
        SetReportSheetWriter(r, writers[size_t(r)]);
    }
    return writers;
}

// A gate a fake writer waits at until the test opens it. The wait is bounded (kPatienceMs) only
// so that a test that fails before opening it does not hang its worker for good.
struct Gate
{
    std::atomic<bool> reached{false};
    void wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        reached = true;
        m_changed.wait_for(lock, std::chrono::milliseconds(kPatienceMs), [this] { return m_open; });
    }
    void open()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
};
