#pragma once
// "TR Imp.": the 27 impedance rows of the last system calculation (system, transformers, their
// motors and contributions, reference systems and bases), shown only.
#include <QDialog>

class ReportListView;

class CDebugDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CDebugDlg(QWidget* parent = nullptr);

    ReportListView* List() const { return m_list; }

    // Fills the list from the stored impedance summary.
    void FillImpedanceSummary();

private:
    ReportListView* m_list = nullptr;
};
