// The link protocol against a radio that answers with whatever the input
// says, with ticks, time-outs and Cancel in between. The same script run with
// every answer in one piece and byte by byte must give the same transfer, and
// no frame or request may go out before something answered the one before.
#include "FuzzSupport.h"
#include "core/LinkProtocol.h"

#include <algorithm>

using namespace core;
using Outcome = LinkProtocol::Outcome;

namespace {

struct Trace {
    QList<QByteArray> sent;
    QList<int> progress;
    QStringList lines;
    QList<int> outcomes;
    bool operator==(const Trace &) const = default;
};

Trace Run(const QByteArray &script, bool write, bool byteByByte)
{
    LinkProtocol p;
    Trace t;
    int discards = 0;
    int answeredSinceSend = 1; // nothing to answer before the first send
    QObject::connect(&p, &LinkProtocol::discardInput, [&] { ++discards; });
    QObject::connect(&p, &LinkProtocol::sendRequested, [&](const QByteArray &b) {
        t.sent << b;
        const bool wakeByte = b.size() == 1 && link::kWakeSequence.end() != std::find(link::kWakeSequence.begin(), link::kWakeSequence.end(), Byte(b[0]));
        if (wakeByte)
            return;
        FUZZ_CHECK(answeredSinceSend > 0, "a frame or request goes out only after the answer to the one before");
        answeredSinceSend = 0;
    });
    QObject::connect(&p, &LinkProtocol::progressChanged, [&](int v) { t.progress << v; });
    QObject::connect(&p, &LinkProtocol::lineReceived, [&](const QString &l) { t.lines << l; });
    QObject::connect(&p, &LinkProtocol::finished, [&](Outcome o) { t.outcomes << int(o); });

    MemoryImage image;
    if (write)
        p.startWrite(image);
    else
        p.startRead();

    FuzzInput in(reinterpret_cast<const uint8_t *>(script.constData()), size_t(script.size()));
    // A well-behaved answer is likely, so the protocol gets past the handshake.
    while (!in.atEnd() && p.isRunning()) {
        const int op = in.below(8);
        if (op == 0) {
            p.tick();
        } else if (op == 1 && in.below(16) == 0) {
            p.timeOut();
        } else if (op == 2 && in.below(16) == 0) {
            p.cancel();
        } else {
            QByteArray answer = in.bytes(1 + in.below(20));
            if (in.below(2) == 0)
                answer = QByteArray(in.below(14) + 1, char(link::kAck));
            if (!byteByByte) {
                answeredSinceSend += int(answer.size());
                p.receive(answer);
                continue;
            }
            const int before = discards;
            for (char c : answer) {
                if (discards != before)
                    break; // the port's input was emptied before the next send
                ++answeredSinceSend;
                p.receive(QByteArrayView(&c, 1));
            }
        }
    }
    // Ticks alone, as the pacing timer would go on.
    for (int i = 0; i < 20 && p.isRunning(); ++i)
        p.tick();
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool write = data[0] & 1;
    const QByteArray script(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const Trace whole = Run(script, write, false);
    const Trace bytewise = Run(script, write, true);
    FUZZ_CHECK(whole == bytewise, "a chunked delivery equals a byte-by-byte one");
    return 0;
}
