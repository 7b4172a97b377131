#include "grid/FirstStartHint.h"

#include "core/CommandShortcuts.h"
#include "core/frmMain.h"
#include "core/frmMain.h"

#include <QCoreApplication>

#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <memory>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(FirstStartHint)
};
} // namespace
namespace {

QString keyText(Command command)
{
    const QList<QKeySequence> keys = shortcutsFor(command);
    return keys.isEmpty() ? QString() : keys.first().toString(QKeySequence::NativeText);
}

void drawHint(frmMain& w)
{
    GridSurface* surface = w.surface();
    surface->clearCanvas();
    QPainter p(&surface->canvas());
    p.setFont(surface->font());
    QColor ink = surface->palette().color(QPalette::WindowText);
    ink.setAlpha(160); // quieter than the grid's own texts
    p.setPen(ink);
    const QRect area(0, Layout::ToolbarHeight, w.clientWidth() - Layout::ScrollWidth,
                     w.clientHeight() - Layout::ToolbarHeight - Layout::StatusBarHeight);
    const QStringList lines = firstStartHintLines();
    const int lineHeight = p.fontMetrics().lineSpacing() * 3 / 2;
    int y = area.center().y() - lineHeight * int(lines.size()) / 2;
    for (const QString& line : lines) {
        p.drawText(QRect(area.left(), y, area.width(), lineHeight), Qt::AlignCenter, line);
        y += lineHeight;
    }
    p.end();
    surface->commit();
}

} // namespace

QStringList firstStartHintLines()
{
    return {
        Tr::tr("新規作成 (%1): アルバムファイルかフォルダを選んで一覧を作ります")
            .arg(keyText(Command::ContnrNew)),
        Tr::tr("開く (%1): 保存したスライドファイル (*.cov) を開きます")
            .arg(keyText(Command::ContnrOpen)),
        Tr::tr("アルバムファイルやスライドファイルをここにドロップしても開けます"),
    };
}

void installFirstStartHint(frmMain& w)
{
    // Shown while nothing has been chosen: an empty window that never loaded.
    auto shown = std::make_shared<bool>(true);
    frmMain* win = &w;
    const auto redraw = [win, shown] {
        const AlbumDocument& doc = win->document();
        if (*shown && win->mode() == Mode::Empty && doc.isEmpty())
            drawHint(*win);
        else
            *shown = false;
    };
    QObject::connect(&w, &frmMain::clientResized, &w, redraw);
    QObject::connect(w.intTimer(), &QTimer::timeout, &w, [shown] { *shown = false; });
    redraw();
}

} // namespace quorbell
