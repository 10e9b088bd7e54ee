#pragma once

class QWidget;

namespace tivoro {

// A field that keeps Tab for itself (Tab types a tab there) lets Ctrl+Tab
// and Ctrl+Shift+Tab move the focus on and back, as desktop text views do.
void leaveWithCtrlTab(QWidget *field);

} // namespace tivoro
