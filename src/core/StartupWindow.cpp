#include "core/StartupWindow.h"

#include "core/Paths.h"
#include "core/Version.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace quorbell {

QImage readStartupPicture(const QString& imageBmpPath)
{
    QFile f(imageBmpPath);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(kSplashOffset))
        return QImage();
    const QByteArray bytes = f.read(kSplashBytes);
    return QImage::fromData(bytes);
}

StartupWindow::StartupWindow(const QImage& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(picture)
{
    setObjectName(QStringLiteral("frmStartup"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(m_picture.isNull() ? QSize(480, 300) : m_picture.size());

    m_versionCaption = new QLabel(tr("Version"), this);
    m_version = new QLabel(QString::fromLatin1(kVersionText), this);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    for (QLabel* l : {m_versionCaption, m_version})
        l->setStyleSheet(QStringLiteral("color: white; background: transparent; font-size: 12pt;"));
    m_versionCaption->move(width() - 130, height() - 34);
    m_version->move(width() - 60, height() - 34);
}

void StartupWindow::showFor(int ms, std::function<void()> next)
{
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    show();
    QTimer::singleShot(ms, this, [this, next = std::move(next)] {
        // Closed first: a message raised at start must not appear under it.
        const std::function<void()> then = next;
        close();
        then();
    });
}

void StartupWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_picture.isNull())
        p.fillRect(rect(), QColor(40, 60, 90));
    else
        p.drawImage(rect(), m_picture); // stretched to the full client area
}

} // namespace quorbell
