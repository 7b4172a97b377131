// The start-up window: the start-up picture stored in "Image.bmp" after the
// default cover, the version, and after 1000 ms the main window.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;

namespace quorbell {

// The start-up picture: the bytes from position 1334 (0-based) of the data
// file; a null image when the file or the picture is missing.
QImage readStartupPicture(const QString& imageBmpPath);

class StartupWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StartupWindow(const QImage& picture, QWidget* parent = nullptr);

    // Shows the window; after `ms` milliseconds closes it and calls `next`.
    void showFor(int ms, std::function<void()> next);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QLabel* m_versionCaption = nullptr;
    QLabel* m_version = nullptr;
};

} // namespace quorbell
