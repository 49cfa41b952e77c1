// Project file: time to load every section and to save all ten sections, on a project made
// from the template with every value filled in.
#include "app/core/sevrin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("B1.pro"));
    if (!QFile::copy(QStringLiteral(SEVRIN_PROGRAM_DIR "/FORM/form.pro"), path)) {
        std::printf("no template\n");
        return 1;
    }
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);

    auto& p = theApp.ProjectIntroduceBlock;
    p.RR = 10;
    for (int n = 0; n < 10; ++n)
        p.RevDate[n] = QStringLiteral("2024.01.%1").arg(n + 10);
    for (QString& v : theApp.GroundingDesignBlock.GroundingConditionInput)
        v = QStringLiteral("123.456");

    const int rounds = 50;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        theApp.SaveProjectIntroduceSection(path);
        theApp.SaveMotorControlCenterSection(path);
        theApp.SaveCabinetSizingSection(path);
        theApp.SaveTransformerSizingSection(path);
        theApp.SaveGeneratorSizingSection(path);
        theApp.SaveFaultCurrentSection(path);
        theApp.SaveGroundingDesignSection(path);
    }
    const double save = double(t.nsecsElapsed()) / 1e6 / rounds;
    t.restart();
    for (int i = 0; i < rounds; ++i)
        theApp.LoadProjectFile(path);
    const double load = double(t.nsecsElapsed()) / 1e6 / rounds;
    std::printf("project file %lld bytes: save all sections %.2f ms, load %.2f ms\n",
                static_cast<long long>(QFile(path).size()), save, load);
    return 0;
}
