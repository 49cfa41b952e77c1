#pragma once
// The grounding summary table in a window of its own ("접지계산 종합표"), modeless and hidden
// until the summary page's "다른창으로 열기" shows it; one instance for the whole run.
#include <QDialog>

class ReportListView;

// Builds the 34-row summary list (fixed symbol, item and unit texts; the value column empty
// but for rows CP and DF). The summary page and this dialog build theirs alike.
void BuildGroundingSummaryList(ReportListView* list);

class CGroundingSummaryDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CGroundingSummaryDlg(QWidget* parent = nullptr);

    ReportListView* List() const { return m_list; }
    void OnInitDialog();

private:
    ReportListView* m_list = nullptr;
};
