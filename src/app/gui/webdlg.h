#pragma once
// The HTML dialog that shows a pending update or notice from the maker's server.
//  mode "updates": "프로그램 종료" asks the caller to end the program, "계속 진행" goes on;
//  mode "notice":  "공지사항 열기" opens the notice page in the browser and stays open,
//                  "계속 진행" closes.
#include <QDialog>

class CHtmlBrowser;
class QPushButton;

class CWebDlg : public QDialog
{
    Q_OBJECT

public:
    CWebDlg(const QString& mode, const QString& html, const QString& address,
            QWidget* parent = nullptr);

    // True when the user chose "프로그램 종료" in the update dialog. The caller ends the
    // program after the dialog has closed, so no exit leaves from inside a running event loop.
    bool ExitRequested() const { return m_exitRequested; }

    QString Mode() const { return m_mode; }
    QString Html() const { return m_html; }
    QString Address() const { return m_address; }
    CHtmlBrowser* Browser() const { return m_browser; }

    void accept() override;  // button 1

private:
    void OnInitDialog();

    CHtmlBrowser* m_browser;
    QString m_mode;
    QString m_html;
    QString m_address;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_exitRequested = false;
};
