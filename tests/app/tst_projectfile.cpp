// The project file: the template, the key names, every section's round trip, the reader's
// defaults and its rules for revision rows, combo texts and transformer settings.
#include "common/notprojectfiles.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "platform/profile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <array>

namespace {

const QString kTemplate = ProgramDir() + QStringLiteral("/FORM/form.pro");

// Stand-in for the transformer screen's five check boxes and capacity edits.
struct FakeTransformerControls
{
    std::array<bool, 5> checked{};
    std::array<bool, 5> enabled{};
    std::array<QString, 5> text;

    void Install()
    {
        CSevrinApp::TransformerControlsT& c = theApp.TransformerControls;
        c.IsChecked = [this](int n) { return checked[n - 1]; };
        c.SetChecked = [this](int n, bool on) { checked[n - 1] = on; };
        c.CapacityText = [this](int n) { return text[n - 1]; };
        c.SetCapacityText = [this](int n, const QString& t) { text[n - 1] = t; };
        c.SetCapacityEnabled = [this](int n, bool on) { enabled[n - 1] = on; };
    }
};

QString T(int seed, const char* what, int i)
{
    return QStringLiteral("%1-%2%3").arg(seed).arg(QLatin1String(what)).arg(i);
}

// Gives every stored member a value that depends on `seed`, so two seeds differ everywhere.
void FillAll(int seed, FakeTransformerControls& tr)
{
    auto& p = theApp.ProjectIntroduceBlock;
    p.ProjectName = QStringLiteral("공장 증설 %1").arg(seed);
    p.ProjectNumber = QStringLiteral("P-%1").arg(seed);
    p.Buyer = QStringLiteral("buyer %1").arg(seed);
    p.CI = QStringLiteral("logo%1.png").arg(seed);
    p.RR = 10;
    for (int n = 0; n < 10; ++n) {
        p.RevPurpose[n] = T(seed, "purpose", n);
        p.RevDate[n] = QStringLiteral("2024.%1.%2").arg(seed, 2, 10, QLatin1Char('0')).arg(n + 10);
        p.RevDesigner[n] = T(seed, "designer", n);
        p.RevReviewer[n] = T(seed, "reviewer", n);
        p.RevApprover[n] = T(seed, "approver", n);
    }
    auto& m = theApp.MotorControlCenterBlock;
    for (int i = 0; i < 10; ++i)
        m.MccConditionIndex[i] = seed * 10 + i;
    for (int i = 0; i < 2; ++i)
        m.MccConditionText[i] = T(seed, "mcc", i);
    auto& c = theApp.CabinetSizingBlock;
    c.BoardDemandFactor = T(seed, "df", 0);
    for (int i = 0; i < 5; ++i)
        c.InstallConditionIndex[i] = seed * 20 + i;
    c.ConductorCriteriaIndex = {seed * 30, seed * 30, seed * 30 + 2};
    for (int i = 0; i < 7; ++i)
        c.ConductorCriteriaText[i] = T(seed, "cc", i);
    c.MotorStartCriteriaIndex = seed * 40;
    for (int i = 0; i < 3; ++i)
        c.MotorStartCriteriaText[i] = T(seed, "ms", i);
    for (int i = 0; i < 3; ++i)
        c.BreakerCriteriaIndex[i] = seed * 50 + i;
    for (int i = 0; i < 2; ++i)
        c.BreakerCriteriaText[i] = T(seed, "cb", i);
    auto& g = theApp.GeneratorSizingBlock;
    g.GeneratorConditionIndex = {seed * 60, seed * 60 + 1};
    for (int i = 0; i < 4; ++i)
        g.GeneratorConditionText[i] = T(seed, "gen", i);
    auto& f = theApp.FaultCurrentBlock;
    for (int i = 0; i < 6; ++i)
        f.UtilityInput[i] = T(seed, "util", i);
    for (int i = 0; i < 12; ++i)
        f.FaultConditionText[i] = T(seed, "fc", i);
    auto& e = theApp.GroundingDesignBlock;
    e.ConductorSizeIndex = {seed * 70, seed * 70 + 1};
    for (int i = 0; i < 13; ++i)
        e.ConductorSizeInput[i] = T(seed, "gcs", i);
    e.SafetyVoltageIndex = seed * 80;
    for (int i = 0; i < 4; ++i)
        e.SafetyVoltageInput[i] = T(seed, "sv", i);
    for (int i = 0; i < 3; ++i)
        e.GroundingConditionIndex[i] = seed * 90 + i;
    for (int i = 0; i < 28; ++i)
        e.GroundingConditionInput[i] = T(seed, "gc", i);
    for (int n = 0; n < 5; ++n) {
        tr.checked[n] = (n + seed) % 2 == 0;
        tr.text[n] = QString::number(500 * (n + 1) + seed);
    }
}

// Every member the reader fills, as text, in a fixed order.
QStringList Dump(const FakeTransformerControls& tr)
{
    QStringList out;
    auto& p = theApp.ProjectIntroduceBlock;
    out << p.ProjectName << p.ProjectNumber << p.Buyer << p.CI << QString::number(p.RR);
    for (int n = 0; n < 10; ++n)
        out << p.RevPurpose[n] << p.RevDate[n] << p.RevDesigner[n] << p.RevReviewer[n] << p.RevApprover[n];
    auto& m = theApp.MotorControlCenterBlock;
    for (int v : m.MccConditionIndex)
        out << QString::number(v);
    out << m.MccConditionText[0] << m.MccConditionText[1];
    auto& c = theApp.CabinetSizingBlock;
    out << c.BoardDemandFactor;
    for (int v : c.InstallConditionIndex)
        out << QString::number(v);
    for (int v : c.ConductorCriteriaIndex)
        out << QString::number(v);
    for (const QString& v : c.ConductorCriteriaText)
        out << v;
    out << QString::number(c.MotorStartCriteriaIndex);
    for (const QString& v : c.MotorStartCriteriaText)
        out << v;
    for (int v : c.BreakerCriteriaIndex)
        out << QString::number(v);
    for (const QString& v : c.BreakerCriteriaText)
        out << v;
    auto& g = theApp.GeneratorSizingBlock;
    for (int v : g.GeneratorConditionIndex)
        out << QString::number(v);
    for (const QString& v : g.GeneratorConditionText)
        out << v;
    auto& f = theApp.FaultCurrentBlock;
    for (const QString& v : f.UtilityInput)
        out << v;
    for (const QString& v : f.FaultConditionText)
        out << v;
    auto& e = theApp.GroundingDesignBlock;
    for (int v : e.ConductorSizeIndex)
        out << QString::number(v);
    for (int i : {0, 1, 2, 3, 4, 5, 8, 9, 11, 12})
        out << e.ConductorSizeInput[i];
    for (int i : {0, 1, 2})
        out << e.SafetyVoltageInput[i];
    for (int v : e.GroundingConditionIndex)
        out << QString::number(v);
    for (const QString& v : e.GroundingConditionInput)
        out << v;
    // An unchecked transformer's edit keeps its own text on loading.
    for (int n = 0; n < 5; ++n)
        out << (tr.checked[n] ? QStringLiteral("on ") + tr.text[n] : QStringLiteral("off"));
    return out;
}


// Every key of every section, typed from the key tables of the project-file format, in the
// order the reader reads them. The code's own key tables must spell each one the same.
struct TypedSection
{
    const char* section;
    QStringList keys;
};

const QList<TypedSection>& TypedKeyTables()
{
    static const QList<TypedSection> tables = {
        {"Project_Introduce",
         {"ProjectName", "ProjectNumber", "Buyer", "CI", "RR",
          "R0_Purpose", "R0_Date", "R0_Designer", "R0_Reviewer", "R0_Approver",
          "R1_Purpose", "R1_Date", "R1_Designer", "R1_Reviewer", "R1_Approver",
          "R2_Purpose", "R2_Date", "R2_Designer", "R2_Reviewer", "R2_Approver",
          "R3_Purpose", "R3_Date", "R3_Designer", "R3_Reviewer", "R3_Approver",
          "R4_Purpose", "R4_Date", "R4_Designer", "R4_Reviewer", "R4_Approver",
          "R5_Purpose", "R5_Date", "R5_Designer", "R5_Reviewer", "R5_Approver",
          "R6_Purpose", "R6_Date", "R6_Designer", "R6_Reviewer", "R6_Approver",
          "R7_Purpose", "R7_Date", "R7_Designer", "R7_Reviewer", "R7_Approver",
          "R8_Purpose", "R8_Date", "R8_Designer", "R8_Reviewer", "R8_Approver",
          "R9_Purpose", "R9_Date", "R9_Designer", "R9_Reviewer", "R9_Approver"}},
        {"Motor_Control_Center",
         {"IDC_PRO_1_1_COMBO1", "IDC_PRO_1_1_COMBO2", "IDC_PRO_1_1_COMBO3", "IDC_PRO_1_1_COMBO4",
          "IDC_PRO_1_1_COMBO5", "IDC_PRO_1_1_COMBO6", "IDC_PRO_1_1_COMBO7", "IDC_PRO_1_1_COMBO8",
          "IDC_PRO_1_1_COMBO9", "IDC_PRO_1_1_COMBOA", "IDC_PRO_1_1_EDIT1", "IDC_PRO_1_1_EDIT2"}},
        {"Cabinet_Sizing",
         {"IDC_PRO_2_2_EDIT1",
          "IDC_PRO_2_3_COMBO1", "IDC_PRO_2_3_COMBO2", "IDC_PRO_2_3_COMBO3", "IDC_PRO_2_3_COMBO4",
          "IDC_PRO_2_3_COMBO5",
          "IDC_PRO_2_4_COMBO1", "IDC_PRO_2_4_COMBO2", "IDC_PRO_2_4_COMBO3",
          "IDC_PRO_2_4_EDIT1", "IDC_PRO_2_4_EDIT2", "IDC_PRO_2_4_EDIT3", "IDC_PRO_2_4_EDIT4",
          "IDC_PRO_2_4_EDIT5", "IDC_PRO_2_4_EDIT6", "IDC_PRO_2_4_EDIT7",
          "IDC_PRO_2_5_COMBO1", "IDC_PRO_2_5_EDIT1", "IDC_PRO_2_5_EDIT2", "IDC_PRO_2_5_EDIT3",
          "IDC_PRO_2_6_COMBO1", "IDC_PRO_2_6_COMBO2", "IDC_PRO_2_6_COMBO3",
          "IDC_PRO_2_6_EDIT1", "IDC_PRO_2_6_EDIT2"}},
        {"Transformer_Sizing",
         {"TR_1_ENAB", "TR_1_EDIT", "TR_2_ENAB", "TR_2_EDIT", "TR_3_ENAB", "TR_3_EDIT",
          "TR_4_ENAB", "TR_4_EDIT", "TR_5_ENAB", "TR_5_EDIT"}},
        {"Generator_Sizing",
         {"IDC_PRO_6_2_COMBO1", "IDC_PRO_6_2_COMBO2", "IDC_PRO_6_2_EDIT1", "IDC_PRO_6_2_EDIT2",
          "IDC_PRO_6_2_EDIT3", "IDC_PRO_6_2_EDIT4"}},
        {"Fault_Current",
         {"IDC_PRO_8_1_EDIT1", "IDC_PRO_8_1_EDIT2", "IDC_PRO_8_1_EDIT3", "IDC_PRO_8_1_EDIT4",
          "IDC_PRO_8_1_EDIT5", "IDC_PRO_8_1_EDIT6",
          "IDC_PRO_8_2_EDIT1", "IDC_PRO_8_2_EDIT2", "IDC_PRO_8_2_EDIT3", "IDC_PRO_8_2_EDIT4",
          "IDC_PRO_8_2_EDIT5", "IDC_PRO_8_2_EDIT6", "IDC_PRO_8_2_EDIT7", "IDC_PRO_8_2_EDIT8",
          "IDC_PRO_8_2_EDIT9", "IDC_PRO_8_2_EDIT10", "IDC_PRO_8_2_EDIT11", "IDC_PRO_8_2_EDIT12"}},
        {"Grounding_Design",
         {"IDC_PRO_9_1_COMBO1", "IDC_PRO_9_1_COMBO2",
          "IDC_PRO_9_1_EDIT1", "IDC_PRO_9_1_EDIT2", "IDC_PRO_9_1_EDIT3", "IDC_PRO_9_1_EDIT4",
          "IDC_PRO_9_1_EDIT5", "IDC_PRO_9_1_EDIT6", "IDC_PRO_9_1_EDIT7", "IDC_PRO_9_1_EDIT8",
          "IDC_PRO_9_1_EDIT9", "IDC_PRO_9_1_EDITA", "IDC_PRO_9_1_EDITB", "IDC_PRO_9_1_EDITC",
          "IDC_PRO_9_1_EDITD",
          "IDC_PRO_9_3_COMBO1", "IDC_PRO_9_3_EDIT1", "IDC_PRO_9_3_EDIT2", "IDC_PRO_9_3_EDIT3",
          "IDC_PRO_9_3_EDIT4",
          "IDC_PRO_9_9_COMBO1", "IDC_PRO_9_9_COMBO2", "IDC_PRO_9_9_COMBO3",
          "IDC_PRO_9_9_EDIT1", "IDC_PRO_9_9_EDIT2", "IDC_PRO_9_9_EDIT3", "IDC_PRO_9_9_EDIT4",
          "IDC_PRO_9_9_EDIT5", "IDC_PRO_9_9_EDIT6", "IDC_PRO_9_9_EDIT7", "IDC_PRO_9_9_EDIT8",
          "IDC_PRO_9_9_EDIT9", "IDC_PRO_9_9_EDITA", "IDC_PRO_9_9_EDITB", "IDC_PRO_9_9_EDITC",
          "IDC_PRO_9_9_EDITD", "IDC_PRO_9_9_EDITE", "IDC_PRO_9_9_EDITF", "IDC_PRO_9_9_EDITG",
          "IDC_PRO_9_9_EDITH", "IDC_PRO_9_9_EDITI", "IDC_PRO_9_9_EDITJ", "IDC_PRO_9_9_EDITK",
          "IDC_PRO_9_9_EDITL", "IDC_PRO_9_9_EDITM", "IDC_PRO_9_9_EDITN", "IDC_PRO_9_9_EDITO",
          "IDC_PRO_9_9_EDITP", "IDC_PRO_9_9_EDITQ", "IDC_PRO_9_9_EDITR", "IDC_PRO_9_9_EDITS"}},
    };
    return tables;
}

// Keys a writer writes and the reader never reads (the tables' "written only").
const QStringList kWrittenOnly = {"IDC_PRO_2_4_COMBO2", "IDC_PRO_9_1_EDIT7", "IDC_PRO_9_1_EDIT8",
                                  "IDC_PRO_9_1_EDITB", "IDC_PRO_9_3_COMBO1", "IDC_PRO_9_3_EDIT4"};

}  // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void templateHoldsEveryKeyAtItsDefault();
    void saveAndReloadEverySection();
    void keysAreNamedLikeTheirControls();
    void keysAreThoseOfTheKeyTables();
    void missingKeysReadAsDefaults();
    void revisionRows_data();
    void revisionRows();
    void saveWritesOnlyCountedRevisionRows();
    void comboTexts_data();
    void comboTexts();
    void transformerSettings();
    void singleCoreThresholdFollowsMultiCore();
    void textsComeBackExactly();
    void longValueIsCut();
    void failedWritesAreReported();
    void onlyAProjectFileIsOpened_data();
    void onlyAProjectFileIsOpened();
    void eachLoadReadsTheFileAsItIsNow();
    void companionPaths_data();
    void companionPaths();

