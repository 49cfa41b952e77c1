#pragma once
// The application object: every piece of run-time data of the program lives in the one
// global `theApp`. This is the data side only (no widgets); screen switching, start-up and
// the main window live in app/gui/sevrinapp.h and reach the screens through the pointers
// held here.
#include "library/core/libraryblocks.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

// Screens and dialogs, defined in the GUI layer. Core only holds pointers to them.
class CFormView;
class COutputDlg;
enum class ProjectFileStatus;  // app/core/projectfile.h

// The program's screens, in the order of the main frame's stack, with the calculation
// screens' window titles.
enum class Screen
{
    Start,         // projects: open, new, copy, delete (app/gui/startscreen.h)
    Project,       // the open project's header, revisions and reports (app/gui/projectscreen.h)
    Library,       // the reference tables (library/gui/libraryscreen.h)
    Web,           // an HTML view (app/gui/webscreen.h)
    Mcc,           // 동력(10): motor-control centres (loads/gui/mccscreen.h)
    PanelBoard,    // 부하(20): panel boards (loads/gui/boardscreen.h)
    Transformer,   // 변압기용량(30) (loads/gui/transformerscreen.h)
    Cable,         // 케이블&차단기(40): the cable schedule (cable/gui/cablescreen.h)
    Tray,          // 케이블 트레이(50) (cable/gui/trayscreen.h)
    Generator,     // 발전기용량(60) (loads/gui/generatorscreen.h)
    Switchgear,    // 수배전반(70): navigation only (loads/gui/switchgearscreen.h)
    FaultCurrent,  // 고장전류(80) (fault/gui/faultscreen.h)
    Grounding,     // 접지저항(90) (grounding/gui/groundingscreen.h)
};
inline constexpr int kScreenCount = 13;

class CSevrinApp : public LibraryBlocks
{
public:
    CSevrinApp();
    ~CSevrinApp();
    CSevrinApp(const CSevrinApp&) = delete;
    CSevrinApp& operator=(const CSevrinApp&) = delete;

    // 1. The screens, set by start-up and by each calculation screen as it is initialised
    // (a screen built on its own, as in tests, is found the same way), and the one shown.
    std::array<CFormView*, kScreenCount> Screens{};
    Screen CurrentScreen = Screen::Start;
    CFormView* ScreenView(Screen screen) const { return Screens[std::size_t(screen)]; }
    void SetScreen(Screen screen, CFormView* view) { Screens[std::size_t(screen)] = view; }

    // 2. The report dialog while it is open.
    COutputDlg* OutputDlg = nullptr;

    // 3. 1 = no report run active (or a stop was requested), 0 = a run is active. Written by
    // the report dialog (GUI thread) and the report worker, polled by the report writers.
    std::atomic<uint8_t> ReportStopFlag{0};

    // 4. 96 / logical dpi of the display (1.0 at 100 % scaling); set by the main frame.
    double DpiScaleX = 0.0;
    double DpiScaleY = 0.0;

    // 5. Settings of "ORVA.ini", filled by ReadConfig.
    struct AppSettingsT
    {
        int PrintMode = 0;          // "Print": what follows a saved report
        int ShowInsertButtons = 0;  // "Button": 1 shows the "+" insert buttons
    };
    AppSettingsT AppSettings;

    // 6. Program paths, filled by ReadConfig. Paths are joined with "/".
    struct ProjectPathTableT
    {
        QString RootPath;
        QString LibFolder;
        QString OutFolder;
        QString ProFolder;
        QString CiFolder;
        QString FormProPath;
        QString FormXlsxPath;
        QString LibWorkbookPath;
        QString BreakerWorkbookPath;
        QString CurrentProjectPath;
        // Addressed by role, not in numeric order: 0 "_10" motor control centre, 1 "_20" panel
        // boards, 2 "_40" cables, 3 "_50" trays, 4 "_30" transformers, 5 "_60" generator,
        // 6 "_80" fault-current data, 7..11 "_851".."_855" bus pages of transformers 1..5.
        std::array<QString, 12> CompanionSuffixTable;
    };
    ProjectPathTableT ProjectPathTable;

    // 7. 1 once the project screen has loaded the current project file.
    int ProjectLoaded = 0;

