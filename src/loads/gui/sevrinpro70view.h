#pragma once
// The switchgear screen (screen 10); only its navigation works.
#include "app/gui/formview.h"


class CSevrinPro70View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro70View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;
};
