// The motor-control-centre calculation sheet driven through its controls, offscreen, on the
// fixture library of tests/cable/cablefixture.h (motors 37 kW DOL, 55 kW Y-D, 15 kW S.S):
// panels and load rows with what they leave in "_10", the refused names, the input check's
// messages, the panel totals, the linked-load and breaker imports from fixture "_20" and
// "_40" workbooks, the panel copy, and failed stores.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "cable/cablefixture.h"
#include "common/formcontrols.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "common/workbooksheetnames.h"
#include "loads/core/designconditions.h"
#include "loads/core/mccpanel.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccsheetpage.h"
#include "mccfixture.h"
#include "platform/xlsxbook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using V = CMccSheetPage;

namespace {

const QString kExists = QStringLiteral("해당 부하가 존재합니다. !!!");

}  // namespace

class TestMccScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void panelsAndRefusedNames();
    void insertedPanelKeepsTheSelectedPanel();
    void deletingTheOnlyPanelRemovesTheWorkbook();
    void selectPanelFillsInputs();
    void loadRowsFollowTheWorkbook();
    void refusedLoadChangesNothing();
    void modifyKeepsTheRowsBreaker();
    void calcShowsTotalsFeederAndFaults();
    void linkedLoadsImport();
    void breakerImport();
    void copyPanel();
    void failedStoreReloadsFromWorkbook();
    void calcButtonComputesTheShownPanel();
    void rowsPastTheListLimitStayInTheWorkbook();
    void failedLaterStoreKeepsNothingOfTheAction_data();
    void failedLaterStoreKeepsNothingOfTheAction();

private:
    QString MccPath() const { return theApp.CompanionPath(CSevrinApp::MccWorkbook); }
    void Click(int id) { ClickButton(m_view.get(), id); }
    void Type(int id, const QString& text) { TypeText(m_view.get(), id, text); }
    // An unlisted text is typed into the combo's edit field.
    void Choose(int id, const QString& text) { ChooseOrType(m_view.get(), id, text); }
    void ClickPanel(int row) { ClickListRow(m_view->PanelList(), row, 1); }
    void ClickLoad(int row) { ClickListRow(m_view->LoadList(), row, 1); }
    void AddPanel(const QString& name, const QString& supply = QStringLiteral("3P4W"));
    void AddLoad(const QString& name, const QString& number, const QString& kind,
                 const QString& kw, const QString& kva, const QString& method,
                 const QString& phases = QStringLiteral("3P"), const QString& spare = QStringLiteral("N"),
                 const QString& demandFactor = QStringLiteral("1.00"));
    QString Field(int id) const { return m_view->findChild<QLineEdit*>(QString::number(id))->text(); }
    int Panels() const { return m_view->PanelList()->rows()->rowCount(); }
    int Loads() const { return m_view->LoadList()->rows()->rowCount(); }
    void CheckLoadsMatchWorkbook(int panel);
    static QList<QStringList> Rows(const RowListModel* model)
    {
        QList<QStringList> rows;
        for (int r = 0; r < model->rowCount(); ++r)
            rows << model->row(r);
        return rows;
    }

    QTemporaryDir m_lib;
    std::unique_ptr<QTemporaryDir> m_project;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CMccSheetPage> m_view;
};

