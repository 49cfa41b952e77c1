// The cable & breaker screen on a 1000-row schedule: list load, one "추가", the import of
// 1000 loads from an MCC workbook, and the fault-current search over 1000 rows (five bus
// workbooks of 100 pages, every tenth row without a bus, its message answered).
// Run offscreen: QT_QPA_PLATFORM=offscreen ./bench_cablescreen_gui
#include "benchcheck.h"
#include "benchprompt.h"
#include "../tests/cable/cablefixture.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/core/cableapp.h"
#include "cable/core/cableschedule.h"
#include "cable/gui/cablescreen.h"
#include "loads/core/designconditions.h"
#include "platform/prompt.h"
#include "platform/xlsxbook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double Ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// n loads on one MCC panel "MCC-1" (motors and lighting alternating).
void WriteMccWorkbook(int loads)
{
    auto& block = theApp.MotorControlCenterBlock;
    block.MccPanelRecord.fill(QString());
    block.MccPanelRecord[0] = QStringLiteral("MCC-1");
    block.MccPanelRecord[3] = QStringLiteral("MDB");
    block.MccPanelRecord[4] = QStringLiteral("0.38");
    block.MccPanelRecord[5] = QStringLiteral("3P4W");
    block.MccPanelRecord[7] = QStringLiteral("800");
    Require(theApp.AddMccPanelSheet(), "AddMccPanelSheet");
    Require(theApp.WriteMccPanelResults(0), "WriteMccPanelResults");
    CompanionBatch batch;
    for (int j = 0; j < loads; ++j) {
        auto& row = block.MccLoadRow;
        row.fill(QString());
        const bool motor = j % 2 == 0;
        row[0] = QStringLiteral("부하");
        row[1] = QStringLiteral("EQ-%1").arg(j);
        row[2] = motor ? QStringLiteral("M") : QStringLiteral("L3P");
        row[3] = motor ? QStringLiteral("37") : QString();
        row[4] = motor ? QString() : QStringLiteral("20");
        row[7] = QStringLiteral("3P");
        row[8] = QStringLiteral("4W");
        row[9] = QStringLiteral("0.38");
        row[13] = motor ? QStringLiteral("DOL") : QStringLiteral("-");
        row[22] = QStringLiteral("1.00");
        Require(theApp.WriteMccLoadRow(0, j, false), "WriteMccLoadRow");
    }
}

