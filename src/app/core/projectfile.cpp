// Reading and writing the project file: a profile (INI) text file, one key per setting, read
// and written through the profile layer only. Combo boxes are stored as their selected index,
// edit boxes as their text.
#include "app/core/projectfile.h"

#include "app/core/sevrin.h"
#include "platform/profile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString kIntroduce = QStringLiteral("Project_Introduce");
const QString kMcc = QStringLiteral("Motor_Control_Center");
const QString kCabinet = QStringLiteral("Cabinet_Sizing");
const QString kTransformer = QStringLiteral("Transformer_Sizing");
const QString kGenerator = QStringLiteral("Generator_Sizing");
const QString kFault = QStringLiteral("Fault_Current");
const QString kGrounding = QStringLiteral("Grounding_Design");

constexpr int kRevisionRows = 10;
constexpr int kTransformers = 5;

// One stored setting: a text member or a combo index member.
struct Field
{
    QString key;
    QString def;
    QString* text = nullptr;
    int* index = nullptr;
    int* alsoIndex = nullptr;  // reading puts the same index here too
    bool read = true;
};

struct Section
{
    QString name;
    std::vector<Field> fields;
};

// Control-style key index: 1..9, then A = 10 .. S = 28.
QString KeyIndex(int i)
{
    return i <= 9 ? QString::number(i) : QString(QChar(u'A' + (i - 10)));
}

QString ControlKey(int screen, int page, const QString& kind, int i)
{
    return QStringLiteral("IDC_PRO_") + QString::number(screen) + QLatin1Char('_') +
           QString::number(page) + QLatin1Char('_') + kind + KeyIndex(i);
}

Field Combo(int screen, int page, int i, int* member, bool read = true)
{
    Field f;
    f.key = ControlKey(screen, page, QStringLiteral("COMBO"), i);
    f.def = QStringLiteral("0");
    f.index = member;
    f.read = read;
    return f;
}

Field Edit(int screen, int page, int i, QString* member, const QString& def = QStringLiteral("0"),
           bool read = true)
{
    Field f;
    f.key = ControlKey(screen, page, QStringLiteral("EDIT"), i);
    f.def = def;
    f.text = member;
    f.read = read;
    return f;
}

Section MccSection(CSevrinApp& app)
{
    auto& b = app.MotorControlCenterBlock;
    Section s{kMcc, {}};
    for (int i = 0; i < 10; ++i)
        s.fields.push_back(Combo(1, 1, i + 1, &b.MccConditionIndex[i]));
    for (int i = 0; i < 2; ++i)
        s.fields.push_back(Edit(1, 1, i + 1, &b.MccConditionText[i]));
    return s;
}

Section CabinetSection(CSevrinApp& app)
{
    auto& b = app.CabinetSizingBlock;
    Section s{kCabinet, {}};
    s.fields.push_back(Edit(2, 2, 1, &b.BoardDemandFactor));
    for (int i = 0; i < 5; ++i)
        s.fields.push_back(Combo(2, 3, i + 1, &b.InstallConditionIndex[i]));
    // The single-core threshold combo only mirrors the multi-core one: the project holds one
    // threshold, stored under both keys and read from the first.
    Field first = Combo(2, 4, 1, &b.ConductorCriteriaIndex[0]);
    first.alsoIndex = &b.ConductorCriteriaIndex[1];
    s.fields.push_back(first);
    s.fields.push_back(Combo(2, 4, 2, &b.ConductorCriteriaIndex[0], false));
    s.fields.push_back(Combo(2, 4, 3, &b.ConductorCriteriaIndex[2]));
    for (int i = 0; i < 7; ++i)
        s.fields.push_back(Edit(2, 4, i + 1, &b.ConductorCriteriaText[i]));
    s.fields.push_back(Combo(2, 5, 1, &b.MotorStartCriteriaIndex));
    for (int i = 0; i < 3; ++i)
        s.fields.push_back(Edit(2, 5, i + 1, &b.MotorStartCriteriaText[i]));
    for (int i = 0; i < 3; ++i)
        s.fields.push_back(Combo(2, 6, i + 1, &b.BreakerCriteriaIndex[i]));
    for (int i = 0; i < 2; ++i)
        s.fields.push_back(Edit(2, 6, i + 1, &b.BreakerCriteriaText[i]));
    return s;
}

