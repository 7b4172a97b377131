#include "core/RecentlyUsedXbel.h"

#include "core/FileIO.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

namespace quorbell {
namespace {

const QString kBookmarkNs =
    QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");

QString stamp(const QDateTime& when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

// What an earlier bookmark of the same file held that is worth keeping.
struct EarlierBookmark
{
    QString added;
    int count = 0; // this program's uses so far
    QList<QXmlStreamAttributes> otherApplications;
};

// Reads the rest of a bookmark element (the reader is on its start).
void readEarlierBookmark(QXmlStreamReader& reader, const QString& application,
                         EarlierBookmark& earlier)
{
    earlier.added = reader.attributes().value(QLatin1String("added")).toString();
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (reader.qualifiedName() == QLatin1String("bookmark:application")) {
                const QXmlStreamAttributes a = reader.attributes();
                if (a.value(QLatin1String("name")) == application)
                    earlier.count = qMax(0, a.value(QLatin1String("count")).toInt());
                else
                    earlier.otherApplications.append(a);
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

void writeBookmark(QXmlStreamWriter& out, const QString& href, const RecentlyUsedEntry& entry,
                   const EarlierBookmark& earlier)
{
    const QString now = stamp(entry.when);
    out.writeStartElement(QStringLiteral("bookmark"));
    out.writeAttribute(QStringLiteral("href"), href);
    out.writeAttribute(QStringLiteral("added"), earlier.added.isEmpty() ? now : earlier.added);
    out.writeAttribute(QStringLiteral("modified"), now);
    out.writeAttribute(QStringLiteral("visited"), now);
    out.writeStartElement(QStringLiteral("info"));
    out.writeStartElement(QStringLiteral("metadata"));
    out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    out.writeEmptyElement(QStringLiteral("mime:mime-type"));
    out.writeAttribute(QStringLiteral("type"), entry.mimeType);
    out.writeStartElement(QStringLiteral("bookmark:applications"));
    for (const QXmlStreamAttributes& other : earlier.otherApplications) {
        out.writeEmptyElement(QStringLiteral("bookmark:application"));
        out.writeAttributes(other);
    }
    out.writeEmptyElement(QStringLiteral("bookmark:application"));
    out.writeAttribute(QStringLiteral("name"), entry.application);
    out.writeAttribute(QStringLiteral("exec"), entry.exec);
    out.writeAttribute(QStringLiteral("modified"), now);
    out.writeAttribute(QStringLiteral("count"), QString::number(earlier.count + 1));
    out.writeEndElement(); // applications
    out.writeEndElement(); // metadata
    out.writeEndElement(); // info
    out.writeEndElement(); // bookmark
}

void writeRootStart(QXmlStreamWriter& out, QXmlStreamAttributes attributes)
{
    out.writeStartElement(QStringLiteral("xbel"));
    if (!attributes.hasAttribute(QLatin1String("version")))
        attributes.append(QStringLiteral("version"), QStringLiteral("1.0"));
    // The bookmark's prefixed elements need their namespaces bound.
    if (!attributes.hasAttribute(QLatin1String("xmlns:bookmark")))
        attributes.append(QStringLiteral("xmlns:bookmark"), kBookmarkNs);
    if (!attributes.hasAttribute(QLatin1String("xmlns:mime")))
        attributes.append(QStringLiteral("xmlns:mime"), kMimeNs);
    out.writeAttributes(attributes);
}

// The list with the entry's bookmark in place; nothing when `old` is not a
// list this program should rewrite.
std::optional<QByteArray> updatedList(const QByteArray& old, const RecentlyUsedEntry& entry)
{
    const QString href = QUrl::fromLocalFile(entry.filePath).toString(QUrl::FullyEncoded);
    QByteArray bytes;
    QXmlStreamWriter out(&bytes);
    if (old.isEmpty()) {
        out.setAutoFormatting(true); // a new list reads as the desktop's own do
        out.writeStartDocument();
        writeRootStart(out, {});
        writeBookmark(out, href, entry, {});
        out.writeEndElement();
        out.writeEndDocument();
        return bytes;
    }

    // Prefixes are kept as written: the reader does not resolve them, so
    // every element and attribute is copied under its own name.
    QXmlStreamReader in(old);
    in.setNamespaceProcessing(false);
    int depth = 0;
    bool sawRoot = false;
    EarlierBookmark earlier;
    while (!in.atEnd()) {
        const QXmlStreamReader::TokenType token = in.readNext();
        switch (token) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
        case QXmlStreamReader::Invalid:
            return std::nullopt; // declarations and entities are not ours to expand
        case QXmlStreamReader::StartElement:
            if (depth == 0) {
                if (sawRoot || in.qualifiedName() != QLatin1String("xbel"))
                    return std::nullopt;
                sawRoot = true;
                writeRootStart(out, in.attributes());
                ++depth;
                continue;
            }
            if (depth == 1 && in.qualifiedName() == QLatin1String("bookmark") &&
                in.attributes().value(QLatin1String("href")) == href) {
                readEarlierBookmark(in, entry.application, earlier);
                continue;
            }
            ++depth;
            // Written under its own prefixed name: the copy of the token
            // would drop the prefix the reader left unresolved.
            out.writeStartElement(in.qualifiedName().toString());
            for (const QXmlStreamAttribute& a : in.attributes())
                out.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            continue;
        case QXmlStreamReader::EndElement:
            --depth;
            if (depth == 0)
                writeBookmark(out, href, entry, earlier);
            break;
        default:
            break;
        }
        out.writeCurrentToken(in);
    }
    if (in.hasError() || !sawRoot)
        return std::nullopt;
    return bytes;
}

} // namespace

bool recordRecentlyUsed(const QString& xbelFile, const RecentlyUsedEntry& entry)
{
    QByteArray old;
    if (QFile::exists(xbelFile) || QFileInfo(xbelFile).isSymLink()) {
        QFile f;
        if (openRegularFile(f, xbelFile) != OpenResult::Opened)
            return false;
        if (f.size() > kMostRecentlyUsedBytes)
            return false;
        old = f.read(kMostRecentlyUsedBytes + 1);
        if (old.size() > kMostRecentlyUsedBytes)
            return false; // it grew while read
    }
    const std::optional<QByteArray> updated = updatedList(old, entry);
    if (!updated)
        return false;
    AtomicWriteOptions options;
    options.makeParentFolder = true;
    options.waitForDisk = false; // a list of hints, not a document
    return writeFileAtomically(xbelFile, *updated, nullptr, options);
}

} // namespace quorbell
