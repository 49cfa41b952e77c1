#include "app/core/sevrin.h"

#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/serverpost.h"

#include <QDateTime>
#include <QDir>

CSevrinApp theApp;

namespace {

const QString kSystem = QStringLiteral("SYSTEM");

// The release that the minor version "231010" belongs to. It is part of the version shown in
// the title, so it is fixed with the version instead of following the compile date.
const QString kReleaseDate = QStringLiteral("Dec  4 2023");

QString WithoutAll(QString text, const QString& what)
{
    return text.remove(what);
}

}  // namespace

CSevrinApp::CSevrinApp()
{
    PanelNameRegistry.PanelNameCapacity = 100;
    PanelNameRegistry.PanelNameCount = 0;
    ServerSettings.MinorVersion = QStringLiteral("231010");
    ServerSettings.ServerPort = 9300;
}

CSevrinApp::~CSevrinApp() = default;

QString CSevrinApp::ConfigFilePath()
{
    return QDir::current().filePath(QStringLiteral("ORVA.ini"));
}

bool CSevrinApp::ReadConfig()
{
    const QString ini = ConfigFilePath();
    auto read = [&](const char* key, const QString& def) {
        return GetProfileString(ini, kSystem, QString::fromLatin1(key), def);
    };

    AppSettings.PrintMode = LeadingInt(read("Print", QStringLiteral("0")));
    AppSettings.ShowInsertButtons = LeadingInt(read("Button", QStringLiteral("0"))) != 0 ? 1 : 0;

    ProjectPathTableT& p = ProjectPathTable;
    const QString root = read("Path", QString());
    p.RootPath = !root.isEmpty() ? root : GetFolderOfPath(GetModulePath());
    p.LibFolder = read("PathLib", QStringLiteral("LIB"));
    p.OutFolder = read("PathOut", QStringLiteral("OUT"));
    p.ProFolder = read("PathPro", QStringLiteral("PRO"));
    p.CiFolder = read("PathCI", QStringLiteral("CI"));
    p.LibWorkbookPath = JoinPath(JoinPath(p.RootPath, p.LibFolder), QStringLiteral("lib_v3p4.xlsx"));
    p.BreakerWorkbookPath =
        JoinPath(JoinPath(p.RootPath, p.LibFolder), QStringLiteral("breaker_v3p4.xlsx"));
    p.CurrentProjectPath = read("lastPro", QString());
    p.FormProPath = JoinPath(p.RootPath, QStringLiteral("FORM/form.pro"));
    p.FormXlsxPath = JoinPath(p.RootPath, QStringLiteral("FORM/form.xlsx"));
    p.CompanionSuffixTable = {
        QStringLiteral("_10.xlsx"),  QStringLiteral("_20.xlsx"),  QStringLiteral("_40.xlsx"),
        QStringLiteral("_50.xlsx"),  QStringLiteral("_30.xlsx"),  QStringLiteral("_60.xlsx"),
        QStringLiteral("_80.xlsx"),  QStringLiteral("_851.xlsx"), QStringLiteral("_852.xlsx"),
        QStringLiteral("_853.xlsx"), QStringLiteral("_854.xlsx"), QStringLiteral("_855.xlsx"),
    };

    // The update server: empty means the program asks no server at all.
    ServerSettings.ServerHost = read("ServerHost", QString()).trimmed();
    return true;
}

bool CSevrinApp::SaveLastProject()
{
    static_cast<void>(WriteProfileString(ConfigFilePath(), kSystem, QStringLiteral("lastPro"),
                                         ProjectPathTable.CurrentProjectPath));
    return true;
}

void CSevrinApp::SetMainTitle(const QString& part1, const QString& part2)
{
    m_mainTitle = QStringLiteral("Palvane 전기설계 프로그램 Ver 2.0 (%1 %2) %3%4")
                      .arg(ServerSettings.MinorVersion, kReleaseDate, part1, part2);
    if (TitleSink)
        TitleSink(m_mainTitle);
}

QString CSevrinApp::ProjectName() const
{
    return WithoutAll(GetFileNameOfPath(ProjectPathTable.CurrentProjectPath), QStringLiteral(".pro"));
}

QString CSevrinApp::LibraryName() const
{
    return WithoutAll(GetFileNameOfPath(ProjectPathTable.LibWorkbookPath), QStringLiteral(".xlsx"));
}

QString CSevrinApp::BreakerName() const
{
    return WithoutAll(GetFileNameOfPath(ProjectPathTable.BreakerWorkbookPath),
                      QStringLiteral(".xlsx"));
}

QString CSevrinApp::MakeTimeStamp()
{
    return QTime::currentTime().toString(QStringLiteral("HHmmss"));
}

QString CSevrinApp::MakeInsertedItemName()
{
    return QStringLiteral("_____");
}

QString CSevrinApp::MakeDateTimeSuffix()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QStringLiteral("_") + now.toString(QStringLiteral("MMdd_HHmmss"));
}

QString CSevrinApp::PostFormToServer(const QString& path, const QString& host, const QString& body)
{
    return ::PostFormToServer(path, host, ServerSettings.ServerPort, body);
}

QString CSevrinApp::NoticeAddress() const
{
    QString host = ServerSettings.ServerHost.trimmed();
    if (host.isEmpty())
        return QString();
    QString scheme = QStringLiteral("https://");
    if (host.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)) {
        scheme = QStringLiteral("http://");
        host = host.mid(7);
    } else if (host.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive)) {
        host = host.mid(8);
    }
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return scheme + host + QLatin1Char(':') + QString::number(ServerSettings.ServerPort) +
           QStringLiteral("/nboard/");
}
