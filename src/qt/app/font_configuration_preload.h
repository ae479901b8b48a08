#pragma once

#include <thread>

// Loads the system's font configuration on a thread of its own while Qt
// connects to the display. Fontconfig parses some fifty XML files before a
// program's first text can be drawn, a third of all the work of a start;
// Qt's font database then finds them parsed. The configuration comes out
// the same whether Qt or this thread loads it: this only moves the work.
class FontConfigurationPreload
{
public:
    FontConfigurationPreload();
    ~FontConfigurationPreload();
    FontConfigurationPreload(const FontConfigurationPreload &) = delete;
    FontConfigurationPreload &operator=(const FontConfigurationPreload &) = delete;

    // Returns once the configuration is loaded.
    void wait();

private:
    std::thread m_thread;
};
