#include "sevrinpro12view.h"

#include "platform/profile.h"

#include <QLineEdit>
#include <QPushButton>

CSevrinPro12View::CSevrinPro12View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the frame it sits in.
    setMinimumSize(0, 0);
    AddButton(1422, QStringLiteral("+"), 4, 4, 14, 14)->hide();
    AddButton(1423, QStringLiteral("+"), 20, 4, 14, 14)->hide();
    m_position = new QLineEdit(QStringLiteral("0"), this);
    m_position->hide();
}

void CSevrinPro12View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1422, 1423})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

int CSevrinPro12View::PanelPosition() const
{
    return LeadingInt(m_position->text());
}

// The panel schedule itself (lists, rows and totals) is built on this frame by the
// motor-control-centre schedule; until then the sheet holds no panels.
void CSevrinPro12View::LoadMccPanels()
{
}

void CSevrinPro12View::LoadMccLoads(int panelPosition)
{
    Q_UNUSED(panelPosition);
}

void CSevrinPro12View::CalcMccPanel(int panelPosition)
{
    Q_UNUSED(panelPosition);
}
