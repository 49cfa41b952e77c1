#pragma once
// The motor-control-centre screen (screen 4).
#include "app/gui/formview.h"

class CSevrinPro12View;
class QTabWidget;

class CSevrinPro10View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro10View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Puts the stored design conditions into the controls (with `refresh`, also refills the
    // user-motor and panel lists, selecting `firstPanel`) and recomputes the motor tables.
    void ApplyMccDesignConditions(int firstPanel, bool refresh);

    CSevrinPro12View* LoadPage() const { return m_loadPage; }

private:
    QTabWidget* m_pages;
    CSevrinPro12View* m_loadPage;
};
