#include "outputdlg.h"

#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

COutputDlg::COutputDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Palvane 설계프로그램 V2.0"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont(QStringLiteral("굴림"), 9));
    const DialogUnits du(font());
    setFixedSize(du.Size(291, 218));

    auto place = [&du](QWidget* w, int id, int x, int y, int width, int height) {
        if (id != 0)
            w->setObjectName(QString::number(id));
        w->setGeometry(du.Rect(x, y, width, height));
    };
    auto* title = new QLabel(tr("출력 계산서 선택하기"), this);
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::Box);
    place(title, 0, 7, 7, 277, 19);

    m_allReports = new QListWidget(this);
    place(m_allReports, 1042, 7, 31, 102, 108);
    m_chosenReports = new QListWidget(this);
    place(m_chosenReports, 1043, 181, 31, 102, 108);

    m_output = new QPushButton(tr("출력하기"), this);
    place(m_output, 1009, 181, 144, 102, 19);
    m_output->setEnabled(false);
    m_output->setToolTip(tr("계산서 출력은 아직 지원하지 않습니다."));

    auto* cancel = new QPushButton(tr("취소"), this);
    place(cancel, 2, 7, 168, 277, 19);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

COutputDlg::~COutputDlg()
{
    if (theApp.ScreenPointers.OutputDlg == this)
        theApp.ScreenPointers.OutputDlg = nullptr;
}

void COutputDlg::showEvent(QShowEvent* event)
{
    if (!m_initialized) {
        m_initialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void COutputDlg::OnInitDialog()
{
    ReportNames = {
        tr("프로젝트 표지"),     tr("동력 계산서"),       tr("부하 계산서"),
        tr("케이블&차단기 계산서"), tr("케이블트레이 계산서"), tr("변압기용량 계산서"),
        tr("발전기용량 계산서"), tr("고장전류 계산서"),   tr("접지저항 계산서"),
    };
    m_allReports->clear();
    for (const QString& name : ReportNames)
        m_allReports->addItem(name);
    RefreshChosenReports();
    theApp.ScreenPointers.OutputDlg = this;
    theApp.ReportStopFlag = 1;
}

void COutputDlg::RefreshChosenReports()
{
    m_chosenReports->clear();
    for (int i = 0; i < ReportCount; ++i)
        if (ReportChoices[i] == 1)
            m_chosenReports->addItem(ReportNames[i]);
}
