// Reads a translation source file (.ts): the entries as lupdate and the
// translators leave them, for the tests that hold the catalogue to the code.
#pragma once

#include <QList>
#include <QString>

namespace quorbell::test {

struct TsEntry
{
    QString context;
    QString source;
    QString translation;
    bool finished = false; // no type="unfinished" (nor obsolete/vanished) mark
};

// The entries in file order; empty when the file cannot be read or parsed.
QList<TsEntry> readTsCatalogue(const QString& path, QString* error = nullptr);

// The translation of a source text in any context; null when the catalogue
// has none.
QString translatedIn(const QList<TsEntry>& catalogue, const QString& source);

} // namespace quorbell::test
