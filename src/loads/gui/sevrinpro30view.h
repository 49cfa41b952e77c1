#pragma once
// The transformer-capacity screen (screen 6).
#include "app/gui/formview.h"

class CSevrinPro31View;
class QTabWidget;

class CSevrinPro30View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro30View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Shows transformer `pageIndex` (0..4, "TR-1".."TR-5") and refills its load list.
    void FillTransformerPage(int pageIndex);

    CSevrinPro31View* LoadPage() const { return m_loadPage; }

private:
    QTabWidget* m_pages;
    CSevrinPro31View* m_loadPage;
};