// Five bus workbooks of 100 pages; MCC-1's own bus and its load bus on the last transformer.
void WriteBusWorkbooks()
{
    for (int tr = 0; tr < 5; ++tr) {
        Book book;
        for (int p = 0; p < 100; ++p) {
            Sheet* s = book.addSheet(QString::number(p));
            QString bus = QStringLiteral("BUS-%1-%2").arg(tr).arg(p);
            if (tr == 4 && p == 98)
                bus = QStringLiteral("MCC-1");
            if (tr == 4 && p == 99)
                bus = QStringLiteral("MCC-1 LV");
            s->writeStr(0, 1, QStringLiteral("25.0"));
            s->writeStr(0, 2, QStringLiteral("9.5"));
            for (int r = 1; r <= 3; ++r)
                s->writeStr(r, 16, bus);
        }
        Require(book.save(theApp.BusWorkbookPath(tr)), "save");
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    auto prompt = std::make_unique<BenchPrompt>();
    BenchPrompt* answers = prompt.get();
    Prompt::SetHandler(std::move(prompt));

    QTemporaryDir lib, project;
    cablefixture::WriteLibrary(lib.filePath(QStringLiteral("lib_v3p4.xlsx")));
    cablefixture::WriteBreakers(lib.filePath(QStringLiteral("breaker_v3p4.xlsx")));
    cablefixture::UseLibrary(theApp, lib.path());
    cablefixture::SetConditions(theApp);
    ApplyProjectDesignConditions(theApp);
    theApp.LoadBreakerWorkbook(true, 0);
    theApp.ProjectPathTable.CurrentProjectPath = project.filePath(QStringLiteral("P1.pro"));

    CCableScreen view;
    view.OnInitialUpdate();
    view.FillBreakerMakerCombo();
    view.resize(view.FormSize());
    view.show();
    QApplication::processEvents();

    // 999 computed rows written straight into "_40".
    {
        AppCableLookup lookup(theApp);
        const CableConditions cond = CableConditionsFromApp(theApp);
        Book book;
        Sheet* s = book.addSheet(QStringLiteral("Data"));
        for (int r = 0; r < kCableRowLimit - 1; ++r) {
            CableRow row;
            row[0] = QString::number(r + 1);
            row[2] = QStringLiteral("MDB");
            row[3] = QStringLiteral("P-%1").arg(r);
            row[4] = QStringLiteral("L3P");
            row[6] = QString::number(20 + r % 200);
            row[8] = QStringLiteral("3");
            row[9] = QStringLiteral("4");
            row[10] = QStringLiteral("0.38");
            row[23] = QStringLiteral("1.00");
            row[30] = QString::number(10 + r % 90);
            row[33] = QStringLiteral("E");
            row[44] = QStringLiteral("1");
            row[51] = QStringLiteral("10");
            row[71] = QStringLiteral("LSM");
            row[103] = QStringLiteral("10");
            row[105] = QStringLiteral("FCV");
            row[31] = row[43] = row[62] = QStringLiteral("|");
            CalcCableAndBreaker(row, false, true, cond, CableFormExtras{}, lookup);
            Require(companion::WriteRow(*s, r, row), "WriteRow");
        }
        Require(book.save(theApp.CompanionPath(CSevrinApp::CableWorkbook)), "save");
    }

    for (int round = 0; round < 3; ++round) {
        companion::DropCache();  // a cold load, as after opening the project
        QElapsedTimer t;
        t.start();
        view.LoadCableSchedule();
        const double cold = Ms(t);
        t.restart();
        view.LoadCableSchedule();
        const double warm = Ms(t);
        QApplication::processEvents();
        std::printf("list load, %d rows: %.1f ms from the file, %.1f ms again (workbook cached)\n",
                    view.CableList()->rows()->rowCount(), cold, warm);
    }

    {
        view.findChild<QLineEdit*>(QString::number(CCableScreen::IdKw))->setText(QString());
        view.findChild<QLineEdit*>(QString::number(CCableScreen::IdKva))->setText(QStringLiteral("75"));
        QElapsedTimer t;
        t.start();
        view.findChild<QPushButton*>(QString::number(CCableScreen::IdAdd))->click();
        std::printf("\"추가\" as row %d (computed, stored, listed): %.1f ms\n",
                    view.CableList()->rows()->rowCount(), Ms(t));
    }

    // Import of 1000 loads (999 loads + their panel) into an empty schedule.
    view.OnDeleteAllCableRows();
    WriteMccWorkbook(kCableRowLimit - 1);
    companion::DropCache();
    {
        answers->messages = 0;
        QElapsedTimer t;
        t.start();
        view.OnImportCableLoads();
        std::printf("import: %d rows in %.1f ms (%d message: %s)\n",
                    view.CableList()->rows()->rowCount(), Ms(t), answers->messages,
                    qPrintable(answers->last));
    }

    // The search sizes every row that finds its bus; rows fed from a panel with no bus page
    // cost one answered message each, and the workbook is saved before each message.
    WriteBusWorkbooks();
    for (const int step : {100, 10}) {
        RowListModel* model = view.CableList()->rows();
        auto& row = theApp.CableScheduleBlock.CableRow;
        {
            CompanionBatch batch;
            for (int r = 1; r < model->rowCount(); r += step) {
                for (int c = 0; c < kCableColumnCount; ++c)
                    row[std::size_t(c)] = model->text(r, c);
                row[2] = QStringLiteral("NOBUS");
                Require(theApp.WriteCableRow(r, false), "WriteCableRow");
            }
        }
        view.LoadCableSchedule();
        companion::DropCache();
        answers->messages = 0;
        QElapsedTimer t;
        t.start();
        view.OnSearchCableFaultCurrents();
        std::printf("fault-current search over %d rows: %.1f ms (%d messages answered)\n",
                    view.CableList()->rows()->rowCount(), Ms(t), answers->messages);
    }
    std::printf("summary: %s\n", qPrintable(QString(answers->last).replace('\n', ' ')));

    // What one flush costs: the whole 1000-row workbook saved once.
    {
        QElapsedTimer t;
        t.start();
        {
            CompanionBatch batch;
            theApp.CableScheduleBlock.CableRow[0] = QStringLiteral("1");
            Require(theApp.WriteCableRow(0, false), "WriteCableRow");
        }
        std::printf("one save of the 1000-row schedule: %.1f ms\n", Ms(t));
    }

    // Every row finds its bus: no message, one save at the end.
    {
        RowListModel* model = view.CableList()->rows();
        auto& row = theApp.CableScheduleBlock.CableRow;
        CompanionBatch batch;
        for (int r = 1; r < model->rowCount(); r += 10) {
            for (int c = 0; c < kCableColumnCount; ++c)
                row[std::size_t(c)] = model->text(r, c);
            row[2] = QStringLiteral("MCC-1");
            Require(theApp.WriteCableRow(r, false), "WriteCableRow");
        }
        Require(batch.finish(), "finish");
        view.LoadCableSchedule();
        answers->messages = 0;
        QElapsedTimer t;
        t.start();
        view.OnSearchCableFaultCurrents();
        std::printf("fault-current search over %d rows, every bus found: %.1f ms (%d message)\n",
                    view.CableList()->rows()->rowCount(), Ms(t), answers->messages);
    }
    return 0;
}