Section GeneratorSection(CSevrinApp& app)
{
    auto& b = app.GeneratorSizingBlock;
    Section s{kGenerator, {}};
    for (int i = 0; i < 2; ++i)
        s.fields.push_back(Combo(6, 2, i + 1, &b.GeneratorConditionIndex[i]));
    for (int i = 0; i < 4; ++i)
        s.fields.push_back(Edit(6, 2, i + 1, &b.GeneratorConditionText[i]));
    return s;
}

Section FaultSection(CSevrinApp& app)
{
    auto& b = app.FaultCurrentBlock;
    Section s{kFault, {}};
    s.fields.push_back(Edit(8, 1, 1, &b.UtilityInput[0], QStringLiteral("변전소")));
    s.fields.push_back(Edit(8, 1, 2, &b.UtilityInput[1], QStringLiteral("00 S/S")));
    for (int i = 2; i < 6; ++i)
        s.fields.push_back(Edit(8, 1, i + 1, &b.UtilityInput[i], QStringLiteral("0.0")));
    // A missing factor takes the transformer page's initial text: an empty factor would make
    // every fault current 0 without a word. The page counts its edits in decimal past nine.
    static const char* const kFactorDefaults[12] = {"0.00393", "90",   "20", "0.00393",
                                                    "250",     "20",   "1.05", "0.95",
                                                    "1.1",     "1",    "1.1", "1"};
    for (int i = 0; i < 12; ++i) {
        Field f = Edit(8, 2, i + 1, &b.FaultConditionText[i], QString::fromLatin1(kFactorDefaults[i]));
        if (i >= 9)
            f.key = QStringLiteral("IDC_PRO_8_2_EDIT") + QString::number(i + 1);
        s.fields.push_back(f);
    }
    return s;
}

Section GroundingSection(CSevrinApp& app)
{
    auto& b = app.GroundingDesignBlock;
    Section s{kGrounding, {}};
    for (int i = 0; i < 2; ++i)
        s.fields.push_back(Combo(9, 1, i + 1, &b.ConductorSizeIndex[i]));
    // Edits 7, 8 and B are set by the grounding screen from its other inputs on every
    // recalculation: stored for the record, never read back.
    for (int i = 0; i < 13; ++i) {
        const bool derived = i == 6 || i == 7 || i == 10;
        s.fields.push_back(Edit(9, 1, i + 1, &b.ConductorSizeInput[i], QStringLiteral("0"), !derived));
    }
    s.fields.push_back(Combo(9, 3, 1, &b.SafetyVoltageIndex, false));
    for (int i = 0; i < 4; ++i)
        s.fields.push_back(Edit(9, 3, i + 1, &b.SafetyVoltageInput[i], QStringLiteral("0"), i < 3));
    for (int i = 0; i < 3; ++i)
        s.fields.push_back(Combo(9, 9, i + 1, &b.GroundingConditionIndex[i]));
    for (int i = 0; i < 28; ++i)
        s.fields.push_back(Edit(9, 9, i + 1, &b.GroundingConditionInput[i]));
    return s;
}

// A value is stored as typed. The profile reader trims blanks around a value and drops one
// pair of enclosing quotes, so such a value is written inside quotes to come back unchanged.
QString StoredValue(const QString& value)
{
    const bool padded = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''));
    return padded || quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

// Reads and parses the project file into `doc` and judges it. Everything that reads or
// writes the project file goes through here, so a file that is not a project is neither
// loaded nor written over.
ProjectFileStatus LoadProjectDocument(const QString& path, ProfileDocument& doc)
{
    if (!doc.load(path))
        return ProjectFileStatus::Unreadable;
    if (!doc.exists())
        return ProjectFileStatus::Ok;
    for (const QString& section : {kIntroduce, kMcc, kCabinet, kTransformer, kGenerator, kFault, kGrounding})
        if (doc.hasSection(section))
            return ProjectFileStatus::Ok;
    return ProjectFileStatus::NotProject;
}

