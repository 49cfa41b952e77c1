#include "report/core/reportdriver.h"

#include "app/core/sevrin.h"
#include "platform/paths.h"
#include "platform/xlsxbook.h"
#include "report/core/guithread.h"
#include "report/core/pdfconvert.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <mutex>

namespace {

std::mutex g_writersMutex;
std::array<std::shared_ptr<ReportSheetWriter>, kReportCount> g_writers;

bool StopRequested()
{
    return theApp.ReportStopFlag.load() == 1;
}

// The host the writers of a run see: everything passes on to the run's own host, and the
// warnings are kept, so that the end of the run can show them all together (on the progress
// line each stands for a moment only).
class RunHost final : public ReportHost
{
public:
    explicit RunHost(ReportHost& inner) : m_inner(inner) {}
    void SetOutputProgress(const QString& text, int number) override { m_inner.SetOutputProgress(text, number); }
    bool ReadProjectScreen(ProjectScreenTexts& out) override { return m_inner.ReadProjectScreen(out); }
    void ReportWarning(const QString& text) override
    {
        warnings << text;
        m_inner.ReportWarning(text);
    }

    QStringList warnings;

private:
    ReportHost& m_inner;
};

// The report file of a run that ends without a report.
void DiscardReport(Book& book, const QString& path)
{
    book.release();
    QFile::remove(path);
}

}  // namespace

void SetReportSheetWriter(int report, std::shared_ptr<ReportSheetWriter> writer)
{
    if (report < 1 || report >= kReportCount)
        return;
    std::lock_guard<std::mutex> lock(g_writersMutex);
    g_writers[report] = std::move(writer);
}

std::shared_ptr<ReportSheetWriter> ReportSheetWriterFor(int report)
{
    if (report < 1 || report >= kReportCount)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_writersMutex);
    return g_writers[report];
}

void ClearReportSheetWriters()
{
    std::lock_guard<std::mutex> lock(g_writersMutex);
    for (auto& w : g_writers)
        w.reset();
}

void PlaceLogo(Sheet& sheet, int firstColumn, int columns, int pictureId)
{
    if (pictureId >= 0 && columns > 0)
        sheet.setPictureInRange(0, firstColumn, 0, firstColumn + columns - 1, pictureId, 3);
}

QString ReportName(int report)
{
    static const char* const names[kReportCount] = {
        "프로젝트 표지",       "동력 계산서",         "부하 계산서",
        "케이블&차단기 계산서", "케이블트레이 계산서", "변압기용량 계산서",
        "발전기용량 계산서",   "고장전류 계산서",     "접지저항 계산서",
    };
    return report >= 0 && report < kReportCount ? QString::fromUtf8(names[report]) : QString();
}

ReportRunSettings ReportRunSettings::FromApp()
{
    ReportRunSettings s;
    s.rootPath = theApp.ProjectPathTable.RootPath;
    s.ciFolder = theApp.ProjectPathTable.CiFolder;
    s.ci = theApp.ProjectIntroduceBlock.CI;
    s.printMode = theApp.AppSettings.PrintMode;
    s.serverHost = theApp.ServerSettings.ServerHost;
    if (theApp.ServerSettings.ServerPort != 0)
        s.serverPort = theApp.ServerSettings.ServerPort;
    return s;
}

std::array<bool, kReportSheetCount> BuildSheetKeepTable(const ReportChoiceSet& choices)
{
    std::array<bool, kReportSheetCount> keep{};
    for (int s = 0; s <= 7; ++s)
        keep[s] = choices[s] == 1;
    for (int s = 8; s <= 12; ++s)
        keep[s] = choices[7] == 1;
    keep[13] = choices[8] == 1;
    return keep;
}

QString MakeReportOutputPath(const QString& projectPath, const QString& rootPath,
                             const QString& outFolder, const QString& dateTimeSuffix)
{
    QString name = GetFileNameOfPath(projectPath);
    name.remove(QStringLiteral(".pro"));
    QString fileName = name + dateTimeSuffix + QStringLiteral(".xlsx");
    // Only the file name: a folder renamed here would not exist.
    fileName.replace(QLatin1Char(' '), QLatin1Char('_'));
    return JoinPath(JoinPath(rootPath, outFolder), fileName);
}

bool CopyReportTemplate(const QString& templatePath, const QString& reportPath)
{
    if (!QFileInfo(templatePath).isFile())
        return false;
    if (QFileInfo::exists(reportPath) && !QFile::remove(reportPath))
        return false;
    return QFile::copy(templatePath, reportPath);
}