void TestMccScreen::initTestCase()
{
    QVERIFY(m_lib.isValid());
    m_prompt = RecordingPrompt::Install();
    QVERIFY(cablefixture::UseFixtureLibraryAndConditions(theApp, m_lib.path()));
    mccfixture::FillCtTable(theApp.SwitchgearLibBlock.CtRatioTable);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

void TestMccScreen::init()
{
    m_project = std::make_unique<QTemporaryDir>();
    QVERIFY(m_project->isValid());
    theApp.ProjectPathTable.CurrentProjectPath = m_project->filePath("P1.pro");
    theApp.MotorControlCenterBlock.MccPanelCount = 0;
    theApp.MotorControlCenterBlock.MccLoadCount = 0;
    theApp.CabinetSizingBlock.BoardCount = 0;  // the boards mccfixture::AddBoard has added
    m_prompt = RecordingPrompt::Install();
    m_view = std::make_unique<CMccSheetPage>();
    m_view->LoadMccPanels();
    m_view->resize(m_view->FormSize());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestMccScreen::cleanup()
{
    m_view.reset();
    companion::DropCache();
    m_project.reset();
}

void TestMccScreen::AddPanel(const QString& name, const QString& supply)
{
    Type(V::IdPanelName, name);
    Choose(V::IdSupply, supply);
    Click(V::IdAddPanel);
}

void TestMccScreen::AddLoad(const QString& name, const QString& number, const QString& kind,
                            const QString& kw, const QString& kva, const QString& method,
                            const QString& phases, const QString& spare,
                            const QString& demandFactor)
{
    Type(V::IdEquipmentName, name);
    Type(V::IdEquipmentNumber, number);
    Choose(V::IdLoadKind, kind);
    Type(V::IdKw, kw);
    Type(V::IdKva, kva);
    Choose(V::IdStartMethod, method);
    Choose(V::IdPhases, phases);
    Choose(V::IdSpare, spare);
    Type(V::IdDemandFactor, demandFactor);
    Click(V::IdAddLoad);
}

// The load list shows exactly the panel's stored rows.
void TestMccScreen::CheckLoadsMatchWorkbook(int panel)
{
    const std::vector<MccLoadRow> stored = ReadMccLoadRows(theApp, panel);
    QCOMPARE(int(stored.size()), Loads());
    QCOMPARE(theApp.MotorControlCenterBlock.MccLoadCount, Loads());
    for (int r = 0; r < Loads(); ++r) {
        const QStringList shown = m_view->LoadList()->rows()->row(r);
        for (int c = 0; c < 40; ++c)
            QCOMPARE(shown[c], stored[std::size_t(r)][std::size_t(c)]);
    }
}

void TestMccScreen::panelsAndRefusedNames()
{
    QVERIFY(!QFile::exists(MccPath()));
    AddPanel("MCC-A");
    QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"MCC-A"}));
    QCOMPARE(m_view->PanelList()->rows()->row(0).mid(0, 8),
             QStringList({"1", "MCC-A", "B2", "돌출형", "TR-1", "0.38", "3P4W", "X"}));

    // Refused before anything changes: same name ignoring case, a name the workbook cannot
    // hold; an empty name does nothing at all.
    struct Case
    {
        QString name;
        QString message;
    };
    const QList<Case> refused = {
        {"mcc-a", kExists},
        {"MCC:1", MccPanelNameMessage(MccPanelNameCheck::Invalid)},
        {QString(32, 'M'), MccPanelNameMessage(MccPanelNameCheck::Invalid)},
        {"", QString()},
    };
    for (const Case& c : refused) {
        m_prompt->messages.clear();
        AddPanel(c.name);
        QCOMPARE(m_prompt->messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        QCOMPARE(Panels(), 1);
        QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"MCC-A"}));
    }

    // Modify: onto another panel's name (in any case) is refused; a new name renames the sheet.
    AddPanel("MCC-B");
    ClickPanel(1);
    Type(V::IdPanelName, "Mcc-A");
    m_prompt->messages.clear();
    Click(V::IdModifyPanel);
    QCOMPARE(m_prompt->messages, QStringList{kExists});
    QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"MCC-A", "MCC-B"}));
    Type(V::IdPanelName, "MCC-C");
    Type(V::IdLocation, "B3");
    Click(V::IdModifyPanel);
    QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"MCC-A", "MCC-C"}));
    QCOMPARE(m_view->PanelList()->rows()->text(1, 2), QStringLiteral("B3"));
    QCOMPARE(m_view->PanelList()->selectionMark(), -1);

    // "+" twice: the second "_____" is refused until the first is renamed.
    m_view->SetInsertButtonsVisible(true);
    ClickPanel(0);
    Click(V::IdInsertPanel);
    QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"_____", "MCC-A", "MCC-C"}));
    QCOMPARE(m_view->PanelList()->rows()->text(1, 0), QStringLiteral("2"));
    m_prompt->messages.clear();
    ClickPanel(0);
    Click(V::IdInsertPanel);
    QCOMPARE(m_prompt->messages, QStringList{kExists});
    QCOMPARE(Panels(), 3);
    QCOMPARE(theApp.MotorControlCenterBlock.MccPanelCount, 3);
}

void TestMccScreen::insertedPanelKeepsTheSelectedPanel()
{
    AddPanel("MCC-A");
    AddPanel("MCC-B");
    m_view->SetInsertButtonsVisible(true);
    ClickPanel(0);
    // Panel MCC-A is selected (position 0); "+" before it moves it to sheet 1.
    Click(V::IdInsertPanel);
    QCOMPARE(m_view->PanelPosition(), 1);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    QCOMPARE(int(ReadMccLoadRows(theApp, 1).size()), 1);  // MCC-A's sheet
    QCOMPARE(int(ReadMccLoadRows(theApp, 0).size()), 0);  // the new "_____"
}

