#include "shell/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontConfigWarmUp::FontConfigWarmUp()
{
    try {
        m_loader = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: the first lookup loads the configuration as usual.
    }
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_loader.joinable())
        m_loader.join();
}
