// The number at the start of any text, and its nearest 16-bit integer.
#include "fuzz/harness.h"
#include "ui/leadnum.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const double x = ui::leadingNumber(FuzzInput{data, size}.text());
    const qint16 n = ui::toInt16(x);
    FUZZ_CHECK(!std::isnan(x) && (std::fabs(x) > 32767 || std::fabs(n - x) <= 0.5));
    return 0;
}
