// The program's help window: the HTML help pages of the data folder in a
// browser with back, forward and contents buttons. One window serves every
// request; it opens at the contents page.
#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace quorbell {

class frmHelp : public QWidget
{
    Q_OBJECT
public:
    explicit frmHelp(QWidget* parent = nullptr);

    // The folder of the help pages: <data folder>/help/, ending in "/".
    static QString helpFolder();
    // The contents page every help request starts at.
    static QString defaultTopic() { return QStringLiteral("index.html"); }

    // Shows a page of the help folder ("index.html", "grid.html").
    void showTopic(const QString& page);
    // The page shown now, as a file name; empty when none could be shown.
    QString currentTopic() const;

    QTextBrowser* browser() const { return m_browser; }

private:
    void updateTitle();

    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QString m_missing; // the page that could not be found, while its notice shows
};

} // namespace quorbell
