// The settings dialog's choices and the state.
#include "dialogs/SettingsChoices.h"

#include "core/Settings.h"
#include "core/SettingsFile.h"

namespace quorbell {

ConditionChoices choicesFromState(const Settings& st)
{
    ConditionChoices c;
    const auto index = [&](quint16 bit) { return st.has(bit) ? 1 : 0; };
    c.comment = index(Flag::CommentDefault);
    // Sizes other than the seven show as the largest, as the reader takes them.
    c.thumbSize = commentMetricsFor(st.pendingThumbSize) ? (st.pendingThumbSize - 60) / 10 : 6;
    c.password = index(Flag::PasswordSetting);
    c.cover = index(Flag::CoverSetting);
    c.cover1st = index(Flag::CoverFirst);
    c.dispAuto = index(Flag::AutoAdvance);
    c.interval = st.interval >= 1 && st.interval <= 6 ? st.interval - 1 : -1;
    c.dispCont = index(Flag::Endless);
    c.dispName = index(Flag::PhotoName);
    c.sizeMax = (st.viewerOptions & ViewerOpt::FullSize) ? 2 : st.has(Flag::Fit) ? 1 : 0;
    c.range = (st.viewerOptions & ViewerOpt::Range) ? 1 : 0;
    c.coverFile = st.coverImagePath;
    c.font.family = st.nameFontName;
    c.font.pointSize = st.nameFontSize;
    c.font.colour = colourFromRgbValue(st.nameFontColour);
    c.font.bold = st.fontStyle & FontStyle::Bold;
    c.font.italic = st.fontStyle & FontStyle::Italic;
    c.font.strikeOut = st.fontStyle & FontStyle::StrikeThru;
    c.font.underline = st.fontStyle & FontStyle::UnderLine;
    return c;
}

void applyChoices(Settings& st, const ConditionChoices& c)
{
    st.flags &=
        ~(Flag::PasswordSetting | Flag::CoverSetting | Flag::CoverFirst | Flag::AutoAdvance |
          Flag::Endless | Flag::PhotoName | Flag::Fit | Flag::CommentDefault);
    st.viewerOptions &= ~(ViewerOpt::Range | ViewerOpt::FullSize);
    st.fontStyle &= ~FontStyle::SettingsBits;

    // Any button but the first of a two-way group means on.
    const auto on = [](int index) { return index > 0; };

    // A group with nothing on takes its last choice.
    const int size = c.thumbSize >= 0 && c.thumbSize <= 5 ? 60 + 10 * c.thumbSize : 120;
    st.pendingThumbSize = qint16(size);
    st.pendingComment = *commentMetricsFor(size);
    st.set(Flag::PasswordSetting, on(c.password));
    st.set(Flag::CommentDefault, on(c.comment));

    st.set(Flag::CoverSetting, on(c.cover));
    st.set(Flag::CoverFirst, on(c.cover1st));
    st.coverImagePath = c.coverFile;

    st.set(Flag::AutoAdvance, on(c.dispAuto));
    st.interval = quint8(c.interval >= 0 && c.interval <= 4 ? c.interval + 1 : 6);
    st.set(Flag::Endless, on(c.dispCont));
    st.set(Flag::PhotoName, on(c.dispName));
    const bool fit = on(c.sizeMax);
    st.set(Flag::Fit, fit);
    if (on(c.range))
        st.viewerOptions |= ViewerOpt::Range;
    // Full size only means something with fit on: it is the third choice.
    if (fit && c.sizeMax != 1)
        st.viewerOptions |= ViewerOpt::FullSize;

    st.nameFontName = c.font.family;
    st.nameFontSize = qint16(qBound(-32768, c.font.pointSize, 32767));
    st.nameFontColour = rgbValueFromColour(c.font.colour);
    if (c.font.bold)
        st.fontStyle |= FontStyle::Bold;
    if (c.font.italic)
        st.fontStyle |= FontStyle::Italic;
    if (c.font.strikeOut)
        st.fontStyle |= FontStyle::StrikeThru;
    if (c.font.underline)
        st.fontStyle |= FontStyle::UnderLine;
}

ConditionChoices mergeChoices(const ConditionChoices& shown, const ConditionChoices& chosen,
                              const ConditionChoices& inFile)
{
    ConditionChoices c;
    const auto pick = [&](auto member) {
        return changedOrStored(shown.*member, chosen.*member, inFile.*member);
    };
    c.comment = pick(&ConditionChoices::comment);
    c.thumbSize = pick(&ConditionChoices::thumbSize);
    c.password = pick(&ConditionChoices::password);
    c.cover = pick(&ConditionChoices::cover);
    c.cover1st = pick(&ConditionChoices::cover1st);
    c.dispAuto = pick(&ConditionChoices::dispAuto);
    c.interval = pick(&ConditionChoices::interval);
    c.dispCont = pick(&ConditionChoices::dispCont);
    c.dispName = pick(&ConditionChoices::dispName);
    c.sizeMax = pick(&ConditionChoices::sizeMax);
    c.range = pick(&ConditionChoices::range);
    c.coverFile = pick(&ConditionChoices::coverFile);
    // Each font property is a line of its own in the file.
    const auto font = [&](auto member) {
        return changedOrStored(shown.font.*member, chosen.font.*member, inFile.font.*member);
    };
    c.font.family = font(&FontChoice::family);
    c.font.pointSize = font(&FontChoice::pointSize);
    c.font.colour = font(&FontChoice::colour);
    c.font.bold = font(&FontChoice::bold);
    c.font.italic = font(&FontChoice::italic);
    c.font.strikeOut = font(&FontChoice::strikeOut);
    c.font.underline = font(&FontChoice::underline);
    return c;
}

} // namespace quorbell
