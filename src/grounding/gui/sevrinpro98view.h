#pragma once
// Page 6 of the grounding screen: the grounding summary table (list 1219) and the button
// "다른창으로 열기" that shows the same table in the modeless summary dialog.
#include "grounding/core/groundingdesign.h"
#include "grounding/gui/groundingpage.h"

#include "grounding/gui/pro9resultdlg.h"

#include <QPointer>

class CPro9ResultDlg;
class ReportListView;

class CSevrinPro98View : public CGroundingPage
{
    Q_OBJECT
public:
    explicit CSevrinPro98View(QWidget* parent = nullptr);
    ~CSevrinPro98View() override;

    ReportListView* List() const { return m_list; }
    CPro9ResultDlg* SummaryDialog() const { return m_dialog.data(); }

    // Writes the value column of both lists, row by row.
    void WriteSummaryValues(const GroundingSummaryValues& values);
    // The value column of the page's list.
    QStringList SummaryValues() const;

    void OnShowSummaryDialog();

private:
    QPointer<CPro9ResultDlg> m_dialog;
    ReportListView* m_list = nullptr;
};
