// Writes the bundled demo's start script. The demo shows that the engine runs: it greets the player
// in a box and ends.
#include <cstdio>

#include "platform/text_encoding.h"
#include "support/qls_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_start_script OUT.qls\n", stderr);
        return 2;
    }
    auto sjis = [](const char* utf8) { return qeli::platform::utf8ToCp932(utf8).value_or(""); };
    qeli::testing::QlsWriter w;
    w.call("Confirmation", {w.stringLiteral("qeli"),
                            w.stringLiteral(sjis("qeli が動いています。\nこのデモはまだ挨拶だけです。")),
                            w.intConstant(1)});
    return w.writeTo(argv[1]) ? 0 : 1;
}
