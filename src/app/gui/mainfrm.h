#pragma once
// The main window: no menu, tool bar or status bar; its client area shows exactly one of the
// screens at a time.
#include <QMainWindow>

class CFormView;
class QStackedWidget;

class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Reads the display scale into theApp.DpiScaleX/Y and sizes the frame for it.
    CMainFrame();
    ~CMainFrame() override;

    // 96 / dpi per axis; 1.0 when the dpi is unknown (0 or less).
    static void SetDisplayScale(double dpiX, double dpiY);
    // The frame size (device pixels) requested for the scale factors: 1920 x 1080 at 96 dpi,
    // 2880 x 1620 at 144 dpi.
    static QSize FrameSizeForScale(double scaleX, double scaleY);

    // The size asked for at creation, in device pixels (before the fit to the start form).
    QSize RequestedSize() const { return m_requestedSize; }

    void AddScreen(CFormView* screen);
    bool HoldsScreen(const CFormView* screen) const;
    CFormView* ActiveView() const;
    void SetActiveView(CFormView* screen);
    // Shrinks the frame, if it is larger, to fit the form.
    void FitToForm(const CFormView* form);

protected:
    // Closing asks about edits not saved yet; "취소" keeps the program open.
    void closeEvent(QCloseEvent* event) override;

private:
    QStackedWidget* m_screens;
    QSize m_requestedSize;
};
