#include "report/gui/transformerreport.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "loads/gui/guicall.h"
#include "loads/gui/transformerscreen.h"
#include "loads/gui/transformerloadpage.h"
#include "platform/xlsxbook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

const QString kLabel = QStringLiteral("변압기용량");

// Load-list column -> page column offset.
constexpr int kLoadColumns[7] = {0, 1, 3, 5, 7, 9, 11};

QString Text(const CTransformerLoadPage* page, int id)
{
    const QLineEdit* edit = page->Edit(id);
    return edit ? edit->text() : QString();
}

TransformerPageTexts Snapshot(CTransformerScreen* screen, int t)
{
    const CTransformerLoadPage* page = screen->LoadPage();
    TransformerPageTexts s;
    if (const auto* name = page->findChild<QLabel*>(QStringLiteral("1601")))
        s.name = name->text();
    s.type = page->TypeCombo()->currentText();
    if (const auto* primary = page->findChild<QComboBox*>(QStringLiteral("1122")))
        s.primary = primary->currentText();
    s.secondary = Text(page, 1603);
    s.capacity = screen->CapacityEdit(t + 1)->text();
    const RowListModel* rows = page->List()->rows();
    for (int r = 0; r < rows->rowCount(); ++r)
        s.loads.push_back(rows->row(r).mid(0, 7));
    s.connected = Text(page, 1625);
    s.ratio = Text(page, 1626);
    s.demand = Text(page, 1627);
    s.motorOn = page->MotorCheck()->isChecked();
    s.motorRating = Text(page, 1630);
    return s;
}

}  // namespace

TransformerReportTexts RecalcTransformersForReport()
{
    CTransformerScreen* screen = TheScreen<CTransformerScreen>();
    if (!screen)
        return {};
    return CallOnGuiThread(screen, [screen] {
        TransformerReportTexts texts;
        texts.available = true;
        for (int t = 0; t < 5; ++t) {
            screen->SelectTransformerTab(t);
            screen->CalcTransformerCapacity(t);
            texts.transformers[std::size_t(t)] = Snapshot(screen, t);
        }
        return texts;
    });
}

void WriteTransformerReport(Sheet& sheet, const TransformerReportTexts& texts, int pictureId,
                            const QString& revision, const ProjectScreenTexts& project,
                            ReportHost& host)
{
    int pages = 0;
    for (const TransformerPageTexts& tr : texts.transformers) {
        const int m = int(tr.loads.size());
        if (m == 0)
            continue;
        const int c = kTransformerPageColumns * pages++;
        PlaceLogo(sheet, c, 3, pictureId);  // the header band's logo cells
        sheet.writeStr(0, c + 12, revision);
        sheet.writeStr(1, c + 3, project.projectName);
        sheet.writeStr(1, c + 12, project.date);

        sheet.writeStr(3, c + 3, tr.name);
        sheet.writeStr(3, c + 9, tr.type);
        sheet.writeStr(4, c + 9, tr.primary);
        sheet.writeStr(4, c + 12, tr.secondary);
        sheet.writeStr(4, c + 3, tr.capacity + QStringLiteral("[kVA]"));
        for (int j = 0; j < std::min(m, kTransformerReportLoads); ++j) {
            const QStringList& row = tr.loads[std::size_t(j)];
            for (int k = 0; k < 7; ++k)
                sheet.writeStr(7 + j, c + kLoadColumns[k], row.value(k));
        }
        sheet.writeStr(45, c + 5, tr.connected);
        sheet.writeStr(45, c + 7, tr.ratio);
        sheet.writeStr(45, c + 9, tr.demand);
        sheet.writeStr(48, c + 9, tr.capacity);
        sheet.writeStr(49, c + 9, tr.motorOn ? tr.motorRating : QStringLiteral("-"));
        // The page has room for 38 loads; the sums above still count them all.
        if (m > kTransformerReportLoads)
            host.ReportWarning(QStringLiteral("%1: %2 부하 %3개를 넘는 부하는 출력하지 않음")
                                   .arg(kLabel, tr.name)
                                   .arg(kTransformerReportLoads));
    }
    const int first = kTransformerPageColumns * pages;
    const int last = kTransformerPageColumns * kTransformerTemplatePages;
    if (first <= last)
        sheet.removeCol(first, last);
}

void TransformerReportWriter::WriteSheet(const ReportSheetJob& job)
{
    if (!job.sheet || !job.host || !theApp.ScreenView(Screen::Transformer))
        return;
    job.host->SetOutputProgress(kLabel, 0);
    const TransformerReportTexts texts = RecalcTransformersForReport();
    if (!texts.available)
        return;
    ProjectScreenTexts project;
    job.host->ReadProjectScreen(project);
    WriteTransformerReport(*job.sheet, texts, job.pictureId, job.revision, project, *job.host);
}
