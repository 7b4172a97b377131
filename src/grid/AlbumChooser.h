// The album and folder chooser: a list of places (the file-system root, the
// home folder, mounted volumes), the folders of the current folder, the files
// that match the pattern with several selectable at once, and the buttons
// that take the selected files or every listed file. It serves New
// ("ファイルの選択") and the add-thumbnails command ("サムネイル追加").
#pragma once

#include "document/Prompts.h"

#include <QDialog>
#include <QDir>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace quorbell {

// A place of the drive list.
struct Place
{
    QString label;
    QString path;
};

// The places a user expects: "/", the home folder, then mounted volumes.
QList<Place> choosablePlaces();

// Files of a folder that match a chooser pattern ("*.sld", or "*.*" for every
// file), in list order: by name, ignoring letter case, then exactly. Hidden
// files (names beginning with ".") are not listed.
QStringList listedFiles(const QString& folder, const QString& pattern);

class AlbumChooser : public QDialog
{
    Q_OBJECT
public:
    explicit AlbumChooser(const ChooserRequest& request, QWidget* parent = nullptr);

    QString currentFolder() const { return m_folder; }
    void setCurrentFolder(const QString& folder);
    void setPattern(const QString& pattern);
    // Selects the listed files with these names (for tests and keyboard users).
    void selectFiles(const QStringList& names);
    // What the two OK buttons would take now.
    AlbumChoice selectedChoice() const;
    AlbumChoice folderChoice() const;

    // Takes a choice: asks the request's accept callback and closes when it
    // agrees. A name typed into the name field comes first: a folder opens,
    // a file is the choice.
    void fileOK();
    void folderOK();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeChanged(int index);
    // The name field's text when the user typed it (not a clicked file's
    // name), trimmed; empty otherwise.
    QString typedName() const;
    void takeTypedName(const QString& typed);
    void folderActivated(QListWidgetItem* item);
    void refreshFiles();

    ChooserRequest m_request;
    QString m_folder;
    QString m_pattern;
    QComboBox* m_drives = nullptr;
    QLabel* m_path = nullptr;
    QListWidget* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    QLineEdit* m_fileName = nullptr;
    QComboBox* m_type = nullptr;
    bool m_nameTyped = false;
};

} // namespace quorbell
