// The rules of the slideshow and the random display.
#include "viewer/Slideshow.h"

#include "album/AlbumFileReader.h"
#include "viewer/ViewerTables.h"

#include <QFileInfo>
#include <QTimer>

namespace quorbell::viewer {

Slideshow::Slideshow(SlideshowSetup setup, RandomDraws draws, QObject* parent)
    : QObject(parent), m_setup(std::move(setup)), m_draws(std::move(draws))
{
    m_album = m_setup.startAlbum;
    m_path = pathOf(m_album);
    m_entered = m_setup.entered;
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("sldTimer"));
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Slideshow::step);
    m_pipeline = new PhotoPipeline(this);
    connect(m_pipeline, &PhotoPipeline::photoArrived, this, &Slideshow::arrived);
}

Slideshow::~Slideshow() = default;

QString Slideshow::pathOf(int index) const
{
    return index >= 0 && index < m_setup.albums.size() ? m_setup.albums.at(index).path : QString();
}

// A hidden entry keeps a name beginning with "*" that names no album, so it
// counts as missing even should a file of that name exist.
bool Slideshow::albumFileThere(int index) const
{
    if (index < 0 || index >= m_setup.albums.size() || m_setup.albums.at(index).hidden)
        return false;
    return QFileInfo(m_setup.albums.at(index).path).isFile();
}

void Slideshow::startTimer(int ms)
{
    m_timer->setInterval(ms);
    m_timer->start();
}

// Notes an album passed without a photo shown. When every album of the grid
// has been passed so, nothing can ever be shown and the show closes; false then.
bool Slideshow::noteAlbumWithoutPhoto(int index)
{
    const int count = int(m_setup.albums.size());
    bool nothingAnywhere = false;
    if (m_setup.options.random) {
        // Random draws may pick the same album again and again: count albums.
        m_albumsWithNothing.insert(index);
        nothingAnywhere = m_albumsWithNothing.size() >= count;
    } else {
        // The slideshow passes the albums in order: count them in a row.
        nothingAnywhere = ++m_albumsWithoutPhoto >= count;
    }
    if (nothingAnywhere) {
        close();
        return false;
    }
    return true;
}

bool Slideshow::moveToNextAlbum()
{
    const std::optional<int> next =
        nextAlbumIndex(m_album, int(m_setup.albums.size()), m_setup.options.endless);
    if (!next) {
        close();
        return false;
    }
    m_album = *next;
    m_photo = 0;
    m_path = pathOf(m_album);
    return true;
}

void Slideshow::setTable(album::AlbumTable table)
{
    m_table = std::move(table);
    m_names.clear();
    for (const album::AlbumPhoto& p : std::as_const(m_table.photos))
        m_names.append(showOrderName(p));
}

bool Slideshow::showable(int index) const
{
    return index >= 0 && index < m_names.size() && !isMarkedPhoto(m_names.at(index));
}

// Reads the current album's tables; false when the show closed on the way
// (wrong header, cancelled prompt, end of the show, nothing to show anywhere)
// or waits for a password. The timer is left running at 10 ms.
bool Slideshow::readAlbum()
{
    m_timer->stop();
    // An album whose file is not there is passed over with the range on. With
    // the range off the file was there at the start; gone since, the show
    // has nothing left and ends quietly.
    while (!albumFileThere(m_album)) {
        if (!m_setup.options.range || m_album < 0 || m_album >= m_setup.albums.size()) {
            close();
            return false;
        }
        if (!noteAlbumWithoutPhoto(m_album) || !moveToNextAlbum())
            return false;
    }
    m_path = pathOf(m_album);

    std::optional<album::AlbumTable> table = m_pipeline->takeTable(m_path);
    if (!table) {
        // Only the tables: a few kilobytes. A damaged entry only keeps that
        // photo off the screen.
        album::AlbumResult<album::AlbumTable> read =
            album::readAlbumTable(m_path, album::EntryChecks::EachEntryAlone);
        if (read) {
            table = std::move(read).value();
        } else if (read.error() == album::AlbumError::BadHeader) {
            Q_EMIT badAlbum(m_path);
            close();
            return false;
        }
        // Tables that cannot be read past a good header hold nothing to show.
    }
    setTable(table ? std::move(*table) : album::AlbumTable());
    m_shownSinceRead = false;
    Q_EMIT albumChanged(m_album);

    if (m_table.hasPassword() && !passwordMatches(m_table.password, m_entered)) {
        m_awaitingPassword = true;
        const AlbumPasswordQuestion question{m_album, m_setup.albums.at(m_album).fileName, m_path,
                                             m_table.password, m_entered};
        Q_EMIT passwordWanted(question);
        // Answered during the signal (a modal question), or later.
        if (m_closed || m_awaitingPassword)
            return false;
    }
    startTimer(kSkipStepMs);
    return true;
}

