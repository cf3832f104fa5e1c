#include "ui/widgets/ReplaceQuestion.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace kelmora::ui {

bool MayReplaceFile(QWidget* parent, const QString& caption, const std::string& path)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    const QFileInfo file(name);
    // A dangling link is there too: a save would write through it.
    if (!file.exists() && !file.isSymLink())
        return true;
    return QMessageBox::question(parent, caption, QStringLiteral("%1 は既にあります。置き換えますか？").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

} // namespace kelmora::ui
