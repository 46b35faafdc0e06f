// The update check's answer ("update.ini"): its lines, then the news of the
// releases after this one, as the options dialog shows them.
#include "platform/Cp1252.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/UpdateCheck.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = platform::cp1252Lines(fuzz::bytes(data, size));
    QStringList news;
    const bool newer = UpdateNews(lines, news);
    // News is some line of the answer's that is not empty, above an empty line.
    const bool said = std::any_of(news.cbegin(), news.cend(), [](const QString& l) { return !l.isEmpty(); });
    if (news.isEmpty() || newer != (news.first().isEmpty() && said) || news.size() > lines.size() + 2) std::abort();
    return 0;
}