void Slideshow::answerPassword(std::optional<PasswordBytes> entered)
{
    if (m_closed || !m_awaitingPassword)
        return;
    if (!entered) {
        close();
        return;
    }
    m_entered = *entered;
    Q_EMIT enteredPasswordChanged(m_entered);
    if (!passwordMatches(m_table.password, m_entered)) {
        Q_EMIT passwordWanted(
            {m_album, m_setup.albums.at(m_album).fileName, m_path, m_table.password, m_entered});
        return;
    }
    m_awaitingPassword = false;
    startTimer(kSkipStepMs);
}

void Slideshow::begin()
{
    if (m_closed)
        return;
    if (readAlbum())
        planAhead();
}

void Slideshow::step()
{
    m_timer->stop();
    m_timer->setInterval(0);
    if (m_closed || m_awaitingPassword)
        return;
    if (m_setup.options.random)
        randomStep();
    else
        slideStep();
}

void Slideshow::randomStep()
{
    const bool range = m_setup.options.range;
    if (range) {
        const int count = int(m_setup.albums.size());
        if (count <= 0) {
            close();
            return;
        }
        m_album = drawnIndex(m_draws.next(), count);
        m_path = pathOf(m_album);
        if (!readAlbum())
            return;
        m_timer->stop(); // this step decides when the next one comes
    }
    const double draw = m_draws.next();
    if (showablePhotos(m_names).isEmpty()) {
        // Nothing in this album can ever be drawn.
        if (!range) {
            close();
            return;
        }
        if (!noteAlbumWithoutPhoto(m_album))
            return;
        startTimer(kSkipStepMs);
        planAhead();
        return;
    }
    m_photo = drawnIndex(draw, int(m_names.size()));
    if (!showable(m_photo)) {
        startTimer(kSkipStepMs); // a new draw follows
        planAhead();
        return;
    }
    requestPhoto(m_photo);
}

void Slideshow::slideStep()
{
    m_photo = std::max(m_photo, 0);
    if (m_photo >= m_names.size()) {
        // The end of the album.
        if (m_setup.options.range) {
            if (!m_shownSinceRead && !noteAlbumWithoutPhoto(m_album))
                return;
            if (!moveToNextAlbum() || !readAlbum())
                return;
            startTimer(kSkipStepMs);
        } else if (m_setup.options.endless) {
            // Round again only when the last round showed something.
            if (!m_shownSinceRead) {
                close();
                return;
            }
            m_shownSinceRead = false;
            m_photo = 0;
            startTimer(kSkipStepMs);
        } else {
            close();
            return;
        }
    } else if (!showable(m_photo)) {
        ++m_photo;
        startTimer(kSkipStepMs);
    } else {
        const int shown = m_photo;
        // Automatic advance moves on now; manual advance keeps the index on
        // the photo on the screen.
        if (m_setup.options.autoAdvance)
            ++m_photo;
        requestPhoto(shown);
        return;
    }
    planAhead();
}

void Slideshow::press(StepDirection direction)
{
    if (m_closed || m_awaitingPassword || m_setup.options.autoAdvance || m_names.isEmpty())
        return;
    if (m_setup.options.random) {
        // Drawn among the photos that may be shown, which is what drawing
        // again until one of them comes up amounts to, in one draw.
        const QList<int> candidates = showablePhotos(m_names);
        if (candidates.isEmpty())
            return;
        m_photo = candidates.at(drawnIndex(m_draws.next(), int(candidates.size())));
    } else {
        const ManualStep s = manualStep(m_names, m_photo, direction, m_setup.options.endless);
        if (s.outcome == ManualStep::Outcome::Close) {
            close();
            return;
        }
        if (s.outcome == ManualStep::Outcome::Stay)
            return;
        m_photo = s.index;
    }
    requestPhoto(m_photo);
}

