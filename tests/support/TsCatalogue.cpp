#include "TsCatalogue.h"

#include <QFile>
#include <QXmlStreamReader>

namespace quorbell::test {

namespace {

// The text of <source> or <translation>: lupdate writes a carriage return as
// a <byte value="xd"/> element inside it.
QString readText(QXmlStreamReader& xml)
{
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement() && xml.name() == QLatin1String("byte"))
            text +=
                QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
        else if (xml.isEndElement() && xml.name() != QLatin1String("byte"))
            break;
    }
    return text;
}

} // namespace

QList<TsEntry> readTsCatalogue(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    QList<TsEntry> entries;
    QXmlStreamReader xml(&file);
    QString context;
    TsEntry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            entry = TsEntry{context, QString(), QString(), false};
        } else if (name == QLatin1String("source")) {
            entry.source = readText(xml);
        } else if (name == QLatin1String("translation")) {
            entry.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            entry.translation = readText(xml);
            entries.append(entry);
        }
    }
    if (xml.hasError()) {
        if (error)
            *error = xml.errorString();
        return {};
    }
    return entries;
}

QString translatedIn(const QList<TsEntry>& catalogue, const QString& source)
{
    for (const TsEntry& e : catalogue) {
        if (e.source == source)
            return e.translation;
    }
    return QString();
}

} // namespace quorbell::test
