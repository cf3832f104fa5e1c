#pragma once

#include <QTableView>

namespace kelmora::ui {

class TDrawTableModel;

// The draw editor's table: typing starts editing the current cell, Tab commits it and moves
// across the row and on to the next, and Tab on the last cell appends a row.
class TDrawGrid : public QTableView {
    Q_OBJECT
public:
    TDrawGrid(TDrawTableModel* model, QWidget* parent);

    // For the tests only; the editor keeps the model itself.
    TDrawTableModel* DrawModel() const { return model_; }
    // Writes the cell being edited, if any, into the model and closes its editor.
    void CommitEdit();

signals:
    // The current cell moved (its size note may need showing).
    void CurrentCellChanged();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    TDrawTableModel* model_;
};

} // namespace kelmora::ui
