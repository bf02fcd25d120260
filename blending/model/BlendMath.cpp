#include "blending/model/BlendMath.h"

#include "core/Arithmetic.h"
#include "core/NumText.h"

#include <algorithm>
#include <cmath>

namespace {

// Surface pressure added to gauge pressures: psi or bar.
constexpr double ImperialAta = 14.7;
constexpr double MetricAta = 1.0;
// Air counts as 79 % nitrogen, whatever top-off gas is chosen.
constexpr double AirNitrogenFactor = 1.0 / 0.79;

int gaugePosition(double sum) { return static_cast<int>(std::clamp<long long>(Round(sum), 0, 100)); }

QString percentBalance(const QString &first, const QString &second)
{
    return MyFormat(100.0 - (StrToFloat(first) + StrToFloat(second)));
}

} // namespace

QStringList PercentageList()
{
    QStringList entries;
    entries.reserve(201);
    for (int i = 0; i < 100; ++i) {
        entries << MyFormat(i) << MyFormat(i + 0.5);
    }
    entries << MyFormat(100);
    return entries;
}

double RoundedSum(double sum)
{
    int exponent = 0;
    const double mantissa = std::frexp(sum, &exponent);
    return std::ldexp(std::nearbyint(std::ldexp(mantissa, 40)), exponent - 40);
}

BlendWorksheet::BlendWorksheet(BlendSheet &sheet, ProblemQuestion askProblem, Beep beep)
    : m_sheet(sheet), m_askProblem(std::move(askProblem)), m_beep(std::move(beep))
{
}

double BlendWorksheet::surfacePressure() const { return m_sheet.metric ? MetricAta : ImperialAta; }

void BlendWorksheet::TotalGasChange()
{
    BlendSheet &s = m_sheet;
    s.purgeGasHint = StrToFloat(s.psi) <= 0;
    if (s.emptyAutoCalc && !s.emptyTank)
        s.currentxFN2 = percentBalance(s.currentxFO2, s.currentxFHe);
    if (s.autoCalc)
        s.xFN2 = percentBalance(s.xFo2, s.xFHe);

    const double currentSum = StrToFloat(s.currentxFO2) + StrToFloat(s.currentxFHe) + StrToFloat(s.currentxFN2);
    s.currentSumGauge = gaugePosition(currentSum);
    s.currentInvalid = StrToFloat(s.currentxFN2) < 0;

    const double desiredSum = StrToFloat(s.xFo2) + StrToFloat(s.xFHe) + StrToFloat(s.xFN2);
    s.desiredSumGauge = gaugePosition(desiredSum);
    s.desiredInvalid = StrToFloat(s.xFN2) < 0;

    MainFormular();
}

bool BlendWorksheet::sumCheckStops(const QString &message)
{
    BlendSheet &s = m_sheet;
    s.targetAir.clear();
    s.targetO2.clear();
    s.targetHe.clear();
    s.drainAir.clear();
    if (s.currentInvalid || s.desiredInvalid) {
        if (m_beep)
            m_beep();
        s.status = message;
        return true;
    }
    if (!s.emptyTank) {
        s.status = message;
        return true;
    }
    // An empty tank holds no mix to sum up: the ideal fill goes on.
    return false;
}

void BlendWorksheet::MainFormular()
{
    try {
        runMixing();
    } catch (...) {
        // A box that is not a number (or a division by zero in the
        // adjustment) leaves the results as far as they were written.
    }
}

