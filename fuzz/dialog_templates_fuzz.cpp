// Any bytes as a compiled resource file: templates come back, or nothing; the reader never
// reads past the end it is given.
#include <cstddef>
#include <cstdint>

#include "ui/framework/terminal/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadDialogTemplates(data, size);
    return 0;
}
