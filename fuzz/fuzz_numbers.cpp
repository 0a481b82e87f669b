// Number to text in any locale, and the rounding and remainder rules it leans on.
#include "fuzz/harness.h"
#include "ui/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const QLocale loc = in.locale();
    const int digits = int8_t(in.byte());
    const double x = in.number(), y = in.number(), r = ui::Round(x, digits);
    FUZZ_CHECK(!ui::numberToText(x, loc).isEmpty() && !ui::numberToText(r, loc).isEmpty());
    FUZZ_CHECK(std::isnan(x) == std::isnan(r) && (std::isnan(x) || ui::Int(x) <= x));
    (void)ui::Mod(x, y);
    return 0;
}
