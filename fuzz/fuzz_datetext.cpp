// Dates as text in any locale: reading what a user could type, and writing any Date value.
#include "fuzz/harness.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const QLocale loc = in.locale();
    if (in.byte() & 1) {
        // Whatever is read is a real moment that can be written back.
        const std::optional<double> v = ui::readDateTime(in.text(), loc);
        FUZZ_CHECK(!v || (ui::fromDateValue(*v) && !ui::generalDate(*v, loc).isEmpty()));
    } else {
        const double v = in.number();
        FUZZ_CHECK(ui::generalDate(v, loc).isEmpty() == !ui::fromDateValue(v));
    }
    return 0;
}
