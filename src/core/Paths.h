// Where the program finds its data and keeps its work files.
#pragma once

#include <QString>

#include <memory>

class QTemporaryDir;

namespace quorbell {

// The data folder ("Image.bmp", help pages), ending in "/": $QUORBELL_DATA_DIR
// when set, else <folder of the executable>/../share/quorbell, which holds in
// the build tree and in any installation prefix alike.
QString dataFolder();

// The data file of the default cover and the start-up picture.
inline constexpr char kImageBmpName[] = "Image.bmp";

// Byte positions of the two pictures inside "Image.bmp".
inline constexpr qint64 kCoverBytes = 1334;   // the default cover BMP
inline constexpr qint64 kSplashOffset = 1334; // 0-based start of the start-up picture
inline constexpr qint64 kSplashBytes = 205209;

// A private folder for the run's work files (mode 0700), removed at exit.
class WorkFolder
{
public:
    WorkFolder();
    ~WorkFolder();
    bool isValid() const;
    QString path() const;          // ends in "/"
    QString workImageFile() const; // <path>temp.bmp

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// The run's work image file, removed at exit; empty when there is no work
// folder. Process-wide: one work folder exists per run of the program.
const QString& workImageFilePath();
void setWorkImageFilePath(const QString& path);

} // namespace quorbell
