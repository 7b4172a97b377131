#include "core/Paths.h"

#include "core/TextRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace quorbell {

QString dataFolder()
{
    const QString fromEnv = qEnvironmentVariable("QUORBELL_DATA_DIR");
    if (!fromEnv.isEmpty())
        return withTrailingSlash(QDir(fromEnv).absolutePath());
    const QString exeDir = QCoreApplication::applicationDirPath();
    return withTrailingSlash(QDir::cleanPath(exeDir + QStringLiteral("/../share/quorbell")));
}

namespace {
QString& workImageFileOfRun()
{
    static QString path;
    return path;
}
} // namespace

const QString& workImageFilePath()
{
    return workImageFileOfRun();
}

void setWorkImageFilePath(const QString& path)
{
    workImageFileOfRun() = path;
}

WorkFolder::WorkFolder()
    : m_dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quorbell-XXXXXX")))
{
}

WorkFolder::~WorkFolder() = default;

bool WorkFolder::isValid() const
{
    return m_dir->isValid();
}

QString WorkFolder::path() const
{
    return withTrailingSlash(m_dir->path());
}

QString WorkFolder::workImageFile() const
{
    return path() + QStringLiteral("temp.bmp");
}

} // namespace quorbell