    // 8. Section "Project_Introduce".
    struct ProjectIntroduceBlockT
    {
        QString ProjectName;
        QString ProjectNumber;
        QString Buyer;
        QString CI;
        int RR = 0;
        std::array<QString, 10> RevPurpose;
        std::array<QString, 10> RevDate;
        std::array<QString, 10> RevDesigner;
        std::array<QString, 10> RevReviewer;
        std::array<QString, 10> RevApprover;
    };
    ProjectIntroduceBlockT ProjectIntroduceBlock;

    // 9. Section "Motor_Control_Center"; workbook "_10".
    struct MotorControlCenterBlockT
    {
        std::array<int, 10> MccConditionIndex{};
        std::array<QString, 2> MccConditionText;
        QString ReactorCoefficient;
        int UserMotorCount = 0;
        std::array<QString, 19> UserMotorRow;
        int MccPanelCount = 0;
        std::array<QString, 20> MccPanelRecord;
        int MccLoadCount = 0;
        std::array<QString, 40> MccLoadRow;
        std::array<QString, 21> MccPanelTotals;
        QString MccSheetName;

        // The design-condition page's names for the elements above (one storage).
        int& MccStartMultipleIndex() { return MccConditionIndex[0]; }
        int& MccSoftStarterLimitIndex() { return MccConditionIndex[1]; }
        int& MccInverterLimitIndex() { return MccConditionIndex[2]; }
        int& MccInrushMultipleIndex() { return MccConditionIndex[3]; }
        // method 0 DOL, 1 Y-D, 2 reactor, 3 soft starter, 4 inverter
        int& MccStartTimeIndex(int method) { return MccConditionIndex[std::size_t(4 + method)]; }
        int& MccStartPowerFactorIndex() { return MccConditionIndex[9]; }
        QString& MccReactorTap() { return MccConditionText[0]; }
        QString& MccCtFactor() { return MccConditionText[1]; }
        QString& MccReactorCoefficient() { return ReactorCoefficient; }
    };
    MotorControlCenterBlockT MotorControlCenterBlock;

    // 10. Section "Cabinet_Sizing"; workbook "_20". The design conditions are project-wide.
    struct CabinetSizingBlockT
    {
        std::array<int, 5> InstallConditionIndex{};
        std::array<QString, 9> CorrectionFactor;
        std::array<int, 3> ConductorCriteriaIndex{};
        std::array<QString, 7> ConductorCriteriaText;
        int MotorStartCriteriaIndex = 0;
        std::array<QString, 3> MotorStartCriteriaText;
        std::array<QString, 2> DerivedCriteria;
        std::array<int, 3> BreakerCriteriaIndex{};
        std::array<QString, 2> BreakerCriteriaText;
        QString BoardDemandFactor;
        int BoardCount = 0;
        std::array<QString, 13> BoardRecord;
        int CircuitCount = 0;
        std::array<QString, 60> CircuitRow;
        std::array<QString, 18> BoardTotals;

