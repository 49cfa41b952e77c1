#include "sevrinpro50view.h"

#include "app/core/sevrin.h"

#include <QPushButton>

CSevrinPro50View::CSevrinPro50View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    AddButton(1378, QStringLiteral("+"), 880, 60, 14, 14)->hide();
    AddButton(1584, QStringLiteral("+"), 880, 78, 14, 14)->hide();
    AddButton(1585, QStringLiteral("+"), 880, 96, 14, 14)->hide();
}

void CSevrinPro50View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro50View = this;
}

void CSevrinPro50View::FillTrayList()
{
    // filled in when the screen is built
}

void CSevrinPro50View::LoadTrayData(int trayIndex, const QString& trayName)
{
    Q_UNUSED(trayIndex);
    Q_UNUSED(trayName);
    // filled in when the screen is built
}

QString CSevrinPro50View::FirstTrayName() const
{
    // filled in when the screen is built
    return QString();
}

void CSevrinPro50View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1378, 1584, 1585})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