// One section of the project file, written in one atomic replace.
bool WriteProjectSection(const QString& path, const QString& section,
                         const QList<QPair<QString, QString>>& keyValues)
{
    ProfileDocument doc;
    if (LoadProjectDocument(path, doc) != ProjectFileStatus::Ok)
        return false;
    return doc.setValues(section, keyValues) && doc.save(path);
}

void ReadSection(const ProfileDocument& doc, const Section& s)
{
    for (const Field& f : s.fields) {
        if (!f.read)
            continue;
        const QString value = doc.value(s.name, f.key, f.def);
        if (f.text) {
            *f.text = value;
        } else {
            *f.index = LeadingInt(value);
            if (f.alsoIndex)
                *f.alsoIndex = *f.index;
        }
    }
}

// The section's values as its writer puts them.
ProjectFileSection ValuesOf(const Section& s)
{
    ProjectFileSection out{s.name, {}};
    out.values.reserve(s.fields.size());
    for (const Field& f : s.fields) {
        ProjectFileValue v;
        v.key = f.key;
        v.value = f.text ? *f.text : QString::number(*f.index);
        v.defaultValue = f.def;
        v.kind = f.text ? ProjectFileValue::Text : ProjectFileValue::Index;
        v.read = f.read;
        out.values.push_back(v);
    }
    return out;
}

bool WriteSection(const QString& path, const ProjectFileSection& s)
{
    QList<QPair<QString, QString>> kv;
    kv.reserve(int(s.values.size()));
    for (const ProjectFileValue& v : s.values)
        kv.append({v.key, v.kind == ProjectFileValue::Text ? StoredValue(v.value) : v.value});
    return WriteProjectSection(path, s.name, kv);
}

// Whether the reader takes `stored` as the value the writer would put.
bool ReadsBackAs(const ProjectFileValue& v, const QString& stored)
{
    switch (v.kind) {
    case ProjectFileValue::Index:
        return LeadingInt(stored) == LeadingInt(v.value);
    case ProjectFileValue::Flag:
        return (stored != QLatin1String("0")) == (v.value != QLatin1String("0"));
    case ProjectFileValue::Text:
        break;
    }
    // The reader gives back at most kProfileValueMax characters.
    return stored == v.value.left(kProfileValueMax);
}

QString RevisionKey(int row, const char* what)
{
    return QLatin1Char('R') + QString::number(row) + QLatin1Char('_') + QLatin1String(what);
}

QString TransformerKey(int n, const char* what)
{
    return QStringLiteral("TR_") + QString::number(n) + QLatin1Char('_') + QLatin1String(what);
}

void ReadTransformerSection(const CSevrinApp::TransformerControlsT& c, const ProfileDocument& doc)
{
    for (int n = 1; n <= kTransformers; ++n) {
        const QString enab = doc.value(kTransformer, TransformerKey(n, "ENAB"), QStringLiteral("0"));
        const QString edit = doc.value(kTransformer, TransformerKey(n, "EDIT"), QStringLiteral("0"));
        const bool checked = enab != QStringLiteral("0");
        if (c.SetChecked)
            c.SetChecked(n, checked);
        if (c.SetCapacityEnabled)
            c.SetCapacityEnabled(n, checked);
        // The capacity is shown whether it was typed or computed: a text kept from before the
        // load would be another project's figure, and the next save would store it here.
        if (c.SetCapacityText)
            c.SetCapacityText(n, edit);
    }
}

}  // namespace

ProjectFileStatus CheckProjectFile(const QString& path)
{
    ProfileDocument doc;
    return LoadProjectDocument(path, doc);
}

