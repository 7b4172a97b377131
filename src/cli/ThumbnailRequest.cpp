#include "cli/ThumbnailRequest.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace quorbell::cli {
namespace {

// Set before the handler is: the handler only writes them out.
const char* g_shrunkFileMessage = "";
std::size_t g_shrunkFileMessageLength = 0;

void onMappedFileShrank(int)
{
    [[maybe_unused]] const ssize_t written =
        ::write(STDERR_FILENO, g_shrunkFileMessage, g_shrunkFileMessageLength);
    ::_exit(1);
}

} // namespace

std::optional<ThumbnailRequest> parseThumbnailRequest(const QStringList& args, QString* problem)
{
    ThumbnailRequest r;
    QStringList positional;
    bool onlyPositional = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        QString value;
        if (onlyPositional || a == QLatin1String("-") || !a.startsWith(QLatin1Char('-'))) {
            positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            onlyPositional = true;
            continue;
        }
        if (a == QLatin1String("-s") || a == QLatin1String("--size")) {
            if (i + 1 >= args.size()) {
                *problem = QStringLiteral("option %1 needs a value").arg(a);
                return std::nullopt;
            }
            value = args.at(++i);
        } else if (a.startsWith(QLatin1String("--size="))) {
            value = a.mid(7);
        } else if (a.startsWith(QLatin1String("-s"))) {
            value = a.mid(2);
        } else {
            *problem = QStringLiteral("unknown option %1").arg(a);
            return std::nullopt;
        }
        bool ok = false;
        r.size = value.toInt(&ok);
        if (!ok || r.size < kMinThumbnailSize || r.size > kMaxThumbnailSize) {
            *problem = QStringLiteral("size must be %1 to %2 pixels: %3")
                           .arg(kMinThumbnailSize)
                           .arg(kMaxThumbnailSize)
                           .arg(value);
            return std::nullopt;
        }
    }
    if (positional.size() != 2) {
        *problem = QStringLiteral("an input file and an output file expected");
        return std::nullopt;
    }
    r.input = positional.at(0);
    r.output = positional.at(1);
    return r;
}

void endQuietlyOnShrunkFile(const char* message)
{
    g_shrunkFileMessage = message;
    g_shrunkFileMessageLength = std::strlen(message);
    struct sigaction action = {};
    action.sa_handler = onMappedFileShrank;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, nullptr);
}

} // namespace quorbell::cli
