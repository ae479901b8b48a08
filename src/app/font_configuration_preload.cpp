#include "font_configuration_preload.h"

#if __has_include(<fontconfig/fontconfig.h>)
#include <fontconfig/fontconfig.h>

FontConfigurationPreload::FontConfigurationPreload()
    : m_thread([] { FcInit(); })
{}
#else
FontConfigurationPreload::FontConfigurationPreload() = default;
#endif

FontConfigurationPreload::~FontConfigurationPreload()
{
    wait();
}

void FontConfigurationPreload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
