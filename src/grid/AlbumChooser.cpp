#include "grid/AlbumChooser.h"

#include "core/frmMain.h"
#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "core/TextRules.h"

#include <QCoreApplication>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <algorithm>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumChooser)
};
} // namespace
namespace {

bool isUserVolume(const QStorageInfo& v)
{
    if (!v.isValid() || !v.isReady())
        return false;
    const QByteArray type = v.fileSystemType();
    static const QList<QByteArray> pseudo = {
        "proc",      "sysfs",       "tmpfs",    "devtmpfs", "devpts",     "cgroup",
        "cgroup2",   "overlay",     "squashfs", "mqueue",   "securityfs", "debugfs",
        "tracefs",   "pstore",      "bpf",      "autofs",   "configfs",   "fusectl",
        "hugetlbfs", "binfmt_misc", "efivarfs", "ramfs",    "nsfs"};
    if (pseudo.contains(type))
        return false;
    const QString root = v.rootPath();
    return root != QLatin1String("/") && !root.startsWith(QLatin1String("/proc")) &&
           !root.startsWith(QLatin1String("/sys")) && !root.startsWith(QLatin1String("/dev")) &&
           !root.startsWith(QLatin1String("/run/user")) && !root.startsWith(QLatin1String("/boot"));
}

} // namespace

QList<Place> choosablePlaces()
{
    QList<Place> places = {{QStringLiteral("/"), QStringLiteral("/")},
                           {Tr::tr("ホーム (%1)").arg(QDir::homePath()), QDir::homePath()}};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& v : volumes) {
        if (!isUserVolume(v))
            continue;
        const QString name = v.displayName().isEmpty() ? v.rootPath() : v.displayName();
        places.append({QStringLiteral("%1 (%2)").arg(name, v.rootPath()), v.rootPath()});
    }
    return places;
}

QStringList listedFiles(const QString& folder, const QString& pattern)
{
    QDir dir(folder);
    // "*.*" lists every file, with or without a dot in its name.
    const QString filter = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    // Without QDir::Hidden, names beginning with "." stay out: they are no
    // albums a user picks, and they would sort first.
    QStringList names = dir.entryList({filter}, QDir::Files | QDir::System);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

AlbumChooser::AlbumChooser(const ChooserRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request), m_pattern(QStringLiteral("*.sld"))
{
    const bool insert = request.kind == ChooserKind::Insert;
    setObjectName(insert ? QStringLiteral("frmInsert") : QStringLiteral("frmSelect"));
    setWindowTitle(insert ? Tr::tr("サムネイル追加") : Tr::tr("ファイルの選択"));
    resize(560, 420);

    auto* grid = new QGridLayout;
    auto* fileNameLabel = new QLabel(Tr::tr("ﾌｧｲﾙ名(&N):"), this);
    m_fileName = new QLineEdit(QStringLiteral(" "), this);
    m_fileName->setObjectName(QStringLiteral("txtFileDisp"));
    fileNameLabel->setBuddy(m_fileName);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("filDisp"));
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* typeLabel = new QLabel(Tr::tr("ﾌｧｲﾙの種類(&T):"), this);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("cmbType"));
    m_type->addItems({QStringLiteral("*.sld"), QStringLiteral("*.*")});
    typeLabel->setBuddy(m_type);

    auto* folderLabel = new QLabel(Tr::tr("ﾌｫﾙﾀﾞ(&F):"), this);
    m_path = new QLabel(this);
    m_path->setWordWrap(true);
    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("dirDisp"));
    folderLabel->setBuddy(m_folders);
    auto* driveLabel = new QLabel(Tr::tr("ﾄﾞﾗｲﾌﾞ(&V):"), this);
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("drvDisp"));
    driveLabel->setBuddy(m_drives);
    for (const Place& p : choosablePlaces())
        m_drives->addItem(p.label, p.path);

    grid->addWidget(fileNameLabel, 0, 0);
    grid->addWidget(m_fileName, 1, 0);
    grid->addWidget(m_files, 2, 0);
    grid->addWidget(typeLabel, 3, 0);
    grid->addWidget(m_type, 4, 0);
    grid->addWidget(folderLabel, 0, 1);
    grid->addWidget(m_path, 1, 1);
    grid->addWidget(m_folders, 2, 1);
    grid->addWidget(driveLabel, 3, 1);
    grid->addWidget(m_drives, 4, 1);

    auto* buttons = new QVBoxLayout;
    auto* fileOk = new QPushButton(Tr::tr("ﾌｧｲﾙOK"), this);
    fileOk->setObjectName(QStringLiteral("btnFileOK"));
    fileOk->setDefault(true);
    auto* folderOk = new QPushButton(Tr::tr("ﾌｫﾙﾀﾞOK"), this);
    folderOk->setObjectName(QStringLiteral("btnFolderOK"));
    auto* cancel = new QPushButton(Tr::tr("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(fileOk);
    buttons->addWidget(folderOk);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* top = new QHBoxLayout(this);
    top->addLayout(grid, 1);
    top->addLayout(buttons);

    connect(fileOk, &QPushButton::clicked, this, &AlbumChooser::fileOK);
    connect(folderOk, &QPushButton::clicked, this, &AlbumChooser::folderOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_files, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_fileName->setText(item->text());
        m_nameTyped = false;
    });
    connect(m_fileName, &QLineEdit::textEdited, this, [this] { m_nameTyped = true; });
    connect(m_files, &QListWidget::itemDoubleClicked, this, [this] { fileOK(); });
    connect(m_folders, &QListWidget::itemActivated, this, &AlbumChooser::folderActivated);
    // Enter in the folder list opens the folder and nothing more: the list
    // would pass the key on to the dialog, whose default button takes files.
    m_folders->installEventFilter(this);
    connect(m_type, &QComboBox::activated, this,
            [this](int i) { setPattern(m_type->itemText(i)); });
    connect(m_drives, &QComboBox::activated, this, &AlbumChooser::placeChanged);

    const QString start = request.startFolder.isEmpty() || !QDir(request.startFolder).exists()
                              ? QDir::homePath()
                              : request.startFolder;
    setCurrentFolder(start);
}

