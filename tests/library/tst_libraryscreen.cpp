// The library screen: page frame and navigation, what every page's lists show, refills, the
// editors of the design inputs of the derived tables, and the breaker-maker page.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "library/gui/librarydialogrunner.h"
#include "library/gui/allowablecurrentpage.h"
#include "library/gui/breakermakerpage.h"
#include "library/gui/libraryscreen.h"
#include "libraryfixture.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"

namespace {

QStringList Captions(const ReportListView* list)
{
    QStringList out;
    for (int c = 0; c < list->rows()->columnCount(); ++c)
        out << list->rows()->headerData(c, Qt::Horizontal).toString();
    return out;
}

QStringList Groups(const ReportListView* list)
{
    QStringList out;
    for (int c = 0; c < list->rows()->columnCount(); ++c)
        out << list->header()->GroupCaption(c);
    return out;
}

// All rows of a list, for before/after comparisons.
QList<QStringList> Snapshot(const ReportListView* list)
{
    QList<QStringList> rows;
    for (int r = 0; r < list->rows()->rowCount(); ++r)
        rows << list->rows()->row(r);
    return rows;
}

// Works an editor's controls, then presses "확인" or "취소".
struct EditorScript
{
    std::function<void(CLibraryEditorDlg&)> work;
    bool ok = true;
};

}  // namespace

class TestLibraryScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void listsEmptyBeforeFirstEntry();
    void navigationAndButtons();
    void hiddenGroupsAnswerNotSupported();
    void pageContents_data();
    void pageContents();
    void captionsFitTheirColumns();
    void refillNeverDuplicatesRows();
    void hvThresholdEditor();
    void lvThresholdEditor();
    void methodFactorEditorRebuildsDependentPages();
    void ambientTemperatureEditor();
    void designConditionsShowWhenPagesAreShown();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void makerPageRebuildsMatrix();
    void cableTypeLegend();
    void screenshots();
    void realWorkbooksFillEveryPage();
    void cleanupTestCase();

private:
    CLibraryPage* PageNamed(const char* className) const;
    ReportListView* ListOf(const char* className, int id) const;
    QPushButton* Button(int id) const { return m_view->Control<QPushButton>(id); }
    void Show(int index);  // through the group and step buttons
    int RunEditor(const EditorScript& script);

    QTemporaryDir m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CLibraryScreen> m_view;
};

CLibraryPage* TestLibraryScreen::PageNamed(const char* className) const
{
    return m_view->findChild<CLibraryPage*>(QString::fromLatin1(className));
}

ReportListView* TestLibraryScreen::ListOf(const char* className, int id) const
{
    CLibraryPage* page = PageNamed(className);
    return page ? page->List(id) : nullptr;
}

void TestLibraryScreen::Show(int index)
{
    const int groups[][2] = {{0, 1093}, {10, 1094}, {14, 1095}, {20, 1096}, {21, 1005}, {22, 1097}, {23, 1009}};
    int first = 0, button = 1093;
    for (const auto& g : groups)
        if (g[0] <= index)
            first = g[0], button = g[1];
    // From a page of another group, so that the group button is enabled.
    m_view->OnGroundingGroup();
    if (first == 23)
        m_view->OnCableGroup();
    QTest::mouseClick(Button(button), Qt::LeftButton);
    for (int i = first; i < index; ++i)
        QTest::mouseClick(Button(1092), Qt::LeftButton);
    QCOMPARE(m_view->PageIndex(), index);
}

int TestLibraryScreen::RunEditor(const EditorScript& script)
{
    int runs = 0;
    SetLibraryDialogRunner([&](CLibraryEditorDlg& dlg) {
        ++runs;
        script.work(dlg);
        dlg.findChild<QPushButton*>(script.ok ? "1" : "2")->click();
        return dlg.result();
    });
    return runs;
}

void TestLibraryScreen::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prompt = RecordingPrompt::Install();
    QVERIFY(fixture::WriteLibrary(m_dir.filePath("lib_v3p4.xlsx")));
    // Four makers of the standard fixture, then one without frames and one without ratings.
    {
        Book book;
        const QStringList names = {"LS Metasol", "LS Susol - TS", "현대 HGM", "User", "No frames",
                                   "No ratings"};
        const int ratings[6] = {3, 5, 4, 2, 2, 0};
        const int frames[6] = {2, 3, 2, 1, 0, 2};
        for (int i = 0; i < 6; ++i)
            fixture::WriteMakerSheet(book.addSheet(names[i]), ratings[i], frames[i]);
        QVERIFY(book.save(m_dir.filePath("breaker_v3p4.xlsx")));
    }
    theApp.ProjectPathTable.LibWorkbookPath = m_dir.filePath("lib_v3p4.xlsx");
    theApp.ProjectPathTable.BreakerWorkbookPath = m_dir.filePath("breaker_v3p4.xlsx");
    theApp.LoadLibraryWorkbook();
    theApp.LoadBreakerWorkbook(true, 0);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));

    m_view = std::make_unique<CLibraryScreen>();
    m_view->resize(m_view->FormSize());
    m_view->OnInitialUpdate();
    m_view->show();
    QCOMPARE(TheScreen<CLibraryScreen>(), m_view.get());
}

void TestLibraryScreen::cleanupTestCase()
{
    SetLibraryDialogRunner({});
    theApp.SetScreen(Screen::Library, nullptr);
    m_view.reset();
}

void TestLibraryScreen::listsEmptyBeforeFirstEntry()
{
    const QList<CLibraryPage*> pages = m_view->findChildren<CLibraryPage*>();
    QCOMPARE(pages.size(), 26);
    int lists = 0;
    for (CLibraryPage* page : pages) {
        for (ReportListView* list : page->findChildren<ReportListView*>()) {
            ++lists;
            QVERIFY2(list->rows()->rowCount() == 0, qPrintable(page->objectName()));
        }
    }
    QCOMPARE(lists, 68);
    // The first entry fills them.
    m_view->RefillAllPages();
    QCOMPARE(ListOf("lineImpedance", 1099)->rows()->rowCount(), 92);
}

