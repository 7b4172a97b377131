#include "viewer/ViewerCommands.h"

#include "core/frmMain.h"
#include "viewer/RandomSource.h"
#include "viewer/Slideshow.h"
#include "viewer/SlideshowBinding.h"
#include "viewer/frmPicture.h"

namespace quorbell {

void frmMain_mnuViewSlide_Click(frmMain& w)
{
    startSlideshow(w, false);
}

void frmMain_mnuViewRandom_Click(frmMain& w)
{
    startSlideshow(w, true);
}

void frmPicture_Form_Activate(frmPicture& v)
{
    v.slideshow().begin();
}

void frmPicture_sldTimer_Timer(frmPicture& v)
{
    v.slideshow().step();
}

void frmPicture_Form_MouseDown(frmPicture& v, Qt::MouseButton button)
{
    v.slideshow().press(button == Qt::RightButton ? viewer::StepDirection::Back
                                                  : viewer::StepDirection::Forward);
}

void frmPicture_Form_DblClick(frmPicture& v)
{
    v.slideshow().doubleClick();
}

void frmPicture_Form_KeyPress(frmPicture& v, int ascii)
{
    if (ascii == 27)
        v.slideshow().close();
}

void closeViewer(frmPicture& v)
{
    v.slideshow().close();
}

void registerViewerCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::ViewSlide, [win] { frmMain_mnuViewSlide_Click(*win); });
    w.setCommand(Command::ViewRandom, [win] { frmMain_mnuViewRandom_Click(*win); });
}

void setViewerRandomSource(std::function<double()> source)
{
    viewer::setRandomSourceForNextShows(std::move(source));
}

} // namespace quorbell
