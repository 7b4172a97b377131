// What can go wrong when a container file is read or written, as values: a
// code, the part of the file and the entry it concerns, and the byte offset.
// The commands and quorbell-cli turn these into their own messages.
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace quorbell::container {

enum class ErrorCode {
    FileMissing,     // no file at the path
    FileUnreadable,  // the file could not be opened or read (detail: the system's reason)
    BadMagic,        // the first 11 bytes are not the container tag
    BadCount,        // a negative album count (a count too large for the file is Truncated)
    BadCellSize,     // not one of 60, 70, ..., 120
    Truncated,       // a table or entry runs past the end of the file
    BadText,         // a name, comment or date text that is not valid code page 932
    BadName,         // a name with "/" or NUL: it names no file beside the container
    BadRecordLength, // a thumbnail record shorter than the smallest BMP file
    BadBitmap,       // a thumbnail record that is not a BMP file this program can show
    BadVariantTag,   // a date entry whose tag is not 0, 7 or 8
    // Writing.
    TooManyAlbums,     // more than 32767 entries
    UnencodableText,   // a name, comment or date text without an exact code page 932 form
    TextTooLong,       // more than 65535 bytes once encoded
    ThumbnailTooLarge, // a thumbnail whose BMP would not fit the 32-bit record length
    WriteFailed,       // the file could not be created, written or renamed into place
};

// The part of the file an error concerns.
enum class Section {
    None,
    Header, // magic, password field, count, cell size
    SizeWords,
    Names,
    Comments,
    Thumbnails,
    FileSizes,
    FileDates,
    AlbumFolder,
};

struct ContainerError
{
    ErrorCode code = ErrorCode::FileUnreadable;
    Section section = Section::None;
    int index = -1;     // the album entry concerned; -1 when none
    qint64 offset = -1; // 0-based byte offset in the file where reading stopped; -1 when none
    QString detail;     // the system's reason for file errors; empty otherwise

    // True for the faults of the file's content, as opposed to failing to reach it.
    bool isInvalidFile() const
    {
        return code != ErrorCode::FileMissing && code != ErrorCode::FileUnreadable &&
               code != ErrorCode::WriteFailed;
    }
};

// A value or the error that prevented it.
template <typename T> class ContainerResult
{
public:
    ContainerResult(T value) : m_v(std::in_place_index<0>, std::move(value)) {}
    ContainerResult(ContainerError error) : m_v(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() { return std::get<0>(m_v); }
    const T& value() const { return std::get<0>(m_v); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const ContainerError& error() const { return std::get<1>(m_v); }

private:
    std::variant<T, ContainerError> m_v;
};

} // namespace quorbell::container
