#pragma once

#include <QAbstractFileIconProvider>

namespace kelmora::ui {

// Icons and type names for the file dialogs, decided from a file's name and metadata alone.
// Qt's own provider asks the MIME database, which may read a file to guess its type: reading
// a file such as /proc/kmsg, a device or a pipe would hang the dialog for good.
class TFileIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

} // namespace kelmora::ui
