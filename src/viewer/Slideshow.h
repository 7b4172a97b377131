// The slideshow and the random display without any window: which album and
// photo come next, the marked photos, the album range and the next-album
// rule, random draws, once or endless, and the timing. It asks for photos
// from the worker pipeline and announces them once their pixels are ready;
// it asks for an album's password and for closing by signal. The window
// draws what it is given and forwards the user's input here.
//
// Everything runs on the UI thread. A timer step stops the timer first and
// starts it again only at its end, so steps never overlap; marked photos are
// passed over one per 10 ms step, never in a loop inside one step. Every
// search that does loop is bounded by the size of the table or the grid.
#pragma once

#include "album/AlbumTable.h"
#include "viewer/PhotoPipeline.h"
#include "viewer/RandomDraws.h"
#include "viewer/ShowOrder.h"
#include "viewer/SlideshowSetup.h"

#include <QObject>
#include <QSet>

#include <optional>

class QTimer;

namespace quorbell::viewer {

// A photo ready for the screen.
struct SlidePhoto
{
    int albumIndex = -1;
    int photoIndex = -1;
    QString albumPath;
    PreparedPhoto prepared;            // image null when it could not be prepared
    std::optional<PhotoNameLine> line; // when the name line is on
    bool ahead = false;                // prepared by the look-ahead before it was wanted
};

// A protected album whose password the show does not hold.
struct AlbumPasswordQuestion
{
    int albumIndex = -1;
    QString fileName;
    QString path;
    PasswordBytes stored{};
    PasswordBytes entered{}; // the bytes tried so far
};

class Slideshow : public QObject
{
    Q_OBJECT
public:
    Slideshow(SlideshowSetup setup, RandomDraws draws, QObject* parent = nullptr);
    ~Slideshow() override;

    // Reads the first album and starts the timer; run once the window is up.
    void begin();
    // One timer step.
    void step();
    // Manual advance: a mouse button or a stepping key.
    void press(StepDirection direction);
    // Manual advance: the album's first or last photo that may be shown.
    void jumpToEnd(StepDirection direction);
    // Automatic advance: steps at once and restarts the interval.
    void stepNow(StepDirection direction);
    // Automatic advance: holds or releases the timer.
    void togglePause();
    // A double click: closes in automatic advance.
    void doubleClick();
    // Esc, or the window closed from outside.
    void close();
    // The answer to passwordWanted: the entered bytes, or nothing (cancelled).
    void answerPassword(std::optional<PasswordBytes> entered);
    // Asks the workers for the current photo at its own size (for zooming);
    // originalReady follows.
    void wantOriginal();

    QTimer* timer() const { return m_timer; }
    PhotoPipeline& pipeline() { return *m_pipeline; }
    RandomDraws& draws() { return m_draws; }
    const SlideOptions& options() const { return m_setup.options; }
    bool closed() const { return m_closed; }
    bool paused() const { return m_paused; }
    bool photoPending() const { return m_pending.has_value(); }
    int albumIndex() const { return m_album; }
    int photoIndex() const { return m_photo; }
    const album::AlbumTable& table() const { return m_table; }

Q_SIGNALS:
    void photoReady(const quorbell::viewer::SlidePhoto& photo);
    void originalReady(int albumIndex, int photoIndex, const QImage& image);
    void passwordWanted(const quorbell::viewer::AlbumPasswordQuestion& question);
    // A file that is not an album: its message, then the show closes.
    void badAlbum(const QString& path);
    void closeRequested();
    // The album the show is in (the grid's selected index follows it).
    void albumChanged(int index);
    void enteredPasswordChanged(const quorbell::PasswordBytes& entered);
    void pausedChanged(bool paused);

private:
    struct Pending
    {
        int album = -1;
        int photo = -1;
        QString path;
        PhotoKey key;
    };

    bool albumFileThere(int index) const;
    QString pathOf(int index) const;
    bool noteAlbumWithoutPhoto(int index);
    bool moveToNextAlbum();
    bool readAlbum();
    void setTable(album::AlbumTable table);
    bool showable(int index) const;
    void randomStep();
    void slideStep();
    void startTimer(int ms);
    PrefetchPlan basePlan() const;
    PrefetchPlan photoPlan(std::optional<int> index) const;
    PrefetchPlan walkPlan(std::optional<int> first, PrefetchPlan::Pick pick, double draw) const;
    void planAhead();
    void requestPhoto(int index);
    void arrived(const PhotoKey& key, const PreparedPhoto& photo, bool ahead);
    void deliver(const PreparedPhoto& photo, bool ahead);

    SlideshowSetup m_setup;
    RandomDraws m_draws;
    QTimer* m_timer = nullptr;
    PhotoPipeline* m_pipeline = nullptr;

    int m_album = 0;
    QString m_path;
    album::AlbumTable m_table;
    QStringList m_names; // the order rules' view: unreadable photos marked
    int m_photo = 0;     // the photo shown or to be shown next
    PasswordBytes m_entered{};

    bool m_closed = false;
    bool m_paused = false;
    bool m_awaitingPassword = false;
    bool m_shownSinceRead = false;
    int m_albumsWithoutPhoto = 0;  // slideshow: albums passed in a row without a photo
    QSet<int> m_albumsWithNothing; // random display: albums found missing or empty
    std::optional<Pending> m_pending;
    std::optional<Pending> m_original;
    int m_shownAlbum = -1;
    int m_shownPhoto = -1;
};

} // namespace quorbell::viewer
