#include "commands/LockKeys.h"

#include <QDir>
#include <QFile>

namespace {

/// Whether any LED whose name ends with `suffix` is lit.
bool AnyLit(const QDir& root, const QString& suffix) {
    const QStringList leds =
        root.entryList({QStringLiteral("*") + suffix}, QDir::Dirs | QDir::System);
    for (const QString& led : leds) {
        QFile brightness(root.filePath(led + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) {
            return true;
        }
    }
    return false;
}

} // namespace

LockKeyStates ReadLockKeys(const QString& ledRoot) {
    const QDir root(ledRoot);
    return {AnyLit(root, QStringLiteral("::capslock")), AnyLit(root, QStringLiteral("::numlock")),
            AnyLit(root, QStringLiteral("::scrolllock"))};
}
