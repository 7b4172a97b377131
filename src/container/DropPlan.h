// What files dropped on the main window do, decided by their content (their
// first bytes), not their names: one container opens; album files from one
// folder start a new grid, or are added to a container grid; anything else,
// or a mixture, is refused.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace quorbell {

enum class DropKind { Refused, OpenContainer, NewGrid, InsertAlbums };

struct DropPlan
{
    DropKind kind = DropKind::Refused;
    QString container; // OpenContainer: its absolute path
    QString folder;    // NewGrid, InsertAlbums: the albums' folder, ending in "/"
    QStringList names; // NewGrid, InsertAlbums: the albums' file names, in dropped order
};

struct DropTargetState
{
    bool documentOpen = false;    // anything chosen, loading or shown
    bool insertAvailable = false; // the Insert command is offered now
};

DropPlan planDrop(const QList<QUrl>& urls, const DropTargetState& state);

} // namespace quorbell
