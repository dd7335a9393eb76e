// The report template expander on arbitrary bytes, with the program's own
// tag texts filled in.

#include "evaluate/TBeautyResult.h"
#include "report/TPageProducer.h"
#include "report/TReportTags.h"

#include <QLocale>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TPageProducer producer;
    producer.SetTemplateText(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const TBeautyResult result{100.28f, 0.9f, TBeautyStatus::Complete};
    const QLocale locale = QLocale::c();
    qsizetype replaced = 0;
    producer.SetOnHTMLTag([&](const QByteArray &name, const QByteArray &) {
        const QByteArray text = TReportTags::Text(result, name, locale);
        replaced += text.size();
        return text;
    });
    const QByteArray page = producer.Content();
    // Each line gains at most its CR LF, and each tag at most its text.
    if (page.size() > qsizetype(size) * 3 + 2 + replaced)
        std::abort();
    return 0;
}