private:
    QString copyTemplate(const QString& name);

    QTemporaryDir m_tmp;
    FakeTransformerControls m_tr;
    int m_case = 0;
};

void TestProjectFile::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY2(QFile::exists(kTemplate), qPrintable(kTemplate));
    m_tr.Install();
    // Reading must not depend on the locale (no workbooks exist, so protection does nothing).
    theApp.ProjectPathTable = CSevrinApp::ProjectPathTableT{};
}

void TestProjectFile::init()
{
    m_tr = FakeTransformerControls{};
    theApp.ProjectPathTable.CurrentProjectPath.clear();
}

QString TestProjectFile::copyTemplate(const QString& name)
{
    const QString path = m_tmp.filePath(QStringLiteral("%1-%2.pro").arg(++m_case).arg(name));
    QFile::copy(kTemplate, path);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return path;
}

void TestProjectFile::templateHoldsEveryKeyAtItsDefault()
{
    const QByteArray bytes = ReadFile(kTemplate);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    QVERIFY(!utf8.hasError());
    QVERIFY(text.contains(QStringLiteral("IDC_PRO_8_1_EDIT1=변전소")));

    // The design conditions a new project starts from, as data/README.md lists them (combos
    // by their position): every other key holds what the reader takes for a missing key.
    const QMap<QString, QString> design = {
        {"IDC_PRO_1_1_COMBO1", "9"},  {"IDC_PRO_1_1_COMBO3", "3"},  {"IDC_PRO_1_1_COMBO4", "1"},
        {"IDC_PRO_1_1_COMBO5", "1"},  {"IDC_PRO_1_1_COMBO6", "2"},  {"IDC_PRO_1_1_COMBO7", "2"},
        {"IDC_PRO_1_1_COMBO8", "3"},  {"IDC_PRO_1_1_COMBO9", "2"},  {"IDC_PRO_1_1_COMBOA", "4"},
        {"IDC_PRO_1_1_EDIT1", "0.65"}, {"IDC_PRO_1_1_EDIT2", "1.5"}, {"IDC_PRO_2_2_EDIT1", "100"},
        {"IDC_PRO_2_3_COMBO1", "2"},  {"IDC_PRO_2_3_COMBO2", "2"},  {"IDC_PRO_2_3_COMBO4", "5"},
        {"IDC_PRO_2_3_COMBO5", "1"},  {"IDC_PRO_2_4_EDIT1", "0.9"}, {"IDC_PRO_2_4_EDIT2", "1.0"},
        {"IDC_PRO_2_4_EDIT3", "3"},   {"IDC_PRO_2_4_EDIT4", "3"},   {"IDC_PRO_2_4_EDIT5", "5"},
        {"IDC_PRO_2_4_EDIT6", "100"}, {"IDC_PRO_2_4_EDIT7", "1.0"}, {"IDC_PRO_2_5_COMBO1", "4"},
        {"IDC_PRO_2_5_EDIT1", "10"},  {"IDC_PRO_2_5_EDIT2", "15"},  {"IDC_PRO_2_5_EDIT3", "1.0"},
        {"IDC_PRO_2_6_COMBO2", "1"},  {"IDC_PRO_2_6_EDIT1", "1.0"}, {"IDC_PRO_2_6_EDIT2", "LS Metasol"},
        {"IDC_PRO_6_2_EDIT1", "6"},   {"IDC_PRO_6_2_EDIT2", "1.1"}, {"IDC_PRO_6_2_EDIT3", "6"},
        {"IDC_PRO_6_2_EDIT4", "1.1"}};
    const std::vector<ProjectFileKey> keys = ProjectFileKeys();
    QVERIFY(keys.size() > 170);
    const QString missing = QStringLiteral("\x01missing");
    int designKeys = 0;
    const QString onlyDesign = m_tmp.filePath(QStringLiteral("design.pro"));
    for (const ProjectFileKey& k : keys) {
        const QString value = GetProfileString(kTemplate, k.section, k.key, missing);
        QVERIFY2(value != missing, qPrintable(k.section + QLatin1Char('/') + k.key));
        if (!k.read)
            continue;
        if (design.contains(k.key)) {
            ++designKeys;
            QVERIFY(WriteProfileString(onlyDesign, k.section, k.key, design.value(k.key)));
        }
        QVERIFY2(value == design.value(k.key, k.defaultValue), qPrintable(k.key + QStringLiteral(": ") + value));
    }
    QCOMPARE(designKeys, int(design.size()));

    // A project made from the template reads exactly as a project that holds only those
    // design conditions.
    FillAll(3, m_tr);
    const QString fromTemplate = copyTemplate(QStringLiteral("template"));
    QVERIFY(theApp.LoadProjectFile(fromTemplate));
    const QStringList a = Dump(m_tr);
    const CSevrinApp::ProjectIntroduceBlockT afterTemplate = theApp.ProjectIntroduceBlock;
    FillAll(4, m_tr);
    // The scan stops at the first row without a date: later rows keep what they held.
    theApp.ProjectIntroduceBlock = afterTemplate;
    QVERIFY(theApp.LoadProjectFile(onlyDesign));
    QCOMPARE(Dump(m_tr), a);
}

