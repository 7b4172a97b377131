#include "editor/AlbumEditorWindow.h"

#include "album/PhotoFile.h"
#include "core/PromptOwner.h"
#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "editor/PhotoListThumbnail.h"
#include "editor/PhotoListView.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QValidator>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace quorbell::editor {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumEditorWindow)
};
} // namespace
namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("AlbumEditorWindow", "アルバム編集");

// Accepts only what an album password can hold.
class NewPasswordValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return album::isStorableNewPassword(input) ? Acceptable : Invalid;
    }
};

// Why an image file could not be added, in the user's words.
QString addFailureText(const album::PhotoFileResult& r)
{
    if (r.opened == OpenResult::Missing)
        return Tr::tr("ファイルが見つかりません。");
    if (r.opened != OpenResult::Opened || r.shortRead)
        return Tr::tr("ファイルを読み込めません。");
    switch (r.error) {
    case album::AlbumWriteError::NameNotStorable:
        return Tr::tr("ファイル名に保存できない文字が含まれています。");
    case album::AlbumWriteError::PixelSizeTooLarge:
        return Tr::tr("画像が大きすぎます（幅・高さは 65535 ピクセルまで）。");
    default:
        return Tr::tr("JPEG・BMP・GIF の画像ファイルではありません。");
    }
}

QString saveFailureText(const QString& path, const album::AlbumSaveResult& r)
{
    QString why;
    switch (r.problem.error) {
    case album::AlbumWriteError::None:
        why = r.targetIsFolder ? Tr::tr("同じ名前のフォルダがあります。") : r.writeFailure;
        break;
    case album::AlbumWriteError::TooManyPhotos:
        why = Tr::tr("1つのアルバムに入る写真は 32767 枚までです。");
        break;
    case album::AlbumWriteError::TooLarge:
        why = Tr::tr("アルバムが 2 GB を超えます。");
        break;
    default:
        why = Tr::tr("%1 番目の写真を保存できません。").arg(r.problem.photoIndex + 1);
        break;
    }
    return withFilePath(Tr::tr("アルバムファイルを保存できません。"), path) +
           QStringLiteral("\r\n") + why;
}

} // namespace

AlbumEditorWindow::AlbumEditorWindow(const QString& path, album::AlbumContents contents,
                                     const QString& currentPassword, QWidget* parent)
    : QDialog(parent), m_model(std::move(contents)), m_path(path)
{
    setObjectName(QStringLiteral("frmAlbumEdit"));
    m_pictureWorkers.setMaxThreadCount(2);
    buildWidgets(currentPassword);
    connect(&m_saving, &QFutureWatcher<album::AlbumSaveResult>::finished, this,
            &AlbumEditorWindow::saveFinished);
    refreshList(m_model.photoCount() > 0 ? 0 : -1);
    updateTitle();
}

AlbumEditorWindow::~AlbumEditorWindow()
{
    // The workers post to this window: none may still run once it is gone.
    m_pictureWorkers.clear();
    m_pictureWorkers.waitForDone();
    m_saving.waitForFinished();
    releasePrompts(this);
}

