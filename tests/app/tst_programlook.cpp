// How the program reads on a Linux desktop: the list font's decimal point, Qt's own dialogs in
// Korean, readable disabled edits, the frame of modal dialogs, wrapped message texts and tips
// for cut list cells.
#include "app/gui/headerctrlex.h"
#include "app/gui/textinputdlg.h"
#include "app/gui/programlook.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/rundlg.h"
#include "app/gui/webdlg.h"
#include "app/gui/widgetprompt.h"
#include "library/gui/thresholddlg.h"
#include "library/gui/ambienttemperaturedlg.h"
#include "library/gui/methodfactorsdlg.h"
#include "common/testsupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

namespace {

// How dark (0 white .. 255 black) the darkest pixel is below the baseline under character
// `at` of `text`, drawn black on white in `font` at its real size (hinting included).
int InkBelowBaseline(const QFont& font, const QString& text, int at)
{
    const QFontMetrics fm(font);
    const int margin = 4;
    QImage img(fm.horizontalAdvance(text) + 2 * margin, fm.height() + 2 * margin, QImage::Format_RGB32);
    img.fill(Qt::white);
    const int baseline = margin + fm.ascent();
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(margin, baseline, text);
    }
    const int x0 = margin + fm.horizontalAdvance(text.left(at));
    const int x1 = margin + fm.horizontalAdvance(text.left(at + 1));
    int ink = 0;
    for (int y = baseline + 1; y < img.height(); ++y)
        for (int x = x0; x < x1; ++x)
            ink = std::max(ink, 255 - qGray(img.pixel(x, y)));
    return ink;
}

// WCAG 2 relative luminance and contrast ratio.
double Luminance(const QColor& c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Runs `open` (which shows a modal dialog and waits in it) and hands the dialog to `inspect`
// once it is up, then closes it.
void WithModalDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || seen)
            return;
        seen = true;
        inspect(w);
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
    });
    timer.start(10);
    open();
    QVERIFY(seen);
}

QString ButtonTexts(QWidget* dialog)
{
    QStringList texts;
    if (auto* box = dialog->findChild<QDialogButtonBox*>())
        for (QAbstractButton* b : box->buttons())
            texts << b->text();
    return texts.join(QLatin1Char('|'));
}

QString FrameFault(const QWidget* w)
{
    const Qt::WindowFlags f = w->windowFlags();
    QStringList faults;
    if (w->windowType() != Qt::Dialog)
        faults << QStringLiteral("not a dialog window");
    if (f & Qt::WindowMinimizeButtonHint)
        faults << QStringLiteral("minimise button");
    if (f & Qt::WindowMaximizeButtonHint)
        faults << QStringLiteral("maximise button");
    // Without this hint the window manager draws its default buttons, minimise and maximise
    // included.
    if (!(f & Qt::CustomizeWindowHint))
        faults << QStringLiteral("buttons left to the window manager");
    if (!(f & Qt::WindowCloseButtonHint) || !(f & Qt::WindowTitleHint))
        faults << QStringLiteral("no title or close button");
    return faults.join(QStringLiteral(", "));
}

}  // namespace

class TestProgramLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listNumbersReadAsNumbers();
    void qtDialogsSpeakKorean();
    void disabledEditsStayReadable();
    void modalDialogsHaveNoMinimiseOrMaximise();
    void wrapTextToWidth_data();
    void wrapTextToWidth();
    void longMessagesWrapInTheBox();
    void cutCellTextsShowAsTips();
};

void TestProgramLook::initTestCase()
{
    ApplyProgramLook();
}

void TestProgramLook::listNumbersReadAsNumbers()
{
    // The list font is the fixed-pitch Korean font, and it is installed (no silent fallback).
    ReportListView view;
    const QFontInfo info(view.font());
    QCOMPARE(info.family(), QStringLiteral("NanumGothicCoding"));
    // Digits and the point share one advance, so the numbers of a column line up.
    const QFontMetrics fm(view.font());
    for (const QChar c : QStringLiteral("0123456789.-"))
        QCOMPARE(fm.horizontalAdvance(c), fm.horizontalAdvance(QLatin1Char('0')));

    // Drawn at its real size, the point leaves no ink below the baseline; the comma of the
    // same font does, so the check tells the two apart. NanumGothicCoding Bold fails it (its
    // point has a comma's tail at these sizes), hence the captions' NanumGothic Bold.
    struct Case
    {
        const char* name;
        QFont font;
    };
    const Case cases[] = {{"list font", ReportListFont()}, {"caption font", ReportHeaderFont()}};
    for (const Case& c : cases) {
        const int point = InkBelowBaseline(c.font, QStringLiteral("0.9272"), 1);
        const int comma = InkBelowBaseline(c.font, QStringLiteral("0,9272"), 1);
        QVERIFY2(point < 64, qPrintable(QStringLiteral("%1: point ink %2").arg(c.name).arg(point)));
        QVERIFY2(comma >= 128, qPrintable(QStringLiteral("%1: comma ink %2").arg(c.name).arg(comma)));
    }
}