void TestProjectFile::saveAndReloadEverySection()
{
    const QString path = copyTemplate(QStringLiteral("roundtrip"));
    FillAll(1, m_tr);
    QVERIFY(SaveEveryProjectSection(path));
    const QStringList saved = Dump(m_tr);
    const QByteArray once = ReadFile(path);
    QVERIFY(SaveEveryProjectSection(path));
    QCOMPARE(ReadFile(path), once);  // saving twice without changes changes no byte

    FillAll(2, m_tr);
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(Dump(m_tr), saved);
    // The written-only grounding values keep what the screen last set.
    QCOMPARE(theApp.GroundingDesignBlock.ConductorSizeInput[6], T(2, "gcs", 6));
    QCOMPARE(theApp.GroundingDesignBlock.SafetyVoltageIndex, 160);
    QCOMPARE(theApp.GroundingDesignBlock.SafetyVoltageInput[3], T(2, "sv", 3));

    // Saving what was loaded gives the same values back.
    QVERIFY(SaveEveryProjectSection(path));
    FillAll(3, m_tr);
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(Dump(m_tr), saved);

    // Every section is there once, and no key twice.
    const QString text = QString::fromUtf8(once);
    for (const char* s : {"Project_Introduce", "Motor_Control_Center", "Cabinet_Sizing",
                          "Transformer_Sizing", "Generator_Sizing", "Fault_Current", "Grounding_Design"})
        QCOMPARE(text.count(QLatin1Char('[') + QLatin1String(s) + QLatin1Char(']')), 1);
    QStringList keys;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.contains(QLatin1Char('=')))
            keys << line.section(QLatin1Char('='), 0, 0);
    QCOMPARE(keys.removeDuplicates(), 0);
}