void AlbumEditorWindow::buildWidgets(const QString& currentPassword)
{
    resize(560, 480);
    auto* layout = new QVBoxLayout(this);
    auto* middle = new QHBoxLayout;
    m_list = new PhotoListView(this);
    m_list->setIconSize(QSize(kPictureSide, kPictureSide));
    middle->addWidget(m_list, 1);

    auto* side = new QVBoxLayout;
    auto button = [this, side](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        side->addWidget(b);
        return b;
    };
    m_add = button("btnAdd", Tr::tr("写真の追加(&A)..."));
    m_remove = button("btnRemove", Tr::tr("削除(&D)"));
    m_up = button("btnUp", Tr::tr("上へ(&U)"));
    m_down = button("btnDown", Tr::tr("下へ(&N)"));
    m_rename = button("btnRename", Tr::tr("名前の変更(&R)"));
    m_hide = button("btnHide", Tr::tr("非表示の切替(&H)"));
    side->addStretch(1);
    middle->addLayout(side);
    layout->addLayout(middle, 1);

    auto* passwordRow = new QHBoxLayout;
    auto* passwordLabel = new QLabel(Tr::tr("パスワード(&P):"), this);
    m_password = new QLineEdit(currentPassword, this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setMaxLength(8);
    m_password->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    m_password->setValidator(new NewPasswordValidator(m_password));
    m_password->setToolTip(Tr::tr("空欄でパスワードなし。8文字まで。半角の英数字・記号・"
                                  "半角カナだけが使えます。"));
    passwordLabel->setBuddy(m_password);
    passwordRow->addWidget(passwordLabel);
    passwordRow->addWidget(m_password, 1);
    layout->addLayout(passwordRow);

    auto* bottom = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgSave"));
    m_progress->setRange(0, 1000);
    m_progress->hide();
    bottom->addWidget(m_progress, 1);
    bottom->addStretch(0);
    m_save = new QPushButton(Tr::tr("保存(&S)"), this);
    m_save->setObjectName(QStringLiteral("btnSave"));
    m_save->setAutoDefault(false);
    auto* close = new QPushButton(Tr::tr("閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setAutoDefault(false);
    bottom->addWidget(m_save);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(m_add, &QPushButton::clicked, this, &AlbumEditorWindow::chooseAndAddPhotos);
    connect(m_remove, &QPushButton::clicked, this, &AlbumEditorWindow::removeSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(m_rename, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = m_list->currentItem())
            m_list->editItem(item, PhotoListView::NameColumn);
    });
    connect(m_hide, &QPushButton::clicked, this, &AlbumEditorWindow::toggleHidden);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_password, &QLineEdit::textEdited, this, &AlbumEditorWindow::passwordEdited);
    connect(m_list, &QTreeWidget::itemChanged, this, &AlbumEditorWindow::itemEdited);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &AlbumEditorWindow::updateButtons);
    connect(m_list, &PhotoListView::moveRequested, this, [this](int from, int to) {
        if (m_model.movePhoto(from, to))
            refreshList(to);
    });
    connect(m_list, &PhotoListView::filesDropped, this, &AlbumEditorWindow::addPhotoFiles);

    auto* moveUp = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), this);
    connect(moveUp, &QShortcut::activated, this, [this] { moveSelected(-1); });
    auto* moveDown = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), this);
    connect(moveDown, &QShortcut::activated, this, [this] { moveSelected(1); });
    auto* remove = new QShortcut(QKeySequence::Delete, m_list);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &AlbumEditorWindow::removeSelected);
}

int AlbumEditorWindow::selectedRow() const
{
    QTreeWidgetItem* item = m_list->currentItem();
    return item ? m_list->indexOfTopLevelItem(item) : -1;
}

void AlbumEditorWindow::fillRow(QTreeWidgetItem* item, int row)
{
    const quint64 key = m_model.photoKey(row);
    const QSize size = m_model.pixelSize(row);
    item->setText(PhotoListView::NameColumn, m_model.displayName(row));
    item->setText(PhotoListView::SizeColumn,
                  Tr::tr("%1 × %2").arg(size.width()).arg(size.height()));
    item->setTextAlignment(PhotoListView::SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(PhotoListView::HiddenColumn,
                  m_model.photo(row).isHidden() ? QStringLiteral("*") : QString());
    item->setTextAlignment(PhotoListView::HiddenColumn, Qt::AlignCenter);
    item->setData(PhotoListView::NameColumn, Qt::UserRole, QVariant::fromValue(key));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                   Qt::ItemIsDragEnabled);
    if (const auto picture = m_pictures.constFind(key); picture != m_pictures.constEnd())
        item->setIcon(PhotoListView::NameColumn, *picture);
    else
        requestPicture(key, m_model.photo(row).imageBytes);
}

void AlbumEditorWindow::refreshList(int selectRow)
{
    m_filling = true;
    const int n = m_model.photoCount();
    while (m_list->topLevelItemCount() > n)
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
    while (m_list->topLevelItemCount() < n)
        m_list->addTopLevelItem(new QTreeWidgetItem);
    for (int row = 0; row < n; ++row)
        fillRow(m_list->topLevelItem(row), row);
    if (selectRow >= n)
        selectRow = n - 1;
    m_list->setCurrentItem(selectRow >= 0 ? m_list->topLevelItem(selectRow) : nullptr);
    m_filling = false;
    m_list->resizeColumnToContents(PhotoListView::SizeColumn);
    updateButtons();
    updateTitle();
}

