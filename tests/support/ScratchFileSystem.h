// A small file system of a test's own (tmpfs) on a temporary folder, so that
// writes fail the way they fail on a real full or read-only disk, for root
// too. Only root may mount; elsewhere isValid() is false and whyNot() says so.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quorbell::test {

class ScratchFileSystem
{
public:
    explicit ScratchFileSystem(qint64 bytes);
    ~ScratchFileSystem(); // unmounts

    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool isValid() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes every free byte left with a filler file, so that the next write fails.
    bool fill();
    // Everything in it stays readable but nothing can be written, created or removed.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace quorbell::test