QString ProjectFileRefusal(const QString& path, ProjectFileStatus status)
{
    if (status == ProjectFileStatus::NotProject)
        return QCoreApplication::translate("ProjectFile", "프로젝트 파일이 아닙니다.\n%1").arg(path);
    return QCoreApplication::translate("ProjectFile", "프로젝트 파일을 읽을 수 없습니다.\n%1").arg(path);
}

QString ProjectBasePath(const QString& projectPath)
{
    if (projectPath.endsWith(QStringLiteral(".pro"), Qt::CaseInsensitive))
        return projectPath.left(projectPath.size() - 4);
    return projectPath;
}

ProjectFileSection ProjectIntroduceSectionOf(CSevrinApp& app)
{
    const CSevrinApp::ProjectIntroduceBlockT& p = app.ProjectIntroduceBlock;
    const int rows = qBound(0, p.RR, kRevisionRows);
    ProjectFileSection s{kIntroduce, {}};
    const auto text = [&s](const QString& key, const QString& value) {
        s.values.push_back({key, value, QString(), ProjectFileValue::Text, true});
    };
    text(QStringLiteral("ProjectName"), p.ProjectName);
    text(QStringLiteral("ProjectNumber"), p.ProjectNumber);
    text(QStringLiteral("Buyer"), p.Buyer);
    text(QStringLiteral("CI"), p.CI);
    s.values.push_back({QStringLiteral("RR"), QString::number(rows), QStringLiteral("0"),
                        ProjectFileValue::Index, true});
    // Rows past the count stay in the file as they are; the count hides them.
    for (int n = 0; n < rows; ++n) {
        text(RevisionKey(n, "Purpose"), p.RevPurpose[n]);
        text(RevisionKey(n, "Date"), p.RevDate[n]);
        text(RevisionKey(n, "Designer"), p.RevDesigner[n]);
        text(RevisionKey(n, "Reviewer"), p.RevReviewer[n]);
        text(RevisionKey(n, "Approver"), p.RevApprover[n]);
    }
    return s;
}

ProjectFileSection MotorControlCenterSectionOf(CSevrinApp& app)
{
    return ValuesOf(MccSection(app));
}

ProjectFileSection CabinetSizingSectionOf(CSevrinApp& app)
{
    return ValuesOf(CabinetSection(app));
}

ProjectFileSection TransformerSizingSectionOf(CSevrinApp& app)
{
    const CSevrinApp::TransformerControlsT& c = app.TransformerControls;
    ProjectFileSection s{kTransformer, {}};
    // Without the transformer screen there is nothing to take the values from.
    if (!c.IsChecked || !c.CapacityText)
        return s;
    for (int n = 1; n <= kTransformers; ++n) {
        s.values.push_back({TransformerKey(n, "ENAB"),
                            c.IsChecked(n) ? QStringLiteral("1") : QStringLiteral("0"),
                            QStringLiteral("0"), ProjectFileValue::Flag, true});
        s.values.push_back({TransformerKey(n, "EDIT"), c.CapacityText(n), QStringLiteral("0"),
                            ProjectFileValue::Text, true});
    }
    return s;
}

ProjectFileSection GeneratorSizingSectionOf(CSevrinApp& app)
{
    return ValuesOf(GeneratorSection(app));
}

ProjectFileSection FaultCurrentSectionOf(CSevrinApp& app)
{
    return ValuesOf(FaultSection(app));
}

ProjectFileSection GroundingDesignSectionOf(CSevrinApp& app)
{
    return ValuesOf(GroundingSection(app));
}

bool WriteProjectFileSections(const QString& projectPath, const ProjectFileSections& sections)
{
    bool ok = true;
    for (const ProjectFileSection& s : sections)
        ok &= s.values.empty() || WriteSection(projectPath, s);
    return ok;
}

