#pragma once
class QApplication;
namespace glimmora {
// Runs the program: start-up, the main window's event loop, shut-down. Returns the exit code.
int RunGlimmora(QApplication& app);
}  // namespace glimmora