        // The design pages' names for the elements above (one storage).
        int& AirAmbientIndex() { return InstallConditionIndex[0]; }
        int& GroundAmbientIndex() { return InstallConditionIndex[1]; }
        int& TrayTierIndex() { return InstallConditionIndex[2]; }
        int& SoilResistivityIndex() { return InstallConditionIndex[3]; }
        int& BurialDepthIndex() { return InstallConditionIndex[4]; }
        std::array<QString, 9>& CorrectionFactors() { return CorrectionFactor; }
        int& SingleCoreThresholdIndex() { return ConductorCriteriaIndex[0]; }
        int& SingleCoreThresholdCopy() { return ConductorCriteriaIndex[1]; }
        int& ConductorTripTimeIndex() { return ConductorCriteriaIndex[2]; }
        QString& LoadPowerFactor() { return ConductorCriteriaText[0]; }
        QString& LoadEfficiency() { return ConductorCriteriaText[1]; }
        QString& FeederDropPct() { return ConductorCriteriaText[2]; }
        QString& BranchDropPct() { return ConductorCriteriaText[3]; }
        QString& MotorBranchDropPct() { return ConductorCriteriaText[4]; }
        QString& FaultCurrentRatingPct() { return ConductorCriteriaText[5]; }
        QString& ConductorMarginFactor() { return ConductorCriteriaText[6]; }
        std::array<QString, 2>& TotalDropPct() { return DerivedCriteria; }
        int& MotorStartPowerFactorIndex() { return MotorStartCriteriaIndex; }
        QString& MotorFeederStartDropPct() { return MotorStartCriteriaText[0]; }
        QString& MotorStartDropPct() { return MotorStartCriteriaText[1]; }
        QString& MotorStartMarginFactor() { return MotorStartCriteriaText[2]; }
        int& BreakerMakerIndex() { return BreakerCriteriaIndex[0]; }
        int& InrushMultipleIndex() { return BreakerCriteriaIndex[1]; }
        int& BreakerTripTimeIndex() { return BreakerCriteriaIndex[2]; }
        QString& InrushMarginFactor() { return BreakerCriteriaText[0]; }
        QString& BreakerMakerName() { return BreakerCriteriaText[1]; }
        QString& DemandFactorPct() { return BoardDemandFactor; }
        int& PanelBoardCount() { return BoardCount; }
        std::array<QString, 13>& PanelBoardRecord() { return BoardRecord; }
        std::array<QString, 18>& PanelBoardTotals() { return BoardTotals; }
    };
    CabinetSizingBlockT CabinetSizingBlock;

    // 11. Transformer screen; workbook "_30". (Its project-file section lives in the
    // transformer screen's controls.)
    struct TransformerSizingBlockT
    {
        std::array<QString, 20> TransformerRecord;
        int TransformerLoadCount = 0;
        std::array<QString, 7> TransformerLoadRow;
        QString TransformerSheetName;
    };
    TransformerSizingBlockT TransformerSizingBlock;

    // 12. Cable & breaker screen; workbook "_40".
    struct CableScheduleBlockT
    {
        int CableRowCount = 0;
        std::array<QString, 112> CableRow;
    };
    CableScheduleBlockT CableScheduleBlock;

    // 13. Cable-tray screen; workbook "_50".
    struct CableTrayBlockT
    {
        int TrayCount = 0;
        std::array<QString, 4> TrayRecord;
        int TrayCableCount = 0;
        int TrayPeCount = 0;
        std::array<QString, 13> TrayCableRow;
        std::array<QString, 13> TrayPeRow;
        std::array<QString, 4> TrayResult;
        std::array<QString, 10> TrayResultRow;
    };
    CableTrayBlockT CableTrayBlock;

    // 14. Section "Generator_Sizing"; workbook "_60".
    struct GeneratorSizingBlockT
    {
        int GeneratorLoadCount = 0;
        std::array<QString, 14> GeneratorLoadRow;
        std::array<int, 2> GeneratorConditionIndex{};
        std::array<QString, 4> GeneratorConditionText;
    };
    GeneratorSizingBlockT GeneratorSizingBlock;

    // 15. Section "Fault_Current"; workbooks "_80" and "_851".."_855".
    struct FaultCurrentBlockT
    {
        std::array<QString, 6> UtilityInput;
        std::array<QString, 4> UtilityResult;
        int LineCount = 0;
        std::array<QString, 16> LineRow;
        int IncomingCableCount = 0;
        std::array<QString, 16> IncomingCableRow;
        std::array<QString, 12> FaultConditionText;
        std::array<QString, 38> FaultResult;
        std::array<QString, 16> TransformerImpedanceRow;
        int FaultMotorCount = 0;
        std::array<QString, 27> FaultMotorRow;
        int FaultCableCount = 0;
        std::array<QString, 17> FaultCableRow;
        std::array<QString, 135> ImpedanceSummary;  // 27 rows x 5 transformers
        std::array<QString, 20> BusRow;
        std::array<QString, 15> BusPageHeader;
    };
    FaultCurrentBlockT FaultCurrentBlock;

