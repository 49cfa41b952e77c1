#pragma once
// The report-selection dialog: which of the nine calculation reports go into one report
// workbook, and the run that writes it. The opener sets ReportChoices after constructing the
// dialog and before showing it.
//
// "출력하기" copies the report template to the output folder and starts the one report worker,
// which runs the report driver and then closes the dialog. While the worker runs the dialog
// cannot be closed: "취소" (or Escape) only asks the run to stop.
#include "report/core/reportdriver.h"
#include "report/core/reportwriter.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QListWidget;
class QPushButton;
class QThread;

class COutputDlg : public QDialog, public ReportHost
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

    // What every calculation screen's "출력하기" does: the dialog with the cover and that
    // screen's report chosen, run modally.
    static void RunForScreenReport(Report report, QWidget* parent);

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

    // Button handlers (also reachable by clicking the controls).
    void OnAddReport();
    void OnRemoveReport();
    void OnChooseAllReports();
    void OnOutputReports();
    void OnCancelOutput();

    // True from "출력하기" until the worker has finished.
    bool IsRunning() const { return m_running; }
    // What the last run's driver answered.
    ReportRunResult LastRunResult() const { return m_lastResult; }

    // ReportHost, called on the worker: carried over to the GUI thread.
    void SetOutputProgress(const QString& text, int number) override;
    void ReportWarning(const QString& text) override;
    bool ReadProjectScreen(ProjectScreenTexts& out) override;

    // The run's configuration; taken from theApp when "출력하기" is pressed (tests may set
    // one first).
    void SetRunSettings(const ReportRunSettings& settings);

public slots:
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnWorkerFinished();

    QListWidget* m_allReports = nullptr;
    QListWidget* m_chosenReports = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_chooseAll = nullptr;
    QPushButton* m_output = nullptr;
    QLabel* m_progress = nullptr;
    QThread* m_worker = nullptr;
    bool m_initialized = false;
    bool m_running = false;
    bool m_hasSettings = false;
    ReportRunSettings m_settings;
    ReportRunResult m_lastResult = ReportRunResult::Saved;
};
