// The help window.
#include "dialogs/frmHelp.h"

#include "core/Paths.h"
#include "core/UiLanguage.h"
#include "core/Version.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorbell {

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    resize(720, 560);

    m_back = new QToolButton(this);
    m_back->setObjectName(QStringLiteral("btnBack"));
    m_back->setText(tr("戻る"));
    m_back->setEnabled(false);
    m_forward = new QToolButton(this);
    m_forward->setObjectName(QStringLiteral("btnForward"));
    m_forward->setText(tr("進む"));
    m_forward->setEnabled(false);
    auto* home = new QToolButton(this);
    home->setObjectName(QStringLiteral("btnHome"));
    home->setText(tr("目次"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({helpFolder()});

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { showTopic(defaultTopic()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });
    // Escape closes the window, as it closes the program's dialogs.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(home);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    updateTitle();
}

QString frmHelp::helpFolder()
{
    // The pages of the interface's language: the English ones in their own folder.
    return dataFolder() + helpFolderName(uiLanguage());
}

void frmHelp::showTopic(const QString& page)
{
    const QString path = helpFolder() + page;
    if (!QFileInfo::exists(path)) {
        // The window itself says what is missing; nothing else is reported.
        m_missing = page;
        m_browser->setHtml(
            tr("<h2>ヘルプが見つかりません</h2><p>次のヘルプページがありません。</p><p>%1</p>")
                .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        updateTitle();
        return;
    }
    m_missing.clear();
    m_browser->setSource(QUrl::fromLocalFile(path));
    updateTitle();
}

QString frmHelp::currentTopic() const
{
    if (!m_missing.isEmpty())
        return QString();
    const QUrl source = m_browser->source();
    // A link followed from a page may leave a relative address.
    return source.isEmpty() ? QString() : QFileInfo(source.path()).fileName();
}

void frmHelp::updateTitle()
{
    const QString program = tr("%1 ヘルプ").arg(QString::fromLatin1(kProgramName));
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? program : title + QStringLiteral(" - ") + program);
}

} // namespace quorbell
