#include "font_configuration_preload.h"

#include <fontconfig/fontconfig.h>

FontConfigurationPreload::FontConfigurationPreload()
    : m_thread([] { FcInit(); })
{}

FontConfigurationPreload::~FontConfigurationPreload()
{
    wait();
}

void FontConfigurationPreload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
