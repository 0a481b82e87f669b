// Number to text in any locale, and the rounding and remainder rules it leans on.
#include "fuzz/fuzz_input.h"
#include "ui/numbers.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const QLocale loc = in.locale();
    const int digits = int(int8_t(in.byte()));
    const double x = in.number();
    const double y = in.number();

    const QString text = ui::numberToText(x, loc);
    FUZZ_CHECK(!text.isEmpty());
    const double r = ui::Round(x, digits);
    FUZZ_CHECK(std::isnan(x) == std::isnan(r));
    (void)ui::numberToText(r, loc);
    const double i = ui::Int(x);
    FUZZ_CHECK(std::isnan(x) || i <= x);
    (void)ui::Mod(x, y);
    return 0;
}