void Slideshow::jumpToEnd(StepDirection direction)
{
    if (m_closed || m_awaitingPassword || m_setup.options.autoAdvance)
        return;
    const QList<int> candidates = showablePhotos(m_names);
    if (candidates.isEmpty())
        return;
    m_photo = direction == StepDirection::Back ? candidates.first() : candidates.last();
    requestPhoto(m_photo);
}

void Slideshow::stepNow(StepDirection direction)
{
    if (m_closed || m_awaitingPassword || !m_setup.options.autoAdvance)
        return;
    if (direction == StepDirection::Back && !m_setup.options.random && m_shownAlbum == m_album &&
        m_shownPhoto >= 0) {
        // Back from the photo on the screen, inside the album.
        const ManualStep s =
            manualStep(m_names, m_shownPhoto, StepDirection::Back, m_setup.options.endless);
        if (s.outcome != ManualStep::Outcome::Show)
            return;
        m_timer->stop();
        m_photo = s.index + 1;
        requestPhoto(s.index);
        return;
    }
    if (direction == StepDirection::Back && !m_setup.options.random)
        return;
    step();
}

void Slideshow::togglePause()
{
    if (m_closed || !m_setup.options.autoAdvance)
        return;
    m_paused = !m_paused;
    // A pause holds the interval after a shown photo; the 10 ms steps that
    // lead to the next photo finish first.
    if (m_paused && m_timer->interval() != kSkipStepMs)
        m_timer->stop();
    else if (!m_paused && !m_timer->isActive() && !m_pending && !m_awaitingPassword)
        startTimer(photoIntervalMs(m_setup.options.interval));
    Q_EMIT pausedChanged(m_paused);
}

void Slideshow::doubleClick()
{
    if (!m_closed && m_setup.options.autoAdvance)
        close();
}

void Slideshow::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_timer->stop();
    if (m_pending)
        m_pipeline->forget(m_pending->key);
    m_pending.reset();
    m_pipeline->keepReady({});
    Q_EMIT closeRequested();
}

PrefetchPlan Slideshow::basePlan() const
{
    PrefetchPlan plan;
    plan.screen = m_setup.screen;
    plan.sizing = m_setup.options.sizing;
    return plan;
}

PrefetchPlan Slideshow::photoPlan(std::optional<int> index) const
{
    PrefetchPlan plan = basePlan();
    if (!index || *index < 0 || *index >= m_table.photos.size())
        return plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = m_path;
    plan.photoIndex = *index;
    plan.photo = m_table.photos.at(*index);
    return plan;
}

PrefetchPlan Slideshow::walkPlan(std::optional<int> first, PrefetchPlan::Pick pick,
                                 double draw) const
{
    PrefetchPlan plan = basePlan();
    if (!first)
        return plan;
    for (int index : albumWalk(*first, int(m_setup.albums.size()), m_setup.options.endless)) {
        const SlideAlbum& a = m_setup.albums.at(index);
        plan.albums.append({index, a.path, a.hidden});
    }
    if (plan.albums.isEmpty())
        return plan;
    plan.kind = PrefetchPlan::Kind::Walk;
    plan.pick = pick;
    plan.photoDraw = draw;
    plan.entered = m_entered;
    return plan;
}

