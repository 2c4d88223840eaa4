// libFuzzer target: the management file's record line parser and its writer.
#include "cache/record_fields.h"
#include "cache/th_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList fields = mirte::SplitFields(line);
    // What the writer makes of the fields reads back as the same fields.
    QStringList quoted;
    for (const QString& field : fields) {
        quoted.append(mirte::QuoteField(field));
    }
    const QStringList again = mirte::SplitFields(quoted.join(QLatin1Char(',')));
    if (!fields.isEmpty() && again != fields && !(fields.size() == 1 && fields[0].isEmpty())) {
        __builtin_trap();
    }
    mirte::TThImage record;
    if (record.FromStr(line)) {
        mirte::TThImage back;
        if (!back.FromStr(record.ToStr())) {
            __builtin_trap(); // a record the parser took must survive its own line
        }
    }
    return 0;
}
