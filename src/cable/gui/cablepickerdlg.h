#pragma once
// "케이블&차단기 리스트": picks one cable of the project's cable schedule for the tray
// screen. Lists every stored row with its route and cable specification and hands back the
// twelve texts of the row clicked, with the units the tray calculation cannot read removed.
#include <QDialog>
#include <QString>

#include <array>

class ReportListView;

class CCablePickerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CCablePickerDlg(QWidget* parent = nullptr);

    // The clicked row's texts: No., CBL. No., From, To, VOLT, TYPE, SQ, 공사방법, CORE, LINE,
    // PE, CONDUIT. The first is empty until a row is clicked.
    std::array<QString, 12> PickedCableTexts;

    // Builds the list and reads the cable schedule; runs once, when the dialog is first shown.
    void OnInitDialog();
    // Keeps the texts of the row the list's selection mark designates.
    void OnClickCableBreakerList();

    ReportListView* CableList() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ReportListView* m_list = nullptr;
    bool m_initialized = false;
};
