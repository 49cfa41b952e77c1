#pragma once
// The start screen (screen 0): the first screen shown and the one the program returns to.
#include "app/gui/formview.h"

class CSevrinView : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinView(QWidget* parent = nullptr);
    ~CSevrinView() override;

    // Configuration, single instance, update and notice queries, frame fit, reference
    // workbooks - in this order. The early exits end the program through the prompt seam.
    void OnInitialUpdate() override;
    // A second running copy shows "프로그램이 이미 실행 중입니다." and ends with code 1.
    void CheckSingleInstance();
    // Exit road of a normal end: "lastPro", then the workbook protection. Runs once.
    void OnDestroy();

private:
    // Asks the update server at `path`; a non-empty answer is shown in the HTML dialog.
    void QueryServer(const QString& path, const QString& mode, const QString& address);

    bool m_destroyed = false;
};
