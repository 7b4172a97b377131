// The properties dialog and its apply step.
#include "dialogs/frmInfo.h"

#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/DocumentEdits.h"
#include "dialogs/AlbumInfo.h"
#include "dialogs/BatchRename.h"

#include <QCoreApplication>

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(frmInfo)
};
} // namespace
namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("frmInfo", "プロパティ");

PropertiesResult applyProperties(frmMain& w, const QString& baseName, const QString& comment,
                                 QList<FileRename>& renames);

} // namespace

PropertiesResult applyAlbumProperties(frmMain& w, const QString& baseName, const QString& comment)
{
    PropertiesResult result = PropertiesResult::NotApplied;
    // One step of the undo history, which renames the file back.
    recordRenamingEdit(w, Tr::tr(kTitle), [&] {
        QList<FileRename> renames;
        result = applyProperties(w, baseName, comment, renames);
        return renames;
    });
    return result;
}

namespace {

PropertiesResult applyProperties(frmMain& w, const QString& baseName, const QString& comment,
                                 QList<FileRename>& renames)
{
    AlbumDocument& doc = w.document();
    if (w.mode() != Mode::Selected || doc.selectedIndex() < 0 ||
        doc.selectedIndex() >= doc.albumCount())
        return PropertiesResult::NotApplied;
    const int selected = doc.selectedIndex();
    const QString newName = baseName + QStringLiteral(".sld");

    // Another letter case of the same name counts as no change.
    if (newName.compare(doc.entry(selected).fileName, Qt::CaseInsensitive) != 0) {
        if (containsForbiddenFileChar(baseName)) {
            prompts().warn(forbiddenNameMessage(), renameTitle());
            return PropertiesResult::Forbidden;
        }
        if (baseName.isEmpty()) {
            prompts().warn(Tr::tr("アルバム名がありません。別の名前にして下さい。"),
                           Tr::tr(kTitle));
            return PropertiesResult::EmptyName;
        }
        // A hidden entry's file has its name without the "*".
        for (const AlbumEntry& e : doc.entries()) {
            if (withoutHiddenMark(e.fileName).compare(newName, Qt::CaseInsensitive) == 0) {
                prompts().warn(Tr::tr("サムネイルに同じ名前があります。別の名前にして下さい。"),
                               Tr::tr(kTitle));
                return PropertiesResult::NameInGrid;
            }
        }
        const QString newPath = doc.albumFolder() + newName;
        if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink()) {
            prompts().warn(
                withFilePath(Tr::tr("フォルダの中に同じ名前があります。別の名前にして下さい。"),
                             newPath),
                Tr::tr(kTitle));
            return PropertiesResult::NameInFolder;
        }
        const QString oldPath = doc.albumPath(selected);
        if (QFileInfo::exists(oldPath)) {
            QString reason;
            if (!renameFileNoReplace(oldPath, newPath, &reason)) {
                // Not a silent success: the file keeps its name and the user is told.
                prompts().warn(Tr::tr("アルバムファイルの名前を変更できませんでした。") +
                                   QStringLiteral("\r\n") + QDir::toNativeSeparators(oldPath) +
                                   QStringLiteral("\r\n") + reason,
                               Tr::tr(kTitle));
                return PropertiesResult::RenameFailed;
            }
            renames.append({oldPath, newPath});
            AlbumEntry renamed = doc.entry(selected);
            renamed.fileName = newName;
            doc.setEntry(selected, std::move(renamed));
        }
        doc.setModified(true);
    }

    if (comment != doc.entry(selected).comment) {
        AlbumEntry commented = doc.entry(selected);
        commented.comment = comment;
        doc.setEntry(selected, std::move(commented));
        doc.setModified(true);
    }
    return PropertiesResult::Applied;
}

} // namespace

