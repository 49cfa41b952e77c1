#include "fault/gui/sldreportpage.h"

CSldReportPage::CSldReportPage(QWidget* parent) : CFaultPage(parent)
{
    AddLabel(tr("마지막"), 7, 7, 100);
    AddList(1662, 7, 20, 854, 455, {});
}