    // 16. Section "Grounding_Design" (the results are never saved). The result arrays sit
    // between the input groups they belong to.
    struct GroundingDesignBlockT
    {
        std::array<int, 3> GroundingConditionIndex{};
        std::array<QString, 28> GroundingConditionInput;
        std::array<QString, 6> GridFactors;
        std::array<QString, 12> ShapeFactorTable;
        std::array<int, 2> ConductorSizeIndex{};
        std::array<QString, 13> ConductorSizeInput;
        std::array<QString, 17> ConductorResults;
        std::array<QString, 10> ResistanceResults;
        int SafetyVoltageIndex = 0;
        std::array<QString, 4> SafetyVoltageInput;
        std::array<QString, 23> SafetyConditions;
        std::array<QString, 9> StepFactors;
        std::array<QString, 13> VoltageResults;
        std::array<QString, 14> LayerSoilFields;
        std::array<QString, 13> AverageResistivityFields;
    };
    GroundingDesignBlockT GroundingDesignBlock;

    // 17. The reference-data blocks come from LibraryBlocks (the base class).

    // 18. Names of the motor-control-centre panels and panel boards (CollectPanelNames).
    struct PanelNameRegistryT
    {
        int PanelNameCapacity = 0;
        int PanelNameCount = 0;
        std::array<QString, 100> PanelNames;
    };
    PanelNameRegistryT PanelNameRegistry;

    // 19. The maker's update server.
    struct ServerSettingsT
    {
        QString MinorVersion;
        uint16_t ServerPort = 0;
        QString ServerHost;  // "ServerHost" of "ORVA.ini"; empty = no request at all
    };
    ServerSettingsT ServerSettings;

    // ---- Configuration, start-up and exit -------------------------------------------------

    // Reads section "SYSTEM" of "ORVA.ini" in the working directory into AppSettings,
    // ProjectPathTable and ServerSettings.ServerHost. Always true.
    bool ReadConfig();
    // Writes CurrentProjectPath as "lastPro" of "ORVA.ini". True (a failed write is not
    // reported, as the exit road has nobody to tell).
    bool SaveLastProject();
    // The configuration file: "ORVA.ini" in the current working directory.
    static QString ConfigFilePath();

    // Reference workbooks (library area): load the library workbook into the reference
    // blocks / list or load a breaker maker sheet. A workbook that cannot be loaded shows
    // "적합한 Lib 파일을 찾지 못했습니다.\n<path>" and ends the program with code 1; so does a
    // library workbook that opens but holds none of the library's tables.
    void LoadLibraryWorkbook();
    void LoadBreakerWorkbook(bool listMode, int sheetIndex);

    // ---- project file ----------------------------------------------------------------------
    // The INI project file "<number>.pro": header, revision rows and the scalar settings of the
    // calculation screens. Every operation takes the full path of the project file (callers
    // pass ProjectPathTable.CurrentProjectPath). Missing keys and sections read as their
    // defaults; a file that is not a project file (none of the seven sections) or cannot be
    // read is refused by the reader and never written by a writer. A writer returns false
    // when the file could not be written.

    // The transformer screen's five check boxes and capacity edits (n = 1..5). The transformer
    // section lives only in these controls; the transformer screen fills the callbacks when it
    // is created. Unset callbacks read as unchecked / "" and ignore writes.
    struct TransformerControlsT
    {
        std::function<bool(int n)> IsChecked;
        std::function<void(int n, bool checked)> SetChecked;
        std::function<QString(int n)> CapacityText;
        std::function<void(int n, const QString& text)> SetCapacityText;
        std::function<void(int n, bool enabled)> SetCapacityEnabled;
    };
    TransformerControlsT TransformerControls;

    // Reads all seven sections into the blocks and the transformer controls, then removes the
    // sheet protection of the workbooks (UnprotectAllWorkbooks). The headless driver passes
    // false: it must not rewrite files that its command does not change. The file is read and
    // parsed once. False, with nothing changed, when the file is refused; `refusal` then says
    // why.
    bool LoadProjectFile(QString path, bool unprotectWorkbooks = true,
                         ProjectFileStatus* refusal = nullptr);
    // "Transformer_Sizing" into the transformer controls (LoadProjectFile reads the same
    // section from its own parse of the file). False when the file is refused.
    bool LoadTransformerSection(QString path);
    // Section writers, in the order the project screen's save runs them.
    [[nodiscard]] bool SaveProjectIntroduceSection(QString path);
    [[nodiscard]] bool SaveMotorControlCenterSection(QString path);
    [[nodiscard]] bool SaveCabinetSizingSection(QString path);
    [[nodiscard]] bool SaveTransformerSizingSection(QString path);
    // The cable, tray and switchgear sections have nothing to write: the cables live in
    // "_40", the trays in "_50".
    [[nodiscard]] bool SaveCableSection(QString path);
    [[nodiscard]] bool SaveTraySection(QString path);
    [[nodiscard]] bool SaveGeneratorSizingSection(QString path);
    [[nodiscard]] bool SaveSwitchgearSection(QString path);
    [[nodiscard]] bool SaveFaultCurrentSection(QString path);
    [[nodiscard]] bool SaveGroundingDesignSection(QString path);
    // ---- end of project file ---------------------------------------------------------------