void TestProjectFile::keysAreThoseOfTheKeyTables()
{
    // The program's key list, section by section, is the typed one.
    const std::vector<ProjectFileKey> keys = ProjectFileKeys();
    for (const TypedSection& t : TypedKeyTables()) {
        QStringList ours, ourWrittenOnly;
        for (const ProjectFileKey& k : keys) {
            if (k.section == QLatin1String(t.section)) {
                ours << k.key;
                if (!k.read)
                    ourWrittenOnly << k.key;
            }
        }
        QCOMPARE(ours, t.keys);
        QStringList typedWrittenOnly;
        for (const QString& k : t.keys)
            if (kWrittenOnly.contains(k))
                typedWrittenOnly << k;
        QCOMPARE(ourWrittenOnly, typedWrittenOnly);
    }

    // The reader and the writers use them: a file holding a value of its own under every typed
    // key reads in, and every read key's value comes back out under the same key.
    const QString source = m_tmp.filePath(QStringLiteral("typed.pro"));
    QFile::remove(source);
    int n = 0;
    for (const TypedSection& t : TypedKeyTables()) {
        QList<QPair<QString, QString>> values;
        for (const QString& k : t.keys) {
            QString v = QString::number(++n);  // combo indexes are numbers; texts may be too
            if (k == QLatin1String("RR"))
                v = QStringLiteral("10");
            else if (k.endsWith(QLatin1String("_Date")))
                v = QStringLiteral("2024.05.%1").arg(n);
            else if (k.endsWith(QLatin1String("_ENAB")))
                v = QStringLiteral("1");
            values.append({k, v});
        }
        QVERIFY(WriteProfileStrings(source, QLatin1String(t.section), values));
    }
    FillAll(6, m_tr);
    QVERIFY(theApp.LoadProjectFile(source));
    const QString saved = m_tmp.filePath(QStringLiteral("typed-saved.pro"));
    QFile::remove(saved);
    QVERIFY(SaveEveryProjectSection(saved));
    const QString missing = QStringLiteral("\x01missing");
    for (const TypedSection& t : TypedKeyTables()) {
        for (const QString& k : t.keys) {
            const QString back = GetProfileString(saved, QLatin1String(t.section), k, missing);
            QVERIFY2(back != missing, qPrintable(QStringLiteral("%1/%2 not written").arg(t.section, k)));
            if (kWrittenOnly.contains(k))
                continue;
            QCOMPARE(back, GetProfileString(source, QLatin1String(t.section), k));
        }
    }
}