bool ProjectFileSectionsStored(const QString& projectPath, const ProjectFileSections& sections)
{
    // A file that cannot be read (or is no project file) is never written either: there is
    // nothing to compare with nor anything a save could keep.
    ProfileDocument doc;
    if (LoadProjectDocument(projectPath, doc) != ProjectFileStatus::Ok)
        return true;
    for (const ProjectFileSection& s : sections) {
        for (const ProjectFileValue& v : s.values) {
            if (v.read && !ReadsBackAs(v, doc.value(s.name, v.key, v.defaultValue)))
                return false;
        }
    }
    return true;
}

QStringList ProjectFileSectionTexts(const QString& projectPath, const ProjectFileSections& sections)
{
    QStringList texts;
    ProfileDocument doc;
    if (LoadProjectDocument(projectPath, doc) != ProjectFileStatus::Ok)
        return texts;
    for (const ProjectFileSection& s : sections)
        for (const ProjectFileValue& v : s.values)
            texts.append(doc.value(s.name, v.key, v.defaultValue));
    return texts;
}

bool SaveEveryProjectSection(const QString& projectPath)
{
    bool ok = true;
    ok &= theApp.SaveProjectIntroduceSection(projectPath);
    ok &= theApp.SaveMotorControlCenterSection(projectPath);
    ok &= theApp.SaveCabinetSizingSection(projectPath);
    ok &= theApp.SaveTransformerSizingSection(projectPath);
    ok &= theApp.SaveCableSection(projectPath);
    ok &= theApp.SaveTraySection(projectPath);
    ok &= theApp.SaveGeneratorSizingSection(projectPath);
    ok &= theApp.SaveSwitchgearSection(projectPath);
    ok &= theApp.SaveFaultCurrentSection(projectPath);
    ok &= theApp.SaveGroundingDesignSection(projectPath);
    return ok;
}

const QStringList& ProjectWorkbookSuffixes()
{
    static const QStringList suffixes{
        QStringLiteral("_10.xlsx"),  QStringLiteral("_20.xlsx"),  QStringLiteral("_30.xlsx"),
        QStringLiteral("_40.xlsx"),  QStringLiteral("_50.xlsx"),  QStringLiteral("_60.xlsx"),
        QStringLiteral("_70.xlsx"),  QStringLiteral("_80.xlsx"),  QStringLiteral("_851.xlsx"),
        QStringLiteral("_852.xlsx"), QStringLiteral("_853.xlsx"), QStringLiteral("_854.xlsx"),
        QStringLiteral("_855.xlsx"),
    };
    return suffixes;
}

QStringList ProjectWorkbookPaths(const QString& projectPath)
{
    QStringList paths;
    if (projectPath.isEmpty())
        return paths;
    const QString base = ProjectBasePath(projectPath);
    for (const QString& suffix : ProjectWorkbookSuffixes())
        paths.append(base + suffix);
    return paths;
}

std::vector<ProjectFileKey> ProjectFileKeys()
{
    std::vector<ProjectFileKey> keys;
    for (const char* k : {"ProjectName", "ProjectNumber", "Buyer", "CI"})
        keys.push_back({kIntroduce, QLatin1String(k), QString(), true});
    keys.push_back({kIntroduce, QStringLiteral("RR"), QStringLiteral("0"), true});
    for (int n = 0; n < kRevisionRows; ++n)
        for (const char* what : {"Purpose", "Date", "Designer", "Reviewer", "Approver"})
            keys.push_back({kIntroduce, RevisionKey(n, what), QString(), true});

    auto add = [&keys](const Section& s) {
        for (const Field& f : s.fields)
            keys.push_back({s.name, f.key, f.def, f.read});
    };
    add(MccSection(theApp));
    add(CabinetSection(theApp));
    for (int n = 1; n <= kTransformers; ++n) {
        keys.push_back({kTransformer, TransformerKey(n, "ENAB"), QStringLiteral("0"), true});
        keys.push_back({kTransformer, TransformerKey(n, "EDIT"), QStringLiteral("0"), true});
    }
    add(GeneratorSection(theApp));
    add(FaultSection(theApp));
    add(GroundingSection(theApp));
    return keys;
}

