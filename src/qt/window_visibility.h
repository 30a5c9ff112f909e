#pragma once

class QWidget;

namespace brezzolo {

// Shows the window in front of the others, with the focus.
void raiseWindow(QWidget* window);

// Makes the window follow its model's Visible: shown in front when it becomes visible, hidden
// when it no longer is; nothing when it already stands as the model says.
void showVisibility(QWidget* window, bool visible);

}  // namespace brezzolo