    // Sheet protection of the project's workbooks, the reference workbooks and the report
    // template: off after a project load, on again at exit.
    // Missing workbooks are not created; one that cannot be loaded is left untouched; a
    // workbook already in the wanted state is not rewritten. Without a current project only
    // the reference workbooks and the report template are switched.
    void ProtectAllWorkbooks();
    void UnprotectAllWorkbooks();
    void SetWorkbookProtection(const QString& path, bool protect);

    // ---- Titles and stamps ---------------------------------------------------------------

    // Composes "Palvane 전기설계 프로그램 Ver 2.0 (<minor> <date>) <part1><part2>", keeps it
    // and hands it to the title sink (the main window, when there is one).
    void SetMainTitle(const QString& part1, const QString& part2);
    QString MainTitle() const { return m_mainTitle; }
    std::function<void(const QString&)> TitleSink;

    // Names derived from the paths (file name without ".pro" / ".xlsx").
    QString ProjectName() const;
    QString LibraryName() const;
    QString BreakerName() const;

    // "%02d%02d%02d" of the local hour, minute and second.
    static QString MakeTimeStamp();
    // "_____": the default name of an item that a "+" insert button creates.
    static QString MakeInsertedItemName();
    // "_%02d%02d_%02d%02d%02d" of the local month, day, hour, minute and second.
    static QString MakeDateTimeSuffix();

    // ---- Server --------------------------------------------------------------------------

    // Posts a form to ServerSettings.ServerHost at ServerPort; the answer text or "".
    QString PostFormToServer(const QString& path, const QString& host, const QString& body);
    // The notice page's address on the update server ("" without a host).
    QString NoticeAddress() const;

    // ---- reference library ---------------------------------------------------------------
    // Named-table lookups over the reference tables; NO_VALUE where a value is missing.
    // VLookup: floor match on the key column, column 1 being the key. HLookup: exact match on
    // the fixed keys of the correction-factor rows.
    double VLookup(double value, const QString& table, int column);
    double HLookup(double value, const QString& table);
    // The operating multiple of a maker's breaker ("LSM", "LSS", "HG", "USERT") of a rating for
    // a starting time of 4, 6, 10, 15 or 20 s; the fallback when there is none.
    QString GetBreakerDelta(const QString& maker, int rating, int time, const QString& fallback);
    // Outer diameter or weight ("FCVOD", "FR8OD", "FCVW", "FR8W") by size entry and core index.
    double LookupCableDimension(const QString& table, int entry, int core);
    // The entry ("...SQ") or core index ("...C") to pass to LookupCableDimension;
    // kNoDimensionIndex for a core count outside 1..4 or an unknown table.
    static constexpr int kNoDimensionIndex = -1;
    int FindCableDimensionIndex(double value, const QString& name);
    // The line-impedance entry whose properties 0 and 3 are the two keys.
    bool FindCableColumn(const QString& key1, const QString& key2, std::array<QString, 11>& out);
    // Poles, AF, AT and kA of the cable schedule row whose "To" is the key.
    void FindCableScheduleRow(const QString& key, std::array<QString, 4>& out);

    // Derived tables, rebuilt in full from the loaded tables and the given design inputs.
    void ApplySingleCoreThreshold(double threshold);
    void ApplyImpedanceThreshold(double threshold);
    void BuildAmpacityTables(double threshold, double factorA, double factorB, double factorD,
                             double factorE);
    void BuildDeratedHfixTables(double ambientTemperature);
    // The factor BuildDeratedHfixTables applies: the TDF factor of the temperature, 1 for a
    // temperature that is not one of the row's keys.
    double AppliedHfixTemperatureFactor(double ambientTemperature);

