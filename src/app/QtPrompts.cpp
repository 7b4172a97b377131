#include "app/QtPrompts.h"

#include "core/PasswordDialog.h"
#include "core/PromptOwner.h"
#include "grid/AlbumChooser.h"

#include <QCoreApplication>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(QtPrompts)
};
} // namespace

MsgAnswer QtPrompts::message(const MessageRequest& r)
{
    return messageWithExtra(r, QString());
}

MsgAnswer QtPrompts::messageWithExtra(const MessageRequest& r, const QString& extraButton)
{
    if (r.beep)
        QApplication::beep();
    const PromptParent parent(m_owner);
    QMessageBox box(parent.widget());
    box.setWindowTitle(r.title);
    // Messages break their lines with CR LF; the box wants plain line feeds.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(r.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(r.icon == MsgIcon::Information ? QMessageBox::Information
                : r.icon == MsgIcon::Warning   ? QMessageBox::Warning
                                               : QMessageBox::Question);
    switch (r.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    QPushButton* extra = nullptr;
    if (!extraButton.isEmpty()) {
        extra = box.addButton(extraButton, QMessageBox::ActionRole);
        // Esc still means the box's own "no".
        box.setEscapeButton(box.button(r.buttons == MsgButtons::YesNo      ? QMessageBox::No
                                       : r.buttons == MsgButtons::OkCancel ? QMessageBox::Cancel
                                                                           : QMessageBox::Ok));
    }
    const int pressed = box.exec();
    if (extra && box.clickedButton() == extra)
        return MsgAnswer::Extra;
    switch (pressed) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return r.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    }
}

QString QtPrompts::openFile(const FileRequest& r)
{
    const PromptParent parent(m_owner);
    return QFileDialog::getOpenFileName(parent.widget(), r.title, r.folder, r.filter);
}

QString QtPrompts::saveFile(const FileRequest& r)
{
    const PromptParent parent(m_owner);
    QFileDialog dialog(parent.widget(), r.title, r.folder, r.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QStringList QtPrompts::openFiles(const FileRequest& r)
{
    const PromptParent parent(m_owner);
    return QFileDialog::getOpenFileNames(parent.widget(), r.title, r.folder, r.filter);
}

QString QtPrompts::chooseFolder(const FileRequest& r)
{
    const PromptParent parent(m_owner);
    return QFileDialog::getExistingDirectory(parent.widget(), r.title, r.folder);
}

std::optional<QString> QtPrompts::password(const PasswordRequest& r)
{
    const PromptParent parent(m_owner);
    PasswordDialog dialog(r, parent.widget());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.text();
}

std::optional<QColor> QtPrompts::colour(const QColor& initial)
{
    const PromptParent parent(m_owner);
    const QColor c = QColorDialog::getColor(initial, parent.widget());
    return c.isValid() ? std::optional(c) : std::nullopt;
}

std::optional<FontChoice> QtPrompts::font(const FontChoice& initial)
{
    // The font chooser offers no colour: it sits in a dialog of ours with a
    // colour button under it.
    const PromptParent parent(m_owner);
    QDialog dialog(parent.widget());
    dialog.setWindowTitle(Tr::tr("フォントとカラー"));
    auto* chooser = new QFontDialog(&dialog);
    chooser->setWindowFlags(Qt::Widget);
    chooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    QFont f(initial.family, initial.pointSize > 0 ? initial.pointSize : 12);
    f.setBold(initial.bold);
    f.setItalic(initial.italic);
    f.setStrikeOut(initial.strikeOut);
    f.setUnderline(initial.underline);
    chooser->setCurrentFont(f);

    QColor colour = initial.colour.isValid() ? initial.colour : QColor(Qt::white);
    auto* colourButton = new QPushButton(Tr::tr("カラーの選択..."), &dialog);
    const auto showColour = [&] {
        QPixmap swatch(32, 16);
        swatch.fill(colour);
        colourButton->setIcon(QIcon(swatch));
    };
    showColour();
    QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
        const QColor c = QColorDialog::getColor(colour, &dialog);
        if (c.isValid()) {
            colour = c;
            showColour();
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Tr::tr("カラー："), &dialog));
    row->addWidget(colourButton);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(chooser, 1);
    layout->addLayout(row);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = chooser->currentFont();
    FontChoice out;
    out.family = chosen.family();
    out.pointSize = qRound(chosen.pointSizeF());
    out.colour = colour;
    out.bold = chosen.bold();
    out.italic = chosen.italic();
    out.strikeOut = chosen.strikeOut();
    out.underline = chosen.underline();
    return out;
}

bool QtPrompts::chooseAlbums(const ChooserRequest& request)
{
    const PromptParent parent(m_owner);
    AlbumChooser chooser(request, parent.widget());
    if (request.kind == ChooserKind::Insert)
        return chooser.exec() == QDialog::Accepted;
    // The chooser of a new document leaves the main window usable while it is
    // open: it is shown without blocking the window, and this call returns
    // once the user has closed it.
    chooser.setWindowModality(Qt::NonModal);
    QEventLoop wait;
    QObject::connect(&chooser, &QDialog::finished, &wait, &QEventLoop::quit);
    chooser.show();
    wait.exec();
    return chooser.result() == QDialog::Accepted;
}

} // namespace quorbell
