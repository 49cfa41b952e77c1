#pragma once
// The project a report test writes its report from, made one way for every report test: the
// blank project form loaded into the program folder of ReportProgramFolder, the program's
// library, the design inputs the cable sheets are sized with, the companion workbooks the
// sheets read and the inputs typed on the screens that recompute during a run.
#include "reportfixture.h"

#include "common/companionsuffixes.h"
#include "common/recordingprompt.h"

#include "app/core/companionworkbook.h"
#include "cable/core/cableapp.h"
#include "cable/core/cablerow.h"
#include "fault/core/busfault.h"
#include "fault/gui/buspage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/utilitypage.h"
#include "grounding/groundingfixture.h"
#include "grounding/groundingscreenfixture.h"
#include "loads/circuitinputs.h"
#include "loads/core/branchcircuit.h"
#include "loads/core/generatorsizing.h"
#include "loads/gui/generatorresultpage.h"
#include "loads/gui/generatorscreen.h"
#include "loads/sourcesfixture.h"
#include "platform/xlsxbook.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <memory>
#include <vector>

// The blank project form (FORM/form.pro) copied to theApp's current project path, writable by
// its owner, and loaded as the project screen loads a project.
inline bool LoadBlankProject()
{
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    if (!QFile::copy(ProgramDir() + QStringLiteral("/FORM/form.pro"), project)) {
        qWarning("cannot copy FORM/form.pro to %s", qPrintable(project));
        return false;
    }
    QFile(project).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!theApp.LoadProjectFile(project)) {
        qWarning("cannot load %s", qPrintable(project));
        return false;
    }
    theApp.ProjectLoaded = 1;
    return true;
}

// The program's own library workbook (LIB/lib_v3p4.xlsx), loaded.
inline void UseProgramLibrary()
{
    theApp.ProjectPathTable.LibWorkbookPath = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    theApp.LoadLibraryWorkbook();
}

// The program's library and breaker workbooks (LIB/lib_v3p4.xlsx, LIB/breaker_v3p4.xlsx),
// loaded.
inline void UseProgramLibraryAndBreakers()
{
    theApp.ProjectPathTable.BreakerWorkbookPath = ProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    UseProgramLibrary();
    theApp.LoadBreakerWorkbook(true, 0);
}

// One case of a report test whose screen reads the loaded project: a fresh program folder with
// the real template, a recording prompt, the standard companion suffixes, the program's library
// and the screen made as the main window makes it. start() from init(), finish() from cleanup().
template <typename ScreenT>
struct ReportScreenCase
{
    std::unique_ptr<ReportProgramFolder> folder;
    RecordingPrompt* prompt = nullptr;
    std::unique_ptr<ScreenT> screen;

    void start()
    {
        prompt = RecordingPrompt::Install();
        folder = std::make_unique<ReportProgramFolder>(ReportTemplatePath());
        theApp.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
        UseProgramLibrary();
        screen = std::make_unique<ScreenT>();
        screen->OnInitialUpdate();
    }
    void finish()
    {
        screen.reset();
        folder.reset();
        theApp.ProjectLoaded = 0;
        companion::DropCache();
    }
};

// Design inputs of the cable sheets: 30 degC in air, single-core from 16 mm2, pf 0.9,
// efficiency 0.95, drops 3 % feeder / 3 % branch / 5 % motor branch, motor starting 10 % and
// 15 %, inrush margin 1.2, LS Metasol, 100 % of the breaking capacity. Not applied yet.
inline void SetCableDesignInputs(CSevrinApp& app)
{
    auto& cab = app.CabinetSizingBlock;
    cab.InstallConditionIndex = {2, 2, 0, 5, 0};
    cab.ConductorCriteriaIndex = {0, 0, 0};
    cab.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    cab.MotorStartCriteriaText = {"10", "15", "1.0"};
    cab.BreakerCriteriaIndex = {0, 0, 0};
    cab.BreakerCriteriaText = {"1.2", "LS Metasol"};
}

// A one-sheet workbook, its sheet named `sheetName`, holding these rows of texts.
template <typename Row>
bool WriteRowsWorkbook(const QString& path, const QString& sheetName, const std::vector<Row>& rows)
{
    Book book;
    Sheet* sheet = book.addSheet(sheetName);
    if (!sheet)
        return false;
    for (int r = 0; r < int(rows.size()); ++r)
        for (int k = 0; k < int(rows[std::size_t(r)].size()); ++k)
            sheet->writeStr(r, k, rows[std::size_t(r)][std::size_t(k)]);
    return book.save(path);
}

// A cable schedule ("_40") holding these rows, every cell as the row has it.
inline bool WriteCableRows(const QString& path, const std::vector<CableRow>& rows)
{
    return WriteRowsWorkbook(path, QStringLiteral("Sheet1"), rows);
}

// n cable rows whose cell (r, k) holds "<r + 1>:<k>", so every printed cell names its cable
// and source column.
inline std::vector<CableRow> NamedCableRows(int n)
{
    std::vector<CableRow> rows(std::size_t(std::max(n, 0)));
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < kCableColumnCount; ++k)
            rows[std::size_t(r)][std::size_t(k)] = QStringLiteral("%1:%2").arg(r + 1).arg(k);
    return rows;
}

// A generator load list ("_60") holding these rows.
inline bool WriteGeneratorWorkbook(const QString& path, const std::vector<GeneratorLoadRowT>& rows)
{
    return WriteRowsWorkbook(path, QStringLiteral("Data"), rows);
}

