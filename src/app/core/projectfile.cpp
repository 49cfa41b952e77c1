// Reading and writing the project file.
#include "app/core/sevrin.h"

bool CSevrinApp::LoadProjectFile(QString path)
{
    Q_UNUSED(path);
    return true;
}

bool CSevrinApp::LoadTransformerSection(QString path)
{
    Q_UNUSED(path);
    return true;
}

bool CSevrinApp::SaveProjectIntroduceSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveMotorControlCenterSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveCabinetSizingSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveTransformerSizingSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveCableSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveTraySection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveGeneratorSizingSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveSwitchgearSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveFaultCurrentSection(QString path) { Q_UNUSED(path); return true; }
bool CSevrinApp::SaveGroundingDesignSection(QString path) { Q_UNUSED(path); return true; }
