#include "support/FullDisk.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

constexpr qint64 kPage = 4096;

} // namespace

FullDisk::FullDisk(QString folder) : m_folder(std::move(folder)) {
    const QByteArray path = QFile::encodeName(m_folder);
    m_mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=1m") == 0;
    if (!m_mounted && ::getrlimit(RLIMIT_FSIZE, &m_oldLimit) != 0) {
        m_unavailable = QStringLiteral("cannot mount a tmpfs (%1) nor read the file-size limit")
                            .arg(qt_error_string(errno));
    }
}

FullDisk::~FullDisk() {
    Release();
    if (m_mounted) {
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
}

bool FullDisk::Fill(qint64 room) {
    if (!m_mounted) {
        rlimit limit = m_oldLimit;
        limit.rlim_cur = rlim_t(room);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        return m_limited;
    }
    const QByteArray filler = QFile::encodeName(m_folder + QLatin1Char('/') + FillerName());
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::vector<char> block(size_t(16 * kPage), 'f');
    qint64 size = 0;
    ssize_t written = 0;
    while ((written = ::write(fd, block.data(), block.size())) > 0) {
        size += written;
    }
    const qint64 freed = (room + kPage - 1) / kPage * kPage;
    const bool filled = fd >= 0 && size >= freed && ::ftruncate(fd, size - freed) == 0;
    ::close(fd);
    return filled;
}

void FullDisk::Release() {
    if (m_limited) {
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldHandler);
        m_limited = false;
    }
}

QString FullDisk::Reason() const {
    return qt_error_string(m_mounted ? ENOSPC : EFBIG);
}
