#pragma once

namespace kelmora::ui {

// Until Finish() is called, a window system that cannot be reached ends the program with one
// clear line pointing to kelmora-check, instead of the toolkit's abort and its advice about
// platform plugins. Messages held back meanwhile are passed on at Finish().
class TDisplayGuard {
public:
    TDisplayGuard();
    ~TDisplayGuard() { Finish(); }
    TDisplayGuard(const TDisplayGuard&) = delete;
    TDisplayGuard& operator=(const TDisplayGuard&) = delete;

    void Finish();
};

} // namespace kelmora::ui
