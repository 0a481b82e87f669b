// Dates as text in any locale: reading what a user could type, and writing any Date value.
#include "fuzz/fuzz_input.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const QLocale loc = in.locale();
    const bool readText = in.byte() & 1;
    if (readText) {
        const std::optional<double> v = ui::readDateTime(in.text(), loc);
        // Whatever is read is a real moment that can be written back.
        if (v) {
            FUZZ_CHECK(std::isfinite(*v));
            FUZZ_CHECK(ui::fromDateValue(*v).has_value());
            FUZZ_CHECK(!ui::generalDate(*v, loc).isEmpty());
        }
    } else {
        const double v = in.number();
        const QString text = ui::generalDate(v, loc);
        FUZZ_CHECK(text.isEmpty() == !ui::fromDateValue(v).has_value());
    }
    return 0;
}
