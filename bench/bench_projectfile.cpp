// Project file: time to load every section and to save all seven written sections, on the
// template with every value filled in, and on the same project grown to about 35 MB by a
// foreign section of notes between its sections (a lookup that re-read and scanned the whole
// file would show here).
#include "benchcheck.h"
#include "benchpaths.h"
#include "app/core/sevrin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

bool MakeProject(const QString& path, qint64 padBytes)
{
    QFile form(BenchProgramDir() + QStringLiteral("/FORM/form.pro"));
    if (!form.open(QIODevice::ReadOnly))
        return false;
    QByteArray text = form.readAll();
    if (padBytes > 0) {
        QByteArray notes = "[Revision_Notes]\n";
        notes.reserve(padBytes + 200);
        const QByteArray line = " = 케이블 트레이 경로 변경, 변압기 2차측 간선 재검토, 고장전류 재계산 요청 (현장 회의록 참조)\n";
        for (int n = 0; notes.size() < padBytes; ++n)
            notes += "Note" + QByteArray::number(n) + line;
        const int at = text.indexOf("[Motor_Control_Center]");
        if (at < 0)
            return false;
        text.insert(at, notes);
    }
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

void FillProject()
{
    auto& p = theApp.ProjectIntroduceBlock;
    p.RR = 10;
    for (int n = 0; n < 10; ++n)
        p.RevDate[n] = QStringLiteral("2024.01.%1").arg(n + 10);
    for (QString& v : theApp.GroundingDesignBlock.GroundingConditionInput)
        v = QStringLiteral("123.456");
}

void Measure(const QString& path, int rounds)
{
    FillProject();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        theApp.LoadProjectFile(path);
    const double load = double(t.nsecsElapsed()) / 1e6 / rounds;
    t.restart();
    for (int i = 0; i < rounds; ++i) {
        Require(theApp.SaveProjectIntroduceSection(path), "SaveProjectIntroduceSection");
        Require(theApp.SaveMotorControlCenterSection(path), "SaveMotorControlCenterSection");
        Require(theApp.SaveCabinetSizingSection(path), "SaveCabinetSizingSection");
        Require(theApp.SaveTransformerSizingSection(path), "SaveTransformerSizingSection");
        Require(theApp.SaveGeneratorSizingSection(path), "SaveGeneratorSizingSection");
        Require(theApp.SaveFaultCurrentSection(path), "SaveFaultCurrentSection");
        Require(theApp.SaveGroundingDesignSection(path), "SaveGroundingDesignSection");
    }
    const double save = double(t.nsecsElapsed()) / 1e6 / rounds;
    std::printf("project file %11lld bytes: load %9.2f ms, save all sections %9.2f ms (%d rounds)\n",
                static_cast<long long>(QFile(path).size()), load, save, rounds);
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("B1.pro"));
    const QString large = dir.filePath(QStringLiteral("B2.pro"));
    if (!MakeProject(small, 0) || !MakeProject(large, 35LL * 1000 * 1000)) {
        std::printf("no template\n");
        return 1;
    }
    Measure(small, 50);
    Measure(large, argc > 1 ? std::atoi(argv[1]) : 3);
    return 0;
}