bool CSevrinApp::LoadProjectFile(QString path, bool unprotectWorkbooks, ProjectFileStatus* refusal)
{
    ProfileDocument doc;
    const ProjectFileStatus status = LoadProjectDocument(path, doc);
    if (status != ProjectFileStatus::Ok) {
        if (refusal)
            *refusal = status;
        return false;
    }
    auto read = [&doc](const QString& key, const QString& def) { return doc.value(kIntroduce, key, def); };
    ProjectIntroduceBlockT& p = ProjectIntroduceBlock;
    p.ProjectName = read(QStringLiteral("ProjectName"), QString());
    p.ProjectNumber = read(QStringLiteral("ProjectNumber"), QString());
    p.Buyer = read(QStringLiteral("Buyer"), QString());
    p.CI = read(QStringLiteral("CI"), QString());
    p.RR = LeadingInt(read(QStringLiteral("RR"), QStringLiteral("0")));

    // Revision rows run up to the first row without a date; "RR" never counts past them.
    int dated = 0;
    for (int n = 0; n < kRevisionRows; ++n) {
        p.RevPurpose[n] = read(RevisionKey(n, "Purpose"), QString());
        p.RevDate[n] = read(RevisionKey(n, "Date"), QString());
        p.RevDesigner[n] = read(RevisionKey(n, "Designer"), QString());
        p.RevReviewer[n] = read(RevisionKey(n, "Reviewer"), QString());
        p.RevApprover[n] = read(RevisionKey(n, "Approver"), QString());
        if (p.RevDate[n].isEmpty())
            break;
        ++dated;
    }
    if (dated < p.RR)
        p.RR = dated;
    if (p.RR < 0)  // a hand-edited negative count would index before the first row
        p.RR = 0;

    ReadSection(doc, MccSection(*this));
    ReadSection(doc, CabinetSection(*this));
    ReadTransformerSection(TransformerControls, doc);
    ReadSection(doc, GeneratorSection(*this));
    ReadSection(doc, FaultSection(*this));
    ReadSection(doc, GroundingSection(*this));

    if (unprotectWorkbooks)
        UnprotectAllWorkbooks();
    return true;
}

bool CSevrinApp::LoadTransformerSection(QString path)
{
    ProfileDocument doc;
    if (LoadProjectDocument(path, doc) != ProjectFileStatus::Ok)
        return false;
    ReadTransformerSection(TransformerControls, doc);
    return true;
}

bool CSevrinApp::SaveProjectIntroduceSection(QString path)
{
    return WriteSection(path, ProjectIntroduceSectionOf(*this));
}

bool CSevrinApp::SaveMotorControlCenterSection(QString path)
{
    return WriteSection(path, MotorControlCenterSectionOf(*this));
}

bool CSevrinApp::SaveCabinetSizingSection(QString path)
{
    return WriteSection(path, CabinetSizingSectionOf(*this));
}

bool CSevrinApp::SaveTransformerSizingSection(QString path)
{
    // Without the transformer screen there is nothing to take the values from; writing
    // defaults would wipe the stored capacities.
    const ProjectFileSection s = TransformerSizingSectionOf(*this);
    return s.values.empty() || WriteSection(path, s);
}

bool CSevrinApp::SaveCableSection(QString path)
{
    Q_UNUSED(path);  // the cable schedule is stored row by row in its workbook
    return true;
}

bool CSevrinApp::SaveTraySection(QString path)
{
    Q_UNUSED(path);  // the trays are stored in their workbook
    return true;
}

bool CSevrinApp::SaveGeneratorSizingSection(QString path)
{
    return WriteSection(path, GeneratorSizingSectionOf(*this));
}

bool CSevrinApp::SaveSwitchgearSection(QString path)
{
    Q_UNUSED(path);  // the switchgear screen keeps no settings
    return true;
}

bool CSevrinApp::SaveFaultCurrentSection(QString path)
{
    return WriteSection(path, FaultCurrentSectionOf(*this));
}

bool CSevrinApp::SaveGroundingDesignSection(QString path)
{
    return WriteSection(path, GroundingDesignSectionOf(*this));
}
