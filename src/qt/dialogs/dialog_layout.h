#pragma once

#include "core/commands/dialog_area.h"

#include <Qt>

class QWidget;

// What the dialogs share in their frame and layout.

// A fixed-size window with a title bar and a close button only: there is
// nothing to gain from maximising or minimising a small modal dialog.
inline constexpr Qt::WindowFlags fixedDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint;

// The dialogs are laid out in twips, relative to the control that contains
// each control: every coordinate becomes whole pixels on its own, so that a
// control keeps its designed size wherever it stands.
void setGeometryTwips(QWidget *control, const DialogArea &area, double twipsPerPixel);