QString WriteCoverSheet(Sheet& cover, int pictureId, ReportHost& host)
{
    ProjectScreenTexts project;
    if (!host.ReadProjectScreen(project))
        return QString();
    host.SetOutputProgress(QStringLiteral("메인표지"), 0);
    // The client's logo under "발주처", as large as the area allows and in its own proportions.
    if (pictureId >= 0)
        cover.setPictureInRange(kCoverLogoFirstRow, kCoverLogoFirstColumn, kCoverLogoLastRow,
                                kCoverLogoLastColumn, pictureId, 3, true);
    cover.writeStr(5, 1, project.projectName);
    cover.writeStr(5, 14, project.projectName);
    cover.writeStr(32, 5, project.date);

    // The first revision at the bottom (row 55), later ones above it. The issue table has ten
    // rows; a longer list would reach into the table's captions, so it is cut.
    static const int sheetColumn[6] = {13, 14, 15, 23, 24, 25};
    const int rows = std::min<int>(int(project.issueRows.size()), 10);
    for (int i = 0; i < rows; ++i) {
        const QStringList& cells = project.issueRows[size_t(i)];
        for (int k = 0; k < 6; ++k)
            cover.writeStr(55 - i, sheetColumn[k], cells.value(k));
    }
    if (project.issueRows.empty())
        return QString();
    return project.issueRows[size_t(rows - 1)].value(0);
}

QString ReportRunSummary(const QString& reportPath, const QStringList& warnings)
{
    QString text = QObject::tr("계산서를 저장하였습니다.\n%1").arg(reportPath);
    if (warnings.isEmpty())
        return text;
    // A message box has room for a screenful; the rest is counted.
    constexpr int kShown = 25;
    text += QObject::tr("\n\n확인할 사항 %1건:").arg(warnings.size());
    for (int i = 0; i < std::min<int>(int(warnings.size()), kShown); ++i)
        text += QStringLiteral("\n- ") + warnings[i];
    if (warnings.size() > kShown)
        text += QObject::tr("\n외 %1건").arg(warnings.size() - kShown);
    return text;
}