void TestMccScreen::deletingTheOnlyPanelRemovesTheWorkbook()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    QVERIFY(QFile::exists(MccPath()));
    ClickPanel(0);
    Click(V::IdDeletePanel);
    QVERIFY(!QFile::exists(MccPath()));
    QCOMPARE(Panels(), 0);
    QCOMPARE(Loads(), 0);
    QCOMPARE(Field(V::IdLoadPanelName), QString());
    // Two of three: the workbook stays, the list renumbers and shows the first panel's loads.
    AddPanel("MCC-A");
    AddPanel("MCC-B");
    AddPanel("MCC-C");
    ClickPanel(2);
    Click(V::IdDeletePanel);
    ClickPanel(0);
    Click(V::IdDeletePanel);
    QCOMPARE(WorkbookSheetNames(MccPath()), QStringList({"MCC-B"}));
    QCOMPARE(m_view->PanelList()->rows()->text(0, 0), QStringLiteral("1"));
    QCOMPARE(Field(V::IdLoadPanelName), QStringLiteral("MCC-B"));
}

void TestMccScreen::selectPanelFillsInputs()
{
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-A", "TR-3", "3P3W", "0.44"}));
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-B", "MCC-A"}));
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-C", "TR-9"}));
    m_view->LoadMccPanels();
    QCOMPARE(Panels(), 3);

    m_view->SelectMccPanel(0);
    QCOMPARE(Field(V::IdPanelName), QStringLiteral("MCC-A"));
    QCOMPARE(Field(V::IdVoltage), QStringLiteral("0.44"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdTransformer)->currentText(), QStringLiteral("TR-3"));
    QVERIFY(m_view->Control<QRadioButton>(V::IdFromRoom)->isChecked());
    QCOMPARE(m_view->Control<QComboBox>(V::IdSupply)->currentText(), QStringLiteral("3P3W"));
    QCOMPARE(Field(V::IdPanelSupply), QStringLiteral("3P3W"));
    QCOMPARE(Field(V::IdLoadPanelName), QStringLiteral("MCC-A"));

    m_view->SelectMccPanel(1);
    QVERIFY(m_view->Control<QRadioButton>(V::IdFromPanel)->isChecked());
    QCOMPARE(Field(V::IdFromPanelName), QStringLiteral("MCC-A"));
    QCOMPARE(m_view->PanelPosition(), 1);

    // "TR-9" is no transformer of the combo: it shows none.
    m_view->SelectMccPanel(2);
    QCOMPARE(m_view->Control<QComboBox>(V::IdTransformer)->currentIndex(), -1);
}

void TestMccScreen::loadRowsFollowTheWorkbook()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    AddLoad("배수펌프", "DP-1", "M", "55", "", "Y-D");
    AddLoad("전등", "L-1", "L1", "", "10", "-", "2P");
    QCOMPARE(Loads(), 3);
    // 37 kW DOL: IMS = 70.29 A x 6.5 x 1 = 456.87 A (see tst_mccload).
    QCOMPARE(m_view->LoadList()->rows()->text(0, MccCol::Ims), QStringLiteral("456.87"));
    CheckLoadsMatchWorkbook(0);

    // Click copies the row back; modify replaces it.
    ClickLoad(1);
    QCOMPARE(Field(V::IdEquipmentNumber), QStringLiteral("DP-1"));
    QCOMPARE(m_view->Control<QComboBox>(V::IdStartMethod)->currentText(), QStringLiteral("Y-D"));
    Type(V::IdDemandFactor, "0.9");
    Click(V::IdModifyLoad);
    QCOMPARE(m_view->LoadList()->rows()->text(1, MccCol::DemandKva), QStringLiteral("60.53"));
    QCOMPARE(m_view->LoadList()->selectionMark(), -1);

    // "+" before row 1: "_____" as name and number, stored by a row insertion.
    m_view->SetInsertButtonsVisible(true);
    ClickLoad(1);
    Click(V::IdInsertLoad);
    QCOMPARE(Loads(), 4);
    QCOMPARE(m_view->LoadList()->rows()->text(1, 0), QStringLiteral("_____"));
    QCOMPARE(m_view->LoadList()->rows()->text(1, 1), QStringLiteral("_____"));
    CheckLoadsMatchWorkbook(0);

    // Deleting the last row marks the new last row.
    ClickLoad(3);
    Click(V::IdDeleteLoad);
    QCOMPARE(m_view->LoadList()->selectionMark(), 2);
    CheckLoadsMatchWorkbook(0);

    // A reload shows the same; the input column set hides the result columns.
    m_view->LoadMccLoads(0);
    CheckLoadsMatchWorkbook(0);
    m_view->OnShowInputMccColumns();
    QVERIFY(m_view->LoadList()->isColumnHidden(MccCol::Ims));
    QVERIFY(!m_view->LoadList()->isColumnHidden(MccCol::DemandFactor));
    CheckLoadsMatchWorkbook(0);
    m_view->OnShowAllMccColumns();
    QVERIFY(!m_view->LoadList()->isColumnHidden(MccCol::Ims));
}

