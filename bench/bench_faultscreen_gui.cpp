// The fault-current screen on a project at the list limits: 1000 distribution lines, 1000
// incoming cables, five transformers with 1000 motors each and 1000 feeder cables. Figures:
// the refill after a project load, showing each page, "계산", one row added and inserted on
// the cable and motor pages, the imports of 1000 schedule cables and 1000 MCC motors, the
// impedance summary, the cable picker and the fault-current report sheet.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_faultscreen_gui
#include "benchcheck.h"
#include "benchprompt.h"
#include "benchpaths.h"
#include "benchproject.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "fault/core/faultcurrent.h"
#include "fault/core/faultrows.h"
#include "fault/gui/debugdlg.h"
#include "fault/gui/faultcablepickerdlg.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"
#include "report/core/reportdriver.h"
#include "report/gui/faultreportwriter.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kRows = 1000;

double Ms(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// The reference tables the pages look up: transformer X/R, cable and wire impedances
// (R = 23.52 / S ohm/km, X = 0.08), one motor (110 kW DOL), one line type.
void FillLibrary()
{
    LibTable& trimp = theApp.TransformerLibBlock.TRIMP;
    const double tr[3][3] = {{500, 4.5, 5.0}, {1000, 5.0, 6.0}, {2000, 6.0, 8.0}};
    for (int e = 0; e < 3; ++e)
        for (int p = 0; p < 3; ++p)
            trimp.Cell(e, p) = QString::number(tr[e][p]);
    trimp.Count = 3;
    const double sizes[16] = {1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300};
    LibTable& cbl = theApp.CableLibBlock.CBLIMP;
    LibTable& hfix = theApp.CableLibBlock.HFIXIMP;
    for (int e = 0; e < 16; ++e) {
        cbl.Cell(e, 0) = hfix.Cell(e, 0) = QString::number(sizes[e]);
        cbl.Cell(e, 12) = QString::number(23.52 / sizes[e], 'f', 6);
        cbl.Cell(e, 13) = QStringLiteral("0.080");
        hfix.Cell(e, 1) = QString::number(18.1 / sizes[e], 'f', 6);
        hfix.Cell(e, 2) = QStringLiteral("0.100");
    }
    cbl.Count = hfix.Count = 16;
    LibTable& motors = theApp.MotorLibBlock.MotorTable2;
    motors.Cell(0, 1) = QStringLiteral("110");
    motors.Cell(0, 3) = QStringLiteral("0.38");
    motors.Cell(0, 4) = QStringLiteral("0.95");
    motors.Cell(0, 5) = QStringLiteral("0.88");
    motors.Cell(0, 7) = QStringLiteral("DOL");
    motors.Count = 1;
    LibTable& line = theApp.CableLibBlock.LineImpedanceTable;
    const char* props[11] = {"ACSR-OC", "ACSR", "58", "OW", "OW", "32",
                             "0.1000", "0.3000", "0.4000", "1.2000", "가공"};
    for (int p = 0; p < 11; ++p)
        line.Cell(0, p) = QString::fromUtf8(props[p]);
    line.Count = 1;
    LibTable& legend = theApp.CableLibBlock.CableTypeLegend;
    legend.Cell(0, 0) = QStringLiteral("ACSR");
    legend.Count = 1;
}

// The fault-current workbook at the list limits, rows built by the page's own row builders.
void WriteFaultWorkbook()
{
    auto& b = theApp.FaultCurrentBlock;
    Book book;
    std::vector<Sheet*> sheets;
    for (int i = 0; i < 10; ++i)
        sheets.push_back(book.addSheet(QString::number(i)));
    fault::LineRowInputs line;
    line.LibraryInput = false;
    line.Direct = {"0.01", "0.03", "0.04", "0.12"};
    for (int r = 0; r < kRows; ++r) {
        fault::BuildUtilityLineRow(theApp, r, line);
        Require(companion::WriteRow(*sheets[0], r, b.LineRow), "WriteRow");
        fault::BuildIncomingCableRow(theApp, r, line);
        Require(companion::WriteRow(*sheets[1], r, b.IncomingCableRow), "WriteRow");
    }
    for (int k = 0; k < 5; ++k) {
        b.TransformerImpedanceRow.fill(QString());
        b.TransformerImpedanceRow[1] = QStringLiteral("1000");
        b.TransformerImpedanceRow[2] = QStringLiteral("5");
        b.TransformerImpedanceRow[4] = QStringLiteral("0.38");
        b.TransformerImpedanceRow[7] = QStringLiteral("0");
        fault::CalcTransformerImpedance(theApp, b.TransformerImpedanceRow, 2.0, 20.0);
        Require(companion::WriteRow(*sheets[2], k, b.TransformerImpedanceRow), "WriteRow");
    }
    const fault::MotorRowInputs motor{"MCC-1", "M", "110", "", "DOL", "6", "4", "2.5"};
    b.FaultMotorCount = 0;
    for (int r = 0; r < kRows; ++r) {
        fault::BuildFaultMotorRow(theApp, motor, 0.38, 0.95, 0.88, QString());
        b.FaultMotorRow[2] = QStringLiteral("M-%1").arg(r + 1);
        for (int k = 0; k < 5; ++k)
            Require(companion::WriteRow(*sheets[std::size_t(3 + k)], r, b.FaultMotorRow), "WriteRow");
        ++b.FaultMotorCount;
    }
    b.FaultCableCount = 0;
    for (int r = 0; r < kRows; ++r) {
        const fault::CableRowInputs cable{QStringLiteral("MCC-%1").arg(r), QStringLiteral("LP-%1").arg(r),
                                          QString::number(20 + r % 80), QStringLiteral("FCV"),
                                          QStringLiteral("70"), QStringLiteral("4"), QStringLiteral("1"),
                                          QStringLiteral("35"), QStringLiteral("1")};
        fault::BuildFaultCableRow(theApp, cable, QString(), 0.7843, 1.4931);
        Require(companion::WriteRow(*sheets[8], r, b.FaultCableRow), "WriteRow");
        ++b.FaultCableCount;
    }
    Require(book.save(theApp.CompanionPath(CSevrinApp::FaultDataWorkbook)), "save");
}

// 1000 schedule rows of three-phase feeders for the cable import.
void WriteCableSchedule()
{
    Book book;
    Sheet* s = book.addSheet(QStringLiteral("Data"));
    std::array<QString, 112> row;
    for (int r = 0; r < kRows; ++r) {
        row.fill(QString());
        row[0] = QString::number(r + 1);
        row[1] = QStringLiteral("C-%1").arg(r + 1);
        row[2] = QStringLiteral("MDB");
        row[3] = QStringLiteral("P-%1").arg(r);
        row[4] = QStringLiteral("L3P");
        row[30] = QStringLiteral("50");
        row[44] = QStringLiteral("1");
        row[105] = QStringLiteral("FCV");
        row[106] = QStringLiteral("70㎟");
        row[108] = QStringLiteral("4C");
        row[109] = QStringLiteral("1L");
        row[110] = QStringLiteral("35㎟");
        Require(companion::WriteRow(*s, r, row), "WriteRow");
    }
    Require(book.save(theApp.CompanionPath(CSevrinApp::CableWorkbook)), "save");
}

// Ten MCC panels fed from TR-2 with 100 motors each.
void WriteMccWorkbook()
{
    auto& mcc = theApp.MotorControlCenterBlock;
    CompanionBatch batch;
    for (int n = 0; n < 10; ++n) {
        mcc.MccPanelRecord.fill(QString());
        mcc.MccPanelRecord[0] = QStringLiteral("MCC-%1").arg(n + 1);
        mcc.MccPanelRecord[3] = QStringLiteral("TR-2");
        Require(theApp.AddMccPanelSheet(), "AddMccPanelSheet");
        for (int k = 0; k < 100; ++k) {
            mcc.MccLoadRow.fill(QString());
            mcc.MccLoadRow[0] = QStringLiteral("부하");
            mcc.MccLoadRow[1] = QStringLiteral("EQ-%1-%2").arg(n).arg(k);
            mcc.MccLoadRow[2] = QStringLiteral("M");
            mcc.MccLoadRow[3] = QStringLiteral("37");
            mcc.MccLoadRow[4] = QStringLiteral("48.2");
            mcc.MccLoadRow[9] = QStringLiteral("0.38");
            mcc.MccLoadRow[10] = QStringLiteral("0.93");
            mcc.MccLoadRow[11] = QStringLiteral("0.85");
            mcc.MccLoadRow[13] = QStringLiteral("DOL");
            Require(theApp.WriteMccLoadRow(n, k, false), "WriteMccLoadRow");
        }
    }
}

class SilentHost : public ReportHost
{
public:
    QStringList progress;
    void SetOutputProgress(const QString& text, int number) override
    {
        progress << QStringLiteral("%1-%2").arg(text).arg(number);
    }
    void ReportWarning(const QString& text) override { progress << text; }
    bool ReadProjectScreen(ProjectScreenTexts& out) override
    {
        out.projectName = QStringLiteral("bench");
        return true;
    }
};

void Refill(CFaultScreen& view)
{
    view.ShowFaultCurrentInputs();
    view.UtilityPage()->FillUtilityTypeCombos();
    view.UtilityPage()->FillUtilityLineList();
    view.UtilityPage()->FillIncomingCableList();
    view.TransformerPage()->FillTransformerList();
    view.MotorPage()->FillMotorList();
    view.CablePage()->FillCableList();
    view.BusPage()->LoadFaultBusData();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    auto prompt = std::make_unique<BenchPrompt>();
    BenchPrompt* answers = prompt.get();
    Prompt::SetHandler(std::move(prompt));

    QTemporaryDir project;
    theApp.ProjectPathTable.CompanionSuffixTable = BenchCompanionSuffixes();
    theApp.ProjectPathTable.CurrentProjectPath = project.filePath(QStringLiteral("P1.pro"));
    FillLibrary();
    theApp.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    theApp.FaultCurrentBlock.FaultConditionText = {"0.00393", "90", "20", "0.00393", "250", "20",
                                                   "1.05", "0.95", "1.1", "1", "1.1", "1"};
    WriteFaultWorkbook();
    WriteCableSchedule();
    WriteMccWorkbook();
    companion::DropCache();

    CFaultScreen view;
    view.OnInitialUpdate();
    view.resize(view.FormSize());
    view.show();
    view.CablePage()->SetInsertButtonsVisible(true);
    view.MotorPage()->SetInsertButtonsVisible(true);
    QApplication::processEvents();

    std::printf("project: %d lines, %d incoming cables, 5 transformers with %d motors each, %d cables\n",
                kRows, kRows, kRows, kRows);
    for (int round = 0; round < 3; ++round) {
        companion::DropCache();  // a cold refill, as after opening the project
        const double cold = Ms([&] { Refill(view); });
        const double warm = Ms([&] { Refill(view); });
        std::printf("refill after project load: %.1f ms from the files, %.1f ms again (cached)\n",
                    cold, warm);
    }

    // Each page shown and painted; the first visit to the motor page computes once.
    const struct
    {
        int button;
        const char* name;
    } pages[] = {{1123, "page 1 (다음)"}, {1057, "motor page (first visit computes)"},
                 {1058, "cable page"},    {1059, "bus page"},
                 {1060, "SLD Report page"}, {1056, "utility page"},
                 {1057, "motor page again"}};
    for (const auto& p : pages) {
        const double ms = Ms([&] {
            view.Control<QPushButton>(p.button)->click();
            view.CurrentPage()->grab();
        });
        std::printf("show %-34s %8.1f ms\n", p.name, ms);
    }

    for (int round = 0; round < 2; ++round) {
        companion::DropCache();
        const double ms = Ms([&] { view.Control<QPushButton>(1645)->click(); });
        std::printf("\"계산\" (%d line and cable rows, %d motor rows): %.1f ms%s\n", 2 * kRows,
                    5 * kRows, ms, round == 0 ? " from the files" : "");
    }

    // One row added and one inserted on lists of 999 rows: computed, stored, checked.
    CFaultCablePage* cables = view.CablePage();
    cables->List()->setSelectionMark(-1);
    {
        answers->messages = 0;
        companion::DropCache();
        Ms([&] { cables->FillCableList(); });
        Require(fault::DeleteFaultListRow(theApp, fault::CableSheet, kRows - 1), "DeleteFaultListRow");
        cables->FillCableList();
        const double add = Ms([&] { cables->Control<QPushButton>(1691)->click(); });
        Require(fault::DeleteFaultListRow(theApp, fault::CableSheet, kRows - 1), "DeleteFaultListRow");
        cables->FillCableList();
        cables->List()->setSelectionMark(10);
        const double insert = Ms([&] { cables->Control<QPushButton>(1695)->click(); });
        cables->List()->setSelectionMark(10);
        const double remove = Ms([&] { cables->Control<QPushButton>(1693)->click(); });
        std::printf("cable page at %d rows: 추가 %.1f ms, + %.1f ms, 삭제 %.1f ms (%d messages)\n",
                    kRows, add, insert, remove, answers->messages);
    }
    CFaultMotorPage* motors = view.MotorPage();
    {
        motors->SetText(1402, QStringLiteral("110"));  // the motor the library holds
        answers->messages = 0;
        Require(fault::DeleteFaultListRow(theApp, fault::FirstMotorSheet, kRows - 1), "DeleteFaultListRow");
        motors->FillMotorList();
        const double add = Ms([&] { motors->Control<QPushButton>(1395)->click(); });
        Require(fault::DeleteFaultListRow(theApp, fault::FirstMotorSheet, kRows - 1), "DeleteFaultListRow");
        motors->FillMotorList();
        motors->List()->setSelectionMark(10);
        const double insert = Ms([&] { motors->Control<QPushButton>(1406)->click(); });
        const double change = Ms([&] {
            motors->List()->setSelectionMark(10);
            motors->Control<QPushButton>(1396)->click();
        });
        std::printf("motor page at %d rows: 추가 %.1f ms, + %.1f ms, 수정 %.1f ms (%d messages)\n",
                    kRows, add, insert, change, answers->messages);
    }

    // The imports into emptied lists: 1000 schedule cables, 1000 MCC motors of TR-2.
    {
        CompanionBatch batch;
        for (int r = kRows - 1; r >= 0; --r)
            Require(theApp.DeleteFaultDataRow(fault::CableSheet, r), "DeleteFaultDataRow");
        for (int r = kRows - 1; r >= 0; --r)
            Require(theApp.DeleteFaultDataRow(fault::FirstMotorSheet + 1, r), "DeleteFaultDataRow");
    }
    cables->FillCableList();
    companion::DropCache();
    answers->messages = 0;
    const double cableImport = Ms([&] { cables->Control<QPushButton>(1694)->click(); });
    std::printf("cable import: %d rows in %.1f ms (%d messages)\n", cables->List()->rows()->rowCount(),
                cableImport, answers->messages);
    motors->Combo(1122)->setCurrentIndex(1);
    companion::DropCache();
    const double motorImport = Ms([&] { motors->Control<QPushButton>(1404)->click(); });
    std::printf("motor import: %d rows in %.1f ms (%d messages)\n", motors->List()->rows()->rowCount(),
                motorImport, answers->messages);

    // The impedance summary and the cable picker over 1000 cables.
    const double summary = Ms([&] {
        CDebugDlg dialog(&view);
        dialog.show();
        dialog.grab();
    });
    companion::DropCache();
    int listed = 0;
    const double picker = Ms([&] {
        CFaultCablePickerDlg dialog(&view);
        dialog.show();
        dialog.grab();
        listed = dialog.List()->rows()->rowCount();
    });
    std::printf("impedance summary opened: %.1f ms; cable picker with %d cables opened: %.1f ms\n",
                summary, listed, picker);

    // The report of the fault-current sheet alone: recompute, snapshot, write, save.
    const QString form = BenchProgramDir() + QStringLiteral("/FORM/form.xlsx");
    const QString report = project.filePath(QStringLiteral("report.xlsx"));
    if (QFile::copy(form, report)) {
        SetReportSheetWriter(7, std::make_shared<FaultCurrentReportWriter>());
        ReportChoiceSet choices{};
        choices[7] = 1;
        SilentHost host;
        companion::DropCache();
        const double ms = Ms([&] { WriteReportWorkbook(report, choices, host, ReportRunSettings{}); });
        std::printf("fault-current report sheet (recomputed, written, saved): %.1f ms; %s\n", ms,
                    qPrintable(host.progress.join(QStringLiteral(", "))));
    } else {
        std::printf("no report template at %s\n", qPrintable(form));
    }
    return 0;
}
