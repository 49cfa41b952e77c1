#pragma once
// The generator-capacity screen (screen 9).
#include "app/gui/formview.h"

class CSevrinPro61View;
class QTabWidget;

class CSevrinPro60View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro60View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Copies the generator factors from the controls into the generator block.
    void StoreGeneratorInputs();

    // Computes the generator capacity and selects its rating.
    void CalcGeneratorCapacity();

    // Puts the stored factors back into the controls and refreshes the load list.
    void ShowGeneratorInputs();

    CSevrinPro61View* LoadPage() const { return m_loadPage; }

private:
    QTabWidget* m_pages;
    CSevrinPro61View* m_loadPage;
};