void TestMccScreen::refusedLoadChangesNothing()
{
    AddPanel("MCC-1", "1P3W");
    ClickPanel(0);
    struct Case
    {
        QString kind, kw, kva, method, phases, number, message;
        QString df = QStringLiteral("1.00");
    };
    const QString kwField = QStringLiteral("용량[kW] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.");
    const QString kvaField = QStringLiteral("용량[kVA] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.");
    const QString dfField = QStringLiteral("수용률 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.");
    const QList<Case> cases = {
        {"M", "37", "", "DOL", "3P", "FP-1",
         "전원방식이 단상인 분전반입니다.\n분전반 전원방식을 확인하시기 바랍니다."},
        {"L1", "", "5", "DOL", "2P", "L-1", MccLoadRefusalText(MccLoadRefusal::StartMethodNotMotor)},
        {"M", "", "40", "DOL", "2P", "FP-1", MccLoadRefusalText(MccLoadRefusal::MotorNotFound)},
        // Without an equipment number the row would end the list on the next reload.
        {"L1", "", "5", "-", "2P", "", MccLoadRefusalText(MccLoadRefusal::NoEquipmentNumber)},
        // Quantities that cannot be: the message names the field.
        {"M", "-37", "", "DOL", "2P", "FP-1", kwField},
        {"M", "nan", "", "DOL", "2P", "FP-1", kwField},
        {"L1", "", "-5", "-", "2P", "L-1", kvaField},
        {"L1", "", "12,5", "-", "2P", "L-1", kvaField},
        {"L1", "", "1e308", "-", "2P", "L-1", kvaField},
        {"L1", "", "5", "-", "2P", "L-1", dfField, "-0.5"},
        {"L1", "", "5", "-", "2P", "L-1", dfField, "inf"},
        {"L1", "", "5", "-", "2P", "L-1", dfField, ""},
    };
    for (const Case& c : cases) {
        m_prompt->messages.clear();
        AddLoad("부하", c.number, c.kind, c.kw, c.kva, c.method, c.phases, "N", c.df);
        QCOMPARE(m_prompt->messages, QStringList{c.message});
        QCOMPARE(Loads(), 0);
        QCOMPARE(int(ReadMccLoadRows(theApp, 0).size()), 0);
    }
    // A two-phase load on the single-phase panel is accepted, with a demand factor of 0 too.
    m_prompt->messages.clear();
    AddLoad("전등", "L-1", "L1", "", "5", "-", "2P", "N", "0");
    QCOMPARE(m_prompt->messages, QStringList());
    QCOMPARE(Loads(), 1);

    // Modifying the row with a negative load is refused in the same way; the row stays.
    ClickLoad(0);
    Type(V::IdKva, "-5");
    m_prompt->messages.clear();
    Click(V::IdModifyLoad);
    QCOMPARE(m_prompt->messages, QStringList{kvaField});
    QCOMPARE(ReadMccLoadRows(theApp, 0)[0][MccCol::Kva], QStringLiteral("5"));

    // A panel's voltage sizes its main CT: one that is no number above 0 is refused.
    for (const char* volt : {"-0.38", "0", "nan", "0,38"}) {
        m_prompt->messages.clear();
        Type(V::IdVoltage, volt);
        AddPanel("MCC-2");
        QCOMPARE(m_prompt->messages,
                 QStringList{"전압[kV] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다."});
        QCOMPARE(Panels(), 1);
        QCOMPARE(WorkbookSheetNames(MccPath()), QStringList{"MCC-1"});
    }
}

void TestMccScreen::modifyKeepsTheRowsBreaker()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    AddLoad("배수펌프", "DP-1", "M", "55", "", "Y-D");
    QVERIFY(mccfixture::AddCable(theApp, 0, "MCC-A", "FP-1", {{91, "3"}, {96, "100"}, {97, "100"}}));
    Click(V::IdImportBreakers);
    // Modifying the second row leaves its own (empty) breaker, and the first keeps its own.
    ClickLoad(1);
    Click(V::IdModifyLoad);
    ClickLoad(0);
    Type(V::IdDemandFactor, "0.8");
    Click(V::IdModifyLoad);
    const std::vector<MccLoadRow> rows = ReadMccLoadRows(theApp, 0);
    QCOMPARE(rows[0][27] + rows[0][28] + rows[0][29], QStringLiteral("3100100"));
    QCOMPARE(rows[1][27] + rows[1][28] + rows[1][29], QString());
    CheckLoadsMatchWorkbook(0);
}

