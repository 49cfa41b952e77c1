#include "allowablecurrentpage.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/gui/methodfactorsdlg.h"

#include <QPushButton>

CAllowableCurrentPage::CAllowableCurrentPage(QWidget* parent)
    : CLibraryPage(*FindLibraryPage("allowableCurrent"), parent)
{
}

void CAllowableCurrentPage::ConnectControls()
{
    if (QPushButton* change = Button(1173))
        connect(change, &QPushButton::clicked, this, &CAllowableCurrentPage::OnChangeMethodFactors);
}

void CAllowableCurrentPage::OnChangeMethodFactors()
{
    CableLibBlockT& cable = theApp.CableLibBlock;
    LibRow& factors = cable.InstallationMethodFactors;
    CMethodFactorsDlg dlg(this);
    dlg.SetValues({cable.AmpacityMultiCoreThreshold.Value, factors.Cell(0), factors.Cell(1),
                   factors.Cell(2), factors.Cell(3)});
    if (RunLibraryDialog(dlg) != QDialog::Accepted)
        return;
    const std::array<QString, 5>& v = dlg.Values();
    cable.AmpacityMultiCoreThreshold.Value = v[0];
    for (int i = 0; i < 4; ++i)
        factors.Cell(i) = v[size_t(i) + 1];
    theApp.BuildAmpacityTables(QuantityOr(v[0], QuantitySign::Any, 0.0), QuantityOr(v[1], QuantitySign::Any, 0.0),
                               QuantityOr(v[2], QuantitySign::Any, 0.0), QuantityOr(v[3], QuantitySign::Any, 0.0),
                               QuantityOr(v[4], QuantitySign::Any, 0.0));
    FillAllowableCurrentLists();
}