void AlbumEditorWindow::requestPicture(quint64 key, const QByteArray& bytes)
{
    if (m_pending.contains(key))
        return;
    m_pending.insert(key);
    m_pictureWorkers.start([this, key, bytes] {
        const QImage picture = photoListThumbnail(bytes, kPictureSide);
        // Applied on the UI thread; the window waits for its workers before
        // it goes, so `this` is alive while the call is posted.
        QMetaObject::invokeMethod(
            this, [this, key, picture] { pictureReady(key, picture); }, Qt::QueuedConnection);
    });
}

void AlbumEditorWindow::pictureReady(quint64 key, const QImage& picture)
{
    m_pending.remove(key);
    QPixmap square(kPictureSide, kPictureSide);
    square.fill(Qt::transparent);
    if (!picture.isNull()) {
        QPainter painter(&square);
        painter.drawImage((kPictureSide - picture.width()) / 2,
                          (kPictureSide - picture.height()) / 2, picture);
    }
    const QIcon icon(square);
    m_pictures.insert(key, icon);
    const int row = m_model.indexOfKey(key);
    if (row < 0)
        return; // removed meanwhile
    m_filling = true;
    m_list->topLevelItem(row)->setIcon(PhotoListView::NameColumn, icon);
    m_filling = false;
}

void AlbumEditorWindow::updateButtons()
{
    const bool idle = !m_saving.isRunning();
    const int row = selectedRow();
    m_list->setEnabled(idle);
    m_password->setEnabled(idle);
    m_add->setEnabled(idle);
    m_remove->setEnabled(idle && row >= 0);
    m_up->setEnabled(idle && row > 0);
    m_down->setEnabled(idle && row >= 0 && row + 1 < m_model.photoCount());
    m_rename->setEnabled(idle && row >= 0);
    m_hide->setEnabled(idle && row >= 0);
    m_save->setEnabled(idle && m_model.photoCount() > 0);
}

void AlbumEditorWindow::updateTitle()
{
    const QString name =
        m_path.isEmpty() ? Tr::tr("（新しいアルバム）") : QFileInfo(m_path).fileName();
    setWindowTitle(Tr::tr(kTitle) + QStringLiteral(" - ") + name +
                   (m_model.isModified() ? QStringLiteral(" *") : QString()));
}

void AlbumEditorWindow::chooseAndAddPhotos()
{
    FileRequest request;
    request.title = Tr::tr("写真の追加");
    request.folder = m_path.isEmpty() ? QString() : QFileInfo(m_path).absolutePath();
    request.filter = Tr::tr("画像ファイル (*.jpg *.jpeg *.jpe *.bmp *.gif *.JPG *.JPEG "
                            "*.JPE *.BMP *.GIF);;すべてのファイル (*)");
    const QStringList files = prompts().openFiles(request);
    if (!files.isEmpty())
        addPhotoFiles(files);
}

void AlbumEditorWindow::addPhotoFiles(const QStringList& paths)
{
    QStringList refused;
    bool full = false;
    for (const QString& path : paths) {
        album::PhotoFileResult read = album::readPhotoFile(path);
        if (!read.entry) {
            refused << path + QStringLiteral("\r\n  ") + addFailureText(read);
        } else if (!m_model.addPhoto(std::move(*read.entry))) {
            full = true;
            break;
        }
    }
    refreshList(m_model.photoCount() - 1);
    if (full)
        prompts().warn(Tr::tr("写真が多すぎます。1つのアルバムに入るのは 32767 枚までです。"),
                       Tr::tr("写真の追加"));
    if (!refused.isEmpty())
        prompts().warn(Tr::tr("次のファイルは追加できません。\r\n%1")
                           .arg(refused.join(QStringLiteral("\r\n"))),
                       Tr::tr("写真の追加"));
}

void AlbumEditorWindow::removeSelected()
{
    const int row = selectedRow();
    if (m_saving.isRunning() || !m_model.removePhoto(row))
        return;
    refreshList(row);
}

void AlbumEditorWindow::moveSelected(int delta)
{
    const int row = selectedRow();
    if (m_saving.isRunning() || !m_model.movePhoto(row, row + delta))
        return;
    refreshList(row + delta);
}

