#pragma once

#include <thread>

// Fontconfig reads and parses its whole configuration the first time any
// font is looked up, which is the largest single cost of showing the first
// text. This starts that work on another core as soon as the program starts,
// while the application object sets itself up (platform, plugins, style).
class FontConfigWarmUp final
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Returns once the configuration is loaded. Call it before the first text
    // is measured: a lookup started meanwhile would load a second copy.
    void wait();

private:
    std::thread m_loader;
};
