#pragma once
// The bridge from our windows' own description of what they draw (WindowHost::accessibleItems)
// to Qt's accessibility, which the desktop's screen readers talk to.
#include "platform/Accessible.h"

class QWidget;

namespace orvane::platform::qt {

// Makes Qt ask us for the interfaces of our window widgets. Once per application.
void installAccessibleFactory();
// Tells Qt's accessibility that item (or the window, for -1) of widget's window changed.
void announceAccessible(QWidget* widget, AccessibleEvent event, int item);

}  // namespace orvane::platform::qt