frmInfo::frmInfo(frmMain& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(Tr::tr(kTitle));
    setModal(false);

    auto* containerBox = new QGroupBox(Tr::tr("コンテナ"), this);
    auto* containerForm = new QFormLayout(containerBox);
    addField(containerForm, Tr::tr("コンテナファイル名："), QStringLiteral("dspTfileName"));
    addField(containerForm, Tr::tr("コンテナファイルサイズ："), QStringLiteral("dspTfileSize"));
    addField(containerForm, Tr::tr("コンテナファイル作成日時："), QStringLiteral("dspTdateTime"));

    auto* albumBox = new QGroupBox(Tr::tr("アルバム"), this);
    auto* albumRow = new QHBoxLayout(albumBox);
    auto* albumForm = new QFormLayout;
    addField(albumForm, Tr::tr("選択アルバム番号："), QStringLiteral("dspSPhotoNo"));
    m_txtSfileName = new QLineEdit(albumBox);
    m_txtSfileName->setObjectName(QStringLiteral("txtSfileName"));
    m_txtSfileName->setMinimumWidth(220);
    albumForm->addRow(Tr::tr("選択/新アルバム名："), m_txtSfileName);
    m_txtSTitle = new QLineEdit(albumBox);
    m_txtSTitle->setObjectName(QStringLiteral("txtSTitle"));
    albumForm->addRow(Tr::tr("選択アルバムコメント："), m_txtSTitle);
    addField(albumForm, Tr::tr("選択アルバムトサイズ："), QStringLiteral("dspSfileSize"));
    addField(albumForm, Tr::tr("選択アルバム作成日時："), QStringLiteral("dspSdateTime"));
    addField(albumForm, Tr::tr("サムネイルサイズ："), QStringLiteral("dspSthumbSize"));
    m_picDispBox = new QLabel(albumBox);
    m_picDispBox->setObjectName(QStringLiteral("picDispBox"));
    m_picDispBox->setFixedSize(122, 122);
    m_picDispBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picDispBox->setFrameShape(QFrame::StyledPanel);
    albumRow->addLayout(albumForm, 1);
    albumRow->addWidget(m_picDispBox, 0, Qt::AlignTop);

    auto* buttons = new QDialogButtonBox(this);
    auto* apply = buttons->addButton(Tr::tr("適用"), QDialogButtonBox::ApplyRole);
    apply->setObjectName(QStringLiteral("btnTekiyo"));
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(Tr::tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(apply, &QPushButton::clicked, this, [this] { btnTekiyo_Click(); });
    connect(ok, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(containerBox);
    layout->addWidget(albumBox);
    layout->addWidget(buttons);

    fillFields();
}

QLabel* frmInfo::addField(QFormLayout* form, const QString& label, const QString& name)
{
    auto* value = new QLabel(this);
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(160);
    form->addRow(label, value);
    return value;
}

QString frmInfo::field(const QString& name) const
{
    const QLabel* l = findChild<QLabel*>(name);
    return l ? l->text() : QString();
}

bool frmInfo::pictureShown() const
{
    return !m_picDispBox->pixmap().isNull();
}

void frmInfo::fillFields()
{
    const AlbumInfoFields f = albumInfoFields(m_main.document(), m_main.mode());
    const auto set = [this](const char* name, const QString& text) {
        if (QLabel* l = findChild<QLabel*>(QString::fromLatin1(name)))
            l->setText(text);
    };
    m_txtSfileName->setText(f.baseName);
    m_txtSTitle->setText(f.comment);
    // The dialog follows the selection; with none there is nothing to edit.
    m_txtSfileName->setReadOnly(!f.albumSelected);
    m_txtSTitle->setReadOnly(!f.albumSelected);
    set("dspSPhotoNo", f.number);
    set("dspSfileSize", f.size);
    set("dspSdateTime", f.date);
    set("dspSthumbSize", f.thumbSize);
    m_picDispBox->clear();
    if (f.albumSelected && !f.thumbnail.isNull())
        m_picDispBox->setPixmap(QPixmap::fromImage(f.thumbnail));
    set("dspTfileName", f.containerName);
    set("dspTfileSize", f.containerSize);
    set("dspTdateTime", f.containerDate);
}

PropertiesResult frmInfo::btnTekiyo_Click()
{
    const PropertiesResult r =
        applyAlbumProperties(m_main, m_txtSfileName->text(), m_txtSTitle->text());
    if (r == PropertiesResult::NameInGrid || r == PropertiesResult::NameInFolder)
        fillFields();
    return r;
}

void frmInfo::btnOK_Click()
{
    btnTekiyo_Click();
    unload();
}

void frmInfo::btnCancel_Click()
{
    const AlbumDocument& doc = m_main.document();
    if (m_main.mode() == Mode::Selected && doc.selectedIndex() >= 0 &&
        doc.selectedIndex() < doc.albumCount())
        m_txtSfileName->setText(nameBeforeFirstDot(doc.entry(doc.selectedIndex()).fileName));
    unload();
}

void frmInfo::reject()
{
    if (!m_unloading)
        btnCancel_Click();
}

void frmInfo::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_unloading)
        fillFields();
}

void frmInfo::unload()
{
    m_unloading = true;
    hide();
    deleteLater();
}

} // namespace quorbell