    // Motor tables recomputed with the motor design conditions.
    void RecalcMotorTables(double beta, double cDol, double cStarDelta, double cReactor,
                           double lambdaSoftStarter, double lambdaInverter, double k, double tmDol,
                           double tmStarDelta, double tmReactor, double tmSoftStarter,
                           double tmInverter, double ctFactor);
    void CalcMotorRow(std::array<QString, 19>& row, double beta, double cDol, double cStarDelta,
                      double cReactor, double lambdaSoftStarter, double lambdaInverter, double k,
                      double tmDol, double tmStarDelta, double tmReactor, double tmSoftStarter,
                      double tmInverter, double ctFactor);

    // Breaker workbook: write the breaker tables back into a maker sheet. False, the file
    // untouched, when the workbook cannot be loaded, lacks the sheet or cannot be saved.
    [[nodiscard]] bool SaveBreakerSheet(int sheetIndex);
    // The user's motor rows (library workbook sheet 9) through MotorControlCenterBlock.UserMotorRow.
    [[nodiscard]] bool WriteUserLibraryRow(int row);
    [[nodiscard]] bool DeleteUserLibraryRow(int row);
    bool ReadUserLibraryRow(int row);
    // ---- end of reference library --------------------------------------------------------

    // ---- companion workbooks -------------------------------------------------------------
    // The lists of the calculation screens live in workbooks beside the project file. Each
    // store moves one record or row between a block above and one sheet row; every cell is a
    // text cell. A writer creates a missing workbook with its first save, never touches one
    // that exists but cannot be read, checks sheet names and indexes before it changes
    // anything, and returns false when its save fails. Readers return false for a row that
    // is absent by the list's stop rule.

    // Elements of CompanionSuffixTable, by role.
    enum CompanionRole {
        MccWorkbook = 0,          // "_10"
        PanelBoardWorkbook = 1,   // "_20"
        CableWorkbook = 2,        // "_40"
        TrayWorkbook = 3,         // "_50"
        TransformerWorkbook = 4,  // "_30"
        GeneratorWorkbook = 5,    // "_60"
        FaultDataWorkbook = 6,    // "_80"
        BusWorkbook1 = 7,         // "_851" .. "_855" are 7 .. 11
    };
    // The project file's path with its trailing ".pro" replaced by the role's suffix (appended
    // when the name has no ".pro"); "" when no project is chosen.
    QString CompanionPath(int role) const;
    static QString CompanionPathOf(const QString& projectPath, const QString& suffix);
    // The bus workbook of a transformer: 0..3 give "_851".."_854", any other index "_855".
    QString BusWorkbookPath(int transformer) const;

    // "_10": one sheet per motor-control-centre panel (MotorControlCenterBlock).
    [[nodiscard]] bool AddMccPanelSheet();
    [[nodiscard]] bool InsertMccPanelSheet(int panel);
    [[nodiscard]] bool UpdateMccPanelSheet(int panel);
    [[nodiscard]] bool WriteMccPanelResults(int panel);
    [[nodiscard]] bool DeleteMccPanelSheet(int panel);
    bool ReadMccPanelSheet(int panel);
    [[nodiscard]] bool WriteMccLoadRow(int panel, int row, bool insert);
    [[nodiscard]] bool DeleteMccLoadRow(int panel, int row);
    bool ReadMccLoadRow(int panel, int row);

    // "_20": one sheet per panel board (CabinetSizingBlock).
    [[nodiscard]] bool AddPanelBoardSheet();
    [[nodiscard]] bool InsertPanelBoardSheet(int board);
    [[nodiscard]] bool UpdatePanelBoardSheet(int board);
    [[nodiscard]] bool WritePanelBoardResults(int board);
    [[nodiscard]] bool DeletePanelBoardSheet(int board);
    bool ReadPanelBoardSheet(int board);
    [[nodiscard]] bool WriteCircuitRow(int board, int row, bool insert);
    [[nodiscard]] bool DeleteCircuitRow(int board, int row);
    // Phase loads in VA summed over the board's circuits up to the first without a load name;
    // NaN for a phase where a stored load cannot be read.
    void SumCircuitLoads(int board, double& l1, double& l2, double& l3);