void TestMccScreen::calcShowsTotalsFeederAndFaults()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    // An empty panel: zeros, and "-" in the motor fields.
    m_view->CalcMccPanel(0);
    QCOMPARE(Field(V::IdConnected), QStringLiteral("0"));
    QCOMPARE(Field(V::IdMotorKw), QStringLiteral("-"));
    QCOMPARE(Field(V::IdMotorStartKva), QStringLiteral("-"));
    QCOMPARE(Field(V::IdMotorStartTime), QStringLiteral("-"));
    QCOMPARE(Field(V::IdMaxFault), QStringLiteral("-"));

    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    AddLoad("배수펌프", "DP-1", "M", "55", "", "Y-D", "3P", "Y");
    QVERIFY(mccfixture::AddCable(theApp, 0, "MDB", "MCC-A",
                                 {{91, "3"}, {96, "225"}, {97, "125"}, {102, "35"}, {104, "0.6/1kV"},
                                  {105, "FCV"}, {106, "50"}, {108, "4"}, {109, "1"}, {110, "25"},
                                  {111, "ST|54"}}));
    QVERIFY(mccfixture::WriteBusWorkbook(theApp, 1, {{"MCC-A", "18.2", "9.1"}}));
    m_view->CalcMccPanel(0);
    // Counted: the 37 kW motor only (46.26 kVA, 15.42 a line); the spare 55 kW Y-D is out of
    // the sums. Largest motor by IMS: the 37 kW DOL (456.87 A) over the 55 kW Y-D (102.18 x 6.5
    // x 0.333 = 221.17 A). Without the largest load: 46.26 - 46.26 = 0.
    // CT: 46.26 / (sqrt3 x 0.38) = 70.3 A -> first primary above is 75, label "50".
    QCOMPARE(Field(V::IdConnected), QStringLiteral("46"));
    QCOMPARE(Field(V::IdDemandPct), QStringLiteral("100"));
    QCOMPARE(Field(V::IdDemand), QStringLiteral("46"));
    QCOMPARE(Field(V::IdLineL1), QStringLiteral("15"));
    QCOMPARE(Field(V::IdMotorKw), QStringLiteral("37.00"));
    QCOMPARE(Field(V::IdMotorMethod), QStringLiteral("DOL"));
    QCOMPARE(Field(V::IdMotorWord), QStringLiteral("기동"));
    QCOMPARE(Field(V::IdMotorStartKva), QStringLiteral("301"));
    QCOMPARE(Field(V::IdMotorStartTime), QStringLiteral("6s"));
    QCOMPARE(Field(V::IdBreakerPoles), QStringLiteral("3P"));
    QCOMPARE(Field(V::IdBreakerFrame), QStringLiteral("225"));
    QCOMPARE(Field(V::IdBreakerTrip), QStringLiteral("125AT"));
    QCOMPARE(Field(V::IdCt), QStringLiteral("50/5"));
    QCOMPARE(Field(V::IdBreakingKa), QStringLiteral("35"));
    QCOMPARE(Field(V::IdCable), QStringLiteral("0.6/1kV FCV 50/4-1,E-25(ST|54)"));
    QCOMPARE(Field(V::IdWithoutLargest), QStringLiteral("0"));
    QCOMPARE(Field(V::IdMaxFault), QStringLiteral("18.200"));
    QCOMPARE(Field(V::IdMinFault), QStringLiteral("9.100"));
    QCOMPARE(m_view->PanelList()->rows()->text(0, 8), QStringLiteral("46"));
    QCOMPARE(m_view->PanelList()->rows()->text(0, 9), QStringLiteral("0"));
    QVERIFY(theApp.ReadMccPanelSheet(0));
    QCOMPARE(theApp.MotorControlCenterBlock.MccPanelRecord[9], QStringLiteral("46"));

    // Selecting the panel again shows what its sheet, the cable schedule and the bus workbook
    // hold: the same totals, without "계산" and without writing anything.
    QStringList computed;
    for (int id : V::TotalsFieldIds)
        computed << Field(id);
    computed << Field(V::IdMaxFault) << Field(V::IdMinFault);
    for (int id : V::TotalsFieldIds)
        m_view->findChild<QLineEdit*>(QString::number(id))->setText(QStringLiteral("x"));
    const QByteArray stored = ReadFile(theApp.CompanionPath(CSevrinApp::MccWorkbook));
    m_view->SelectMccPanel(0);
    QStringList shown;
    for (int id : V::TotalsFieldIds)
        shown << Field(id);
    shown << Field(V::IdMaxFault) << Field(V::IdMinFault);
    QCOMPARE(shown, computed);
    QCOMPARE(ReadFile(theApp.CompanionPath(CSevrinApp::MccWorkbook)), stored);
}

