#pragma once
// The panel-board screen (screen 5).
#include "app/gui/formview.h"

class CSevrinPro22View;
class QTabWidget;

class CSevrinPro20View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro20View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Puts the stored design conditions into the design pages, lists the breaker makers
    // again and reloads the board and circuit lists, selecting `selection`.
    void RefreshPanelBoardPages(int selection);

    CSevrinPro22View* BoardPage() const { return m_boardPage; }

private:
    QTabWidget* m_pages;
    CSevrinPro22View* m_boardPage;
};
