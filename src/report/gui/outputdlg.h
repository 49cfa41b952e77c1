#pragma once
// The report-selection dialog: which of the nine calculation reports go into one report
// workbook. The opener sets ReportChoices after constructing it and before showing it.
//
// Report output itself is not built yet: the dialog lists the reports and the chosen ones,
// and its "출력하기" stays disabled.
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QListWidget;
class QPushButton;

class COutputDlg : public QDialog
{
    Q_OBJECT

public:
    // Report indexes, in the order of the choice bytes the report driver receives.
    enum Report {
        ProjectCover = 0,
        MotorControlCenter,
        PanelBoard,
        CableBreaker,
        CableTray,
        TransformerCapacity,
        GeneratorCapacity,
        FaultCurrent,
        Grounding,
        ReportCount
    };

    explicit COutputDlg(QWidget* parent = nullptr);
    ~COutputDlg() override;

    // 1 = chosen, 0 = not chosen, one per report index. None chosen until the opener sets them.
    std::array<uint8_t, ReportCount> ReportChoices{};
    // The names shown in both lists, filled by OnInitDialog.
    std::array<QString, ReportCount> ReportNames;
    // The report workbook of the current run.
    QString OutputPath;

    // Fills the lists from ReportChoices; runs once, when the dialog is first shown.
    void OnInitDialog();
    // Refills the list of chosen reports from ReportChoices.
    void RefreshChosenReports();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* m_allReports = nullptr;
    QListWidget* m_chosenReports = nullptr;
    QPushButton* m_output = nullptr;
    bool m_initialized = false;
};
