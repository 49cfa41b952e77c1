#include "programlook.h"

#include "app/gui/dialogunits.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPalette>
#include <QStringList>
#include <QTextLayout>
#include <QTranslator>
#include <QWidget>

bool InstallQtKoreanTranslation()
{
    static QTranslator* installed = nullptr;
    if (installed)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt_ko" gathers the Korean catalogues of every Qt module that ships one.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qt_ko"), folder) &&
        !translator->load(QStringLiteral("qtbase_ko"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

QColor DisabledEditTextColor()
{
    return QColor(40, 40, 40);
}

void ApplyProgramLook()
{
    QApplication::setFont(DialogFont());
    InstallQtKoreanTranslation();
    // Disabled edits show values the user reads but does not type (project number, logo,
    // library thresholds and factors): the style's pale grey is hard to read, so the text gets
    // a near black; the disabled background still tells that the field cannot be edited.
    QPalette edits = QApplication::palette();
    edits.setColor(QPalette::Disabled, QPalette::Text, DisabledEditTextColor());
    QApplication::setPalette(edits, "QLineEdit");
}

void UseModalDialogFrame(QWidget* dialog)
{
    Qt::WindowFlags f = dialog->windowFlags();
    f &= ~(Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint |
           Qt::WindowFullscreenButtonHint | Qt::WindowShadeButtonHint);
    // With CustomizeWindowHint the window manager is told exactly which buttons to draw.
    f |= Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowCloseButtonHint;
    dialog->setWindowFlags(f);
}

QString WrapTextToWidth(const QString& text, const QFont& font, int maxWidth)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.isEmpty()) {
            lines.append(paragraph);
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(maxWidth);
            lines.append(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines.join(QLatin1Char('\n'));
}
