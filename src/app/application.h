#pragma once

class QApplication;

namespace launcher {
inline constexpr const char* ApplicationTitle = "Vornhale Launcher";

// Title, font and quitting rules shared by the launcher and its tests.
void initialiseApplication(QApplication& app);
}  // namespace launcher
