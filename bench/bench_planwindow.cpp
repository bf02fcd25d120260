// A depth typed into the planner window, to every output field updated
// (target: a median under 1 ms), beside the plan model's own recalculation
// measured in the same run.

#include "planner/window/Rule3.h"

#include "core/IniFile.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "shell/Main.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Figures
{
    double median;
    double p90;
};

template <typename Step>
Figures measure(int warmup, int samples, Step &&step)
{
    std::vector<double> millis;
    millis.reserve(samples);
    for (int i = 0; i < warmup + samples; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step(i);
        const auto end = std::chrono::steady_clock::now();
        if (i >= warmup)
            millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(millis.begin(), millis.end());
    return {millis[millis.size() / 2], millis[millis.size() * 9 / 10]};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TidewellApplication app(argc, argv);
    numberFormatSettings() = NumberFormatSettings{u'.', u','};
    // Two divers of unequal rates and a stop, in a settings file of its own.
    QTemporaryDir folder;
    SetSettingsFileNameForTesting(folder.filePath(QStringLiteral("Tidewell.INI")));
    IniFile settings = SettingsFile();
    settings.writeString("Measurements", "Metric", "0");
    settings.writeString("Divers", "Total", "2");
    settings.writeString("Divers", "1", "Ann");
    settings.writeString("Divers", "2", "Bob");
    for (const auto &[name, rate] : {std::pair{"Ann", "0.75"}, std::pair{"Bob", "0.9"}}) {
        settings.writeString(name, "TankSize", "80");
        settings.writeString(name, "Certified", "3000");
        settings.writeString(name, "RMV", rate);
    }
    IniFile plan(folder.filePath(QStringLiteral("Default.Dive")));
    plan.writeStrings("Defaults", {{"Diver1Name", "Ann"}, {"Diver2Name", "Bob"}, {"Depth", "100"},
                                   {"Decom1Check", "1"}, {"DecoDepth1", "20"}, {"DecoTime1", "3"}});

    // A file named on the command line keeps the welcome box from opening.
    const QString note = folder.filePath(QStringLiteral("note.txt"));
    QFile(note).open(QIODevice::WriteOnly);
    TMainForm main({note});
    main.resize(1200, 900);
    main.show();
    main.action(QStringLiteral("NewDivePlan1"))->trigger();
    auto *window = qobject_cast<TfmRuleOfThird *>(main.activeChild());
    if (!window)
        return 1;
    // The window's controls, by their names.
    auto *graphicsWho = window->findChild<QComboBox *>(QStringLiteral("ShowGraphicsWho"));
    auto *depth = window->findChild<QSpinBox *>(QStringLiteral("Depth"));
    if (!graphicsWho || !depth)
        return 1;
    graphicsWho->setCurrentIndex(0);
    emit graphicsWho->activated(0);
    QCoreApplication::processEvents();

    constexpr int Warmup = 200;
    constexpr int Samples = 2001;
    // The spin box's change, as a keystroke ends in it: read, recalculate, show.
    const Figures typed = measure(Warmup, Samples, [&](int i) { depth->setValue(90 + i % 21); });
    // The same with the changed controls painted afterwards, as the user sees them.
    const Figures painted = measure(Warmup, Samples, [&](int i) {
        depth->setValue(90 + i % 21);
        QCoreApplication::processEvents();
    });
    PlanModel &model = window->plan();
    const Figures alone = measure(Warmup, Samples, [&](int i) {
        model.inputs.Depth = 90 + i % 21;
        model.DepthChange();
    });
    std::printf("depth typed into the planner window, every field shown: median %.3f ms, p90 %.3f ms over %d runs\n",
                typed.median, typed.p90, Samples);
    std::printf("the same, with the changed controls painted:            median %.3f ms, p90 %.3f ms over %d runs\n",
                painted.median, painted.p90, Samples);
    std::printf("the plan model's recalculation alone (same run):        median %.3f ms, p90 %.3f ms over %d runs\n",
                alone.median, alone.p90, Samples);
    return typed.median < 1.0 ? 0 : 2;
}
