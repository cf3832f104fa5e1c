#pragma once

namespace kelmora::ui {

// Until Finish() is called, a window system that cannot be reached ends the program with one
// clear line pointing to kelmora-check, instead of the toolkit's abort and its advice about
// platform plugins. Messages held back meanwhile are passed on at Finish().
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard() { Finish(); }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    void Finish();
};

} // namespace kelmora::ui
