#include "driverproject.h"

#include "recordingprompt.h"
#include "testsupport.h"
#include "unprintable.h"

#include "app/core/sevrin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

DriverProject MakeDriverProject(const QString& dir, const QString& name)
{
    DriverProject p;
    p.root = dir + QStringLiteral("/root");
    p.project = dir + QLatin1Char('/') + name;
    p.ok = CopyProgramFolder(p.root) && QDir().mkpath(QFileInfo(p.project).absolutePath()) &&
           QFile::copy(p.root + QStringLiteral("/FORM/form.pro"), p.project) &&
           QFile(p.project).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return p;
}

TempDriverProject::TempDriverProject(const QString& name)
{
    if (m_dir.isValid())
        m_made = MakeDriverProject(m_dir.path(), name);
}

CalcRun TempDriverProject::run(const QString& command) const
{
    return RunSevrinCalc(root(), project(), command);
}

CommandProject::CommandProject(const Prepare& prepare, const QString& name)
    : TempDriverProject(name), m_app(std::make_unique<CSevrinApp>())
{
    RecordingPrompt::Install();
    m_ready = TempDriverProject::ok() && (!prepare || prepare(*m_app, *this));
}

CommandProject::~CommandProject() = default;

QString PrintedRun::field(int line, int column) const
{
    return lines.value(line).split(QLatin1Char('\t')).value(column);
}

PrintedRun RunPrinting(const TempDriverProject& p, const QString& command)
{
    PrintedRun r;
    r.run = p.run(command);
    r.lines = r.run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString unprintable = FindUnprintableFigure(r.run.out);
    if (r.run.exitCode != 0)
        r.failure = QStringLiteral("exit code %1: %2").arg(r.run.exitCode).arg(r.run.err);
    else if (!unprintable.isEmpty())
        r.failure = QStringLiteral("printed ") + unprintable;
    return r;
}

void VerifyWorkbookMissingThenUnreadable(const TempDriverProject& p, const QString& file,
                                         const QString& command)
{
    const QString path = QFileInfo(p.project()).absolutePath() + QLatin1Char('/') + file;
    QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
    const CalcRun none = p.run(command);
    QVERIFY2(none.exitCode == 0, qPrintable(none.err));
    QVERIFY2(none.out.isEmpty(), qPrintable(none.out));
    QVERIFY2(none.err.isEmpty(), qPrintable(none.err));

    const QByteArray junk("not a workbook");
    QVERIFY(WriteFile(path, junk));
    const CalcRun r = p.run(command);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.contains(path), qPrintable(r.err));
    QCOMPARE(ReadFile(path), junk);
}