ReportRunResult WriteReportWorkbook(const QString& reportPath, const ReportChoiceSet& choicesIn,
                                    ReportHost& runHost, const ReportRunSettings& settings)
{
    RunHost host(runHost);
    QString revision = QStringLiteral("Rev.");
    Book book;
    if (!book.load(reportPath)) {
        DiscardReport(book, reportPath);
        GuiPrompt::Message(QObject::tr("보고서 파일을 열 수 없습니다.\n%1").arg(reportPath));
        return ReportRunResult::Failed;
    }

    // A chosen report whose writer the program does not have is left out, and the user is
    // told so: an empty template page must not pass for a calculation.
    ReportChoiceSet choices = choicesIn;
    std::array<std::shared_ptr<ReportSheetWriter>, kReportCount> writers;
    QStringList leftOut;
    int writable = 0;
    for (int r = 0; r < kReportCount; ++r) {
        if (choices[r] != 1)
            continue;
        if (r > 0) {
            writers[size_t(r)] = ReportSheetWriterFor(r);
            if (!writers[size_t(r)]) {
                choices[r] = 0;
                leftOut << ReportName(r);
                continue;
            }
        }
        ++writable;
    }
    if (writable == 0) {
        DiscardReport(book, reportPath);
        GuiPrompt::Message(
            QObject::tr("선택한 계산서는 이 버전에서 출력할 수 없습니다.\n%1").arg(leftOut.join(QLatin1Char('\n'))));
        return ReportRunResult::NothingToWrite;
    }

    // The logo is looked for in the logo folder (a project file written elsewhere may keep a
    // whole path). A logo the report cannot place is one of the run's warnings, by its path.
    int picture = -1;
    if (!settings.ci.isEmpty()) {
        const QString logo = QFileInfo(settings.ci).isAbsolute()
                                 ? settings.ci
                                 : JoinPath(JoinPath(settings.rootPath, settings.ciFolder), settings.ci);
        picture = book.addPicture(logo);
        if (picture < 0)
            host.ReportWarning(QFileInfo(logo).isFile()
                                   ? QObject::tr("발주처 CI: 그림(JPG, PNG)으로 읽을 수 없어 로고 없이 출력 - %1").arg(logo)
                                   : QObject::tr("발주처 CI: 파일이 없어 로고 없이 출력 - %1").arg(logo));
    }

    std::array<bool, kReportSheetCount> unused{};
    auto write = [&](int report, int sheetIndex, int transformer) {
        Sheet* sheet = book.getSheet(sheetIndex);
        if (!sheet || !writers[size_t(report)])
            return;
        ReportSheetJob job;
        job.sheet = sheet;
        job.templateSheet = sheetIndex;
        job.transformer = transformer;
        job.pictureId = picture;
        job.revision = revision;
        job.host = &host;
        job.unused = &unused[size_t(sheetIndex)];
        writers[size_t(report)]->WriteSheet(job);
    };

    if (choices[0] == 1)
        if (Sheet* cover = book.getSheet(0))
            revision += WriteCoverSheet(*cover, picture, host);
    if (choices[1] == 1)
        write(1, 1, -1);
    if (StopRequested()) {
        DiscardReport(book, reportPath);
        return ReportRunResult::Stopped;
    }
    if (choices[2] == 1)
        write(2, 2, -1);
    if (StopRequested()) {
        DiscardReport(book, reportPath);
        return ReportRunResult::Stopped;
    }
    for (int r = 3; r <= 6; ++r)
        if (choices[r] == 1)
            write(r, r, -1);
    if (choices[7] == 1) {
        write(7, 7, -1);
        for (int t = 0; t < 5; ++t)
            write(7, 8 + t, t);
    }
    if (choices[8] == 1)
        write(8, 13, -1);

    // Downwards, so the sheets still to be tested keep their indexes.
    auto keep = BuildSheetKeepTable(choices);
    for (int s = 0; s < kReportSheetCount; ++s)
        keep[size_t(s)] = keep[size_t(s)] && !unused[size_t(s)];
    for (int s = kReportSheetCount - 1; s >= 0; --s)
        if (!keep[size_t(s)] && s < book.sheetCount())
            book.delSheet(s);
    // The spare sheet: a book needs one sheet while the others are removed.
    if (book.sheetCount() > 1) {
        book.moveSheet(book.sheetCount() - 1, 0);
        book.delSheet(0);
    }
    for (int s = 0; s < book.sheetCount(); ++s)
        book.getSheet(s)->setProtect(true);

    if (!book.save(reportPath)) {
        DiscardReport(book, reportPath);
        GuiPrompt::Message(QObject::tr("보고서 파일을 저장하지 못했습니다.\n%1").arg(reportPath));
        return ReportRunResult::Failed;
    }
    book.release();

    if (StopRequested()) {
        QFile::remove(reportPath);
        return ReportRunResult::Stopped;
    }
    if (!leftOut.isEmpty())
        GuiPrompt::Message(QObject::tr("다음 계산서는 이 버전에서 출력할 수 없어 보고서에서 빠졌습니다.\n%1")
                               .arg(leftOut.join(QLatin1Char('\n'))));
    // Where the report is, and what its reader must know, once at the end of the run. A report
    // that is handed on at once is found by its program; its warnings are still shown first.
    if (settings.printMode == 0 || !host.warnings.isEmpty())
        GuiPrompt::Message(ReportRunSummary(reportPath, host.warnings), Prompt::Buttons::Ok,
                           host.warnings.isEmpty() ? Prompt::Icon::Information : Prompt::Icon::Exclamation);
    if (settings.printMode >= 1) {
        if (GuiPrompt::ConfirmRun(QObject::tr("저장된 파일을 출력 합니다.")) &&
            OpenOutputFile(reportPath, settings.printMode, settings))
            return ReportRunResult::HandedOn;
    }
    return ReportRunResult::Saved;
}

bool OpenOutputFile(const QString& reportPath, int printMode, const ReportRunSettings& settings)
{
    switch (printMode) {
    case 1:
        if (GuiPrompt::OpenWithDefault(reportPath))
            return true;
        GuiPrompt::Message(QObject::tr("보고서를 열 프로그램을 시작하지 못했습니다.\n%1").arg(reportPath));
        return false;
    case 2: {
#ifdef Q_OS_WIN
        const QString app = JoinPath(settings.rootPath, QStringLiteral("app.exe"));
#else
        const QString app = JoinPath(settings.rootPath, QStringLiteral("app"));
#endif
        if (GuiPrompt::StartProgram(app, {reportPath}))
            return true;
        GuiPrompt::Message(QObject::tr("프로그램을 시작하지 못했습니다.\n%1").arg(app));
        return false;
    }
    case 3:
        return ConvertToPdf(reportPath, settings) == PdfResult::Saved;
    default:
        GuiPrompt::Message(QObject::tr("지원하지 않습니다."));
        return false;
    }
}
