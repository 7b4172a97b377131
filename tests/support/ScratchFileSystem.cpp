#include "ScratchFileSystem.h"

#include "Unprivileged.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

namespace quorbell::test {

ScratchFileSystem::ScratchFileSystem(qint64 bytes)
{
    if (!runningAsRoot()) {
        m_whyNot = QStringLiteral("mounting a small tmpfs needs root");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        m_whyNot =
            QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

ScratchFileSystem::~ScratchFileSystem()
{
    // Detached, so a file a failed test left open cannot keep it mounted.
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool ScratchFileSystem::fill()
{
    QFile filler(filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // The last page may have taken part of a block: fill it byte by byte.
    while (filler.write("f", 1) == 1) {
    }
    return true;
}

bool ScratchFileSystem::makeReadOnly()
{
    return m_mounted && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                                MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

} // namespace quorbell::test
