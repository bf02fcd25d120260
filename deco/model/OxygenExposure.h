#pragma once

// Oxygen toxicity of a dive: the CNS clock in percent of the single-exposure
// limits, and the pulmonary OTUs.

namespace deco {

// Minutes the CNS tolerates at `ppO2` (bar): the single-exposure table,
// linear between its rows, 720 min from 0.5 to 0.6 bar, 45 min above 1.6
// bar; 0 below 0.5 bar (no limit: the clock does not run).
double CnsLimitMinutes(double ppO2);

class OxygenExposure
{
public:
    // `minutes` at a constant ppO2.
    void breathe(double ppO2, double minutes);
    // `minutes` while the ppO2 changes steadily from `startPPO2` to
    // `endPPO2`, in steps of at most 6 seconds at each step's middle.
    void breatheChanging(double startPPO2, double endPPO2, double minutes);

    double cnsPercent() const { return m_cns; }
    double otu() const { return m_otu; }
    // Whether some exposure went above 1.6 bar.
    bool aboveTable() const { return m_aboveTable; }

private:
    double m_cns = 0.0;
    double m_otu = 0.0;
    bool m_aboveTable = false;
};

} // namespace deco
