#include "sevrinpro84view.h"

#include <QLineEdit>

CSevrinPro84View::CSevrinPro84View(QWidget* parent) : CFaultPage(parent)
{
    AddEdit(1697, 7, 470, 30, QString(), false)->setVisible(false);
    AddEdit(1698, 40, 470, 30, QString(), false)->setVisible(false);
}

void CSevrinPro84View::FillCableList() {}

void CSevrinPro84View::SetInsertButtonsVisible(bool visible)
{
    Q_UNUSED(visible);
}

void CSevrinPro84View::SetDeltaFactors(const QString& delta20, const QString& delta250)
{
    SetText(1697, delta20);
    SetText(1698, delta250);
}
