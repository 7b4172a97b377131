// The settings dialog's choices as plain values: which button of each option
// group is on, the cover file text and the photo-name font. Read from the
// settings when the dialog fills its controls, and applied to it when the
// dialog is confirmed.
#pragma once

#include "document/Prompts.h"
#include "core/SettingsFile.h"

#include <QColor>
#include <QString>

namespace quorbell {

struct Settings;

// Indexes of the buttons that are on; -1 where no button of a group is on.
struct ConditionChoices
{
    int comment = 0;   // optComment: 0 none, 1 shown at start
    int thumbSize = 0; // optThumbSize: 0..6 for 60..120 pixels
    int password = 0;  // optPassword: 0 off, 1 on
    int cover = 0;     // optCover
    int cover1st = 0;  // optCover1st
    int dispAuto = 0;  // optDispAuto: 0 manual, 1 automatic
    int interval = 0;  // optInterval: 0..5 for 1..6 seconds
    int dispCont = 0;  // optDispCont: 0 once, 1 endless
    int dispName = 0;  // optDispName
    int sizeMax = 0;   // optSizeMax: 0 as is, 1 reduce to fit, 2 reduce or enlarge to fit
    int range = 0;     // optRange: 0 album, 1 container
    QString coverFile; // txtFileName
    FontChoice font;   // dlgFontChange

    friend bool operator==(const ConditionChoices&, const ConditionChoices&) = default;
};

// The choices that show the settings.
ConditionChoices choicesFromState(const Settings& st);

// Clears the settings the dialog owns and sets them from the choices: flag
// bits, slideshow range and full-size bits, font style bits, thumbnail size
// with its comment strip values, interval, cover path (as typed) and font.
// (The caller ends the cover view when the cover setting ends off.) The
// selection colour is not part of the choices: the dialog sets it at once.
void applyChoices(Settings& st, const ConditionChoices& c);

// A value at OK when the settings file may have been written since the dialog
// showed it (another window of the program): the user's where the user
// changed it, the file's as it now stands otherwise.
template <class T> T changedOrStored(const T& shown, const T& chosen, const T& inFile)
{
    return chosen != shown ? chosen : inFile;
}

// The same, group by group and font property by font property.
ConditionChoices mergeChoices(const ConditionChoices& shown, const ConditionChoices& chosen,
                              const ConditionChoices& inFile);

} // namespace quorbell