void BlendWorksheet::runMixing()
{
    BlendSheet &s = m_sheet;
    for (;;) {
        const double currentSum = StrToFloat(s.currentxFO2) + StrToFloat(s.currentxFHe) + StrToFloat(s.currentxFN2);
        if (RoundedSum(currentSum) != 100.0 && sumCheckStops(QStringLiteral("Sum of Current of mix must equal 100%")))
            return;
        const double desiredSum = StrToFloat(s.xFo2) + StrToFloat(s.xFHe) + StrToFloat(s.xFN2);
        if (RoundedSum(desiredSum) != 100.0 && sumCheckStops(QStringLiteral("Sum of Desired mix must equal 100%")))
            return;
        if (s.currentInvalid && sumCheckStops(QStringLiteral("Sum of Current mix must equal 100%")))
            return;
        if (s.desiredInvalid && sumCheckStops(QStringLiteral("Sum of Desired mix must equal 100%")))
            return;

        const double ata = surfacePressure();
        const double a = StrToFloat(s.psig);
        const double b = a + ata;
        const double c1 = StrToFloat(s.xFo2) * 0.01;
        const double c2 = StrToFloat(s.xFHe) * 0.01;
        const double c3 = StrToFloat(s.xFN2) * 0.01;
        const double d1 = b * c1, d2 = b * c2, d3 = b * c3;
        const double e = StrToFloat(s.psi);
        const double f = e + ata;
        const double g1 = StrToFloat(s.currentxFO2) * 0.01;
        const double g2 = StrToFloat(s.currentxFHe) * 0.01;
        const double g3 = StrToFloat(s.currentxFN2) * 0.01;
        const double h1 = f * g1, h2 = f * g2, h3 = f * g3;
        const double i1 = d1 - h1;
        const double i2 = d2 - h2;
        const double nitrogenDifference = d3 - h3;

        // Together the three fills bring the tank from E to A.
        const double heliumFill = i2;
        const double airFill = nitrogenDifference * AirNitrogenFactor;
        const double oxygenFill = b - (f + heliumFill + airFill);

        s.targetAir = MyFormat(airFill);
        s.targetO2 = MyFormat(oxygenFill);
        s.targetHe = MyFormat(heliumFill);
        s.status = QStringLiteral("Formular: Gas Mixing");
        s.drainAir.clear();
        s.drainEnabled = false;

        s.mixTrace = Format(
            QStringLiteral("Mix: A=%4.3f, B=%4.3f, C1=%4.3f, C2=%4.3f, C3=%4.3f, D1=%4.3f, D2=%4.3f, D3=%4.3f, "
                           "E=%4.3f, F=%4.3f, G1=%4.3f, G2=%4.3f, G3=%4.3f, H1=%4.3f, H2=%4.3f, H3=%4.3f, "
                           "I1=%4.3f, I2=%4.3f, J1=%4.3f, J2=%4.3f, J3=%4.3f, ATA=%4.3f"),
            {a,          b,          c1, c2, c3, d1, d2, d3, e, f, g1, g2, g3, h1, h2, h3, i1, i2, nitrogenDifference,
             oxygenFill, heliumFill, ata});
        s.adjustTrace.clear();

        if (airFill < 0 && oxygenFill >= 0 && heliumFill >= 0) {
            // Too much nitrogen in the tank: drain it, then add the rest.
            s.targetAir.clear();
            s.targetO2 = oxygenFill > 0 ? MyFormat(oxygenFill) : QStringLiteral("0");
            s.targetHe = heliumFill > 0 ? MyFormat(heliumFill) : QStringLiteral("0");
            s.status = QStringLiteral("Formular: Gas Mixing");
            s.drainAir = MyFormat(std::fabs(airFill));
            s.drainEnabled = true;
        } else if ((airFill < 0 || oxygenFill < 0 || heliumFill < 0) && !s.noJump) {
            CalcDrain();
        }

        if (!drainExceeds(s.psi) || !offerPurge())
            return;
        // The tank now holds pure oxygen at no pressure: mix again.
    }
}

bool BlendWorksheet::drainExceeds(const QString &limit)
{
    return !m_sheet.drainAir.isEmpty() && StrToFloat(m_sheet.drainAir) > StrToFloat(limit);
}

bool BlendWorksheet::offerPurge()
{
    BlendSheet &s = m_sheet;
    if (m_askProblem && m_askProblem(ProblemText, SolutionText)) {
        s.psi = QStringLiteral("0");
        s.currentxFO2 = QStringLiteral("100");
        s.currentxFHe = QStringLiteral("0");
        s.currentxFN2 = QStringLiteral("0");
        return true;
    }
    s.drainAir.clear();
    s.targetHe.clear();
    s.targetAir.clear();
    s.targetO2.clear();
    return false;
}

void BlendWorksheet::CalcDrain()
{
    BlendSheet &s = m_sheet;
    auto shortened = [&s](double x) { return s.shortCalc ? StrToFloat(Format(QStringLiteral("%8.3f"), {x})) : x; };

    const double ata = surfacePressure();
    const double a = StrToFloat(s.psig);
    const double b = a + ata;
    const double c = StrToFloat(s.currentxFO2) * 0.01;
    const double d = StrToFloat(s.xFo2) * 0.01;
    const double e = StrToFloat(s.xFN2) * 0.01;
    const double f = StrToFloat(s.fillGasFractionO2) * 0.01;
    const double g = 1 - f;
    const double h = 1 - c;

    const double i1 = shortened(Divide(h, g));
    const double i2 = shortened(1 - i1);
    const double j1 = shortened(Divide(e, g));
    const double j2 = shortened(1 - j1);
    const double k1 = shortened(b * i1);
    const double k2 = shortened(b * i2);
    const double l1 = shortened(b * j1);
    const double l2 = shortened(b * j2);
    const double m1 = shortened(k1 - l1);
    const double m2 = shortened(k2 - l2);
    double n = 0;
    if (m1 > 0)
        n = shortened(Divide(m1, i1));
    if (m2 > 0)
        n = shortened(Divide(m2, i2));

    s.adjustTrace = Format(QStringLiteral(
                               "Adjust: A=%4.3f, B=%4.3f, C=%4.3f, D=%4.3f, E=%4.3f, F=%4.3f, G=%4.3f, H=%4.3f, "
                               "I1=%4.3f, I2=%4.3f, J1=%4.3f, J2=%4.3f, K1=%4.3f, K2=%4.3f, L1=%4.3f, L2=%4.3f, "
                               "M1=%4.3f, M2=%4.3f, N=%4.3f, ATA=%4.3f"),
                           {a, b, c, d, e, f, g, h, i1, i2, j1, j2, k1, k2, l1, l2, m1, m2, n, ata});

    if (n > 0) {
        s.status = QStringLiteral("Formular: Gas Adjustment");
        s.drainEnabled = true;
        s.drainAir = MyFormat(n);
        s.targetHe = s.targetAir = s.targetO2 = MyFormat(0);
        // Too much nitrogen is refilled with oxygen, too much oxygen with top-off gas.
        if (m1 > 0)
            s.targetO2 = MyFormat(n);
        else
            s.targetAir = MyFormat(n);
    } else {
        s.status = QStringLiteral("Nothing to drain");
    }

    if (drainExceeds(s.psig) && offerPurge())
        MainFormular();
}