void AlbumChooser::setCurrentFolder(const QString& folder)
{
    m_folder = QDir(folder).absolutePath();
    m_path->setText(m_folder);
    // The place that holds the folder: the longest place path that is a prefix of it.
    int best = 0;
    for (int i = 0; i < m_drives->count(); ++i) {
        const QString p = m_drives->itemData(i).toString();
        if ((m_folder == p || m_folder.startsWith(withTrailingSlash(p))) &&
            p.size() >= m_drives->itemData(best).toString().size())
            best = i;
    }
    m_drives->setCurrentIndex(best);

    m_folders->clear();
    QDir dir(m_folder);
    if (!dir.isRoot())
        m_folders->addItem(QStringLiteral(".."));
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    m_folders->addItems(subfolders);
    refreshFiles();
}

void AlbumChooser::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    m_type->setCurrentText(pattern);
    refreshFiles();
}

void AlbumChooser::refreshFiles()
{
    m_files->clear();
    m_files->addItems(listedFiles(m_folder, m_pattern));
}

void AlbumChooser::selectFiles(const QStringList& names)
{
    for (int i = 0; i < m_files->count(); ++i)
        m_files->item(i)->setSelected(names.contains(m_files->item(i)->text()));
}

AlbumChoice AlbumChooser::selectedChoice() const
{
    AlbumChoice c{withTrailingSlash(m_folder), {}, false};
    for (int i = 0; i < m_files->count(); ++i) { // list order, not the order of clicking
        if (m_files->item(i)->isSelected())
            c.names << m_files->item(i)->text();
    }
    return c;
}

AlbumChoice AlbumChooser::folderChoice() const
{
    AlbumChoice c{withTrailingSlash(m_folder), {}, true};
    for (int i = 0; i < m_files->count(); ++i)
        c.names << m_files->item(i)->text();
    return c;
}

void AlbumChooser::fileOK()
{
    if (const QString typed = typedName(); !typed.isEmpty()) {
        takeTypedName(typed);
        return;
    }
    if (m_request.accept && m_request.accept(selectedChoice()))
        accept();
}

QString AlbumChooser::typedName() const
{
    return m_nameTyped ? m_fileName->text().trimmed() : QString();
}

void AlbumChooser::takeTypedName(const QString& typed)
{
    QString path = typed;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    const QFileInfo info(QDir(m_folder).absoluteFilePath(path));
    if (info.isDir()) {
        setCurrentFolder(info.absoluteFilePath());
        m_fileName->setText(QStringLiteral(" "));
        m_nameTyped = false;
        return;
    }
    if (!info.isFile()) {
        const bool insert = m_request.kind == ChooserKind::Insert;
        prompts().warn(withFilePath(Tr::tr("ファイルが見つかりません。"), info.absoluteFilePath()),
                       insert ? Tr::tr("サムネイル挿入") : Tr::tr("新規作成"));
        return;
    }
    // The typed file alone is the choice, from whatever folder it names.
    const AlbumChoice choice{withTrailingSlash(info.absolutePath()), {info.fileName()}, false};
    if (m_request.accept && m_request.accept(choice))
        accept();
}

bool AlbumChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_folders && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QListWidgetItem* item = m_folders->currentItem())
                folderActivated(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AlbumChooser::folderOK()
{
    if (m_request.accept && m_request.accept(folderChoice()))
        accept();
}

void AlbumChooser::placeChanged(int index)
{
    const QString path = m_drives->itemData(index).toString();
    QDir dir(path);
    if (!dir.exists() || !dir.isReadable()) {
        const bool insert = m_request.kind == ChooserKind::Insert;
        prompts().warn(Tr::tr("ドライブの準備ができていません。"),
                       insert ? Tr::tr("サムネイル挿入") : Tr::tr("新規作成"));
        // Back to the place of the program's data folder.
        setCurrentFolder(m_request.programFolder.isEmpty() ? QDir::homePath()
                                                           : m_request.programFolder);
        return;
    }
    setCurrentFolder(path);
}

void AlbumChooser::folderActivated(QListWidgetItem* item)
{
    setCurrentFolder(QDir(m_folder).absoluteFilePath(item->text()));
}

} // namespace quorbell
