#pragma once

class QAbstractItemView;
class QKeyEvent;

namespace kelmora::ui {

// In a list where nothing is selected yet, the first Up or Down selects the entry that has the
// focus mark (the first entry when none has it) instead of moving past it. Returns whether it
// took the key.
bool ArrowSelectsFocusedEntry(QAbstractItemView& view, QKeyEvent* event);

} // namespace kelmora::ui
