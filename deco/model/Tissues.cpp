#include "deco/model/Tissues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace deco {

namespace {

// e^(-k t) of every compartment for one duration. Schedules and recorded
// profiles use few durations over and over (one-minute stops, the ascent
// between two stops, the sample interval), so the factors of the last few
// durations are kept rather than taking 32 exponentials per segment.
struct Decay
{
    double minutes = -1.0;
    std::array<double, CompartmentCount> n2{}, he{};
};

// k = ln 2 / half-time, and its inverse 1 / k.
struct Rates
{
    std::array<double, CompartmentCount> n2{}, he{}, n2Inverse{}, heInverse{};
    Rates()
    {
        for (int i = 0; i < CompartmentCount; ++i) {
            n2[i] = std::numbers::ln2 / ZhL16C[i].n2HalfTime;
            he[i] = std::numbers::ln2 / ZhL16C[i].heHalfTime;
            n2Inverse[i] = 1.0 / n2[i];
            heInverse[i] = 1.0 / he[i];
        }
    }
};

const Rates &rates()
{
    static const Rates k;
    return k;
}

const Decay &decayOf(double minutes)
{
    constexpr int Kept = 8;
    thread_local std::array<Decay, Kept> kept;
    thread_local int next = 0;
    for (const Decay &d : kept)
        if (d.minutes == minutes)
            return d;
    Decay &d = kept[next];
    next = (next + 1) % Kept;
    const Rates &k = rates();
    d.minutes = minutes;
    for (int i = 0; i < CompartmentCount; ++i) {
        d.n2[i] = std::exp(-k.n2[i] * minutes);
        d.he[i] = std::exp(-k.he[i] * minutes);
    }
    return d;
}

} // namespace

Tissues Tissues::atSurface(double surfacePressure)
{
    Tissues t;
    t.n2.fill((surfacePressure - WaterVapourPressure) * AirNitrogenFraction);
    return t;
}

void Tissues::stay(double ambient, const BreathingGas &gas, double minutes)
{
    change(ambient, ambient, gas, minutes);
}

void Tissues::change(double startAmbient, double endAmbient, const BreathingGas &gas, double minutes)
{
    if (!(minutes > 0.0))
        return;
    const Decay &decay = decayOf(minutes);
    const Rates &k = rates();
    const double inspired = startAmbient - WaterVapourPressure;
    const double pressureRate = (endAmbient - startAmbient) / minutes;
    // P(t) = Pi0 + R (t - 1/k) - (Pi0 - P0 - R/k) e^(-k t)
    // The arrays never overlap; saying so lets the compiler update two
    // compartments at a time.
    const auto update = [&](double *__restrict p, const double *__restrict inverseK, const double *__restrict e,
                            double fraction) {
        const double pi0 = inspired * fraction;
        const double r = pressureRate * fraction;
        for (int i = 0; i < CompartmentCount; ++i) {
            const double overK = r * inverseK[i];
            p[i] = pi0 + r * minutes - overK - (pi0 - p[i] - overK) * e[i];
        }
    };
    update(n2.data(), k.n2Inverse.data(), decay.n2.data(), gas.n2());
    // Compartments without helium stay without it while none is breathed:
    // most dives are on nitrox, and this halves the work of their samples.
    if (gas.he > 0.0 || std::any_of(he.begin(), he.end(), [](double p) { return p != 0.0; }))
        update(he.data(), k.heInverse.data(), decay.he.data(), gas.he);
}

double Tissues::toleratedAmbient(int i, double gf) const
{
    // With A = a P and B = b P (the coefficients weighted by each gas's
    // pressure), (P - a gf) / (gf / b + 1 - gf) = (P^2 - gf A) B / (P (gf P + (1 - gf) B)):
    // one division instead of three.
    const double p = n2[i] + he[i];
    if (p <= 0.0)
        return 0.0;
    const CompartmentConstants &c = ZhL16C[i];
    const double weightedA = c.n2A * n2[i] + c.heA * he[i];
    const double weightedB = c.n2B * n2[i] + c.heB * he[i];
    return (p * p - gf * weightedA) * weightedB / (p * (gf * p + (1.0 - gf) * weightedB));
}

double Tissues::toleratedAmbient(double gf) const
{
    double most = 0.0;
    for (int i = 0; i < CompartmentCount; ++i)
        most = std::max(most, toleratedAmbient(i, gf));
    return most;
}

double Tissues::toleratedAmbients(double gf, std::array<double, CompartmentCount> &each) const
{
    double most = 0.0;
    for (int i = 0; i < CompartmentCount; ++i) {
        each[i] = toleratedAmbient(i, gf);
        most = std::max(most, each[i]);
    }
    return most;
}

double Tissues::toleratedAmbient(double gfLow, double gfHigh, double surface, double firstStop,
                                 const std::array<double, CompartmentCount> &atGfLow) const
{
    // A compartment holding P tolerates ambient p with factor g while
    // P <= p + g (a + k p), k = 1/b - 1. With g = u + s p between the surface
    // and the first stop, the right side h(p) is a parabola opening downward,
    // so where it tolerates the first stop it tolerates everything from its
    // smaller crossing of P down to there.
    const double s = (gfLow - gfHigh) / (firstStop - surface);
    const double u = gfHigh - s * surface;
    double most = 0.0;
    for (int i = 0; i < CompartmentCount; ++i) {
        // The factor is GF low or above everywhere: a compartment tolerates
        // at least what it does with GF low, and cannot set a deeper ceiling
        // than one found already.
        if (atGfLow[i] <= most)
            continue;
        // Held to GF low below the first stop. The compartment that set the
        // first stop tolerates it exactly; a rounding error must not put it
        // below.
        if (atGfLow[i] > firstStop + 1e-9) {
            most = atGfLow[i];
            continue;
        }
        const double p = n2[i] + he[i];
        const CompartmentConstants &c = ZhL16C[i];
        const double a = (c.n2A * n2[i] + c.heA * he[i]) / p;
        const double k = p / (c.n2B * n2[i] + c.heB * he[i]) - 1.0;
        if (surface + gfHigh * (a + k * surface) >= p)
            continue; // tolerates the surface
        // h(p) - P = A p^2 + B p + C; its smaller root, in the form that
        // stays exact when A is small (the factors nearly equal).
        const double quadratic = s * k, linear = 1.0 + u * k + s * a, constant = u * a - p;
        const double root = std::sqrt(std::max(0.0, linear * linear - 4.0 * quadratic * constant));
        const double crossing = -2.0 * constant / (linear + root);
        most = std::max(most, std::clamp(crossing, surface, firstStop));
    }
    return most;
}
} // namespace deco
