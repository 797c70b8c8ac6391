// libFuzzer target for the RTF reader. Besides crashes, leaks and hangs it
// checks two promises: what the writer makes of any document reads back
// cleanly with the same text, and line breaking never changes a document.
//
//   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
//         -DQV_FUZZ=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
//   cmake --build build-fuzz --target fuzz_rtf_reader
//   build-fuzz/fuzz/fuzz_rtf_reader -dict=fuzz/rtf.dict -timeout=10 corpus/ tests/data/rtf/

#include "controls/richtext/Rtf.h"

#include "OffscreenGui.h"
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startOffscreenGui("rtf_reader_fuzz");
    return 0;
}

static void fail(const char *what, const QString &expected = QString(), const QString &actual = QString(),
                 const QByteArray &rtf = QByteArray())
{
    std::fprintf(stderr, "rtf_reader_fuzz: %s\n--- expected\n%s\n--- actual\n%s\n--- rtf\n%s\n", what,
                 expected.toUtf8().constData(), actual.toUtf8().constData(), rtf.constData());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qv::rtf::ReadResult read = qv::rtf::readRtf(input);
    if (!read.document)
        fail("no document");
    const QString text = qv::rtf::plainText(*read.document);

    const QByteArray written = qv::rtf::writeRtf(*read.document);
    const qv::rtf::ReadResult again = qv::rtf::readRtf(written);
    if (!again.error.isEmpty())
        fail("the writer's output does not read cleanly", read.error, again.error, written);
    if (const QString back = qv::rtf::plainText(*again.document); back != text)
        fail("the writer's output reads back with another text", text, back, written);

    const QByteArray lines = qv::rtf::breakRtfLines(input, 40);
    const qv::rtf::ReadResult broken = qv::rtf::readRtf(lines);
    if (const QString back = qv::rtf::plainText(*broken.document); back != text)
        fail("line breaking changed the text", text, back, lines);
    return 0;
}