void TestProjectFile::keysAreNamedLikeTheirControls()
{
    const QString path = m_tmp.filePath(QStringLiteral("named.pro"));
    QVERIFY(WriteFile(path,
                      "[Motor_Control_Center]\nIDC_PRO_1_1_COMBOA=7\nIDC_PRO_1_1_EDIT2=1.5\n"
                      "[Cabinet_Sizing]\nIDC_PRO_2_2_EDIT1=70\nIDC_PRO_2_3_COMBO5=3\nIDC_PRO_2_4_EDIT7=e7\n"
                      "IDC_PRO_2_5_COMBO1=2\nIDC_PRO_2_5_EDIT3=s3\nIDC_PRO_2_6_COMBO3=1\nIDC_PRO_2_6_EDIT2=LS\n"
                      "[Generator_Sizing]\nIDC_PRO_6_2_COMBO2=4\nIDC_PRO_6_2_EDIT4=0.8\n"
                      "[Fault_Current]\nIDC_PRO_8_1_EDIT6=0.25\nIDC_PRO_8_2_EDIT9=n9\nIDC_PRO_8_2_EDIT10=n10\n"
                      "IDC_PRO_8_2_EDIT12=n12\nIDC_PRO_8_2_EDITA=wrong\n"
                      "[Grounding_Design]\nIDC_PRO_9_1_COMBO2=1\nIDC_PRO_9_1_EDITA=a\nIDC_PRO_9_1_EDITD=d\n"
                      "IDC_PRO_9_1_EDIT7=never\nIDC_PRO_9_3_COMBO1=5\nIDC_PRO_9_3_EDIT3=v3\nIDC_PRO_9_3_EDIT4=never\n"
                      "IDC_PRO_9_9_COMBO3=2\nIDC_PRO_9_9_EDITS=rho\n"
                      "[Project_Introduce]\nRR=1\nR0_Date=2024.01.02\nR0_Approver=Kim\n"));
    FillAll(5, m_tr);
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.MotorControlCenterBlock.MccConditionIndex[9], 7);
    QCOMPARE(theApp.MotorControlCenterBlock.MccConditionText[1], QStringLiteral("1.5"));
    const auto& c = theApp.CabinetSizingBlock;
    QCOMPARE(c.BoardDemandFactor, QStringLiteral("70"));
    QCOMPARE(c.InstallConditionIndex[4], 3);
    QCOMPARE(c.ConductorCriteriaText[6], QStringLiteral("e7"));
    QCOMPARE(c.MotorStartCriteriaIndex, 2);
    QCOMPARE(c.MotorStartCriteriaText[2], QStringLiteral("s3"));
    QCOMPARE(c.BreakerCriteriaIndex[2], 1);
    QCOMPARE(c.BreakerCriteriaText[1], QStringLiteral("LS"));
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionIndex[1], 4);
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionText[3], QStringLiteral("0.8"));
    const auto& f = theApp.FaultCurrentBlock;
    QCOMPARE(f.UtilityInput[5], QStringLiteral("0.25"));
    QCOMPARE(f.FaultConditionText[8], QStringLiteral("n9"));
    QCOMPARE(f.FaultConditionText[9], QStringLiteral("n10"));
    QCOMPARE(f.FaultConditionText[10], QStringLiteral("1.1"));  // absent: the page's initial Cmax
    QCOMPARE(f.FaultConditionText[11], QStringLiteral("n12"));
    const auto& e = theApp.GroundingDesignBlock;
    QCOMPARE(e.ConductorSizeIndex[1], 1);
    QCOMPARE(e.ConductorSizeInput[9], QStringLiteral("a"));
    QCOMPARE(e.ConductorSizeInput[12], QStringLiteral("d"));
    QCOMPARE(e.ConductorSizeInput[6], T(5, "gcs", 6));  // written only
    QCOMPARE(e.SafetyVoltageIndex, 400);                // written only
    QCOMPARE(e.SafetyVoltageInput[2], QStringLiteral("v3"));
    QCOMPARE(e.SafetyVoltageInput[3], T(5, "sv", 3));   // written only
    QCOMPARE(e.GroundingConditionIndex[2], 2);
    QCOMPARE(e.GroundingConditionInput[27], QStringLiteral("rho"));
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, 1);
    QCOMPARE(theApp.ProjectIntroduceBlock.RevApprover[0], QStringLiteral("Kim"));
}