void TestLibraryScreen::navigationAndButtons()
{
    const int groupIds[7] = {1093, 1094, 1095, 1096, 1005, 1097, 1009};
    auto disabledGroups = [&] {
        QList<int> ids;
        for (int id : groupIds)
            if (!Button(id)->isEnabled())
                ids << id;
        return ids;
    };
    auto shownPages = [&] {
        QStringList names;
        for (CLibraryPage* p : m_view->findChildren<CLibraryPage*>())
            if (p->isVisibleTo(m_view.get()))
                names << p->objectName();
        return names;
    };

    m_view->OnCableGroup();
    QCOMPARE(m_view->PageIndex(), 0);
    QVERIFY(!Button(1091)->isEnabled());
    QVERIFY(Button(1092)->isEnabled());
    QCOMPARE(disabledGroups(), QList<int>{1093});
    QCOMPARE(shownPages(), QStringList{"lineImpedance"});
    QTest::mouseClick(Button(1091), Qt::LeftButton);  // disabled: nothing happens
    QCOMPARE(m_view->PageIndex(), 0);

    // Stepping through every page: the group of each, and never the demand-factor or
    // switchgear page.
    const int expectedGroup[24] = {1093, 1093, 1093, 1093, 1093, 1093, 1093, 1093, 1093, 1093, 1094, 1094,
                                   1094, 1094, 1095, 1095, 1095, 1095, 1095, 1095, 1096, 1005, 1097, 1009};
    for (int n = 1; n <= 23; ++n) {
        QTest::mouseClick(Button(1092), Qt::LeftButton);
        QCOMPARE(m_view->PageIndex(), n);
        QCOMPARE(disabledGroups(), QList<int>{expectedGroup[n]});
        QCOMPARE(shownPages().size(), 1);
        QVERIFY(Button(1091)->isEnabled());
    }
    QCOMPARE(shownPages(), QStringList{"groundingData"});
    QVERIFY(!Button(1092)->isEnabled());
    m_view->OnNextPage();  // even called directly, "다음" stops at the grounding page
    QCOMPARE(m_view->PageIndex(), 23);
    QVERIFY(!PageNamed("demandFactor")->isVisibleTo(m_view.get()));
    QVERIFY(!PageNamed("switchgearData")->isVisibleTo(m_view.get()));

    // Group buttons go to the first page of their group.
    const struct
    {
        int button, index;
        const char* page;
    } jumps[] = {{1094, 10, "mcbRcbo"}, {1095, 14, "cvOuterDiameter"}, {1096, 20, "transformerData"},
                 {1005, 21, "generatorData"}, {1097, 22, "motorData"}, {1009, 23, "groundingData"},
                 {1093, 0, "lineImpedance"}};
    for (const auto& j : jumps) {
        QTest::mouseClick(Button(j.button), Qt::LeftButton);
        QCOMPARE(m_view->PageIndex(), j.index);
        QCOMPARE(shownPages(), QStringList{j.page});
        QCOMPARE(disabledGroups(), QList<int>{j.button});
    }

    // "차단기" stays disabled through pages 10 to 13 and comes back on page 14.
    QTest::mouseClick(Button(1094), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(Button(1092), Qt::LeftButton);
        QVERIFY(!Button(1094)->isEnabled());
    }
    QTest::mouseClick(Button(1092), Qt::LeftButton);
    QCOMPARE(m_view->PageIndex(), 14);
    QVERIFY(Button(1094)->isEnabled());
    QVERIFY(!Button(1095)->isEnabled());

    // Leaving the screen and coming back (a refill of every page) keeps page and buttons.
    QTest::mouseClick(Button(1092), Qt::LeftButton);
    QTest::mouseClick(Button(1092), Qt::LeftButton);
    QTest::mouseClick(Button(1092), Qt::LeftButton);
    QCOMPARE(m_view->PageIndex(), 17);
    m_view->RefillAllPages();
    QCOMPARE(m_view->PageIndex(), 17);
    QCOMPARE(shownPages(), QStringList{"conduit"});
    QCOMPARE(disabledGroups(), QList<int>{1095});

    // The hidden controls stay hidden.
    for (int id : {1007, 1008, 1010})
        QVERIFY(!Button(id)->isVisibleTo(m_view.get()));
    QVERIFY(!PageNamed("lineImpedance")->Button(1105)->isVisibleTo(m_view.get()));
}

void TestLibraryScreen::hiddenGroupsAnswerNotSupported()
{
    Show(21);
    for (int id : {1008, 1010}) {
        m_prompt->messages.clear();
        Button(id)->click();
        QCOMPARE(m_prompt->messages, QStringList{"지원하지 않습니다."});
        QCOMPARE(m_view->PageIndex(), 21);
        QVERIFY(!Button(1005)->isEnabled());
        QVERIFY(PageNamed("generatorData")->isVisibleTo(m_view.get()));
    }
}

