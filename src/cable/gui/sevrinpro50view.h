#pragma once
// The cable-tray screen (screen 8).
#include "app/gui/formview.h"


class CSevrinPro50View : public CFormView
{
    Q_OBJECT

public:
    explicit CSevrinPro50View(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Refills the tray list from the project's tray workbook and counts the trays.
    void FillTrayList();

    // Shows tray `trayIndex` and loads its cable and earth-conductor lists.
    void LoadTrayData(int trayIndex, const QString& trayName);

    // The text of the first column of the tray list's first row ("" when empty).
    QString FirstTrayName() const;

    // Shows or hides the screen's "+" insert buttons.
    void SetInsertButtonsVisible(bool visible);
};
