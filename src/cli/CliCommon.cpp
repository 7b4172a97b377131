#include "cli/CliCommon.h"

#include "core/FileIO.h"

#include <cerrno>
#include <cstdio>

namespace quorbell::cli {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

int fail(int status, const QString& message)
{
    out().flush();
    err() << "quorbell-cli: " << printable(message) << Qt::endl;
    return status;
}

int finishOutput(int status)
{
    QTextStream& o = out();
    o.flush();
    bool lost = o.status() != QTextStream::Ok;
    // The stream writes through the C library's buffer, which may still hold
    // the end of the text; its error flag remembers a failure seen earlier.
    int errorCode = 0;
    if (std::fflush(stdout) != 0) {
        lost = true;
        errorCode = errno;
    }
    lost = lost || std::ferror(stdout);
    if (!lost)
        return status;
    const QString reason = errorCode ? qt_error_string(errorCode) : writeFailureReason(*o.device());
    err() << "quorbell-cli: cannot write to standard output: " << reason << Qt::endl;
    return status == kDone ? kFileError : status;
}

QString printable(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

ParsedArgs parseArgs(const QStringList& args, const QStringList& flags, const QStringList& valued)
{
    ParsedArgs p;
    bool onlyPositional = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (onlyPositional || !a.startsWith(QLatin1String("--")) || a == QLatin1String("-")) {
            p.positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            onlyPositional = true;
            continue;
        }
        QString name = a, value;
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq > 0) {
            name = a.left(eq);
            value = a.mid(eq + 1);
        }
        if (flags.contains(name) && eq < 0) {
            p.options.append({name, QString()});
        } else if (valued.contains(name)) {
            if (eq < 0) {
                if (i + 1 >= args.size()) {
                    p.problem = QStringLiteral("option %1 needs a value").arg(name);
                    return p;
                }
                value = args.at(++i);
            }
            p.options.append({name, value});
        } else {
            p.problem = QStringLiteral("unknown option %1").arg(a);
            return p;
        }
    }
    return p;
}

std::optional<QString> lastOption(const ParsedArgs& p, const QString& name)
{
    std::optional<QString> v;
    for (const auto& [n, value] : p.options) {
        if (n == name)
            v = value;
    }
    return v;
}

int usage(const Command& c, const QString& problem)
{
    return fail(kUsage, QStringLiteral("%1 (usage: quorbell-cli %2 %3)")
                            .arg(problem, QLatin1String(c.name), QLatin1String(c.usage)));
}

QString jsonString(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            // DEL and C1 need no escape in JSON, but a terminal may act on them.
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

} // namespace quorbell::cli
