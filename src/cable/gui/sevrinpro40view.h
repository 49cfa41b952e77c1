#pragma once
// The cable & breaker screen (screen 7).
#include "app/gui/formview.h"


class CSevrinPro40View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro40View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Refills the breaker-maker combo from the breaker maker list.
    void FillBreakerMakerCombo();

    // Loads the rows of the project's cable workbook into the cable list.
    void LoadCableSchedule();

    // Shows or hides the screen's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
