#pragma once
// The fault-current screen's "SLD Report" page: an empty list under the label "마지막".
#include "fault/gui/faultpage.h"

class CSldReportPage : public CFaultPage
{
    Q_OBJECT

public:
    explicit CSldReportPage(QWidget* parent = nullptr);
};
