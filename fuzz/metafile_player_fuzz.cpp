// Feeds arbitrary bytes to the metafile reader and plays whatever it accepts
// onto a small picture.

#include "controls/metafile/MetafilePicture.h"

#include "OffscreenGui.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startOffscreenGui("metafile_player_fuzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv::metafile;
    if (const auto picture = MetafilePicture::fromData(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        (void)picture->toImage(QSize(48, 32));
    return 0;
}
