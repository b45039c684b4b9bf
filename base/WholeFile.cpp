#include "base/WholeFile.h"

#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

// QSaveFile::commit() renames the temporary file over the target even when flushing its
// buffer failed, and it ignores what the sync says: a full disk would leave an empty file
// in the old one's place. Both are checked here before the commit.
bool WriteWholeFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                    QString* reason) {
    QSaveFile file(path);
    const auto fail = [reason](const QString& why) {
        if (reason != nullptr) {
            *reason = why;
        }
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    errno = 0;
    if (!write(file) || !file.flush() || file.error() != QFileDevice::NoError ||
        ::fsync(file.handle()) != 0) {
        // Qt has no reason for a write that the disk cut short ("Unknown error"); the system
        // said it to the last call that failed.
        const int error = errno;
        return fail(error != 0 ? qt_error_string(error) : file.errorString());
    }
    return file.commit() || fail(file.errorString());
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason) {
    return WriteWholeFile(
        path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); }, reason);
}