void TestLibraryScreen::pageContents_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("cell");

    m_view->RefillAllPages();
    const CableLibBlockT& c = theApp.CableLibBlock;
    const QString imp = "임피던스 (%/km, 100MVA기준)";
    auto add = [](const char* page, int list, int rows, const QString& caps, const QString& groups, int r,
                  int col, const QString& cell) {
        QTest::addRow("%s/%d", page, list) << QString(page) << list << rows << caps << groups << r << col << cell;
    };
    const QString impCaps = "[㎟]|R|X|R|X";
    const QString impGroups = "단면적|단상|단상|3상 평형배치|3상 평형배치";

    add("lineImpedance", 1099, 92,
        "선종|전압선 종류|전압선 규격|선종|중성선 종류|중성선 규격|정상임피던스|정상리액턴스|영상임피던스|영상리액턴스|공사방법",
        "전압선|전압선|전압선|중성선|중성선|중성선|" + imp + "|" + imp + "|" + imp + "|" + imp + "|", 1, 10, "관로");
    add("hvCableImpedance", 1136, 11, impCaps, "단면적|단심케이블(Ω/km)|단심케이블(Ω/km)|다심케이블(Ω/km)|다심케이블(Ω/km)",
        2, 0, "95");
    add("hvCableImpedance", 1137, 11, "|R(Ω/km)|X(Ω/km)", "||", 1, 1, "101.0000");  // threshold 0: single-core
    add("lvCableImpedance", 1137, 16, impCaps, impGroups, 3, 4, "403.0000");
    add("lvCableImpedance", 1138, 16, impCaps, impGroups, 3, 1, "503.0000");
    add("lvCableImpedance", 1139, 16, "|R|X|R|X", "|단상|단상|3상|3상", 15, 1, "115.0000");
    add("fr8CableImpedance", 1138, 16, impCaps, impGroups, 0, 0, "1.5");
    add("fr8CableImpedance", 1139, 16, impCaps, impGroups, 2, 4, "802.0000");
    add("hfixImpedance", 1139, 16, impCaps, impGroups, 5, 3, "305.0000");
    add("allowableCurrent", 1136, 1, "공사방법|A1,2|B1,2|D1|E,F", "||||", 0, 0, "보정계수");
    add("allowableCurrent", 1171, 16, "[[㎟]|A|B|D|E|", "단면적|A1|B1|D1|F|", 2, 4, "123.00");
    add("allowableCurrent", 1172, 16, "[[㎟]|A|B|D|E|", "단면적|A2|B2|D1|F|", 1, 1, "-");
    add("allowableCurrent", 1174, 16, "[[㎟]|A|B|D|E|", "단면적|A1|B1|D1|F|", 0, 5, "");
    add("allowableCurrent", 1175, 16, "DD||A|B|D|E|A|B|D|E", " ||단상|단상|단상|단상|삼상|삼상|삼상|삼상", 10, 7,
        c.CABLESQ.Cell(10, 7));
    const QString methodCaps = "DD|전류|SQ|DD|전류|SQ|DD|전류|SQ|DD|전류|SQ";
    const QString methodGroups = "A|A|A|B|B|B|D|D|D|E|E|E";
    add("methodCurrent", 1140, 16, methodCaps, methodGroups, 4, 4, c.CABLE1B.Cell(4, 1));
    add("methodCurrent", 1141, 16, methodCaps, methodGroups, 4, 11, c.CABLE3E.Cell(4, 2));
    add("deratedCurrent", 1141, 16, "DD|A|B|D|E|A|B|D|E", " |단상|단상|단상|단상|3상|3상|3상|3상", 6, 8,
        c.CABLEC.Cell(6, 8));
    add("hfixTemperatureCurrent", 1142, 16,
        "공사방법|A1|B1|A1|B1|DD|공사방법|A1|B1|A1|B1|A1(DD)|A1(SQ)|B1(DD)|B1(SQ)|A1(DD)|A1(SQ)|B1(DD)|B1(SQ)",
        "단면적[㎟]|2개부하도체|2개부하도체|3개부하도체|3개부하도체| |단면적[㎟|2개부하도체|2개부하도체|3개부하도체|"
        "3개부하도체|2개부하도체|2개부하도체|2개부하도체|2개부하도체|3개부하도체|3개부하도체|3개부하도체|3개부하도체",
        3, 2, "42.00");
    add("correctionFactors", 1143, 6, "단수|1|2|3|4|5|6|7|8|9",
        "트레이|회로, 다심케이블 수|회로, 다심케이블 수|회로, 다심케이블 수|회로, 다심케이블 수|회로, 다심케이블 수|"
        "회로, 다심케이블 수|회로, 다심케이블 수|회로, 다심케이블 수|회로, 다심케이블 수",
        5, 0, "6");
    add("correctionFactors", 1144, 1, "[℃]|20|25|30|35|40|45|50|55|60|65|70", "|||||||||||", 0, 11, "0.58");
    add("correctionFactors", 1145, 1, "[℃]|10|15|20|25|30|35|40|45|50|55|60", "|||||||||||", 0, 1, "1.07");
    add("correctionFactors", 1148, 1, "[K·m/w]|0.5|0.7|1.0|1.5|2.0|2.5|3.0", "|||||||", 0, 7, "0.96");
    add("correctionFactors", 1149, 1, "[m]|0.6|0.8|1.0|1.2", "||||", 0, 0, "보정계수");
    const QString mainCaps = "P|AT|AF|TYPE|kA(KECG)|비고";
    const QString extCaps = "DD|AT|AF|kA(KECG)";
    add("mcbRcbo", 1170, 8, mainCaps, "|||||", 0, 3, "C");
    add("mcbRcbo", 1167, 8, extCaps, "|||", 1, 0, "15.01");
    add("mcbRcbo", 1168, 8, mainCaps, "|||||", 7, 4, "11.00");
    add("mcbRcbo", 1169, 8, extCaps, "|||", 7, 3, "11.50");
    add("mccb", 1145, 10, mainCaps, "|||||", 9, 1, "150");
    add("mccb", 1146, 10, extCaps, "|||", 0, 0, "0.01");
    add("mccb", 1147, 16, mainCaps, "|||||", 15, 1, "350");
    add("mccb", 1148, 16, extCaps, "|||", 15, 2, "400");
    add("cbr", 1146, 16, mainCaps, "|||||", 0, 3, "2");
    add("cbr", 1147, 16, extCaps, "|||", 15, 3, "14.50");
    add("breakerMaker", 1147, 3, "AT|4|6|10|15|20", "|δ|δ|δ|δ|δ", 0, 1, "5.0");
    add("breakerMaker", 1148, 2, "AF|kA|TYPE", "||", 1, 2, "S");
    add("breakerMaker", 1149, 3, "AT|50|100", "|AF|AF", 2, 2, "30");
    const QString secCaps = "[㎟]|외경[mm]|단면적[㎟]|외경[mm]|단면적[㎟]|외경[mm]|단면적[㎟]|외경[mm]|단면적[㎟]";
    const QString secGroups = "단면적|1C|1C|2C|2C|3C|3C|4C|4C";
    const QString convCaps = "[mm]|1|2|3|4|[㎟]|1|2|3|4";
    const QString convGroups = "외경|Core|Core|Core|Core|단면적|Core|Core|Core|Core";
    add("cvOuterDiameter", 1134, 16, secCaps, secGroups, 15, 8, "815.00");
    add("cvOuterDiameter", 1135, 16, convCaps, convGroups, 2, 9, "902.00");
    add("fr8OuterDiameter", 1151, 16, secCaps, secGroups, 1, 1, "101.00");
    add("fr8OuterDiameter", 1152, 16, convCaps, convGroups, 1, 5, "501.00");
    add("wireOuterDiameter", 1152, 16, "[㎟]|외경[mm]|단면적[㎟]", "단면적|HFIX|HFIX", 0, 0, "0.00");
    add("wireOuterDiameter", 1153, 16, "[㎟]|[mm]|[㎟]|", "단면적|외경|단면적|", 4, 2, "204.00");
    add("wireOuterDiameter", 1154, 16, "단면적[㎟]|단면적[㎟]|", "상도체|접지선|", 4, 1, "104.00");
    const QString conduitGroups = "|내경|단면적||32%|";
    add("conduit", 1153, 5, "CD호칭|[mm]|[㎟]|DD|[㎟]|CD호칭", conduitGroups, 4, 5, "40");
    add("conduit", 1154, 9, "CD호칭|[mm]|[㎟]|DD|[㎟]|CD호칭", conduitGroups, 0, 0, "0");
    add("conduit", 1155, 9, "CD호칭|[mm]|[㎟]|DD|[㎟]|CD호칭", conduitGroups, 8, 3, "900.00");
    add("conduit", 1156, 10, "ST호칭|[mm]|[㎟]|DD|[㎟]|CD호칭", conduitGroups, 9, 5, "72");
    const QString weightCaps = "[㎟]|1C|2C|3C|4C|1C|2C|3C|4C";
    const QString weightGroups =
        "단면적|단위중량(kg/m)|단위중량(kg/m)|단위중량(kg/m)|단위중량(kg/m)|중량(kg/m)|중량(kg/m)|중량(kg/m)|중량(kg/m)";
    add("cableWeight", 1154, 16, weightCaps, weightGroups, 3, 5, "503");
    add("cableWeight", 1155, 16, weightCaps, weightGroups, 3, 8, "803");
    add("trayWeight", 1155, 16, "[㎟]|1C|1C|", "단면적|단위중량(kg/m)|중량(kg/m)|", 2, 2, "202");
    add("trayWeight", 1156, 10, "DD|[mm]|[kg/m]|[kg/m]|[kg/3m]|", "|WIDE|BW|CW|BW|", 9, 0, "1000.0");
    add("transformerData", 1135, 19, "변압기용량|변압기용량", "|", 1, 0, "-");
    add("transformerData", 1136, 19, "kVA|%Z|X/R", "||", 2, 2, "2.00");
    add("generatorData", 1130, 28, "KW|KW|KW|KVA", "|||", 27, 2, "1120");
    add("motorData", 1129, 100,
        "DD|[kW]|P|kV|η|cosθ|IB [A]|기동방식|β|C|λ|k|IMS [A]|II [A]|tm [sec]|CT|uF|[mm]|[kVA]|",
        "|정격출력|상수|전압|효율|역률|설계전류||기동배율|기동계수|전류제한|전류배율|기동전류|기동돌입전류|기동시간||콘덴서|"
        "UNIT SIZE|기동입력|",
        6, 0, "11Y-D");
    add("switchgearData", 1128, 15, "전류|한류형 PF", "|", 0, 1, "PF 15A");
    add("switchgearData", 1129, 10, "전류|MOF CT|과전류강도", "||", 0, 0, "0.00");
    add("switchgearData", 1130, 26, "전류|CT비", "|", 2, 1, "30");
    add("switchgearData", 1134, 11, "전류|ACB비", "|", 0, 1, "");
    add("switchgearData", 1135, 16, "DD|보호도체", "|", 0, 0, "0.00");
    add("switchgearData", 1136, 13, "전력용콘덴서|KVA|uF|정격 전류(A)|용량(A)", "|380V 3상 60Hz|380V 3상 60Hz|콘덴서|개폐기",
        0, 0, "0.00");
    add("switchgearData", 1137, 16, "전류|비한류형PF", "|", 0, 1, "0.00");
    add("groundingData", 1127, 9, "도체재료|도전률[%]|αr(at 20[℃]|Ko (at 0[℃])|용융온도 [℃]|ρr [μΩ·cm]|TCAP [J/(㎤·℃)]",
        "||||||", 0, 2, "0.003930");
    add("groundingData", 1128, 16, "도체 굵기|도체 굵기", "|", 0, 0, "0.0");
    add("groundingData", 1130, 11, "Rod Dia [mm]|Length [M]|", "||", 0, 1, "0.0");
    add("groundingData", 1129, 11, "Size|OD[mm]", "|", 0, 1, "0.00");
    add("demandFactor", 1100, 37, "DD|호수|수용률|수용률%", "|||", 0, 1, "3000");
    add("demandFactor", 1101, 60, "대수|수용률|수용률%)", "||", 0, 2, "0.00");
}