void TestProjectFile::missingKeysReadAsDefaults()
{
    const QString path = m_tmp.filePath(QStringLiteral("bare.pro"));
    QVERIFY(WriteFile(path, "[Project_Introduce]\nProjectNumber=P1\n"));
    FillAll(6, m_tr);
    m_tr.text[1] = QStringLiteral("kept");
    QVERIFY(theApp.LoadProjectFile(path));

    const auto& p = theApp.ProjectIntroduceBlock;
    QCOMPARE(p.ProjectNumber, QStringLiteral("P1"));
    QCOMPARE(p.ProjectName, QString());
    QCOMPARE(p.RR, 0);
    for (int v : theApp.MotorControlCenterBlock.MccConditionIndex)
        QCOMPARE(v, 0);
    QCOMPARE(theApp.MotorControlCenterBlock.MccConditionText[0], QStringLiteral("0"));
    QCOMPARE(theApp.CabinetSizingBlock.ConductorCriteriaIndex[1], 0);
    QCOMPARE(theApp.CabinetSizingBlock.BreakerCriteriaText[1], QStringLiteral("0"));
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionText[0], QStringLiteral("0"));
    const auto& f = theApp.FaultCurrentBlock;
    const std::array<QString, 6> utility{QStringLiteral("변전소"), QStringLiteral("00 S/S"),
                                         QStringLiteral("0.0"), QStringLiteral("0.0"),
                                         QStringLiteral("0.0"), QStringLiteral("0.0")};
    QCOMPARE(f.UtilityInput, utility);
    // Missing factors take the transformer page's initial texts.
    const std::array<QString, 12> factors{"0.00393", "90", "20", "0.00393", "250", "20",
                                          "1.05",    "0.95", "1.1", "1",     "1.1", "1"};
    QCOMPARE(f.FaultConditionText, factors);
    QCOMPARE(theApp.GroundingDesignBlock.GroundingConditionInput[27], QStringLiteral("0"));
    for (int n = 0; n < 5; ++n) {
        QVERIFY(!m_tr.checked[n]);
        QVERIFY(!m_tr.enabled[n]);
    }
    // A missing capacity reads as "0", shown as such: never the text left from before.
    QCOMPARE(m_tr.text[1], QStringLiteral("0"));
}

void TestProjectFile::revisionRows_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<int>("rr");
    QTest::addColumn<int>("rowsRead");  // rows whose members the reader filled

    auto dated = [](std::initializer_list<int> rows) {
        QByteArray b;
        for (int n : rows)
            b += "R" + QByteArray::number(n) + "_Date=2024.01.0" + QByteArray::number(n) + "\n" +
                 "R" + QByteArray::number(n) + "_Purpose=issue " + QByteArray::number(n) + "\n";
        return b;
    };
    QTest::newRow("gap after two rows") << "RR=5\n" + dated({0, 1, 3, 4}) << 2 << 3;
    QTest::newRow("two rows deleted before the last save") << "RR=3\n" + dated({0, 1, 2, 3, 4}) << 3 << 6;
    QTest::newRow("count above ten") << "RR=12\n" + dated({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) << 10 << 10;
    QTest::newRow("count never raised") << "RR=1\n" + dated({0, 1, 2}) << 1 << 4;
    QTest::newRow("negative count") << "RR=-4\n" + dated({0}) << 0 << 2;
    QTest::newRow("no count") << dated({0, 1}) << 0 << 3;
}

void TestProjectFile::revisionRows()
{
    QFETCH(QByteArray, rows);
    QFETCH(int, rr);
    QFETCH(int, rowsRead);
    const QString path = m_tmp.filePath(QStringLiteral("rev%1.pro").arg(++m_case));
    QVERIFY(WriteFile(path, "[Project_Introduce]\n" + rows));
    FillAll(7, m_tr);
    QVERIFY(theApp.LoadProjectFile(path));
    const auto& p = theApp.ProjectIntroduceBlock;
    QCOMPARE(p.RR, rr);
    for (int n = 0; n < 10; ++n) {
        // Rows up to and including the one that ends the scan are read; later ones untouched.
        if (n < rowsRead)
            QVERIFY2(!p.RevPurpose[n].startsWith(QStringLiteral("7-")), qPrintable(QString::number(n)));
        else
            QCOMPARE(p.RevPurpose[n], T(7, "purpose", n));
    }
}

void TestProjectFile::saveWritesOnlyCountedRevisionRows()
{
    const QString path = m_tmp.filePath(QStringLiteral("revsave.pro"));
    QVERIFY(WriteFile(path, "[Project_Introduce]\nRR=5\nR0_Date=d0\nR1_Date=d1\nR3_Date=d3\nR4_Date=d4\n"));
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.ProjectIntroduceBlock.RR, 2);
    QVERIFY(theApp.SaveProjectIntroduceSection(path));
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("RR")), QStringLiteral("2"));
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("R1_Date")), QStringLiteral("d1"));
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("R1_Approver"), QStringLiteral("absent")), QString());
    // Rows past the count are neither rewritten nor removed.
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("R3_Date")), QStringLiteral("d3"));
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("R2_Purpose"), QStringLiteral("absent")), QStringLiteral("absent"));

    // A count outside 0..10 in memory never reaches past the ten rows.
    theApp.ProjectIntroduceBlock.RR = 14;
    QVERIFY(theApp.SaveProjectIntroduceSection(path));
    QCOMPARE(GetProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("RR")), QStringLiteral("10"));
}

void TestProjectFile::comboTexts_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("leading blanks") << QByteArray("   7") << 7;
    QTest::newRow("digits then text") << QByteArray("3abc") << 3;
    QTest::newRow("letter first") << QByteArray("x3") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("sign") << QByteArray("+12") << 12;
}

