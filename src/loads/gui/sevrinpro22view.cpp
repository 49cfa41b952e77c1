#include "sevrinpro22view.h"

#include "platform/profile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CSevrinPro22View::CSevrinPro22View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the frame it sits in.
    setMinimumSize(0, 0);
    AddButton(1456, QStringLiteral("+"), 4, 4, 14, 14)->hide();
    AddButton(1599, QStringLiteral("+"), 20, 4, 14, 14)->hide();
    auto* label = new QLabel(tr("수용률[%]"), this);
    Place(label, 0, 700, 6, 50, 12);
    m_demandFactor = new QLineEdit(this);
    m_demandFactor->setAlignment(Qt::AlignCenter);
    Place(m_demandFactor, DemandFactorEditId, 752, 6, 40, 12);
    m_boardIndex = new QLineEdit(QStringLiteral("0"), this);
    m_boardIndex->hide();
}

void CSevrinPro22View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1456, 1599})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}

int CSevrinPro22View::BoardIndex() const
{
    return LeadingInt(m_boardIndex->text());
}

// The board schedule itself (lists, circuits and totals) is built on this frame by the
// panel-board schedule; until then the sheet holds no boards.
void CSevrinPro22View::LoadPanelBoards()
{
}

void CSevrinPro22View::LoadCircuits(int boardIndex)
{
    Q_UNUSED(boardIndex);
}

void CSevrinPro22View::CalcPanelBoard(int boardIndex)
{
    Q_UNUSED(boardIndex);
}
