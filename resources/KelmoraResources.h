#pragma once

namespace kelmora {

// Registers the embedded pictures (glyphs, about picture, window icon) under ":/".
// A static library's resource object is dropped by the linker unless something refers to it,
// so the program calls this once at start-up. Calling it again does no harm.
void InitResources();

} // namespace kelmora
