#pragma once

// Private to the runtime: the platform side of the accessibility bridge.

#include "runtime/ui/Accessible.h"

#include <QAccessible>

#include <functional>

class QWidget;

namespace qv {

class TControl;

// Serves the runtime's widgets to the platform's accessibility layer.
void installAccessibleFactory();

// The object a screen reader sees for a control (an edit is its inner editor).
QAccessibleInterface* accessibleInterfaceOf(const TControl& control);
// A part of a painted control, or one of its table cells; null when there is none.
QAccessibleInterface* accessibleItemInterface(const TControl& control, int item);
QAccessibleInterface* accessibleCellInterface(const TControl& control, int col, int row);

QAccessible::Role qtAccessibleRole(TAccessibleRole role);
QAccessible::Event qtAccessibleEvent(TAccessibleEvent event, bool onPart);

// Tests watch the events the runtime sends without a platform that listens.
using AccessibleEventSink = std::function<void(QAccessibleEvent& event)>;
void setAccessibleEventSink(AccessibleEventSink sink);

} // namespace qv