void TestMccScreen::linkedLoadsImport()
{
    AddPanel("MCC-A");
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-B", "MCC-A", "3P4W", "0.38", "35"}));
    QVERIFY(mccfixture::AddBoard(theApp, "LP-1", "MCC-A", "12345", "77", "9.5"));
    QVERIFY(mccfixture::AddBoard(theApp, "LP-2", "MCC-B", "5000", "100", "5"));
    m_view->LoadMccPanels();
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    m_prompt->messages.clear();
    Click(V::IdImportLinked);
    QCOMPARE(m_prompt->messages, QStringList{"동력 1, 부하 1가 연계 되었습니다."});
    QCOMPARE(Loads(), 3);
    QCOMPARE(m_view->LoadList()->rows()->text(1, 0), QStringLiteral("MCC-B"));
    QCOMPARE(m_view->LoadList()->rows()->text(2, 4), QStringLiteral("12"));
    CheckLoadsMatchWorkbook(0);

    // The fed panel and board count in the totals without being modified:
    // ΣCL = 46.26 + 35 + 12 = 93.26; ΣDL = 46.26 + 35 + 9.5 = 90.76.
    m_view->CalcMccPanel(0);
    QCOMPARE(Field(V::IdConnected), QStringLiteral("93"));
    QCOMPARE(Field(V::IdDemand), QStringLiteral("91"));
    // L1 = 15.42 + 35 / 3 + 9.5 / 3 = 30.25.
    QCOMPARE(Field(V::IdLineL1), QStringLiteral("30"));
}

void TestMccScreen::breakerImport()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    AddLoad("펌프1", "M-1", "M", "37", "", "DOL");
    AddLoad("펌프2", "M-2", "M", "37", "", "DOL");
    AddLoad("펌프2 예비", "M-2", "M", "37", "", "DOL", "3P", "Y");
    // No cable schedule: nothing changes and nothing is said.
    m_prompt->messages.clear();
    Click(V::IdImportBreakers);
    QCOMPARE(m_prompt->messages, QStringList());

    QVERIFY(mccfixture::AddCable(theApp, 0, "MCC-A", "M-2", {{91, "3"}, {96, "100"}, {97, "75"}}));
    QVERIFY(mccfixture::AddCable(theApp, 1, "MCC-B", "M-1", {{91, "4"}, {96, "400"}, {97, "300"}}));
    QVERIFY(mccfixture::AddCable(theApp, 2, "MCC-A", "M-1", {{91, "3"}, {96, "50"}, {97, "30"}}));
    QVERIFY(mccfixture::AddCable(theApp, 3, "MCC-A", "X-9", {{91, "3"}, {96, "50"}, {97, "20"}}));
    Click(V::IdImportBreakers);
    QCOMPARE(m_prompt->messages, QStringList{"총 4개 중 일치된 2 개의 MCCB 항목을 설정하였습니다."});
    const RowListModel* rows = m_view->LoadList()->rows();
    QCOMPARE(rows->text(0, 29), QStringLiteral("30"));
    QCOMPARE(rows->text(1, 29), QStringLiteral("75"));
    QCOMPARE(rows->text(2, 29), QString());  // only the first row of a number
    CheckLoadsMatchWorkbook(0);
}

void TestMccScreen::copyPanel()
{
    AddPanel("MCC-A");
    AddPanel("MCC-B");
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    AddLoad("전등", "L-1", "L1", "", "10", "-", "2P");
    // The load list shows MCC-B's (no) rows; the copy still takes every row of MCC-A.
    ClickPanel(0);
    m_view->SelectMccPanel(1);
    QCOMPARE(Loads(), 0);
    Type(V::IdPanelName, "MCC-A");
    m_prompt->messages.clear();
    Click(V::IdCopyPanel);
    ClickPanel(0);
    Click(V::IdCopyPanel);
    QCOMPARE(m_prompt->messages, QStringList());
    const QStringList names = WorkbookSheetNames(MccPath());
    QCOMPARE(names.size(), 4);
    // Two copies within the same second get distinct names.
    QVERIFY(names[2].startsWith("MCC-A_"));
    QVERIFY(names[3].startsWith("MCC-A_"));
    QVERIFY(names[2] != names[3]);
    for (int target : {2, 3}) {
        const std::vector<MccLoadRow> copied = ReadMccLoadRows(theApp, target);
        QCOMPARE(int(copied.size()), 2);
        QCOMPARE(copied[1][MccCol::Number], QStringLiteral("L-1"));
    }
    QCOMPARE(m_view->PanelList()->selectionMark(), -1);
    // No panel marked: nothing.
    Click(V::IdCopyPanel);
    QCOMPARE(WorkbookSheetNames(MccPath()).size(), 4);
}

