#pragma once
// The grounding screen (screen 12).
#include "app/gui/formview.h"


class CSevrinPro90View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro90View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Reads the grounding inputs of the pages into the grounding block.
    void StoreGroundingInputs();

    // Computes the grounding design from the grounding block.
    void CalcGroundingDesign();

    // Puts the stored grounding inputs and results into the controls.
    void ShowGroundingFields();
};