void TestProjectFile::comboTexts()
{
    QFETCH(QByteArray, value);
    QFETCH(int, index);
    const QString path = m_tmp.filePath(QStringLiteral("combo%1.pro").arg(++m_case));
    QVERIFY(WriteFile(path, "[Generator_Sizing]\nIDC_PRO_6_2_COMBO1=" + value + "\n"));
    theApp.GeneratorSizingBlock.GeneratorConditionIndex[0] = 99;
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionIndex[0], index);
}

void TestProjectFile::transformerSettings()
{
    const QString path = m_tmp.filePath(QStringLiteral("tr.pro"));
    QVERIFY(WriteFile(path, "[Transformer_Sizing]\nTR_1_ENAB=1\nTR_1_EDIT=1500\n"
                            "TR_2_ENAB=yes\nTR_2_EDIT=750\nTR_3_ENAB=0\nTR_3_EDIT=2000\n"));
    m_tr.text = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("300"), QStringLiteral("d"),
                 QStringLiteral("e")};
    m_tr.checked.fill(true);
    QVERIFY(theApp.LoadProjectFile(path));
    QVERIFY(m_tr.checked[0] && m_tr.enabled[0]);
    QCOMPARE(m_tr.text[0], QStringLiteral("1500"));
    QVERIFY(m_tr.checked[1] && m_tr.enabled[1]);  // any text but "0" checks the box
    QCOMPARE(m_tr.text[1], QStringLiteral("750"));
    QVERIFY(!m_tr.checked[2] && !m_tr.enabled[2]);
    // Unchecked: disabled, but showing the stored capacity, not the text of the project
    // shown before.
    QCOMPARE(m_tr.text[2], QStringLiteral("2000"));
    QVERIFY(!m_tr.checked[4]);                      // absent: unchecked

    QVERIFY(theApp.SaveTransformerSizingSection(path));
    const QString s = QStringLiteral("Transformer_Sizing");
    QCOMPARE(GetProfileString(path, s, QStringLiteral("TR_2_ENAB")), QStringLiteral("1"));
    QCOMPARE(GetProfileString(path, s, QStringLiteral("TR_3_ENAB")), QStringLiteral("0"));
    QCOMPARE(GetProfileString(path, s, QStringLiteral("TR_3_EDIT")), QStringLiteral("2000"));

    // Without the transformer screen nothing is written over the stored capacities.
    const QByteArray before = ReadFile(path);
    theApp.TransformerControls = CSevrinApp::TransformerControlsT{};
    QVERIFY(theApp.SaveTransformerSizingSection(path));
    QCOMPARE(ReadFile(path), before);
    m_tr.Install();
}

void TestProjectFile::singleCoreThresholdFollowsMultiCore()
{
    const QString path = m_tmp.filePath(QStringLiteral("threshold.pro"));
    QVERIFY(WriteFile(path, "[Cabinet_Sizing]\nIDC_PRO_2_4_COMBO1=4\nIDC_PRO_2_4_COMBO2=8\nIDC_PRO_2_4_COMBO3=6\n"));
    QVERIFY(theApp.LoadProjectFile(path));
    const auto& c = theApp.CabinetSizingBlock;
    QCOMPARE(c.ConductorCriteriaIndex[0], 4);
    QCOMPARE(c.ConductorCriteriaIndex[1], 4);
    QCOMPARE(c.ConductorCriteriaIndex[2], 6);
    QVERIFY(theApp.SaveCabinetSizingSection(path));
    QCOMPARE(GetProfileString(path, QStringLiteral("Cabinet_Sizing"), QStringLiteral("IDC_PRO_2_4_COMBO2")),
             QStringLiteral("4"));
}

void TestProjectFile::textsComeBackExactly()
{
    const QStringList values{QStringLiteral("  leading"), QStringLiteral("trailing  "),
                             QStringLiteral("\"quoted\""), QStringLiteral("'single'"),
                             QStringLiteral("a=b; c"), QStringLiteral("[not a section]"),
                             QStringLiteral("; not a comment"), QStringLiteral("\"half")};
    const QString path = copyTemplate(QStringLiteral("texts"));
    for (const QString& v : values) {
        theApp.ProjectIntroduceBlock.ProjectName = v;
        theApp.ProjectIntroduceBlock.Buyer = QStringLiteral("after");
        QVERIFY(theApp.SaveProjectIntroduceSection(path));
        theApp.ProjectIntroduceBlock.ProjectName.clear();
        QVERIFY(theApp.LoadProjectFile(path));
        QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, v);
        QCOMPARE(theApp.ProjectIntroduceBlock.Buyer, QStringLiteral("after"));
    }
}

void TestProjectFile::longValueIsCut()
{
    const QString path = copyTemplate(QStringLiteral("long"));
    const QString name = QString(250, QChar(u'가'));
    theApp.ProjectIntroduceBlock.ProjectName = name;
    QVERIFY(theApp.SaveProjectIntroduceSection(path));
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, name.left(199));
}

void TestProjectFile::failedWritesAreReported()
{
    FillAll(8, m_tr);
    const QString inMissingFolder = m_tmp.filePath(QStringLiteral("gone/P9.pro"));
    QVERIFY(!theApp.SaveProjectIntroduceSection(inMissingFolder));
    QVERIFY(!theApp.SaveMotorControlCenterSection(inMissingFolder));
    QVERIFY(!theApp.SaveCabinetSizingSection(inMissingFolder));
    QVERIFY(!theApp.SaveTransformerSizingSection(inMissingFolder));
    QVERIFY(!theApp.SaveGeneratorSizingSection(inMissingFolder));
    QVERIFY(!theApp.SaveFaultCurrentSection(inMissingFolder));
    QVERIFY(!theApp.SaveGroundingDesignSection(inMissingFolder));
    QVERIFY(!QFile::exists(inMissingFolder));
    QVERIFY(!theApp.SaveProjectIntroduceSection(QString()));
    QVERIFY(!theApp.SaveGroundingDesignSection(m_tmp.path()));  // a folder, not a file

    // Reading a missing file is no error: the defaults apply.
    QVERIFY(theApp.LoadProjectFile(inMissingFolder));
    QCOMPARE(theApp.FaultCurrentBlock.UtilityInput[0], QStringLiteral("변전소"));
}