// Two generator loads: a `motorKw` kW DOL motor on MCC-1 and 20 kVA of lighting on LP-1, both
// at 100 % on outage and in a fire.
inline std::vector<GeneratorLoadRowT> MotorAndLightingGeneratorLoads(const QString& motorKw)
{
    const QString all = QStringLiteral("100");
    return {sourcesfixture::GeneratorLoad(1, QStringLiteral("MCC-1"), QStringLiteral("M"), motorKw, QString(),
                                          QStringLiteral("DOL"), all, all),
            sourcesfixture::GeneratorLoad(2, QStringLiteral("LP-1"), QStringLiteral("L"), QString(),
                                          QStringLiteral("20"), QStringLiteral("-"), all, all)};
}

// The six factors of the generator's result page: a = 1.38 (outage) and 1.45 (fire); c = 6
// and 2; k = 1.1 and 1.07.
inline void TypeGeneratorFactors(CGeneratorScreen& screen)
{
    CGeneratorResultPage* page = screen.ResultPage();
    page->Combo(1554)->setCurrentIndex(0);
    page->Combo(1555)->setCurrentIndex(1);
    page->Edit(1531)->setText(QStringLiteral("6"));
    page->Edit(1532)->setText(QStringLiteral("1.1"));
    page->Edit(1533)->setText(QStringLiteral("2"));
    page->Edit(1537)->setText(QStringLiteral("1.07"));
}

// Circuit n of a lighting board: "전등-<n>", 100 VA x 1 on `phase`, 20 m, `breaker` 2P, HFIX
// in method A, ISMIN 2.
inline CircuitCells LightingCircuit(int n, const QString& phase, const QString& breaker)
{
    CircuitCells row = CircuitInputs(QStringLiteral("100"), QStringLiteral("1"), phase, QStringLiteral("20"),
                                     breaker, QStringLiteral("2"), QStringLiteral("HFIX"), QStringLiteral("A"),
                                     QStringLiteral("2"));
    row[CcNo] = QString::number(n);
    row[CcName] = QStringLiteral("전등-%1").arg(n);
    return row;
}

// Panel board `index` of theApp's project: its header (name, place, type, source, kV, phases
// and wires, generator mark) with a demand factor of 70 %, and these circuits computed by the
// branch-circuit engine on the app's design conditions and library.
inline bool AddPanelBoard(int index, const QStringList& header, const std::vector<CircuitCells>& circuits)
{
    AppCableLookup lookup(theApp);
    const BranchCircuitConditions cond = BranchCircuitConditionsFromApp(theApp);
    auto& cab = theApp.CabinetSizingBlock;
    auto& r = cab.PanelBoardRecord();
    r = {};
    for (int i = 0; i < 7; ++i)
        r[std::size_t(i)] = header[i];
    r[8] = QStringLiteral("70");
    if (!theApp.AddPanelBoardSheet() || !theApp.WritePanelBoardResults(index))
        return false;
    CompanionBatch batch;
    for (int j = 0; j < int(circuits.size()); ++j) {
        CircuitCells row = circuits[std::size_t(j)];
        CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, cond, lookup);
        cab.CircuitRow = row;
        if (!theApp.WriteCircuitRow(index, j, false))
            return false;
    }
    return batch.finish();
}

// Loads 1..n of transformer `tr` (0 for TR-1) stored in "_30": "LP-<k>", 전등, 1000 VA at 50 %,
// 500 VA of demand.
inline bool WriteTransformerLoads(int tr, int n)
{
    for (int k = 0; k < n; ++k) {
        theApp.TransformerSizingBlock.TransformerLoadRow = {
            QString::number(k + 1), QStringLiteral("LP-%1").arg(k + 1), QStringLiteral("전등"),
            QStringLiteral("1000"), QStringLiteral("50"), QStringLiteral("500"), QString()};
        if (!theApp.WriteTransformerLoadRow(tr, k, false))
            return false;
    }
    return true;
}

// The grounding worked-example grid (groundingfixture's SetWorkedExampleInputs) typed on the
// design-inputs page, the final conductor size at index 7; `faultCurrentKa` other than empty
// replaces the example's fault current I [kA].
inline void TypeWorkedGroundingGrid(CGroundingScreen& screen, const QString& faultCurrentKa = QString())
{
    CSevrinApp::GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    if (!faultCurrentKa.isEmpty())
        b.GroundingConditionInput[0] = faultCurrentKa;
    TypeGroundingInputs(screen, b, 7);
}

// Row `cableRow` of the fault-current cable list as a bus takes it.
inline fault::BusListRow BusCableFromFaultList(int cableRow)
{
    theApp.ReadFaultDataRow(fault::CableSheet, cableRow);
    fault::BusListRow r;
    for (int c = 0; c < 16; ++c)
        r[std::size_t(c)] = theApp.FaultCurrentBlock.FaultCableRow[std::size_t(c + 1)];
    return r;
}

// The fault-current screen refilled from the stored data, as a project load refills it.
inline void RefillFaultScreen(CFaultScreen& screen)
{
    screen.ShowFaultCurrentInputs();
    screen.UtilityPage()->FillUtilityTypeCombos();
    screen.UtilityPage()->FillUtilityLineList();
    screen.UtilityPage()->FillIncomingCableList();
    screen.TransformerPage()->FillTransformerList();
    screen.MotorPage()->FillMotorList();
    screen.CablePage()->FillCableList();
    screen.BusPage()->LoadFaultBusData();
}