void TestMccScreen::failedStoreReloadsFromWorkbook()
{
    AddPanel("MCC-A");
    ClickPanel(0);
    AddLoad("주펌프", "FP-1", "M", "37", "", "DOL");
    // The workbook is replaced behind the screen's back by something unreadable.
    const QByteArray junk("not a workbook");
    QVERIFY(WriteFile(MccPath(), junk));
    m_prompt->messages.clear();
    AddLoad("배수펌프", "DP-1", "M", "55", "", "Y-D");
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].contains(MccPath()));
    // The lists show what the file holds (nothing readable), and the file is untouched.
    QCOMPARE(Panels(), 0);
    QCOMPARE(Loads(), 0);
    QCOMPARE(ReadFile(MccPath()), junk);
    m_prompt->messages.clear();
    AddPanel("MCC-B");
    QCOMPARE(m_prompt->messages.size(), 1);
    QCOMPARE(ReadFile(MccPath()), junk);
}

void TestMccScreen::calcButtonComputesTheShownPanel()
{
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-A"}));
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-B"}));
    MccLoadRow fan = mccfixture::LoadInputs("팬", "F-1", "L3P", "", "20", "N", "3P", "-", "1.0");
    CalcMccLoadRow(fan, MccLoadConditionsOf(theApp), AppMotorLookup(theApp));
    QVERIFY(mccfixture::WriteLoads(theApp, 1, {fan}));

    // As after a project load with panel 1 shown: panels and that panel's loads refilled.
    CMccScreen screen;
    screen.OnInitialUpdate();
    screen.ApplyMccDesignConditions(1, true);
    CMccSheetPage* page = screen.LoadPage();
    QCOMPARE(page->PanelCount(), 2);
    QCOMPARE(page->PanelPosition(), 1);
    QCOMPARE(page->LoadRows().size(), std::size_t(1));
    QCOMPARE(page->FieldText(V::IdLoadPanelName), QStringLiteral("MCC-B"));

    // "계산" on the design-conditions page computes no panel; on the sheet it does.
    screen.OnCalcMcc();
    QCOMPARE(page->FieldText(V::IdConnected), QString());
    screen.OnShowMccSheetPage();
    screen.OnCalcMcc();
    QCOMPARE(page->FieldText(V::IdConnected), QStringLiteral("20"));
    QCOMPARE(page->PanelRow(1).value(8), QStringLiteral("20"));
}

