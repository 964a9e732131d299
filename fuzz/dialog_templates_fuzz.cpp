// Any bytes as a compiled resource file: templates and texts come back, or nothing; the
// readers never read past the end they are given.
#include <cstddef>
#include <cstdint>

#include "ui/framework/terminal/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadDialogTemplates(data, size);
    ReadStringTable(data, size);
    return 0;
}