void TestProjectFile::onlyAProjectFileIsOpened_data()
{
    QTest::addColumn<QByteArray>("file");  // "<folder>" makes a folder of that name instead
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("voltage");  // UtilityInput[2] after the load
    for (const auto& [name, bytes] : NotProjectFiles())
        QTest::newRow(name) << bytes << int(ProjectFileStatus::NotProject) << "kept";
    QTest::newRow("a folder") << QByteArray("<folder>") << int(ProjectFileStatus::Unreadable) << "kept";
    // One section is enough: a project from an older program or edited by hand still opens,
    // the missing sections reading as their defaults.
    QTest::newRow("one section only")
        << QByteArray("[Grounding_Design]\nIDC_PRO_9_9_EDIT1=7\n") << int(ProjectFileStatus::Ok) << "0.0";
    QTest::newRow("header in other letter case")
        << QByteArray("[ fault_current ]\nIDC_PRO_8_1_EDIT3=6.6\n") << int(ProjectFileStatus::Ok) << "6.6";
    QTest::newRow("cut short after the first header")
        << QByteArray("; Sevrin project file\n[Project_Introduce]\nProjectNa") << int(ProjectFileStatus::Ok) << "0.0";
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    QTest::newRow("UTF-16 project as Windows writes it")
        << QByteArray("\xFF\xFE") + QByteArray(utf16(QStringLiteral("[Fault_Current]\r\nIDC_PRO_8_1_EDIT3=22.9\r\n")))
        << int(ProjectFileStatus::Ok) << "22.9";
}

void TestProjectFile::onlyAProjectFileIsOpened()
{
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, voltage);
    const QString path = m_tmp.filePath(QStringLiteral("%1-picked.pro").arg(++m_case));
    if (file == "<folder>")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY(WriteFile(path, file));

    FillAll(6, m_tr);
    theApp.FaultCurrentBlock.UtilityInput[2] = QStringLiteral("kept");
    const QStringList before = Dump(m_tr);
    QCOMPARE(int(CheckProjectFile(path)), status);
    ProjectFileStatus refusal = ProjectFileStatus::Ok;
    QCOMPARE(theApp.LoadProjectFile(path, true, &refusal), status == int(ProjectFileStatus::Ok));
    QCOMPARE(theApp.FaultCurrentBlock.UtilityInput[2], voltage);
    if (status == int(ProjectFileStatus::Ok)) {
        QVERIFY(theApp.SaveFaultCurrentSection(path));
        return;
    }

    // Refused: nothing read, the reason given, and no writer touches the file.
    QCOMPARE(int(refusal), status);
    QCOMPARE(Dump(m_tr), before);
    const QString expected = status == int(ProjectFileStatus::NotProject)
                                 ? QStringLiteral("프로젝트 파일이 아닙니다.\n") + path
                                 : QStringLiteral("프로젝트 파일을 읽을 수 없습니다.\n") + path;
    QCOMPARE(ProjectFileRefusal(path, refusal), expected);
    QVERIFY(!SaveEveryProjectSection(path));
    QVERIFY(!theApp.SaveProjectIntroduceSection(path));
    QVERIFY(!theApp.SaveMotorControlCenterSection(path));
    QVERIFY(!theApp.SaveCabinetSizingSection(path));
    QVERIFY(!theApp.SaveTransformerSizingSection(path));
    QVERIFY(!theApp.SaveGeneratorSizingSection(path));
    QVERIFY(!theApp.SaveFaultCurrentSection(path));
    QVERIFY(!theApp.SaveGroundingDesignSection(path));
    if (file == "<folder>")
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(ReadFile(path), file);
}

void TestProjectFile::eachLoadReadsTheFileAsItIsNow()
{
    // Another program rewrites the project between two loads: same size, same time stamp.
    const QString path = copyTemplate(QStringLiteral("behind"));
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.FaultCurrentBlock.UtilityInput[2], QStringLiteral("0.0"));
    const QDateTime stamp = QFileInfo(path).lastModified();
    QByteArray bytes = ReadFile(path);
    QVERIFY(bytes.contains("\nIDC_PRO_8_1_EDIT3=0.0\n"));
    bytes.replace("\nIDC_PRO_8_1_EDIT3=0.0\n", "\nIDC_PRO_8_1_EDIT3=6.6\n");
    QVERIFY(WriteFile(path, bytes));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    f.close();
    QVERIFY(theApp.LoadProjectFile(path));
    QCOMPARE(theApp.FaultCurrentBlock.UtilityInput[2], QStringLiteral("6.6"));
}

void TestProjectFile::companionPaths_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("first");
    QTest::newRow("plain") << "/w/PRO/P1/P1.pro" << "/w/PRO/P1/P1_10.xlsx";
    QTest::newRow("dotted folder") << "/w/my.project/P1.pro" << "/w/my.project/P1_10.xlsx";
    QTest::newRow("folder ending in .pro") << "/w/a.pro/P.pro" << "/w/a.pro/P_10.xlsx";
    QTest::newRow("doubled extension") << "/w/a.pro.pro" << "/w/a.pro_10.xlsx";
    QTest::newRow("upper-case extension") << "/w/P.PRO" << "/w/P_10.xlsx";
}

void TestProjectFile::companionPaths()
{
    QFETCH(QString, project);
    QFETCH(QString, first);
    const QStringList paths = ProjectWorkbookPaths(project);
    QCOMPARE(paths.size(), 13);
    QCOMPARE(paths.first(), first);
    QVERIFY(paths.contains(ProjectBasePath(project) + QStringLiteral("_70.xlsx")));
    QVERIFY(paths.last().endsWith(QStringLiteral("_855.xlsx")));
    QVERIFY(ProjectWorkbookPaths(QString()).isEmpty());
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
