#pragma once
// The fault-current screen (screen 11).
#include "app/gui/formview.h"

class CSevrinPro81View;
class CSevrinPro82View;
class CSevrinPro83View;
class CSevrinPro84View;
class CSevrinPro85View;
class QTabWidget;

class CSevrinPro80View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro80View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Copies the stored fault-current fields into the controls of all pages.
    void ShowFaultCurrentInputs();

    CSevrinPro81View* UtilityPage() const { return m_utilityPage; }
    CSevrinPro82View* TransformerPage() const { return m_transformerPage; }
    CSevrinPro83View* MotorPage() const { return m_motorPage; }
    CSevrinPro84View* CablePage() const { return m_cablePage; }
    CSevrinPro85View* BusPage() const { return m_busPage; }

private:
    QTabWidget* m_pages;
    CSevrinPro81View* m_utilityPage;
    CSevrinPro82View* m_transformerPage;
    CSevrinPro83View* m_motorPage;
    CSevrinPro84View* m_cablePage;
    CSevrinPro85View* m_busPage;
};
