#pragma once

// Roles a screen reader needs that the toolkit cannot guess from a plain
// widget: a screen is a window (whose title it says on arrival), and a
// widget with the dynamic property "roleAccessible" (a QAccessible::Role)
// takes that role, such as the viewer's picture. Installed once, before the
// first screen.
void InstallerAccessibilite();