// A panel whose sheet holds 1005 load rows (the list takes 1000): the screen says so once when
// it lists them, refuses to grow past the limit, and no add, modify or delete on the screen
// touches rows 1001..1005. A delete at the limit lists the next stored row, so a later "추가"
// appends after it instead of writing over it.
void TestMccScreen::rowsPastTheListLimitStayInTheWorkbook()
{
    constexpr int kStored = kMaxMccLoadRows + 5;
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-A"}));
    {
        CompanionBatch batch;
        for (int k = 0; k < kStored; ++k) {
            const QString number = (k < kMaxMccLoadRows ? QStringLiteral("L-%1")
                                                        : QStringLiteral("TAIL-%1")).arg(k + 1);
            theApp.MotorControlCenterBlock.MccLoadRow =
                mccfixture::LoadInputs("전등", number, "L1", "", "10", "N", "3P", "-", "1.0");
            QVERIFY(theApp.WriteMccLoadRow(0, k, false));
        }
        QVERIFY(batch.finish());
    }
    // Equipment numbers of list positions first.. of the stored sheet.
    const auto stored = [this](int first, int count) {
        QStringList numbers;
        Book book;
        if (!book.load(MccPath()))
            return numbers;
        for (int r = first; r < first + count; ++r)
            numbers << companion::CellText(*book.getSheet(0), 6 + r, MccCol::Number);
        return numbers;
    };
    const QStringList tail = {"TAIL-1001", "TAIL-1002", "TAIL-1003", "TAIL-1004", "TAIL-1005", ""};
    QCOMPARE(stored(kMaxMccLoadRows, 6), tail);

    const QString limitMessage = companion::RowLimitMessage(MccPath(), kMaxMccLoadRows);
    m_view->LoadMccPanels();
    m_prompt->messages.clear();
    ClickPanel(0);
    QCOMPARE(m_prompt->messages, QStringList{limitMessage});
    QCOMPARE(Loads(), kMaxMccLoadRows);

    // "추가" at the limit is refused with the list's own message; nothing is written.
    const QString full = QStringLiteral("동력 부하는 최대 1000개까지 입력할 수 있습니다.");
    m_prompt->messages.clear();
    AddLoad("새 부하", "N-1", "L1", "", "5", "-");
    QCOMPARE(m_prompt->messages, QStringList{full});
    QCOMPARE(Loads(), kMaxMccLoadRows);
    QCOMPARE(stored(kMaxMccLoadRows, 6), tail);

    // Modify a listed row: only that row changes.
    ClickLoad(0);
    Type(V::IdKva, "20");
    Click(V::IdModifyLoad);
    QCOMPARE(stored(0, 1), QStringList{"L-1"});
    QCOMPARE(stored(kMaxMccLoadRows, 6), tail);

    // Delete a row: the first row past the limit moves up into the list and is shown.
    m_prompt->messages.clear();
    ClickLoad(1);
    Click(V::IdDeleteLoad);
    QCOMPARE(m_prompt->messages, QStringList{limitMessage});  // 1004 rows: still more than 1000
    QCOMPARE(Loads(), kMaxMccLoadRows);
    QCOMPARE(m_view->LoadList()->rows()->text(kMaxMccLoadRows - 1, MccCol::Number),
             QStringLiteral("TAIL-1001"));
    QCOMPARE(stored(kMaxMccLoadRows - 1, 6), tail.mid(0, 5) + QStringList{""});
    CheckLoadsMatchWorkbook(0);
}

// An import or a copy whose later store fails: the workbook keeps nothing of it, the lists stay
// as they were and the failure is named.
void TestMccScreen::failedLaterStoreKeepsNothingOfTheAction_data()
{
    QTest::addColumn<int>("button");
    // MCC-B and LP-1 are fed from MCC-A: LP-1's row is refused.
    QTest::newRow("linked loads") << int(V::IdImportLinked);
    // M-1 and M-2 have a schedule row each: M-2's breaker is refused.
    QTest::newRow("breakers") << int(V::IdImportBreakers);
    // The copy's sheet is added, the copy of MCC-A's rows into it refused.
    QTest::newRow("copy panel") << int(V::IdCopyPanel);
}

void TestMccScreen::failedLaterStoreKeepsNothingOfTheAction()
{
    QFETCH(int, button);
    AddPanel("MCC-A");
    QVERIFY(mccfixture::AddPanel(theApp, {"MCC-B", "MCC-A", "3P4W", "0.38", "35"}));
    QVERIFY(mccfixture::AddBoard(theApp, "LP-1", "MCC-A", "12345", "77", "9.5"));
    QVERIFY(mccfixture::AddCable(theApp, 0, "MCC-A", "M-1", {{91, "3"}, {96, "50"}, {97, "30"}}));
    QVERIFY(mccfixture::AddCable(theApp, 1, "MCC-A", "M-2", {{91, "3"}, {96, "100"}, {97, "75"}}));
    m_view->LoadMccPanels();
    ClickPanel(0);
    AddLoad("펌프1", "M-1", "M", "37", "", "DOL");
    AddLoad("펌프2", "M-2", "M", "37", "", "DOL");
    QCOMPARE(Loads(), 2);
    m_prompt->messages.clear();

    const QMap<QString, QByteArray> before = FolderSnapshot(m_project->path());
    const QList<QStringList> panels = Rows(m_view->PanelList()->rows());
    const QList<QStringList> loads = Rows(m_view->LoadList()->rows());
    ClickPanel(0);
    {
        WorkbookWritesRefusedAfter refusal(MccPath(), 1);
        Click(button);
        QCOMPARE(refusal.refused(), 1);
    }
    QCOMPARE(m_prompt->messages, QStringList{"동력 파일을 저장하지 못했습니다.\n" + MccPath()});
    QCOMPARE(ChangedEntries(before, FolderSnapshot(m_project->path())), QStringList());
    QCOMPARE(Rows(m_view->PanelList()->rows()), panels);
    QCOMPARE(Rows(m_view->LoadList()->rows()), loads);
    CheckLoadsMatchWorkbook(0);
}

QTEST_MAIN(TestMccScreen)
#include "tst_mccscreen.moc"