void AlbumEditorWindow::toggleHidden()
{
    const int row = selectedRow();
    if (m_saving.isRunning() || row < 0)
        return;
    if (!m_model.setPhotoHidden(row, !m_model.photo(row).isHidden()))
        prompts().warn(Tr::tr("名前が長すぎるため非表示にできません。"), Tr::tr(kTitle));
    refreshList(row);
}

void AlbumEditorWindow::itemEdited(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != PhotoListView::NameColumn)
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    if (row < 0)
        return;
    const QString typed = item->text(PhotoListView::NameColumn);
    QString problem;
    switch (m_model.renamePhoto(row, typed)) {
    case album::RenameProblem::None:
        break;
    case album::RenameProblem::Empty:
        problem = Tr::tr("名前を入力して下さい。");
        break;
    case album::RenameProblem::HiddenMark:
        problem = Tr::tr("名前の先頭に * は使えません。"
                         "非表示にするには「非表示の切替」を使って下さい。");
        break;
    case album::RenameProblem::NotStorable:
        problem = Tr::tr("この名前は保存できません（使えない文字が含まれているか、"
                         "長すぎます）。\r\n%1")
                      .arg(typed);
        break;
    }
    // Deferred: the list is still inside its editor's commit.
    QMetaObject::invokeMethod(
        this,
        [this, row, problem] {
            refreshList(row);
            if (!problem.isEmpty())
                prompts().warn(problem, Tr::tr("名前の変更"));
        },
        Qt::QueuedConnection);
}

void AlbumEditorWindow::passwordEdited(const QString& text)
{
    // The validator lets through only what the model takes.
    m_model.setPassword(text);
    updateTitle();
}

bool AlbumEditorWindow::save()
{
    if (m_saving.isRunning())
        return false;
    if (m_model.photoCount() == 0) {
        prompts().warn(Tr::tr("写真がありません。写真を追加して下さい。"), Tr::tr(kTitle));
        return false;
    }
    QString path = m_path;
    if (path.isEmpty()) {
        FileRequest request;
        request.title = Tr::tr("アルバムの保存");
        request.folder = m_newAlbumFolder;
        request.filter = Tr::tr("アルバムファイル (*.sld);;すべてのファイル (*)");
        request.defaultSuffix = QStringLiteral("sld");
        path = prompts().saveFile(request);
        if (path.isEmpty())
            return false;
    }
    m_savingPath = path;
    m_savingContents = m_model.contents();
    m_progress->setValue(0);
    m_progress->show();
    QPointer<QProgressBar> bar = m_progress;
    const album::SaveProgress progress = [bar](qint64 written, qint64 total) {
        const int permille = total > 0 ? int(written * 1000 / total) : 1000;
        QMetaObject::invokeMethod(
            bar, [bar, permille] { bar->setValue(permille); }, Qt::QueuedConnection);
    };
    m_saving.setFuture(QtConcurrent::run([path, contents = m_savingContents, progress] {
        return album::saveAlbumFile(path, contents, progress);
    }));
    updateButtons();
    return true;
}

void AlbumEditorWindow::saveFinished()
{
    const album::AlbumSaveResult result = m_saving.result();
    m_progress->hide();
    updateButtons();
    if (!result.ok()) {
        prompts().warn(saveFailureText(m_savingPath, result), Tr::tr(kTitle));
        return;
    }
    m_path = m_savingPath;
    // Edits made while saving are impossible (the list is disabled), so the
    // model holds exactly what was written.
    m_model.markSaved();
    updateTitle();
    emit saved(m_path, m_savingContents);
}

bool AlbumEditorWindow::mayClose()
{
    if (m_saving.isRunning())
        return false;
    if (!m_model.isModified())
        return true;
    return prompts().askYesNo(Tr::tr("変更が保存されていません。保存せずに閉じますか？"),
                              Tr::tr(kTitle));
}

void AlbumEditorWindow::reject()
{
    // Escape, the close button and the window's own close box all come here.
    if (!mayClose())
        return;
    releasePrompts(this);
    QDialog::reject();
}

void AlbumEditorWindow::showEvent(QShowEvent* event)
{
    // The editor's own questions (file dialogs, warnings) belong to it.
    claimPrompts(this);
    QDialog::showEvent(event);
}

} // namespace quorbell::editor
