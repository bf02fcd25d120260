// The model's ceiling over the profile on display: a thin line on the chart
// and two read-out panels, the ceiling and the NDL/TTS at the cursor.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "profiles/model/DiveCeiling.h"
#include "profiles/window/DanChartReplay.h"
#include "widgets/BusyCursor.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QListWidget>

namespace {

// Orange: apart from the profile's white and yellow, the temperature's
// blue and the marks' black and green.
constexpr QRgb CeilingColor = qRgb(0xFF, 0x80, 0x00);

} // namespace

bool TfmDANResarchFormatGraphic::ceilingShown() const { return m_options.computedCeiling->isChecked(); }

void TfmDANResarchFormatGraphic::ComputedCeilingClick()
{
    // The item's check mark has toggled with the click. The chart drops its
    // items only all at once, and a DAN profile's samples are collected as
    // it is drawn: the profile is drawn again, with or without the line.
    for (int panel : {CeilingPanel, NdlTtsPanel})
        StatusBarForGraph->setPanelVisible(panel, ceilingShown());
    placeMeter();
    if (!m_currentFile.isEmpty())
        redrawProfile();
}

void TfmDANResarchFormatGraphic::redrawProfile()
{
    const DanView view = chartView();
    if (m_log)
        showLogDive(DiveList->currentRow());
    else
        OpenFile(m_lastFile);
    setView(view);
}

void TfmDANResarchFormatGraphic::drawComputedCeiling(CeilingDive dive, bool metric)
{
    if (!ceilingShown() || dive.samples.empty()) {
        drawComputedCeiling(nullptr, metric);
        return;
    }
    const BusyCursor busy;
    drawComputedCeiling(std::make_unique<DiveCeiling>(std::move(dive), ViewerDecoSettings()), metric);
}

void TfmDANResarchFormatGraphic::drawComputedCeiling(std::unique_ptr<DiveCeiling> ceiling, bool metric)
{
    m_ceiling = ceilingShown() ? std::move(ceiling) : nullptr;
    if (!m_ceiling)
        return;
    m_ceilingMetric = metric;
    const int profileClass = RChart1->ClassDefault();
    RChart1->setClassDefault(CeilingItemClass);
    DanChartPlotter plotter(*RChart1);
    DrawDiveCeiling(*m_ceiling, metric, CeilingColor, plotter);
    RChart1->setClassDefault(profileClass);
}

void TfmDANResarchFormatGraphic::showCeilingReadout(bool shown, double seconds)
{
    if (!shown || !m_ceiling) {
        StatusBarForGraph->setPanelText(CeilingPanel, QString());
        StatusBarForGraph->setPanelText(NdlTtsPanel, QString());
        return;
    }
    const DiveAhead ahead = m_ceiling->aheadAt(seconds);
    StatusBarForGraph->setPanelText(CeilingPanel, CeilingReadout(ahead, m_ceilingMetric));
    StatusBarForGraph->setPanelText(NdlTtsPanel, NdlTtsReadout(ahead));
}