void TestLibraryScreen::pageContents()
{
    QFETCH(QString, page);
    QFETCH(int, list);
    QFETCH(int, rows);
    QFETCH(QString, captions);
    QFETCH(QString, groups);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, cell);

    ReportListView* view = ListOf(page.toLatin1().constData(), list);
    QVERIFY(view);
    QCOMPARE(view->objectName(), QString::number(list));
    QCOMPARE(view->rows()->rowCount(), rows);
    QCOMPARE(Captions(view), captions.split('|'));
    QCOMPARE(Groups(view), groups.split('|'));
    QCOMPARE(view->rows()->text(row, col), cell);
}

void TestLibraryScreen::captionsFitTheirColumns()
{
    m_view->RefillAllPages();
    QStringList cut;
    for (CLibraryPage* page : m_view->findChildren<CLibraryPage*>()) {
        for (ReportListView* list : page->findChildren<ReportListView*>()) {
            const QFontMetrics fm(list->header()->CaptionFont());
            for (int c = 0; c < list->rows()->columnCount(); ++c) {
                const QString caption = list->rows()->headerData(c, Qt::Horizontal).toString();
                if (!caption.isEmpty() && fm.horizontalAdvance(caption) + 4 > list->columnWidth(c))
                    cut << QStringLiteral("%1/%2 %3").arg(page->objectName(), list->objectName(), caption);
            }
        }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
}

void TestLibraryScreen::refillNeverDuplicatesRows()
{
    auto counts = [&] {
        QStringList out;
        for (CLibraryPage* page : m_view->findChildren<CLibraryPage*>())
            for (ReportListView* list : page->findChildren<ReportListView*>())
                out << QStringLiteral("%1/%2:%3x%4")
                           .arg(page->objectName(), list->objectName())
                           .arg(list->rows()->rowCount())
                           .arg(list->rows()->columnCount());
        return out;
    };
    m_view->RefillAllPages();
    const QStringList once = counts();
    m_view->RefillAllPages();
    for (int n : {1, 2, 5, 6, 7, 8, 13})
        Show(n), Show(n);
    QCOMPARE(counts(), once);
}

void TestLibraryScreen::hvThresholdEditor()
{
    m_view->RefillAllPages();
    Show(1);
    CableLibBlockT& c = theApp.CableLibBlock;
    QCOMPARE(c.HvMultiCoreThreshold.Value, QString("0"));  // an empty workbook cell

    // The workbook's 0 is none of the offered sizes: no entry selected, the text kept.
    QString opened;
    int selected = -2;
    RunEditor({[&](CLibraryEditorDlg& dlg) {
                   auto* combo = dlg.findChild<QComboBox*>("1582");
                   opened = combo->currentText();
                   selected = combo->currentIndex();
                   combo->setCurrentIndex(combo->findText("50"));
               },
               true});
    QTest::mouseClick(PageNamed("hvCableImpedance")->Button(1008), Qt::LeftButton);
    QCOMPARE(opened, QString("0"));
    QCOMPARE(selected, -1);
    QCOMPARE(c.HvMultiCoreThreshold.Value, QString("50"));
    CLibraryPage* page = PageNamed("hvCableImpedance");
    QCOMPARE(page->Edit(1156)->text(), QString("50"));
    ReportListView* applied = page->List(1137);
    // 35 mm2 below 50: the multi-core pair (properties 3, 4); 70 mm2: the single-core pair.
    QCOMPARE(applied->rows()->row(0), (QStringList{"35", "300.0000", "400.0000"}));
    QCOMPARE(applied->rows()->row(1), (QStringList{"70", "101.0000", "201.0000"}));

    // Opening again selects the stored size; a typed size is taken as it stands.
    RunEditor({[&](CLibraryEditorDlg& dlg) {
                   auto* combo = dlg.findChild<QComboBox*>("1582");
                   selected = combo->currentIndex();
                   combo->setEditText("100");
               },
               true});
    page->Button(1008)->click();
    QCOMPARE(selected, 3);  // "50"
    QCOMPARE(c.HvMultiCoreThreshold.Value, QString("100"));
    QCOMPARE(applied->rows()->text(2, 1), QString("302.0000"));  // 95 mm2 now multi-core

    // OK on an unlisted value without touching it keeps it (nothing is wiped).
    RunEditor({[](CLibraryEditorDlg&) {}, true});
    page->Button(1008)->click();
    QCOMPARE(c.HvMultiCoreThreshold.Value, QString("100"));
    QCOMPARE(applied->rows()->text(2, 1), QString("302.0000"));
}

void TestLibraryScreen::lvThresholdEditor()
{
    m_view->RefillAllPages();
    Show(2);
    CableLibBlockT& c = theApp.CableLibBlock;
    CLibraryPage* page = PageNamed("lvCableImpedance");
    QCOMPARE(page->Edit(1157)->text(), QString("50"));
    RunEditor({[](CLibraryEditorDlg& dlg) {
                   auto* combo = dlg.findChild<QComboBox*>("1582");
                   QCOMPARE(combo->currentText(), QString("50"));
                   combo->setCurrentIndex(combo->findText("95"));
               },
               true});
    QTest::mouseClick(page->Button(1174), Qt::LeftButton);
    QCOMPARE(c.LvMultiCoreThreshold.Value, QString("95"));
    QCOMPARE(page->Edit(1157)->text(), QString("95"));
    ReportListView* applied = page->List(1139);
    // 70 mm2 (entry 9) below 95: multi-core values; 95 mm2 (entry 10): single-core.
    QCOMPARE(applied->rows()->row(9), (QStringList{"70.0", "509.0000", "609.0000", "709.0000", "809.0000"}));
    QCOMPARE(applied->rows()->row(10), (QStringList{"95.0", "110.0000", "210.0000", "310.0000", "410.0000"}));
    // The named lookups see the same applied rows.
    QCOMPARE(theApp.VLookup(70, "CBLIMP", 2), 509.0);

    // A text that is not a number is stored as typed and applied as 0: all single-core.
    RunEditor({[](CLibraryEditorDlg& dlg) { dlg.findChild<QComboBox*>("1582")->setEditText("abc"); }, true});
    page->Button(1174)->click();
    QCOMPARE(c.LvMultiCoreThreshold.Value, QString("abc"));
    QCOMPARE(applied->rows()->text(9, 1), QString("109.0000"));
}

void TestLibraryScreen::methodFactorEditorRebuildsDependentPages()
{
    m_view->RefillAllPages();
    CableLibBlockT& c = theApp.CableLibBlock;
    // Page 7 as it stands before the change.
    Show(7);
    ReportListView* derated = ListOf("deratedCurrent", 1141);
    ReportListView* sizes = ListOf("methodCurrent", 1140);
    const QString before = derated->rows()->text(10, 2);

    Show(5);
    CLibraryPage* page = PageNamed("allowableCurrent");
    RunEditor({[](CLibraryEditorDlg& dlg) {
                   auto* combo = dlg.findChild<QComboBox*>("1587");
                   QCOMPARE(combo->currentText(), QString("25"));
                   QCOMPARE(dlg.findChild<QLineEdit*>("1583")->text(), QString("0.80"));
                   QCOMPARE(dlg.findChild<QLineEdit*>("1586")->text(), QString("0.70"));
                   combo->setCurrentIndex(combo->findText("35"));
                   dlg.findChild<QLineEdit*>("1584")->setText("0.5");
               },
               true});
    QTest::mouseClick(page->Button(1173), Qt::LeftButton);
    QCOMPARE(c.AmpacityMultiCoreThreshold.Value, QString("35"));
    QCOMPARE(c.InstallationMethodFactors.Cell(1), QString("0.5"));
    QCOMPARE(c.InstallationMethodFactors.Cell(0), QString("0.80"));
    QCOMPARE(page->Edit(1170)->text(), QString("35"));
    QCOMPARE(page->List(1136)->rows()->row(0), (QStringList{"보정계수", "0.80", "0.5", "1.00", "0.70"}));
    // Applied currents: 25 mm2 (entry 6) below 35 takes two-core (single-phase) and
    // three-core (three-phase) values; 35 mm2 (entry 7) single-core.
    ReportListView* applied = page->List(1175);
    QCOMPARE(ReadLeadingNumber(applied->rows()->text(6, 3)), 50.0 + 5 * 6 + 1);
    QCOMPARE(ReadLeadingNumber(applied->rows()->text(6, 7)), 40.0 + 4 * 6 + 1);
    QCOMPARE(ReadLeadingNumber(applied->rows()->text(7, 3)), 100.0 + 10 * 7 + 1);

    // Pages 6 and 7 keep what they showed until they are shown again, then list the rebuilt
    // tables: method B at 0.5 for 95 mm2 single-core (100 + 100 + 1) is 100.5 A.
    QCOMPARE(derated->rows()->text(10, 2), before);
    Show(7);
    QCOMPARE(ReadLeadingNumber(derated->rows()->text(10, 2)), 100.5);
    QCOMPARE(derated->rows()->text(10, 2), c.CABLEC.Cell(10, 2));
    Show(6);
    QCOMPARE(ReadLeadingNumber(sizes->rows()->text(10, 4)), 100.5);
    QCOMPARE(ReadLeadingNumber(sizes->rows()->text(10, 5)), 95.0);

    // OK without changes rewrites the same texts and still rebuilds and refills page 5.
    applied->rows()->setCell(0, 2, "stale");
    RunEditor({[](CLibraryEditorDlg&) {}, true});
    page->Button(1173)->click();
    QCOMPARE(c.AmpacityMultiCoreThreshold.Value, QString("35"));
    QCOMPARE(c.InstallationMethodFactors.Cell(1), QString("0.5"));
    QCOMPARE(applied->rows()->text(0, 2), c.CABLESQ.Cell(0, 2));
}

void TestLibraryScreen::ambientTemperatureEditor()
{
    m_view->RefillAllPages();
    Show(8);
    CableLibBlockT& c = theApp.CableLibBlock;
    CLibraryPage* page = PageNamed("hfixTemperatureCurrent");
    QCOMPARE(page->Edit(1159)->text(), QString("40"));
    QCOMPARE(page->Edit(1160)->text(), QString("0.91"));

    QString shownFactor;
    RunEditor({[&](CLibraryEditorDlg& dlg) {
                   auto* combo = dlg.findChild<QComboBox*>("1588");
                   QCOMPARE(combo->currentText(), QString("40℃"));
                   // The factor follows the temperature from the TDF row at once.
                   QCOMPARE(dlg.findChild<QLineEdit*>("1177")->text(), QString("0.91"));
                   combo->setCurrentIndex(combo->findText("45℃"));
                   shownFactor = dlg.findChild<QLineEdit*>("1177")->text();
               },
               true});
    QTest::mouseClick(page->Button(1175), Qt::LeftButton);
    QCOMPARE(shownFactor, QString("0.87"));  // the sixth cell of TDF
    QCOMPARE(c.AmbientTemperature.Value, QString("45"));
    QCOMPARE(c.AmbientTemperatureFactor.Value, QString("0.87"));
    QCOMPARE(page->Edit(1159)->text(), QString("45"));
    QCOMPARE(page->Edit(1160)->text(), QString("0.87"));
    ReportListView* list = page->List(1142);
    for (int e : {0, 7, 15}) {
        for (int k = 1; k <= 4; ++k) {
            const double base = ReadLeadingNumber(list->rows()->text(e, k));
            QVERIFY(std::abs(ReadLeadingNumber(list->rows()->text(e, 6 + k)) - base * 0.87) < 0.006);
        }
    }

    // A temperature that is none of the entries (from the workbook or typed earlier) opens
    // with its own text and the factor it came with; OK keeps both.
    c.AmbientTemperature.Value = "33";
    c.AmbientTemperatureFactor.Value = "0.94";
    RunEditor({[&](CLibraryEditorDlg& dlg) {
                   QCOMPARE(dlg.findChild<QComboBox*>("1588")->currentText(), QString("33"));
                   QCOMPARE(dlg.findChild<QLineEdit*>("1177")->text(), QString("0.94"));
               },
               true});
    page->Button(1175)->click();
    QCOMPARE(c.AmbientTemperature.Value, QString("33"));
    QCOMPARE(c.AmbientTemperatureFactor.Value, QString("0.94"));
    // 33 degC has no TDF factor, so the currents keep their base values: the page shows the
    // factor they were built with, 1.00, not the 0.94 that was never applied.
    QCOMPARE(page->Edit(1159)->text(), QString("33"));
    QCOMPARE(page->Edit(1160)->text(), QString("1.00"));
    for (int e : {0, 7, 15}) {
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(ReadLeadingNumber(list->rows()->text(e, 6 + k)), ReadLeadingNumber(list->rows()->text(e, k)));
    }
    // The same on entering the library screen.
    m_view->RefillAllPages();
    QCOMPARE(page->Edit(1160)->text(), QString("1.00"));
    // A tabulated temperature shows the stored factor again.
    c.AmbientTemperature.Value = "45";
    c.AmbientTemperatureFactor.Value = "0.87";
    theApp.BuildDeratedHfixTables(45);
    m_view->RefillAllPages();
    QCOMPARE(page->Edit(1160)->text(), QString("0.87"));
}

void TestLibraryScreen::designConditionsShowWhenPagesAreShown()
{
    // Another writer of the same cells (the panel-board design conditions) followed by the
    // rebuilds: pages 2 and 8 show the new values as soon as they are shown, without an entry.
    m_view->RefillAllPages();
    Show(3);
    CableLibBlockT& c = theApp.CableLibBlock;
    c.LvMultiCoreThreshold.Value = "16";
    theApp.ApplyImpedanceThreshold(16);
    c.AmbientTemperature.Value = "50";
    c.AmbientTemperatureFactor.Value = "0.82";
    theApp.BuildDeratedHfixTables(50);

    Show(2);
    CLibraryPage* page2 = PageNamed("lvCableImpedance");
    QCOMPARE(page2->Edit(1157)->text(), QString("16"));
    QCOMPARE(page2->List(1139)->rows()->text(4, 1), QString("504.0000"));  // 10 mm2: multi-core
    QCOMPARE(page2->List(1139)->rows()->text(5, 1), QString("105.0000"));  // 16 mm2: single-core
    Show(8);
    CLibraryPage* page8 = PageNamed("hfixTemperatureCurrent");
    QCOMPARE(page8->Edit(1159)->text(), QString("50"));
    QCOMPARE(page8->Edit(1160)->text(), QString("0.82"));
    QCOMPARE(page8->List(1142)->rows()->text(0, 7), QString("9.02"));  // 11 A x 0.82
}

void TestLibraryScreen::cancelChangesNothing_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("list");
    QTest::addRow("hv threshold") << "hvCableImpedance" << 1008 << 1137;
    QTest::addRow("lv threshold") << "lvCableImpedance" << 1174 << 1139;
    QTest::addRow("method factors") << "allowableCurrent" << 1173 << 1175;
    QTest::addRow("ambient temperature") << "hfixTemperatureCurrent" << 1175 << 1142;
}

