// libFuzzer target for the settings file. Build with clang and
// -DQUORBELL_FUZZ=ON -DQUORBELL_SANITIZE=ON, then run it with a scratch folder
// for new inputs first and the committed corpus as seeds:
//   fuzz_settings_file -max_total_time=900 NEW_CORPUS fuzz/settings/corpus
#include "SettingsFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quorbell::fuzz::fuzzSettingsFile(data, size);
}
