// The number at the start of any text, and its nearest 16-bit integer.
#include "fuzz/fuzz_input.h"
#include "ui/leadnum.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput in(data, size);
    const double x = ui::leadingNumber(in.text());
    FUZZ_CHECK(!std::isnan(x));
    const qint16 n = ui::toInt16(x);
    FUZZ_CHECK(std::isinf(x) || std::fabs(double(n) - x) <= 0.5 || std::fabs(x) > 32767);
    return 0;
}