void TestLibraryScreen::cancelChangesNothing()
{
    QFETCH(QString, page);
    QFETCH(int, button);
    QFETCH(int, list);
    m_view->RefillAllPages();
    CableLibBlockT& c = theApp.CableLibBlock;
    auto cells = [&] {
        QStringList v{c.HvMultiCoreThreshold.Value, c.LvMultiCoreThreshold.Value,
                      c.AmpacityMultiCoreThreshold.Value, c.AmbientTemperature.Value,
                      c.AmbientTemperatureFactor.Value};
        for (int i = 0; i < 4; ++i)
            v << c.InstallationMethodFactors.Cell(i);
        for (int e = 0; e < 16; ++e)
            v << c.CABLESQ.Cell(e, 2) << c.CBLIMP.Cell(e, 10) << c.HFIXSQ.Cell(e, 2) << c.CABLEC.Cell(e, 5);
        return v;
    };
    const QStringList before = cells();
    CLibraryPage* p = PageNamed(page.toLatin1().constData());
    const QList<QStringList> shown = Snapshot(p->List(list));
    int runs = 0;
    SetLibraryDialogRunner([&](CLibraryEditorDlg& dlg) {
        ++runs;
        // Change every control, then cancel.
        for (QComboBox* combo : dlg.findChildren<QComboBox*>())
            combo->setCurrentIndex(combo->count() - 1);
        for (QLineEdit* edit : dlg.findChildren<QLineEdit*>())
            if (edit->isEnabled())
                edit->setText("9.99");
        dlg.findChild<QPushButton*>("2")->click();
        return dlg.result();
    });
    QTest::mouseClick(p->Button(button), Qt::LeftButton);
    QCOMPARE(runs, 1);
    QCOMPARE(cells(), before);
    QCOMPARE(Snapshot(p->List(list)), shown);
}

