#include "album/AlbumError.h"

namespace quorbell::album {

const char* errorName(AlbumError e)
{
    switch (e) {
    case AlbumError::None:
        return "none";
    case AlbumError::Missing:
        return "missing";
    case AlbumError::NotAFile:
        return "not-a-file";
    case AlbumError::Unreadable:
        return "unreadable";
    case AlbumError::BadHeader:
        return "bad-header";
    case AlbumError::BadCount:
        return "bad-count";
    case AlbumError::Truncated:
        return "truncated";
    case AlbumError::BadName:
        return "bad-name";
    case AlbumError::BadBlockLength:
        return "bad-block-length";
    case AlbumError::BadPosition:
        return "bad-position";
    case AlbumError::NoSuchPhoto:
        return "no-such-photo";
    case AlbumError::UndecodableImage:
        return "undecodable-image";
    }
    return "unknown";
}

} // namespace quorbell::album
