#pragma once

#include <memory>

class QCoreApplication;

class Form1;

// What the program does before its event loop runs.
namespace Startup {

// Qt on a Wayland session runs through XWayland: Wayland lets no client
// place its own window, read its position or keep it above others, and the
// ruler needs all three. An explicit QT_QPA_PLATFORM is respected. Must run
// before the application object exists.
void choosePlatform();

// Qt's own dialogs (the colour picker, the input box's buttons) speak the
// ruler's Simplified Chinese, whatever the desktop's language.
void installQtTranslation(QCoreApplication &application);

// Opens the ruler window, which restores every stored setting as it shows.
std::unique_ptr<Form1> showRuler();

} // namespace Startup
