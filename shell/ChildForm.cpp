#include "shell/ChildForm.h"

#include "core/Units.h"
#include "shell/ErrorGuard.h"
#include "shell/Main.h"

#include <QCheckBox>
#include <QCloseEvent>

TChildForm::TChildForm(QWidget *parent) : QWidget(parent) {}

bool TChildForm::isMetric() const { return m_metric && m_metric->isChecked(); }

void TChildForm::adoptUnitSystem(QCheckBox *metric, bool reportUnits)
{
    m_metric = metric;
    m_reportsUnits = reportUnits;
    metric->setChecked(UnitSystem());
    connectGuarded(metric, &QCheckBox::clicked, this, [this] {
        unitSwitch();
        if (m_reportsUnits && MainForm())
            MainForm()->UpdateUnitsPanel(isMetric());
    });
}

void TChildForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    bool mayClose = false;
    guarded([&] { mayClose = closeQuery(); });
    if (!mayClose)
        return;
    event->accept();
    // A setting that cannot be written is reported, but does not trap the window.
    guarded([&] { closeSteps(); });
}
