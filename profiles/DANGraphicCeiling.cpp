// The model's ceiling over the profile on display: a thin line on the chart
// and two read-out panels, the ceiling and the NDL/TTS at the cursor.

#include "profiles/DANGraphic.h"

#include "charts/RChart.h"
#include "profiles/DanChartReplay.h"
#include "profiles/DanDive.h"
#include "profiles/DiveCeiling.h"
#include "widgets/BusyCursor.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QListWidget>

namespace {

// Orange: apart from the profile's white and yellow, the temperature's
// blue and the marks' black and green.
constexpr QRgb CeilingColor = qRgb(0xFF, 0x80, 0x00);

} // namespace

bool TfmDANResarchFormatGraphic::ceilingShown() const { return menuItem(QStringLiteral("ComputedCeiling"))->isChecked(); }

void TfmDANResarchFormatGraphic::ComputedCeilingClick()
{
    // The item's check mark has toggled with the click.
    for (int panel : {CeilingPanel, NdlTtsPanel})
        StatusBarForGraph->setPanelVisible(panel, ceilingShown());
    placeMeter();
    if (ceilingShown() && !m_ceiling)
        drawComputedCeiling();
    else if (!ceilingShown() && m_ceiling)
        redrawProfile();   // the chart drops items only all at once
    RChart1->RefreshChart();
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

void TfmDANResarchFormatGraphic::drawComputedCeiling()
{
    m_ceiling.reset();
    m_danDive.reset();
    if (!ceilingShown() || m_currentFile.isEmpty())
        return;
    const LogDive *dive = m_logDive.get();
    bool metric = m_logMetric;
    if (!m_log) {
        // A DAN profile is drawn in feet; the model works on its samples read
        // once more into the dive model.
        DanDiveResult read = ReadDanDive(m_currentFile);
        m_danDive = std::make_unique<LogDive>(std::move(read.dive));
        dive = m_danDive.get();
        metric = false;
    }
    if (!dive || dive->samples.empty())
        return;
    const BusyCursor busy;
    m_ceiling = std::make_unique<DiveCeiling>(*dive, ViewerDecoSettings());
    const int profileClass = RChart1->ClassDefault();
    RChart1->setClassDefault(CeilingItemClass);
    DanChartPlotter plotter(*RChart1);
    DrawDiveCeiling(*dive, *m_ceiling, metric, CeilingColor, plotter);
    RChart1->setClassDefault(profileClass);
}

void TfmDANResarchFormatGraphic::showCeilingReadout(bool shown, double seconds)
{
    const LogDive *dive = m_logDive ? m_logDive.get() : m_danDive.get();
    if (!shown || !m_ceiling || !dive) {
        StatusBarForGraph->setPanelText(CeilingPanel, QString());
        StatusBarForGraph->setPanelText(NdlTtsPanel, QString());
        return;
    }
    const DiveAhead ahead = m_ceiling->aheadAt(*dive, seconds);
    StatusBarForGraph->setPanelText(CeilingPanel, CeilingReadout(ahead, m_logDive ? m_logMetric : false));
    StatusBarForGraph->setPanelText(NdlTtsPanel, NdlTtsReadout(ahead));
}
