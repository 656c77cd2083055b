// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever bytes a .TPD file holds, the reader must neither read nor write out of bounds,
// and a file it accepts must save back into a file that reads the same.
#include "files/ConfigFile.h"
#include "model/Configuration.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Configuration config;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!DecodeConfigFile(config, bytes, QStringLiteral("fuzz.TPD")).ok())
        return 0;
    const QByteArray saved = EncodeConfigFile(config);
    Configuration again;
    if (!DecodeConfigFile(again, saved, QStringLiteral("again.TPD")).ok() ||
        EncodeConfigFile(again) != saved)
        std::abort();
    return 0;
}