void TestProgramLook::qtDialogsSpeakKorean()
{
    QVERIFY(InstallQtKoreanTranslation());
    // Standard buttons, as Qt's own dialogs and button boxes label them.
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("확인"));
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("취소"));

    // The file picker and the folder picker of the program (Qt's own dialog where the desktop
    // offers none).
    QTemporaryDir dir;
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    CWidgetPrompt prompt;
    QString fileButtons, folderButtons, folderTitle;
    WithModalDialog([&] { prompt.openFile(QStringLiteral("열기"), dir.path(), QStringLiteral("Project files (*.pro)")); },
                    [&](QWidget* w) { fileButtons = ButtonTexts(w); });
    WithModalDialog([&] { prompt.pickFolder(QStringLiteral("폴더 선택"), dir.path()); },
                    [&](QWidget* w) {
                        folderButtons = ButtonTexts(w);
                        folderTitle = w->windowTitle();
                    });
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
    QCOMPARE(fileButtons, QStringLiteral("열기(&O)|취소"));
    QCOMPARE(folderButtons, QStringLiteral("선택(&C)|취소"));
    QCOMPARE(folderTitle, QStringLiteral("폴더 선택"));
}

void TestProgramLook::disabledEditsStayReadable()
{
    QLineEdit edit(QStringLiteral("0.9272"));
    edit.setEnabled(false);
    edit.resize(120, 24);
    edit.ensurePolished();  // class palettes apply when a widget is polished, before painting
    const QPalette pal = edit.palette();
    const QColor text = pal.color(QPalette::Disabled, QPalette::Text);
    const QColor base = pal.color(QPalette::Disabled, QPalette::Base);
    // WCAG AA for normal text asks 4.5:1.
    QVERIFY2(Contrast(text, base) >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3")
                                                        .arg(text.name(), base.name())
                                                        .arg(Contrast(text, base))));
    // As drawn: the darkest text pixel against the field's background.
    const QImage img = edit.grab().toImage();
    const QColor background = img.pixelColor(img.width() - 6, img.height() / 2);
    QColor darkest = background;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 4; x < img.width() / 2; ++x)
            if (qGray(img.pixel(x, y)) < qGray(darkest.rgb()))
                darkest = img.pixelColor(x, y);
    QVERIFY2(Contrast(darkest, background) >= 4.5,
             qPrintable(QStringLiteral("%1 on %2").arg(darkest.name(), background.name())));
    // Still disabled-looking: the field's background is not the enabled white.
    QVERIFY(background != pal.color(QPalette::Active, QPalette::Base));
}

void TestProgramLook::modalDialogsHaveNoMinimiseOrMaximise()
{
    struct Case
    {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Case own[] = {
        {"CRunDlg", [] { return std::make_unique<CRunDlg>(); }},
        {"CTextInputDlg", [] { return std::make_unique<CTextInputDlg>(); }},
        {"CWebDlg", [] { return std::make_unique<CWebDlg>(QStringLiteral("notice"), QStringLiteral("<p>n</p>"), QString()); }},
        {"CThresholdDlg", [] { return std::make_unique<CThresholdDlg>(); }},
        {"CAmbientTemperatureDlg", [] { return std::make_unique<CAmbientTemperatureDlg>(); }},
        {"CMethodFactorsDlg", [] { return std::make_unique<CMethodFactorsDlg>(); }},
    };
    QWidget parent;
    for (const Case& c : own) {
        const std::unique_ptr<QWidget> dlg = c.make();
        QVERIFY2(FrameFault(dlg.get()).isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(c.name, FrameFault(dlg.get()))));
    }
    // The boxes and pickers of the prompt seam, as they are shown.
    CWidgetPrompt prompt;
    QTemporaryDir dir;
    QString messageFault = QStringLiteral("not shown"), fileFault = messageFault;
    WithModalDialog([&] { prompt.message(QStringLiteral("확인하세요."), Prompt::Buttons::OkCancel, Prompt::Icon::Question); },
                    [&](QWidget* w) { messageFault = FrameFault(w); });
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    WithModalDialog([&] { prompt.openFile(QStringLiteral("열기"), dir.path(), QString()); },
                    [&](QWidget* w) { fileFault = FrameFault(w); });
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
    QVERIFY2(messageFault.isEmpty(), qPrintable(messageFault));
    QVERIFY2(fileFault.isEmpty(), qPrintable(fileFault));
}

void TestProgramLook::wrapTextToWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a long path without a blank")
        << QStringLiteral("지정된 프로젝트 파일이 없습니다.\n/home/engineer/projects/2024/substation-extension-phase-two/"
                          "building-a/electrical/PRO/SUBSTATION_EXTENSION_PHASE_TWO/SUBSTATION_EXTENSION_PHASE_TWO.pro");
    QTest::newRow("a Korean sentence")
        << QStringLiteral("같은 이름의 프로젝트가 이미 있습니다. 기존 프로젝트를 지키기 위해 만들지 않았습니다. "
                          "다른 프로젝트 넘버나 폴더를 선택하세요. 다른 프로젝트 넘버나 폴더를 선택하세요.");
    QTest::newRow("short lines stay as they are") << QStringLiteral("첫 줄\n\n셋째 줄");
}

