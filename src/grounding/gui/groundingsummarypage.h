#pragma once
// Page 6 of the grounding screen: the grounding summary table (list 1219) and the button
// "다른창으로 열기" that shows the same table in the modeless summary dialog.
#include "grounding/core/groundingdesign.h"
#include "grounding/gui/groundingpage.h"

#include "grounding/gui/groundingsummarydlg.h"

#include <QPointer>

class CGroundingSummaryDlg;
class ReportListView;

class CGroundingSummaryPage : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CGroundingSummaryPage(QWidget* parent = nullptr);
    ~CGroundingSummaryPage() override;

    ReportListView* List() const { return m_list; }
    CGroundingSummaryDlg* SummaryDialog() const { return m_dialog.data(); }

    // Writes the value column of both lists, row by row.
    void WriteSummaryValues(const GroundingSummaryValues& values);
    // The value column of the page's list.
    QStringList SummaryValues() const;

    void OnShowSummaryDialog();

private:
    QPointer<CGroundingSummaryDlg> m_dialog;
    ReportListView* m_list = nullptr;
};
