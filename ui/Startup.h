#pragma once

#include <functional>
#include <optional>

namespace kelmora::ui {

class TForm1;

// The program: the application and its title, the main window, the about window (hidden),
// then the message loop until the main window closes. `started`, if given, sees the main
// window just before it is shown (measurements use it).
int RunKelmora(int& argc, char** argv, const std::function<void(TForm1&)>& started = {});

// Answers --help and --version on standard output, without a window or a display; gives the
// exit status, or nothing when the command line asks for the window.
std::optional<int> AnswerInformationRequest(int argc, char** argv);

} // namespace kelmora::ui
