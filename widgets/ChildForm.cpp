#include "widgets/ChildForm.h"

#include "core/Units.h"
#include "widgets/ErrorGuard.h"

#include <QCheckBox>
#include <QCloseEvent>

TChildForm::TChildForm(ChildHost &host, QWidget *parent) : QWidget(parent), m_host(host) {}

bool TChildForm::isMetric() const { return m_metric && m_metric->isChecked(); }

void TChildForm::adoptUnitSystem(QCheckBox *metric, bool reportUnits)
{
    m_metric = metric;
    m_reportsUnits = reportUnits;
    metric->setChecked(UnitSystem());
    connectGuarded(metric, &QCheckBox::clicked, this, [this] {
        unitSwitch();
        if (m_reportsUnits)
            m_host.showUnits(isMetric());
    });
}

void TChildForm::activated()
{
    if (reportsUnits())
        m_host.showUnits(isMetric());
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
