// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever bytes the command-line tool is given, telling .TPD from JSON and both readers
// must neither read nor write out of bounds nor run into undefined behaviour (clang's
// -fsanitize=undefined,float-cast-overflow catches a number cast to int out of range), and
// a document it accepts must write back into JSON that reads the same.
#include "files/ConfigDocument.h"
#include "files/ConfigFile.h"
#include "files/ConfigJson.h"
#include "model/Configuration.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Configuration config;
    const InputBytes input{QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), true};
    if (!DecodeConfiguration(config, input, QStringLiteral("fuzz.json")).ok())
        return 0;
    const QByteArray json = EncodeConfigJson(config);
    Configuration again;
    if (!ConfigFromJson(again, json).ok() || EncodeConfigFile(again) != EncodeConfigFile(config) ||
        EncodeConfigJson(again) != json)
        std::abort();
    return 0;
}
