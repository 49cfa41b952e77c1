#include "mainfrm.h"

#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "app/gui/sevrinapp.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>

CMainFrame::CMainFrame()
{
    // The display's scaling is its logical dpi times the device-pixel ratio through which Qt
    // may already scale: 150 % reads as 144 dpi either way.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpr = screen ? screen->devicePixelRatio() : 1.0;
    SetDisplayScale(screen ? screen->logicalDotsPerInchX() * dpr : 0.0,
                    screen ? screen->logicalDotsPerInchY() * dpr : 0.0);
    // The frame is asked for in device pixels; Qt sizes windows in device-independent ones.
    m_requestedSize = FrameSizeForScale(theApp.DpiScaleX, theApp.DpiScaleY);
    resize(int(m_requestedSize.width() / dpr), int(m_requestedSize.height() / dpr));

    m_screens = new QStackedWidget(this);
    setCentralWidget(m_screens);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetDisplayScale(double dpiX, double dpiY)
{
    // Without a readable dpi, assume 100 % rather than a meaningless frame size.
    theApp.DpiScaleX = dpiX > 0.0 ? 96.0 / dpiX : 1.0;
    theApp.DpiScaleY = dpiY > 0.0 ? 96.0 / dpiY : theApp.DpiScaleX;
}

QSize CMainFrame::FrameSizeForScale(double scaleX, double scaleY)
{
    if (scaleX <= 0.0)
        scaleX = 1.0;
    if (scaleY <= 0.0)
        scaleY = 1.0;
    return QSize(int(1920.0 / scaleX), int(1080.0 / scaleY));
}

void CMainFrame::AddScreen(CFormView* screen)
{
    m_screens->addWidget(screen);
}

bool CMainFrame::HoldsScreen(const CFormView* screen) const
{
    return m_screens->indexOf(const_cast<CFormView*>(screen)) >= 0;
}

CFormView* CMainFrame::ActiveView() const
{
    return dynamic_cast<CFormView*>(m_screens->currentWidget());
}

void CMainFrame::SetActiveView(CFormView* screen)
{
    if (m_screens->indexOf(screen) < 0)
        m_screens->addWidget(screen);
    m_screens->setCurrentWidget(screen);
    screen->update();
}

void CMainFrame::FitToForm(const CFormView* form)
{
    const QSize want = form->FormSize();
    const QSize now = size();
    resize(qMin(now.width(), want.width()), qMin(now.height(), want.height()));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!ConfirmUnsavedEdits()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
