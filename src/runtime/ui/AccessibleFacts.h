#pragma once

// Private to the runtime: what the platform's accessibility layer sees of a control
// (role, states, actions, name, place in the widget tree), shared by the bridge's
// adapters.

#include "runtime/ui/Accessible.h"

#include <QAccessible>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace qv {

class TControl;
class TMenuItem;

namespace accessibility {

QString qs(const std::string& text);
QAccessible::Role qtRole(TAccessibleRole role);
QString qtActionName(TAccessibleAction action);
QStringList qtActionNames(const std::vector<TAccessibleAction>& actions);
bool findAction(const std::vector<TAccessibleAction>& actions, const QString& name, TAccessibleAction& found);
void addStates(QAccessible::State& s, unsigned states);

TControl* controlOf(const QWidget* widget);
QWidget* standIn(QWidget* widget);
bool standsIn(const QWidget* widget);
QWidget* treeParent(const QWidget* widget);
QList<QWidget*> treeChildren(const QWidget* widget);

std::string nameOf(const TControl& control);
int visibleCount(const TMenuItem& menu);
const TMenuItem* visibleItem(const TMenuItem& menu, int index);

// The native editor an edit control hands its focus to (AccessibleEditor.cpp).
QAccessibleInterface* newEditorAccessible(QLineEdit* editor);

} // namespace accessibility

} // namespace qv
