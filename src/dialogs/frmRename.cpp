// The batch rename dialog.
#include "dialogs/frmRename.h"

#include "core/frmMain.h"
#include "grid/DocumentEdits.h"

#include <QCoreApplication>

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(frmRename)
};
} // namespace

BatchRenameOutcome renameAlbums(frmMain& w, const QString& common, RenameNumberStyle style,
                                const RenameConfirmation& confirm)
{
    AlbumDocument& doc = w.document();
    BatchRenameOutcome outcome;
    // One step of the undo history, which renames the files back.
    recordRenamingEdit(w, Tr::tr("一括リネーミング"), [&] {
        outcome = runBatchRename(doc, w.isGridShown(), common, style, confirm);
        QList<FileRename> renames;
        for (const auto& [from, to] : outcome.renames)
            renames.append({from, to});
        return renames;
    });
    const bool changed = outcome.status == BatchRenameOutcome::Status::Done ||
                         outcome.status == BatchRenameOutcome::Status::Stopped;
    if (changed && w.mode() == Mode::Selected && doc.selectedIndex() >= 0 &&
        doc.selectedIndex() < doc.albumCount())
        w.setPanel(3, Tr::tr("選択アルバム名： %1").arg(doc.entry(doc.selectedIndex()).fileName));
    return outcome;
}

frmRename::frmRename(frmMain& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("frmRename"));
    setWindowTitle(renameTitle());
    setModal(false);

    auto* heading = new QLabel(Tr::tr("ファイル名を一括して書き換えます。"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));

    auto* commonLabel = new QLabel(Tr::tr("ファイル名共通部"), this);
    m_common = new QLineEdit(this);
    m_common->setObjectName(QStringLiteral("txtFileNameU"));
    m_common->setMinimumWidth(260);
    commonLabel->setBuddy(m_common);

    auto* box = new QGroupBox(Tr::tr("ファイル名下位部数字"), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_style = new QButtonGroup(this);
    m_style->setObjectName(QStringLiteral("optFileNameL"));
    const QStringList captions = {Tr::tr("同一桁数(桁数はファイル数に依存）"),
                                  Tr::tr("数字の大きさに対応して桁数が増加")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions.at(i), box);
        b->setObjectName(QStringLiteral("optFileNameL(%1)").arg(i));
        m_style->addButton(b, i);
        boxLayout->addWidget(b);
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(Tr::tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addSpacing(6);
    layout->addWidget(commonLabel);
    layout->addWidget(m_common);
    layout->addWidget(box);
    layout->addWidget(buttons);

    Form_Load();
}

void frmRename::Form_Load()
{
    m_style->button(int(RenameNumberStyle::SameWidth))->setChecked(true);
}

void frmRename::btnOK_Click()
{
    if (m_main.isGridShown()) {
        const auto style = m_style->checkedId() == int(RenameNumberStyle::Growing)
                               ? RenameNumberStyle::Growing
                               : RenameNumberStyle::SameWidth;
        // The user sees what will happen before any file changes its name.
        const BatchRenameOutcome outcome =
            renameAlbums(m_main, m_common->text(), style, confirmRenames);
        // A forbidden character, or a preview the user said no to: the user
        // may change the common part.
        if (outcome.status == BatchRenameOutcome::Status::Forbidden ||
            outcome.status == BatchRenameOutcome::Status::Declined)
            return;
    }
    unload();
}

void frmRename::btnCancel_Click()
{
    unload();
}

void frmRename::reject()
{
    if (!m_unloading)
        btnCancel_Click();
}

void frmRename::unload()
{
    m_unloading = true;
    hide();
    deleteLater();
}

} // namespace quorbell