    // Panel and board names ("_10" then "_20", at most 100) for the bus searches.
    void CollectPanelNames();
    bool IsPanelName(const QString& name) const;

    // "_30": sheets "TR-1".."TR-5" (TransformerSizingBlock); the sheet reader creates it.
    bool ReadTransformerSheet(int tr);
    [[nodiscard]] bool WriteTransformerSheet(int tr);
    [[nodiscard]] bool WriteTransformerResults(int tr);
    [[nodiscard]] bool WriteTransformerLoadRow(int tr, int row, bool insert);
    [[nodiscard]] bool DeleteTransformerLoadRow(int tr, int row);
    bool ReadTransformerLoadRow(int tr, int row);

    // "_40": the cable schedule, one row per cable on sheet 0 (CableScheduleBlock).
    [[nodiscard]] bool WriteCableRow(int row, bool insert);
    [[nodiscard]] bool DeleteCableRow(int row);
    bool ReadCableRow(int row);

    // "_50": two sheets per tray, cables and protective-earth conductors (CableTrayBlock).
    [[nodiscard]] bool AddTraySheets();
    [[nodiscard]] bool InsertTraySheets(int tray);
    [[nodiscard]] bool UpdateTraySheets(int tray);
    [[nodiscard]] bool DeleteTraySheets(int tray);
    bool ReadTraySheet(int tray);
    [[nodiscard]] bool WriteTrayResults(int tray);
    bool ReadTrayResults(int tray);
    [[nodiscard]] bool WriteTrayCableRow(int tray, int row, bool insert);
    [[nodiscard]] bool WriteTrayPeRow(int tray, int row, bool insert);
    [[nodiscard]] bool DeleteTrayCableRow(int tray, int row);
    [[nodiscard]] bool DeleteTrayPeRow(int tray, int row);

    // "_60": generator loads, one row per load on sheet 0 (GeneratorSizingBlock).
    [[nodiscard]] bool WriteGeneratorLoadRow(int row, bool insert);
    [[nodiscard]] bool DeleteGeneratorLoadRow(int row);
    bool ReadGeneratorLoadRow(int row);

    // "_80": sheets "0".."9" of the fault-current inputs (FaultCurrentBlock); the reader
    // creates it.
    [[nodiscard]] bool WriteFaultDataRow(int sheet, int row, bool insert);
    [[nodiscard]] bool DeleteFaultDataRow(int sheet, int row);
    bool ReadFaultDataRow(int sheet, int row);

    // Bus workbooks: one page per sheet, row 0 the page results, rows 1.. the bus rows.
    [[nodiscard]] bool WriteBusPageHeader(int tr, int page);
    [[nodiscard]] bool WriteBusRow(int tr, int page, int row);
    [[nodiscard]] bool WriteBusNameColumn(int tr, int page, const QString& name, int count);
    [[nodiscard]] bool DeleteBusRow(int tr, int page, int row);
    // Inserts a page before `page` (the spare last page takes its place) or deletes `page`
    // (emptied, it becomes the spare); the number of pages never changes.
    [[nodiscard]] bool MoveBusPage(int tr, int page, bool insert);
    // Minimum and maximum short-circuit currents in kA of the page whose bus name equals /
    // strictly contains `name`; outputs untouched where the page has no value.
    bool FindBusFaultValues(int tr, const QString& name, double& minimum, double& maximum);
    bool FindBusFaultValuesContaining(int tr, const QString& name, double& minimum,
                                      double& maximum);

    // Motor data by rated output (kW) and starting method: the user's motor rows first, then
    // MotorTable2, then MotorTable1. A user row fills fields 1..18, a table entry 0..18.
    bool FindMotorData(double ratedOutput, const QString& startingMethod,
                       std::array<QString, 19>& fields);
    // The numbered design warnings 0..8 in a message box; any other code a default text.
    void ShowCalcWarning(int code);
    // ---- end of companion workbooks ------------------------------------------------------

private:
    QString m_mainTitle;
};

extern CSevrinApp theApp;
