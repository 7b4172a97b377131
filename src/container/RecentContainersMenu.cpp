#include "container/RecentContainersMenu.h"

#include "container/ContainerCommands.h"
#include "container/OpenByPath.h"
#include "core/RecentContainers.h"
#include "core/frmMain.h"

#include <QCoreApplication>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(RecentContainersMenu)
};
} // namespace
namespace {

void fillMenu(frmMain& w, QMenu* menu)
{
    menu->clear();
    const QStringList paths = readRecentContainers(recentContainersFile());
    for (const QString& path : paths) {
        const QFileInfo info(path);
        QString caption = info.fileName();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&")); // not a mnemonic
        QAction* item = menu->addAction(caption);
        item->setToolTip(QDir::toNativeSeparators(info.absolutePath()));
        frmMain* win = &w;
        QObject::connect(item, &QAction::triggered, win,
                         [win, path] { openRecentContainer(*win, path); });
    }
}

} // namespace

QMenu* addRecentContainersMenu(frmMain& w)
{
    // The file group ends with Save As; the separator after it begins the next.
    QAction* saveAs = w.action(Command::ContnrAdd);
    auto* contnr = qobject_cast<QMenu*>(saveAs->parent());
    if (!contnr)
        return nullptr;
    const QList<QAction*> items = contnr->actions();
    const qsizetype at = items.indexOf(saveAs);
    QAction* before = at + 1 < items.size() ? items.at(at + 1) : nullptr;

    auto* recent = new QMenu(Tr::tr("最近使ったファイル(&F)"), contnr);
    recent->setObjectName(QStringLiteral("mnuContnrRecent"));
    recent->setToolTipsVisible(true);
    contnr->insertMenu(before, recent);
    frmMain* win = &w;
    QObject::connect(contnr, &QMenu::aboutToShow, recent, [win, recent] {
        fillMenu(*win, recent);
        recent->menuAction()->setEnabled(!recent->isEmpty());
    });
    fillMenu(w, recent);
    recent->menuAction()->setEnabled(!recent->isEmpty());
    return recent;
}

void openRecentContainer(frmMain& w, const QString& path)
{
    if (!QFileInfo::exists(path)) {
        forgetRecentContainer(path);
        ReadContainer(w, path); // says that the file is not there, and changes nothing
        return;
    }
    openContainerAsOpenDoes(w, path);
}

} // namespace quorbell