// Keeps ready what the show will want next: the next and the previous photo
// while it waits for a click, the next two while the timer runs.
void Slideshow::planAhead()
{
    if (m_closed)
        return;
    const SlideOptions& o = m_setup.options;
    const int count = int(m_setup.albums.size());
    QList<PrefetchPlan> plans;
    const bool waitingForClick = !o.autoAdvance && !m_timer->isActive();
    if (o.random) {
        if (waitingForClick) {
            const QList<int> candidates = showablePhotos(m_names);
            if (!candidates.isEmpty())
                plans << photoPlan(
                    candidates.at(drawnIndex(m_draws.peek(0), int(candidates.size()))));
        } else if (o.range) {
            for (int i = 0; i < 2 && count > 0; ++i)
                plans << walkPlan(drawnIndex(m_draws.peek(2 * i), count), PrefetchPlan::Pick::Drawn,
                                  m_draws.peek(2 * i + 1));
        } else if (!m_names.isEmpty()) {
            for (int i = 0; i < 2; ++i) {
                const int index = drawnIndex(m_draws.peek(i), int(m_names.size()));
                if (showable(index))
                    plans << photoPlan(index);
            }
        }
    } else if (waitingForClick) {
        for (StepDirection d : {StepDirection::Forward, StepDirection::Back}) {
            const ManualStep s = manualStep(m_names, m_photo, d, o.endless);
            if (s.outcome == ManualStep::Outcome::Show)
                plans << photoPlan(s.index);
        }
    } else {
        // The next two photos the timer will show, across the album's end.
        int from = m_photo;
        for (int i = 0; i < 2; ++i) {
            if (const std::optional<int> next = firstShowablePhoto(m_names, from)) {
                plans << photoPlan(next);
                from = *next + 1;
            } else {
                if (o.range)
                    plans << walkPlan(nextAlbumIndex(m_album, count, o.endless),
                                      PrefetchPlan::Pick::FirstShowable, 0);
                else if (o.endless)
                    plans << photoPlan(firstShowablePhoto(m_names, 0));
                break;
            }
        }
    }
    m_pipeline->keepReady(plans);
}

void Slideshow::requestPhoto(int index)
{
    m_shownSinceRead = true;
    m_albumsWithoutPhoto = 0;
    if (m_pending)
        m_pipeline->forget(m_pending->key);
    const PrefetchPlan plan = photoPlan(index);
    m_pending = Pending{m_album, index, m_path,
                        photoKey(m_path, plan.photo, m_setup.screen, m_setup.options.sizing)};
    if (plan.kind != PrefetchPlan::Kind::Photo) {
        PreparedPhoto none;
        none.error = PhotoError::OutsideFile;
        deliver(none, false);
        return;
    }
    if (std::optional<PreparedPhoto> ready = m_pipeline->fetch(plan)) {
        deliver(*ready, true);
        return;
    }
    // The photo comes from a worker; until then input is answered as usual.
    planAhead();
}

void Slideshow::arrived(const PhotoKey& key, const PreparedPhoto& photo, bool ahead)
{
    if (m_closed)
        return;
    if (m_original && key == m_original->key) {
        const Pending o = *m_original;
        m_original.reset();
        // A photo too large to decode whole comes back cut to the screen:
        // zooming then keeps to the fitted image.
        if (o.album == m_shownAlbum && o.photo == m_shownPhoto && photo.ok() &&
            photo.image.size() == photo.photoSize)
            Q_EMIT originalReady(o.album, o.photo, photo.image);
    }
    if (m_pending && key == m_pending->key)
        deliver(photo, ahead);
}

void Slideshow::deliver(const PreparedPhoto& photo, bool ahead)
{
    const Pending p = *m_pending;
    m_pending.reset();
    SlidePhoto shown;
    shown.albumIndex = p.album;
    shown.photoIndex = p.photo;
    shown.albumPath = p.path;
    shown.prepared = photo;
    shown.ahead = ahead;
    if (m_setup.options.nameLine && p.photo >= 0 && p.photo < m_table.photos.size()) {
        const SlideAlbum& a = m_setup.albums.at(p.album);
        shown.line = makePhotoNameLine(p.album, a.comment, m_table.photos.at(p.photo).name,
                                       m_setup.screen.height(), m_setup.options.nameStyle);
    }
    m_shownAlbum = p.album;
    m_shownPhoto = p.photo;
    Q_EMIT photoReady(shown);
    if (m_closed)
        return;
    if (m_setup.options.autoAdvance && !m_paused)
        startTimer(photoIntervalMs(m_setup.options.interval));
    planAhead();
}

void Slideshow::wantOriginal()
{
    if (m_closed || m_shownAlbum != m_album || m_shownPhoto < 0 ||
        m_shownPhoto >= m_table.photos.size())
        return;
    PrefetchPlan plan = photoPlan(m_shownPhoto);
    plan.sizing = SizingChoice::Unchanged; // the photo's own pixels
    const PhotoKey key = photoKey(m_path, plan.photo, plan.screen, plan.sizing);
    m_original = Pending{m_album, m_shownPhoto, m_path, key};
    if (std::optional<PreparedPhoto> ready = m_pipeline->fetch(plan))
        arrived(key, *ready, true);
}

} // namespace quorbell::viewer