void TestLibraryScreen::makerPageRebuildsMatrix()
{
    m_prompt->messages.clear();
    m_view->RefillAllPages();
    auto* page = dynamic_cast<CBreakerMakerPage*>(PageNamed("breakerMaker"));
    QVERIFY(page);
    QComboBox* combo = page->MakerCombo();
    QCOMPARE(combo->objectName(), QString("1162"));
    QCOMPARE(combo->count(), 6);
    QCOMPARE(combo->itemText(2), QString("현대 HGM"));
    QCOMPARE(combo->currentIndex(), 0);
    ReportListView* ratings = page->List(1147);
    ReportListView* frames = page->List(1148);
    ReportListView* matrix = page->List(1149);

    const struct
    {
        int maker;
        int ratings, frames;
        const char* captions;
        const char* groups;
    } cases[] = {
        {1, 5, 3, "AT|50|100|150", "|AF|AF|AF"},
        {3, 2, 1, "AT|50", "|AF"},  // fewer frames: no column of the maker before stays
        {4, 2, 0, "AT", ""},        // no frames: the rating column alone
        {5, 0, 2, "AT|50|100", "|AF|AF"},  // no ratings: no rows, the frame columns still
        {1, 5, 3, "AT|50|100|150", "|AF|AF|AF"},
    };
    for (const auto& k : cases) {
        combo->setCurrentIndex(k.maker);
        emit combo->activated(k.maker);
        QCOMPARE(ratings->rows()->rowCount(), k.ratings);
        QCOMPARE(frames->rows()->rowCount(), k.frames);
        QCOMPARE(matrix->rows()->rowCount(), k.ratings);
        QCOMPARE(Captions(matrix), QString(k.captions).split('|'));
        QCOMPARE(Groups(matrix), QString(k.groups).split('|'));
    }
    // Maker 1: from the third rating on the 50 AF frame holds "-" in the sheet, shown empty.
    QCOMPARE(matrix->rows()->row(4), (QStringList{"50", "", "50", "50"}));
    QCOMPARE(matrix->rows()->row(1), (QStringList{"20", "20", "20", "20"}));
    QCOMPARE(ratings->rows()->text(4, 0), QString("50"));
    QCOMPARE(matrix->rows()->row(0), (QStringList{"10", "10", "10", "10"}));

    // Picking the maker shown again reloads its sheet from the workbook as it now stands.
    {
        Book book;
        QVERIFY(book.load(theApp.ProjectPathTable.BreakerWorkbookPath));
        Sheet* s = book.getSheet(1);
        s->writeStr(2, 12, "-");
        s->writeNum(2, 5, 7.25);
        QVERIFY(book.save(theApp.ProjectPathTable.BreakerWorkbookPath));
    }
    emit combo->activated(1);
    QCOMPARE(matrix->rows()->row(0), (QStringList{"10", "", "10", "10"}));
    QCOMPARE(ratings->rows()->text(0, 1), QString("7.3"));  // 7.25 to one decimal, half up

    // Typed text loads nothing.
    combo->setEditText("User");
    QCOMPARE(matrix->rows()->columnCount(), 4);

    // Entering the screen again lists the makers afresh and shows the first.
    m_view->RefillAllPages();
    QCOMPARE(combo->count(), 6);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(Captions(matrix), (QStringList{"AT", "50", "100"}));
    QCOMPARE(matrix->rows()->rowCount(), 3);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestLibraryScreen::cableTypeLegend()
{
    // The button is created hidden; pressed anyway it opens a legend of its own each time.
    QPushButton* help = PageNamed("lineImpedance")->Button(1105);
    QVERIFY(!help->isVisibleTo(m_view.get()));
    const int before = int(QApplication::topLevelWidgets().size());
    help->click();
    help->click();
    QList<QWidget*> legends;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "케이블 타입" && w->isVisible())
            legends << w;
    QCOMPARE(legends.size(), 2);
    QCOMPARE(int(QApplication::topLevelWidgets().size()), before + 2);
    auto* list = legends[0]->findChild<QTableWidget*>("1166");
    QVERIFY(list);
    QCOMPARE(list->rowCount(), 12);
    QCOMPARE(list->item(0, 0)->text(), QString("CV"));
    QCOMPARE(list->item(0, 1)->text(), QString("가교 폴리에틸렌"));
    for (QWidget* w : legends)
        w->close();
}

