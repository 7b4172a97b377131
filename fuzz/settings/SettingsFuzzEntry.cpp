#include "SettingsFuzzEntry.h"

#include "FuzzCheck.h"

#include "core/Cp932.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"

namespace quorbell::fuzz {

int fuzzSettingsFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto readAndWrite = [](const QByteArray& file) {
        Settings g;
        applySettingsText(cp932::decode(file), g);
        return buildSettingsFile(g);
    };
    // Missing and out-of-range values settle within two writes (a cell size
    // the grid does not have is written as it was read, then read as the
    // largest; an empty cover path becomes the default picture); from then on
    // what is written reads back as it was.
    const QByteArray normalised = readAndWrite(readAndWrite(bytes));
    QUORBELL_FUZZ_CHECK(readAndWrite(normalised) == normalised);

    // The updaters' line replacement, with values that have a code page 932
    // form and one that has none (its line stays as it was).
    const QList<QPair<QByteArray, QString>> keyValues = {
        {QByteArrayLiteral("frmHeight="), QStringLiteral("9000")},
        {QByteArrayLiteral("dlgNew="), QStringLiteral("/tmp/写真")},
        {QByteArrayLiteral("dlgAdd="), QStringLiteral("/tmp/\U0001F600")},
    };
    const QByteArray replaced = replaceSettingLines(bytes, keyValues);
    QUORBELL_FUZZ_CHECK(replaceSettingLines(replaced, keyValues) == replaced);
    return 0;
}

} // namespace quorbell::fuzz
