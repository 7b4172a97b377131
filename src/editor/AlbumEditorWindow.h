// The album editor ("アルバム編集"): the photos of one album in a list with
// small pictures, names and pixel sizes; photos added (file dialog or drops
// from a file manager), removed, moved (drag, Ctrl+Up/Down), renamed, hidden
// and shown; the password set, changed or removed; and the album saved in
// place on a worker while a progress bar runs. It works on the album's
// contents alone: whoever opened it learns of each save by `saved`.
#pragma once

#include "album/AlbumEditModel.h"
#include "album/AlbumSave.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QHash>
#include <QIcon>
#include <QSet>
#include <QThreadPool>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidgetItem;

namespace quorbell::editor {

class PhotoListView;

class AlbumEditorWindow : public QDialog
{
    Q_OBJECT
public:
    // `path` is the album file, empty for a new album (asked for on the first
    // save); `currentPassword` the text that opened it, shown in the field.
    AlbumEditorWindow(const QString& path, album::AlbumContents contents,
                      const QString& currentPassword, QWidget* parent = nullptr);
    ~AlbumEditorWindow() override;

    const album::AlbumEditModel& model() const { return m_model; }
    const QString& path() const { return m_path; }
    PhotoListView* list() const { return m_list; }
    bool isSaving() const { return m_saving.isRunning(); }

    // Where the file dialog of a new album's first save starts.
    void setNewAlbumFolder(const QString& folder) { m_newAlbumFolder = folder; }

    // The image files added at the end; those that cannot go in are named in
    // one warning.
    void addPhotoFiles(const QStringList& paths);
    // Starts saving; false when nothing was started (no photos, no file name
    // chosen, a save already running).
    bool save();

    // The side of the list's pictures, in pixels.
    static constexpr int kPictureSide = 48;

signals:
    // After each successful save, with the file and what it now holds.
    void saved(const QString& path, const quorbell::album::AlbumContents& contents);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void buildWidgets(const QString& currentPassword);
    void refreshList(int selectRow);
    void fillRow(QTreeWidgetItem* item, int row);
    void requestPicture(quint64 key, const QByteArray& bytes);
    void pictureReady(quint64 key, const QImage& picture);
    void updateButtons();
    int selectedRow() const;
    void chooseAndAddPhotos();
    void removeSelected();
    void moveSelected(int delta);
    void toggleHidden();
    void itemEdited(QTreeWidgetItem* item, int column);
    void passwordEdited(const QString& text);
    void saveFinished();
    bool mayClose();
    void updateTitle();

    album::AlbumEditModel m_model;
    QString m_path;
    QString m_newAlbumFolder;
    QString m_savingPath;
    album::AlbumContents m_savingContents;
    PhotoListView* m_list = nullptr;
    QLineEdit* m_password = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_rename = nullptr;
    QPushButton* m_hide = nullptr;
    QPushButton* m_save = nullptr;
    QHash<quint64, QIcon> m_pictures; // by photo key
    QSet<quint64> m_pending;          // pictures being made
    QThreadPool m_pictureWorkers;
    QFutureWatcher<album::AlbumSaveResult> m_saving;
    bool m_filling = false; // the list is being filled: its change signals are not edits
};

} // namespace quorbell::editor