void TestLibraryScreen::screenshots()
{
    m_view->RefillAllPages();
    const QString dir = ShotsDir();
    for (int n : {0, 5, 8, 13, 22}) {
        Show(n);
        QApplication::processEvents();
        const QImage image = m_view->grab().toImage();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(QStringLiteral("%1/sevrin_library_page%2.png").arg(dir).arg(n)));
    }
    // The three editors as they open.
    const struct
    {
        const char* page;
        int button;
    } editors[] = {{"hvCableImpedance", 1008}, {"allowableCurrent", 1173}, {"hfixTemperatureCurrent", 1175}};
    for (const auto& e : editors) {
        QImage image;
        SetLibraryDialogRunner([&](CLibraryEditorDlg& dlg) {
            dlg.show();
            QApplication::processEvents();
            image = dlg.grab().toImage();
            dlg.reject();
            return dlg.result();
        });
        PageNamed(e.page)->Button(e.button)->click();
        QVERIFY(!image.isNull());
        QVERIFY(image.save(QStringLiteral("%1/sevrin_library_editor%2.png").arg(dir).arg(e.button)));
    }
}

void TestLibraryScreen::realWorkbooksFillEveryPage()
{
    const QString lib = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    const QString breakers = ProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    if (!QFile::exists(lib) || !QFile::exists(breakers))
        QSKIP("the shipped reference workbooks are not built into the program folder");
    theApp.ProjectPathTable.LibWorkbookPath = lib;
    theApp.ProjectPathTable.BreakerWorkbookPath = breakers;
    m_prompt->messages.clear();
    theApp.LoadLibraryWorkbook();
    m_view->RefillAllPages();
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    // Every list of a fixed table shows its capacity, every list has its columns.
    QCOMPARE(ListOf("lineImpedance", 1099)->rows()->rowCount(), 92);
    QCOMPARE(ListOf("motorData", 1129)->rows()->rowCount(), 100);
    QVERIFY(ListOf("breakerMaker", 1147)->rows()->rowCount() > 0);
    QVERIFY(ListOf("breakerMaker", 1149)->rows()->columnCount() > 1);
    for (CLibraryPage* page : m_view->findChildren<CLibraryPage*>())
        for (ReportListView* list : page->findChildren<ReportListView*>())
            QVERIFY2(list->rows()->columnCount() > 0, qPrintable(page->objectName()));
    for (int n : {2, 9, 10, 17, 23}) {
        Show(n);
        QApplication::processEvents();
        QVERIFY(m_view->grab().save(QStringLiteral("%1/sevrin_library_real_page%2.png").arg(ShotsDir()).arg(n)));
    }
}

QTEST_MAIN(TestLibraryScreen)
#include "tst_libraryscreen.moc"