void TestProgramLook::wrapTextToWidth()
{
    QFETCH(QString, text);
    const QFont font = QApplication::font();
    const QString wrapped = WrapTextToWidth(text, font, kMessageTextWidth);
    // Only line breaks are added.
    QString joined = wrapped;
    QCOMPARE(joined.remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
    QVERIFY(wrapped.count(QLatin1Char('\n')) >= text.count(QLatin1Char('\n')));
    const QFontMetrics fm(font);
    for (const QString& line : wrapped.split(QLatin1Char('\n')))
        QVERIFY2(fm.horizontalAdvance(line.trimmed()) <= kMessageTextWidth, qPrintable(line));
    if (fm.horizontalAdvance(text) <= kMessageTextWidth)
        QCOMPARE(wrapped, text);
}

void TestProgramLook::longMessagesWrapInTheBox()
{
    const QString path = QStringLiteral("/home/engineer/") + QString(40, QLatin1Char('x')) + QLatin1Char('/') +
                         QString(60, QLatin1Char('P')) + QStringLiteral(".pro");
    const QString text = QStringLiteral("지정된 프로젝트 파일이 없습니다.\n") + path;
    CWidgetPrompt prompt;
    QString shown;
    int boxWidth = 0;
    WithModalDialog([&] { prompt.message(text, Prompt::Buttons::Ok, Prompt::Icon::Exclamation); },
                    [&](QWidget* w) {
                        auto* box = qobject_cast<QMessageBox*>(w);
                        QVERIFY(box);
                        shown = box->text();
                        boxWidth = box->width();
                        QCOMPARE(box->windowTitle(), QStringLiteral("Sevrin"));
                    });
    QString joined = shown;
    QCOMPARE(joined.remove(QLatin1Char('\n')), QString(text).remove(QLatin1Char('\n')));
    const QFontMetrics fm(QApplication::font("QMessageBox"));
    for (const QString& line : shown.split(QLatin1Char('\n')))
        QVERIFY2(fm.horizontalAdvance(line) <= kMessageTextWidth, qPrintable(line));
    // The box holds its icon, the text and its margins; the unwrapped path alone is wider.
    QVERIFY(fm.horizontalAdvance(path) > kMessageTextWidth + 200);
    QVERIFY2(boxWidth <= kMessageTextWidth + 200, qPrintable(QString::number(boxWidth)));
}

void TestProgramLook::cutCellTextsShowAsTips()
{
    // Both kinds of list: the shared view, and a screen's own table set up as a report list.
    auto own = std::make_unique<QTableView>();
    auto* model = new RowListModel(own.get());
    SetupReportList(own.get(), new CHeaderCtrlEx(own.get()));
    own->setModel(model);
    auto shared = std::make_unique<ReportListView>();
    struct Case
    {
        QTableView* view;
        RowListModel* rows;
    };
    const QString remark = QStringLiteral("정격 차단 용량은 제조사 카탈로그 값 (Icu 50 kA, 415 V)");
    for (const Case& c : {Case{own.get(), model}, Case{shared.get(), shared->rows()}}) {
        c.rows->setColumns({ReportColumn{QStringLiteral("비고"), QString(), 60},
                            ReportColumn{QStringLiteral("정격"), QString(), 120}});
        for (int col = 0; col < 2; ++col)
            c.view->setColumnWidth(col, c.rows->columnWidthHint(col));
        c.rows->appendRow({remark, QStringLiteral("100")});
        c.view->resize(400, 200);
        c.view->show();
        QVERIFY(QTest::qWaitForWindowExposed(c.view));

        QVERIFY(CutCellTextTips::IsCut(c.view, c.rows->index(0, 0)));
        QVERIFY(!CutCellTextTips::IsCut(c.view, c.rows->index(0, 1)));

        const QRect cut = c.view->visualRect(c.rows->index(0, 0));
        QHelpEvent onCut(QEvent::ToolTip, cut.center(), c.view->viewport()->mapToGlobal(cut.center()));
        QApplication::sendEvent(c.view->viewport(), &onCut);
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), kPatienceMs);
        QCOMPARE(QToolTip::text(), remark);

        const QRect whole = c.view->visualRect(c.rows->index(0, 1));
        QHelpEvent onWhole(QEvent::ToolTip, whole.center(), c.view->viewport()->mapToGlobal(whole.center()));
        QApplication::sendEvent(c.view->viewport(), &onWhole);
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), kPatienceMs);
        c.view->hide();
    }
}

QTEST_MAIN(TestProgramLook)
#include "tst_programlook.moc"
