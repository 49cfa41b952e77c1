#include "widgetprompt.h"

#include "app/gui/textinputdlg.h"
#include "app/gui/programlook.h"
#include "app/gui/rundlg.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace {

QWidget* DialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

}  // namespace

Prompt::Answer CWidgetPrompt::message(const QString& text, Prompt::Buttons buttons,
                                      Prompt::Icon icon)
{
    QMessageBox box(DialogParent());
    UseModalDialogFrame(&box);
    box.setWindowTitle(QStringLiteral("Sevrin"));
    // A long line (a path, a file list) is broken to the box's width instead of running
    // off the box or off the screen.
    box.setTextFormat(Qt::PlainText);
    box.setText(WrapTextToWidth(text, box.font(), kMessageTextWidth));
    switch (icon) {
    case Prompt::Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Prompt::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Prompt::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Prompt::Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Prompt::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    QAbstractButton* ok = nullptr;
    QAbstractButton* cancel = nullptr;
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    switch (buttons) {
    case Prompt::Buttons::Ok:
        ok = box.addButton(QObject::tr("확인"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case Prompt::Buttons::OkCancel:
        ok = box.addButton(QObject::tr("확인"), QMessageBox::AcceptRole);
        cancel = box.addButton(QObject::tr("취소"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    case Prompt::Buttons::YesNo:
        yes = box.addButton(QObject::tr("예"), QMessageBox::YesRole);
        no = box.addButton(QObject::tr("아니요"), QMessageBox::NoRole);
        break;
    case Prompt::Buttons::YesNoCancel:
        yes = box.addButton(QObject::tr("예"), QMessageBox::YesRole);
        no = box.addButton(QObject::tr("아니요"), QMessageBox::NoRole);
        cancel = box.addButton(QObject::tr("취소"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == ok)
        return Prompt::Answer::Ok;
    if (clicked && clicked == yes)
        return Prompt::Answer::Yes;
    if (clicked && clicked == no)
        return Prompt::Answer::No;
    if (buttons == Prompt::Buttons::Ok)
        return Prompt::Answer::Ok;
    if (buttons == Prompt::Buttons::YesNo)
        return Prompt::Answer::No;
    return Prompt::Answer::Cancel;
}

QString CWidgetPrompt::openFile(const QString& title, const QString& folder, const QString& filter)
{
    QFileDialog dlg(DialogParent(), title, folder, filter);
    UseModalDialogFrame(&dlg);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    return dlg.selectedFiles().value(0);
}

QString CWidgetPrompt::pickFolder(const QString& title, const QString& startFolder)
{
    QFileDialog dlg(DialogParent(), title, startFolder);
    UseModalDialogFrame(&dlg);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    if (dlg.exec() != QDialog::Accepted)
        return QString();
    return dlg.selectedFiles().value(0);
}

bool CWidgetPrompt::openWithDefault(const QString& pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl)
                                                   : QUrl::fromUserInput(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool CWidgetPrompt::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool CWidgetPrompt::inputText(const QString& caption, const QString& label, QString& text)
{
    CTextInputDlg dlg(DialogParent());
    if (!caption.isEmpty())
        dlg.setWindowTitle(caption);
    dlg.SetLabel(label);
    dlg.SetValue(text);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    text = dlg.Value();
    return true;
}

bool CWidgetPrompt::confirmRun(const QString& text)
{
    CRunDlg dlg(DialogParent());
    dlg.SetMessage(text);
    return dlg.exec() == QDialog::Accepted;
}

void CWidgetPrompt::exitProgram(int code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(code);
}
