#pragma once
// The fault-current screen's "SLD Report" page: an empty list under the label "마지막".
#include "fault/gui/faultpage.h"

class CSevrinPro86View : public CFaultPage
{
    Q_OBJECT

public:
    explicit CSevrinPro86View(QWidget* parent = nullptr);
};
