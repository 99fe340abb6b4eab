#pragma once

class QMenu;
class QStatusBar;

namespace rad {

// Shows the status-bar prompt of every entry of menu the mouse is over, greyed entries
// included (Qt itself skips them), and of the entries of a context menu, whose actions belong
// to no main window. The prompt goes when the menu closes.
void ShowMenuPrompts(QMenu* menu, QStatusBar* bar);

}  // namespace rad
