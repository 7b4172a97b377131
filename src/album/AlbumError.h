// Why an album file could not be read. Format code reports these values; only
// the commands that show messages turn them into text.
#pragma once

#include "core/FileIO.h"

#include <QtGlobal>

#include <utility>

namespace quorbell::album {

enum class AlbumError {
    None,
    Missing,          // no file at the path
    NotAFile,         // a folder, a device, a pipe
    Unreadable,       // the file could not be opened or read (permission, I/O)
    BadHeader,        // shorter than the header, or the header text is wrong
    BadCount,         // photo count below 1, or more photos than the file can hold
    Truncated,        // a table runs past the end of the file
    BadName,          // a photo name that is not valid code page 932
    BadBlockLength,   // a block length below 1 or past the end of the file
    BadPosition,      // an image position or length outside the file
    NoSuchPhoto,      // a photo index outside the table
    UndecodableImage, // the image bytes are not a BMP, JPEG or GIF image a decoder accepts
};

// True for the errors that say the file itself is not there or cannot be
// opened, as opposed to a file whose contents are wrong.
constexpr bool isFileError(AlbumError e)
{
    return e == AlbumError::Missing || e == AlbumError::NotAFile || e == AlbumError::Unreadable;
}

// Why a file could not be opened, as an album error (None when it was).
constexpr AlbumError albumError(OpenResult r)
{
    switch (r) {
    case OpenResult::Opened:
        return AlbumError::None;
    case OpenResult::Missing:
        return AlbumError::Missing;
    case OpenResult::NotAFile:
        return AlbumError::NotAFile;
    case OpenResult::Unreadable:
        break;
    }
    return AlbumError::Unreadable;
}

// Short English names for diagnostics ("bad-header"); not for the window.
const char* errorName(AlbumError e);

struct AlbumFailure
{
    AlbumError error = AlbumError::None;
    qint64 offset = -1; // 0-based offset of the field at fault, when there is one
};

// A value or the reason there is none.
template <class T> class AlbumResult
{
public:
    AlbumResult(T value) : m_value(std::move(value)) {}
    AlbumResult(AlbumFailure failure) : m_failure(failure)
    {
        Q_ASSERT(failure.error != AlbumError::None);
    }
    AlbumResult(AlbumError error, qint64 offset = -1) : AlbumResult(AlbumFailure{error, offset}) {}

    bool ok() const { return m_failure.error == AlbumError::None; }
    explicit operator bool() const { return ok(); }
    AlbumError error() const { return m_failure.error; }
    AlbumFailure failure() const { return m_failure; }

    const T& value() const&
    {
        Q_ASSERT(ok());
        return m_value;
    }
    T& value() &
    {
        Q_ASSERT(ok());
        return m_value;
    }
    T&& value() &&
    {
        Q_ASSERT(ok());
        return std::move(m_value);
    }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

private:
    T m_value{};
    AlbumFailure m_failure;
};

} // namespace quorbell::album
