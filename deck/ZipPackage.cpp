#include "deck/ZipPackage.h"

#include <QFile>

#include <zip.h>

namespace {

// Sources made on the archive read their files only when it is closed, and say then only
// that a file could not be opened, not which: each file is tried first.
bool Readable(const std::vector<ZipEntry>& entries, QString& reason) {
    for (const ZipEntry& entry : entries) {
        QFile file(entry.file);
        if (!entry.file.isEmpty() && !file.open(QIODevice::ReadOnly)) {
            reason = entry.file + QStringLiteral(": ") + file.errorString();
            return false;
        }
    }
    return true;
}

zip_source_t* Source(zip_t* archive, const ZipEntry& entry) {
    if (entry.file.isEmpty()) {
        return zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()),
                                 0);
    }
    return zip_source_file(archive, QFile::encodeName(entry.file).constData(), 0, 0);
}

bool Add(zip_t* archive, const ZipEntry& entry) {
    zip_source_t* source = Source(archive, entry);
    if (source == nullptr) {
        return false;
    }
    const zip_int64_t index =
        zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return entry.deflate ||
           zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0) == 0;
}

} // namespace

bool WriteZipPackage(const QString& path, const std::vector<ZipEntry>& entries, QString& reason) {
    if (!Readable(entries, reason)) {
        return false;
    }
    // The archive is written to a temporary file beside `path` when it is closed, and takes
    // the old file's place only when that succeeded; TRUNCATE ignores whatever is there now.
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        reason = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        return false;
    }
    for (const ZipEntry& entry : entries) {
        if (!Add(archive, entry)) {
            reason = QString::fromLocal8Bit(zip_strerror(archive));
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        reason = QString::fromLocal8Bit(zip_strerror(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}
